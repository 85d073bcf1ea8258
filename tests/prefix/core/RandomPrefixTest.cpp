// SPDX-License-Identifier: MIT
// Random private prefixes: the ends of the choice with a scripted source, the
// system source only ever inside the private blocks.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "AddressTypes.h"
#include "RandomPrefix.h"

namespace Parlamine {
namespace {

std::string Picked(TAddressFamily family, int length, bool highest) {
  const auto prefix =
      RandomPrivatePrefix(family, length, [highest](uint64_t bound) { return highest ? bound - 1 : 0; });
  return prefix ? PrefixText(*prefix) : "none";
}

TEST(RandomPrefix, EndsOfTheChoice) {
  const struct {
    TAddressFamily Family;
    int Length;
    std::string Lowest, Highest;
  } cases[] = {
      {TAddressFamily::afIPv4, 24, "10.0.0.0/24", "192.168.255.0/24"},
      {TAddressFamily::afIPv4, 8, "10.0.0.0/8", "10.0.0.0/8"},
      {TAddressFamily::afIPv4, 12, "10.0.0.0/12", "172.16.0.0/12"},
      {TAddressFamily::afIPv4, 32, "10.0.0.0/32", "192.168.255.255/32"},
      {TAddressFamily::afIPv4, 7, "none", "none"},
      {TAddressFamily::afIPv6, 48, "fd00::/48", "fdff:ffff:ffff::/48"},
      {TAddressFamily::afIPv6, 64, "fd00::/64", "fdff:ffff:ffff:ffff::/64"},
      {TAddressFamily::afIPv6, 128, "fd00::/128", "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128"},
      {TAddressFamily::afIPv6, 47, "none", "none"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Picked(c.Family, c.Length, false), c.Lowest) << c.Length;
    EXPECT_EQ(Picked(c.Family, c.Length, true), c.Highest) << c.Length;
  }
  // The second of three blocks begins after all 65,536 /24s of 10.0.0.0/8.
  const auto second = RandomPrivatePrefix(TAddressFamily::afIPv4, 24, [](uint64_t) { return 65536; });
  EXPECT_EQ(PrefixText(*second), "172.16.0.0/24");
}

TEST(RandomPrefix, SystemSourceStaysPrivateAndVaries) {
  std::set<std::string> seen;
  for (int i = 0; i < 50; ++i) {
    const auto v4 = RandomPrivatePrefix(TAddressFamily::afIPv4, 24);
    ASSERT_TRUE(v4);
    EXPECT_EQ(AddressTypeText(*v4), "Private use (RFC 1918)") << PrefixText(*v4);
    const auto v6 = RandomPrivatePrefix(TAddressFamily::afIPv6, 48);
    ASSERT_TRUE(v6);
    EXPECT_TRUE(Contains(ParsePrefix("fd00::/8").Prefix(), *v6)) << PrefixText(*v6);
    EXPECT_EQ(v6->Length, 48);
    seen.insert(PrefixText(*v6));
  }
  EXPECT_GT(seen.size(), 45u);  // 2^40 global IDs: a repeat in 50 draws is all but impossible
}

}  // namespace
}  // namespace Parlamine
