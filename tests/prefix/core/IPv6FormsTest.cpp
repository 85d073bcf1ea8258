// SPDX-License-Identifier: MIT
// The exploded form and mask by RFC 4291; the embedded IPv4 by RFC 4291
// (mapped), RFC 6052 (NAT64), RFC 3056 (6to4) and the example of RFC 4380
// section 4 (Teredo).
#include <gtest/gtest.h>

#include <string>

#include "IPv6Forms.h"
#include "PrefixInfo.h"

namespace Parlamine {
namespace {

TPrefixInfo InfoOf(const std::string& text) {
  const TPrefixParse parsed = ParsePrefix(text);
  EXPECT_TRUE(parsed.Ok) << text << ": " << parsed.Error;
  return PrefixInfo(parsed.Address, parsed.Length);
}

TEST(IPv6Forms, ExplodedAndNetmask) {
  const struct {
    std::string Text, Exploded, Netmask;
  } cases[] = {
      {"2001:db8::1/64", "2001:0db8:0000:0000:0000:0000:0000:0001", "ffff:ffff:ffff:ffff::"},
      {"::/0", "0000:0000:0000:0000:0000:0000:0000:0000", "::"},
      {"fe80::a:b0c:d/10", "fe80:0000:0000:0000:0000:000a:0b0c:000d", "ffc0::"},
      {"::ffff:192.0.2.1", "0000:0000:0000:0000:0000:ffff:c000:0201",
       "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
      {"2001:db8::/47", "2001:0db8:0000:0000:0000:0000:0000:0000", "ffff:ffff:fffe::"},
  };
  for (const auto& c : cases) {
    const TPrefixInfo info = InfoOf(c.Text);
    EXPECT_EQ(info.Exploded, c.Exploded) << c.Text;
    EXPECT_EQ(info.IPv6Netmask, c.Netmask) << c.Text;
  }
  EXPECT_EQ(InfoOf("192.0.2.1").Exploded + InfoOf("192.0.2.1").IPv6Netmask, "");
}

TEST(IPv6Forms, EmbeddedIPv4) {
  const struct {
    std::string Text, Embedded;
  } cases[] = {
      {"::ffff:192.0.2.1", "IPv4-mapped: 192.0.2.1"},
      {"::ffff:c633:6401/120", "IPv4-mapped: 198.51.100.1"},
      {"64:ff9b::203.0.113.7", "NAT64: 203.0.113.7"},
      {"2002:c000:0204::/48", "6to4: 192.0.2.4"},
      {"2002:cb00:7101:1::1", "6to4: 203.0.113.1"},
      {"2001:0:4136:e378:8000:63bf:3fff:fdd2", "Teredo: server 65.54.227.120, client 192.0.2.45, port 40000"},
      {"2001:0:102:304::", "Teredo: server 1.2.3.4, client 255.255.255.255, port 65535"},
      // Outside the blocks, or wider than the block that would carry one.
      {"2001:db8::1", "None"},
      {"64:ff9b:1::1", "None"},
      {"2000::/3", "None"},
      {"::ffff:0:0/95", "None"},
  };
  for (const auto& c : cases) EXPECT_EQ(InfoOf(c.Text).EmbeddedIPv4, c.Embedded) << c.Text;
  EXPECT_FALSE(EmbeddedIPv4({TAddressFamily::afIPv4, 0xC0000201u}, ParsePrefix("192.0.2.1").Prefix()));
}

// A prefix between boundaries is delegated as the zones of its subnets at
// the next boundary (RFC 2317 for IPv4 beyond /24 aside).
TEST(ReverseDnsZones, EveryZoneThatDelegatesThePrefix) {
  const struct {
    std::string Text;
    std::vector<std::string> Zones;
  } cases[] = {
      {"10.1.4.0/22",
       {"4.1.10.in-addr.arpa", "5.1.10.in-addr.arpa", "6.1.10.in-addr.arpa", "7.1.10.in-addr.arpa"}},
      {"192.168.0.0/16", {"168.192.in-addr.arpa"}},
      {"192.0.2.4/30",
       {"4.2.0.192.in-addr.arpa", "5.2.0.192.in-addr.arpa", "6.2.0.192.in-addr.arpa",
        "7.2.0.192.in-addr.arpa"}},
      {"172.16.0.0/15", {"16.172.in-addr.arpa", "17.172.in-addr.arpa"}},
      {"2001:db8::/30",
       {"8.b.d.0.1.0.0.2.ip6.arpa", "9.b.d.0.1.0.0.2.ip6.arpa", "a.b.d.0.1.0.0.2.ip6.arpa",
        "b.b.d.0.1.0.0.2.ip6.arpa"}},
      {"2001:db8::/32", {"8.b.d.0.1.0.0.2.ip6.arpa"}},
      {"2001:db8:8::/47", {"8.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa", "9.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReverseDnsZones(ParsePrefix(c.Text).Prefix()), c.Zones) << c.Text;
  EXPECT_EQ(ReverseDnsZones(ParsePrefix("0.0.0.0/1").Prefix()).size(), 128u);
  EXPECT_EQ(ReverseDnsZones(ParsePrefix("0.0.0.0/1").Prefix()).back(), "127.in-addr.arpa");
  EXPECT_EQ(InfoOf("10.1.4.0/23").ReverseDnsZones, "4.1.10.in-addr.arpa, 5.1.10.in-addr.arpa");
}

}  // namespace
}  // namespace Parlamine
