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

TEST(PrefixCommand, RegistryFlagsOfEachType) {
  const TCliResult r = RunCli({"prefix", "192.88.99.0/30", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json flags = nlohmann::json::parse(r.Out)["registryFlags"];
  ASSERT_EQ(flags.size(), 2u);
  EXPECT_EQ(flags[0]["type"], "Deprecated (6to4 relay anycast) (RFC 7526)");
  EXPECT_EQ(flags[0]["source"], "N/A");
  EXPECT_EQ(flags[1]["type"], "6a44 relay anycast (RFC 6751)");
  EXPECT_EQ(flags[1]["globallyReachable"], "True");
  EXPECT_EQ(flags[1]["reservedByProtocol"], "False");
  const nlohmann::json unlisted = nlohmann::json::parse(RunCli({"prefix", "8.8.8.8", "--json"}).Out);
  EXPECT_TRUE(unlisted["registryFlags"][0]["source"].is_null());
  EXPECT_NE(RunCli({"prefix", "10.0.0.0/8"})
                .Out.find("\nRegistry Flags: Source True, Destination True, "
                          "Forwardable True, Globally Reachable False, "
                          "Reserved-by-Protocol False\n"),
            std::string::npos);
}

TEST(PrefixCommand, IPv6FormsAndZones) {
  const TCliResult r = RunCli({"prefix", "2001:0:4136:e378:8000:63bf:3fff:fdd2"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_NE(r.Out.find("\nExploded: 2001:0000:4136:e378:8000:63bf:3fff:fdd2\n"
                       "IPv6 Netmask: ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\n"
                       "Embedded IPv4: Teredo: server 65.54.227.120, client 192.0.2.45, port 40000\n"),
            std::string::npos)
      << r.Out;
  const nlohmann::json teredo =
      nlohmann::json::parse(RunCli({"prefix", "2001:0:4136:e378:8000:63bf:3fff:fdd2", "--json"}).Out);
  EXPECT_EQ(
      teredo["embeddedIPv4"],
      nlohmann::json(
          {{"kind", "Teredo"}, {"server", "65.54.227.120"}, {"client", "192.0.2.45"}, {"port", 40000}}));
  const nlohmann::json sixToFour =
      nlohmann::json::parse(RunCli({"prefix", "2002:c000:204::/47", "--json"}).Out);
  EXPECT_EQ(sixToFour["embeddedIPv4"], nlohmann::json({{"kind", "6to4"}, {"address", "192.0.2.4"}}));
  EXPECT_EQ(sixToFour["reverseDnsZones"],
            nlohmann::json({"4.0.2.0.0.0.0.c.2.0.0.2.ip6.arpa", "5.0.2.0.0.0.0.c.2.0.0.2.ip6.arpa"}));
  // IPv4 has none of the IPv6 forms.
  const nlohmann::json ipv4 = nlohmann::json::parse(RunCli({"prefix", "10.0.0.0/22", "--json"}).Out);
  EXPECT_FALSE(ipv4.contains("exploded") || ipv4.contains("embeddedIPv4"));
  EXPECT_EQ(ipv4["reverseDnsZones"].size(), 4u);
}

TEST(PrefixCommand, Parents) {
  const struct {
    std::vector<std::string> Arguments;
    std::string Parents;
  } cases[] = {
      {{"prefix", "192.0.2.0/29", "--parents", "/24"}, "Parent: 192.0.2.0/24\n"},
      {{"prefix", "192.0.2.0/26", "--parents", "0"}, "Parent: 0.0.0.0/0\n"},
      {{"prefix", "10.0.0.0/3", "--parents"}, "Parent: 0.0.0.0/2\nParent: 0.0.0.0/1\nParent: 0.0.0.0/0\n"},
      {{"prefix", "2001:db8:1:2::/64", "--parents", "48"}, "Parent: 2001:db8:1::/48\n"},
  };
  for (const auto& c : cases) {
    const TCliResult r = RunCli(c.Arguments);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out.substr(r.Out.find("Parent: ")), c.Parents) << c.Arguments[1];
  }
  const TCliResult json = RunCli({"prefix", "10.0.0.0/2", "--parents", "--json"});
  EXPECT_EQ(nlohmann::json::parse(json.Out)["parents"], nlohmann::json({"0.0.0.0/1", "0.0.0.0/0"}));
  for (const char* length : {"24", "25", "x"})
    EXPECT_EQ(RunCli({"prefix", "192.0.2.0/24", "--parents", length}).ExitCode, 2) << length;
  EXPECT_EQ(RunCli({"prefix", "::/0", "--parents", "0"}).ExitCode, 2);
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

// Any split: its size at once, and its rows as a stream from any row on.
TEST(PrefixCommand, DeepSplitsCountAndStreamSlices) {
  const nlohmann::json isp =
      nlohmann::json::parse(RunCli({"prefix", "2001:db8::/32", "--split", "64", "--json"}).Out);
  EXPECT_EQ(isp["split"]["subnetCount"], 4294967296);
  const nlohmann::json all =
      nlohmann::json::parse(RunCli({"prefix", "::/0", "--split", "128", "--json"}).Out);
  EXPECT_EQ(all["split"]["subnetCount"], "340282366920938463463374607431768211456");

  const struct {
    std::vector<std::string> Arguments;
    std::string Out;
  } slices[] = {
      {{"prefix", "2001:db8::/32", "--split", "56", "--table", "--lf", "--first", "16777215", "--count", "5"},
       "#\tNetwork\tFirst Address\tLast Address\n"
       "16777215\t2001:db8:ffff:ff00::/56\t2001:db8:ffff:ff00::\t2001:db8:ffff:ffff:ffff:ffff:ffff:ffff\n"},
      {{"prefix", "0.0.0.0/0", "--split", "32", "--table", "--lf", "--first", "4294967294"},
       "#\tNetwork\tFirst Host\tLast Host\tBroadcast\n"
       "4294967294\t255.255.255.254/32\t255.255.255.254\t255.255.255.254\tnone\n"
       "4294967295\t255.255.255.255/32\t255.255.255.255\t255.255.255.255\tnone\n"},
      {{"prefix", "10.0.0.0/8", "--split", "32", "--table", "--lf", "--count", "2", "--first", "1"},
       "#\tNetwork\tFirst Host\tLast Host\tBroadcast\n"
       "1\t10.0.0.1/32\t10.0.0.1\t10.0.0.1\tnone\n"
       "2\t10.0.0.2/32\t10.0.0.2\t10.0.0.2\tnone\n"},
      {{"prefix", "10.0.0.0/8", "--split", "9", "--table", "--lf", "--first", "2"},
       "#\tNetwork\tFirst Host\tLast Host\tBroadcast\n"},
      {{"prefix", "::/0", "--split", "128", "--table", "--json", "--first",
        "340282366920938463463374607431768211455"},
       "{\"#\":\"340282366920938463463374607431768211455\",\"Network\":\"ffff:ffff:ffff:ffff:ffff:ffff:ffff:"
       "ffff/"
       "128\",\"First Address\":\"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\",\"Last "
       "Address\":\"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\"}\n"},
  };
  for (const auto& c : slices) {
    const TCliResult r = RunCli(c.Arguments);
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, c.Out) << c.Arguments[1];
  }
  // Rows on either side of 2^22.
  const TCliResult many = RunCli(
      {"prefix", "10.0.0.0/8", "--split", "32", "--table", "--lf", "--first", "4194300", "--count", "6"});
  EXPECT_NE(many.Out.find("\n4194303\t10.63.255.255/32\t"), std::string::npos);
  EXPECT_NE(many.Out.find("\n4194305\t10.64.0.1/32\t"), std::string::npos) << many.Out;
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
  EXPECT_EQ(RunCli({"prefix", "10.0.0.0/8", "--split", "33"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"prefix", "10.0.0.0/8", "--split", "9", "--table", "--first", "-1"}).ExitCode, 2);
  EXPECT_EQ(RunCli({"prefix", "::/0", "--split", "9", "--table", "--first", std::string(40, '9')}).ExitCode,
            2);
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
