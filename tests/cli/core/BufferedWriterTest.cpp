// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "BufferedWriter.h"

namespace Parlamine {
namespace {

TEST(BufferedWriter, PassesEverythingOnInBlocksOfItsSize) {
  std::string out;
  std::vector<size_t> blocks;
  {
    TBufferedWriter writer(
        [&](const char* data, size_t size) {
          out.append(data, size);
          blocks.push_back(size);
          return true;
        },
        256);
    for (int i = 0; i < 100; ++i) writer.Write("0123456789");
    char* place = writer.Reserve(20);
    place[0] = '!';
    writer.Commit(1);
  }
  EXPECT_EQ(out.size(), 1001u);
  EXPECT_EQ(out.back(), '!');
  EXPECT_EQ(blocks.front(), 256u);
}

TEST(BufferedWriter, DropsEverythingOnceTheSinkRefuses) {
  int calls = 0;
  TBufferedWriter writer(
      [&](const char*, size_t) {
        ++calls;
        return false;
      },
      256);
  writer.Write(std::string(600, 'x'));
  EXPECT_TRUE(writer.Failed());
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace Parlamine
