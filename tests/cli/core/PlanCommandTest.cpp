// SPDX-License-Identifier: MIT
// `plan`, worked out by hand: the text table, the JSON document and the exit
// codes for a plan that fits, one that does not, and bad input.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"

namespace Parlamine {
namespace {

const char* const Example = "Sales 120\nEngineering 250\nServers 30\nWAN 1 2\nWAN 2 2\nWAN 3 2\n";

TEST(PlanCommand, TextIsATabSeparatedTableThenFreeSpaceAndTotals) {
  const TCliResult r = RunCli({"plan", "10.20.0.0/22", "--point-to-point"}, Example);
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "Name\tSize\tPrefix\tFirst Host\tLast Host\tBroadcast\tUsable Hosts\tUnused\n"
            "Engineering\t250 hosts\t10.20.0.0/24\t10.20.0.1\t10.20.0.254\t10.20.0.255\t254\t4\n"
            "Sales\t120 hosts\t10.20.1.0/25\t10.20.1.1\t10.20.1.126\t10.20.1.127\t126\t6\n"
            "Servers\t30 hosts\t10.20.1.128/27\t10.20.1.129\t10.20.1.158\t10.20.1.159\t30\t0\n"
            "WAN 1\t2 hosts\t10.20.1.160/31\t10.20.1.160\t10.20.1.161\tnone\t2\t0\n"
            "WAN 2\t2 hosts\t10.20.1.162/31\t10.20.1.162\t10.20.1.163\tnone\t2\t0\n"
            "WAN 3\t2 hosts\t10.20.1.164/31\t10.20.1.164\t10.20.1.165\tnone\t2\t0\n"
            "\n"
            "Free Space\t10.20.1.166/31\n"
            "Free Space\t10.20.1.168/29\n"
            "Free Space\t10.20.1.176/28\n"
            "Free Space\t10.20.1.192/26\n"
            "Free Space\t10.20.2.0/23\n"
            "Addresses Used\t422\t41.2%\n"
            "Addresses Free\t602\n");
}

TEST(PlanCommand, JsonOfAPlanThatDoesNotFitExitsOne) {
  const TCliResult r = RunCli({"plan", "10.0.0.0/26", "--order", "input", "--json"}, "A 2\nB 30\nC 14\n");
  ASSERT_EQ(r.ExitCode, 1) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  EXPECT_EQ(doc["order"], "input");
  ASSERT_EQ(doc["allocations"].size(), 2u);
  EXPECT_EQ(doc["allocations"][1]["prefix"], "10.0.0.32/27");
  EXPECT_EQ(doc["allocations"][1]["usableHosts"], 30);
  EXPECT_EQ(doc["free"], nlohmann::json({"10.0.0.4/30", "10.0.0.8/29", "10.0.0.16/28"}));
  EXPECT_EQ(doc["totals"],
            nlohmann::json({{"addresses", 64}, {"used", 36}, {"free", 28}, {"usedPercent", 56.2}}));
  ASSERT_EQ(doc["failures"].size(), 1u);
  EXPECT_EQ(doc["failures"][0]["name"], "C");
  EXPECT_EQ(doc["failures"][0]["line"], 3);
  EXPECT_EQ(doc["fittingParent"], "10.0.0.0/26");
}

TEST(PlanCommand, IPv6CountsBeyondTwoToThe53AreDigitStrings) {
  const TCliResult r = RunCli({"plan", "2001:db8::/48", "--json"}, "Campus 200 /64s\nLab 1000 addresses\n");
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  EXPECT_EQ(doc["allocations"][0]["addresses"], "4722366482869645213696");
  EXPECT_EQ(doc["allocations"][1]["prefix"], "2001:db8:0:100::/118");
  EXPECT_EQ(doc["allocations"][1]["addresses"], 1024);
  EXPECT_EQ(doc["allocations"][1]["unused"], 24);
  EXPECT_EQ(doc["totals"]["addresses"], "1208925819614629174706176");
}

TEST(PlanCommand, BadLinesAreNamedAndExitTwoWhileTheRestIsPlanned) {
  const TCliResult r = RunCli({"plan", "192.0.2.0/24"}, "A 100\nB lots\n");
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_NE(r.Err.find("parlamine-cli: plan: Line 2: 'B lots'"), std::string::npos) << r.Err;
  EXPECT_NE(r.Out.find("A\t100 hosts\t192.0.2.0/25\t"), std::string::npos) << r.Out;
  EXPECT_EQ(RunCli({"plan", "192.0.2.300/24"}, "A 1\n").ExitCode, 2);
  EXPECT_EQ(RunCli({"plan", "192.0.2.0/24", "--order", "random"}, "A 1\n").ExitCode, 2);
  // A folder is refused as summarize refuses it, not planned as an empty list;
  // a byte-order mark before the first line is no part of its name.
  const TCliResult folder = RunCli({"plan", "192.0.2.0/24", "/"});
  EXPECT_EQ(folder.ExitCode, 2);
  EXPECT_NE(folder.Err.find("cannot be read (Is a directory)"), std::string::npos) << folder.Err;
  EXPECT_NE(RunCli({"plan", "192.0.2.0/24"},
                   "\xEF\xBB\xBF"
                   "A 100\n")
                .Out.find("\nA\t100 hosts"),
            std::string::npos);
}

}  // namespace
}  // namespace Parlamine
