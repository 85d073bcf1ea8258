// SPDX-License-Identifier: MIT
#include "BaseCommand.h"

#include <array>

#include "JsonNumbers.h"
#include "QuotedInput.h"
#include "RadixerModel.h"
#include "ZellBinDecHex.h"

namespace Parlamine {

namespace {

struct TDigitCounts {
  int Hex, Bin, Oct;
};

// The Base Converter's padding for 8, 16 and 32 bits, and the same rule at 64.
TDigitCounts DigitCounts(int width) {
  switch (width) {
    case 8:
      return {NumberWidthForItem(0).HexDigits, NumberWidthForItem(0).BinDigits,
              NumberWidthForItem(0).OctDigits};
    case 16:
      return {NumberWidthForItem(1).HexDigits, NumberWidthForItem(1).BinDigits,
              NumberWidthForItem(1).OctDigits};
    case 32:
      return {NumberWidthForItem(2).HexDigits, NumberWidthForItem(2).BinDigits,
              NumberWidthForItem(2).OctDigits};
    default:
      return {16, 64, 22};
  }
}

uint64_t WidthMask(int width) { return width >= 64 ? ~uint64_t{0} : (uint64_t{1} << width) - 1; }

int BitsPerDigit(const std::string& base) { return base == "hex" ? 4 : base == "oct" ? 3 : 1; }

bool IsDigitOf(const std::string& base, char c) {
  if (base == "hex") return IsHexDigit(c);
  if (base == "oct") return IsOctDigit(c);
  return IsBinDigit(c);
}

const char* BaseWords(const std::string& base) {
  if (base == "hex") return "hexadecimal";
  if (base == "oct") return "octal";
  if (base == "bin") return "binary";
  return "decimal";
}

std::string WidthWords(int width) { return std::to_string(width) + " bits"; }

uint64_t ParseDecimal(const std::string& text, int width, bool allowNegative) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = text.substr(negative || (!text.empty() && text[0] == '+') ? 1 : 0);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
    throw EUsageError("VALUE", QuotedInput(text) + " is not a decimal number");
  if (negative && !allowNegative)
    throw EUsageError("VALUE", EscapedInput(text) + " is negative: add --signed");
  // Magnitudes up to 2^64 - 1 are checked digit by digit.
  uint64_t magnitude = 0;
  for (char c : digits) {
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (magnitude > (~uint64_t{0} - digit) / 10)
      throw EUsageError("VALUE", EscapedInput(text) + " does not fit " + WidthWords(width));
    magnitude = magnitude * 10 + digit;
  }
  const uint64_t mask = WidthMask(width);
  if (!negative) {
    if (magnitude > mask)
      throw EUsageError("VALUE", EscapedInput(text) + " does not fit " + WidthWords(width));
    return magnitude;
  }
  const uint64_t lowest = uint64_t{1} << (width - 1);  // the magnitude of the most negative value
  if (magnitude > lowest)
    throw EUsageError("VALUE", EscapedInput(text) + " does not fit " + WidthWords(width) + " signed");
  return (0 - magnitude) & mask;
}

std::string UnsignedDecimal(uint64_t value) {
  // The core's decimal form is signed; above the signed range the plain text is the same digits.
  return value <= static_cast<uint64_t>(INT64_MAX) ? Int64ToDec(static_cast<int64_t>(value), -1)
                                                   : std::to_string(value);
}

std::string GroupedDecimal(uint64_t value) { return InsertThousandSeparators(UnsignedDecimal(value)); }

uint64_t ReverseOverWidth(uint64_t value, int width, void (*reverse)(uint8_t*, size_t)) {
  std::array<uint8_t, 8> bytes{};
  const size_t count = static_cast<size_t>(width / 8);
  for (size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<uint8_t>(value >> (8 * i));  // least significant first
  reverse(bytes.data(), count);
  uint64_t result = 0;
  for (size_t i = count; i-- > 0;) result = result << 8 | bytes[i];
  return result;
}

}  // namespace

uint64_t ParseBaseValue(const std::string& text, const std::string& base, int width, bool allowNegative) {
  if (base == "dec") return ParseDecimal(text, width, allowNegative);
  if (text.empty()) throw EUsageError("VALUE", "is empty");
  for (char c : text)
    if (!IsDigitOf(base, c))
      throw EUsageError("VALUE", QuotedInput(text) + " is not a " + std::string(BaseWords(base)) + " number");
  const size_t first = text.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  const std::string significant = text.substr(first);
  int leadBits = 0;
  for (int v = HexDigitValue(significant[0]); v > 0; v >>= 1) ++leadBits;
  const size_t bits =
      (significant.size() - 1) * static_cast<size_t>(BitsPerDigit(base)) + static_cast<size_t>(leadBits);
  if (bits > static_cast<size_t>(width))
    throw EUsageError("VALUE", EscapedInput(text) + " does not fit " + WidthWords(width));
  // Within 64 bits the core's parsers give the exact pattern.
  const int64_t value = base == "hex"   ? HexToInt64(significant)
                        : base == "oct" ? OctToInt64(significant)
                                        : BinToInt64(significant);
  return static_cast<uint64_t>(value);
}

TBaseTexts BaseTexts(uint64_t value, int width) {
  const TDigitCounts digits = DigitCounts(width);
  const auto asInt64 = static_cast<int64_t>(value);
  TBaseTexts t;
  t.Value = value;
  t.Decimal = UnsignedDecimal(value);
  t.Hexadecimal = Int64ToHex(asInt64, digits.Hex);
  t.Binary = Int64ToBin(asInt64, digits.Bin);
  t.Octal = Int64ToOct(asInt64, digits.Oct);
  t.GroupedDecimal = GroupedDecimal(value);
  t.GroupedHexadecimal = GroupDigits(t.Hexadecimal, 2);
  t.GroupedBinary = GroupDigits(t.Binary, 4);
  t.GroupedOctal = GroupDigits(t.Octal, 3);
  t.ByteSwapped = ReverseOverWidth(value, width, ReverseBitsInBytes);
  t.Reversed = ReverseOverWidth(value, width, ReverseBits);
  t.ByteSwappedHex = Int64ToHex(static_cast<int64_t>(t.ByteSwapped), digits.Hex);
  t.ReversedHex = Int64ToHex(static_cast<int64_t>(t.Reversed), digits.Hex);
  const uint64_t sign = uint64_t{1} << (width - 1);
  t.SignedValue =
      (value & sign) != 0 && width < 64 ? static_cast<int64_t>(value | ~WidthMask(width)) : asInt64;
  return t;
}

int RunBaseCommand(const TBaseOptions& o, TCommandIO& io) {
  std::string base = o.From;
  for (char& c : base) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  const TBaseTexts t = BaseTexts(ParseBaseValue(o.Value, base, o.Width, o.Signed), o.Width);
  if (o.Json) {
    TJson doc;
    doc["value"] = t.Value;
    doc["width"] = o.Width;
    doc["decimal"] = t.Decimal;
    doc["hexadecimal"] = t.Hexadecimal;
    doc["binary"] = t.Binary;
    doc["octal"] = t.Octal;
    doc["grouped"] = {{"decimal", t.GroupedDecimal},
                      {"hexadecimal", t.GroupedHexadecimal},
                      {"binary", t.GroupedBinary},
                      {"octal", t.GroupedOctal}};
    doc["bitSwappedByteByByte"] = {{"value", t.ByteSwapped}, {"hexadecimal", t.ByteSwappedHex}};
    doc["bitReversed"] = {{"value", t.Reversed}, {"hexadecimal", t.ReversedHex}};
    if (o.Signed) doc["signed"] = t.SignedValue;
    WriteJsonDocument(io.Out, doc);
    return ExitAnswered;
  }
  const auto line = [&io](std::string_view caption, const std::string& value) {
    io.Out.Write(caption);
    io.Out.Write(": ");
    io.Out.Write(value);
    io.Out.Write('\n');
  };
  line("Decimal (base 10)", t.Decimal);
  line("Hexadecimal (base 16)", t.Hexadecimal);
  line("Binary (base 2)", t.Binary);
  line("Octal (base 8)", t.Octal);
  line("Grouped decimal", t.GroupedDecimal);
  line("Grouped hexadecimal", t.GroupedHexadecimal);
  line("Grouped binary", t.GroupedBinary);
  line("Grouped octal", t.GroupedOctal);
  line("Bit-Swapped Value (Byte by Byte)", t.ByteSwappedHex);
  line("Bit-Reversed Value (LSB <-> MSB)", t.ReversedHex);
  if (o.Signed)
    line("Signed (two's complement, " + std::to_string(o.Width) + " bits)", std::to_string(t.SignedValue));
  return ExitAnswered;
}

}  // namespace Parlamine
