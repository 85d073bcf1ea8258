// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "AddressTypes.h"

namespace Parlamine {
namespace {

std::string TypeOf(const std::string& text) {
  const TPrefixParse parsed = ParsePrefix(text);
  EXPECT_TRUE(parsed.Ok) << text << ": " << parsed.Error;
  return AddressTypeText(parsed.Prefix());
}

// Each row from the IANA registries: the block named, the RFC given there.
TEST(SpecialPurpose, OneTypePerBlock) {
  const struct {
    std::string Text;
    std::string Type;
  } cases[] = {
      {"10.20.30.40", "Private use (RFC 1918)"},
      {"172.31.255.255", "Private use (RFC 1918)"},
      {"172.32.0.0", "Global unicast"},
      {"192.168.0.0/16", "Private use (RFC 1918)"},
      {"100.64.0.0/10", "Shared address space (RFC 6598)"},
      {"100.128.0.0", "Global unicast"},
      {"127.0.0.1", "Loopback (RFC 1122)"},
      {"169.254.10.1/24", "Link local (RFC 3927)"},
      {"192.0.2.0/24", "Documentation (TEST-NET-1) (RFC 5737)"},
      {"198.51.100.1", "Documentation (TEST-NET-2) (RFC 5737)"},
      {"203.0.113.255", "Documentation (TEST-NET-3) (RFC 5737)"},
      {"198.19.255.255", "Benchmarking (RFC 2544)"},
      {"224.0.0.1", "Multicast (RFC 5771)"},
      {"239.255.255.255", "Multicast (RFC 5771)"},
      {"240.0.0.1", "Reserved (RFC 1112)"},
      {"255.255.255.254", "Reserved (RFC 1112)"},
      {"255.255.255.255", "Limited broadcast (RFC 919)"},
      {"0.0.0.0", "This host on this network (RFC 1122)"},
      {"0.1.2.3", "This network (RFC 791)"},
      {"192.0.0.8", "IPv4 dummy address (RFC 7600)"},
      {"192.0.0.170", "NAT64/DNS64 discovery (RFC 8880)"},
      {"192.0.0.100", "IETF protocol assignments (RFC 6890)"},
      {"192.88.99.1", "Deprecated (6to4 relay anycast) (RFC 7526)"},
      {"8.8.8.8", "Global unicast"},
      {"8.0.0.0/7", "Global unicast"},
      {"::", "Unspecified (RFC 4291)"},
      {"::1", "Loopback (RFC 4291)"},
      {"::2", "Reserved by IETF (RFC 4291)"},
      {"::ffff:192.0.2.1", "IPv4-mapped (RFC 4291)"},
      {"64:ff9b::192.0.2.1", "IPv4-IPv6 translation (NAT64) (RFC 6052)"},
      {"100::/64", "Discard-only (RFC 6666)"},
      {"2001:0:4136:e378::/64", "Teredo (RFC 4380)"},
      {"2001:db8:1::/48", "Documentation (RFC 3849)"},
      {"2002:c000:201::", "6to4 (RFC 3056)"},
      {"fd12:3456:789a::1", "Unique local (RFC 4193)"},
      {"fe80::1", "Link local (RFC 4291)"},
      {"ff02::1", "Multicast (RFC 4291)"},
      {"2606:4700::1111", "Global unicast (RFC 4291)"},
      {"6000::/3", "Reserved by IETF (RFC 4291)"},
      {"5f00:1::/32", "Segment routing (SRv6) SIDs (RFC 9602)"},
      // The registries' additions of 2025, each inside a wider block.
      {"192.88.99.2", "6a44 relay anycast (RFC 6751)"},
      {"192.88.99.3", "Deprecated (6to4 relay anycast) (RFC 7526)"},
      {"2001:1::3", "DNS-SD service registration protocol anycast (RFC 9665)"},
      {"2001:1::4", "IETF protocol assignments (RFC 2928)"},
      {"100:0:0:1::/64", "Dummy IPv6 prefix (RFC 9780)"},
      {"100:0:0:1:ffff::", "Dummy IPv6 prefix (RFC 9780)"},
      {"100:0:0:2::", "Reserved by IETF (RFC 4291)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TypeOf(c.Text), c.Type) << c.Text;
}

TEST(SpecialPurpose, PrefixCoveringSeveralTypesNamesThemInAddressOrder) {
  const struct {
    std::string Text;
    std::string Type;
  } cases[] = {
      {"192.168.0.0/15", "Several types: Private use (RFC 1918), Global unicast"},
      {"10.0.0.0/7", "Several types: Private use (RFC 1918), Global unicast"},
      {"192.0.0.0/24",
       "Several types: IPv4 service continuity prefix (RFC 7335), IPv4 dummy address (RFC 7600), "
       "Port Control Protocol anycast (RFC 7723), Traversal Using Relays around NAT anycast (RFC 8155), "
       "IETF protocol assignments (RFC 6890), NAT64/DNS64 discovery (RFC 8880)"},
      {"240.0.0.0/4", "Several types: Reserved (RFC 1112), Limited broadcast (RFC 919)"},
      {"fe00::/8",
       "Several types: Reserved by IETF (RFC 4291), Link local (RFC 4291), Deprecated (site local) (RFC "
       "3879)"},
      {"::/127", "Several types: Unspecified (RFC 4291), Loopback (RFC 4291)"},
      {"4000::/3", "Several types: Reserved by IETF (RFC 4291), Segment routing (SRv6) SIDs (RFC 9602)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TypeOf(c.Text), c.Type) << c.Text;
}

// The registries' Source, Destination, Forwardable, Globally Reachable and
// Reserved-by-Protocol columns, N/A where they write it.
TEST(SpecialPurpose, RegistryFlags) {
  const struct {
    std::string Text;
    std::string Flags;
  } cases[] = {
      {"10.1.0.0/16",
       "Source True, Destination True, Forwardable True, Globally Reachable False, Reserved-by-Protocol "
       "False"},
      {"0.0.0.0",
       "Source True, Destination False, Forwardable False, Globally Reachable False, Reserved-by-Protocol "
       "True"},
      {"169.254.1.1",
       "Source True, Destination True, Forwardable False, Globally Reachable False, Reserved-by-Protocol "
       "True"},
      {"255.255.255.255",
       "Source False, Destination True, Forwardable False, Globally Reachable False, Reserved-by-Protocol "
       "True"},
      {"192.88.99.1",
       "Source N/A, Destination N/A, Forwardable N/A, Globally Reachable N/A, Reserved-by-Protocol N/A"},
      {"192.88.99.2",
       "Source True, Destination True, Forwardable True, Globally Reachable True, Reserved-by-Protocol "
       "False"},
      {"2001:0:4136:e378::/64",
       "Source True, Destination True, Forwardable True, Globally Reachable N/A, Reserved-by-Protocol False"},
      {"100:0:0:1::/64",
       "Source True, Destination False, Forwardable False, Globally Reachable False, Reserved-by-Protocol "
       "False"},
      {"::1",
       "Source False, Destination False, Forwardable False, Globally Reachable False, Reserved-by-Protocol "
       "True"},
      {"8.8.8.8", "Not in the special-purpose registries"},
      {"ff02::1", "Not in the special-purpose registries"},
      {"10.0.0.0/7",
       "Private use: Source True, Destination True, Forwardable True, Globally Reachable False, "
       "Reserved-by-Protocol False; Global unicast: Not in the special-purpose registries"},
  };
  for (const auto& c : cases) EXPECT_EQ(RegistryFlagsText(ParsePrefix(c.Text).Prefix()), c.Flags) << c.Text;
}

TEST(SpecialPurpose, WholeSpacesCoverEveryListedType) {
  for (const TAddressFamily family : {TAddressFamily::afIPv4, TAddressFamily::afIPv6}) {
    const std::vector<TAddressType> types = AddressTypes(MakePrefix({family, 0}, 0));
    for (const TSpecialPurposeBlock& block : SpecialPurposeBlocks(family)) {
      bool found = false;
      for (const TAddressType& type : types) found = found || type == block.Type;
      EXPECT_TRUE(found) << PrefixText(block.Block);
      EXPECT_EQ(block.Type.Rfc.substr(0, 4), "RFC ") << PrefixText(block.Block);
    }
  }
}

}  // namespace
}  // namespace Parlamine
