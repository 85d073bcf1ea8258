// SPDX-License-Identifier: MIT
// Decimal numbers and dotted IPv4 addresses written straight into a caller's
// buffer. The tables of millions of rows (subnets/hosts, prefix splits, their
// copies and the command line's streams) format every cell with these, so no
// text is allocated per number and every calculator writes the same digits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Parlamine {

// "18446744073709551615" and "-9223372036854775808" are the longest.
inline constexpr size_t MaxDecimalTextSize = 20;
// "255.255.255.255".
inline constexpr size_t MaxDottedQuadTextSize = 15;

// The digits of `value`, no sign, no separators, no terminating zero; returns
// the end of what was written. `out` must hold MaxDecimalTextSize characters.
char* WriteDecimal(uint64_t value, char* out);

// The same with a '-' before a negative value (the lowest value included).
char* WriteSignedDecimal(int64_t value, char* out);

// The four octets of an IPv4 address, the top byte first, each in decimal
// without leading zeros, joined by dots ("192.168.1.0"); returns the end.
// `out` must hold MaxDottedQuadTextSize characters: the octets are copied in
// whole words, so the characters after the returned end, up to that size,
// may be overwritten.
char* WriteDottedQuad(uint32_t value, char* out);

}  // namespace Parlamine
