// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "ZellBinDecHex.h"

namespace Parlamine {
namespace {

constexpr int64_t MinInt64 = std::numeric_limits<int64_t>::min();
constexpr int64_t MaxInt64 = std::numeric_limits<int64_t>::max();

using TParser = int64_t (*)(std::string_view);

struct TParseCase {
  const char* Name;
  TParser Parse;
  std::string Text;
  int64_t Expected;
};

TEST(ZellBinDecHexParse, AcceptedTexts) {
  const std::string ones64(64, '1');
  const TParseCase cases[] = {
      {"binary empty", BinToInt64, "", 0},
      {"octal empty", OctToInt64, "", 0},
      {"hex empty", HexToInt64, "", 0},
      {"binary 101", BinToInt64, "101", 5},
      {"octal 377", OctToInt64, "377", 255},
      {"hex lower", HexToInt64, "00ff", 255},
      {"hex upper", HexToInt64, "00FF", 255},
      {"hex 17 digits keep last 16", HexToInt64, "1123456789ABCDEF0", 0x123456789ABCDEF0},
      {"binary 64 ones is -1", BinToInt64, ones64, -1},
      {"binary 65 digits keep last 64", BinToInt64, "1" + std::string(63, '0') + "1", 1},
      {"binary smallest value", BinToInt64, "1" + std::string(63, '0'), MinInt64},
      {"octal 22 digits", OctToInt64, "1" + std::string(21, '7'), -1},
      {"octal 23 digits drop top bits", OctToInt64, "7" + std::string(22, '0'), 0},
      {"hex sixteen F", HexToInt64, "FFFFFFFFFFFFFFFF", -1},
      {"decimal plain", DecToInt64, "1234", 1234},
      {"decimal plus", DecToInt64, "+42", 42},
      {"decimal minus", DecToInt64, "-42", -42},
      {"decimal largest", DecToInt64, "9223372036854775807", MaxInt64},
      {"decimal smallest", DecToInt64, "-9223372036854775808", MinInt64},
      {"decimal leading zeros", DecToInt64, "000000000000000000000007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Parse(c.Text), c.Expected) << c.Name;
}

TEST(ZellBinDecHexParse, RejectedTextsNameTheWholeInput) {
  const struct {
    const char* Name;
    TParser Parse;
    std::string Text;
    std::string Message;
  } cases[] = {
      {"binary 102", BinToInt64, "102", "'102' is not a valid binary value"},
      {"octal 78", OctToInt64, "78", "'78' is not a valid octal value"},
      {"hex 1G", HexToInt64, "1G", "'1G' is not a valid hexadecimal value"},
      {"hex with blank", HexToInt64, "12 34", "'12 34' is not a valid hexadecimal value"},
      {"hex prefix", HexToInt64, "0x10", "'0x10' is not a valid hexadecimal value"},
      {"binary sign", BinToInt64, "-1", "'-1' is not a valid binary value"},
      {"decimal empty", DecToInt64, "", "'' is not a valid integer value"},
      {"decimal sign only", DecToInt64, "-", "'-' is not a valid integer value"},
      {"decimal above largest", DecToInt64, "9223372036854775808",
       "'9223372036854775808' is not a valid integer value"},
      {"decimal below smallest", DecToInt64, "-9223372036854775809",
       "'-9223372036854775809' is not a valid integer value"},
      {"decimal 20 digits", DecToInt64, "99999999999999999999",
       "'99999999999999999999' is not a valid integer value"},
      {"decimal hex letters", DecToInt64, "12AB", "'12AB' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    try {
      c.Parse(c.Text);
      ADD_FAILURE() << c.Name << ": no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), c.Message) << c.Name;
    }
  }
}

TEST(ZellBinDecHexFormat, DigitsAndPadding) {
  using TFormatter = std::string (*)(int64_t, int);
  const struct {
    const char* Name;
    TFormatter Format;
    int64_t Value;
    int Digits;
    std::string Expected;
  } cases[] = {
      {"bin 5 to 8", Int64ToBin, 5, 8, "00000101"},
      {"bin 0 unpadded", Int64ToBin, 0, -1, "0"},
      {"bin padding never shortens", Int64ToBin, 255, 4, "11111111"},
      {"bin smallest", Int64ToBin, MinInt64, 0, "1" + std::string(63, '0')},
      {"bin -1", Int64ToBin, -1, -1, std::string(64, '1')},
      {"oct 255 to 3", Int64ToOct, 255, 3, "377"},
      {"oct -1", Int64ToOct, -1, 0, "1" + std::string(21, '7')},
      {"oct smallest", Int64ToOct, MinInt64, -1, "1" + std::string(21, '0')},
      {"hex 255 to 4", Int64ToHex, 255, 4, "00FF"},
      {"hex -1", Int64ToHex, -1, 0, std::string(16, 'F')},
      {"hex smallest", Int64ToHex, MinInt64, -1, "8" + std::string(15, '0')},
      {"hex zero to 6", Int64ToHex, 0, 6, "000000"},
      {"dec negative keeps sign", Int64ToDec, -42, -1, "-42"},
      {"dec smallest", Int64ToDec, MinInt64, -1, "-9223372036854775808"},
      {"dec largest", Int64ToDec, MaxInt64, 3, "9223372036854775807"},
      {"dec padded", Int64ToDec, 7, 3, "007"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Format(c.Value, c.Digits), c.Expected) << c.Name;
}

TEST(ZellBinDecHexFormat, ZeroPadAddsAtMost200Zeros) {
  EXPECT_EQ(ZeroPad("7", 300), std::string(200, '0') + "7");
  EXPECT_EQ(ZeroPad("7", -5), "7");
  EXPECT_EQ(ZeroPad("", 3), "000");
  EXPECT_EQ(ZeroPad("1234", 4), "1234");
}

TEST(ZellBinDecHexGrouping, Separators) {
  const struct {
    const char* Name;
    std::string Actual;
    std::string Expected;
  } cases[] = {
      {"thousands 7 digits", InsertThousandSeparators("1234567"), "1,234,567"},
      {"thousands 6 digits", InsertThousandSeparators("123456"), "123,456"},
      {"thousands 3 digits", InsertThousandSeparators("123"), "123"},
      {"thousands 4 digits", InsertThousandSeparators("1000"), "1,000"},
      {"thousands negative no separator after sign", InsertThousandSeparators("-123456"), "-123,456"},
      {"thousands negative short", InsertThousandSeparators("-12"), "-12"},
      {"thousands smallest", InsertThousandSeparators("-9223372036854775808"), "-9,223,372,036,854,775,808"},
      {"hex pairs", GroupDigits("00FF", 2), "00 FF"},
      {"octal triples", GroupDigits("000377", 3), "000 377"},
      {"binary nibbles", GroupDigits("0000001111101000", 4), "0000 0011 1110 1000"},
      {"single digit", GroupDigits("5", 4), "5"},
      {"uneven head", GroupDigits("12345", 2), "1 23 45"},
      {"empty text", GroupDigits("", 3), ""},
      {"group size zero left alone", GroupDigits("1234", 0), "1234"},
      {"group size negative left alone", InsertSeparators("1234", ',', -2), "1234"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}

TEST(ZellBinDecHexBits, ReversalsOf32BitValues) {
  const struct {
    uint32_t Value;
    uint32_t ByteByByte;
    uint32_t Whole;
  } cases[] = {
      {0x12345678, 0x482C6A1E, 0x1E6A2C48}, {0x00000001, 0x00000080, 0x80000000},
      {0x000000FF, 0x000000FF, 0xFF000000}, {0x00000000, 0x00000000, 0x00000000},
      {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, {0x0008002B, 0x001000D4, 0xD4001000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReverseBitsInBytes32(c.Value), c.ByteByByte) << std::hex << c.Value;
    EXPECT_EQ(ReverseBits32(c.Value), c.Whole) << std::hex << c.Value;
    EXPECT_EQ(ReverseBits32(ReverseBits32(c.Value)), c.Value) << "reversing twice restores";
  }
}

TEST(ZellBinDecHexBits, OddCountReversesTheMiddleByte) {
  uint8_t bytes[3] = {0x01, 0x0F, 0x03};
  ReverseBits(bytes, 3);
  EXPECT_EQ(bytes[0], 0xC0);
  EXPECT_EQ(bytes[1], 0xF0);
  EXPECT_EQ(bytes[2], 0x80);
  uint8_t one[1] = {0x01};
  ReverseBits(one, 1);
  EXPECT_EQ(one[0], 0x80);
  ReverseBits(nullptr, 0);  // an empty buffer is left alone
}

TEST(ZellBinDecHexCharacterClasses, EveryCharacter) {
  for (int code = 0; code < 256; ++code) {
    const char c = static_cast<char>(code);
    const bool dec = code >= '0' && code <= '9';
    const bool hexLetter = (code >= 'A' && code <= 'F') || (code >= 'a' && code <= 'f');
    EXPECT_EQ(IsBinDigit(c), code == '0' || code == '1') << code;
    EXPECT_EQ(IsOctDigit(c), code >= '0' && code <= '7') << code;
    EXPECT_EQ(IsDecDigit(c), dec) << code;
    EXPECT_EQ(IsHexDigit(c), dec || hexLetter) << code;
    EXPECT_EQ(IsControlChar(c), code < 32) << code;
    EXPECT_EQ(HexDigitValue(c), dec ? code - '0' : hexLetter ? (code | 0x20) - 'a' + 10 : 0) << code;
  }
}

}  // namespace
}  // namespace Parlamine
