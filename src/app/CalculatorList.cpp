// SPDX-License-Identifier: MIT
#include "CalculatorList.h"

#include <algorithm>

#include "IPSubnetCalculator.h"
#include "LatencyCalculator.h"
#include "PrefixCalculator.h"
#include "RadixerCalculator.h"

namespace Parlamine {

namespace {

template <typename TCalculatorClass>
TCalculatorRegistration Register() {
  return {&TCalculatorClass::CalculatorInfo,
          [] { return static_cast<TCustomCalculator*>(new TCalculatorClass); }};
}

}  // namespace

const std::vector<TCalculatorRegistration>& RegisteredCalculators() {
  static const std::vector<TCalculatorRegistration> calculators = {
      Register<TIPSubnetCalculator>(),
      Register<TRadixerCalculator>(),
      Register<TLatencyCalculator>(),
      Register<TPrefixCalculator>(),
  };
  return calculators;
}

std::vector<TCalculatorInfo> RegisteredCalculatorInfos() {
  std::vector<TCalculatorInfo> infos;
  for (const TCalculatorRegistration& registration : RegisteredCalculators())
    infos.push_back(registration.Info());
  std::stable_sort(infos.begin(), infos.end(),
                   [](const TCalculatorInfo& a, const TCalculatorInfo& b) { return a.Value < b.Value; });
  return infos;
}

}  // namespace Parlamine
