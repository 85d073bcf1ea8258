// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "LineReader.h"

namespace Parlamine {
namespace {

// The lines of `text` read `chunk` bytes at a time through a 16-byte block,
// each joined with its number: "1:a".
std::vector<std::string> Lines(const std::string& text, size_t chunk) {
  size_t position = 0;
  TLineReader reader(
      [&](char* buffer, size_t size) -> ssize_t {
        const size_t count = std::min({size, chunk, text.size() - position});
        std::memcpy(buffer, text.data() + position, count);
        position += count;
        return static_cast<ssize_t>(count);
      },
      16);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) lines.push_back(std::to_string(reader.LineNumber()) + ":" + std::string(line));
  EXPECT_EQ(reader.FailureCode(), 0);
  return lines;
}

TEST(LineReader, SplitsAtEveryLineEndWhereverTheReadsEnd) {
  using TLines = std::vector<std::string>;
  const std::string longLine(40, 'x');  // more than the block
  const struct {
    const char* Name;
    std::string Text;
    TLines Lines;
  } cases[] = {
      {"empty", "", {}},
      {"LF", "a\nb\n", {"1:a", "2:b"}},
      {"no end after the last", "a\nb", {"1:a", "2:b"}},
      {"CR LF", "a\r\nb\r\n", {"1:a", "2:b"}},
      {"CR alone", "a\rb\r", {"1:a", "2:b"}},
      {"CR CR LF is one blank line", "a\r\r\nb", {"1:a", "2:", "3:b"}},
      {"blank lines count", "\n\na\n", {"1:", "2:", "3:a"}},
      {"byte-order mark",
       "\xEF\xBB\xBF"
       "10.0.0.0\n",
       {"1:10.0.0.0"}},
      {"mark only at the start",
       "a\n\xEF\xBB\xBF"
       "b\n",
       {"1:a",
        "2:\xEF\xBB\xBF"
        "b"}},
      {"line longer than the block", longLine + "\nz", {"1:" + longLine, "2:z"}},
  };
  for (const auto& c : cases)
    for (const size_t chunk : {size_t{1}, size_t{2}, size_t{5}, size_t{1000}})
      EXPECT_EQ(Lines(c.Text, chunk), c.Lines) << c.Name << ", reads of " << chunk;
}

TEST(LineReader, StopsAndSaysWhyWhenAReadFails) {
  int calls = 0;
  TLineReader reader([&](char* buffer, size_t) -> ssize_t {
    if (calls++ > 0) {
      errno = EIO;
      return -1;
    }
    std::memcpy(buffer, "a\nb", 3);
    return 3;
  });
  std::string_view line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "a");
  EXPECT_FALSE(reader.Next(line));  // "b" may be cut short: not handed on
  EXPECT_EQ(reader.FailureCode(), EIO);
}

}  // namespace
}  // namespace Parlamine
