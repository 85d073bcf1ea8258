// SPDX-License-Identifier: MIT
// Read-only text displays and the drawing routines behind them.
//
// TZellLabel is a label whose drawing an OnCustomDraw callback can take over
// and which can shorten its caption with an ellipsis; TTextBox is the same
// label with a sunken edge and a margin inside, used wherever a result is
// shown. Both are QLabels underneath, so a screen reader reads the caption
// they show (do not set an accessibleName that hides it), and a text box can
// be the buddy of the QLabel that names it.
//
// A selectable text box (TTextBox unless told otherwise) is a read-only
// field: Tab reaches it, the mouse and the keyboard select in its caption,
// Ctrl+C, its context menu and Edit > Copy copy the selection (the whole
// result even where the box shows it shortened), and nothing changes it.
//
// The shared drawers DrawTextWithParams and DrawEdgeWithParams are also used
// by the canvas panel and by the bit-map painting.
#pragma once

#include <QLabel>
#include <QPalette>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "ControlsGeometry.h"

class QPainter;

namespace Parlamine {

inline TRect ToTRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// The custom-draw callback of labels, text boxes and canvas panels:
// (ACanvas, ARect, DefaultDraw). It is called after the background has been
// filled with the control's colour, with the control's font on the painter;
// clearing DefaultDraw suppresses the control's own drawing (for a text box
// also its edge). A callback that wants the control to draw as well but from
// another subject captures the control (the callback has no sender argument).
using TCustomDrawEvent = std::function<void(QPainter& ACanvas, const QRect& ARect, bool& DefaultDraw)>;

// Draws text into rect on the painter with the painter's font, pen and brush;
// or, with dtcCalcRect, only measures it and returns in rect where it would
// go. With dtcModifyString, text comes back shortened when an ellipsis was
// used. The palette supplies the engraving colours of disabled text (the
// painter's widget's palette, else the application's, when null). Lines of a
// block are aligned each by the alignment; the block as a whole by the
// alignment and layout. Expanded tabs switch the ellipsis off.
void DrawTextWithParams(QPainter& canvas, QRect& rect, QString& text, const TDrawTextParams& params,
                        const QPalette* palette = nullptr);

// Draws a 3D edge of one-pixel parts (outer, then inner) on the chosen sides
// in the palette's button colours; with deoAdjust, rect comes back as the area
// inside the edge, with deoMiddle that area is filled with the button colour.
void DrawEdgeWithParams(QPainter& canvas, QRect& rect, const TDrawEdgeParams& params,
                        const QPalette& palette);

// One-pixel lines along the chosen sides of rect: left and top in topLeft,
// right and bottom in bottomRight (which also take the far corners).
void DrawFrameLines(QPainter& canvas, const QRect& rect, std::uint8_t borders, const QColor& topLeft,
                    const QColor& bottomRight);

class TZellCustomLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TZellCustomLabel(QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  // Prefer this to setText: it also re-fits an auto-sized control (and
  // clears a text box's selection).
  void SetCaption(const QString& caption);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout layout);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode mode);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  TDrawTextEllipsis Ellipsis() const { return FEllipsis; }
  void SetEllipsis(TDrawTextEllipsis ellipsis);
  bool ExpandReturns() const { return FExpandReturns; }
  void SetExpandReturns(bool expand);
  bool ExpandTabs() const { return FExpandTabs; }
  void SetExpandTabs(bool expand);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool WordWrap() const { return wordWrap(); }
  void SetWordWrap(bool wrap);
  // The background colour; the palette's button colour unless set.
  QColor Color() const;
  void SetColor(const QColor& color);
  // The control that takes the focus on the caption's access key.
  QWidget* FocusControl() const { return buddy(); }
  void SetFocusControl(QWidget* control) { setBuddy(control); }

  const TCustomDrawEvent& OnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TCustomDrawEvent handler);

  TDrawTextParams GetDrawTextParams() const;
  // Resizes an auto-sized control to its caption; nothing when AutoSize is
  // off. A control inside a layout asks the layout instead (sizeHint).
  void FitBounds();

  virtual void DrawContents(QPainter& canvas, QRect rect);
  virtual void DrawCaption(QPainter& canvas, QRect rect, const TDrawTextParams& params);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override;
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Calls OnCustomDraw when one is bound.
  virtual void DoCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw);
  virtual void CaptionChanged() {}

  // Pixels around the measured caption that the control adds (the text box's
  // edge and margin).
  virtual int ExtraCaptionMargin() const { return 0; }
  // The caption's rectangle for an auto-sized control at the given bounds.
  QRect CalcTextRect(const QRect& bounds) const;
  void PropertyChanged();

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FAutoSize = true;
  TDrawTextEllipsis FEllipsis = dteNone;
  bool FExpandReturns = true;
  bool FExpandTabs = true;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  std::optional<QColor> FColor;
  TCustomDrawEvent FOnCustomDraw;
};

class TZellLabel : public TZellCustomLabel {
  Q_OBJECT

 public:
  explicit TZellLabel(QWidget* parent = nullptr);
};

class TZellCustomTextBox : public TZellCustomLabel {
  Q_OBJECT

 public:
  explicit TZellCustomTextBox(QWidget* parent = nullptr);

  // The margin in pixels between the edge and the caption.
  int CaptionBorderWidth() const { return FCaptionBorderWidth; }
  void SetCaptionBorderWidth(int width);
  std::uint8_t EdgeBorders() const { return FEdgeParams.Borders; }
  void SetEdgeBorders(std::uint8_t borders);
  TEdgeStyle EdgeInner() const { return FEdgeParams.Inner; }
  void SetEdgeInner(TEdgeStyle style);
  TEdgeStyle EdgeOuter() const { return FEdgeParams.Outer; }
  void SetEdgeOuter(TEdgeStyle style);
  TDrawEdgeStyle EdgeStyle() const { return FEdgeParams.Style; }
  void SetEdgeStyle(TDrawEdgeStyle style);
  const TDrawEdgeParams& EdgeParams() const { return FEdgeParams; }

  // Draws the edge and reduces rect to the area inside it.
  virtual void DrawEdges(QPainter& canvas, QRect& rect, const TDrawEdgeParams& params);
  void DrawContents(QPainter& canvas, QRect rect) override;
  void DrawCaption(QPainter& canvas, QRect rect, const TDrawTextParams& params) override;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // A box that wraps its words is as high as its lines at the width it gets,
  // auto-sized or not.
  bool hasHeightForWidth() const override;

  // Selectable: Qt::TextSelectableByMouse and ByKeyboard, and a Tab stop
  // (setTextInteractionFlags alone gives click focus, as for any QLabel).
  bool Selectable() const;
  void SetSelectable(bool selectable);
  bool HasSelectedText() const { return SelectionStart() != SelectionEnd(); }
  QString SelectedText() const;
  // Caption positions: 0 before the first character.
  int CursorPosition() const { return FCaret; }
  void SetSelection(int anchor, int caret);
  void SelectAll() { SetSelection(0, static_cast<int>(text().size())); }
  void Copy() const;

 protected:
  int ExtraCaptionMargin() const override;
  void CaptionChanged() override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Where the caption's one line is drawn: the shown text (shortened or
  // not), its rectangle and how many characters of the caption stand
  // before an ellipsis.
  struct TCaptionLine {
    QString Shown;
    QRect Bounds;
    int Visible = 0;
  };
  TCaptionLine CaptionLine(const QRect& area, const TDrawTextParams& params) const;
  QRect CaptionArea() const;
  int CaptionX(const TCaptionLine& line, int position) const;
  int PositionAt(int x) const;
  int SelectionStart() const;
  int SelectionEnd() const;
  bool MoveCaret(const QKeyEvent* event);
  void DrawSelection(QPainter& canvas, const QRect& area, const TDrawTextParams& params);

  int FCaptionBorderWidth = 1;
  TDrawEdgeParams FEdgeParams;
  int FAnchor = 0;
  int FCaret = 0;
};

class TTextBox : public TZellCustomTextBox {
  Q_OBJECT

 public:
  explicit TTextBox(QWidget* parent = nullptr);
};

}  // namespace Parlamine
