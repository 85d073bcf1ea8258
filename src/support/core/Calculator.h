// SPDX-License-Identifier: MIT
// The stored value of a calculator, the cycle the banner steps through, and
// the geometry of the banner's sliding logo.
#pragma once

#include <cstdint>
#include <span>

namespace Parlamine {

// The calculator shown; one byte in memory, its integer value when stored.
// Each calculator declares its value (TCalculatorInfo); a new calculator adds
// its value here.
enum class TCalculator : uint8_t { caRadixer = 0, caIPSubnet = 1, caLatency = 2, caPrefix = 3 };

// The calculator a stored or computed ordinal names among the known ones; an
// ordinal none of them has means the IP Subnet Calculator, the program's
// default, so a damaged value never selects a calculator that is not there.
TCalculator CalculatorFromOrdinal(int ordinal, std::span<const TCalculator> known);

// The neighbours in the cycle of the known calculators, in the cycle's order:
// the previous one wraps from the first to the last, the next one from the
// last to the first. A calculator outside the cycle counts as IP Subnet.
struct TAdjacentCalculators {
  TCalculator Previous;
  TCalculator Next;
  bool operator==(const TAdjacentCalculators&) const = default;
};
TAdjacentCalculators AdjacentCalculators(TCalculator calculator, std::span<const TCalculator> cycle);

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
