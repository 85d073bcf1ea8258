// SPDX-License-Identifier: MIT
#include "ZellLabel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "ZellClipboardRequest.h"

namespace Parlamine {

namespace {

// Room a measuring call gives text that is not wrapped: effectively unbounded.
constexpr int UnboundedExtent = 1 << 20;

int QtHorizontalFlags(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify:
      return Qt::AlignLeft | Qt::AlignAbsolute;
    case taRightJustify:
      return Qt::AlignRight | Qt::AlignAbsolute;
    case taCenter:
      return Qt::AlignHCenter;
  }
  return Qt::AlignLeft;
}

int QtVerticalFlags(TTextLayout layout) {
  switch (layout) {
    case tlTop:
      return Qt::AlignTop;
    case tlCenter:
      return Qt::AlignVCenter;
    case tlBottom:
      return Qt::AlignBottom;
  }
  return Qt::AlignTop;
}

int QtTextFlags(const TDrawTextParams& params, bool measuring) {
  int flags = QtHorizontalFlags(EffectiveAlignment(params));
  flags |= measuring ? Qt::AlignTop : QtVerticalFlags(params.Layout);
  if (params.Has(dtoExpandTabs)) flags |= Qt::TextExpandTabs;
  if (params.Has(dtoNoClip)) flags |= Qt::TextDontClip;
  if (!params.Has(dtoNoPrefix)) flags |= Qt::TextShowMnemonic;
  if (params.Has(dtoSingleLine)) flags |= Qt::TextSingleLine;
  if (params.Has(dtoWordBreak)) flags |= Qt::TextWordWrap;
  return flags;
}

// Shortens a path in its middle, keeping as much as possible of the part
// after the last separator.
QString ElidePath(const QString& line, const QFontMetrics& metrics, int width) {
  const qsizetype separator =
      std::max(line.lastIndexOf(QLatin1Char('\\')), line.lastIndexOf(QLatin1Char('/')));
  if (separator > 0) {
    const QString tail = line.mid(separator);
    const int room = width - metrics.horizontalAdvance(tail);
    if (room > metrics.horizontalAdvance(QChar(0x2026))) {
      return metrics.elidedText(line.left(separator), Qt::ElideRight, room) + tail;
    }
  }
  return metrics.elidedText(line, Qt::ElideMiddle, width);
}

QString ElideLine(const QString& line, const QFontMetrics& metrics, int width, TDrawTextEllipsis ellipsis) {
  if (metrics.horizontalAdvance(line) <= width) return line;
  switch (ellipsis) {
    case dteNone:
      return line;
    case dteEnd:
    case dteWord:
      return metrics.elidedText(line, Qt::ElideRight, width);
    case dtePath:
      return ElidePath(line, metrics, width);
  }
  return line;
}

// The text as it is drawn: each line that does not fit shortened by the
// ellipsis. Wrapped text wraps instead of shortening.
QString ApplyEllipsis(const QString& text, const QFontMetrics& metrics, int width,
                      const TDrawTextParams& params) {
  const TDrawTextEllipsis ellipsis = EffectiveEllipsis(params);
  if (ellipsis == dteNone || params.Has(dtoWordBreak)) return text;
  if (params.Has(dtoSingleLine)) return ElideLine(text, metrics, width, ellipsis);
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) line = ElideLine(line, metrics, width, ellipsis);
  return lines.join(QLatin1Char('\n'));
}

const QPalette& PaletteFor(const QPainter& canvas, const QPalette* palette) {
  if (palette) return *palette;
  if (auto* widget = dynamic_cast<QWidget*>(canvas.device())) return widget->palette();
  static const QPalette fallback = QApplication::palette();
  return fallback;
}

void DrawTextPlain(QPainter& canvas, const QRect& rect, const QString& text, int flags, bool transparent) {
  canvas.save();
  // An opaque text draws its cells in the brush colour, like a text drawn
  // with an opaque background; a transparent one leaves what is under it.
  const bool opaque = !transparent && canvas.brush().style() != Qt::NoBrush;
  canvas.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
  if (opaque) canvas.setBackground(canvas.brush());
  canvas.drawText(rect, flags, text);
  canvas.restore();
}

// The engraved look of disabled text: a highlight copy one pixel right and
// down, under a shadow copy.
void DrawTextDisabled(QPainter& canvas, const QRect& rect, const QString& text, int flags,
                      const TDrawTextParams& params, const QPalette& palette) {
  const QRect shadow = ToQRect(DisabledTextRect(ToTRect(rect), params));
  canvas.save();
  canvas.setPen(palette.color(QPalette::Active, QPalette::Light));
  DrawTextPlain(canvas, shadow.translated(1, 1), text, flags, params.Has(dtoTransparent));
  canvas.setPen(palette.color(QPalette::Active, QPalette::Dark));
  DrawTextPlain(canvas, shadow, text, flags, true);
  canvas.restore();
}

}  // namespace

void DrawTextWithParams(QPainter& canvas, QRect& rect, QString& text, const TDrawTextParams& params,
                        const QPalette* palette) {
  const QFontMetrics metrics(canvas.font());
  const QString shown = ApplyEllipsis(text, metrics, rect.width(), params);
  if (params.Has(dtcModifyString)) text = shown;

  if (params.Has(dtcCalcRect)) {
    const int room = params.Has(dtoWordBreak) ? std::max(rect.width(), 1) : UnboundedExtent;
    const QRect measured =
        metrics.boundingRect(QRect(0, 0, room, UnboundedExtent), QtTextFlags(params, true), shown);
    rect = ToQRect(CalcTextRect(ToTRect(rect), {measured.width(), measured.height()}, params));
    return;
  }

  canvas.save();
  if (IsRightToLeftReading(params)) canvas.setLayoutDirection(Qt::RightToLeft);
  if (params.Has(dtoTransparent)) canvas.setBrush(Qt::NoBrush);
  const int flags = QtTextFlags(params, false);
  if (params.Has(dtoDisabled)) {
    DrawTextDisabled(canvas, rect, shown, flags, params, PaletteFor(canvas, palette));
  } else {
    DrawTextPlain(canvas, rect, shown, flags, params.Has(dtoTransparent));
  }
  canvas.restore();
}

namespace {

struct TEdgeColors {
  QPalette::ColorRole TopLeft;
  QPalette::ColorRole BottomRight;
};

// The colours of one edge part, as the classic 3D look paints them: a sunken
// outer line is shadow over highlight, a raised one light over dark shadow;
// the inner lines go one step further in.
TEdgeColors EdgePartColors(TEdgeStyle part, bool outer, TDrawEdgeStyle style) {
  switch (style) {
    case desFlat:
      return outer ? TEdgeColors{QPalette::Dark, QPalette::Dark}
                   : TEdgeColors{QPalette::Button, QPalette::Button};
    case desMono:
      return outer ? TEdgeColors{QPalette::WindowText, QPalette::WindowText}
                   : TEdgeColors{QPalette::Window, QPalette::Window};
    case desSoft:
      if (part == esRaised)
        return outer ? TEdgeColors{QPalette::Light, QPalette::Shadow}
                     : TEdgeColors{QPalette::Midlight, QPalette::Dark};
      return outer ? TEdgeColors{QPalette::Shadow, QPalette::Light}
                   : TEdgeColors{QPalette::Dark, QPalette::Midlight};
    case desDefault:
      break;
  }
  if (part == esRaised)
    return outer ? TEdgeColors{QPalette::Midlight, QPalette::Shadow}
                 : TEdgeColors{QPalette::Light, QPalette::Dark};
  return outer ? TEdgeColors{QPalette::Dark, QPalette::Light}
               : TEdgeColors{QPalette::Shadow, QPalette::Midlight};
}

void DrawEdgePart(QPainter& canvas, const QRect& r, std::uint8_t borders, const TEdgeColors& colors,
                  const QPalette& palette) {
  DrawFrameLines(canvas, r, borders, palette.color(QPalette::Active, colors.TopLeft),
                 palette.color(QPalette::Active, colors.BottomRight));
}

}  // namespace

void DrawFrameLines(QPainter& canvas, const QRect& r, std::uint8_t borders, const QColor& topLeft,
                    const QColor& bottomRight) {
  if (r.width() <= 0 || r.height() <= 0) return;
  if (borders & ebLeft) canvas.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
  if (borders & ebTop) canvas.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
  if (borders & ebRight) canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
  if (borders & ebBottom) canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
}

void DrawEdgeWithParams(QPainter& canvas, QRect& rect, const TDrawEdgeParams& params,
                        const QPalette& palette) {
  QRect part = rect;
  if (params.Outer != esNone) {
    DrawEdgePart(canvas, part, params.Borders, EdgePartColors(params.Outer, true, params.Style), palette);
    part.adjust(1, 1, -1, -1);
  }
  if (params.Inner != esNone) {
    DrawEdgePart(canvas, part, params.Borders, EdgePartColors(params.Inner, false, params.Style), palette);
  }
  const QRect inside = ToQRect(EdgeInnerRect(ToTRect(rect), params));
  if (params.Options & deoMiddle) canvas.fillRect(inside, palette.color(QPalette::Button));
  if (params.Options & deoAdjust) rect = inside;
}

// ---------------------------------------------------------------------------

namespace {

bool LayoutHolds(const QLayout* layout, const QWidget* widget) {
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == widget) return true;
    if (item->layout() && LayoutHolds(item->layout(), widget)) return true;
  }
  return false;
}

bool IsManagedByLayout(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  return parent && parent->layout() && LayoutHolds(parent->layout(), widget);
}

}  // namespace

TZellCustomLabel::TZellCustomLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(false);
}

void TZellCustomLabel::SetCaption(const QString& caption) {
  if (caption == text()) return;
  setText(caption);
  CaptionChanged();
  FitBounds();
}

void TZellCustomLabel::PropertyChanged() {
  update();
  updateGeometry();
  FitBounds();
}

void TZellCustomLabel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  PropertyChanged();
}

void TZellCustomLabel::SetLayout(TTextLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  PropertyChanged();
}

void TZellCustomLabel::SetBiDiMode(TBiDiMode mode) {
  if (mode == FBiDiMode) return;
  FBiDiMode = mode;
  PropertyChanged();
}

void TZellCustomLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  PropertyChanged();
}

void TZellCustomLabel::SetEllipsis(TDrawTextEllipsis ellipsis) {
  if (ellipsis == FEllipsis) return;
  FEllipsis = ellipsis;
  PropertyChanged();
}

void TZellCustomLabel::SetExpandReturns(bool expand) {
  if (expand == FExpandReturns) return;
  FExpandReturns = expand;
  PropertyChanged();
}

void TZellCustomLabel::SetExpandTabs(bool expand) {
  if (expand == FExpandTabs) return;
  FExpandTabs = expand;
  PropertyChanged();
}

void TZellCustomLabel::SetShowAccelChar(bool show) {
  if (show == FShowAccelChar) return;
  FShowAccelChar = show;
  PropertyChanged();
}

void TZellCustomLabel::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  update();
}

void TZellCustomLabel::SetWordWrap(bool wrap) {
  if (wrap == wordWrap()) return;
  setWordWrap(wrap);
  PropertyChanged();
}

QColor TZellCustomLabel::Color() const { return FColor.value_or(palette().color(QPalette::Button)); }

void TZellCustomLabel::SetColor(const QColor& color) {
  FColor = color;
  update();
}

void TZellCustomLabel::SetOnCustomDraw(TCustomDrawEvent handler) {
  FOnCustomDraw = std::move(handler);
  update();
}

TDrawTextParams TZellCustomLabel::GetDrawTextParams() const {
  TLabelTextState state;
  state.Alignment = FAlignment;
  state.Layout = FLayout;
  state.BiDiMode = FBiDiMode;
  state.Ellipsis = FEllipsis;
  state.AutoSize = FAutoSize;
  state.Enabled = isEnabled();
  state.ExpandReturns = FExpandReturns;
  state.ExpandTabs = FExpandTabs;
  state.ShowAccelChar = FShowAccelChar;
  state.Transparent = FTransparent;
  state.WordWrap = wordWrap();
  return LabelDrawTextParams(state);
}

QRect TZellCustomLabel::CalcTextRect(const QRect& bounds) const {
  TDrawTextParams params = GetDrawTextParams();
  params.CalcOptions |= dtcCalcRect;
  // An empty caption still measures as one blank, so the control keeps a
  // line's height.
  QString caption = text().isEmpty() ? QStringLiteral(" ") : text();
  QRect r = bounds;
  QPixmap scratch(1, 1);
  QPainter canvas(&scratch);
  canvas.setFont(font());
  DrawTextWithParams(canvas, r, caption, params, &palette());
  return ToQRect(FitBoundsRect(ToTRect(bounds), ToTRect(r), ExtraCaptionMargin(), FAlignment, FLayout));
}

void TZellCustomLabel::FitBounds() {
  if (!FAutoSize) return;
  updateGeometry();
  if (IsManagedByLayout(this)) return;
  const QRect fitted = CalcTextRect(geometry());
  if (fitted != geometry()) setGeometry(fitted);
}

QSize TZellCustomLabel::sizeHint() const {
  if (!FAutoSize) return QLabel::sizeHint();
  return CalcTextRect(QRect(QPoint(0, 0), size())).size();
}

QSize TZellCustomLabel::minimumSizeHint() const {
  if (FAutoSize) return sizeHint();
  const QFontMetrics metrics(font());
  return QSize(0, metrics.height() + 2 * ExtraCaptionMargin());
}

bool TZellCustomLabel::hasHeightForWidth() const { return FAutoSize && wordWrap(); }

int TZellCustomLabel::heightForWidth(int width) const {
  if (!hasHeightForWidth()) return -1;
  return CalcTextRect(QRect(0, 0, width - 2 * ExtraCaptionMargin(), height())).height();
}

void TZellCustomLabel::DrawContents(QPainter& canvas, QRect rect) {
  DrawCaption(canvas, rect, GetDrawTextParams());
}

void TZellCustomLabel::DrawCaption(QPainter& canvas, QRect rect, const TDrawTextParams& params) {
  if (text().isEmpty()) return;
  QString caption = text();
  DrawTextWithParams(canvas, rect, caption, params, &palette());
}

void TZellCustomLabel::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  const QRect r = rect();
  canvas.setFont(font());
  canvas.setPen(palette().color(QPalette::WindowText));
  if (FTransparent) {
    canvas.setBrush(Qt::NoBrush);
  } else {
    canvas.setBrush(Color());
    canvas.fillRect(r, Color());
  }
  bool defaultDraw = true;
  DoCustomDraw(canvas, r, defaultDraw);
  if (defaultDraw) DrawContents(canvas, r);
}

void TZellCustomLabel::DoCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw) {
  if (FOnCustomDraw) FOnCustomDraw(canvas, rect, defaultDraw);
}

void TZellCustomLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitBounds();
}

TZellLabel::TZellLabel(QWidget* parent) : TZellCustomLabel(parent) {}

// ---------------------------------------------------------------------------

TZellCustomTextBox::TZellCustomTextBox(QWidget* parent) : TZellCustomLabel(parent) {
  SetAutoSize(false);
  SetLayout(tlCenter);
  SetShowAccelChar(false);
  resize(121, 21);
}

void TZellCustomTextBox::SetCaptionBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == FCaptionBorderWidth) return;
  FCaptionBorderWidth = width;
  PropertyChanged();
}

void TZellCustomTextBox::SetEdgeBorders(std::uint8_t borders) {
  if (borders == FEdgeParams.Borders) return;
  FEdgeParams.Borders = borders;
  PropertyChanged();
}

void TZellCustomTextBox::SetEdgeInner(TEdgeStyle style) {
  if (style == FEdgeParams.Inner) return;
  FEdgeParams.Inner = style;
  PropertyChanged();
}

void TZellCustomTextBox::SetEdgeOuter(TEdgeStyle style) {
  if (style == FEdgeParams.Outer) return;
  FEdgeParams.Outer = style;
  PropertyChanged();
}

void TZellCustomTextBox::SetEdgeStyle(TDrawEdgeStyle style) {
  if (style == FEdgeParams.Style) return;
  FEdgeParams.Style = style;
  PropertyChanged();
}

void TZellCustomTextBox::DrawEdges(QPainter& canvas, QRect& rect, const TDrawEdgeParams& params) {
  DrawEdgeWithParams(canvas, rect, params, palette());
}

void TZellCustomTextBox::DrawContents(QPainter& canvas, QRect rect) {
  DrawEdges(canvas, rect, FEdgeParams);
  TZellCustomLabel::DrawContents(canvas, rect);
}

void TZellCustomTextBox::DrawCaption(QPainter& canvas, QRect rect, const TDrawTextParams& params) {
  const int margin = FCaptionBorderWidth;
  const QRect area = rect.adjusted(margin, margin, -margin, -margin);
  TZellCustomLabel::DrawCaption(canvas, area, params);
  if (Selectable()) DrawSelection(canvas, area, params);
}

int TZellCustomTextBox::ExtraCaptionMargin() const {
  return FCaptionBorderWidth + (FEdgeParams.Outer != esNone ? 1 : 0) + (FEdgeParams.Inner != esNone ? 1 : 0);
}

QSize TZellCustomTextBox::sizeHint() const {
  if (AutoSize()) return TZellCustomLabel::sizeHint();
  return QSize(121, std::max(21, minimumSizeHint().height()));
}

QSize TZellCustomTextBox::minimumSizeHint() const {
  if (AutoSize()) return sizeHint();
  const QFontMetrics metrics(font());
  return QSize(2 * ExtraCaptionMargin() + metrics.averageCharWidth(),
               metrics.height() + 2 * ExtraCaptionMargin());
}

bool TZellCustomTextBox::hasHeightForWidth() const { return wordWrap(); }

// --- Selecting and copying ---------------------------------------------------

bool TZellCustomTextBox::Selectable() const {
  return textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TZellCustomTextBox::SetSelectable(bool selectable) {
  setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                     : Qt::NoTextInteraction);
  setFocusPolicy(selectable ? Qt::StrongFocus : Qt::NoFocus);
  SetSelection(0, 0);
}

int TZellCustomTextBox::SelectionStart() const {
  return std::clamp(std::min(FAnchor, FCaret), 0, static_cast<int>(text().size()));
}

int TZellCustomTextBox::SelectionEnd() const {
  return std::clamp(std::max(FAnchor, FCaret), 0, static_cast<int>(text().size()));
}

QString TZellCustomTextBox::SelectedText() const {
  return text().mid(SelectionStart(), SelectionEnd() - SelectionStart());
}

void TZellCustomTextBox::SetSelection(int anchor, int caret) {
  const int length = static_cast<int>(text().size());
  anchor = std::clamp(anchor, 0, length);
  caret = std::clamp(caret, 0, length);
  if (anchor == FAnchor && caret == FCaret) return;
  FAnchor = anchor;
  FCaret = caret;
  update();
}

void TZellCustomTextBox::Copy() const {
  if (HasSelectedText()) QGuiApplication::clipboard()->setText(SelectedText());
}

void TZellCustomTextBox::CaptionChanged() {
  // A new result: what was selected in the old one means nothing now.
  FAnchor = 0;
  FCaret = 0;
}

// The caption area inside the edge and the margin, as DrawContents draws.
QRect TZellCustomTextBox::CaptionArea() const {
  QRect area = rect();
  if (FEdgeParams.Options & deoAdjust) area = ToQRect(EdgeInnerRect(ToTRect(area), FEdgeParams));
  const int margin = FCaptionBorderWidth;
  return area.adjusted(margin, margin, -margin, -margin);
}

// Laid out as DrawTextWithParams lays the text, left to right on one line.
TZellCustomTextBox::TCaptionLine TZellCustomTextBox::CaptionLine(const QRect& area,
                                                                 const TDrawTextParams& params) const {
  const QFontMetrics metrics(font());
  const QString caption = text();
  TCaptionLine line;
  line.Shown = ApplyEllipsis(caption, metrics, area.width(), params);
  line.Bounds = metrics.boundingRect(area, QtTextFlags(params, false), line.Shown);
  const QChar ellipsis(0x2026);
  if (line.Shown == caption)
    line.Visible = static_cast<int>(caption.size());
  else if (line.Shown.endsWith(ellipsis) && caption.startsWith(line.Shown.chopped(1)))
    line.Visible = static_cast<int>(line.Shown.size()) - 1;
  return line;
}

// A position past the characters shown before an ellipsis lies at its end.
int TZellCustomTextBox::CaptionX(const TCaptionLine& line, int position) const {
  const QFontMetrics metrics(font());
  const QString before = position <= line.Visible ? line.Shown.left(position) : line.Shown;
  return line.Bounds.left() + metrics.horizontalAdvance(before);
}

int TZellCustomTextBox::PositionAt(int x) const {
  const TCaptionLine line = CaptionLine(CaptionArea(), GetDrawTextParams());
  const int length = static_cast<int>(text().size());
  int nearest = 0;
  int distance = std::abs(CaptionX(line, 0) - x);
  for (int position = 1; position <= length; ++position) {
    if (position > line.Visible && position < length)
      continue;  // behind the ellipsis: its end stands for them
    const int d = std::abs(CaptionX(line, position) - x);
    if (d < distance) {
      nearest = position;
      distance = d;
    }
  }
  return nearest;
}

// The selection in the palette's highlight colours; without one, the caret
// while the box has the focus. Nothing shows otherwise.
void TZellCustomTextBox::DrawSelection(QPainter& canvas, const QRect& area, const TDrawTextParams& params) {
  const TCaptionLine line = CaptionLine(area, params);
  if (!HasSelectedText()) {
    if (hasFocus())
      canvas.fillRect(
          QRect(CaptionX(line, FCaret), line.Bounds.top(), 1, line.Bounds.height()).intersected(area),
          palette().color(QPalette::WindowText));
    return;
  }
  const int left = CaptionX(line, SelectionStart());
  const QRect band =
      QRect(left, line.Bounds.top(), CaptionX(line, SelectionEnd()) - left, line.Bounds.height())
          .intersected(area);
  canvas.save();
  canvas.setClipRect(band);
  canvas.fillRect(band, palette().color(QPalette::Highlight));
  // The same text again in the highlight's text colour, glyph on glyph.
  canvas.setPen(palette().color(QPalette::HighlightedText));
  canvas.setBrush(Qt::NoBrush);
  QRect r = area;
  QString caption = text();
  DrawTextWithParams(canvas, r, caption, params, &palette());
  canvas.restore();
}

bool TZellCustomTextBox::MoveCaret(const QKeyEvent* event) {
  const int end = static_cast<int>(text().size());
  const bool selection = HasSelectedText();
  // Without Shift an arrow first collapses a selection to its side.
  const std::tuple<QKeySequence::StandardKey, int, bool> moves[] = {
      {QKeySequence::MoveToNextChar, selection ? SelectionEnd() : FCaret + 1, false},
      {QKeySequence::MoveToPreviousChar, selection ? SelectionStart() : FCaret - 1, false},
      {QKeySequence::SelectNextChar, FCaret + 1, true},
      {QKeySequence::SelectPreviousChar, FCaret - 1, true},
      {QKeySequence::MoveToStartOfLine, 0, false},
      {QKeySequence::MoveToStartOfDocument, 0, false},
      {QKeySequence::MoveToEndOfLine, end, false},
      {QKeySequence::MoveToEndOfDocument, end, false},
      {QKeySequence::SelectStartOfLine, 0, true},
      {QKeySequence::SelectStartOfDocument, 0, true},
      {QKeySequence::SelectEndOfLine, end, true},
      {QKeySequence::SelectEndOfDocument, end, true},
  };
  for (const auto& [key, target, extend] : moves) {
    if (!event->matches(key)) continue;
    SetSelection(extend ? FAnchor : target, target);
    return true;
  }
  return false;
}

bool TZellCustomTextBox::event(QEvent* event) {
  if (event->type() == QEvent::Enter) {
    if (Selectable())
      setCursor(Qt::IBeamCursor);
    else
      unsetCursor();
  }
  if (!Selectable()) return TZellCustomLabel::event(event);
  if (event->type() == QEvent::ShortcutOverride) {
    // Its own keys, before any shortcut of the window.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
      event->accept();
      return true;
    }
  }
  // A result is only ever copied from.
  if (event->type() == TClipboardQueryEvent::EventType()) {
    auto* query = static_cast<TClipboardQueryEvent*>(event);
    query->Answer(query->Request() == TClipboardRequest::crCopy && HasSelectedText());
    return true;
  }
  if (event->type() == TClipboardRequestEvent::EventType()) {
    if (static_cast<TClipboardRequestEvent*>(event)->Request() == TClipboardRequest::crCopy &&
        HasSelectedText()) {
      Copy();
      event->accept();
    }
    return true;
  }
  return TZellCustomLabel::event(event);
}

// The selectable box handles its input itself; QLabel's own text handling
// (the base of the handlers below) is passed by, as the box draws itself.
void TZellCustomTextBox::keyPressEvent(QKeyEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::keyPressEvent(event);
    return;
  }
  if (event->matches(QKeySequence::Copy))
    Copy();
  else if (event->matches(QKeySequence::SelectAll))
    SelectAll();
  else if (!MoveCaret(event)) {
    QFrame::keyPressEvent(event);  // not the box's key: on to the window
    return;
  }
  event->accept();
}

void TZellCustomTextBox::mousePressEvent(QMouseEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::mousePressEvent(event);
    return;
  }
  if (event->button() != Qt::LeftButton) {
    QFrame::mousePressEvent(event);  // the right button keeps the selection for the menu
    return;
  }
  const int position = PositionAt(event->position().toPoint().x());
  SetSelection((event->modifiers() & Qt::ShiftModifier) ? FAnchor : position, position);
  event->accept();
}

void TZellCustomTextBox::mouseMoveEvent(QMouseEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::mouseMoveEvent(event);
    return;
  }
  if (event->buttons() & Qt::LeftButton) SetSelection(FAnchor, PositionAt(event->position().toPoint().x()));
  event->accept();
}

void TZellCustomTextBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::mouseReleaseEvent(event);
    return;
  }
  QFrame::mouseReleaseEvent(event);
}

// A result is one value: a double click selects all of it.
void TZellCustomTextBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!Selectable() || event->button() != Qt::LeftButton) {
    TZellCustomLabel::mouseDoubleClickEvent(event);
    return;
  }
  SelectAll();
  event->accept();
}

// Tab and the caption's access key select the whole result, as they do in
// an edit field, so that Ctrl+C copies it at once.
void TZellCustomTextBox::focusInEvent(QFocusEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::focusInEvent(event);
    return;
  }
  QFrame::focusInEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
    SelectAll();
  update();
}

// Only the control with the focus shows a selection; a context menu or
// another window borrowing the focus keeps it.
void TZellCustomTextBox::focusOutEvent(QFocusEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::focusOutEvent(event);
    return;
  }
  if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
    SetSelection(FCaret, FCaret);
  QFrame::focusOutEvent(event);
  update();
}

// What a read-only edit field offers: Copy and Select All, with the captions
// and keys of Qt's own edit menus.
void TZellCustomTextBox::contextMenuEvent(QContextMenuEvent* event) {
  if (!Selectable()) {
    TZellCustomLabel::contextMenuEvent(event);
    return;
  }
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const auto addItem = [this, menu](const char* caption, QKeySequence::StandardKey key, const char* name,
                                    bool enabled, const std::function<void()>& run) {
    QAction* action = menu->addAction(QLineEdit::tr(caption) + QLatin1Char('\t') +
                                      QKeySequence(key).toString(QKeySequence::NativeText));
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, run);
  };
  addItem("&Copy", QKeySequence::Copy, "edit-copy", HasSelectedText(), [this] { Copy(); });
  menu->addSeparator();
  addItem("Select All", QKeySequence::SelectAll, "select-all", !text().isEmpty(), [this] { SelectAll(); });
  menu->popup(event->globalPos());
  event->accept();
}

TTextBox::TTextBox(QWidget* parent) : TZellCustomTextBox(parent) { SetSelectable(true); }

}  // namespace Parlamine
