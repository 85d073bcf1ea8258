// SPDX-License-Identifier: MIT
// Speed of the Radixer Calculator's long operations: loading the full OUI
// list with the first search, a later search, and copying all 65,536 rows of
// the Base Lookup table to the clipboard.
//
// The OUI list is the generated OUI.txt (build the target oui_txt first); its
// path is taken from PARLAMINE_OUI_TXT, else src/app/OUI.txt of the build
// tree this program was built in.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include "BaseLookupPage.h"
#include "OUIFinderPage.h"
#include "OUIList.h"
#include "RadixerModel.h"
#include "ZellGlobal.h"
#include "ZellNumberEdit.h"
#include "ZellTableExport.h"

namespace {

using namespace Parlamine;

QString OUIListPath() {
  const QByteArray fromEnvironment = qgetenv("PARLAMINE_OUI_TXT");
  if (!fromEnvironment.isEmpty()) return QString::fromLocal8Bit(fromEnvironment);
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/app/OUI.txt"));
}

bool RequireOUIList(benchmark::State& state) {
  if (QFile::exists(OUIListPath())) return true;
  state.SkipWithError("OUI.txt not found: build the target oui_txt or set PARLAMINE_OUI_TXT");
  return false;
}

// An OUI near the end of the list, so the search walks nearly every line.
const QString LateOUI = QStringLiteral("FCFFAA");

void BM_OUIFirstSearchLoadingTheList(benchmark::State& state) {
  if (!RequireOUIList(state)) return;
  TOUIFinderPage page;
  page.SetOUIListPaths({OUIListPath()});
  page.OUIEdit()->setText(LateOUI);
  for (auto _ : state) {
    page.FreeOUIList();
    page.OUISearchButtonClick();
  }
  if (!page.OUIListLoaded()) state.SkipWithError("OUI.txt did not load");
}
BENCHMARK(BM_OUIFirstSearchLoadingTheList)->Unit(benchmark::kMillisecond);

// The same without the page: reading and splitting the file and the walk.
void BM_OUIListLoadAndSearchCore(benchmark::State& state) {
  if (!RequireOUIList(state)) return;
  const std::string path = QFile::encodeName(OUIListPath()).toStdString();
  for (auto _ : state) {
    TOUIList list;
    if (!list.LoadFromFile(path)) state.SkipWithError("OUI.txt did not load");
    benchmark::DoNotOptimize(list.Search(LateOUI.toStdString()));
  }
}
BENCHMARK(BM_OUIListLoadAndSearchCore)->Unit(benchmark::kMillisecond);

void BM_OUILaterSearch(benchmark::State& state) {
  if (!RequireOUIList(state)) return;
  TOUIFinderPage page;
  page.SetOUIListPaths({OUIListPath()});
  page.OUIEdit()->setText(LateOUI);
  page.OUISearchButtonClick();
  for (auto _ : state) page.OUISearchButtonClick();
}
BENCHMARK(BM_OUILaterSearch)->Unit(benchmark::kMicrosecond);

void BM_BaseLookupCopyAllRows(benchmark::State& state) {
  // Answers the "Copy All Data?" question with Yes.
  const TMessageBoxHandler previous =
      SetMessageBoxHandler([](const TMessageBoxRequest&) { return QMessageBox::Yes; });
  TBaseLookupPage page;
  page.SetRowCount(static_cast<int>(LookupRowCount));
  page.ListView()->clearSelection();
  for (auto _ : state) {
    if (!CopyTableToClipboard(&page, page.ListView())) state.SkipWithError("nothing was copied");
  }
  SetMessageBoxHandler(previous);
}
BENCHMARK(BM_BaseLookupCopyAllRows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ApplyApplicationFont();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
