// SPDX-License-Identifier: MIT
// The calculator at the window's minimum page size: every control inside its
// page and no two visible controls of a page overlapping. With
// PARLAMINE_RENDER_DIR set, each page is also written there as a PNG to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <string>

#include "BitMapInk.h"
#include "IPSubnetCalculator.h"
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
    if (!w->isVisibleTo(page)) continue;
    const bool leaf = qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) ||
                      qobject_cast<QCheckBox*>(w) || qobject_cast<QTableView*>(w) ||
                      qobject_cast<QToolBar*>(w) ||
                      (qobject_cast<QToolButton*>(w) && !qobject_cast<QToolBar*>(w->parentWidget()));
    if (leaf) controls.append(w);
  }
  return controls;
}

QRect RectOnPage(QWidget* w, QWidget* page) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); }

class IPSubnetLayout : public ::testing::TestWithParam<int32_t> {};

// The default class B address, and a multicast address that shows the
// Ethernet multicast row instead of the three subnet pages.
INSTANTIATE_TEST_SUITE_P(Addresses, IPSubnetLayout, ::testing::Values(-2146498043, -536870911),
                         [](const auto& info) {
                           const auto address = static_cast<uint32_t>(info.param);
                           return std::to_string(address >> 24) + "_" +
                                  std::to_string((address >> 16) & 255) + "_" +
                                  std::to_string((address >> 8) & 255) + "_" + std::to_string(address & 255);
                         });

TEST_P(IPSubnetLayout, EveryPageFitsTheMinimumSize) {
  ApplyApplicationFont();
  TIPSubnetCalculator calculator;
  TRegistryTree tree;
  TSectionedStore store(tree, SettingsRoot);
  store.WriteInteger("IP Subnet Calculator", "IPAddress", GetParam());
  calculator.SetLoading(true);
  calculator.LoadIPSubnetSettings(store);
  calculator.SetLoading(false);
  calculator.resize(312, 340);
  calculator.show();
  EXPECT_LE(calculator.minimumSizeHint().width(), 312) << "the four page tabs must fit side by side";
  EXPECT_EQ(calculator.width(), 312);
  auto* pages = calculator.findChild<QTabWidget*>(QStringLiteral("IPSubnetPageControl"));
  ASSERT_NE(pages, nullptr);
  const QString renderDir = qEnvironmentVariable("PARLAMINE_RENDER_DIR");
  for (int i = 0; i < pages->count(); ++i) {
    if (!pages->isTabVisible(i)) continue;
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    QWidget* page = pages->widget(i);
    SCOPED_TRACE(page->objectName().toStdString());
    const QList<QWidget*> controls = LeafControls(page);
    for (QWidget* control : controls) {
      const QRect r = RectOnPage(control, page);
      EXPECT_TRUE(page->rect().contains(r)) << control->objectName().toStdString() << " leaves the page";
      if (auto* label = qobject_cast<QLabel*>(control)) {
        const int needed = label->fontMetrics().horizontalAdvance(label->text().remove(QLatin1Char('&')));
        EXPECT_GE(label->contentsRect().width(), needed) << label->text().toStdString() << " is clipped";
      }
    }
    for (int a = 0; a < controls.size(); ++a)
      for (int b = a + 1; b < controls.size(); ++b)
        EXPECT_FALSE(RectOnPage(controls[a], page).intersects(RectOnPage(controls[b], page)))
            << controls[a]->objectName().toStdString() << " overlaps "
            << controls[b]->objectName().toStdString();
    if (!renderDir.isEmpty())
      calculator.grab().save(renderDir + QStringLiteral("/ipsubnet_%1_page%2.png").arg(GetParam()).arg(i));
  }
}

TEST(IPSubnetBitMaps, EveryBitShowsInTheColourOfItsRole) {
  ApplyApplicationFont();
  struct Case {
    int32_t Address;
    const char* Control;
    const char* Runs;
  };
  const Case cases[] = {
      // Class A: eight network characters, host bits after the first dot.
      {0x0A010203, "ClassBitMapTextBox", "n.h.h.h"},
      {0x0A010203, "BinAddressTextBox", "n.h.h.h"},
      {0x0A010203, "ClassBitMapLabel", ".n.h."},
      // Multicast: the prefix in network colour, then only group bits, also
      // in the binary address, which follows the class map.
      {-285146621 /* 239.1.2.3 */, "ClassBitMapTextBox", "ng.g.g.g"},
      {-285146621, "BinAddressTextBox", "ng.g.g.g"},
      {-285146621, "ClassBitMapLabel", ".g."},
      // Class B with the stored default of 8 subnet bits.
      {-2146498043 /* 128.15.10.5 */, "SubnetBitMapTextBox", "n.n.s.h"},
      {-2146498043, "SubnetBitMapLabel", ".n.s.h."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Control);
    SCOPED_TRACE(c.Address);
    TIPSubnetCalculator calculator;
    TRegistryTree tree;
    TSectionedStore store(tree, SettingsRoot);
    store.WriteInteger("IP Subnet Calculator", "IPAddress", c.Address);
    calculator.SetLoading(true);
    calculator.LoadIPSubnetSettings(store);
    calculator.SetLoading(false);
    calculator.resize(312, 340);
    auto* pages = calculator.findChild<QTabWidget*>(QStringLiteral("IPSubnetPageControl"));
    QWidget* control = calculator.findChild<QWidget*>(QLatin1String(c.Control));
    ASSERT_NE(control, nullptr);
    pages->setCurrentWidget(control->parentWidget()->parentWidget());
    calculator.show();
    QApplication::processEvents();
    EXPECT_EQ(ParlamineTest::BitMapColourRuns(control), c.Runs);
  }
}

}  // namespace
}  // namespace Parlamine
