// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "IPSubnetModel.h"
#include "IPSubnetTexts.h"

namespace Parlamine {
namespace {

TEST(IPSubnetTexts, BitMapLegendsByClassAndMap) {
  EXPECT_EQ(BitMapLegendText(0, false), "Class A Bit Map (n=network;h=host)");
  EXPECT_EQ(BitMapLegendText(1, false), "Class B Bit Map (n=network;h=host)");
  EXPECT_EQ(BitMapLegendText(2, false), "Class C Bit Map (n=network;h=host)");
  EXPECT_EQ(BitMapLegendText(MulticastClass, false), "Multicast Bit Map (g=group)");
  EXPECT_EQ(BitMapLegendText(-1, false), "Multicast Bit Map (g=group)");
  EXPECT_EQ(BitMapLegendText(2, true), "Subnet Bit Map (n=network;s=subnet;h=host)");
  EXPECT_EQ(BitMapLegendText(MulticastClass, true), "Subnet Bit Map (g=group)");
}

}  // namespace
}  // namespace Parlamine
