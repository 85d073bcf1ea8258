// SPDX-License-Identifier: MIT
// Plans worked out by hand: the sizes each line asks for, then whole plans
// of both families with their free space, totals and failures.
#include <gtest/gtest.h>

#include "PrefixPlan.h"

using namespace Parlamine;

namespace {

TPrefix Prefix(const char* text) { return ParsePrefix(text).Prefix(); }

// "Name Prefix" per allocation, in address order.
std::vector<std::string> Rows(const TPlan& plan) {
  std::vector<std::string> rows;
  for (const TPlanAllocation& a : plan.Allocations)
    rows.push_back(plan.Requirements[a.Requirement].Name + " " + PrefixText(a.Prefix));
  return rows;
}

std::vector<std::string> Texts(const std::vector<TPrefix>& prefixes) {
  std::vector<std::string> texts;
  for (const TPrefix& p : prefixes) texts.push_back(PrefixText(p));
  return texts;
}

std::vector<std::string> Column(const TPlan& plan, size_t column) {
  std::vector<std::string> cells;
  for (size_t row = 0; row < plan.Allocations.size(); ++row) cells.push_back(PlanRowCells(plan, row)[column]);
  return cells;
}

const char* const Example = "Sales 120\nEngineering: 250 hosts\nServers 30\nWAN 1 2\nWAN 2 2\nWAN 3 2\n";

}  // namespace

TEST(PrefixPlanTest, EachSizeFormGivesTheSmallestPrefixThatHoldsIt) {
  struct TCase {
    const char* Line;
    TAddressFamily Family;
    bool PointToPoint;
    const char* Name;
    int Length;  // of the prefix given
    const char* Size;
  };
  const TAddressFamily v4 = TAddressFamily::afIPv4, v6 = TAddressFamily::afIPv6;
  const TCase cases[] = {
      {"Lab 62", v4, false, "Lab", 26, "62 hosts"},      // 64 - 2 hold 62 exactly
      {"Lab 63", v4, false, "Lab", 25, "63 hosts"},      // one too many for a /26
      {"Loop 1 host", v4, false, "Loop", 30, "1 host"},  // network and broadcast still excluded
      {"Link 2", v4, false, "Link", 30, "2 hosts"},      // without point-to-point: a /30
      {"Link 2", v4, true, "Link", 31, "2 hosts"},       // RFC 3021
      {"Trio 3", v4, true, "Trio", 29, "3 hosts"},       // point-to-point is for exactly two
      {"Pool 512 addresses", v4, false, "Pool", 23, "512 addresses"},
      {"Pool 513 addresses", v4, false, "Pool", 22, "513 addresses"},
      {"Big, 1,000", v4, false, "Big", 22, "1000 hosts"},
      {"Site A /64", v6, false, "Site A", 64, "/64"},
      {"Campus 200 /64s", v6, false, "Campus", 56, "200 /64s"},
      {"Campus 256 /64s", v6, false, "Campus", 56, "256 /64s"},
      {"Hosts 2 # two boxes", v6, false, "Hosts", 127, "2 hosts"},   // IPv6 counts addresses
      {"Sales 110 +20%", v4, false, "Sales", 24, "110 hosts +20%"},  // 132 + 2 > 128
      {"Sales 115 +10%", v4, false, "Sales", 24, "115 hosts +10%"},  // 126.5 rounds up to 127
      {"Sales 115", v4, false, "Sales", 25, "115 hosts"},
  };
  for (const TCase& c : cases) {
    const TPlanInput input = ParsePlanText(c.Line, c.Family, {false, c.PointToPoint});
    ASSERT_EQ(input.Requirements.size(), 1u) << c.Line;
    EXPECT_TRUE(input.Errors.empty()) << c.Line;
    const TPlanRequirement& r = input.Requirements[0];
    EXPECT_EQ(r.Name, c.Name) << c.Line;
    EXPECT_EQ(AddressBits(c.Family) - r.HostBits, c.Length) << c.Line;
    EXPECT_EQ(r.SizeText(), c.Size) << c.Line;
  }
}

TEST(PrefixPlanTest, BadLinesAreReportedByNumberAndTheRestIsPlanned) {
  const char* text =
      "# site list\n\nSales 120\nbogus\nX /33\n  Y 0\nZ 10 +ten%\n 64\nHuge 5,000,000,000\n+25%\nOps 100\n";
  const TPlan plan = PlanText(Prefix("10.0.0.0/24"), text, {});
  std::vector<int> lines;
  for (const TSummaryLineError& e : plan.Errors) lines.push_back(e.LineNumber);
  EXPECT_EQ(lines, (std::vector<int>{4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(SummaryErrorText(plan.Errors[1]), "Line 5: 'X /33': '/33' is longer than /32");
  // The growth line counts for the lines above it too: 120 and 100 grow by 25%.
  EXPECT_EQ(Rows(plan), (std::vector<std::string>{"Sales 10.0.0.0/24"}));
  ASSERT_EQ(plan.Failures.size(), 1u);
  EXPECT_EQ(plan.Requirements[plan.Failures[0].Requirement].Name, "Ops");
}

TEST(PrefixPlanTest, TheExamplePlansLargestFirstWithItsFreeSpaceAndTotals) {
  const TPlan plan = PlanText(Prefix("10.20.0.0/22"), Example, {});
  EXPECT_EQ(Rows(plan), (std::vector<std::string>{"Engineering 10.20.0.0/24", "Sales 10.20.1.0/25",
                                                  "Servers 10.20.1.128/27", "WAN 1 10.20.1.160/30",
                                                  "WAN 2 10.20.1.164/30", "WAN 3 10.20.1.168/30"}));
  EXPECT_EQ(Column(plan, 7), (std::vector<std::string>{"4", "6", "0", "0", "0", "0"}));
  EXPECT_EQ(PlanRowCells(plan, 1),
            (std::vector<std::string>{"Sales", "120 hosts", "10.20.1.0/25", "10.20.1.1", "10.20.1.126",
                                      "10.20.1.127", "126", "6"}));
  EXPECT_EQ(Texts(plan.FreePrefixes),
            (std::vector<std::string>{"10.20.1.172/30", "10.20.1.176/28", "10.20.1.192/26", "10.20.2.0/23"}));
  EXPECT_EQ(plan.TotalsText(), "Used 428 of 1,024 addresses (41.7%), 596 free");
  EXPECT_TRUE(plan.Failures.empty());
}

TEST(PrefixPlanTest, PointToPointLinksTakeSlash31sWithoutBroadcast) {
  const TPlan plan = PlanText(Prefix("10.20.0.0/22"), Example, {false, true});
  EXPECT_EQ(Column(plan, 2).back(), "10.20.1.164/31");
  EXPECT_EQ(PlanRowCells(plan, 3),
            (std::vector<std::string>{"WAN 1", "2 hosts", "10.20.1.160/31", "10.20.1.160", "10.20.1.161",
                                      "none", "2", "0"}));
  EXPECT_EQ(Texts(plan.FreePrefixes).front(), "10.20.1.166/31");
  EXPECT_EQ(plan.UsedText(), "422");
}

TEST(PrefixPlanTest, IPv6SitesOfSlash56AndSlash64FillASlash48) {
  const TPlan plan =
      PlanText(Prefix("2001:db8::/48"), "Site A /64\nCampus 200 /64s\nSite B /64\nBranch /56\n", {});
  EXPECT_EQ(Rows(plan),
            (std::vector<std::string>{"Campus 2001:db8::/56", "Branch 2001:db8:0:100::/56",
                                      "Site A 2001:db8:0:200::/64", "Site B 2001:db8:0:201::/64"}));
  // 56 of the campus's 256 /64s stay unused.
  EXPECT_EQ(PlanRowCells(plan, 0),
            (std::vector<std::string>{"Campus", "200 /64s", "2001:db8::/56",
                                      "2001:db8::", "2001:db8:0:ff:ffff:ffff:ffff:ffff",
                                      "4722366482869645213696", "1033017668127734890496"}));
  const std::vector<std::string> free = Texts(plan.FreePrefixes);
  ASSERT_EQ(free.size(), 14u);  // /63 up to /49, no /55: the /56 at :300:: fills its place
  EXPECT_EQ(free.front(), "2001:db8:0:202::/63");
  EXPECT_EQ(free.back(), "2001:db8:0:8000::/49");
  EXPECT_EQ(plan.UsedPercentText(), "0.7");  // 514 of 65,536 /64s
}

TEST(PrefixPlanTest, ExactFitsFillTheBlockAndOneMoreAddressFails) {
  struct TCase {
    const char* Parent;
    const char* Text;
    std::vector<std::string> Rows;
    std::string Totals;
    std::string Failure;
  };
  const TCase cases[] = {
      {"192.168.0.0/24",
       "A 126\nB 62\nC 30\nD 14\nE 6\nF 2\nG 2\n",
       {"A 192.168.0.0/25", "B 192.168.0.128/26", "C 192.168.0.192/27", "D 192.168.0.224/28",
        "E 192.168.0.240/29", "F 192.168.0.248/30", "G 192.168.0.252/30"},
       "Used 256 of 256 addresses (100.0%), 0 free",
       ""},
      {"10.0.0.0/24",
       "Pool 257 addresses\n",
       {},
       "Used 0 of 256 addresses (0.0%), 256 free",
       "Does not fit: Pool needs a /23, larger than the block /24. All would fit in 10.0.0.0/23"},
      {"192.168.0.0/24",
       "A 126\nB 127\n",
       {"B 192.168.0.0/24"},
       "Used 256 of 256 addresses (100.0%), 0 free",
       "Does not fit: A needs a /25 (128 addresses), but only 0 of the block are left after the larger ones. "
       "All would fit in 192.168.0.0/23"},
  };
  for (const TCase& c : cases) {
    const TPlan plan = PlanText(Prefix(c.Parent), c.Text, {});
    EXPECT_EQ(Rows(plan), c.Rows) << c.Text;
    EXPECT_EQ(plan.TotalsText(), c.Totals) << c.Text;
    EXPECT_EQ(plan.FailureText(), c.Failure) << c.Text;
    EXPECT_EQ(plan.FreePrefixes.empty(), c.Totals.find(" 0 free") != std::string::npos) << c.Text;
  }
}

TEST(PrefixPlanTest, InputOrderPlacesEachAfterTheOneBeforeAndNamesWhatBlocksIt) {
  const TPlan gaps = PlanText(Prefix("10.0.0.0/24"), "A 2\nB 60\nC 14\n", {true, false});
  EXPECT_EQ(Rows(gaps), (std::vector<std::string>{"A 10.0.0.0/30", "B 10.0.0.64/26", "C 10.0.0.128/28"}));
  EXPECT_EQ(Texts(gaps.FreePrefixes),
            (std::vector<std::string>{"10.0.0.4/30", "10.0.0.8/29", "10.0.0.16/28", "10.0.0.32/27",
                                      "10.0.0.144/28", "10.0.0.160/27", "10.0.0.192/26"}));

  const TPlan blocked = PlanText(Prefix("10.0.0.0/26"), "A 2\nB 30\nC 14\n", {true, false});
  EXPECT_EQ(Rows(blocked), (std::vector<std::string>{"A 10.0.0.0/30", "B 10.0.0.32/27"}));
  EXPECT_EQ(
      blocked.FailureText(),
      "Does not fit: C needs a /28: in line order no aligned one is left after B (10.0.0.32/27); largest "
      "first would fit it. All would fit in 10.0.0.0/26");
  // Largest first the same lines fit: B, C, A.
  EXPECT_EQ(Rows(PlanText(Prefix("10.0.0.0/26"), "A 2\nB 30\nC 14\n", {})),
            (std::vector<std::string>{"B 10.0.0.0/27", "C 10.0.0.32/28", "A 10.0.0.48/30"}));
}

TEST(PrefixPlanTest, TheWholeIPv6SpaceIsCountedExactly) {
  const TPlan all = PlanText(Prefix("::/0"), "Everything /0\n", {});
  EXPECT_EQ(all.TotalsText(),
            "Used 340,282,366,920,938,463,463,374,607,431,768,211,456 of "
            "340,282,366,920,938,463,463,374,607,431,768,211,456 addresses (100.0%), 0 free");
  const TPlan none = PlanText(Prefix("::/0"), "", {});
  EXPECT_EQ(none.FreeText(), "340,282,366,920,938,463,463,374,607,431,768,211,456");
  EXPECT_EQ(Texts(none.FreePrefixes), (std::vector<std::string>{"::/0"}));
}
