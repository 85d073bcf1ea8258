// SPDX-License-Identifier: MIT
// The calculators of the program: one line each in CalculatorList.cpp.
#pragma once

#include <vector>

#include "CustomCalculator.h"

namespace Parlamine {

struct TCalculatorRegistration {
  const TCalculatorInfo& (*Info)();
  TCustomCalculator* (*Create)();
};

// In the order the window applies their settings at start and saves them at
// exit; the Calculator menu and the banner follow the calculators' values.
const std::vector<TCalculatorRegistration>& RegisteredCalculators();

// Every registered calculator's description, in the order of their values.
std::vector<TCalculatorInfo> RegisteredCalculatorInfos();

}  // namespace Parlamine
