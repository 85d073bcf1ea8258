// SPDX-License-Identifier: MIT
// The calculator at the window's minimum page size: every control inside its
// page and no two visible controls of a page overlapping. With
// PARLAMINE_RENDER_DIR set, each page is also written there as a PNG to look at.
#include "IPSubnetCalculator.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ZellGlobal.h"
#include "ZellLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>

namespace Parlamine {
namespace {

// The controls a user reads or operates, as laid out on a page.
QList<QWidget*> LeafControls(QWidget* page) {
  QList<QWidget*> controls;
  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(page)) continue;
    const bool leaf = qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) ||
                      qobject_cast<QTableView*>(w) || qobject_cast<QToolBar*>(w) ||
                      (qobject_cast<QToolButton*>(w) && !qobject_cast<QToolBar*>(w->parentWidget()));
    if (leaf) controls.append(w);
  }
  return controls;
}

QRect RectOnPage(QWidget* w, QWidget* page) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); }

class IPSubnetLayout : public ::testing::TestWithParam<int32_t> {};

// The default class B address, and a multicast address that shows the
// Ethernet multicast row instead of the three subnet pages.
INSTANTIATE_TEST_SUITE_P(Addresses, IPSubnetLayout, ::testing::Values(-2146498043, -536870911));

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
            << controls[a]->objectName().toStdString() << " overlaps " << controls[b]->objectName().toStdString();
    if (!renderDir.isEmpty()) calculator.grab().save(renderDir + QStringLiteral("/ipsubnet_%1_page%2.png").arg(GetParam()).arg(i));
  }
}


// The colour roles of the bit maps, and the text colour of separators and
// legend words, told apart on the drawn pixels.
char RoleOf(QRgb pixel) {
  struct Role {
    char Letter;
    QColor Colour;
  };
  const Role roles[] = {{'n', QColor(0, 0, 128)}, {'s', QColor(128, 0, 0)}, {'h', QColor(0, 128, 0)},
                        {'g', QColor(128, 0, 128)}, {'.', QColor(0, 0, 0)}};
  const QColor c(pixel);
  // Only the solid core of a glyph: anti-aliased rims blend with the
  // background and would read as another colour.
  if (std::min({c.red(), c.green(), c.blue()}) > 40) return 0;
  char best = 0;
  int bestDistance = 60 * 60;
  for (const Role& role : roles) {
    const int dr = c.red() - role.Colour.red(), dg = c.green() - role.Colour.green(),
              db = c.blue() - role.Colour.blue();
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = role.Letter;
    }
  }
  return best;
}

// The sequence of colour runs a control shows from left to right, one letter
// per run ("n.h" is network-coloured ink, then separator ink, then host ink).
std::string ColourRuns(QWidget* control) {
  const QImage image = control->grab().toImage();
  std::string runs;
  for (int x = 3; x < image.width() - 3; ++x) {
    char column = 0;
    for (int y = 2; y < image.height() - 2 && !column; ++y) column = RoleOf(image.pixel(x, y));
    if (column && (runs.empty() || runs.back() != column)) runs.push_back(column);
  }
  return runs;
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
    EXPECT_EQ(ColourRuns(control), c.Runs);
  }
}

}  // namespace
}  // namespace Parlamine
