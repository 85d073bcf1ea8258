// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "PrefixAddress.h"

namespace Parlamine {
namespace {

TEST(PrefixParse, AcceptedFormsGiveTheCanonicalPrefix) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Prefix;
  } cases[] = {
      {"IPv4 with length", "192.168.1.0/24", "192.168.1.0/24"},
      {"host bits cleared, blanks around", "  10.1.2.3/22\t", "10.1.0.0/22"},
      {"blanks around the slash", "172.16.5.4 / 12", "172.16.0.0/12"},
      {"mask after a blank", "10.0.0.0 255.0.0.0", "10.0.0.0/8"},
      {"mask after a slash", "10.9.8.7/255.255.255.252", "10.9.8.4/30"},
      {"all-zero mask", "10.0.0.0 0.0.0.0", "0.0.0.0/0"},
      {"all-ones mask", "10.1.2.3 255.255.255.255", "10.1.2.3/32"},
      {"wildcard mask after a blank", "10.1.2.3 0.0.0.255", "10.1.2.0/24"},
      {"wildcard mask after a slash", "172.16.5.4/0.15.255.255", "172.16.0.0/12"},
      {"wildcard mask of a /31", "192.0.2.7 0.0.0.1", "192.0.2.6/31"},
      {"IPv4 /0", "0.0.0.0/0", "0.0.0.0/0"},
      {"IPv4 /31", "198.51.100.7/31", "198.51.100.6/31"},
      {"bare IPv4 is a /32", "192.0.2.1", "192.0.2.1/32"},
      {"length with a leading zero", "10.0.0.0/08", "10.0.0.0/8"},
      {"unspecified", "::", "::/128"},
      {"loopback", "::1", "::1/128"},
      {"IPv6 /0", "::/0", "::/0"},
      {"upper case", "2001:DB8::1/64", "2001:db8::/64"},
      {"RFC 4291 full form", "2001:0DB8:0000:0000:0008:0800:200C:417A", "2001:db8::8:800:200c:417a/128"},
      {"IPv4-mapped dotted", "::ffff:192.0.2.1", "::ffff:192.0.2.1/128"},
      {"IPv4-mapped in hexadecimal", "::FFFF:C000:0201", "::ffff:192.0.2.1/128"},
      {"IPv4 tail after six groups", "1:2:3:4:5:6:1.2.3.4", "1:2:3:4:5:6:102:304/128"},
      {"NAT64 with IPv4 tail (RFC 6052)", "64:ff9b::192.0.2.33", "64:ff9b::c000:221/128"},
      {"zone-less link local", "fe80::1/64", "fe80::/64"},
      {"IPv6 /127", "2001:db8::1/127", "2001:db8::/127"},
      {"IPv6 /128", "2001:db8::1/128", "2001:db8::1/128"},
      {"trailing ::", "1::", "1::/128"},
      {"'::' for a single zero group", "1:2:3:4:5:6::8", "1:2:3:4:5:6:0:8/128"},
  };
  for (const auto& c : cases) {
    const TPrefixParse parsed = ParsePrefix(c.Text);
    ASSERT_TRUE(parsed.Ok) << c.Name << ": " << parsed.Error;
    EXPECT_EQ(PrefixText(parsed.Prefix()), c.Prefix) << c.Name;
    EXPECT_EQ(parsed.Error, "") << c.Name;
  }
}

TEST(PrefixParse, KeepsTheAddressAsTyped) {
  const TPrefixParse parsed = ParsePrefix("10.1.2.3/22");
  ASSERT_TRUE(parsed.Ok);
  EXPECT_EQ(AddressText(parsed.Address), "10.1.2.3");
  EXPECT_EQ(parsed.Length, 22);
}

TEST(PrefixParse, RefusedTextsSayWhatIsWrong) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Message;
  } cases[] = {
      {"empty", "", "Enter an IPv4 or IPv6 address"},
      {"blanks only", "  \t ", "Enter an IPv4 or IPv6 address"},
      {"a word", "hello", "'hello' is neither an IPv4 nor an IPv6 address"},
      {"three parts", "1.2.3",
       "'1.2.3' has 3 parts; an IPv4 address has four numbers from 0 to 255 separated by dots"},
      {"five parts", "1.2.3.4.5",
       "'1.2.3.4.5' has 5 parts; an IPv4 address has four numbers from 0 to 255 separated by dots"},
      {"octet 256", "1.2.3.256", "'256' in '1.2.3.256' is more than 255"},
      {"octet of four digits", "1.2.3.1000", "'1000' in '1.2.3.1000' is more than 255"},
      {"leading zero", "10.010.0.1", "'010' in '10.010.0.1' has a leading zero; write the number without it"},
      {"empty part", "1..2.3", "'1..2.3' has an empty part where a number from 0 to 255 belongs"},
      {"letter in IPv4", "1.2.x.4", "'x' in '1.2.x.4' is not a number from 0 to 255"},
      {"IPv4 length 33", "10.0.0.0/33", "The prefix length 33 is more than 32, the longest for IPv4"},
      {"IPv6 length 129", "::/129", "The prefix length 129 is more than 128, the longest for IPv6"},
      {"huge length", "::/99999999999",
       "The prefix length 99999999999 is more than 128, the longest for IPv6"},
      {"nothing after slash", "10.0.0.0/", "Nothing follows the '/' in '10.0.0.0/'; add a prefix length"},
      {"nothing before slash", "/24", "'/24' has no address before the '/'"},
      {"two slashes", "10.0.0.0/8/9", "'10.0.0.0/8/9' has more than one '/'"},
      {"mask with a hole", "10.0.0.0 255.0.255.0",
       "'255.0.255.0' is neither a netmask (all its one bits first) nor a wildcard mask (all its one bits "
       "last)"},
      {"wildcard mask with a hole", "10.0.0.0 0.0.255.1",
       "'0.0.255.1' is neither a netmask (all its one bits first) nor a wildcard mask (all its one bits "
       "last)"},
      {"long input quoted short", std::string(100000, '7'),
       "'" + std::string(64, '7') + "\u2026' is neither an IPv4 nor an IPv6 address"},
      {"line end and escape sequence", "10.0.0.0\n\x1b[2J",
       "'0\\n\\x1b[2J' in '10.0.0.0\\n\\x1b[2J' is not a number from 0 to 255"},
      {"long length", "10.0.0.0/" + std::string(200, '9'),
       "The prefix length " + std::string(64, '9') + "\u2026 is more than 32, the longest for IPv4"},
      {"bad mask octet", "10.0.0.0 255.255.256.0", "Netmask: '256' in '255.255.256.0' is more than 255"},
      {"length after a blank", "10.0.0.0 24",
       "'24' after a blank is no netmask; write /24 for a prefix length"},
      {"word for a length", "10.0.0.0/abc", "'abc' is neither a prefix length nor a netmask"},
      {"mask for IPv6", "2001:db8::/255.255.0.0",
       "An IPv6 prefix takes a length from /0 to /128, not a mask like '255.255.0.0'"},
      {"two '::'", "1::2::3", "'1::2::3' holds '::' more than once"},
      {"three colons", "1:::2", "'1:::2' has three colons in a row"},
      {"seven groups", "1:2:3:4:5:6:7",
       "'1:2:3:4:5:6:7' has only 7 groups; an IPv6 address has eight, or '::' for zero groups"},
      {"nine groups", "1:2:3:4:5:6:7:8:9", "'1:2:3:4:5:6:7:8:9' has more than eight groups"},
      {"eight groups and '::'", "1:2:3:4:5:6:7::8",
       "'1:2:3:4:5:6:7::8' has too many groups for a '::' among them"},
      {"five hex digits", "12345::", "'12345' in '12345::' has more than four hexadecimal digits"},
      {"not hexadecimal", "2001:db8::g", "'g' in '2001:db8::g' is not a hexadecimal digit"},
      {"single leading colon", ":1:2:3:4:5:6:7", "':1:2:3:4:5:6:7' has a ':' with no group next to it"},
      {"single trailing colon", "1:2:3:4:5:6:7:", "'1:2:3:4:5:6:7:' has a ':' with no group next to it"},
      {"zone index", "fe80::1%eth0/64",
       "'fe80::1%eth0' has a zone index (%eth0); a prefix has none, leave it out"},
      {"IPv4 part first", "1.2.3.4::", "'1.2.3.4::' has an IPv4 part that is not at its end"},
      {"IPv4 part in the middle", "::ffff:1.2.3.4:1",
       "'::ffff:1.2.3.4:1' has an IPv4 part that is not at its end"},
      {"short IPv4 tail", "::1.2.3",
       "'1.2.3' has 3 parts; an IPv4 address has four numbers from 0 to 255 separated by dots"},
  };
  for (const auto& c : cases) {
    const TPrefixParse parsed = ParsePrefix(c.Text);
    EXPECT_FALSE(parsed.Ok) << c.Name;
    EXPECT_EQ(parsed.Error, c.Message) << c.Name;
  }
}

TEST(PrefixParse, AddressAloneTakesNoLength) {
  EXPECT_TRUE(ParseAddress(" 2001:db8::1 ").Ok);
  EXPECT_FALSE(ParseAddress("10.0.0.0/8").Ok);
}

TUInt128 Groups(uint16_t g0, uint16_t g1, uint16_t g2, uint16_t g3, uint16_t g4, uint16_t g5, uint16_t g6,
                uint16_t g7) {
  TUInt128 value = 0;
  for (uint16_t g : {g0, g1, g2, g3, g4, g5, g6, g7}) value = (value << 16) | g;
  return value;
}

// RFC 5952 section 4 and 5.
TEST(PrefixText, IPv6CanonicalForm) {
  const struct {
    const char* Name;
    TUInt128 Value;
    std::string Text;
  } cases[] = {
      {"unspecified", 0, "::"},
      {"loopback", 1, "::1"},
      {"all ones", ~TUInt128{0}, "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
      {"leading zeros dropped", Groups(0x2001, 0x0db8, 0, 0, 0, 0, 0, 0x0001), "2001:db8::1"},
      {"single zero group not compressed", Groups(0x2001, 0xdb8, 0, 1, 1, 1, 1, 1), "2001:db8:0:1:1:1:1:1"},
      {"longest run compressed", Groups(0x2001, 0, 0, 1, 0, 0, 0, 1), "2001:0:0:1::1"},
      {"first of equal runs compressed", Groups(0x2001, 0xdb8, 0, 0, 1, 0, 0, 1), "2001:db8::1:0:0:1"},
      {"run at the end", Groups(0xfe80, 0, 0, 0, 0, 0, 0, 0), "fe80::"},
      {"run in the middle", Groups(1, 0, 0, 0, 0, 0, 1, 0), "1::1:0"},
      {"IPv4-mapped dotted", Groups(0, 0, 0, 0, 0, 0xffff, 0xc000, 0x0201), "::ffff:192.0.2.1"},
      {"IPv4-mapped zero", Groups(0, 0, 0, 0, 0, 0xffff, 0, 0), "::ffff:0.0.0.0"},
      {"ffff elsewhere is not mapped", Groups(0, 0, 0, 0, 0xffff, 0, 0, 0), "::ffff:0:0:0"},
      {"IPv4-compatible stays hexadecimal", Groups(0, 0, 0, 0, 0, 0, 0x0102, 0x0304), "::102:304"},
      {"NAT64 stays hexadecimal", Groups(0x64, 0xff9b, 0, 0, 0, 0, 0xc000, 0x221), "64:ff9b::c000:221"},
  };
  for (const auto& c : cases) {
    const TAddress address{TAddressFamily::afIPv6, c.Value};
    EXPECT_EQ(AddressText(address), c.Text) << c.Name;
    const TAddressParse back = ParseAddress(c.Text);
    ASSERT_TRUE(back.Ok) << c.Name;
    EXPECT_TRUE(back.Address == address) << c.Name << ": the text reads back as another address";
  }
}

TEST(PrefixText, IPv4AndPrefixForms) {
  EXPECT_EQ(AddressText({TAddressFamily::afIPv4, 0}), "0.0.0.0");
  EXPECT_EQ(AddressText({TAddressFamily::afIPv4, 0xFFFFFFFFu}), "255.255.255.255");
  EXPECT_EQ(PrefixText(MakePrefix({TAddressFamily::afIPv4, 0xC0A80177u}, 24)), "192.168.1.0/24");
  EXPECT_EQ(PrefixText(MakePrefix({TAddressFamily::afIPv6, ~TUInt128{0}}, 127)),
            "ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffe/127");
}

TEST(PrefixText, PowersOfTwoUpToTheIPv6Space) {
  const struct {
    int Exponent;
    std::string Text;
  } cases[] = {
      {0, "1"},
      {1, "2"},
      {32, "4294967296"},
      {64, "18446744073709551616"},
      {96, "79228162514264337593543950336"},
      {127, "170141183460469231731687303715884105728"},
      {128, "340282366920938463463374607431768211456"},
  };
  for (const auto& c : cases) EXPECT_EQ(PowerOfTwoText(c.Exponent), c.Text) << c.Exponent;
  EXPECT_EQ(PowerOfTwoCountText(128), "340,282,366,920,938,463,463,374,607,431,768,211,456");
  EXPECT_EQ(PowerOfTwoCountText(10), "1,024");
}

TEST(PrefixArithmetic, MasksAndLastAddresses) {
  const TPrefix v4 = MakePrefix({TAddressFamily::afIPv4, 0x0A010203u}, 22);
  EXPECT_EQ(AddressText(LastAddress(v4)), "10.1.3.255");
  EXPECT_EQ(AddressText(LastAddress(MakePrefix({TAddressFamily::afIPv4, 5}, 0))), "255.255.255.255");
  EXPECT_EQ(AddressText(LastAddress(MakePrefix({TAddressFamily::afIPv6, 5}, 0))),
            "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff");
  EXPECT_TRUE(PrefixMask(TAddressFamily::afIPv6, 128) == ~TUInt128{0});
  EXPECT_TRUE(PrefixMask(TAddressFamily::afIPv4, 32) == 0xFFFFFFFFu);
  EXPECT_TRUE(PrefixMask(TAddressFamily::afIPv4, 0) == 0);
  EXPECT_TRUE(Contains(v4, MakePrefix({TAddressFamily::afIPv4, 0x0A010304u}, 30)));
  EXPECT_FALSE(Contains(v4, MakePrefix({TAddressFamily::afIPv4, 0x0A010404u}, 30)));
  EXPECT_FALSE(Contains(v4, MakePrefix({TAddressFamily::afIPv4, 0x0A000000u}, 8)));
  EXPECT_FALSE(Contains(v4, MakePrefix({TAddressFamily::afIPv6, 0x0A010203u}, 128)));
}

}  // namespace
}  // namespace Parlamine
