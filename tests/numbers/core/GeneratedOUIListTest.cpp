// SPDX-License-Identifier: MIT
// The OUI.txt that the build makes from the IEEE registry: well-formed lines,
// sorted for the search, and the registrations a user would look up.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "OUIList.h"
#include "ZellBinDecHex.h"

namespace Parlamine {
namespace {

class GeneratedOUIListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(List.LoadFromFile(PARLAMINE_GENERATED_OUI_TXT)) << PARLAMINE_GENERATED_OUI_TXT;
  }
  TOUIList List;
};

TEST_F(GeneratedOUIListTest, EveryLineIsADataLineInSearchOrder) {
  ASSERT_GT(List.LineCount(), 30000u);
  std::string_view previous;
  for (size_t i = 0; i < List.LineCount(); ++i) {
    const std::string_view line = List.Line(i);
    ASSERT_GE(line.size(), 15u) << "line " << i + 1;
    const auto upperHexDigit = [](char c) { return IsHexDigit(c) && !(c >= 'a' && c <= 'f'); };
    EXPECT_TRUE(std::all_of(line.begin(), line.begin() + 6, upperHexDigit)) << "line " << i + 1;
    EXPECT_EQ(line[6], ' ') << "line " << i + 1;
    EXPECT_EQ(line[13], ' ') << "line " << i + 1;
    EXPECT_NE(line[14], ' ') << "line " << i + 1;
    if (i > 0) {
      EXPECT_GT(CompareOUILine(line, previous), 0) << "line " << i + 1 << " out of order";
    }
    previous = line;
  }
}

TEST_F(GeneratedOUIListTest, KnownRegistrations) {
  const struct {
    const char* Key;
    const char* Abbreviation;
    const char* OrganizationStart;
    const char* SwappedKey;
  } cases[] = {
      {"000055", "Cmmssr", "COMMISSARIAT A L`ENERGIE ATOM", "0000AA"},
      {"0000AA", "Xerox", "XEROX CORPORATION", "000055"},
      {"08002B", "Dgtl", "DIGITAL EQUIPMENT CORPORATION", "1000D4"},
      {"00000C", "Cisco", "Cisco Systems", "000030"},
  };
  for (const auto& c : cases) {
    const TOUISearchResult result = List.Search(c.Key);
    ASSERT_TRUE(result.Match.Found) << c.Key;
    EXPECT_EQ(result.Match.Abbreviation, c.Abbreviation) << c.Key;
    EXPECT_EQ(result.Match.Organization.rfind(c.OrganizationStart, 0), 0u)
        << c.Key << ": " << result.Match.Organization;
    EXPECT_EQ(result.SwappedKey, c.SwappedKey) << c.Key;
  }
}

}  // namespace
}  // namespace Parlamine
