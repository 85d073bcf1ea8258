// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "QuotedInput.h"

namespace Parlamine {
namespace {

TEST(QuotedInput, EscapesControlsAndCutsLongTexts) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Quoted;
  } cases[] = {
      {"plain", "10.0.0.0/8", "'10.0.0.0/8'"},
      {"line ends and tab", "a\r\nb\tc", "'a\\r\\nb\\tc'"},
      {"escape and delete", "\x1b[31m\x7f", "'\\x1b[31m\\x7f'"},
      {"NUL", std::string("a\0b", 3), "'a\\x00b'"},
      {"8-bit CSI as UTF-8",
       "\xc2\x9b"
       "2J",
       "'\\u009b2J'"},
      {"bytes that are no UTF-8", "\x9b\xff\xc3", "'\\x9b\\xff\\xc3'"},
      {"overlong slash", "\xc0\xaf", "'\\xc0\\xaf'"},
      {"UTF-8 kept whole", "Z\xc3\xbcrich \xe2\x82\xac", "'Z\xc3\xbcrich \xe2\x82\xac'"},
      {"exactly the limit", std::string(64, 'x'), "'" + std::string(64, 'x') + "'"},
      {"one past the limit", std::string(65, 'x'), "'" + std::string(64, 'x') + "\u2026'"},
      {"limit counts characters", std::string(70, '\n'),
       "'" +
           [] {
             std::string s;
             for (int i = 0; i < 64; ++i) s += "\\n";
             return s;
           }() +
           "\u2026'"},
  };
  for (const auto& c : cases) EXPECT_EQ(QuotedInput(c.Text), c.Quoted) << c.Name;
}

}  // namespace
}  // namespace Parlamine
