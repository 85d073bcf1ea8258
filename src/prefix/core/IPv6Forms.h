// SPDX-License-Identifier: MIT
// The other text forms of an IPv6 address and the IPv4 address some IPv6
// blocks carry inside theirs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "PrefixAddress.h"

namespace Parlamine {

// Eight groups of four hexadecimal digits, leading zeros kept:
// "2001:0db8:0000:0000:0000:0000:0000:0001".
std::string ExplodedAddress(const TAddress& address);

// The mask of an IPv6 prefix length as an address: /64 "ffff:ffff:ffff:ffff::".
std::string IPv6NetmaskText(int length);

// The IPv4 address an IPv6 address carries: the last 32 bits of an IPv4-mapped
// address (::ffff:0:0/96, RFC 4291) or of the NAT64 well-known prefix
// (64:ff9b::/96, RFC 6052); bits 16 to 47 of 6to4 (2002::/16, RFC 3056); and
// of Teredo (2001::/32, RFC 4380) the server (bits 32 to 63), and the client
// and its UDP port, which Teredo stores with every bit inverted.
struct TEmbeddedIPv4 {
  std::string_view Kind;  // "IPv4-mapped", "NAT64", "6to4", "Teredo"
  TAddress Address;       // the IPv4 address; for Teredo the client's
  std::optional<TAddress> TeredoServer;
  std::optional<uint16_t> TeredoPort;
};

// The embedded address of `address` when `prefix` (the prefix typed with it)
// lies in one of those blocks; none otherwise and for IPv4.
std::optional<TEmbeddedIPv4> EmbeddedIPv4(const TAddress& address, const TPrefix& prefix);

// "6to4: 192.0.2.4"; "Teredo: server 65.54.227.120, client 192.0.2.45, port
// 40000".
std::string EmbeddedIPv4Text(const TEmbeddedIPv4& embedded);

}  // namespace Parlamine
