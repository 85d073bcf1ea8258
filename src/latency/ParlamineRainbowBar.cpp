// SPDX-License-Identifier: MIT
#include "ParlamineRainbowBar.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <algorithm>
#include <stdexcept>
#include <string>

#include "LatencyModel.h"
#include "RainbowGeometry.h"
#include "ThemePalette.h"

namespace Parlamine {

namespace {

// A screen reader reads a bar as a chart whose value is its stripes' shares.
class TRainbowBarAccessible : public QAccessibleWidget {
 public:
  explicit TRainbowBarAccessible(TRainbowBar* bar) : QAccessibleWidget(bar, QAccessible::Chart) {}

  QString text(QAccessible::Text kind) const override {
    if (kind != QAccessible::Value) return QAccessibleWidget::text(kind);
    const auto* bar = static_cast<const TRainbowBar*>(widget());
    QStringList shares;
    for (int i = 0; i < bar->NumStripes(); ++i)
      shares << QString::fromStdString(FormatPercent(bar->Stripes(i).Value()));
    return shares.join(QStringLiteral(", "));
  }
};

QAccessibleInterface* RainbowBarAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TRainbowBar::staticMetaObject.className()) && object &&
      object->isWidgetType())
    return new TRainbowBarAccessible(static_cast<TRainbowBar*>(object));
  return nullptr;
}

}  // namespace

void TRainbowStripe::SetColor(std::uint32_t color) {
  if (color == FColor) return;
  FColor = color;
  if (FOwner) FOwner->StripeChanged();
}

void TRainbowStripe::SetValue(float value) {
  if (value == FValue) return;
  FValue = value;
  if (FOwner) FOwner->StripeChanged();
}

TRainbowBar::TRainbowBar(QWidget* parent) : TZellCustomPanel(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(RainbowBarAccessibleFactory);
    return true;
  }();
  Q_UNUSED(factoryInstalled);
  for (TRainbowStripe& stripe : FStripes) stripe.FOwner = this;
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  FPaletteBase = palette().color(QPalette::Base);
  SetColor(FPaletteBase);
  resize(81, 185);
  ResetStripes();
}

void TRainbowBar::SetNumStripes(int count) {
  count = std::clamp(count, 1, MaxStripes);
  if (count == FNumStripes) return;
  FNumStripes = count;
  ResetStripes();
}

TRainbowStripe& TRainbowBar::Stripes(int index) {
  if (index < 0 || index >= MaxStripes)
    throw std::out_of_range("Array index out of bounds: " + std::to_string(index));
  return FStripes[static_cast<std::size_t>(index)];
}

const TRainbowStripe& TRainbowBar::Stripes(int index) const {
  return const_cast<TRainbowBar*>(this)->Stripes(index);
}

QRect TRainbowBar::StripeArea() const {
  // The single border lies outside any bevels.
  const int size = BorderSize() + 1;
  return rect().adjusted(size, size, -size, -size);
}

std::vector<int> TRainbowBar::StripeHeights() const {
  std::vector<float> values;
  for (int i = 0; i < FNumStripes; ++i) values.push_back(FStripes[static_cast<std::size_t>(i)].Value());
  return RainbowStripeHeights(StripeArea().height(), values);
}

void TRainbowBar::DrawPanel(QPainter& canvas, QRect& rect) {
  DrawBevels(canvas, rect);
  const QRect outer = this->rect();
  const QColor frame = palette().color(QPalette::WindowText);
  canvas.fillRect(QRect(outer.left(), outer.top(), outer.width(), 1), frame);
  canvas.fillRect(QRect(outer.left(), outer.bottom(), outer.width(), 1), frame);
  canvas.fillRect(QRect(outer.left(), outer.top(), 1, outer.height()), frame);
  canvas.fillRect(QRect(outer.right(), outer.top(), 1, outer.height()), frame);

  rect = StripeArea();
  int y = rect.top();
  const std::vector<int> heights = StripeHeights();
  for (std::size_t i = 0; i < heights.size(); ++i) {
    if (heights[i] > 0)
      canvas.fillRect(QRect(rect.left(), y, rect.width(), heights[i]), QColor::fromRgb(FStripes[i].Color()));
    y += heights[i];
  }
  DrawCaption(canvas, rect, CaptionTextParams());
}

void TRainbowBar::DrawCaption(QPainter& canvas, QRect& rect, const TDrawTextParams& params) {
  TZellCustomPanel::DrawCaption(canvas, rect, params);
}

void TRainbowBar::changeEvent(QEvent* event) {
  TZellCustomPanel::changeEvent(event);
  // The background follows the palette's base colour, unless it was given
  // another colour since.
  if (!IsPaletteChange(event->type()) || Color() != FPaletteBase) return;
  FPaletteBase = palette().color(QPalette::Base);
  SetColor(FPaletteBase);
}

void TRainbowBar::ResetStripes() {
  FNotify = false;
  const float share = 1.0f / static_cast<float>(FNumStripes);
  for (int i = 0; i < FNumStripes; ++i) {
    FStripes[static_cast<std::size_t>(i)].SetColor(RainbowColors[static_cast<std::size_t>(i)]);
    FStripes[static_cast<std::size_t>(i)].SetValue(share);
  }
  FNotify = true;
  Changed();
}

void TRainbowBar::StripeChanged() {
  if (FNotify) Changed();
}

void TRainbowBar::Changed() {
  update();
  emit OnChange();
}

}  // namespace Parlamine
