// SPDX-License-Identifier: MIT
// Classless addresses and prefixes of both IP families: reading them from the
// text a user types or pastes, their canonical text forms and the arithmetic
// of prefix lengths. Plain C++, no toolkit; the command line uses it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Parlamine {

// Unsigned 128-bit integer: IPv6 addresses, address counts. (__extension__
// keeps -Wpedantic quiet about the compiler's own type.)
__extension__ typedef unsigned __int128 TUInt128;

enum class TAddressFamily : uint8_t { afIPv4, afIPv6 };

// 32 or 128.
constexpr int AddressBits(TAddressFamily family) { return family == TAddressFamily::afIPv4 ? 32 : 128; }

// One address. An IPv4 address is held in the low 32 bits of Value, its
// first octet highest; the bits above stay zero.
struct TAddress {
  TAddressFamily Family = TAddressFamily::afIPv4;
  TUInt128 Value = 0;
  bool operator==(const TAddress&) const = default;
};

// A prefix: Network.Value has no bit set after its first Length bits
// (Length from 0 to the family's bits). Build one with MakePrefix.
struct TPrefix {
  TAddress Network;
  int Length = 0;
  bool operator==(const TPrefix&) const = default;
};

// The highest address of the family (all bits set).
TUInt128 AllOnes(TAddressFamily family);
// The first `length` of the family's bits set; `length` is clamped to 0..bits.
TUInt128 PrefixMask(TAddressFamily family, int length);
// The prefix of the given length that holds `address` (host bits cleared);
// `length` is clamped to 0..bits.
TPrefix MakePrefix(const TAddress& address, int length);
// The last address of a prefix (for IPv4 its broadcast address).
TAddress LastAddress(const TPrefix& prefix);
// Whether `inner` lies wholly inside `outer` (same family, equal counts too).
bool Contains(const TPrefix& outer, const TPrefix& inner);

// --- Text forms ------------------------------------------------------------
// IPv4 in dotted decimal; IPv6 in the RFC 5952 form: lower-case hexadecimal
// without leading zeros, the longest run of two or more zero groups (the
// first of equal runs) written "::", a single zero group written "0", and an
// IPv4-mapped address (::ffff:0:0/96) with its last 32 bits dotted, as
// "::ffff:192.0.2.1".
inline constexpr size_t MaxAddressTextSize = 39;
inline constexpr size_t MaxPrefixTextSize = MaxAddressTextSize + 4;  // "/128"

// Write the text at `out` (which must hold MaxAddressTextSize or
// MaxPrefixTextSize characters) and return the end; no terminating zero. For
// tables that format millions of rows without allocating.
char* WriteAddress(const TAddress& address, char* out);
char* WritePrefix(const TPrefix& prefix, char* out);  // "192.0.2.0/24"
std::string AddressText(const TAddress& address);
std::string PrefixText(const TPrefix& prefix);

// Decimal digits of a 128-bit number, no separators.
std::string DecimalText(TUInt128 value);
// Decimal digits of 2 to the power `exponent`, 0 to 128 (2^128 does not fit
// 128 bits but is the size of the IPv6 space).
std::string PowerOfTwoText(int exponent);
// The same with a comma every three digits: "4,294,967,296".
std::string PowerOfTwoCountText(int exponent);

// --- Reading text ----------------------------------------------------------
// Either the value read or the message saying what is wrong with the text;
// messages quote the offending part of the text.
struct TAddressParse {
  bool Ok = false;
  TAddress Address;
  std::string Error;
};

struct TPrefixParse {
  bool Ok = false;
  TAddress Address;  // as typed, host bits kept
  int Length = 0;
  std::string Error;
  // The prefix that holds Address (valid when Ok).
  TPrefix Prefix() const { return MakePrefix(Address, Length); }
};

// An address alone: IPv4 dotted decimal (four numbers 0 to 255, no leading
// zeros) or IPv6 in any RFC 4291 form ("::" once, an IPv4 tail such as
// "::ffff:192.0.2.1", either case); blanks around it are ignored. A zone
// index ("fe80::1%eth0") is refused.
TAddressParse ParseAddress(std::string_view text);

// An address with an optional prefix: "/n" (0 to 32 or 0 to 128) or, for
// IPv4, a dotted mask after a slash or a blank: a netmask whose ones come
// first ("10.0.0.0 255.0.0.0") or a wildcard mask whose ones come last
// ("10.0.0.0 0.255.255.255"); 0.0.0.0 and 255.255.255.255 are the netmasks
// of /0 and /32. Blanks around the text and around the slash are ignored. A
// bare address is a /32 or /128.
TPrefixParse ParsePrefix(std::string_view text);

// Blanks (space and tab) removed from both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace Parlamine
