// SPDX-License-Identifier: MIT
#include "RadixerModel.h"

#include "ZellBinDecHex.h"

namespace Parlamine {

std::string FormatInteger(TNumberStyle style, int64_t value, int digits) {
  switch (style) {
    case TNumberStyle::nsBinary:
      return Int64ToBin(value, digits);
    case TNumberStyle::nsHexadecimal:
      return Int64ToHex(value, digits);
    case TNumberStyle::nsOctal:
      return Int64ToOct(value, digits);
    case TNumberStyle::nsDecimal:
    case TNumberStyle::nsFloat:
      break;
  }
  return Int64ToDec(value, digits);
}

int64_t ParseInteger(TNumberStyle style, const std::string& text) {
  switch (style) {
    case TNumberStyle::nsBinary:
      return BinToInt64(text);
    case TNumberStyle::nsHexadecimal:
      return HexToInt64(text);
    case TNumberStyle::nsOctal:
      return OctToInt64(text);
    case TNumberStyle::nsDecimal:
    case TNumberStyle::nsFloat:
      break;
  }
  return DecToInt64(text);
}

std::string GetRangeHint(TNumberStyle style, int bits) {
  int digits = -1;
  switch (style) {
    case TNumberStyle::nsFloat:
      return {};
    case TNumberStyle::nsDecimal:
      break;
    case TNumberStyle::nsHexadecimal:
      digits = bits / 4;
      break;
    case TNumberStyle::nsBinary:
      digits = bits;
      break;
    case TNumberStyle::nsOctal:
      digits = (bits + 2) / 3;
      break;
  }
  // 2^bits - 1 in 64 bits; 64 or more bits is every bit set.
  const uint64_t maximum = bits >= 64 ? ~uint64_t{0} : bits <= 0 ? 0 : (uint64_t{1} << bits) - 1;
  return "Enter a number between " + FormatInteger(style, 0, digits) + " and " +
         FormatInteger(style, static_cast<int64_t>(maximum), digits);
}

namespace {

constexpr std::array<TNumberWidth, 3> NumberWidths = {{
    {8, 0xFF, 3, 2, 8, 3},
    {16, 0xFFFF, 5, 4, 16, 6},
    {32, 0xFFFFFFFF, 10, 8, 32, 11},
}};

constexpr std::array<TSwapperBase, 4> SwapperBases = {{
    {TNumberStyle::nsDecimal, -1, -1},
    {TNumberStyle::nsHexadecimal, 8, 8},
    {TNumberStyle::nsBinary, 32, 32},
    {TNumberStyle::nsOctal, 11, 11},
}};

bool IsIndexOf(int index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }

}  // namespace

const TNumberWidth& NumberWidthForItem(int itemIndex) {
  return IsIndexOf(itemIndex, 2) ? NumberWidths[static_cast<size_t>(itemIndex)] : NumberWidths[2];
}

int64_t NumberWidthMaskOrZero(int itemIndex) {
  return IsIndexOf(itemIndex, NumberWidths.size()) ? NumberWidths[static_cast<size_t>(itemIndex)].Mask : 0;
}

const TSwapperBase& SwapperBaseForItem(int itemIndex) {
  return IsIndexOf(itemIndex, SwapperBases.size()) ? SwapperBases[static_cast<size_t>(itemIndex)]
                                                   : SwapperBases[1];
}

std::string LookupCellText(int64_t row, TLookupColumn column, bool separators) {
  switch (column) {
    case TLookupColumn::lcDec: {
      const std::string text = Int64ToDec(row, -1);
      return separators ? InsertThousandSeparators(text) : text;
    }
    case TLookupColumn::lcHex: {
      const std::string text = Int64ToHex(row, 4);
      return separators ? GroupDigits(text, 2) : text;
    }
    case TLookupColumn::lcOct: {
      const std::string text = Int64ToOct(row, 6);
      return separators ? GroupDigits(text, 3) : text;
    }
    case TLookupColumn::lcBin: {
      const std::string text = Int64ToBin(row, 16);
      return separators ? GroupDigits(text, 4) : text;
    }
  }
  return {};
}

void AppendLookupRow(std::string& out, int64_t row, bool separators) {
  for (int column = 0; column < LookupColumnCount; ++column) {
    if (column > 0) out += '\t';
    out += LookupCellText(row, static_cast<TLookupColumn>(column), separators);
  }
}

}  // namespace Parlamine
