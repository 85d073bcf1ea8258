// SPDX-License-Identifier: MIT
// What the .reg reader and writer keep: strings with control characters,
// explicitly typed values, and everything in the file the program does not own.
#include <gtest/gtest.h>

#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;

namespace {

const std::string Root = SettingsRoot;
const std::string RootLine = "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\r\n";

TRegistryTree ReadBack(const TRegistryTree& tree) { return TRegistryTree::FromRegText(tree.ToRegText()); }

std::string RootString(const TRegistryTree& tree, const std::string& name) {
  TRegistryTree copy = tree;
  return TSectionedStore(copy, Root).ReadString("", name, "<missing>");
}

}  // namespace

TEST(RegTextStrings, ControlCharactersTravelAsUtf16Hex) {
  struct Case {
    const char* Name;
    std::string Text;
  };
  const Case cases[] = {{"LineFeed", "Foo\nBar"},
                        {"CrLf", "a\r\nb"},
                        {"TabAndBell", "x\ty\a"},
                        {"Nul", std::string("a\0b", 3)},
                        {"NonAscii", "\xC3\xA9\n\xF0\x9F\x98\x80"},
                        {"InvalidUtf8", "\xFF\xC3\n"},
                        {"OnlyLineFeed", "\n"}};
  for (const Case& c : cases) {
    TRegistryTree tree;
    TSectionedStore(tree, Root).WriteString("", "Network1Name", c.Text);
    const std::string text = tree.ToRegText();
    EXPECT_NE(text.find("\"Network1Name\"=hex(1):"), std::string::npos) << c.Name << "\n" << text;
    EXPECT_EQ(RootString(TRegistryTree::FromRegText(text), "Network1Name"), c.Text) << c.Name;
  }
  TRegistryTree tree;
  TSectionedStore(tree, Root).WriteString("", "V", "Foo\nBar");
  EXPECT_NE(tree.ToRegText().find("\"V\"=hex(1):46,00,6f,00,6f,00,0a,00,42,00,61,00,72,00,00,00\r\n"),
            std::string::npos)
      << "UTF-16LE with its terminating NUL, as the Registry Editor exports it";
}

TEST(RegTextTypes, ExplicitTypesKeepTheirValues) {
  const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" + RootLine +
                           "\"Dword\"=hex(4):2a,00,00,00\r\n"
                           "\"Str\"=hex(1):41,00\r\n"
                           "\"StrNul\"=hex(1):41,00,42,00,00,00\r\n"
                           "\"Expand\"=hex(2):25,00,48,00,25,00,00,00\r\n"
                           "\"ShortDword\"=hex(4):2a,00\r\n"
                           "\"OddString\"=hex(1):41,00,42\r\n"
                           "\"LoneSurrogate\"=hex(1):00,d8,41,00,00,00\r\n"
                           "\"Qword\"=hex(b):01,02,03,04,05,06,07,08\r\n";
  const TRegistryTree tree = TRegistryTree::FromRegText(text);
  TRegistryTree copy = tree;
  TDirectStore direct(copy);
  ASSERT_TRUE(direct.OpenKey(Root, false));
  EXPECT_EQ(direct.ReadInteger("Dword"), 42);
  EXPECT_EQ(direct.ReadString("Str"), "A");
  EXPECT_EQ(direct.ReadString("StrNul"), "AB");
  EXPECT_EQ(direct.ReadString("Expand"), "%H%");
  EXPECT_EQ(RootString(tree, "Expand"), "%H%");
  // Values that do not form a clean number or string are kept byte for byte.
  const std::string written = tree.ToRegText();
  for (const char* line :
       {"\"Dword\"=dword:0000002a\r\n", "\"Str\"=\"A\"\r\n", "\"StrNul\"=\"AB\"\r\n",
        "\"Expand\"=hex(2):25,00,48,00,25,00,00,00\r\n", "\"ShortDword\"=hex(4):2a,00\r\n",
        "\"OddString\"=hex(1):41,00,42\r\n", "\"LoneSurrogate\"=hex(1):00,d8,41,00,00,00\r\n",
        "\"Qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"})
    EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
  EXPECT_THROW(direct.ReadInteger("ShortDword"), ERegistryException);
  EXPECT_THROW(direct.ReadString("OddString"), ERegistryException);
  EXPECT_EQ(ReadBack(tree), tree);
}

TEST(RegTextForeign, KeepsWhatTheProgramDoesNotOwn) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n"
      "; exported by hand\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
      "\"Machine\"=\"wide\"\r\n"
      "\r\n[-HKEY_CURRENT_USER\\Software\\Obsolete]\r\n"
      "\r\n" +
      RootLine +
      "; my calculator\r\n"
      "\"Calculator\"=\"2\"\r\n"
      "\"Gone\"=-\r\n"
      "\r\n[HKEY_CURRENT_USER\\]\r\n"
      "\"AtHive\"=\"kept\"\r\n";
  const TRegistryTree tree = TRegistryTree::FromRegText(text);
  EXPECT_EQ(RootString(tree, "Calculator"), "2");
  const std::string written = tree.ToRegText();
  for (const char* line :
       {"; exported by hand\r\n", "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n", "\"Machine\"=\"wide\"\r\n",
        "[-HKEY_CURRENT_USER\\Software\\Obsolete]\r\n", "; my calculator\r\n", "\"Gone\"=-\r\n",
        "[HKEY_CURRENT_USER\\]\r\n", "\"AtHive\"=\"kept\"\r\n"})
    EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
  // The foreign sections stay where they were: before the program's keys.
  EXPECT_LT(written.find("[-HKEY_CURRENT_USER\\Software\\Obsolete]"), written.find(RootLine));
  EXPECT_LT(written.find(RootLine), written.find("[HKEY_CURRENT_USER\\]"));
  EXPECT_EQ(ReadBack(tree), tree);
  EXPECT_EQ(ReadBack(tree).ToRegText(), written);
}

TEST(RegTextLineEnds, ReadsCrOnlyAndLowerCaseHive) {
  for (const std::string& end : {std::string("\r"), std::string("\n"), std::string("\r\n")}) {
    const std::string text = "Windows Registry Editor Version 5.00" + end + end +
                             "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]" + end +
                             "\"Calculator\"=\"0\"" + end + "\"Big\"=hex:01,\\" + end + "  02" + end;
    const TRegistryTree tree = TRegistryTree::FromRegText(text);
    EXPECT_EQ(RootString(tree, "Calculator"), "0");
    const TRegValue* big = tree.FindValue(Root, "Big");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Bytes, (std::vector<uint8_t>{1, 2}));
  }
  const TRegistryTree lower = TRegistryTree::FromRegText(
      "[hkey_current_user\\Software\\Quillfern\\Parlamine\\3.2.1.0]\n\"Calculator\"=\"0\"\n");
  EXPECT_EQ(RootString(lower, "Calculator"), "0");
}

TEST(RegTextForeign, KeyPathsWithEmptyPartsAreKeptAsWritten) {
  const std::string text = "[HKEY_CURRENT_USER\\\\Software]\r\n\"A\"=\"1\"\r\n";
  const TRegistryTree tree = TRegistryTree::FromRegText(text);
  EXPECT_NE(tree.ToRegText().find("[HKEY_CURRENT_USER\\\\Software]\r\n\"A\"=\"1\"\r\n"), std::string::npos);
  EXPECT_EQ(ReadBack(tree), tree);
}

TEST(RegTextForeign, AKeptLineEndingInABackslashStaysWhole) {
  // Found by the fuzzer: a backslash on the last line continues nothing, and a
  // kept line ending in one must not swallow the line written after it.
  for (const std::string& text : {std::string("Windows \x01\x7fS\\ R=5\"\"r\\\\\r"), std::string("junk=a\\"),
                                 RootLine + "x=\\\r\n\"A\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\Y]\r\ny=\\"}) {
    const TRegistryTree tree = TRegistryTree::FromRegText(text);
    EXPECT_EQ(ReadBack(tree), tree) << text;
  }
  const TRegistryTree tree = TRegistryTree::FromRegText(RootLine + "x=\\");
  EXPECT_NE(tree.ToRegText().find("x=\\"), std::string::npos);
}
