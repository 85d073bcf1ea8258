// SPDX-License-Identifier: MIT
// What the .reg reader and writer keep: strings with control characters,
// explicitly typed values, and everything in the file the program does not own.
#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;

namespace {

const std::string Root = SettingsRoot;
const std::string RootLine = "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\r\n";

TRegistryTree ReadBack(const TRegistryTree& tree) { return TRegistryTree::FromRegText(tree.ToRegText()); }

TRegValue StringValue(const std::string& text) {
  TRegValue value;
  value.Text = text;
  return value;
}

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
  // Every value is written back as it was spelled, those that do not form a
  // clean number or string too; one the program sets is written its way.
  const std::string written = tree.ToRegText();
  EXPECT_EQ(written, text + "\r\n");
  copy.SetValue(Root, "Dword", *tree.FindValue(Root, "Dword"));
  copy.SetValue(Root, "Str", StringValue("B"));
  for (const char* line : {"\"Dword\"=hex(4):2a,00,00,00\r\n", "\"Str\"=\"B\"\r\n"})
    EXPECT_NE(copy.ToRegText().find(line), std::string::npos) << line << "\n" << copy.ToRegText();
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
  for (const std::string& text :
       {std::string("Windows \x01\x7fS\\ R=5\"\"r\\\\\r"), std::string("junk=a\\"),
        RootLine + "x=\\\r\n\"A\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\Y]\r\ny=\\", RootLine + "x=\\\r\n  y=\\",
        RootLine + "a=\\\r\n\"b\\\r\n\"A\"=\"1\"\r\n", RootLine + "k=\\  \r\nm=\\\t\r\n"}) {
    const TRegistryTree tree = TRegistryTree::FromRegText(text);
    EXPECT_EQ(ReadBack(tree), tree) << text;
    EXPECT_EQ(ReadBack(tree).ToRegText(), tree.ToRegText()) << text;
  }
  const TRegistryTree tree = TRegistryTree::FromRegText(RootLine + "x=\\");
  EXPECT_NE(tree.ToRegText().find("x=\\"), std::string::npos);
}

namespace {

std::string Utf16Le(const std::u16string& units) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace

// A file the program reads and writes back without changing a setting comes
// back byte for byte: its encoding, foreign text with unpaired surrogates,
// and values as they were spelled (upper-case digits, continued hex lines).
TEST(RegTextForeign, ComesBackAsItWasRead) {
  const std::u16string foreign =
      u"Windows Registry Editor Version 5.00\r\n"
      u"\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      u"\"Lone\"=\"a\xD800z\xDC41y\xDCC3\xDCA9\"\r\n"
      u"\"Pair\"=\"\xD83D\xDE00\"\r\n"
      u"\"Kind\"=dword:0000000A\r\n"
      u"\"Long\"=hex:00,01,\\\r\n  02,03\r\n"
      u"; a note \xDFFF\r\n";
  std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n" + RootLine +
      "\"Kind\"=dword:0000000A\r\n\"Name\\\\\"=\"with a backslash\"\r\n\"Name\"=\"without\"\r\n\r\n";
  const struct {
    const char* Name;
    std::string File;
  } cases[] = {
      {"UTF-16LE with unpaired surrogates", Utf16Le(foreign + u"\r\n")},
      {"UTF-8", utf8},
      {"UTF-8 with a BOM", "\xEF\xBB\xBF" + utf8},
  };
  for (const auto& c : cases) {
    const TRegistryTree tree = TRegistryTree::FromRegText(c.File);
    EXPECT_EQ(tree.ToFileText(), c.File) << c.Name;
    EXPECT_EQ(TRegistryTree::FromRegText(tree.ToFileText()), tree) << c.Name;
  }
  TRegistryTree names = TRegistryTree::FromRegText(utf8);
  EXPECT_EQ(RootString(names, "Name\\"), "with a backslash") << "a name ending in a backslash is its own";
  EXPECT_EQ(RootString(names, "Name"), "without");
  // A value set to another value is written in the program's spelling.
  TDirectStore direct(names);
  ASSERT_TRUE(direct.OpenKey(Root, false));
  direct.WriteInteger("Kind", 10);
  EXPECT_NE(names.ToRegText().find("\"Kind\"=dword:0000000A\r\n"), std::string::npos) << "the same value";
  direct.WriteInteger("Kind", 11);
  EXPECT_NE(names.ToRegText().find("\"Kind\"=dword:0000000b\r\n"), std::string::npos);
}

// Found by the fuzzer: of a value read twice, spelled in two ways, the last
// line is kept, with its spelling.
TEST(RegTextForeign, AValueReadTwiceIsWrittenAsItsLastLine) {
  const TRegistryTree tree =
      TRegistryTree::FromRegText(RootLine + "\"CalculaTor\"=\"2\"\r\n\"calculator\"=\"3\"\r\n");
  EXPECT_EQ(RootString(tree, "Calculator"), "3");
  EXPECT_EQ(ReadBack(tree), tree);
  EXPECT_NE(tree.ToRegText().find(RootLine + "\"calculator\"=\"3\"\r\n\r\n"), std::string::npos)
      << tree.ToRegText();
}

// Keys read from the file are held alone: their parents exist through them
// and no section is added for them.
TEST(RegTextKeys, ParentsExistThroughTheirKeys) {
  const TRegistryTree tree = TRegistryTree::FromRegText(RootLine + "\"Calculator\"=\"2\"\r\n");
  EXPECT_TRUE(tree.KeyExists("Software\\Quillfern"));
  EXPECT_FALSE(tree.KeyExists("Software\\Quill"));
  EXPECT_EQ(tree.KeyPaths(), std::vector<std::string>{Root});
  TRegistryTree created;
  created.CreateKey(Root + "\\Latency Calculator");
  EXPECT_EQ(created.KeyPaths().size(), 5u) << "a key the program creates gets its parents";
}

// Reading takes time in proportion to the text, whatever its shape: many
// values in one key, a long value continued over many lines, a deep key.
TEST(RegTextSpeed, ReadingIsLinearWhateverTheShape) {
  const auto manyValues = [] {
    std::string text = RootLine;
    for (int i = 0; i < 200000; ++i) text += "\"Value" + std::to_string(i) + "\"=\"x\"\r\n";
    return text;
  };
  const auto longHex = [] {
    std::string text = RootLine + "\"Big\"=hex:00";
    for (int i = 0; i < 50000; ++i)
      text += ",\\\r\n  01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19";
    return text + "\r\n";
  };
  const auto deepKey = [] {
    std::string text = "[HKEY_CURRENT_USER\\Software";
    for (int i = 0; i < 500000; ++i) text += "\\k";
    return text + "]\r\n\"Deep\"=\"1\"\r\n";
  };
  const struct {
    const char* Name;
    std::function<std::string()> Make;
    size_t Values;
  } cases[] = {{"200,000 values in one key", manyValues, 200000},
               {"a value continued over 50,000 lines", longHex, 1},
               {"a key 500,000 levels deep", deepKey, 1}};
  for (const auto& c : cases) {
    const std::string text = c.Make();
    // Processor time, which other programs on the machine do not stretch.
    const std::clock_t start = std::clock();
    const TRegistryTree tree = TRegistryTree::FromRegText(text);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 10.0) << c.Name << " (" << text.size() << " bytes)";
    size_t values = 0;
    for (const std::string& path : tree.KeyPaths()) values += tree.ValueNames(path).size();
    EXPECT_EQ(values, c.Values) << c.Name;
  }
}

// A value the program could not read stays as it was stored while the
// setting keeps the value the program gave it instead; a changed setting
// writes its new value.
TEST(RegTreeUnread, StaysUntilTheSettingChanges) {
  TRegistryTree tree = TRegistryTree::FromRegText(RootLine + "\"Calculator\"=dword:00000002\r\n");
  TSectionedStore store(tree, Root);
  EXPECT_EQ(store.ReadInteger("", "Calculator", 1), 1);
  ASSERT_EQ(tree.UnreadValues().size(), 1u);
  EXPECT_FALSE(tree.UnreadValues()[0].Reported) << "a sectioned value falls back silently";
  const auto written = [](int32_t calculator) {
    TRegistryTree out;
    TSectionedStore(out, Root).WriteInteger("", "Calculator", calculator);
    return out;
  };
  tree.SetUnreadFallbacks(written(1));
  const std::string before = tree.ToRegText();
  EXPECT_FALSE(tree.Merge(written(1)));
  EXPECT_EQ(tree.ToRegText(), before);
  EXPECT_TRUE(tree.Merge(written(0)));
  EXPECT_EQ(RootString(tree, "Calculator"), "0");
  EXPECT_TRUE(tree.Merge(written(1))) << "once changed, the setting is stored as any other";
  EXPECT_EQ(RootString(tree, "Calculator"), "1");
}
