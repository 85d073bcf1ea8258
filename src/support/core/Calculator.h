// SPDX-License-Identifier: MIT
// The four calculators of the program, their names and descriptions, and the
// geometry of the banner's sliding logo.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Parlamine {

// The calculator shown; one byte in memory, its integer value when stored.
enum class TCalculator : uint8_t { caRadixer = 0, caIPSubnet = 1, caLatency = 2, caPrefix = 3 };

inline constexpr int CalculatorCount = 4;

// A stored or computed ordinal outside 0..3 means the IP Subnet Calculator,
// the program's default, so a damaged value never indexes past the tables.
TCalculator CalculatorFromOrdinal(int ordinal);
// The table index of a calculator, with the same rule for values outside the
// enumeration.
int CalculatorIndex(TCalculator calculator);

// Indexed by CalculatorIndex.
inline constexpr std::array<std::string_view, CalculatorCount> CalculatorNames = {
    "Radixer Calculator", "IP Subnet Calculator", "Latency Calculator", "Prefix Calculator"};
inline constexpr std::array<std::string_view, CalculatorCount> CalculatorDescriptions = {
    "The Radixer Calculator performs useful functions with binary, decimal, hexadecimal, and octal numbers",
    "The IP Subnet Calculator is a free utility that helps in learning and calculating IP subnets",
    "The Latency Calculator estimates response times for packets traversing a series of networks",
    "The Prefix Calculator splits, summarizes and explains classless IPv4 and IPv6 prefixes"};

// The neighbours in the cycle of all calculators in ordinal order:
// previous = (c + CalculatorCount - 1) mod CalculatorCount,
// next = (c + 1) mod CalculatorCount.
struct TAdjacentCalculators {
  TCalculator Previous;
  TCalculator Next;
  bool operator==(const TAdjacentCalculators&) const = default;
};
TAdjacentCalculators AdjacentCalculators(TCalculator calculator);

// --- The banner's logo slide ------------------------------------------------
// A rectangle in pixels of the logo panel's client area; Right and Bottom are
// exclusive (Left + Width, Top + Height).
struct TLogoRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  TLogoRect Translated(int dx, int dy) const { return {Left + dx, Top + dy, Width, Height}; }
  bool operator==(const TLogoRect&) const = default;
};

// Where a new logo comes from: none (drawn at once), from above (the up
// button) or from below (the down button). The ordinals are the stored ones.
enum class TSlideDirection : uint8_t { sdNone = 0, sdFromAbove = 1, sdFromBelow = 2 };

// The logo's size and how far it moves per animation tick.
inline constexpr int LogoWidth = 142;
inline constexpr int LogoHeight = 58;
inline constexpr int LogoSlideStepPixels = 8;
// The logo rests this far left of the panel's centre, to leave room for the
// arrow buttons at its right.
inline constexpr int LogoLeftShift = 8;

// The rest position of the logo: centred in the panel on both axes (halves
// rounded toward zero), then moved LogoLeftShift pixels left.
TLogoRect LogoHomeRect(int panelWidth, int panelHeight);

// The state of one slide: the incoming logo's rectangle and its step per
// tick (+8 down, -8 up). Start puts it just outside the panel on the side it
// comes from; Tick moves it toward HomeRect and reports whether it still runs.
struct TLogoSlide {
  TLogoRect SlideRect;
  int SlideStep = 0;
  TSlideDirection SlideDirection = TSlideDirection::sdNone;

  // Returns false (and changes nothing but SlideRect) for sdNone.
  bool Start(TSlideDirection direction, int panelWidth, int panelHeight);
  // One timer tick: moves by SlideStep while the distance to home is larger
  // than one step; otherwise ends the slide (direction back to none) and
  // returns false, leaving the logo to be drawn at home.
  bool Tick(const TLogoRect& homeRect);
};

}  // namespace Parlamine
