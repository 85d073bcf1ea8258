// SPDX-License-Identifier: MIT
#include "ZellLabel.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QPainter>
#include <QStringList>

namespace Parlamine {

namespace {

// Room a measuring call gives text that is not wrapped: effectively unbounded.
constexpr int UnboundedExtent = 1 << 20;

int QtHorizontalFlags(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify: return Qt::AlignLeft | Qt::AlignAbsolute;
    case taRightJustify: return Qt::AlignRight | Qt::AlignAbsolute;
    case taCenter: return Qt::AlignHCenter;
  }
  return Qt::AlignLeft;
}

int QtVerticalFlags(TTextLayout layout) {
  switch (layout) {
    case tlTop: return Qt::AlignTop;
    case tlCenter: return Qt::AlignVCenter;
    case tlBottom: return Qt::AlignBottom;
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
  const qsizetype separator = std::max(line.lastIndexOf(QLatin1Char('\\')), line.lastIndexOf(QLatin1Char('/')));
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
    case dteNone: return line;
    case dteEnd:
    case dteWord: return metrics.elidedText(line, Qt::ElideRight, width);
    case dtePath: return ElidePath(line, metrics, width);
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
    case desFlat: return outer ? TEdgeColors{QPalette::Dark, QPalette::Dark} : TEdgeColors{QPalette::Button, QPalette::Button};
    case desMono:
      return outer ? TEdgeColors{QPalette::WindowText, QPalette::WindowText} : TEdgeColors{QPalette::Window, QPalette::Window};
    case desSoft:
      if (part == esRaised) return outer ? TEdgeColors{QPalette::Light, QPalette::Shadow} : TEdgeColors{QPalette::Midlight, QPalette::Dark};
      return outer ? TEdgeColors{QPalette::Shadow, QPalette::Light} : TEdgeColors{QPalette::Dark, QPalette::Midlight};
    case desDefault: break;
  }
  if (part == esRaised) return outer ? TEdgeColors{QPalette::Midlight, QPalette::Shadow} : TEdgeColors{QPalette::Light, QPalette::Dark};
  return outer ? TEdgeColors{QPalette::Dark, QPalette::Light} : TEdgeColors{QPalette::Shadow, QPalette::Midlight};
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

void DrawEdgeWithParams(QPainter& canvas, QRect& rect, const TDrawEdgeParams& params, const QPalette& palette) {
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

void TZellCustomLabel::DrawContents(QPainter& canvas, QRect rect) { DrawCaption(canvas, rect, GetDrawTextParams()); }

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
  TZellCustomLabel::DrawCaption(canvas, rect.adjusted(margin, margin, -margin, -margin), params);
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
  return QSize(2 * ExtraCaptionMargin() + metrics.averageCharWidth(), metrics.height() + 2 * ExtraCaptionMargin());
}

TTextBox::TTextBox(QWidget* parent) : TZellCustomTextBox(parent) {}

}  // namespace Parlamine
