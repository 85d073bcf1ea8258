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
#include "ZellGlobal.h"
#include "ZellTableExport.h"

namespace Parlamine {
namespace {

constexpr int64_t LargestRowCount = MaxSplitRows;

TPrefixSplit LargestSplit() { return TPrefixSplit(MakePrefix(ParsePrefix("10.0.0.0/8").Address, 8), 30); }

// Kilobytes of a field of /proc/self/status ("VmHWM", "VmRSS").
long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
  return -1;
}

// Lowers the peak resident size to the current one, so that the next peak
// belongs to what runs after this call.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

void ReportPeak(benchmark::State& state, long baseKb, size_t textBytes) {
  const double growth = (StatusKilobytes("VmHWM") - baseKb) * 1024.0;
  state.counters["text_MB"] = static_cast<double>(textBytes) / 1e6;
  state.counters["peak_growth_MB"] = growth / 1e6;
  state.counters["peak_per_text"] = growth / static_cast<double>(textBytes);
}

void BM_SplitRowsIntoOneBuffer_Floor(benchmark::State& state) {
  const TPrefixSplit split = LargestSplit();
  size_t size = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const long base = StatusKilobytes("VmRSS");
    std::string text;
    text.reserve(static_cast<size_t>(LargestRowCount) * 72 + 64);
    text.append("#\tNetwork\tFirst Host\tLast Host\tBroadcast\r\n");
    char line[TPrefixSplit::MaxRowTextSize];
    for (int64_t row = 0; row < LargestRowCount; ++row) {
      text.append(line, split.FormatRow(row, line));
      text.append("\r\n", 2);
    }
    size = text.size();
    benchmark::DoNotOptimize(text.data());
    ReportPeak(state, base, size);
  }
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

// The whole copy as the copy button runs it after "Yes": header and every
// row into one byte buffer, handed to the clipboard.
void BM_SplitCopyAllRowsToClipboard(benchmark::State& state) {
  TPrefixSplitTableSource source;
  source.SetSplit(LargestSplit());
  TVirtualListView view;
  view.SetSource(source);
  const TMessageBoxHandler previous =
      SetMessageBoxHandler([](const TMessageBoxRequest&) { return QMessageBox::Yes; });
  size_t size = 0;
  for (auto _ : state) {
    QApplication::clipboard()->clear();
    ResetPeakMemory();
    const long base = StatusKilobytes("VmRSS");
    CopyTableToClipboard(nullptr, &view);
    size =
        static_cast<size_t>(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")).size());
    ReportPeak(state, base, size);
  }
  SetMessageBoxHandler(previous);
  if (size == 0) state.SkipWithError("nothing reached the clipboard");
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
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
