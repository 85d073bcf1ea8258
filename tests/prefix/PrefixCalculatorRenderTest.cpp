// SPDX-License-Identifier: MIT
// The calculator at the window's minimum page size, in the states that need
// the most room: every control inside its page, no caption clipped, no two
// visible controls overlapping; and the bit map in its roles' colours. With
// PARLAMINE_RENDER_DIR set, each state is also written there as a PNG.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <algorithm>
#include <string>

#include "BitMapInk.h"
#include "PrefixCalculator.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ZellGlobal.h"
#include "ZellLabel.h"

namespace Parlamine {
namespace {

// The controls a user reads or operates, as laid out on a page.
QList<QWidget*> LeafControls(QWidget* page) {
  QList<QWidget*> controls;
  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(page) || w->objectName().startsWith(QLatin1String("qt_"))) continue;
    const bool leaf = qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) ||
                      qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                      qobject_cast<QToolBar*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                      (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QToolBar*>(w->parentWidget()));
    // The parts of a list or text box (scroll bars, corner button) are the box's.
    bool part = false;
    for (QWidget* up = w->parentWidget(); up && up != page && !part; up = up->parentWidget())
      part = qobject_cast<QAbstractScrollArea*>(up) || qobject_cast<QLineEdit*>(up) ||
             qobject_cast<QComboBox*>(up);
    if (leaf && !part) controls.append(w);
  }
  return controls;
}

QRect RectOnPage(QWidget* w, QWidget* page) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); }

struct LayoutCase {
  const char* Name;
  const char* Prefix;
  const char* SummarizeText;
};

class PrefixLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PrefixLayout, EveryPageFitsTheMinimumSize) {
  ApplyApplicationFont();
  TPrefixCalculator calculator;
  TRegistryTree tree;
  TSectionedStore store(tree, SettingsRoot);
  store.WriteString("Prefix Calculator", "Prefix", GetParam().Prefix);
  store.WriteString("Prefix Calculator", "SummarizeText", GetParam().SummarizeText);
  calculator.LoadPrefixSettings(store);
  // The room the main window gives a calculator at its minimum size.
  calculator.resize(312, 340);
  calculator.show();
  EXPECT_LE(calculator.minimumSizeHint().width(), 312);
  EXPECT_LE(calculator.minimumSizeHint().height(), 340);
  auto* pages = calculator.findChild<QTabWidget*>(QStringLiteral("PrefixPageControl"));
  ASSERT_NE(pages, nullptr);
  const QString renderDir = qEnvironmentVariable("PARLAMINE_RENDER_DIR");
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    QWidget* page = pages->widget(i);
    SCOPED_TRACE(page->objectName().toStdString());
    const QList<QWidget*> controls = LeafControls(page);
    EXPECT_GE(controls.size(), 3);
    for (QWidget* control : controls) {
      const QRect r = RectOnPage(control, page);
      EXPECT_TRUE(page->rect().contains(r)) << control->objectName().toStdString() << " leaves the page";
      auto* label = qobject_cast<QLabel*>(control);
      // Captions must show whole; result boxes shorten long texts on purpose.
      if (label && !qobject_cast<TZellCustomLabel*>(label)) {
        const int needed = label->fontMetrics().horizontalAdvance(label->text().remove(QLatin1Char('&')));
        EXPECT_GE(label->contentsRect().width(), needed) << label->text().toStdString() << " is clipped";
      }
      if (auto* box = qobject_cast<TZellCustomLabel*>(control); box && box->objectName().contains("BitMap")) {
        EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->Caption()))
            << box->objectName().toStdString() << " is clipped";
      }
    }
    for (int a = 0; a < controls.size(); ++a)
      for (int b = a + 1; b < controls.size(); ++b)
        EXPECT_FALSE(RectOnPage(controls[a], page).intersects(RectOnPage(controls[b], page)))
            << controls[a]->objectName().toStdString() << " overlaps "
            << controls[b]->objectName().toStdString();
    if (!renderDir.isEmpty())
      calculator.grab().save(
          renderDir + QStringLiteral("/prefix_%1_page%2.png").arg(QLatin1String(GetParam().Name)).arg(i));
  }
}

INSTANTIATE_TEST_SUITE_P(States, PrefixLayout,
                         ::testing::Values(LayoutCase{"IPv4", "10.1.2.3/22", ""},
                                           LayoutCase{"IPv6", "2001:db8:85a3:1234:5678:8a2e:370:7334/127",
                                                      "2001:db8::/33\n2001:db8:8000::/33"},
                                           LayoutCase{"SeveralTypes", "0.0.0.0/0",
                                                      "10.0.0.0/8\nno address\n10/8\n1.2.3.4 - 1.2.3.0\n"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PrefixBitMap, NetworkAndHostBitsShowInTheirColours) {
  ApplyApplicationFont();
  struct Case {
    const char* Prefix;
    const char* Runs;  // the same for the map and the binary address
  };
  const Case cases[] = {
      {"10.1.2.3/22", "n.n.nh.h"},
      {"10.0.0.0/8", "n.h.h.h"},
      {"192.0.2.1/32", "n.n.n.n"},
      {"0.0.0.0/0", "h.h.h.h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Prefix);
    TPrefixCalculator calculator;
    TRegistryTree tree;
    TSectionedStore store(tree, SettingsRoot);
    store.WriteString("Prefix Calculator", "Prefix", c.Prefix);
    calculator.LoadPrefixSettings(store);
    calculator.resize(312, 340);
    calculator.show();
    QApplication::processEvents();
    for (const char* box : {"PrefixBitMapTextBox", "BinAddressTextBox"})
      EXPECT_EQ(ParlamineTest::BitMapColourRuns(calculator.findChild<QWidget*>(QLatin1String(box))), c.Runs)
          << box;
  }
}

}  // namespace
}  // namespace Parlamine
