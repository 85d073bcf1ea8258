// SPDX-License-Identifier: MIT
// The growth of the process's peak resident memory over a piece of work, for
// the benchmarks that hold a copy to a multiple of the text it produces.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <fstream>
#include <string>

namespace Parlamine {

// Kilobytes of a field of /proc/self/status ("VmHWM", "VmRSS").
inline long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
  return -1;
}

// Lowers the peak resident size to the current one, so that the next peak
// belongs to what runs after this call.
inline void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Counters: the text's size, the peak's growth since `baseKb` and their ratio.
inline void ReportPeak(benchmark::State& state, long baseKb, size_t textBytes) {
  const double growth = (StatusKilobytes("VmHWM") - baseKb) * 1024.0;
  state.counters["text_MB"] = static_cast<double>(textBytes) / 1e6;
  state.counters["peak_growth_MB"] = growth / 1e6;
  state.counters["peak_per_text"] = growth / static_cast<double>(textBytes);
}

}  // namespace Parlamine
