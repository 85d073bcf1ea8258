// SPDX-License-Identifier: MIT
// The two measurements every large virtual table gets: the floor (header and
// rows formatted into one reserved buffer in a tight loop) and the whole copy
// as the copy button runs it after "Yes". Both report the growth of the peak
// resident memory against the text size.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <cstdint>
#include <string>
#include <string_view>

#include "PeakMemory.h"
#include "ZellGlobal.h"
#include "ZellTableExport.h"

namespace Parlamine {

// `Table` has FormatRow(row, char*) -> size_t and MaxRowTextSize.
template <class Table>
void MeasureRowsIntoOneBuffer(benchmark::State& state, const Table& table, int64_t rowCount,
                              std::string_view header) {
  size_t size = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const long base = StatusKilobytes("VmRSS");
    std::string text;
    text.reserve(static_cast<size_t>(rowCount) * 72 + 64);
    text.append(header);
    text.append("\r\n", 2);
    char line[Table::MaxRowTextSize];
    for (int64_t row = 0; row < rowCount; ++row) {
      text.append(line, table.FormatRow(row, line));
      text.append("\r\n", 2);
    }
    size = text.size();
    benchmark::DoNotOptimize(text.data());
    ReportPeak(state, base, size);
  }
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

inline void MeasureCopyAllToClipboard(benchmark::State& state, TVirtualListView& view) {
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

}  // namespace Parlamine
