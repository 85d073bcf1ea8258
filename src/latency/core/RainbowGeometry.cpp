// SPDX-License-Identifier: MIT
#include "RainbowGeometry.h"

#include <cmath>

namespace Parlamine {

std::vector<int> RainbowStripeHeights(int height, std::span<const float> values) {
  std::vector<int> heights;
  heights.reserve(values.size());
  for (float value : values) {
    if (!(value > 0)) {  // also NaN
      heights.push_back(0);
      continue;
    }
    if (value >= 1) {
      heights.push_back(height);
      continue;
    }
    // nearbyint rounds halves to the even neighbour in the default mode.
    heights.push_back(static_cast<int>(std::nearbyint(static_cast<double>(height) * value)));
  }
  return heights;
}

}  // namespace Parlamine
