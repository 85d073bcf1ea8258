// SPDX-License-Identifier: MIT
// The tables behind the Radixer Calculator's pages: number styles, the number
// widths of the Base Converter, the bases of the Bit-Swapper, the range hints
// and the rows of the Base Lookup table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Parlamine {

// How a number field writes and reads its number.
enum class TNumberStyle { nsBinary, nsDecimal, nsFloat, nsHexadecimal, nsOctal };

// The integer styles in their own text form; nsFloat is not an integer style
// and gives the decimal form. A negative `digits` means no padding.
std::string FormatInteger(TNumberStyle style, int64_t value, int digits);
// Parses the text of an integer style (nsFloat parses as decimal); throws
// EConvertError when the text is not a number of that base.
int64_t ParseInteger(TNumberStyle style, const std::string& text);

// "Enter a number between %s and %s" with 0 and 2^bits - 1 written in the
// style (hexadecimal, binary and octal padded to the width); empty for nsFloat.
std::string GetRangeHint(TNumberStyle style, int bits);

// A row of the Base Converter's width table. Any item index other than 0 and 1
// takes the 32-bit row; -1 (no item) also has no maximum when values are limited.
struct TNumberWidth {
  int Bits;
  int64_t Mask;  // also the largest value
  int DecMaxLength;
  int HexDigits;  // digits and MaxLength of the hexadecimal field
  int BinDigits;
  int OctDigits;
};
const TNumberWidth& NumberWidthForItem(int itemIndex);
// The mask of a valid item (0, 1, 2), else 0: Invert of "no width" gives 0.
int64_t NumberWidthMaskOrZero(int itemIndex);

// A row of the Bit-Swapper's base table; any item other than 0..3 takes "Hex".
struct TSwapperBase {
  TNumberStyle Style;
  int Digits;     // -1: no padding
  int MaxLength;  // -1: no limit
};
const TSwapperBase& SwapperBaseForItem(int itemIndex);

// The four columns of the Base Lookup table.
enum class TLookupColumn { lcDec, lcHex, lcOct, lcBin };
inline constexpr int LookupColumnCount = 4;
inline constexpr int64_t LookupRowCount = 65536;
inline constexpr std::array<const char*, LookupColumnCount> LookupColumnCaptions = {"Dec", "Hex", "Oct",
                                                                                    "Bin"};
// Row n shows the number n: decimal, 4 hexadecimal, 6 octal and 16 binary
// digits; with separators grouped 3 (comma), 2, 3 and 4 (blank).
std::string LookupCellText(int64_t row, TLookupColumn column, bool separators);
// The row's four cells joined by tabs, appended to `out` (no line end).
void AppendLookupRow(std::string& out, int64_t row, bool separators);

// The stored "BCValue"/"BRValue" hold the low 32 bits as a signed number.
inline int32_t StoredValueFromValue(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}
inline int64_t ValueFromStoredValue(int32_t stored) { return static_cast<uint32_t>(stored); }

}  // namespace Parlamine
