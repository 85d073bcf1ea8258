// SPDX-License-Identifier: MIT
// `parlamine-cli base`: one number in the Radixer Calculator's four bases,
// grouped as the Base Lookup table groups them, and the Bit-Swapper's two
// bit reversals, at a width of 8, 16, 32 or 64 bits.
#pragma once

#include <cstdint>
#include <string>

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

// The value read from its text in the given base ("dec", "hex", "bin",
// "oct") as the bit pattern of `width` bits. A negative decimal needs
// `allowNegative` (its two's complement is taken); EUsageError for anything
// that is not a number of the base or does not fit the width.
uint64_t ParseBaseValue(const std::string& text, const std::string& base, int width, bool allowNegative);

struct TBaseTexts {
  uint64_t Value = 0;                               // the bit pattern
  std::string Decimal, Hexadecimal, Binary, Octal;  // padded to the width like the Base Converter
  std::string GroupedDecimal, GroupedHexadecimal, GroupedBinary, GroupedOctal;
  uint64_t ByteSwapped = 0;  // each byte's bits reversed
  uint64_t Reversed = 0;     // the whole width reversed
  std::string ByteSwappedHex, ReversedHex;
  int64_t SignedValue = 0;  // the pattern as a two's complement number of the width
};
TBaseTexts BaseTexts(uint64_t value, int width);

int RunBaseCommand(const TBaseOptions& options, TCommandIO& io);

}  // namespace Parlamine
