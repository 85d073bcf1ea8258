// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "PrefixSplit.h"

namespace Parlamine {
namespace {

TPrefix PrefixOf(const std::string& text) {
  const TPrefixParse parsed = ParsePrefix(text);
  EXPECT_TRUE(parsed.Ok) << text << ": " << parsed.Error;
  return parsed.Prefix();
}

std::string RowText(const TPrefixSplit& split, int64_t row) {
  char line[TPrefixSplit::MaxRowTextSize];
  return std::string(line, split.FormatRow(row, line));
}

TEST(PrefixSplit, RowsFromTheirIndexAlone) {
  const struct {
    const char* Name;
    std::string Prefix;
    int Length;
    int64_t Rows;
    int64_t Row;
    std::string Text;
  } cases[] = {
      {"fifth /26 of a /16", "172.16.0.0/16", 26, 1024, 4,
       "4\t172.16.1.0/26\t172.16.1.1\t172.16.1.62\t172.16.1.63"},
      {"subnet zero", "172.16.0.0/16", 26, 1024, 0, "0\t172.16.0.0/26\t172.16.0.1\t172.16.0.62\t172.16.0.63"},
      {"all-ones subnet", "172.16.0.0/16", 26, 1024, 1023,
       "1023\t172.16.255.192/26\t172.16.255.193\t172.16.255.254\t172.16.255.255"},
      {"largest IPv4 split, last row", "10.0.0.0/8", 30, 4194304, 4194303,
       "4194303\t10.255.255.252/30\t10.255.255.253\t10.255.255.254\t10.255.255.255"},
      {"top of the IPv4 space", "0.0.0.0/0", 22, 4194304, 4194303,
       "4194303\t255.255.252.0/22\t255.255.252.1\t255.255.255.254\t255.255.255.255"},
      {"/31 has two hosts, no broadcast", "192.0.2.0/24", 31, 128, 1,
       "1\t192.0.2.2/31\t192.0.2.2\t192.0.2.3\tnone"},
      {"/32 is one host", "192.0.2.0/30", 32, 4, 3, "3\t192.0.2.3/32\t192.0.2.3\t192.0.2.3\tnone"},
      {"the prefix itself", "192.168.1.0/24", 24, 1, 0,
       "0\t192.168.1.0/24\t192.168.1.1\t192.168.1.254\t192.168.1.255"},
      {"whole IPv4 space left whole", "0.0.0.0/0", 0, 1, 0,
       "0\t0.0.0.0/0\t0.0.0.1\t255.255.255.254\t255.255.255.255"},
      {"IPv4 space halved, upper half", "0.0.0.0/0", 1, 2, 1,
       "1\t128.0.0.0/1\t128.0.0.1\t255.255.255.254\t255.255.255.255"},
      {"last /31 of the space", "255.255.255.0/24", 31, 128, 127,
       "127\t255.255.255.254/31\t255.255.255.254\t255.255.255.255\tnone"},
      {"last address alone", "255.255.255.255/32", 32, 1, 0,
       "0\t255.255.255.255/32\t255.255.255.255\t255.255.255.255\tnone"},
      {"host bits of the typed address cleared", "10.1.2.3/22", 24, 4, 3,
       "3\t10.1.3.0/24\t10.1.3.1\t10.1.3.254\t10.1.3.255"},
      {"IPv6 /48s", "2001:db8::/32", 48, 65536, 1,
       "1\t2001:db8:1::/48\t2001:db8:1::\t2001:db8:1:ffff:ffff:ffff:ffff:ffff"},
      {"IPv6 last /48", "2001:db8::/32", 48, 65536, 65535,
       "65535\t2001:db8:ffff::/48\t2001:db8:ffff::\t2001:db8:ffff:ffff:ffff:ffff:ffff:ffff"},
      {"whole IPv6 space", "::/0", 0, 1, 0, "0\t::/0\t::\tffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
      {"IPv6 space in /22s, last", "::/0", 22, 4194304, 4194303,
       "4194303\tffff:fc00::/22\tffff:fc00::\tffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
      {"IPv6 /128s", "2001:db8::/126", 128, 4, 2, "2\t2001:db8::2/128\t2001:db8::2\t2001:db8::2"},
      {"IPv6 /127", "::/126", 127, 2, 1, "1\t::2/127\t::2\t::3"},
      {"IPv4-mapped rows", "::ffff:10.0.0.0/120", 122, 4, 1,
       "1\t::ffff:10.0.0.64/122\t::ffff:10.0.0.64\t::ffff:10.0.0.127"},
  };
  for (const auto& c : cases) {
    const TPrefixSplit split(PrefixOf(c.Prefix), c.Length);
    EXPECT_EQ(split.RowCount(), c.Rows) << c.Name;
    EXPECT_EQ(RowText(split, c.Row), c.Text) << c.Name;
    // The list's cells are the same texts as the copied row.
    std::string joined;
    for (int column = 0; column < split.ColumnCount(); ++column)
      joined += (column > 0 ? "\t" : "") + split.CellText(c.Row, column);
    EXPECT_EQ(joined, c.Text) << c.Name;
  }
}

TEST(PrefixSplit, RowsAsJsonObjects) {
  const struct {
    std::string Prefix;
    int Length;
    int64_t Row;
    std::string Json;
  } cases[] = {
      {"172.16.0.0/16", 26, 4,
       R"({"#":4,"Network":"172.16.1.0/26","First Host":"172.16.1.1","Last Host":"172.16.1.62",)"
       R"("Broadcast":"172.16.1.63"})"},
      {"192.0.2.0/24", 31, 1,
       R"({"#":1,"Network":"192.0.2.2/31","First Host":"192.0.2.2","Last Host":"192.0.2.3","Broadcast":"none"})"},
      {"2001:db8::/32", 48, 65535,
       R"({"#":65535,"Network":"2001:db8:ffff::/48","First Address":"2001:db8:ffff::",)"
       R"("Last Address":"2001:db8:ffff:ffff:ffff:ffff:ffff:ffff"})"},
  };
  for (const auto& c : cases) {
    const TPrefixSplit split(PrefixOf(c.Prefix), c.Length);
    char json[TPrefixSplit::MaxRowJsonSize];
    EXPECT_EQ(std::string(json, split.FormatRowJson(c.Row, json)), c.Json) << c.Prefix;
  }
  char json[TPrefixSplit::MaxRowJsonSize];
  EXPECT_EQ(TPrefixSplit(PrefixOf("10.0.0.0/8"), 9).FormatRowJson(2, json), 0u);
}

TEST(PrefixSplit, LongestRowsFitTheirBuffers) {
  // The longest texts of each family: eight-digit-wide numbers, full addresses.
  const std::pair<std::string, int> splits[] = {{"0.0.0.0/0", 22},
                                                {"ffff:ffff:ffff:ffff:ffff:ffff:fff0:0/106", 128},
                                                {"1111:2222:3333:4444:5555:6666::/96", 118}};
  for (const auto& [prefix, length] : splits) {
    const TPrefixSplit split(PrefixOf(prefix), length);
    char line[TPrefixSplit::MaxRowTextSize];
    char json[TPrefixSplit::MaxRowJsonSize];
    const int64_t last = split.RowCount() - 1;
    EXPECT_LE(split.FormatRow(last, line), TPrefixSplit::MaxRowTextSize) << prefix;
    EXPECT_LE(split.FormatRowJson(last, json), TPrefixSplit::MaxRowJsonSize) << prefix;
  }
}

TEST(PrefixSplit, OutsideTheTableIsEmpty) {
  const TPrefixSplit split(PrefixOf("10.0.0.0/8"), 9);
  EXPECT_EQ(RowText(split, 2), "");
  EXPECT_EQ(RowText(split, -1), "");
  EXPECT_EQ(split.CellText(0, 5), "");
  EXPECT_EQ(TPrefixSplit().RowCount(), 0);
}

TEST(PrefixSplit, ColumnsByFamily) {
  const TPrefixSplit v4(PrefixOf("10.0.0.0/8"), 9);
  const TPrefixSplit v6(PrefixOf("::/0"), 1);
  ASSERT_EQ(v4.ColumnCount(), 5);
  ASSERT_EQ(v6.ColumnCount(), 4);
  EXPECT_EQ(v4.ColumnCaption(2), "First Host");
  EXPECT_EQ(v4.ColumnCaption(4), "Broadcast");
  EXPECT_EQ(v6.ColumnCaption(3), "Last Address");
}

TEST(PrefixSplit, LengthsAndTheirItems) {
  EXPECT_EQ(SplitLengths(PrefixOf("192.168.1.0/24")), (std::vector<int>{24, 25, 26, 27, 28, 29, 30, 31, 32}));
  EXPECT_EQ(SplitLengths(PrefixOf("10.0.0.0/8")).back(), 32);
  EXPECT_EQ(SplitLengths(PrefixOf("::/0")).size(), 25u);
  EXPECT_EQ(SplitLengths(PrefixOf("2001:db8::1")), (std::vector<int>{128}));

  const struct {
    std::string Prefix;
    int Length;
    std::string Item;
  } items[] = {
      {"172.16.0.0/16", 26, "/26 (1,024 subnets of 64 addresses)"},
      {"192.168.1.0/24", 24, "/24 (1 subnet of 256 addresses)"},
      {"192.0.2.0/30", 32, "/32 (4 subnets of 1 address)"},
      {"10.0.0.0/8", 30, "/30 (4,194,304 subnets of 4 addresses)"},
      {"2001:db8::/42", 64, "/64 (4,194,304 subnets of 18,446,744,073,709,551,616 addresses)"},
      {"::/0", 0, "/0 (1 subnet of 340,282,366,920,938,463,463,374,607,431,768,211,456 addresses)"},
  };
  for (const auto& c : items) EXPECT_EQ(SplitLengthItemText(PrefixOf(c.Prefix), c.Length), c.Item) << c.Item;
}

// Slices of splits too large to list, numbered as in the whole table.
TEST(PrefixSplit, SlicesReachAnyRow) {
  const struct {
    std::string Prefix;
    int Length;
    TUInt128 First;
    int64_t Count, Rows;
    std::string FirstRow;
  } cases[] = {
      {"0.0.0.0/0", 32, 4294967295u, 10, 1,
       "4294967295\t255.255.255.255/32\t255.255.255.255\t255.255.255.255\tnone"},
      {"0.0.0.0/0", 32, 167772160u, 2, 2, "167772160\t10.0.0.0/32\t10.0.0.0\t10.0.0.0\tnone"},
      {"2001:db8::/32", 64, 65536, 3, 3,
       "65536\t2001:db8:1::/64\t2001:db8:1::\t2001:db8:1:0:ffff:ffff:ffff:ffff"},
      {"::/0", 128, ~TUInt128{0}, 5, 1,
       "340282366920938463463374607431768211455\tffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128\t"
       "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\tffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
      {"10.0.0.0/8", 9, 2, 5, 0, ""},
  };
  for (const auto& c : cases) {
    const TPrefixSplit slice = TPrefixSplit::Slice(PrefixOf(c.Prefix), c.Length, c.First, c.Count);
    EXPECT_EQ(slice.RowCount(), c.Rows) << c.Prefix;
    EXPECT_EQ(RowText(slice, 0), c.FirstRow) << c.Prefix;
  }
  // Beyond 2^53 the JSON row number is a string of digits.
  char json[TPrefixSplit::MaxRowJsonSize];
  const TPrefixSplit huge = TPrefixSplit::Slice(PrefixOf("::/0"), 64, TUInt128{1} << 53, 2);
  EXPECT_EQ(std::string(json, huge.FormatRowJson(0, json)).substr(0, 28), "{\"#\":9007199254740992,\"Netwo");
  EXPECT_EQ(std::string(json, huge.FormatRowJson(1, json)).substr(0, 30),
            "{\"#\":\"9007199254740993\",\"Netwo");
}

TEST(PrefixSplit, RowOfTheSubnetHoldingAnAddress) {
  const struct {
    std::string Prefix;
    int Length;
    std::string Address;
    std::optional<int64_t> Row;
  } cases[] = {
      {"172.16.0.0/16", 26, "172.16.1.0", 4},
      {"172.16.0.0/16", 26, "172.16.1.63", 4},
      {"172.16.0.0/16", 26, "172.16.255.255", 1023},
      {"172.16.0.0/16", 26, "172.17.0.0", std::nullopt},
      {"172.16.0.0/16", 26, "2001:db8::", std::nullopt},
      {"2001:db8::/32", 56, "2001:db8:ffff:ff12::1", 16777215},
      {"0.0.0.0/0", 0, "255.255.255.255", 0},
      {"::/0", 24, "ffff:ff00::", 16777215},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TPrefixSplit(PrefixOf(c.Prefix), c.Length).RowOf(ParseAddress(c.Address).Address), c.Row)
        << c.Prefix << " " << c.Address;
}

TEST(PrefixSplit, ChosenLengthStaysInTheList) {
  const TPrefix p24 = PrefixOf("192.168.1.0/24");
  EXPECT_EQ(ChooseSplitLength(p24, std::nullopt), 25);
  EXPECT_EQ(ChooseSplitLength(p24, 26), 26);
  EXPECT_EQ(ChooseSplitLength(p24, 40), 32);
  EXPECT_EQ(ChooseSplitLength(p24, 10), 24);
  EXPECT_EQ(ChooseSplitLength(PrefixOf("10.0.0.0/8"), 33), 32);
  EXPECT_EQ(ChooseSplitLength(PrefixOf("::/0"), 64), 24);
  EXPECT_EQ(ChooseSplitLength(PrefixOf("::1"), std::nullopt), 128);
  EXPECT_EQ(TPrefixSplit(p24, 40).SubnetLength(), 32);
  EXPECT_EQ(TPrefixSplit(p24, 40).RowCount(), 256);
}

}  // namespace
}  // namespace Parlamine
