// SPDX-License-Identifier: MIT
// Whole addresses as people paste them into the address control.
#include <gtest/gtest.h>

#include "IPAddressText.h"

namespace Parlamine {
namespace {

using TOctets = std::array<int, 4>;

TEST(PastedAddressOctetsTest, TakesAWholeAddressWithWhatMayFollowIt) {
  struct Case {
    const char* Text;
    TOctets Octets;
  };
  const Case cases[] = {
      {"10.1.2.3", {10, 1, 2, 3}},
      {"  10.1.2.3\t", {10, 1, 2, 3}},
      {"10.1.2.3\r\n", {10, 1, 2, 3}},
      {"192.168.100.255/22", {192, 168, 100, 255}},
      {"172.16.5.4 /0", {172, 16, 5, 4}},
      {"172.16.5.4/32", {172, 16, 5, 4}},
      {"10.0.0.1 255.255.252.0", {10, 0, 0, 1}},
      {"10.0.0.1/255.255.255.0", {10, 0, 0, 1}},
      {" 0.0.0.0 ", {0, 0, 0, 0}},
      {"010.001.002.003", {10, 1, 2, 3}},
      {"255.255.255.255", {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    const auto octets = PastedAddressOctets(c.Text);
    ASSERT_TRUE(octets.has_value());
    EXPECT_EQ(*octets, c.Octets);
  }
}

TEST(PastedAddressOctetsTest, RefusesWhatIsNoWholeAddress) {
  for (const char* text : {"",
                           "   ",
                           "12",
                           "10.1.2",
                           "10.1.2.",
                           ".10.1.2",
                           "10..1.2",
                           "10.1.2.3.4",
                           "256.1.1.1",
                           "10.1.2.300",
                           "1000.1.1.1",
                           "10.1.2.3x",
                           "10.1.2.3/33",
                           "10.1.2.3/",
                           "10.1.2.3/-1",
                           "10.1.2.3/220",
                           "10.1.2.3 mask",
                           "10.1.2.3 255.255.0",
                           "10 .1.2.3",
                           "+10.1.2.3",
                           "-1.2.3.4",
                           "a.b.c.d",
                           "10.1.2.3\n10.1.2.4",
                           "1 0.1.2.3"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(PastedAddressOctets(text).has_value());
  }
}

}  // namespace
}  // namespace Parlamine
