// SPDX-License-Identifier: MIT
// Digit texts several calculators show: separators between digit groups and
// the dotted binary form of a 32-bit address.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Parlamine {

// Puts `separator` every `groupSize` characters counted from the right end,
// never in front of the first character nor straight after a leading minus.
// An empty text or a group size below 1 comes back unchanged.
std::string InsertSeparators(std::string_view text, char separator, int groupSize);
// Decimal text with a comma every three digits.
std::string InsertThousandSeparators(std::string_view text);

// The 32 bits of an address, first octet first, octets joined by dots: 35
// characters.
std::string DottedBinary(uint32_t value);

}  // namespace Parlamine
