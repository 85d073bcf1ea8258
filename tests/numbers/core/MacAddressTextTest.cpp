// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cctype>

#include "MacAddressText.h"

namespace Parlamine {
namespace {

struct TNotation {
  const char* Text;
  const char* Shown;  // empty when the text is refused
};

class HardwareAddressNotation : public testing::TestWithParam<TNotation> {};

TEST_P(HardwareAddressNotation, ReadsOrRefuses) {
  const TParsedHardwareAddress parsed = ParseHardwareAddress(GetParam().Text);
  if (std::string(GetParam().Shown).empty()) {
    EXPECT_FALSE(parsed.Address) << GetParam().Text;
    EXPECT_FALSE(parsed.Error.empty());
  } else {
    ASSERT_TRUE(parsed.Address) << GetParam().Text << ": " << parsed.Error;
    EXPECT_EQ(HardwareAddressText(*parsed.Address), GetParam().Shown);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HardwareAddressNotation,
    testing::Values(TNotation{"00:1a:2B:3c:4D:5e", "00-1A-2B-3C-4D-5E"},
                    TNotation{"00-1A-2B-3C-4D-5E", "00-1A-2B-3C-4D-5E"},
                    TNotation{"001a.2b3c.4d5e", "00-1A-2B-3C-4D-5E"},
                    TNotation{"001A2B3C4D5E", "00-1A-2B-3C-4D-5E"},
                    TNotation{"  0:1a:2:3:4:5 \r", "00-1A-02-03-04-05"}, TNotation{"08002B", "08-00-2B"},
                    TNotation{"08-00-2b", "08-00-2B"}, TNotation{"741AE09", "74-1A-E0-9"},
                    TNotation{"70b3d5f2f", "70-B3-D5-F2-F"}, TNotation{"001a.2b3c.4", "00-1A-2B-3C-4"},
                    TNotation{"08-00-2", ""},  // a prefix needs whole groups but the last: only 5 digits
                    TNotation{"0:1:2", ""}, TNotation{"00:11-22:33:44:55", ""},
                    TNotation{"00:11:22:33:44:55:66", ""}, TNotation{"00:11:22:33:44:555", ""},
                    TNotation{"001A2B3C4D5E6", ""}, TNotation{"00112", ""}, TNotation{"001a.2b3.c4d5", ""},
                    TNotation{"0x001122", ""}, TNotation{"", ""}, TNotation{"00::11:22", ""},
                    TNotation{"zz:zz:zz", ""}),
    [](const auto& info) {
      std::string name = *info.param.Text ? info.param.Text : "Empty";
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

// What an address is shown as must read back as that same address: six
// dash groups always read as six bytes, so an 11-digit prefix cannot be
// shown as 7D-5F-2F-03-D0-1 (that is 7D-5F-2F-03-D0-01).
TEST(HardwareAddress, EveryShownFormReadsBackAsTheSameAddress) {
  for (const char* text : {"7D5F2F03D01", "7d-5f-2f-03-d0-1", "7D5F.2F03.D01", "001A2B", "001A2B3",
                           "001A2B3C4", "001A2B3C4D", "00:1A:2B:3C:4D:5E"}) {
    const TParsedHardwareAddress parsed = ParseHardwareAddress(text);
    ASSERT_TRUE(parsed.Address) << text;
    const std::string shown = HardwareAddressText(*parsed.Address);
    const TParsedHardwareAddress again = ParseHardwareAddress(shown);
    ASSERT_TRUE(again.Address) << text << " shown as " << shown;
    EXPECT_EQ(again.Address->Value, parsed.Address->Value) << text << " shown as " << shown;
    EXPECT_EQ(again.Address->Digits, parsed.Address->Digits) << text << " shown as " << shown;
  }
  EXPECT_EQ(HardwareAddressText(*ParseHardwareAddress("7d5f2f03d01").Address), "7D5F2F03D01");
}

TEST(HardwareAddress, BitSwapReversesEachByte) {
  const THardwareAddress oui = *ParseHardwareAddress("000055").Address;
  EXPECT_EQ(HardwareAddressText(BitSwappedAddress(oui)), "00-00-AA");
  EXPECT_EQ(HardwareAddressText(BitSwappedAddress(*ParseHardwareAddress("08002B").Address)), "10-00-D4");
  EXPECT_EQ(HardwareAddressText(BitSwappedAddress(*ParseHardwareAddress("FFFFFF").Address)), "FF-FF-FF");
  EXPECT_EQ(HardwareAddressText(BitSwappedAddress(*ParseHardwareAddress("01:23:45:67:89:AB").Address)),
            "80-C4-A2-E6-91-D5");
  // The half byte of an odd prefix has no place in the swapped form.
  EXPECT_EQ(HardwareAddressText(BitSwappedAddress(*ParseHardwareAddress("741AE09").Address)), "2E-58-07");
}

TEST(HardwareAddress, OUIIsTheFirstSixDigitsOfAnyNotation) {
  struct Case {
    const char* Text;
    const char* OUI;  // null: no hardware address
  };
  const Case cases[] = {
      {"00:1B:63:84:45:E6", "001B63"},
      {"00-00-0C-12-34-56", "00000C"},
      {"f4f5.d812.3456", "F4F5D8"},
      {"001B638445E6", "001B63"},
      {"001b638445e6", "001B63"},
      {" 0:1b:63:84:45:e6 \r\n", "001B63"},
      {"08-00-2B", "08002B"},
      {"000055", "000055"},
      {"55", nullptr},
      {"0x001B63", nullptr},
      {"00:1B-63:84:45:E6", nullptr},
      {"00:1B:63:84:45:E6:77", nullptr},
      {"Xerox", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::optional<std::string> oui = HardwareAddressOUI(c.Text);
    if (c.OUI) {
      ASSERT_TRUE(oui.has_value());
      EXPECT_EQ(*oui, c.OUI);
    } else {
      EXPECT_FALSE(oui.has_value());
    }
  }
}

}  // namespace
}  // namespace Parlamine
