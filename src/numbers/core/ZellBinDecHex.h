// SPDX-License-Identifier: MIT
// Whole numbers as text in base 2, 8, 10 and 16 and back, digit grouping, bit
// reversal and the character classes of number entry. Plain C++, no state.
//
// Every value is a signed 64-bit integer. The binary, octal and hexadecimal
// forms read the 64 bits as unsigned (a negative value shows its two's
// complement); the decimal form keeps the sign. Text is 8-bit characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "DigitText.h"

namespace Parlamine {

// A text that is not a number of the expected base.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool IsBinDigit(char c);
bool IsOctDigit(char c);
bool IsDecDigit(char c);
bool IsHexDigit(char c);
// Character codes 0 to 31.
bool IsControlChar(char c);

// 0..15 for a hexadecimal digit of either case, 0 for anything else.
int HexDigitValue(char c);

// Parsers: digits only (no sign, blank, prefix or separator); an empty text is
// 0. Bits that leave the top are dropped, so a long text keeps its last 64
// bits. A character outside the base throws EConvertError naming the whole text.
int64_t BinToInt64(std::string_view text);
int64_t OctToInt64(std::string_view text);
int64_t HexToInt64(std::string_view text);
// Signed decimal with an optional '+' or '-'; anything else, or a number
// outside the 64-bit range, throws EConvertError.
int64_t DecToInt64(std::string_view text);

// The text with zeros put in front up to `digits` characters, never more than
// 200 of them; a text that is long enough, or a negative count, leaves it as it is.
std::string ZeroPad(std::string text, int digits);

// Formatters: digits without leading zeros ("0" for zero), then ZeroPad.
// A negative `digits` means no padding.
std::string Int64ToBin(int64_t value, int digits);
std::string Int64ToOct(int64_t value, int digits);
std::string Int64ToDec(int64_t value, int digits);
std::string Int64ToHex(int64_t value, int digits);

// InsertSeparators and InsertThousandSeparators: DigitText.h.
// Hexadecimal, octal or binary text in groups separated by one blank.
std::string GroupDigits(std::string_view text, int groupSize);

// Every byte replaced by itself with its 8 bits in reverse order; byte order kept.
void ReverseBitsInBytes(uint8_t* buffer, size_t count);
// The bit order of the whole buffer reversed: bit 0 of the first byte trades
// places with bit 7 of the last one.
void ReverseBits(uint8_t* buffer, size_t count);

// The same two reversals over a 32-bit value laid out as its 4 bytes, least
// significant first (the layout of the value in memory on the program's hosts).
uint32_t ReverseBitsInBytes32(uint32_t value);
uint32_t ReverseBits32(uint32_t value);

}  // namespace Parlamine
