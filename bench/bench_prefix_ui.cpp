// SPDX-License-Identifier: MIT
// The Prefix Calculator's largest split (10.0.0.0/8 in /30: 4,194,304 rows)
// in the widget's own table: the new row count with the jump to its last
// row, and the whole table copied to the clipboard against the floor of the
// subnets/hosts table's copy: the same rows formatted into one reserved
// buffer in a tight loop. Each copy reports the growth of the process's peak
// resident memory over the text size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QTabWidget>
#include <QToolButton>
#include <fstream>
#include <string>

#include "PrefixAddress.h"
#include "PrefixCalculator.h"
#include "PrefixSplit.h"
#include "PrefixSplitTableSource.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TableBenchmarks.h"
#include "ZellGlobal.h"
#include "ZellTableExport.h"

namespace Parlamine {
namespace {

constexpr int64_t LargestRowCount = MaxSplitRows;

TPrefixSplit LargestSplit() { return TPrefixSplit(MakePrefix(ParsePrefix("10.0.0.0/8").Address, 8), 30); }

void BM_SplitRowsIntoOneBuffer_Floor(benchmark::State& state) {
  MeasureRowsIntoOneBuffer(state, LargestSplit(), LargestRowCount,
                           "#\tNetwork\tFirst Host\tLast Host\tBroadcast");
}

// The whole copy as the copy button runs it after "Yes": header and every
// row into one byte buffer, handed to the clipboard.
void BM_SplitCopyAllRowsToClipboard(benchmark::State& state) {
  TPrefixSplitTableSource source;
  source.SetSplit(LargestSplit());
  TVirtualListView view;
  view.SetSource(source);
  MeasureCopyAllToClipboard(state, view);
}

// In the calculator itself: the split length picked from the list (/30 and
// /29 in turn, 4,194,304 and 2,097,152 rows, so every pick is a new count),
// the view laid out, and the Last button pressed.
void BM_SplitPickLengthAndGoToLastRow(benchmark::State& state) {
  TPrefixCalculator calculator;
  TRegistryTree tree;
  TSectionedStore store(tree, SettingsRoot);
  store.WriteString("Prefix Calculator", "Prefix", "10.0.0.0/8");
  store.WriteInteger("Prefix Calculator", "ActivePageIndex", 1);
  calculator.LoadPrefixSettings(store);
  calculator.resize(312, 340);
  calculator.show();
  QApplication::processEvents();
  auto* lengths = calculator.findChild<QComboBox*>(QStringLiteral("SplitLengthComboBox"));
  auto* last = calculator.findChild<QToolButton*>(QStringLiteral("SplitLastToolButton"));
  auto* view = calculator.findChild<TVirtualListView*>(QStringLiteral("SplitListView"));
  const int largest = lengths->count() - 1;
  bool largestShown = false;
  for (auto _ : state) {
    largestShown = !largestShown;
    lengths->setCurrentIndex(largestShown ? largest : largest - 1);
    calculator.SplitLengthComboBoxClick();
    QApplication::processEvents();
    last->click();
  }
  if (view->model()->rowCount() != LargestRowCount && view->model()->rowCount() != LargestRowCount / 2)
    state.SkipWithError("the table does not have the split's rows");
}

BENCHMARK(BM_SplitRowsIntoOneBuffer_Floor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SplitCopyAllRowsToClipboard)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SplitPickLengthAndGoToLastRow)->Unit(benchmark::kMillisecond);

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
