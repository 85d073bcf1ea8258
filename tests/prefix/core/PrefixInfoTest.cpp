// SPDX-License-Identifier: MIT
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

// Values worked out by hand: masks from the length, hosts by RFC 950 and
// RFC 3021 (/31), zones by RFC 1035 section 3.5.
TEST(PrefixInfo, IPv4Texts) {
  const struct {
    std::string Text, Network, Length, Netmask, Wildcard, First, Last, FirstHost, LastHost, Addresses, Usable,
        Zone;
  } cases[] = {
      {"192.168.1.0/24", "192.168.1.0/24", "24", "255.255.255.0", "0.0.0.255", "192.168.1.0", "192.168.1.255",
       "192.168.1.1", "192.168.1.254", "256", "254", "1.168.192.in-addr.arpa"},
      {"10.1.2.3/22", "10.1.0.0/22", "22", "255.255.252.0", "0.0.3.255", "10.1.0.0", "10.1.3.255", "10.1.0.1",
       "10.1.3.254", "1,024", "1,022", "1.10.in-addr.arpa"},
      {"0.0.0.0/0", "0.0.0.0/0", "0", "0.0.0.0", "255.255.255.255", "0.0.0.0", "255.255.255.255", "0.0.0.1",
       "255.255.255.254", "4,294,967,296", "4,294,967,294", "in-addr.arpa"},
      {"100.64.0.0 255.192.0.0", "100.64.0.0/10", "10", "255.192.0.0", "0.63.255.255", "100.64.0.0",
       "100.127.255.255", "100.64.0.1", "100.127.255.254", "4,194,304", "4,194,302", "100.in-addr.arpa"},
      {"198.51.100.7/30", "198.51.100.4/30", "30", "255.255.255.252", "0.0.0.3", "198.51.100.4",
       "198.51.100.7", "198.51.100.5", "198.51.100.6", "4", "2", "100.51.198.in-addr.arpa"},
      {"198.51.100.7/31", "198.51.100.6/31", "31", "255.255.255.254", "0.0.0.1", "198.51.100.6",
       "198.51.100.7", "198.51.100.6", "198.51.100.7", "2", "2", "100.51.198.in-addr.arpa"},
      {"203.0.113.9", "203.0.113.9/32", "32", "255.255.255.255", "0.0.0.0", "203.0.113.9", "203.0.113.9",
       "203.0.113.9", "203.0.113.9", "1", "1", "9.113.0.203.in-addr.arpa"},
  };
  for (const auto& c : cases) {
    const TPrefixInfo info = InfoOf(c.Text);
    EXPECT_EQ(info.Network, c.Network) << c.Text;
    EXPECT_EQ(info.PrefixLength, c.Length) << c.Text;
    EXPECT_EQ(info.Netmask, c.Netmask) << c.Text;
    EXPECT_EQ(info.WildcardMask, c.Wildcard) << c.Text;
    EXPECT_EQ(info.FirstAddress, c.First) << c.Text;
    EXPECT_EQ(info.LastAddress, c.Last) << c.Text;
    EXPECT_EQ(info.FirstHost, c.FirstHost) << c.Text;
    EXPECT_EQ(info.LastHost, c.LastHost) << c.Text;
    EXPECT_EQ(info.Addresses, c.Addresses) << c.Text;
    EXPECT_EQ(info.UsableHosts, c.Usable) << c.Text;
    EXPECT_EQ(info.ReverseDnsZone, c.Zone) << c.Text;
  }
}

TEST(PrefixInfo, IPv4BitMapAndTypedAddress) {
  const TPrefixInfo info = InfoOf("10.1.2.3/22");
  EXPECT_EQ(info.BitMap, "nnnnnnnn.nnnnnnnn.nnnnnnhh.hhhhhhhh");
  EXPECT_EQ(info.BinaryAddress, "00001010.00000001.00000010.00000011");
  EXPECT_EQ(InfoOf("0.0.0.0/0").BitMap, "hhhhhhhh.hhhhhhhh.hhhhhhhh.hhhhhhhh");
  EXPECT_EQ(InfoOf("1.2.3.4").BitMap, "nnnnnnnn.nnnnnnnn.nnnnnnnn.nnnnnnnn");
}

TEST(PrefixInfo, IPv6Texts) {
  const std::string zeros31 = [] {
    std::string z;
    for (int i = 0; i < 31; ++i) z += "0.";
    return z;
  }();
  const struct {
    std::string Text, Network, Length, First, Last, Addresses, Zone;
  } cases[] = {
      {"2001:db8::/32", "2001:db8::/32", "32", "2001:db8::", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff",
       "79,228,162,514,264,337,593,543,950,336", "8.b.d.0.1.0.0.2.ip6.arpa"},
      {"::/0", "::/0", "0", "::", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
       "340,282,366,920,938,463,463,374,607,431,768,211,456", "ip6.arpa"},
      {"::1", "::1/128", "128", "::1", "::1", "1", "1." + zeros31 + "ip6.arpa"},
      {"::", "::/128", "128", "::", "::", "1", "0." + zeros31 + "ip6.arpa"},
      {"2001:DB8::1/127", "2001:db8::/127", "127", "2001:db8::", "2001:db8::1", "2",
       "0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa"},
      {"fe80::1/64", "fe80::/64", "64", "fe80::", "fe80::ffff:ffff:ffff:ffff", "18,446,744,073,709,551,616",
       "0.0.0.0.0.0.0.0.0.0.0.0.0.8.e.f.ip6.arpa"},
      {"2001:db8:abcd::/46", "2001:db8:abcc::/46", "46",
       "2001:db8:abcc::", "2001:db8:abcf:ffff:ffff:ffff:ffff:ffff", "4,835,703,278,458,516,698,824,704",
       "c.b.a.8.b.d.0.1.0.0.2.ip6.arpa"},
  };
  for (const auto& c : cases) {
    const TPrefixInfo info = InfoOf(c.Text);
    EXPECT_EQ(info.Family, TAddressFamily::afIPv6) << c.Text;
    EXPECT_EQ(info.Network, c.Network) << c.Text;
    EXPECT_EQ(info.PrefixLength, c.Length) << c.Text;
    EXPECT_EQ(info.FirstAddress, c.First) << c.Text;
    EXPECT_EQ(info.LastAddress, c.Last) << c.Text;
    EXPECT_EQ(info.Addresses, c.Addresses) << c.Text;
    EXPECT_EQ(info.ReverseDnsZone, c.Zone) << c.Text;
    // Rows that mean nothing for IPv6 stay empty.
    EXPECT_EQ(info.Netmask + info.WildcardMask + info.FirstHost + info.LastHost + info.UsableHosts +
                  info.BitMap + info.BinaryAddress,
              "")
        << c.Text;
  }
}

TEST(PrefixInfo, TypeComesFromTheRegistry) {
  EXPECT_EQ(InfoOf("192.168.1.0/24").AddressType, "Private use (RFC 1918)");
  EXPECT_EQ(InfoOf("2001:db8::/32").AddressType, "Documentation (RFC 3849)");
}

// The IPv6 forms: the exploded form and mask by RFC 4291; the embedded IPv4
// by RFC 4291 (mapped), RFC 6052 (NAT64), RFC 3056 (6to4) and the example of
// RFC 4380 section 4 (Teredo).
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
