// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "OUIList.h"
#include "ZellBinDecHex.h"

namespace Parlamine {
namespace {

const char* const SampleList =
    "000055 Cmmssr COMMISSARIAT A L`ENERGIE ATOM\n"
    "0000AA Xerox  XEROX CORPORATION\n"
    "08002B Dgtl   DIGITAL EQUIPMENT CORPORATION\n"
    "1000D4 Trail  TRAILING BLANKS KEPT   \n"
    "FFFFFF Bcast  BROADCAST\n";

TEST(OUISwappedKey, EachByteBitReversed) {
  const struct {
    const char* Key;
    const char* Swapped;
  } cases[] = {
      {"000055", "0000AA"}, {"08002B", "1000D4"}, {"FFFFFF", "FFFFFF"},
      {"000000", "000000"}, {"", "000000"},       {"7FFFFFFF", "FEFFFFFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(SwappedOUIKey(c.Key), c.Swapped) << c.Key;
}

TEST(OUISwappedKey, BadStoredTexts) {
  EXPECT_THROW(SwappedOUIKey("00G055"), EConvertError);
  EXPECT_THROW(SwappedOUIKey("80000000"), std::range_error);  // beyond the signed 32-bit range
  EXPECT_THROW(SwappedOUIKey("FFFFFFFFF"), std::range_error);
}

TEST(OUISearch, FoundAndNotFound) {
  TOUIList list;
  list.LoadFromText(SampleList);
  const struct {
    const char* Name;
    const char* Key;
    const char* Abbreviation;  // nullptr: not found
    const char* Organization;
    const char* SwappedAbbreviation;
    const char* SwappedOrganization;
  } cases[] = {
      {"both found", "000055", "Cmmssr", "COMMISSARIAT A L`ENERGIE ATOM", "Xerox", "XEROX CORPORATION"},
      {"swapped found first in file", "0000AA", "Xerox", "XEROX CORPORATION", "Cmmssr",
       "COMMISSARIAT A L`ENERGIE ATOM"},
      {"trailing blanks of the name kept", "08002B", "Dgtl", "DIGITAL EQUIPMENT CORPORATION", "Trail",
       "TRAILING BLANKS KEPT   "},
      {"own swapped form from the same line", "FFFFFF", "Bcast", "BROADCAST", "Bcast", "BROADCAST"},
      {"neither found", "123456", nullptr, nullptr, nullptr, nullptr},
      {"found, swapped not found", "0000AA", "Xerox", "XEROX CORPORATION", "Cmmssr",
       "COMMISSARIAT A L`ENERGIE ATOM"},
  };
  for (const auto& c : cases) {
    const TOUISearchResult r = list.Search(c.Key);
    EXPECT_EQ(r.Match.Found, c.Abbreviation != nullptr) << c.Name;
    if (c.Abbreviation) {
      EXPECT_EQ(r.Match.Abbreviation, c.Abbreviation) << c.Name;
      EXPECT_EQ(r.Match.Organization, c.Organization) << c.Name;
    }
    EXPECT_EQ(r.SwappedMatch.Found, c.SwappedAbbreviation != nullptr) << c.Name;
    if (c.SwappedAbbreviation) {
      EXPECT_EQ(r.SwappedMatch.Abbreviation, c.SwappedAbbreviation) << c.Name;
      EXPECT_EQ(r.SwappedMatch.Organization, c.SwappedOrganization) << c.Name;
    }
  }
}

// The list may be in any order: every entry is found wherever it is, and of
// several lines with one OUI the first in the file wins.
TEST(OUISearch, FindsEntriesInAnyOrderAndTheFirstOfAKind) {
  const struct {
    const char* Name;
    const char* Text;
    const char* Key;
    const char* Organization;
    const char* SwappedOrganization;
  } cases[] = {
      {"after a line sorting above it", "0000AA Xerox  XEROX\n000055 Cmmssr COMMISSARIAT\n", "000055",
       "COMMISSARIAT", "XEROX"},
      {"appended at the end",
       "000055 Cmmssr COMMISSARIAT\n0000AA Xerox  XEROX\n08002B Dgtl   DIGITAL\n000001 New    NEW\n",
       "000001", "NEW", nullptr},
      {"behind a header that sorts above every OUI", "OUI list\nZZZZZZ\n08002B Dgtl   DIGITAL\n", "08002B",
       "DIGITAL", nullptr},
      {"the first of two lines wins",
       "0000AA Second SECOND\r\n000055 Cmmssr COMMISSARIAT\r0000aa Third  THIRD\n", "000055", "COMMISSARIAT",
       "SECOND"},
  };
  for (const auto& c : cases) {
    TOUIList list;
    list.LoadFromText(c.Text);
    const TOUISearchResult r = list.Search(c.Key);
    EXPECT_TRUE(r.Match.Found) << c.Name;
    EXPECT_EQ(r.Match.Organization, c.Organization) << c.Name;
    EXPECT_EQ(r.SwappedMatch.Found, c.SwappedOrganization != nullptr) << c.Name;
    if (c.SwappedOrganization) {
      EXPECT_EQ(r.SwappedMatch.Organization, c.SwappedOrganization) << c.Name;
    }
  }
}

// A large file of anything but OUI lines is read as a stream: it costs the
// program next to no memory.
TEST(OUIList, ALargeJunkFileCostsLittleMemory) {
  const auto path =
      std::filesystem::temp_directory_path() / ("parlamine-oui-junk-" + std::to_string(::getpid()) + ".txt");
  constexpr size_t Size = size_t{64} << 20;
  {
    std::ofstream out(path, std::ios::binary);
    std::string block;
    for (int i = 0; block.size() < (1 << 20); ++i)
      block +=
          (i % 64 == 0 ? std::string("000055 Junk   REPEATED JUNK LINE") : "junk line " + std::to_string(i)) +
          "\n";
    for (size_t written = 0; written < Size; written += block.size()) out << block;
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    TOUIList list;
    const bool loaded = list.LoadFromFile(path.string());
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    const long grownKiB = after.ru_maxrss - before.ru_maxrss;
    ::_exit(loaded && list.Search("000055").Match.Found && list.LineCount() == 1 && grownKiB < 24 * 1024 ? 0
                                                                                                         : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "loaded, found, and under 24 MB more";
  std::filesystem::remove(path);
}

TEST(OUISearch, MalformedLinesNeverReadOutsideTheLine) {
  TOUIList list;
  list.LoadFromText(
      "\n"
      "0\n"
      "00004\r\n"
      "000050\n"
      "000051 Ab\n"
      "000052 Abcdef\n"
      "000053 Abcd\x01\x02 X\r"
      "00!!54 junk\n"
      "000055 Cmmssr COMMISSARIAT\r\n"
      "0000AA");
  ASSERT_EQ(list.LineCount(), 9u) << "the line that can never be found is not kept";
  const struct {
    const char* Key;
    const char* Abbreviation;
    const char* Organization;
  } cases[] = {
      {"000050", "", ""},
      {"000051", "Ab", ""},
      {"000052", "Abcdef", ""},
      {"000053", "Abcd", "X"},
      {"000055", "Cmmssr", "COMMISSARIAT"},
  };
  for (const auto& c : cases) {
    const TOUISearchResult r = list.Search(c.Key);
    ASSERT_TRUE(r.Match.Found) << c.Key;
    EXPECT_EQ(r.Match.Abbreviation, c.Abbreviation) << c.Key;
    EXPECT_EQ(r.Match.Organization, c.Organization) << c.Key;
  }
  const TOUISearchResult swapped = list.Search("000055");
  ASSERT_TRUE(swapped.SwappedMatch.Found);  // "0000AA" with nothing after the key
  EXPECT_EQ(swapped.SwappedMatch.Abbreviation, "");
  EXPECT_EQ(swapped.SwappedMatch.Organization, "");
}

TEST(OUISearch, EmptyListFindsNothing) {
  TOUIList list;
  list.LoadFromText("");
  EXPECT_TRUE(list.Loaded());
  const TOUISearchResult r = list.Search("000055");
  EXPECT_FALSE(r.Match.Found);
  EXPECT_FALSE(r.SwappedMatch.Found);
  EXPECT_EQ(r.SwappedKey, "0000AA");
}

TEST(OUIList, LoadFromFile) {
  TOUIList list;
  const auto path = std::filesystem::temp_directory_path() / "parlamine_oui_list_test.txt";
  std::filesystem::remove(path);
  EXPECT_FALSE(list.LoadFromFile(path.string()));
  EXPECT_FALSE(list.Loaded());
  std::ofstream(path, std::ios::binary) << SampleList;
  ASSERT_TRUE(list.LoadFromFile(path.string()));
  EXPECT_EQ(list.LineCount(), 5u);
  EXPECT_EQ(list.Line(1), "0000AA Xerox  XEROX CORPORATION");
  list.Clear();
  EXPECT_FALSE(list.Loaded());
  EXPECT_EQ(list.LineCount(), 0u);
  std::filesystem::remove(path);
}

TEST(OUIGenerator, Abbreviations) {
  const struct {
    const char* Organization;
    const char* Expected;
  } cases[] = {
      {"XEROX CORPORATION", "Xerox"},
      {"COMMISSARIAT A L`ENERGIE ATOM", "Cmmssr"},
      {"Cisco Systems, Inc", "Cisco"},
      {"3Com Europe Ltd", "3com"},
      {"  (private) Someone", "Prvt"},  // leading punctuation skipped; "private" is 7 letters
      {"Hewlett Packard", "Hwltt"},     // too few consonants: shorter than six
      {"IEEE Registration Authority", "Ieee"},
      {"-- --", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AbbreviateOrganization(c.Organization), c.Expected) << c.Organization;
}

TEST(OUIGenerator, RegistryToSortedList) {
  const std::string registry =
      "OUI/MA-L                                                    Organization\r\n"
      "company_id                                                  Organization\r\n"
      "\r\n"
      "08-00-2b   (hex)\t\tDIGITAL EQUIPMENT CORPORATION  \r\n"
      "08002B     (base 16)\t\tDIGITAL EQUIPMENT CORPORATION\r\n"
      "\t\t\t\t111 POWDERMILL ROAD\r\n"
      "\r\n"
      "00-00-AA   (hex)\t\tXEROX CORPORATION\n"
      "00-00-55   (hex)\t\tCOMMISSARIAT A L`ENERGIE ATOM\n"
      "00-00-AA   (hex)\t\tSECOND ENTRY OF THE SAME OUI\n"
      "0G-00-00   (hex)\t\tNOT HEXADECIMAL\n";
  const std::string text = BuildOUIText(ParseIEEERegistry(registry));
  EXPECT_EQ(text,
            "000055 Cmmssr COMMISSARIAT A L`ENERGIE ATOM\n"
            "0000AA Xerox  XEROX CORPORATION\n"
            "08002B Dgtl   DIGITAL EQUIPMENT CORPORATION\n");
  TOUIList list;
  list.LoadFromText(text);
  const TOUISearchResult r = list.Search("08002B");
  EXPECT_EQ(r.Match.Abbreviation, "Dgtl");
  EXPECT_EQ(r.SwappedKey, "1000D4");
  EXPECT_FALSE(r.SwappedMatch.Found);
}

}  // namespace
}  // namespace Parlamine

namespace Parlamine {

TEST(OUIList, AFolderOrUnreadablePlaceCountsAsMissing) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("parlamine-oui-folder-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  TOUIList list;
  EXPECT_FALSE(list.LoadFromFile(folder.string())) << "a folder named OUI.txt is no list";
  EXPECT_FALSE(list.Loaded());
  std::filesystem::remove_all(folder);
}

TEST(OUISearch, LowerAndUpperCaseLinesAreFoundAlike) {
  struct Case {
    const char* Key;
    const char* Organization;  // empty: not found
  };
  const Case cases[] = {{"00000A", "first"},  {"00000B", "second"}, {"00000C", "third"},
                        {"0000AA", "fourth"}, {"08002B", "last"},   {"08002C", ""}};
  for (const char* text : {"00000a abc    first\n00000b abc    second\n00000C abc    third\n"
                           "0000aa abc    fourth\n08002b abc    last\n",
                           "00000A abc    first\n00000B abc    second\n00000C abc    third\n"
                           "0000AA abc    fourth\n08002B abc    last\n"}) {
    TOUIList list;
    list.LoadFromText(text);
    for (const Case& c : cases) {
      const TOUISearchResult result = list.Search(c.Key);
      EXPECT_EQ(result.Match.Found, c.Organization[0] != 0) << c.Key << " in\n" << text;
      if (result.Match.Found) {
        EXPECT_EQ(result.Match.Organization, c.Organization) << c.Key;
      }
    }
  }
}

TEST(OUIGenerator, NoControlCharacterEverEntersALine) {
  const std::string registry =
      "08-00-2B   (hex)\t\tDIGITAL\rEQUIPMENT\x01 CORPORATION\r\n"
      "08-00-2C   (hex)\t\tNEXT\tONE\x7f\n";
  const std::string text = BuildOUIText(ParseIEEERegistry(registry));
  EXPECT_EQ(text, "08002B Dgtl   DIGITAL EQUIPMENT  CORPORATION\n08002C Next   NEXT ONE\n");
  TOUIList list;
  list.LoadFromText(text);
  EXPECT_TRUE(list.Search("08002C").Match.Found) << "a later OUI stays findable";
}

}  // namespace Parlamine
