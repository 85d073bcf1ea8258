// SPDX-License-Identifier: MIT
// The Prefix Calculator's heavy work: summarising a pasted list of 100,000
// lines; the rows of the largest split (4,194,304 subnets) formatted into one
// reserved buffer, beside the subnets/hosts table of the same size formatted
// the same way (the floor the split is held to: at most 1.5 times its time),
// and the same rows formatted alone, without the pages of a large text.
// The widget's table (copy-all, row count) is measured in bench_prefix_ui.
// Planning 10,000 requirements of mixed sizes into a /8, read from their
// text, in both orders.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "IPSubnetModel.h"
#include "PeakMemory.h"
#include "PrefixPlan.h"
#include "PrefixSplit.h"
#include "PrefixSummarize.h"

namespace Parlamine {
namespace {

// 100,000 lines as a user might paste them: addresses, prefixes, masks and
// ranges of both families, with duplicates and overlaps.
std::string SummaryInput(int lines) {
  std::mt19937 random(2026);
  std::string text;
  text.reserve(static_cast<size_t>(lines) * 40);
  for (int i = 0; i < lines; ++i) {
    const unsigned a = static_cast<unsigned>(random() % 64) + 10;
    const unsigned b = static_cast<unsigned>(random() % 256);
    const unsigned c = static_cast<unsigned>(random() % 256);
    const std::string v4 = std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + ".";
    switch (i % 5) {
      case 0:
        text += v4 + std::to_string(random() % 256);
        break;
      case 1:
        text += v4 + "0/" + std::to_string(20 + random() % 13);
        break;
      case 2:
        text += v4 + "10 - " + v4 + std::to_string(10 + random() % 200);
        break;
      case 3:
        text += v4 + "0 255.255.255.0";
        break;
      default: {
        char group[8];
        std::snprintf(group, sizeof group, "%x", static_cast<unsigned>(random() % 65536));
        text += "2001:db8:" + std::string(group) + "::" + std::to_string(random() % 100) + "/" +
                std::to_string(48 + random() % 81);
      }
    }
    text += "\n";
  }
  return text;
}

void BM_Summarize100000Lines(benchmark::State& state) {
  const std::string text = SummaryInput(100000);
  size_t prefixes = 0;
  for (auto _ : state) {
    const TSummary summary = SummarizeText(text);
    prefixes = summary.Prefixes.size();
    if (!summary.Errors.empty()) state.SkipWithError("the input has bad lines");
    benchmark::DoNotOptimize(summary.Prefixes.data());
  }
  state.counters["prefixes"] = static_cast<double>(prefixes);
}

// Every row of a 4,194,304-row split into one buffer reserved once: what a
// copy of the whole table cannot beat.
void SplitRowsIntoOneBuffer(benchmark::State& state, const char* prefixText, int length) {
  const TPrefixSplit split(ParsePrefix(prefixText).Prefix(), length);
  size_t size = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const long base = StatusKilobytes("VmRSS");
    std::string text;
    // Room for rows as long as the last (the longest here) and the header.
    char last[TPrefixSplit::MaxRowTextSize];
    text.reserve(static_cast<size_t>(split.RowCount()) * (split.FormatRow(split.RowCount() - 1, last) + 2) +
                 64);
    text.append("#\tNetwork\r\n");
    char line[TPrefixSplit::MaxRowTextSize];
    for (int64_t row = 0; row < split.RowCount(); ++row) {
      text.append(line, split.FormatRow(row, line));
      text.append("\r\n", 2);
    }
    size = text.size();
    benchmark::DoNotOptimize(text.data());
    ReportPeak(state, base, size);
  }
  state.counters["rows"] = static_cast<double>(split.RowCount());
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

// The IP Subnet Calculator's largest subnets/hosts table (class A, 22 subnet
// bits) into one reserved buffer: the floor, measured in the same run.
void BM_SubnetTableRowsIntoOneBuffer_Floor(benchmark::State& state) {
  const TSubnetTable table(0x0A010203u, 0, 30, true, MaxSplitRows);
  size_t size = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const long base = StatusKilobytes("VmRSS");
    std::string text;
    text.reserve(static_cast<size_t>(table.RowCount()) * 72 + 64);
    text.append("#\tID\tRange\tBroadcast\r\n");
    char line[TSubnetTable::MaxRowTextSize];
    for (int64_t row = 0; row < table.RowCount(); ++row) {
      text.append(line, table.FormatRow(row, line));
      text.append("\r\n", 2);
    }
    size = text.size();
    benchmark::DoNotOptimize(text.data());
    ReportPeak(state, base, size);
  }
  state.counters["rows"] = static_cast<double>(table.RowCount());
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

void BM_SplitIPv4RowsIntoOneBuffer(benchmark::State& state) {
  SplitRowsIntoOneBuffer(state, "10.0.0.0/8", 30);
}
void BM_SplitIPv6RowsIntoOneBuffer(benchmark::State& state) {
  SplitRowsIntoOneBuffer(state, "2001:db8::/42", 64);
}

// Formatting alone: every row into one line buffer that stays in the cache,
// as the command line's stream does, so that no page of a large text is
// touched. The subnets/hosts table first, the floor; then the splits.
template <typename Table>
void FormatEveryRow(benchmark::State& state, const Table& table) {
  char line[Table::MaxRowTextSize];
  size_t size = 0;
  for (auto _ : state) {
    size = 0;
    for (int64_t row = 0; row < table.RowCount(); ++row) size += table.FormatRow(row, line) + 2;
    benchmark::DoNotOptimize(line);
  }
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

void BM_SubnetTableRowsFormatted_Floor(benchmark::State& state) {
  FormatEveryRow(state, TSubnetTable(0x0A010203u, 0, 30, true, MaxSplitRows));
}
void BM_SplitIPv4RowsFormatted(benchmark::State& state) {
  FormatEveryRow(state, TPrefixSplit(ParsePrefix("10.0.0.0/8").Prefix(), 30));
}
void BM_SplitIPv6RowsFormatted(benchmark::State& state) {
  FormatEveryRow(state, TPrefixSplit(ParsePrefix("2001:db8::/42").Prefix(), 64));
}

// 10,000 lines of hosts, address counts and lengths, as a large site list
// might give them; their sizes (/30 to /20) overfill the /8 a little, so that
// the failures and the fitting parent are worked out too.
std::string PlanInput(int lines) {
  std::mt19937 random(2026);
  std::string text;
  for (int i = 0; i < lines; ++i) {
    const std::string name = "Site " + std::to_string(i) + " ";
    switch (i % 3) {
      case 0:
        text += name + std::to_string(2 + random() % 4000) + "\n";
        break;
      case 1:
        text += name + std::to_string(4 + random() % 2000) + " addresses +10%\n";
        break;
      default:
        text += name + "/" + std::to_string(20 + random() % 11) + "\n";
    }
  }
  return text;
}

void PlanTenThousand(benchmark::State& state, bool inputOrder) {
  const std::string text = PlanInput(10000);
  const TPrefix parent = ParsePrefix("10.0.0.0/8").Prefix();
  size_t allocations = 0;
  for (auto _ : state) {
    const TPlan plan = PlanText(parent, text, {inputOrder, false});
    allocations = plan.Allocations.size();
    if (!plan.Errors.empty()) state.SkipWithError("the input has bad lines");
    benchmark::DoNotOptimize(plan.FreePrefixes.data());
  }
  state.counters["allocations"] = static_cast<double>(allocations);
}

void BM_Plan10000RequirementsLargestFirst(benchmark::State& state) { PlanTenThousand(state, false); }
void BM_Plan10000RequirementsInputOrder(benchmark::State& state) { PlanTenThousand(state, true); }

BENCHMARK(BM_Summarize100000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubnetTableRowsIntoOneBuffer_Floor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SplitIPv4RowsIntoOneBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SplitIPv6RowsIntoOneBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SubnetTableRowsFormatted_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitIPv4RowsFormatted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitIPv6RowsFormatted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plan10000RequirementsLargestFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plan10000RequirementsInputOrder)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace Parlamine

BENCHMARK_MAIN();
