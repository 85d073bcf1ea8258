// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <random>
#include <string>
#include <vector>

#include "PrefixSummarize.h"

namespace Parlamine {
namespace {

std::string PrefixesOf(const TSummary& summary) {
  std::string text;
  for (const TPrefix& prefix : summary.Prefixes) text += (text.empty() ? "" : " ") + PrefixText(prefix);
  return text;
}

std::string ErrorsOf(const TSummary& summary) {
  std::string text;
  for (const TSummaryLineError& error : summary.Errors) text += SummaryErrorText(error) + "\n";
  return text;
}

TEST(PrefixSummarize, FewestPrefixesForTheSameAddresses) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Prefixes;
  } cases[] = {
      {"two halves join", "192.0.2.0/25\n192.0.2.128/25", "192.0.2.0/24"},
      {"duplicates and a covered address", "10.0.0.0/8\n10.1.2.3\n10.0.0.0/8", "10.0.0.0/8"},
      {"neighbours that cannot join", "10.0.0.1\n10.0.0.2", "10.0.0.1/32 10.0.0.2/32"},
      {"neighbours that can", "10.0.0.2\n10.0.0.3", "10.0.0.2/31"},
      {"range cut at alignments", "192.0.2.1 - 192.0.2.6",
       "192.0.2.1/32 192.0.2.2/31 192.0.2.4/31 192.0.2.6/32"},
      {"range without blanks", "10.0.0.0-10.0.1.255", "10.0.0.0/23"},
      {"overlapping ranges", "10.0.0.0 - 10.0.0.200\n10.0.0.100 - 10.0.0.255", "10.0.0.0/24"},
      {"whole IPv4 space", "0.0.0.0 - 255.255.255.255", "0.0.0.0/0"},
      {"whole IPv6 space", ":: - ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "::/0"},
      {"top addresses", "255.255.255.255\n255.255.255.254", "255.255.255.254/31"},
      {"top IPv6 address then everything", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\n::/0", "::/0"},
      {"IPv4 first, each family in order", "2001:db8::1\n10.0.0.1\n::1\n9.0.0.0/8",
       "9.0.0.0/8 10.0.0.1/32 ::1/128 2001:db8::1/128"},
      {"host bits dropped", "10.1.2.3/22", "10.1.0.0/22"},
      {"netmask form", "10.0.0.0 255.255.0.0", "10.0.0.0/16"},
      {"IPv6 range", "2001:db8::-2001:db8::ffff", "2001:db8::/112"},
      {"mapped addresses stay IPv6", "::ffff:10.0.0.0/127", "::ffff:10.0.0.0/127"},
      {"blank lines and line ends", "\r\n10.0.0.0\r\n\r10.0.0.1\n\n", "10.0.0.0/31"},
      {"nothing", "", ""},
  };
  for (const auto& c : cases) {
    const TSummary summary = SummarizeText(c.Text);
    EXPECT_EQ(PrefixesOf(summary), c.Prefixes) << c.Name;
    EXPECT_EQ(ErrorsOf(summary), "") << c.Name;
  }
}

TEST(PrefixSummarize, BadLinesAreReportedByNumberAndTheRestSummarised) {
  const TSummary summary = SummarizeText(
      "10.0.0.1\nbogus\n\n10.0.0.300\r\n10.0.0.0\r10.0.0.9 - 10.0.0.1\n10.0.0.1 - ::1\n1.2.3.4 - x");
  EXPECT_EQ(PrefixesOf(summary), "10.0.0.0/31");
  EXPECT_EQ(ErrorsOf(summary),
            "Line 2: 'bogus' is neither an IPv4 nor an IPv6 address\n"
            "Line 4: '300' in '10.0.0.300' is more than 255\n"
            "Line 6: The range '10.0.0.9 - 10.0.0.1' ends before it begins\n"
            "Line 7: The range '10.0.0.1 - ::1' mixes an IPv4 and an IPv6 address\n"
            "Line 8: Range: 'x' is neither an IPv4 nor an IPv6 address\n");
}

// Random sets of addresses in one /24, summarised and checked against a
// count made without the summariser: the fewest prefixes for a set are the
// blocks inside it whose parent block is not inside it.
TEST(PrefixSummarize, MatchesABruteForceCountOnRandomSets) {
  std::mt19937 random(12);
  for (int round = 0; round < 200; ++round) {
    std::bitset<256> wanted;
    std::string text;
    const int lines = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < lines; ++i) {
      const unsigned a = static_cast<unsigned>(random() % 256);
      const unsigned b = std::min(255u, a + static_cast<unsigned>(random() % 40));
      for (unsigned x = a; x <= b; ++x) wanted.set(x);
      text += "198.51.100." + std::to_string(a) + " - 198.51.100." + std::to_string(b) + "\n";
    }
    const TSummary summary = SummarizeText(text);
    std::bitset<256> covered;
    for (const TPrefix& prefix : summary.Prefixes) {
      const unsigned first = static_cast<unsigned>(prefix.Network.Value & 0xFFu);
      const unsigned size = 1u << (32 - prefix.Length);
      for (unsigned x = first; x < first + size; ++x) {
        EXPECT_FALSE(covered.test(x)) << text << ": prefixes overlap";
        covered.set(x);
      }
    }
    ASSERT_EQ(covered, wanted) << text;

    const auto inside = [&](unsigned first, unsigned size) {
      for (unsigned x = first; x < first + size; ++x)
        if (!wanted.test(x)) return false;
      return true;
    };
    size_t fewest = 0;
    for (unsigned size = 1; size <= 256; size *= 2)
      for (unsigned first = 0; first < 256; first += size)
        if (inside(first, size) && (size == 256 || !inside(first & ~(2 * size - 1), 2 * size))) ++fewest;
    EXPECT_EQ(summary.Prefixes.size(), fewest) << text;
  }
}

// Long lists are merged in stages as the summarizer's store fills: the
// summary must still be the covered addresses exactly, in the fewest prefixes.
TEST(PrefixSummarize, LongListsMatchTheAddressesTheyCover) {
  const struct {
    const char* Base;  // the list's addresses are this plus 0 to 65535
    TAddressFamily Family;
  } families[] = {{"10.20.0.0", TAddressFamily::afIPv4}, {"2001:db8::", TAddressFamily::afIPv6}};
  for (const auto& family : families) {
    const TAddress base = ParseAddress(family.Base).Address;
    std::mt19937 random(7);
    std::vector<bool> wanted(65536);
    TSummarizer summarizer;
    for (int i = 0; i < 20000; ++i) {
      const unsigned first = static_cast<unsigned>(random() % 65536);
      const unsigned last = std::min(65535u, first + static_cast<unsigned>(random() % 12));
      for (unsigned x = first; x <= last; ++x) wanted[x] = true;
      summarizer.AddRange(
          {TAddress{family.Family, base.Value + first}, TAddress{family.Family, base.Value + last}});
    }
    std::vector<bool> covered(65536);
    size_t count = 0;
    summarizer.ForEachPrefix([&](const TPrefix& prefix) {
      const TAddress last = LastAddress(prefix);
      for (TUInt128 x = prefix.Network.Value; x <= last.Value; ++x) {
        EXPECT_FALSE(covered[static_cast<size_t>(x - base.Value)]) << family.Base << ": prefixes overlap";
        covered[static_cast<size_t>(x - base.Value)] = true;
      }
      ++count;
    });
    ASSERT_EQ(covered, wanted) << family.Base;
    size_t fewest = 0;
    for (unsigned x = 0; x < 65536;) {
      if (!wanted[x]) {
        ++x;
        continue;
      }
      unsigned end = x;
      while (end + 1 < 65536 && wanted[end + 1]) ++end;
      fewest += RangeToPrefixes(
                    {TAddress{family.Family, base.Value + x}, TAddress{family.Family, base.Value + end}})
                    .size();
      x = end + 1;
    }
    EXPECT_EQ(count, fewest) << family.Base;
  }
}

}  // namespace
}  // namespace Parlamine
