// SPDX-License-Identifier: MIT
// Everything the "Prefix Info" page shows about one prefix, as texts.
#pragma once

#include <string>
#include <vector>

#include "PrefixAddress.h"

namespace Parlamine {

// The texts of one prefix. Fields marked IPv4 are empty for IPv6, whose page
// hides their rows, and those marked IPv6 are empty for IPv4.
struct TPrefixInfo {
  TAddressFamily Family = TAddressFamily::afIPv4;
  TPrefix Prefix;
  std::string Network;       // "192.168.1.0/24"
  std::string PrefixLength;  // "24"
  std::string Netmask;       // IPv4: "255.255.255.0"
  std::string WildcardMask;  // IPv4: "0.0.0.255"
  std::string FirstAddress;
  std::string LastAddress;      // for IPv4 the broadcast address (where there is one)
  std::string FirstHost;        // IPv4: /31 has two hosts (RFC 3021), /32 one
  std::string LastHost;         // IPv4
  std::string Addresses;        // "256", up to "340,282,366,920,938,463,463,374,607,431,768,211,456"
  std::string UsableHosts;      // IPv4: "254"; /31 "2"; /32 "1"
  std::string AddressType;      // "Private use (RFC 1918)" or "Several types: ..."
  std::string RegistryFlags;    // "Source True, Destination True, ..." (RegistryFlagsText)
  std::string ReverseDnsZone;   // "1.168.192.in-addr.arpa", at the enclosing octet or nibble boundary
  std::string ReverseDnsZones;  // the zones that delegate exactly the prefix, joined by ", "
  std::string Exploded;         // IPv6: the typed address, "2001:0db8:0000:...:0001"
  std::string IPv6Netmask;      // IPv6: "ffff:ffff:ffff:ffff::"
  std::string EmbeddedIPv4;     // IPv6: "6to4: 192.0.2.4" (EmbeddedIPv4Text), or "None"
  std::string BitMap;           // IPv4: "nnnnnnnn.nnnnnnnn.nnnnnnnn.hhhhhhhh", n network, h host bits
  std::string BinaryAddress;    // IPv4: the address as typed, "11000000.10101000.00000001.00000000"
};

// The texts for an address (as typed, host bits allowed) and a prefix length
// (clamped to the family's 0..bits).
TPrefixInfo PrefixInfo(const TAddress& address, int length);

// Hosts of an IPv4 prefix: 2^(32-n) - 2, but 2 for a /31 and 1 for a /32.
uint64_t IPv4UsableHosts(int length);

// The reverse DNS zone that holds the prefix: in-addr.arpa with the whole
// octets of the prefix, ip6.arpa with its whole nibbles, lowest first.
std::string ReverseDnsZone(const TPrefix& prefix);

// The zones that delegate exactly the prefix: its own zone on an octet
// (nibble) boundary; otherwise the zones of every subnet at the next
// boundary, in address order (a /22 gives four in-addr.arpa zones of /24, an
// IPv6 /30 four ip6.arpa zones of /32).
std::vector<std::string> ReverseDnsZones(const TPrefix& prefix);

}  // namespace Parlamine
