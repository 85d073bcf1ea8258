// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RainbowGeometry.h"

namespace Parlamine {
namespace {

TEST(RainbowStripeHeights, EachStripeIsRoundedOnItsOwn) {
  struct Row {
    const char* Name;
    int Height;
    std::vector<float> Values;
    std::vector<int> Heights;
  };
  const std::vector<Row> rows = {
      {"halves round to even", 237, {0.5f, 0.25f, 0.25f}, {118, 59, 59}},
      {"odd half rounds up", 3, {0.5f, 0.5f}, {2, 2}},
      {"all zero", 237, {0, 0, 0}, {0, 0, 0}},
      {"one stripe takes all", 100, {1.0f}, {100}},
      {"sixteen equal stripes", 160, std::vector<float>(16, 1.0f / 16), std::vector<int>(16, 10)},
      {"no number, below 0 and above 1", 50, {std::nanf(""), -0.5f, 7.0f}, {0, 0, 50}},
      {"no stripes", 50, {}, {}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(RainbowStripeHeights(row.Height, row.Values), row.Heights) << row.Name;
}

TEST(RainbowColors, ClientRedFirstNetworkYellowSixteenthWhite) {
  EXPECT_EQ(RainbowColors[0], 0xFF0000u);
  EXPECT_EQ(RainbowColors[1], 0xFFFF00u);
  EXPECT_EQ(RainbowColors[4], 0x800080u);
  EXPECT_EQ(RainbowColors[12], 0xC0C0C0u);
  EXPECT_EQ(RainbowColors[15], 0xFFFFFFu);
}

}  // namespace
}  // namespace Parlamine
