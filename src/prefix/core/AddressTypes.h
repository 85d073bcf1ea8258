// SPDX-License-Identifier: MIT
// What an address is for: the blocks of the IANA IPv4 and IPv6
// special-purpose address registries, with the blocks of the address-space
// registries that give the rest of each family its meaning (multicast,
// global unicast, reserved), each with the RFC that defines it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PrefixAddress.h"

namespace Parlamine {

// The meaning of a block: "Private use" with "RFC 1918". Rfc is empty for
// IPv4 global unicast, which no single RFC defines. Flags holds the
// special-purpose registries' five columns as letters, T (True), F (False) or
// N (N/A), in the order of RegistryFlagCaptions; it is empty for the types
// those registries do not list (global unicast, multicast, reserved).
struct TAddressType {
  std::string_view Name;
  std::string_view Rfc;
  std::string_view Flags;
  bool operator==(const TAddressType&) const = default;
};

// The registries' column captions.
inline constexpr std::array<std::string_view, 5> RegistryFlagCaptions = {
    "Source", "Destination", "Forwardable", "Globally Reachable", "Reserved-by-Protocol"};

// The five values as the registries write them, "True", "False" or "N/A";
// none for a type they do not list.
std::optional<std::array<std::string_view, 5>> RegistryFlags(const TAddressType& type);

struct TSpecialPurposeBlock {
  TPrefix Block;
  TAddressType Type;
};

// The registry of a family, as listed (blocks may nest: 192.0.0.8/32 lies in
// 192.0.0.0/24; the longer prefix gives the meaning of its addresses).
const std::vector<TSpecialPurposeBlock>& SpecialPurposeBlocks(TAddressFamily family);

// The meaning of addresses outside every listed block: IPv4 "Global unicast",
// IPv6 "Reserved by IETF" (RFC 4291).
TAddressType UnlistedAddressType(TAddressFamily family);

// The types of the addresses of a prefix, in address order, each type once.
// A prefix inside one block has one type; a prefix that covers blocks of
// several types (or listed and unlisted addresses) has them all.
std::vector<TAddressType> AddressTypes(const TPrefix& prefix);

// "Private use (RFC 1918)"; "Global unicast" when there is no RFC.
std::string AddressTypeText(const TAddressType& type);
// The one type's text, or "Several types: " and every type's text joined by
// ", ".
std::string AddressTypeText(const TPrefix& prefix);

// "Source True, Destination True, Forwardable True, Globally Reachable False,
// Reserved-by-Protocol False"; "Not in the special-purpose registries" for an
// unlisted type.
std::string RegistryFlagsText(const TAddressType& type);
// The one type's flags; for a prefix of several types each type's name, a
// colon and its flags, joined by "; ".
std::string RegistryFlagsText(const TPrefix& prefix);

}  // namespace Parlamine
