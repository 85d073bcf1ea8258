// SPDX-License-Identifier: MIT
// `base`: the four bases padded to the width, the grouped forms and the two
// bit reversals, with values worked out by hand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "BaseCommand.h"
#include "CliTestSupport.h"

namespace Parlamine {
namespace {

TEST(BaseCommand, HexValueAtThirtyTwoBits) {
  const TCliResult r = RunCli({"base", "12345678", "--from", "hex"});
  EXPECT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "Decimal (base 10): 305419896\n"
            "Hexadecimal (base 16): 12345678\n"
            "Binary (base 2): 00010010001101000101011001111000\n"
            "Octal (base 8): 02215053170\n"
            "Grouped decimal: 305,419,896\n"
            "Grouped hexadecimal: 12 34 56 78\n"
            "Grouped binary: 0001 0010 0011 0100 0101 0110 0111 1000\n"
            "Grouped octal: 02 215 053 170\n"
            "Bit-Swapped Value (Byte by Byte): 482C6A1E\n"
            "Bit-Reversed Value (LSB <-> MSB): 1E6A2C48\n");
}

struct TBaseCase {
  const char* Name;
  std::string Value, From;
  int Width;
  bool Signed;
  uint64_t Pattern;
  const char *Hex, *Bin, *Oct, *ByteSwapped, *Reversed;
  int64_t SignedValue;
};

class BaseValues : public testing::TestWithParam<TBaseCase> {};

TEST_P(BaseValues, Texts) {
  const TBaseCase& c = GetParam();
  const TBaseTexts t = BaseTexts(ParseBaseValue(c.Value, c.From, c.Width, c.Signed), c.Width);
  EXPECT_EQ(t.Value, c.Pattern);
  EXPECT_EQ(t.Hexadecimal, c.Hex);
  EXPECT_EQ(t.Binary, c.Bin);
  EXPECT_EQ(t.Octal, c.Oct);
  EXPECT_EQ(t.ByteSwappedHex, c.ByteSwapped);
  EXPECT_EQ(t.ReversedHex, c.Reversed);
  EXPECT_EQ(t.SignedValue, c.SignedValue);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BaseValues,
    testing::Values(
        TBaseCase{"OneAt32Bits", "1", "hex", 32, false, 1, "00000001", "00000000000000000000000000000001",
                  "00000000001", "00000080", "80000000", 1},
        TBaseCase{"LowByteAt32Bits", "000000FF", "hex", 32, false, 255, "000000FF",
                  "00000000000000000000000011111111", "00000000377", "000000FF", "FF000000", 255},
        TBaseCase{"MaximumAt8Bits", "255", "dec", 8, false, 255, "FF", "11111111", "377", "FF", "FF", -1},
        TBaseCase{"OneAt16Bits", "1", "bin", 16, false, 1, "0001", "0000000000000001", "000001", "0080",
                  "8000", 1},
        TBaseCase{"SignedMinimumAt8Bits", "-128", "dec", 8, true, 128, "80", "10000000", "200", "01", "01",
                  -128},
        TBaseCase{"OctalAt16Bits", "177777", "oct", 16, false, 65535, "FFFF", "1111111111111111", "177777",
                  "FFFF", "FFFF", -1},
        TBaseCase{"MaximumAt64Bits", "18446744073709551615", "dec", 64, true, ~uint64_t{0},
                  "FFFFFFFFFFFFFFFF", "1111111111111111111111111111111111111111111111111111111111111111",
                  "1777777777777777777777", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", -1},
        TBaseCase{"LeadingZerosDoNotCountAgainstTheWidth", "0000000000FF", "hex", 8, false, 255, "FF",
                  "11111111", "377", "FF", "FF", -1}),
    [](const testing::TestParamInfo<TBaseCase>& info) { return std::string(info.param.Name); });

TEST(BaseCommand, GroupedFormsFollowTheLookupTable) {
  const TBaseTexts t = BaseTexts(ParseBaseValue("1234567", "dec", 32, false), 32);
  EXPECT_EQ(t.GroupedDecimal, "1,234,567");
  const TBaseTexts small = BaseTexts(255, 16);
  EXPECT_EQ(small.GroupedHexadecimal, "00 FF");
  EXPECT_EQ(small.GroupedOctal, "000 377");
  EXPECT_EQ(small.GroupedBinary, "0000 0000 1111 1111");
}

TEST(BaseCommand, JsonWithTheSignedReading) {
  const TCliResult r = RunCli({"base", "FFFE", "--from", "HEX", "--width", "16", "--signed", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  EXPECT_EQ(doc["value"], 65534);
  EXPECT_EQ(doc["width"], 16);
  EXPECT_EQ(doc["hexadecimal"], "FFFE");
  EXPECT_EQ(doc["grouped"]["decimal"], "65,534");
  EXPECT_EQ(doc["bitSwappedByteByByte"]["hexadecimal"], "FF7F");
  EXPECT_EQ(doc["bitSwappedByteByByte"]["value"], 0xFF7F);
  EXPECT_EQ(doc["bitReversed"]["hexadecimal"], "7FFF");
  EXPECT_EQ(doc["signed"], -2);
  EXPECT_FALSE(RunCli({"base", "1", "--json"}).Out.find("\"signed\"") != std::string::npos);
}

}  // namespace
}  // namespace Parlamine
