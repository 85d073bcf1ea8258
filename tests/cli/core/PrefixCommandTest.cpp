// SPDX-License-Identifier: MIT
// `prefix` and `summarize`, worked out by hand (RFC 4632 aggregation, RFC 1918).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "PrefixSplit.h"

namespace Parlamine {
namespace {

TEST(PrefixCommand, IPv4InfoAndSplit) {
  const TCliResult r = RunCli({"prefix", "192.168.1.77/24", "--split", "/26", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  EXPECT_EQ(doc["network"], "192.168.1.0/24");
  EXPECT_EQ(doc["length"], 24);
  EXPECT_EQ(doc["lastAddress"], "192.168.1.255");
  EXPECT_EQ(doc["usableHosts"], 254);
  EXPECT_EQ(doc["split"]["subnetCount"], 4);
}

TEST(PrefixCommand, IPv6SplitTableStreamsEveryRow) {
  const TCliResult r = RunCli({"prefix", "2001:db8::/32", "--split", "34", "--table", "--lf"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "#\tNetwork\tFirst Address\tLast Address\n"
            "0\t2001:db8::/34\t2001:db8::\t2001:db8:3fff:ffff:ffff:ffff:ffff:ffff\n"
            "1\t2001:db8:4000::/34\t2001:db8:4000::\t2001:db8:7fff:ffff:ffff:ffff:ffff:ffff\n"
            "2\t2001:db8:8000::/34\t2001:db8:8000::\t2001:db8:bfff:ffff:ffff:ffff:ffff:ffff\n"
            "3\t2001:db8:c000::/34\t2001:db8:c000::\t2001:db8:ffff:ffff:ffff:ffff:ffff:ffff\n");
}

TEST(PrefixCommand, JsonTableLinesAreTheRowsKeyedByTheirCaptions) {
  const struct {
    const char* Prefix;
    const char* Split;
  } splits[] = {
      {"192.0.2.0/24", "31"}, {"10.0.0.0/8", "12"}, {"2001:db8::/32", "34"}, {"::ffff:10.0.0.0/120", "122"}};
  for (const auto& s : splits) {
    const TCliResult r = RunCli({"prefix", s.Prefix, "--split", s.Split, "--table", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const TPrefixSplit split(ParsePrefix(s.Prefix).Prefix(), std::stoi(s.Split));
    std::string expected;
    for (int64_t row = 0; row < split.RowCount(); ++row) {
      nlohmann::ordered_json line;
      line[std::string(split.ColumnCaption(0))] = row;  // the row number as a JSON number
      for (int column = 1; column < split.ColumnCount(); ++column)
        line[std::string(split.ColumnCaption(column))] = split.CellText(row, column);
      expected += line.dump() + "\n";
    }
    EXPECT_EQ(r.Out, expected) << s.Prefix;
  }
}

TEST(PrefixCommand, JsonCountsAreNumbersUpToTwoToThe53) {
  const struct {
    const char* Prefix;
    nlohmann::json Addresses;
  } cases[] = {
      {"10.0.0.0/8", 16777216},
      {"0.0.0.0/0", 4294967296},
      {"2001:db8::/75", 9007199254740992},  // 2^53, the last a reader holds exactly
      {"2001:db8::/74", "18014398509481984"},
      {"::/0", "340282366920938463463374607431768211456"},
  };
  for (const auto& c : cases) {
    const TCliResult r = RunCli({"prefix", c.Prefix, "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const nlohmann::json doc = nlohmann::json::parse(r.Out);
    EXPECT_EQ(doc["addresses"], c.Addresses) << c.Prefix;
    EXPECT_EQ(doc["prefixLength"], doc["length"]) << c.Prefix;
    EXPECT_TRUE(doc["prefixLength"].is_number()) << c.Prefix;
  }
  EXPECT_EQ(nlohmann::json::parse(RunCli({"prefix", "0.0.0.0/0", "--json"}).Out)["usableHosts"], 4294967294);
}

TEST(PrefixCommand, BadPrefixAndSplitLengthExitTwo) {
  EXPECT_EQ(RunCli({"prefix", "300.1.2.3/8"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"prefix", "10.0.0.0/8", "--split", "7"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"prefix", "10.0.0.0/8", "--split", "31"}).ExitCode, 2);  // more than 2^22 rows
}

TEST(SummarizeCommand, JoinsNeighboursAndReportsBadLines) {
  const TCliResult r = RunCli({"summarize"}, "10.0.0.0/24\n10.0.1.0/24\nbad\n10.0.2.0 - 10.0.3.255\n");
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_EQ(r.Out, "10.0.0.0/22\n");
  EXPECT_EQ(r.Err, "parlamine-cli: summarize: Line 3: 'bad' is neither an IPv4 nor an IPv6 address\n");
  const TCliResult j = RunCli({"summarize", "--json"}, "192.0.2.0/25\n192.0.2.128/25\n");
  EXPECT_EQ(j.ExitCode, 0);
  EXPECT_EQ(nlohmann::json::parse(j.Out)["prefixes"], nlohmann::json({"192.0.2.0/24"}));
}

}  // namespace
}  // namespace Parlamine
