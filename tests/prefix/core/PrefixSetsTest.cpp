// SPDX-License-Identifier: MIT
// Exclusions and supernets worked out by hand, bit by bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrefixSets.h"
#include "PrefixSummarize.h"

namespace Parlamine {
namespace {

std::vector<TPrefix> Prefixes(const std::vector<std::string>& texts) {
  std::vector<TPrefix> prefixes;
  for (const std::string& text : texts) {
    const TRangeParse parsed = ParseRangeLine(text);
    EXPECT_TRUE(parsed.Ok) << text << ": " << parsed.Error;
    for (const TPrefix& prefix : RangeToPrefixes(parsed.Range)) prefixes.push_back(prefix);
  }
  return prefixes;
}

std::vector<std::string> Texts(const std::vector<TPrefix>& prefixes) {
  std::vector<std::string> texts;
  for (const TPrefix& prefix : prefixes) texts.push_back(PrefixText(prefix));
  return texts;
}

TEST(ExcludePrefixes, LeavesTheFewestPrefixes) {
  const struct {
    std::vector<std::string> From, Excluded, Left;
  } cases[] = {
      {{"10.0.0.0/8"},
       {"10.1.0.0/16"},
       {"10.0.0.0/16", "10.2.0.0/15", "10.4.0.0/14", "10.8.0.0/13", "10.16.0.0/12", "10.32.0.0/11",
        "10.64.0.0/10", "10.128.0.0/9"}},
      {{"192.0.2.0/24"},
       {"192.0.2.10 - 192.0.2.20"},
       {"192.0.2.0/29", "192.0.2.8/31", "192.0.2.21/32", "192.0.2.22/31", "192.0.2.24/29", "192.0.2.32/27",
        "192.0.2.64/26", "192.0.2.128/25"}},
      {{"192.0.2.0/24"}, {"192.0.2.0/24"}, {}},
      {{"192.0.2.0/24"}, {"192.0.0.0/16"}, {}},
      {{"10.0.0.0/24"}, {"10.0.1.0/24", "2001:db8::/32"}, {"10.0.0.0/24"}},
      // The whole space, up to its last address.
      {{"0.0.0.0/0"}, {"128.0.0.0/1", "0.0.0.0/1"}, {}},
      {{"0.0.0.0/0"}, {"0.0.0.0/1", "192.0.0.0/2"}, {"128.0.0.0/2"}},
      {{"::/0"}, {"::/1"}, {"8000::/1"}},
      // What is left of neighbours is joined.
      {{"10.0.0.0/25", "10.0.1.0/24", "10.0.0.128/25"}, {"10.0.1.0/24"}, {"10.0.0.0/24"}},
      // Both families, each in order, exclusions overlapping.
      {{"2001:db8::/32", "10.0.0.0/24"},
       {"2001:db8::/33", "10.0.0.128/25", "10.0.0.192/26", "2001:db8::/34"},
       {"10.0.0.0/25", "2001:db8:8000::/33"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts(ExcludePrefixes(Prefixes(c.From), Prefixes(c.Excluded))), c.Left)
        << c.From.front() << " less " << c.Excluded.front();
  // One address out of a whole space leaves a prefix of every length but /0:
  // ::/128, then ::2/127, ::4/126 ... 8000::/1.
  const std::vector<TPrefix> left = ExcludePrefixes(Prefixes({"::/0"}), Prefixes({"::1"}));
  ASSERT_EQ(left.size(), 128u);
  EXPECT_EQ(PrefixText(left[1]), "::2/127");
  EXPECT_EQ(PrefixText(left[127]), "8000::/1");
}

TEST(ParentPrefixes, EachShorterLengthOrTheOneAskedFor) {
  const std::vector<TPrefix> all = ParentPrefixes(ParsePrefix("192.0.2.0/24").Prefix());
  ASSERT_EQ(all.size(), 24u);
  EXPECT_EQ(PrefixText(all[0]), "192.0.2.0/23");
  EXPECT_EQ(PrefixText(all[1]), "192.0.0.0/22");
  EXPECT_EQ(PrefixText(all[8]), "192.0.0.0/15");
  EXPECT_EQ(PrefixText(all[16]), "192.0.0.0/7");
  EXPECT_EQ(PrefixText(all[17]), "192.0.0.0/6");
  EXPECT_EQ(PrefixText(all[22]), "128.0.0.0/1");
  EXPECT_EQ(PrefixText(all[23]), "0.0.0.0/0");
  EXPECT_TRUE(ParentPrefixes(ParsePrefix("0.0.0.0/0").Prefix()).empty());

  const struct {
    std::string Prefix;
    int Length;
    std::vector<std::string> Parents;
  } asked[] = {
      {"2001:db8:1234:5600::/56", 32, {"2001:db8::/32"}},
      {"2001:db8:1234:5600::/56", 47, {"2001:db8:1234::/47"}},
      {"10.20.30.40", 0, {"0.0.0.0/0"}},
      {"10.20.30.40", 31, {"10.20.30.40/31"}},
      {"10.20.30.40", 32, {}},
      {"10.20.30.0/24", 25, {}},
  };
  for (const auto& a : asked)
    EXPECT_EQ(Texts(ParentPrefixes(ParsePrefix(a.Prefix).Prefix(), a.Length)), a.Parents) << a.Prefix;
}

}  // namespace
}  // namespace Parlamine
