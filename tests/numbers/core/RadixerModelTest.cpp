// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "RadixerModel.h"
#include "ZellBinDecHex.h"

namespace Parlamine {
namespace {

using enum TNumberStyle;

TEST(RadixerRangeHint, EveryStyleAndWidth) {
  const struct {
    TNumberStyle Style;
    int Bits;
    std::string Expected;
  } cases[] = {
      {nsDecimal, 8, "Enter a number between 0 and 255"},
      {nsHexadecimal, 8, "Enter a number between 00 and FF"},
      {nsBinary, 8, "Enter a number between 00000000 and 11111111"},
      {nsOctal, 8, "Enter a number between 000 and 377"},
      {nsDecimal, 16, "Enter a number between 0 and 65535"},
      {nsHexadecimal, 16, "Enter a number between 0000 and FFFF"},
      {nsBinary, 16, "Enter a number between " + std::string(16, '0') + " and " + std::string(16, '1')},
      {nsOctal, 16, "Enter a number between 000000 and 177777"},
      {nsDecimal, 32, "Enter a number between 0 and 4294967295"},
      {nsHexadecimal, 32, "Enter a number between 00000000 and FFFFFFFF"},
      {nsBinary, 32, "Enter a number between " + std::string(32, '0') + " and " + std::string(32, '1')},
      {nsOctal, 32, "Enter a number between 00000000000 and 37777777777"},
      {nsFloat, 32, ""},
      {nsHexadecimal, 64, "Enter a number between 0000000000000000 and FFFFFFFFFFFFFFFF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetRangeHint(c.Style, c.Bits), c.Expected) << static_cast<int>(c.Style) << " " << c.Bits;
}

TEST(RadixerNumberWidth, RowsAndFallbacks) {
  const struct {
    int Item;
    int Bits;
    int64_t Mask;
    int DecMaxLength, HexDigits, BinDigits, OctDigits;
    int64_t InvertMask;
  } cases[] = {
      {0, 8, 255, 3, 2, 8, 3, 255},
      {1, 16, 65535, 5, 4, 16, 6, 65535},
      {2, 32, 4294967295, 10, 8, 32, 11, 4294967295},
      {-1, 32, 4294967295, 10, 8, 32, 11, 0},  // no item: 32-bit layout, Invert gives 0
      {7, 32, 4294967295, 10, 8, 32, 11, 0},
  };
  for (const auto& c : cases) {
    const TNumberWidth& w = NumberWidthForItem(c.Item);
    EXPECT_EQ(w.Bits, c.Bits) << c.Item;
    EXPECT_EQ(w.Mask, c.Mask) << c.Item;
    EXPECT_EQ(w.DecMaxLength, c.DecMaxLength) << c.Item;
    EXPECT_EQ(w.HexDigits, c.HexDigits) << c.Item;
    EXPECT_EQ(w.BinDigits, c.BinDigits) << c.Item;
    EXPECT_EQ(w.OctDigits, c.OctDigits) << c.Item;
    EXPECT_EQ(NumberWidthMaskOrZero(c.Item), c.InvertMask) << c.Item;
  }
}

TEST(RadixerSwapperBase, RowsAndFallback) {
  const struct {
    int Item;
    TNumberStyle Style;
    int Digits;
    int MaxLength;
  } cases[] = {
      {0, nsDecimal, -1, -1}, {1, nsHexadecimal, 8, 8},  {2, nsBinary, 32, 32},
      {3, nsOctal, 11, 11},   {-1, nsHexadecimal, 8, 8}, {4, nsHexadecimal, 8, 8},
  };
  for (const auto& c : cases) {
    const TSwapperBase& b = SwapperBaseForItem(c.Item);
    EXPECT_EQ(b.Style, c.Style) << c.Item;
    EXPECT_EQ(b.Digits, c.Digits) << c.Item;
    EXPECT_EQ(b.MaxLength, c.MaxLength) << c.Item;
  }
}

TEST(RadixerBaseLookup, RowTexts) {
  const struct {
    int64_t Row;
    bool Separators;
    std::string Expected;
  } cases[] = {
      {0, false, "0\t0000\t000000\t0000000000000000"},
      {0, true, "0\t00 00\t000 000\t0000 0000 0000 0000"},
      {65535, false, "65535\tFFFF\t177777\t1111111111111111"},
      {65535, true, "65,535\tFF FF\t177 777\t1111 1111 1111 1111"},
      {1000, true, "1,000\t03 E8\t001 750\t0000 0011 1110 1000"},
      {999, true, "999\t03 E7\t001 747\t0000 0011 1110 0111"},
  };
  for (const auto& c : cases) {
    std::string row;
    AppendLookupRow(row, c.Row, c.Separators);
    EXPECT_EQ(row, c.Expected) << c.Row << (c.Separators ? " with separators" : "");
  }
  EXPECT_EQ(LookupCellText(10, TLookupColumn::lcHex, false), "000A");
}

TEST(RadixerStoredValue, Low32BitsAsSignedAndBack) {
  const struct {
    int64_t Value;
    int32_t Stored;
    int64_t Restored;
  } cases[] = {
      {0, 0, 0},
      {4294967295, -1, 4294967295},
      {2147483648, -2147483647 - 1, 2147483648},
      {4294967296, 0, 0},  // a Bit-Swapper value above 32 bits keeps its low 32
      {-1, -1, 4294967295},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoredValueFromValue(c.Value), c.Stored) << c.Value;
    EXPECT_EQ(ValueFromStoredValue(c.Stored), c.Restored) << c.Value;
  }
}

TEST(RadixerFormatInteger, ParseRoundTripInEveryIntegerStyle) {
  for (TNumberStyle style : {nsBinary, nsDecimal, nsHexadecimal, nsOctal}) {
    for (int64_t value : {int64_t{0}, int64_t{1}, int64_t{255}, int64_t{4294967295}, INT64_MAX}) {
      EXPECT_EQ(ParseInteger(style, FormatInteger(style, value, 12)), value)
          << static_cast<int>(style) << " " << value;
    }
  }
  EXPECT_THROW(ParseInteger(nsOctal, "8"), EConvertError);
}

}  // namespace
}  // namespace Parlamine
