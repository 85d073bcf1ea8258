// SPDX-License-Identifier: MIT
// Colours that must stay readable whatever the desktop's palette: the role
// colours of the IP subnet bit maps, chosen for the palette in use, and the
// WCAG 2 contrast arithmetic that says whether a text colour is readable on
// its background. Free of any toolkit; the widgets convert their palette's
// colours to TRgb and back.
#pragma once

#include <array>
#include <cstdint>

namespace Parlamine {

struct TRgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  bool operator==(const TRgb&) const = default;
};

// 0xRRGGBB, the form the program's colour tables are written in.
constexpr TRgb RgbFromValue(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value)};
}
constexpr std::uint32_t RgbValue(TRgb colour) {
  return (std::uint32_t{colour.Red} << 16) | (std::uint32_t{colour.Green} << 8) | colour.Blue;
}

// WCAG 2 relative luminance (0 black to 1 white) of an sRGB colour.
double RelativeLuminance(TRgb colour);
// WCAG 2 contrast ratio, (lighter + 0.05) / (darker + 0.05): 1 to 21, the
// same whichever colour is given first.
double ContrastRatio(TRgb first, TRgb second);
// WCAG level AA for normal-sized text.
inline constexpr double MinimumTextContrast = 4.5;

// A colour is dark when black text on it would contrast less than white text.
bool IsDarkColour(TRgb colour);

// The roles of the bits in the IP subnet calculator's bit maps.
enum class TBitMapRole : std::uint8_t { brNetwork, brSubnet, brHost, brGroup };
inline constexpr int BitMapRoleCount = 4;

// The given role colours (navy, maroon, green, purple), kept exactly on a light
// palette, and lighter shades of the same four hues for a dark palette.
inline constexpr std::array<TRgb, BitMapRoleCount> LightBitMapRoleColours = {
    RgbFromValue(0x000080), RgbFromValue(0x800000), RgbFromValue(0x008000), RgbFromValue(0x800080)};
inline constexpr std::array<TRgb, BitMapRoleCount> DarkBitMapRoleColours = {
    RgbFromValue(0xA0A0FF), RgbFromValue(0xFF9696), RgbFromValue(0x78D278), RgbFromValue(0xE696E6)};

// The colour a role's text is drawn in on `background`. A light background
// (any background of a light palette) gives the given colour exactly. A dark
// one (the windows and fields of a dark palette) gives the lighter shade,
// mixed further towards white, keeping its hue, should the shade stay below
// the minimum contrast on an unusually light dark background.
TRgb BitMapRoleColour(TBitMapRole role, TRgb background);

// `colour` moved `weight` (0 to 1) of the way to `target`, rounded.
TRgb MixColours(TRgb colour, TRgb target, double weight);

// The colours of a palette, by the roles the program's drawings read.
struct TPaletteColours {
  TRgb Window, WindowText, Base, AlternateBase, Text, Button, ButtonText, BrightText;
  TRgb Light, Midlight, Mid, Dark, Shadow;
  TRgb Highlight, HighlightedText, Link, LinkVisited, ToolTipBase, ToolTipText, PlaceholderText;
  TRgb DisabledText;
};

// The dark palette the program is checked under: Fusion's usual dark scheme
// (grey 53 windows, grey 42 fields, white text).
const TPaletteColours& DarkFusionColours();

}  // namespace Parlamine
