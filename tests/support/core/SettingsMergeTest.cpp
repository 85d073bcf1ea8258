// SPDX-License-Identifier: MIT
// One settings file across releases (an upgrade starts from the newest
// older release's values) and across running instances (each writes only
// what it changed).
#include <gtest/gtest.h>

#include "RegistryTree.h"
#include "SettingsMerge.h"
#include "SettingsStore.h"

using namespace Parlamine;

namespace {

const std::string Product = "Software\\Quillfern\\Parlamine";
const std::string Root = SettingsRoot;

TRegistryTree FromText(const std::string& body) {
  return TRegistryTree::FromRegText("Windows Registry Editor Version 5.00\r\n\r\n" + body);
}

std::string ReadCalculator(TRegistryTree& tree, const std::string& root) {
  return TSectionedStore(tree, root).ReadString("", "Calculator", "absent");
}

struct TReleaseCase {
  const char* Name;
  std::string File;
  std::string TakenFrom;   // the version copied, empty: none
  std::string Calculator;  // what the current release reads then
};

class OlderReleaseTest : public ::testing::TestWithParam<TReleaseCase> {};

TEST_P(OlderReleaseTest, TheNewestOlderReleaseGivesTheStartingValues) {
  TRegistryTree tree = FromText(GetParam().File);
  const TRegistryTree before = tree;
  EXPECT_EQ(TakeOlderReleaseSettings(tree, Root), GetParam().TakenFrom);
  EXPECT_EQ(ReadCalculator(tree, Root), GetParam().Calculator);
  // Whatever was there stays as it was.
  for (const std::string& path : before.KeyPaths())
    for (const std::string& name : before.ValueNames(path))
      EXPECT_EQ(*tree.FindValue(path, name), *before.FindValue(path, name)) << path << "\\" << name;
}

const std::string Key = "[HKEY_CURRENT_USER\\" + Product + "\\";

INSTANTIATE_TEST_SUITE_P(
    Files, OlderReleaseTest,
    ::testing::Values(TReleaseCase{"NothingStored", "", "", "absent"},
                      TReleaseCase{"OneOlder", Key + "3.2.0.0]\r\n\"Calculator\"=\"3\"\r\n", "3.2.0.0", "3"},
                      TReleaseCase{"NewestOlderByNumberNotByText",
                                   Key + "3.1.9.0]\r\n\"Calculator\"=\"0\"\r\n" + Key +
                                       "3.1.10.0]\r\n\"Calculator\"=\"2\"\r\n",
                                   "3.1.10.0", "2"},
                      TReleaseCase{"NewerReleaseIsNotTakenBack", Key + "4.0.0.0]\r\n\"Calculator\"=\"0\"\r\n",
                                   "", "absent"},
                      TReleaseCase{"CurrentKeyPresentWins",
                                   Key + "3.2.0.0]\r\n\"Calculator\"=\"3\"\r\n" + Key +
                                       "3.2.1.0]\r\n\"Calculator\"=\"2\"\r\n",
                                   "", "2"},
                      TReleaseCase{"OnlyASubkeyOfTheOlderRelease",
                                   Key +
                                       "3.0.0.0\\Latency Calculator]\r\n\"NumNetworks\"=dword:00000003\r\n" +
                                       Key + "Other]\r\n\"Calculator\"=\"1\"\r\n",
                                   "3.0.0.0", "absent"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OlderRelease, SubkeysAndTypesAreCopied) {
  TRegistryTree tree = FromText(Key + "3.2.0.0\\Latency Calculator]\r\n\"NumNetworks\"=dword:00000003\r\n" +
                                "\"Client\"=hex:40,00,00,00,0a,00,00,00\r\n");
  TakeOlderReleaseSettings(tree, Root);
  const TRegValue* networks = tree.FindValue(Root + "\\Latency Calculator", "NumNetworks");
  ASSERT_NE(networks, nullptr);
  EXPECT_EQ(networks->Dword, 3u);
  EXPECT_EQ(tree.FindValue(Root + "\\Latency Calculator", "Client")->Bytes.size(), 8u);
}

// Two instances started from the same file; A saves, B saved before it.
struct TInstancesCase {
  const char* Name;
  const char* AReadCalculator;   // what A's setting held when read
  const char* ASavesCalculator;  // what A's setting holds now
  const char* OnDisk;            // what B stored meanwhile; nullptr: B stored nothing
  const char* Expected;
};

class InstancesTest : public ::testing::TestWithParam<TInstancesCase> {};

TEST_P(InstancesTest, OnlyWhatThisInstanceChangedIsWritten) {
  const TInstancesCase& c = GetParam();
  TRegistryTree before, now, onDisk;
  TSectionedStore(before, Root).WriteString("", "Calculator", c.AReadCalculator);
  TSectionedStore(now, Root).WriteString("", "Calculator", c.ASavesCalculator);
  TSectionedStore(now, Root).WriteString("Radixer Calculator", "OFOUI", "000055");
  if (c.OnDisk) TSectionedStore(onDisk, Root).WriteString("", "Calculator", c.OnDisk);
  EXPECT_TRUE(MergeChangedValues(onDisk, before, now)) << "the file lacks OFOUI";
  EXPECT_EQ(ReadCalculator(onDisk, Root), c.Expected);
  EXPECT_EQ(TSectionedStore(onDisk, Root).ReadString("Radixer Calculator", "OFOUI", ""), "000055");
  EXPECT_FALSE(MergeChangedValues(onDisk, now, now)) << "nothing left to write";
}

INSTANTIATE_TEST_SUITE_P(Saves, InstancesTest,
                         ::testing::Values(TInstancesCase{"OtherInstancesChoiceStays", "1", "1", "2", "2"},
                                           TInstancesCase{"OwnChangeIsWritten", "1", "3", "2", "3"},
                                           TInstancesCase{"FirstSaveWritesEverything", "1", "1", nullptr,
                                                          "1"}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
