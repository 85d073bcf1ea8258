// SPDX-License-Identifier: MIT
// The IEEE listings' parser on small listings holding every record shape of
// Debian's ieee-data (tests/cli/data), and the longest-prefix lookup.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "CliTestSupport.h"
#include "IEEERegistry.h"

namespace Parlamine {
namespace {

std::string ReadFile(const std::string& name) {
  std::ifstream in(TestRegistryFolder() + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct TExpected {
  uint64_t Prefix;
  int Bits;
  const char* Organization;
};

void ExpectEntries(const std::string& text, const std::vector<TExpected>& expected) {
  const std::vector<TRegistryEntry> entries = ParseIEEEListing(text);
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].Prefix, expected[i].Prefix) << i;
    EXPECT_EQ(entries[i].PrefixBits, expected[i].Bits) << i;
    EXPECT_EQ(entries[i].Organization, expected[i].Organization) << i;
  }
}

TEST(IEEEListing, MALargeWithAddresslessPrivateUtf8AndUnterminatedLastRecord) {
  ExpectEntries(ReadFile("oui.txt"), {{0x002272000000, 24, "American Micro-Fuel Device Corp."},
                                      {0x08002B000000, 24, "DIGITAL EQUIPMENT CORPORATION"},
                                      {0x0000AA000000, 24, "XEROX CORPORATION"},
                                      {0x70B3D5000000, 24, "IEEE Registration Authority"},
                                      {0x0050C2000000, 24, "IEEE Registration Authority"},
                                      {0x741AE0000000, 24, "IEEE Registration Authority"},
                                      {0xA41F72000000, 24, "Private"},
                                      {0x001BC5000000, 24, "Hüttinger Elektronik GmbH + Co. KG"},
                                      {0xFCFFAA000000, 24, "IEEE Registration Authority"}});
}

TEST(IEEEListing, MAMediumRanges) {
  ExpectEntries(ReadFile("mam.txt"), {{0x741AE0900000, 28, "Private"},
                                      {0x741AE0B00000, 28, "IOG Products LLC"},
                                      {0x70B3D5000000, 28, "Example Block Holder"}});
}

TEST(IEEEListing, MASmallRanges) {
  ExpectEntries(ReadFile("oui36.txt"),
                {{0x70B3D5F2F000, 36, "TELEPLATFORMS"}, {0x70B3D5719000, 36, "2M Technology"}});
}

TEST(IEEEListing, IabWithBlankPaddedColumns) {
  ExpectEntries(ReadFile("iab.txt"),
                {{0x0050C27D5000, 36, "DEUTA-WERKE GmbH"}, {0x0050C2CF9000, 36, "Elbit Systems of America"}});
}

TEST(IEEEListing, LfLineEndsReadAlike) {
  std::string text = ReadFile("oui36.txt");
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  EXPECT_EQ(ParseIEEEListing(lf).size(), 2u);
}

struct TDamaged {
  const char* Name;
  const char* Text;
};

class IEEEListingDamaged : public testing::TestWithParam<TDamaged> {};

TEST_P(IEEEListingDamaged, IsSkipped) { EXPECT_TRUE(ParseIEEEListing(GetParam().Text).empty()); }

INSTANTIATE_TEST_SUITE_P(
    Records, IEEEListingDamaged,
    testing::Values(
        TDamaged{"RangeNotAPowerOfTwo", "70-B3-D5   (hex)\t\tX\r\nF2F000-F2F7FE     (base 16)\t\tX\r\n"},
        TDamaged{"RangeNotAligned", "70-B3-D5   (hex)\t\tX\r\nF2F800-F307FF     (base 16)\t\tX\r\n"},
        TDamaged{"RangeBackwards", "70-B3-D5   (hex)\t\tX\r\nF2FFFF-F2F000     (base 16)\t\tX\r\n"},
        TDamaged{"Base16OuiDisagrees", "00-22-72   (hex)\t\tX\r\n002273     (base 16)\t\tX\r\n"},
        TDamaged{"NotHexadecimal", "0G-22-72   (hex)\t\tX\r\n0G2272     (base 16)\t\tX\r\n"},
        TDamaged{"NoOrganization", "00-22-72   (hex)\t\t\r\n002272     (base 16)\t\t\r\n"},
        TDamaged{"Base16WithoutHexLine", "002272     (base 16)\t\tX\r\n"},
        TDamaged{"HexLineCutShort", "00-22-7"}, TDamaged{"EmptyText", ""}),
    [](const testing::TestParamInfo<TDamaged>& info) { return std::string(info.param.Name); });

TEST(IEEERegistry, LongestPrefixWinsAcrossTheListings) {
  TIEEERegistry registry;
  ASSERT_EQ(registry.LoadFolder(TestRegistryFolder()), 4);
  const auto owner = [&](uint64_t address, int bits = 48) {
    const auto match = registry.Find(address, bits);
    return match ? std::string(RegistryName(match->Kind)) + " " + std::string(match->Organization)
                 : std::string("none");
  };
  EXPECT_EQ(owner(0x70B3D5F2F123), "MA-S TELEPLATFORMS");
  EXPECT_EQ(owner(0x70B3D5012345), "MA-M Example Block Holder");
  EXPECT_EQ(owner(0x70B3D5500000), "MA-L IEEE Registration Authority");
  EXPECT_EQ(owner(0x0050C27D5FFF), "IAB DEUTA-WERKE GmbH");
  EXPECT_EQ(owner(0x741AE09ABCDE), "MA-M Private");
  EXPECT_EQ(owner(0x123456000000), "none");
  // An OUI alone cannot tell a 28- or 36-bit block apart.
  EXPECT_EQ(owner(0x70B3D5F2F000, 24), "MA-L IEEE Registration Authority");
  EXPECT_EQ(owner(0x70B3D50ABC00, 24), "MA-L IEEE Registration Authority");
  EXPECT_EQ(owner(0x70B3D50ABC00, 28), "MA-M Example Block Holder");
  EXPECT_EQ(owner(0x70B3D5F2F000, 32), "MA-L IEEE Registration Authority");
  EXPECT_EQ(owner(0x70B3D5F2F000, 36), "MA-S TELEPLATFORMS");
  EXPECT_EQ(registry.Find(0x70B3D5F2F123)->Date, "2022-08-27");
  EXPECT_EQ(registry.Find(0x70B3D5F2F123)->Prefix, 0x70B3D5F2F000u);
}

TEST(IEEERegistry, ShippedListFallback) {
  TIEEERegistry registry;
  ASSERT_TRUE(registry.LoadShippedList(TestRegistryFolder() + "/shipped/OUI.txt"));
  const auto match = registry.Find(0x0000AA123456);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->Organization, "XEROX CORPORATION");
  EXPECT_EQ(match->Kind, TRegistryKind::rkShippedList);
  EXPECT_FALSE(registry.LoadShippedList(TestRegistryFolder() + "/no-such-file"));
}

// Listings that are pipes, or that are cut short while the command runs,
// neither block the command nor end it; each case runs in a child process
// that an alarm ends should it block.
TEST(IEEERegistry, HostileListingsNeitherBlockNorKill) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("parlamine-listings-" + std::to_string(::getpid()));
  const auto pipeInstead = [&folder](const char* name) {
    fs::remove(folder / name);
    ASSERT_EQ(::mkfifo((folder / name).c_str(), 0600), 0);
  };
  const struct {
    const char* Name;
    std::function<void()> Before;  // the folder as the command finds it
    std::function<void()> After;   // while the command runs, after reading
    int Listings;
  } cases[] = {
      {"a listing that is a pipe", [&] { pipeInstead("oui36.txt"); }, [] {}, 3},
      {"the date stamp a pipe", [&] { pipeInstead(".lastupdate"); }, [] {}, 4},
      {"a listing cut short", [] {}, [&] { fs::resize_file(folder / "oui.txt", 0); }, 4},
  };
  for (const auto& c : cases) {
    fs::remove_all(folder);
    fs::copy(TestRegistryFolder(), folder, fs::copy_options::recursive);
    c.Before();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::alarm(10);
      TIEEERegistry registry;
      const int read = registry.LoadFolder(folder.string());
      c.After();
      const auto owner = registry.Find(0x08002B010203);
      const bool found = owner && std::string(owner->Organization) == "DIGITAL EQUIPMENT CORPORATION";
      ::_exit(read == c.Listings && found ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << c.Name << ": "
        << (WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status)) : "wrong answer");
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace Parlamine
