// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "SubnetTableText.h"

namespace Parlamine {
namespace {

std::string Dotted(uint32_t value) {
  char text[16];
  return std::string(text, WriteDottedDecimal(value, text));
}

TEST(SubnetTableText, DottedDecimalOfEveryOctetWidth) {
  EXPECT_EQ(Dotted(0), "0.0.0.0");
  EXPECT_EQ(Dotted(0xFFFFFFFFu), "255.255.255.255");
  EXPECT_EQ(Dotted(0x0A09630Bu), "10.9.99.11");
  EXPECT_EQ(Dotted(0x64C8FF01u), "100.200.255.1");
  for (uint32_t v : {0u, 7u, 99u, 100u, 0x12345678u, 0xFEDCBA98u})
    EXPECT_EQ(Dotted(v), DottedDecimal(v)) << v;
}

TEST(SubnetTableText, JsonRowHoldsTheSameFiguresAsTheTextRow) {
  const TSubnetTable table(0xC0A8014Du, 2, 30, false, 62);
  char line[MaxJsonRowSize];
  EXPECT_EQ(
      std::string(line, FormatSubnetRowJson(table, 0, line)),
      R"({"number":1,"id":"192.168.1.4","first":"192.168.1.5","last":"192.168.1.6","broadcast":"192.168.1.7"})");
  const TSubnetTable widest(0xFFFFFFFFu, 0, 30, true, 4194304);
  EXPECT_LE(FormatSubnetRowJson(widest, 4194303, line), MaxJsonRowSize);
}

TEST(SubnetTableText, RowsStopWhenTheBufferIsFullAndGoOnWhereTheyStopped) {
  const TSubnetTable table(0x800F0A05u, 1, 24, false, 254);
  std::string whole;
  char buffer[200];
  for (int64_t row = 0; row < table.RowCount();) {
    size_t used = 0;
    const int64_t done =
        FormatSubnetRows(table, row, table.RowCount() - row, TLineEnd::leLF, buffer, sizeof buffer, used);
    ASSERT_GT(done, 0);
    whole.append(buffer, used);
    row += done;
  }
  std::string expected;
  char line[TSubnetTable::MaxRowTextSize];
  for (int64_t row = 0; row < table.RowCount(); ++row)
    expected.append(line, table.FormatRow(row, line)) += '\n';
  EXPECT_EQ(whole, expected);
  size_t used = 0;
  EXPECT_EQ(FormatSubnetRows(table, 0, 10, TLineEnd::leCRLF, buffer, TSubnetTable::MaxRowTextSize + 1, used),
            0);
  EXPECT_EQ(used, 0u);
}

}  // namespace
}  // namespace Parlamine
