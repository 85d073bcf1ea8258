// SPDX-License-Identifier: MIT
// The largest subnets/hosts table (class A, 22 subnet bits, 1 subnet bit
// allowed: 4,194,304 rows) copied whole to the clipboard, against the floor:
// the same rows formatted into one reserved buffer in a tight loop. Each copy
// reports the growth of the process's peak resident memory over the text size.
// Also: the cost of giving the list view a new row count of that size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <string>

#include "IPSubnetModel.h"
#include "IPSubnetTableSource.h"
#include "TableBenchmarks.h"
#include "ZellGlobal.h"
#include "ZellTableExport.h"

namespace Parlamine {
namespace {

constexpr int64_t LargestRowCount = 4194304;

TSubnetTable LargestTable() { return TSubnetTable(0x0A010203u, 0, 30, true, LargestRowCount); }

void BM_RowsIntoOneBuffer_Floor(benchmark::State& state) {
  MeasureRowsIntoOneBuffer(state, LargestTable(), LargestRowCount, "#\tID\tRange\tBroadcast");
}

// The whole copy as the Copy button runs it after "Yes": header and every row
// into one byte buffer, handed to the clipboard.
void BM_CopyAllRowsToClipboard(benchmark::State& state) {
  TSubnetHostTableSource source;
  source.SetTable(LargestTable());
  TVirtualListView view;
  view.SetSource(source);
  MeasureCopyAllToClipboard(state, view);
}

// A new row count of 4,194,304 in the list view (alternating with 4,194,302
// so that every iteration is a real change).
void BM_SetLargestRowCount(benchmark::State& state) {
  TSubnetHostTableSource source;
  TVirtualListView view;
  view.SetSource(source);
  view.resize(300, 250);
  bool allow1 = false;
  for (auto _ : state) {
    allow1 = !allow1;
    source.SetTable(TSubnetTable(0x0A010203u, 0, 30, allow1, allow1 ? LargestRowCount : LargestRowCount - 2));
    view.Model()->Refresh();
    view.scrollToBottom();
  }
}

BENCHMARK(BM_RowsIntoOneBuffer_Floor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CopyAllRowsToClipboard)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SetLargestRowCount)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace Parlamine

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
