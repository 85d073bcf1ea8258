// SPDX-License-Identifier: MIT
// `oui` on the small listings of tests/cli/data.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"

namespace Parlamine {
namespace {

std::vector<std::string> Oui(std::vector<std::string> more) {
  std::vector<std::string> arguments = {"oui", "--registry", TestRegistryFolder()};
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

TEST(OuiCommand, OwnerRegistryAndBitSwappedOwner) {
  // 00-00-55 swaps to 00-00-AA (Xerox); 00-00-55 itself is not in the test listing.
  const TCliResult r = RunCli(Oui({"00:00:55:01:02:03", "0050.c27d.5abc"}));
  EXPECT_EQ(r.ExitCode, 1) << "the first address has no owner";
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(r.Out,
            "00-00-55-01-02-03\n"
            "  Organization: No matching OUI found.\n"
            "  Abreviation: No matching OUI found.\n"
            "  Bit-swapped (Ethernet <-> Token Ring/FDDI): 00-00-AA-80-40-C0\n"
            "  Bit-swapped Organization: XEROX CORPORATION\n"
            "  Bit-swapped Abreviation: Xerox\n"
            "  Bit-swapped Registry: MA-L 00-00-AA/24, 2022-08-27\n"
            "00-50-C2-7D-5A-BC\n"
            "  Organization: DEUTA-WERKE GmbH\n"
            "  Abreviation: Deuta\n"
            "  Registry: IAB 00-50-C2-7D-5/36, 2022-08-27\n"
            "  Bit-swapped (Ethernet <-> Token Ring/FDDI): 00-0A-43-BE-5A-3D\n"
            "  Bit-swapped Organization: No matching OUI found.\n"
            "  Bit-swapped Abreviation: No matching OUI found.\n");
}

TEST(OuiCommand, ReadsStandardInputOneALineAndGoesOnAfterABadLine) {
  const TCliResult r = RunCli(Oui({"--json"}), "70:B3:D5:F2:F0:01\r\n\nnot-a-mac\n08002B\n");
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_EQ(r.Err,
            "parlamine-cli: MAC: 'not-a-mac' is not a hardware address (hexadecimal digits in groups)\n");
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  ASSERT_EQ(doc["results"].size(), 3u);
  EXPECT_EQ(doc["registries"].size(), 4u);
  EXPECT_EQ(doc["registries"][0]["name"], "MA-S");
  EXPECT_EQ(doc["fallback"], false);
  const nlohmann::json& first = doc["results"][0];
  EXPECT_EQ(first["address"], "70-B3-D5-F2-F0-01");
  EXPECT_EQ(first["organization"], "TELEPLATFORMS");
  EXPECT_EQ(first["registry"], "MA-S");
  EXPECT_EQ(first["prefix"], "70-B3-D5-F2-F");
  EXPECT_EQ(first["prefixBits"], 36);
  EXPECT_EQ(first["bitSwapped"]["address"], "0E-CD-AB-4F-0F-80");
  EXPECT_EQ(first["bitSwapped"]["found"], false);
  EXPECT_EQ(doc["results"][1]["error"], "is not a hardware address (hexadecimal digits in groups)");
  EXPECT_EQ(doc["results"][2]["abbreviation"], "Dgtl");
}

TEST(OuiCommand, AllFoundExitsZero) { EXPECT_EQ(RunCli(Oui({"08002B", "0000AA"})).ExitCode, 0); }

TEST(OuiCommand, WithoutListingsFallsBackToTheShippedListAndSaysSo) {
  const TCliResult r = RunCli({"oui", "--registry", TestRegistryFolder() + "/shipped", "0000AA"});
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_NE(r.Err.find("using the shipped list"), std::string::npos) << r.Err;
  EXPECT_NE(r.Out.find(
                "  Organization: XEROX CORPORATION\n  Abreviation: Xerox\n  Registry: OUI.txt 00-00-AA/24\n"),
            std::string::npos)
      << r.Out;
}

}  // namespace
}  // namespace Parlamine
