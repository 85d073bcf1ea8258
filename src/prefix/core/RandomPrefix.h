// SPDX-License-Identifier: MIT
// A private prefix picked at random, for a new site or lab: inside the
// RFC 1918 blocks for IPv4, a unique local prefix (RFC 4193) for IPv6.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "PrefixAddress.h"

namespace Parlamine {

// Returns a number from 0 to bound - 1 (bound > 0), each equally likely.
using TRandomBelow = std::function<uint64_t(uint64_t bound)>;

// The lengths offered: IPv4 8 to 32 (10.0.0.0/8 holds every one, 172.16.0.0/12
// and 192.168.0.0/16 the longer ones); IPv6 48 to 128.
inline constexpr int MinRandomIPv4Length = 8;
inline constexpr int MinRandomIPv6Length = 48;

// IPv4: one of all the prefixes of that length inside the three RFC 1918
// blocks, each equally likely. IPv6: fd00::/8 with a random 40-bit global ID
// (RFC 4193 section 3.2) and, beyond /48, random subnet and interface bits.
// None for a length outside the family's range.
std::optional<TPrefix> RandomPrivatePrefix(TAddressFamily family, int length,
                                           const TRandomBelow& randomBelow);
// The same from the system's random source (std::random_device).
std::optional<TPrefix> RandomPrivatePrefix(TAddressFamily family, int length);

}  // namespace Parlamine
