// SPDX-License-Identifier: MIT
#include "ThemeColors.h"

#include <algorithm>
#include <cmath>

namespace Parlamine {

namespace {

double LinearChannel(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

constexpr TRgb White{255, 255, 255};
// Steps of the mix towards white; ten reach white itself, which contrasts at
// least 4.5 : 1 with any background that counts as dark.
constexpr int LiftSteps = 10;

}  // namespace

double RelativeLuminance(TRgb colour) {
  return 0.2126 * LinearChannel(colour.Red) + 0.7152 * LinearChannel(colour.Green) +
         0.0722 * LinearChannel(colour.Blue);
}

double ContrastRatio(TRgb first, TRgb second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDarkColour(TRgb colour) { return ContrastRatio(colour, White) > ContrastRatio(colour, TRgb{}); }

TRgb MixColours(TRgb colour, TRgb target, double weight) {
  const double w = std::clamp(weight, 0.0, 1.0);
  const auto mix = [w](std::uint8_t from, std::uint8_t to) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * w));
  };
  return {mix(colour.Red, target.Red), mix(colour.Green, target.Green), mix(colour.Blue, target.Blue)};
}

TRgb BitMapRoleColour(TBitMapRole role, TRgb background) {
  const auto index = static_cast<std::size_t>(role);
  if (!IsDarkColour(background)) return LightBitMapRoleColours.at(index);
  const TRgb shade = DarkBitMapRoleColours.at(index);
  TRgb lifted = shade;
  for (int step = 1; step <= LiftSteps && ContrastRatio(lifted, background) < MinimumTextContrast; ++step)
    lifted = MixColours(shade, White, static_cast<double>(step) / LiftSteps);
  return lifted;
}

const TPaletteColours& DarkFusionColours() {
  static const TPaletteColours colours = {
      .Window = {53, 53, 53},
      .WindowText = {255, 255, 255},
      .Base = {42, 42, 42},
      .AlternateBase = {66, 66, 66},
      .Text = {255, 255, 255},
      .Button = {53, 53, 53},
      .ButtonText = {255, 255, 255},
      .BrightText = {255, 0, 0},
      .Light = {90, 90, 90},
      .Midlight = {75, 75, 75},
      .Mid = {40, 40, 40},
      .Dark = {30, 30, 30},
      .Shadow = {20, 20, 20},
      .Highlight = {42, 130, 218},
      .HighlightedText = {255, 255, 255},
      .Link = {90, 170, 255},
      .LinkVisited = {190, 140, 255},
      .ToolTipBase = {66, 66, 66},
      .ToolTipText = {255, 255, 255},
      .PlaceholderText = {160, 160, 160},
      .DisabledText = {128, 128, 128},
  };
  return colours;
}

}  // namespace Parlamine
