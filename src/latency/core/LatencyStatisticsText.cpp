// SPDX-License-Identifier: MIT
#include "LatencyStatisticsText.h"

#include <algorithm>

namespace Parlamine {

std::string_view DirectionCaption(TLatencyDirection direction) {
  static constexpr std::array<std::string_view, LatencyDirectionCount> captions = {"Clt -> Svr", "Clt <- Svr",
                                                                                   "Clt <-> Svr"};
  return captions[direction < LatencyDirectionCount ? direction : ldA];
}

const std::array<std::string_view, 3>& StatisticsHeaderTexts() {
  static constexpr std::array<std::string_view, 3> texts = {"Network Element", "Delay (sec)", "Percent"};
  return texts;
}

std::vector<TStatisticsRow> StatisticsRows(const std::vector<std::string>& hints,
                                           const TLatencyResult& result, TLatencyDirection direction,
                                           char decimalSeparator) {
  const size_t count = std::min(hints.size(), result.Elements.size());
  std::vector<TStatisticsRow> rows;
  rows.reserve(count + 1);
  for (size_t i = 0; i < count; ++i) {
    const TElementLatency& element = result.Elements[i];
    rows.push_back({hints[i], FormatDelay(element.Delay[direction], decimalSeparator),
                    FormatPercent(element.Share[direction], decimalSeparator)});
  }
  rows.push_back({std::string(TotalsCaption), FormatDelay(result.TotalDelay[direction], decimalSeparator),
                  FormatPercent(1.0, decimalSeparator)});
  return rows;
}

}  // namespace Parlamine
