// SPDX-License-Identifier: MIT
// A vertical stacked bar: up to 16 coloured stripes from the top down, each as
// high as its fraction of the bar. The latency graphs show one per packet
// direction, a stripe per chain element.
#pragma once

#include <QColor>
#include <array>
#include <cstdint>

#include "ZellPanels.h"

namespace Parlamine {

class TRainbowBar;

// One stripe: its colour (0xRRGGBB) and its fraction (0 to 1) of the bar's
// height. Setting a different value tells the owning bar.
class TRainbowStripe {
 public:
  std::uint32_t Color() const { return FColor; }
  void SetColor(std::uint32_t color);
  float Value() const { return FValue; }
  void SetValue(float value);

 private:
  friend class TRainbowBar;
  TRainbowBar* FOwner = nullptr;
  std::uint32_t FColor = 0;
  float FValue = 0;
};

class TRainbowBar : public TZellCustomPanel {
  Q_OBJECT

 public:
  static constexpr int MaxStripes = 16;

  explicit TRainbowBar(QWidget* parent = nullptr);

  // 1 to 16 (0 is taken as 1, more than 16 as 16). A new count resets the
  // stripes: colours from the rainbow table, each 1 / count of the height.
  int NumStripes() const { return FNumStripes; }
  void SetNumStripes(int count);
  // Any of the 16 stripes, also beyond NumStripes; another index throws
  // std::out_of_range "Array index out of bounds: <index>".
  TRainbowStripe& Stripes(int index);
  const TRainbowStripe& Stripes(int index) const;

  // The drawing area (inside the border) and the stripes' pixel heights in
  // it, as painted.
  QRect StripeArea() const;
  std::vector<int> StripeHeights() const;

 signals:
  // After any stripe change and after a change of NumStripes.
  void OnChange();

 protected:
  void DrawPanel(QPainter& canvas, QRect& rect) override;
  void DrawCaption(QPainter& canvas, QRect& rect, const TDrawTextParams& params) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class TRainbowStripe;
  void StripeChanged();
  void ResetStripes();
  void Changed();

  std::array<TRainbowStripe, MaxStripes> FStripes;
  int FNumStripes = 5;
  bool FNotify = true;  // off while the stripes are reset together
  QColor FPaletteBase;  // the base colour the background was taken from
};

}  // namespace Parlamine
