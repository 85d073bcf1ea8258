// SPDX-License-Identifier: MIT
// The settings tree, its .reg text and the two ways of access.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "FileText.h"
#include "FormPosition.h"
#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;

namespace {

using ParlamineTest::ReadFile;

const std::string Root = SettingsRoot;
const std::string LatencyKey = Root + "\\Latency Calculator";

}  // namespace

TEST(RegText, WritesSectionsTypesAndEscapesExactly) {
  TRegistryTree tree;
  TSectionedStore store(tree, Root);
  store.WriteInteger("", "Calculator", 2);
  store.WriteBool("", "StayOnTop", true);
  store.WriteString("Radixer Calculator", "OFOUI", "a\"b\\c");
  store.WriteInteger("IP Subnet Calculator", "IPAddress", -2146498043);
  TDirectStore direct(tree);
  ASSERT_TRUE(direct.OpenKey(LatencyKey, true));
  direct.WriteInteger("ActivePageIndex", 10);
  direct.WriteBinaryData("Client", {0x40, 0x00, 0x00, 0x00, 0xff, 0x01, 0x00, 0x80});

  const std::string expected =
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software]\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Quillfern]\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine]\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\r\n"
      "\"Calculator\"=\"2\"\r\n"
      "\"StayOnTop\"=\"1\"\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0\\IP Subnet Calculator]\r\n"
      "\"IPAddress\"=\"-2146498043\"\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0\\Latency Calculator]\r\n"
      "\"ActivePageIndex\"=dword:0000000a\r\n"
      "\"Client\"=hex:40,00,00,00,ff,01,00,80\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0\\Radixer Calculator]\r\n"
      "\"OFOUI\"=\"a\\\"b\\\\c\"\r\n"
      "\r\n";
  EXPECT_EQ(tree.ToRegText(), expected);
  EXPECT_EQ(TRegistryTree::FromRegText(expected), tree);
}

TEST(RegText, KeepsUnknownKeysValuesAndTypes) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other\\Program]\r\n"
      "\"Kept\"=\"yes\"\r\n"
      "@=\"default value\"\r\n"
      "\"Multi\"=hex(7):41,00,00,00,00,00\r\n"
      "\"Big\"=hex:00,01,02,\\\r\n  03,04\r\n";
  TRegistryTree tree = TRegistryTree::FromRegText(text);
  const TRegValue* multi = tree.FindValue("Software\\Other\\Program", "Multi");
  ASSERT_NE(multi, nullptr);
  EXPECT_EQ(multi->Type, 7u);
  EXPECT_EQ(multi->Bytes, (std::vector<uint8_t>{0x41, 0, 0, 0, 0, 0}));
  const TRegValue* big = tree.FindValue("software\\other\\PROGRAM", "big");  // case-insensitive
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->Bytes, (std::vector<uint8_t>{0, 1, 2, 3, 4}));
  ASSERT_NE(tree.FindValue("Software\\Other\\Program", ""), nullptr);
  // Written back, every value survives a second reading unchanged.
  EXPECT_EQ(TRegistryTree::FromRegText(tree.ToRegText()), tree);
}

struct DamagedCase {
  const char* Name;
  std::string Text;
  int32_t ExpectedCalculator;  // as read with default 1
};

class DamagedRegText : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedRegText, NeverStopsAndFallsBackToDefaults) {
  TRegistryTree tree = TRegistryTree::FromRegText(GetParam().Text);
  TSectionedStore store(tree, Root);
  EXPECT_EQ(store.ReadInteger("", "Calculator", 1), GetParam().ExpectedCalculator);
}

const std::string Key = "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\n";

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedRegText,
    ::testing::Values(DamagedCase{"Empty", "", 1},
                      DamagedCase{"BinaryGarbage", std::string("\x00\xff\x13garbage\n\x01", 13), 1},
                      DamagedCase{"TruncatedInsideValue", Key + "\"Calculator\"=\"2", 1},
                      DamagedCase{"TruncatedKeyLine", "[HKEY_CURRENT_USER\\Software\\Quil", 1},
                      DamagedCase{"NotANumber", Key + "\"Calculator\"=\"two\"\n", 1},
                      DamagedCase{"OutOfInt32", Key + "\"Calculator\"=\"4294967296\"\n", 1},
                      DamagedCase{"WrongType", Key + "\"Calculator\"=dword:00000002\n", 1},
                      DamagedCase{"BadHex", Key + "\"Calculator\"=hex:zz,01\n", 1},
                      DamagedCase{"ValueBeforeAnyKey", "\"Calculator\"=\"2\"\n" + Key, 1},
                      DamagedCase{"LfOnlyAndSpaces", Key + "  \"Calculator\"=\"2\"  \n", 2},
                      DamagedCase{"GoodLineAfterBadOnes", Key + "junk\n\"x\n\"Calculator\"=\"0\"\n", 0},
                      DamagedCase{"DeletedKeyLineIgnored",
                                  "[-HKEY_CURRENT_USER\\Software]\n" + Key + "\"Calculator\"=\"2\"\n", 2}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RegText, ReadsUtf16WithBom) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n" + Key + "\"OFOUI\"=\"\xC3\xA9\"\r\n";
  std::string utf16 = "\xFF\xFE";
  // Latin-1 range only in this text: each byte (after decoding é) is one unit.
  const std::u16string units =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\n\"OFOUI\"=\"\u00e9\"\r\n";
  for (char16_t unit : units) {
    utf16 += static_cast<char>(unit & 0xFF);
    utf16 += static_cast<char>(unit >> 8);
  }
  TRegistryTree fromUtf16 = TRegistryTree::FromRegText(utf16);
  TRegistryTree fromUtf8 = TRegistryTree::FromRegText(utf8);
  TSectionedStore store(fromUtf16, Root);
  EXPECT_EQ(store.ReadString("", "OFOUI", ""), "\xC3\xA9");
  EXPECT_EQ(fromUtf16, fromUtf8);
}

TEST(SectionedStore, ReadsIntegersWithDefaults) {
  TRegistryTree tree;
  TSectionedStore store(tree, Root);
  EXPECT_TRUE(tree.KeyExists(Root)) << "the root exists once the store is opened";
  EXPECT_EQ(store.ReadInteger("Missing Section", "X", 6), 6);
  store.WriteString("S", "Negative", "-1");
  store.WriteString("S", "Max", "2147483647");
  store.WriteString("S", "Hex", "$FFFFFFFF");
  store.WriteString("S", "Trailing", "12a");
  store.WriteString("S", "Empty", "");
  EXPECT_EQ(store.ReadInteger("S", "Negative", 0), -1);
  EXPECT_EQ(store.ReadInteger("S", "Max", 0), 2147483647);
  EXPECT_EQ(store.ReadInteger("S", "Hex", 0), -1);
  EXPECT_EQ(store.ReadInteger("S", "Trailing", 7), 7);
  EXPECT_EQ(store.ReadInteger("S", "Empty", 7), 7);
  EXPECT_TRUE(store.ReadBool("S", "Negative", false));
  EXPECT_TRUE(store.ReadBool("S", "Missing", true));
  store.WriteBool("S", "Off", false);
  EXPECT_FALSE(store.ReadBool("S", "Off", true));
}

TEST(DirectStore, ReportsMissingAndMistypedValuesByName) {
  TRegistryTree tree;
  TDirectStore direct(tree);
  EXPECT_FALSE(direct.OpenKey(LatencyKey, false)) << "a missing key is not created when reading";
  EXPECT_FALSE(tree.KeyExists(LatencyKey));
  ASSERT_TRUE(direct.OpenKey(LatencyKey, true));
  direct.WriteString("NumNetworks", "3");
  try {
    direct.ReadInteger("NumNetworks");
    FAIL() << "a string read as a number must fail";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'NumNetworks'");
  }
  try {
    direct.ReadBinaryData("Client");
    FAIL() << "a missing value must fail";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to get data for 'Client'");
  }
  direct.WriteInteger("Page", -1);
  EXPECT_EQ(direct.ReadInteger("Page"), -1);
  EXPECT_EQ(tree.FindValue(LatencyKey, "Page")->Dword, 0xFFFFFFFFu);
}

TEST(Records, PackLittleEndianAndRefuseReadsPastTheEnd) {
  TRecordWriter writer;
  writer.Float64(10.0);
  writer.Int32(-2);
  writer.UInt8(7);
  writer.Padding(3);
  const std::vector<uint8_t> expected{0, 0, 0, 0, 0, 0, 0x24, 0x40, 0xfe, 0xff, 0xff, 0xff, 7, 0, 0, 0};
  EXPECT_EQ(writer.Bytes(), expected);
  TRecordReader reader(writer.Bytes());
  EXPECT_EQ(reader.Float64(0), 10.0);
  EXPECT_EQ(reader.Int32(8), -2);
  EXPECT_EQ(reader.UInt8(12), 7);
  EXPECT_THROW(reader.Int32(13), ERegistryException);
  EXPECT_THROW(reader.UInt8(16), ERegistryException);
  EXPECT_THROW(reader.Float64(SIZE_MAX - 2), ERegistryException);
}

TEST(SettingsFile, SavesAtomicallyAndReadsBack) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("parlamine-test-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  const std::string file = (folder / "Quillfern" / "Parlamine.reg").string();
  EXPECT_EQ(LoadRegistryFile(file), TRegistryTree()) << "a missing file is an empty tree";
  TRegistryTree tree;
  TSectionedStore(tree, Root).WriteInteger("", "Calculator", 0);
  SaveRegistryFile(tree, file);
  EXPECT_EQ(ReadFile(file), tree.ToRegText());
  EXPECT_FALSE(fs::exists(file + ".tmp")) << "no temporary file is left behind";
  EXPECT_EQ(LoadRegistryFile(file), tree);
  // A folder where the file should be: the write fails with a message and
  // nothing is half-written.
  fs::remove(file);
  fs::create_directories(file);
  EXPECT_THROW(SaveRegistryFile(tree, file), ERegistryException);
  fs::remove_all(folder);
}

struct FitCase {
  const char* Name;
  TFormPositionRecord Stored;
  TFormPositionRecord Expected;
};

class FormPositionFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(FormPositionFit, FitsTheScreen) {
  EXPECT_EQ(FitFormPosition(GetParam().Stored, 1024, 768), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FormPositionFit,
    ::testing::Values(FitCase{"Inside", {10, 20, 322, 483}, {10, 20, 322, 483}},
                      FitCase{"TooWideStartsAtZero", {100, 0, 2100, 463}, {0, 0, 1024, 463}},
                      FitCase{"LeftOffScreenKeepsWidth", {-50, 10, 262, 473}, {0, 10, 312, 473}},
                      FitCase{"RightOffScreen", {900, 10, 1212, 473}, {712, 10, 1024, 473}},
                      FitCase{"TooHigh", {0, -10, 312, 990}, {0, 0, 312, 768}},
                      FitCase{"BelowScreen", {0, 700, 312, 1163}, {0, 305, 312, 768}},
                      FitCase{
                          "ExtremeValues", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 1024, 768}},
                      FitCase{"StateKept",
                              {-5, 0, 307, 463, TWindowState::wsMinimized},
                              {0, 0, 312, 463, TWindowState::wsMinimized}}),
    [](const auto& info) { return std::string(info.param.Name); });

// A frame 4 wide at each side and 30 high above (a title bar): the whole
// frame stays on the 1024 x 768 screen.
class FramedFormPositionFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(FramedFormPositionFit, KeepsTheWholeFrameOnTheScreen) {
  EXPECT_EQ(FitFormPosition(GetParam().Stored, 1024, 768, {4, 30, 4, 4}), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FramedFormPositionFit,
    ::testing::Values(FitCase{"Inside", {10, 20, 322, 483}, {10, 20, 322, 483}},
                      FitCase{"HugeShrinksByTheFrame", {0, 0, 3000, 3000}, {0, 0, 1016, 734}},
                      FitCase{"RightEdgeCountsTheFrame", {712, 10, 1024, 473}, {704, 10, 1016, 473}},
                      FitCase{"BottomEdgeCountsTheFrame", {0, 300, 312, 763}, {0, 271, 312, 734}},
                      FitCase{"LeftOffScreen", {-50, -5, 262, 458}, {0, 0, 312, 463}},
                      FitCase{
                          "ExtremeValues", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 1016, 734}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FormPositionRecord, Is17BytesAndRejectsDamage) {
  const TFormPositionRecord record{-1, 2, 311, 465, TWindowState::wsMaximized};
  const std::vector<uint8_t> bytes = PackFormPosition(record);
  const std::vector<uint8_t> expected{0xff, 0xff, 0xff, 0xff, 2, 0, 0, 0, 0x37, 1, 0, 0, 0xd1, 1, 0, 0, 2};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(UnpackFormPosition(bytes), record);
  EXPECT_FALSE(UnpackFormPosition({bytes.begin(), bytes.end() - 1}));
  std::vector<uint8_t> badState = bytes;
  badState[16] = 3;
  EXPECT_FALSE(UnpackFormPosition(badState));
  EXPECT_FALSE(UnpackFormPosition(PackFormPosition({10, 10, 10, 100})));  // no width
  EXPECT_EQ(FormPositionValueName("", ""), "CustomFormPosition");
  EXPECT_EQ(FormPositionValueName("", "AboutForm"), "AboutForm");
  EXPECT_EQ(FormPositionValueName("Position", "MainForm"), "Position");
}
