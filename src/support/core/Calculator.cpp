// SPDX-License-Identifier: MIT
#include "Calculator.h"

#include <cstdlib>

namespace Parlamine {

TCalculator CalculatorFromOrdinal(int ordinal) {
  switch (ordinal) {
    case 0:
      return TCalculator::caRadixer;
    case 2:
      return TCalculator::caLatency;
    case 3:
      return TCalculator::caPrefix;
    default:
      return TCalculator::caIPSubnet;
  }
}

int CalculatorIndex(TCalculator calculator) {
  return static_cast<int>(CalculatorFromOrdinal(static_cast<int>(calculator)));
}

TAdjacentCalculators AdjacentCalculators(TCalculator calculator) {
  const int c = CalculatorIndex(calculator);
  return {CalculatorFromOrdinal((c + CalculatorCount - 1) % CalculatorCount),
          CalculatorFromOrdinal((c + 1) % CalculatorCount)};
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
    SlideRect = TLogoRect{centredLeft, panelHeight - LogoHeight, LogoWidth, LogoHeight}.Translated(0, LogoHeight);
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
