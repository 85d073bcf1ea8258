// SPDX-License-Identifier: MIT
// The texts of the Latency Statistics table: the direction captions, the
// header row, one row per element and the totals row. The statistics page and
// the command line both show these rows.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "LatencyModel.h"

namespace Parlamine {

// "Clt -> Svr", "Clt <- Svr", "Clt <-> Svr": the direction selector's items.
std::string_view DirectionCaption(TLatencyDirection direction);
// "Network Element", "Delay (sec)", "Percent".
const std::array<std::string_view, 3>& StatisticsHeaderTexts();
inline constexpr std::string_view TotalsCaption = "Totals:";

using TStatisticsRow = std::array<std::string, 3>;
// One row per element (its hint, its delay, its share) and the totals row,
// which reads 100.0% even when the total is 0. `hints` and the result's
// elements are paired in chain order; the shorter one sets the count.
std::vector<TStatisticsRow> StatisticsRows(const std::vector<std::string>& hints,
                                           const TLatencyResult& result, TLatencyDirection direction,
                                           char decimalSeparator = '.');

}  // namespace Parlamine
