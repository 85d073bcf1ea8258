// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "LatencyStatisticsText.h"

namespace Parlamine {
namespace {

TEST(LatencyStatisticsText, RowsPerElementAndTotals) {
  TLatencyResult result;
  result.Elements.resize(3);
  result.Elements[1].Delay[ldB] = 0.286f;
  result.Elements[1].Share[ldB] = 0.2860f / 0.2910f;
  result.Elements[2].Delay[ldB] = 0.005f;
  result.Elements[2].Share[ldB] = 0.005f / 0.2910f;
  result.TotalDelay[ldB] = 0.291f;
  const std::vector<TStatisticsRow> rows = StatisticsRows({"Client", "Satellite", "Server"}, result, ldB);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (TStatisticsRow{"Client", "0.0000000", "0.0%"}));
  EXPECT_EQ(rows[1], (TStatisticsRow{"Satellite", "0.2860000", "98.3%"}));
  EXPECT_EQ(rows[2], (TStatisticsRow{"Server", "0.0050000", "1.7%"}));
  EXPECT_EQ(rows[3], (TStatisticsRow{"Totals:", "0.2910000", "100.0%"}));
  EXPECT_EQ(StatisticsRows({"Client", "Satellite", "Server"}, result, ldB, ',')[1][1], "0,2860000");
}

TEST(LatencyStatisticsText, ZeroTotalStillReadsAHundredPercentAndShorterListsPair) {
  TLatencyResult result;
  result.Elements.resize(3);
  const std::vector<TStatisticsRow> rows = StatisticsRows({"Client", "Net"}, result, ldAB);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], (TStatisticsRow{"Totals:", "0.0000000", "100.0%"}));
}

TEST(LatencyStatisticsText, CaptionsAndHeader) {
  EXPECT_EQ(DirectionCaption(ldA), "Clt -> Svr");
  EXPECT_EQ(DirectionCaption(ldB), "Clt <- Svr");
  EXPECT_EQ(DirectionCaption(ldAB), "Clt <-> Svr");
  EXPECT_EQ(StatisticsHeaderTexts()[0], "Network Element");
  EXPECT_EQ(StatisticsHeaderTexts()[1], "Delay (sec)");
  EXPECT_EQ(StatisticsHeaderTexts()[2], "Percent");
}

}  // namespace
}  // namespace Parlamine
