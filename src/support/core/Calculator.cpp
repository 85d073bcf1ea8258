// SPDX-License-Identifier: MIT
#include "Calculator.h"

#include <algorithm>
#include <cstdlib>

namespace Parlamine {

TCalculator CalculatorFromOrdinal(int ordinal, std::span<const TCalculator> known) {
  const auto found = std::find_if(known.begin(), known.end(), [ordinal](TCalculator calculator) {
    return static_cast<int>(calculator) == ordinal;
  });
  return found != known.end() ? *found : TCalculator::caIPSubnet;
}

TAdjacentCalculators AdjacentCalculators(TCalculator calculator, std::span<const TCalculator> cycle) {
  if (cycle.empty()) return {calculator, calculator};
  const TCalculator current = CalculatorFromOrdinal(static_cast<int>(calculator), cycle);
  const auto position = std::find(cycle.begin(), cycle.end(), current);
  // IP Subnet may itself be missing from a cycle: start from the first then.
  const size_t index = position != cycle.end() ? static_cast<size_t>(position - cycle.begin()) : 0;
  const size_t count = cycle.size();
  return {cycle[(index + count - 1) % count], cycle[(index + 1) % count]};
}

TLogoRect LogoHomeRect(int panelWidth, int panelHeight) {
  // Integer division truncates toward zero, also for a panel smaller than the logo.
  const int left = (panelWidth - LogoWidth) / 2;
  const int top = (panelHeight - LogoHeight) / 2;
  return TLogoRect{left, top, LogoWidth, LogoHeight}.Translated(-LogoLeftShift, 0);
}

bool TLogoSlide::Start(TSlideDirection direction, int panelWidth, int panelHeight) {
  const int centredLeft = (panelWidth - LogoWidth) / 2 - LogoLeftShift;
  if (direction == TSlideDirection::sdFromAbove) {
    // Top-aligned, then one logo height up: just above the visible area.
    SlideStep = LogoSlideStepPixels;
    SlideRect = TLogoRect{centredLeft, 0, LogoWidth, LogoHeight}.Translated(0, -LogoHeight);
  } else if (direction == TSlideDirection::sdFromBelow) {
    // Bottom-aligned, then one logo height down: just below the visible area.
    SlideStep = -LogoSlideStepPixels;
    SlideRect =
        TLogoRect{centredLeft, panelHeight - LogoHeight, LogoWidth, LogoHeight}.Translated(0, LogoHeight);
  } else {
    SlideRect = LogoHomeRect(panelWidth, panelHeight);
    SlideDirection = TSlideDirection::sdNone;
    return false;
  }
  SlideDirection = direction;
  return true;
}

bool TLogoSlide::Tick(const TLogoRect& homeRect) {
  const int distance = std::abs(homeRect.Top - SlideRect.Top);
  const bool running = distance > std::abs(SlideStep);
  if (running)
    SlideRect = SlideRect.Translated(0, SlideStep);
  else
    SlideDirection = TSlideDirection::sdNone;
  return running;
}

}  // namespace Parlamine
