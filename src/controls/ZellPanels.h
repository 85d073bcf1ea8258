// SPDX-License-Identifier: MIT
// A panel that paints itself in layers (fill, background picture, bevels,
// caption), lets its owner take the painting over through OnCustomDraw and
// copies a rectangle of its image to the clipboard. The banner, the network
// setup area and the latency graphs are canvas panels; the rainbow bar
// derives from TZellCustomPanel for its caption drawing.
//
// Painting: the client area is filled with Color, then OnCustomDraw runs
// (with the panel's font on the painter); unless it clears DefaultDraw,
// DrawPanel paints background, bevels and caption over it. A callback may
// clear DefaultDraw and call DrawPanel itself to draw on top of the standard
// look.
//
// A panel that shows a picture the user may want (EnablePictureCopy) is a
// keyboard stop with a focus frame; Ctrl+C, the Edit menu's Copy and its
// context menu's "&Copy" copy the picture.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>

#include "ControlsGeometry.h"
#include "ZellLabel.h"

class QAction;

namespace Parlamine {

class TViewCommands;

// True while a picture of controls is taken for the clipboard: focus
// indications stay out of it.
bool TakingPicture();
// What the rectangle (widget coordinates) of the widget shows, children
// included, without focus indications.
QPixmap GrabPicture(QWidget* widget, const QRect& rect);
// The focus indication of a custom-drawn control: a frame along the edge of
// rect in the palette's highlight colour, drawn only while the control has
// the keyboard focus and no picture is being taken.
void DrawFocusIndication(QPainter& canvas, const QWidget& control, const QRect& rect);

class TZellCustomPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TZellCustomPanel(QWidget* parent = nullptr);

  // The picture is copied into the panel; a null pixmap clears it. Any
  // format QPixmap reads (SVG included) can be loaded.
  const QPixmap& BackgroundPicture() const { return FBackgroundPicture; }
  void SetBackgroundPicture(const QPixmap& picture);
  bool LoadBackgroundPicture(const QString& fileName);
  TBackgroundPictureMode BackgroundPictureMode() const { return FBackgroundPictureMode; }
  void SetBackgroundPictureMode(TBackgroundPictureMode mode);
  // A transparent picture lets the fill show where it has the colour of its
  // bottom-left pixel (as well as where it has no alpha).
  bool BackgroundPictureTransparent() const { return FBackgroundPictureTransparent; }
  void SetBackgroundPictureTransparent(bool transparent);

  QString Caption() const { return FCaption; }
  void SetCaption(const QString& caption);
  int CaptionBorderWidth() const { return FCaptionBorderWidth; }
  void SetCaptionBorderWidth(int width);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout layout);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode mode);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut cut);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int width);
  // The fill colour; the palette's button colour unless set.
  QColor Color() const;
  void SetColor(const QColor& color);

  const TCustomDrawEvent& OnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TCustomDrawEvent handler);

  // Border width plus a bevel width for each bevel present.
  int BorderSize() const;
  // The client rectangle without the frame.
  QRect InnerRect() const;
  TDrawTextParams CaptionTextParams() const;
  // Puts a bitmap of the rectangle (panel coordinates) of what the panel
  // shows, children included, on the clipboard.
  void CopyRectToClipboard(const QRect& rect);

  // Not by default: most panels are backgrounds or hold other controls.
  void EnablePictureCopy();
  // What copying does; by default the whole panel is copied. A page whose
  // picture is more than the panel (the latency graphs) copies that.
  void SetOnCopyPicture(std::function<void()> copy) { FOnCopyPicture = std::move(copy); }
  void CopyPicture();
  // One of the page's commands for the context menu of a panel that copies
  // its picture, below its own "&Copy".
  void AddContextAction(QAction* action);

  // Draws everything but the fill: background, bevels, caption, each step
  // handing on the rectangle it leaves.
  virtual void DrawPanel(QPainter& canvas, QRect& rect);
  virtual void DrawBackground(QPainter& canvas, QRect& rect);
  virtual void DrawBevels(QPainter& canvas, QRect& rect);
  virtual void DrawCaption(QPainter& canvas, QRect& rect, const TDrawTextParams& params);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Calls OnCustomDraw when one is bound.
  virtual void DoCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw);

 private:
  void PictureChanged();
  void Frame3D(QPainter& canvas, QRect& rect, TBevelCut cut);

  QPixmap FBackgroundPicture;
  QPixmap FShownPicture;  // the picture with its transparency applied
  TBackgroundPictureMode FBackgroundPictureMode = bpmCentered;
  bool FBackgroundPictureTransparent = false;
  QString FCaption;
  int FCaptionBorderWidth = 1;
  TAlignment FAlignment = taCenter;
  TTextLayout FLayout = tlCenter;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvLowered;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  std::optional<QColor> FColor;
  TCustomDrawEvent FOnCustomDraw;
  TViewCommands* FCommands = nullptr;  // while the panel copies its picture
  std::function<void()> FOnCopyPicture;
};

class TCanvasPanel : public TZellCustomPanel {
  Q_OBJECT

 public:
  explicit TCanvasPanel(QWidget* parent = nullptr);
};

}  // namespace Parlamine
