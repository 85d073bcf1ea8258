// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "WrapMessageText.h"

namespace Parlamine {
namespace {

TEST(WrapMessageText, BreaksAtTheLastSpaceBeforeTheColumn) {
  struct Case {
    const char* Name;
    const char* Text;
    int Column;
    const char* Expected;
  };
  const Case cases[] = {
      {"short text unchanged", "Short text.", 80, "Short text."},
      {"copy prompt keeps the space at the end of the first line",
       "No data is selected in the table from which you wish to copy. Would you like to copy all of the "
       "data?",
       80,
       "No data is selected in the table from which you wish to copy. Would you like to \r\ncopy all of the "
       "data?"},
      {"spaces after a break are skipped", "aaaa bbbb   cccc", 6, "aaaa \r\nbbbb  \r\ncccc"},
      {"existing line break kept", "ab\r\ncd ef", 80, "ab\r\ncd ef"},
      {"long word not split", "abcdefghij kl", 4, "abcdefghij\r\nkl"},
      {"no break inside double quotes", "say \"a b c d\" x", 8, "say \r\n\"a b c d\"\r\nx"},
      {"no break inside single quotes", "it 'a b c' end", 6, "it \r\n'a b c'\r\nend"},
      // A space that would exceed the column ends the line before it.
      {"space at the column itself", "abcd efgh", 4, "abcd\r\nefgh"},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapMessageText(c.Text, c.Column), c.Expected) << c.Name;
}

TEST(WrapMessageText, AddressMessagesFitEightyColumns) {
  const std::string wrapped = WrapMessageText(
      "The IP address 127.x.x.x is a reserved loopback source/destination address meaning \"local host\" and "
      "cannot be subnetted.",
      80);
  size_t start = 0;
  while (start < wrapped.size()) {
    size_t end = wrapped.find("\r\n", start);
    if (end == std::string::npos) end = wrapped.size();
    EXPECT_LE(end - start, 80u);
    start = end + 2;
  }
  EXPECT_NE(wrapped.find("\r\n"), std::string::npos);
  EXPECT_NE(wrapped.find("\"local host\""), std::string::npos);
}

}  // namespace
}  // namespace Parlamine
