// SPDX-License-Identifier: MIT
// Development tool: renders each page of the Radixer Calculator at the size
// the main window gives it, offscreen, to PNG files for a visual check.
//
//   QT_QPA_PLATFORM=offscreen parlamine_radixer_render <folder>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>

#include "OUIFinderPage.h"
#include "RadixerCalculator.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ZellGlobal.h"
#include "ZellNumberEdit.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  Parlamine::ApplyApplicationFont();
  Parlamine::TRadixerCalculator calculator;
  Parlamine::TRegistryTree tree;
  Parlamine::TSectionedStore store(tree, "Software\\Quillfern\\Parlamine\\3.2.1.0");
  calculator.LoadRadixerSettings(store);
  calculator.resize(312, 340);  // the page area of the main window at its minimum size
  calculator.show();
  auto* pages = calculator.findChild<QTabWidget*>(QStringLiteral("RadixerPageControl"));
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    QApplication::processEvents();
    const QString file = folder.filePath(QStringLiteral("radixer_page%1.png").arg(page));
    if (!calculator.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  // With an OUI.txt in reach (working directory, beside the program or in the
  // installed data folder), one search with a long organisation name as well.
  auto* finder = calculator.OUIFinderPage();
  finder->OUIEdit()->setText(QStringLiteral("000247"));
  finder->OUISearchButtonClick();
  if (finder->OUIListLoaded()) {
    QApplication::processEvents();
    const QString file = folder.filePath(QStringLiteral("radixer_page3_search.png"));
    if (!calculator.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
