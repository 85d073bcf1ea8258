// SPDX-License-Identifier: MIT
// The window under other fonts and styles, as a desktop theme gives them:
// every page of every calculator, at the window's minimum size and at a large
// one, shows every text in full and no two controls overlap. The window's own
// part (its minimum size, the inner tab bars) is checked everywhere; pages
// that still cut a text are listed in KnownCutPages until they are mended.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <map>
#include <memory>

#include "FormPosition.h"
#include "LayoutFit.h"
#include "Main.h"
#include "ParlamineApplication.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ZellGlobal.h"

using namespace Parlamine;
using ParlamineTest::TFitFailure;

namespace {

// Pages that cut a text or overlap two controls at one of the Looks or more.
// Mend a page, then take it off: a listed page that shows everything fails
// the test. PARLAMINE_FIT_REPORT=1 prints what the listed pages cut.
const QStringList KnownCutPages = {};

struct TLook {
  double Points;
  const char* Style;
};

const TLook Looks[] = {{8, "Fusion"},  {11, "Fusion"},  {16, "Fusion"},
                       {8, "Windows"}, {11, "Windows"}, {16, "Windows"}};
const QSize LargeWindow(1000, 800);
const QSize DesignedMinimum(312, 463);

void ApplyLook(const TLook& look) {
  ApplyApplicationFont();
  QFont font = QApplication::font();
  font.setPointSizeF(look.Points);
  QApplication::setFont(font);
  QApplication::setStyle(QString::fromLatin1(look.Style));
}

QString LookName(const TLook& look, const QSize& size) {
  return QStringLiteral("%1 pt %2 %3x%4")
      .arg(look.Points)
      .arg(QLatin1String(look.Style))
      .arg(size.width())
      .arg(size.height());
}

class LayoutFitTest : public ::testing::Test {
 protected:
  void SetUp() override { QFile::remove(TMainForm::SettingsFileName()); }
  void TearDown() override {
    ApplyProgramStyle();
    ApplyApplicationFont();
    QFile::remove(TMainForm::SettingsFileName());
  }

  static std::unique_ptr<TMainForm> Open() {
    auto form = std::make_unique<TMainForm>();
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }
};

// Shows every inner page of every calculator in turn; check gets the
// calculator, its page control and "Calculator / Page".
template <typename Check>
void ForEveryPage(TMainForm& form, const Check& check) {
  for (TCustomCalculator* calculator : form.Calculators()) {
    form.SelectCalculator(calculator->Info().Value);
    QTabWidget* pages = calculator->PageControl();
    for (int p = 0; p < pages->count(); ++p) {
      if (!pages->isTabVisible(p)) continue;
      pages->setCurrentIndex(p);
      QApplication::processEvents();
      check(calculator, pages,
            calculator->Info().Caption + QStringLiteral(" / ") + pages->tabText(p).remove(QLatin1Char('&')));
    }
  }
}

TEST_F(LayoutFitTest, EveryPageShowsItsTextsInFullAtEveryFontAndStyle) {
  std::map<QString, QStringList> cutByPage;
  for (const TLook& look : Looks) {
    ApplyLook(look);
    auto form = Open();
    for (const QSize size : {form->minimumSize(), LargeWindow.expandedTo(form->minimumSize())}) {
      form->resize(size);
      QApplication::processEvents();
      const QString where = LookName(look, form->size());
      ForEveryPage(*form, [&](TCustomCalculator* calculator, QTabWidget* pages, const QString& page) {
        // The window's part: every tab in sight with its whole caption.
        for (const TFitFailure& failure : ParlamineTest::TabBarFailures(pages->tabBar()))
          ADD_FAILURE() << qPrintable(page) << " at " << qPrintable(where) << ": "
                        << qPrintable(failure.ToString());
        std::vector<TFitFailure> failures = ParlamineTest::CutTexts(calculator);
        for (TFitFailure& overlap : ParlamineTest::OverlappingControls(calculator))
          failures.push_back(std::move(overlap));
        QStringList& lines = cutByPage[page];
        for (const TFitFailure& failure : failures) {
          const QString line = QStringLiteral("%1 at %2: %3").arg(page, where, failure.ToString());
          if (!lines.contains(line)) lines << line;
        }
      });
    }
  }
  const bool report = qEnvironmentVariableIntValue("PARLAMINE_FIT_REPORT") != 0;
  for (const auto& [page, lines] : cutByPage) {
    if (!KnownCutPages.contains(page)) {
      EXPECT_TRUE(lines.isEmpty()) << qPrintable(lines.join(QLatin1Char('\n')));
      continue;
    }
    EXPECT_FALSE(lines.isEmpty()) << qPrintable(page) << " shows every text now: take it off KnownCutPages";
    std::printf("Known cut page %s: %lld texts cut or controls overlapping\n", qPrintable(page),
                qlonglong(lines.size()));
    if (report)
      for (const QString& line : lines) std::printf("  %s\n", qPrintable(line));
  }
}

// A font or style chosen while the window is open: every size taken from
// the font at construction is taken again.
TEST_F(LayoutFitTest, EveryPageFollowsAFontChangedWhileTheWindowIsOpen) {
  auto form = Open();
  for (const TLook& look : {TLook{16, "Windows"}, TLook{8, "Fusion"}}) {
    ApplyLook(look);
    QApplication::processEvents();
    form->resize(form->minimumSize());
    QApplication::processEvents();
    const QString where = LookName(look, form->size());
    ForEveryPage(*form, [&](TCustomCalculator* calculator, QTabWidget*, const QString& page) {
      std::vector<TFitFailure> failures = ParlamineTest::CutTexts(calculator);
      for (TFitFailure& overlap : ParlamineTest::OverlappingControls(calculator)) failures.push_back(overlap);
      for (const TFitFailure& failure : failures)
        ADD_FAILURE() << qPrintable(page) << " at " << qPrintable(where) << ": "
                      << qPrintable(failure.ToString());
    });
  }
}

// The Prefix Calculator's longest advices, on a page at its minimum size.
TEST_F(LayoutFitTest, AMessageLineShowsItsWholeText) {
  const char* const inputs[] = {
      "10.1.2",                // the parts of an IPv4 address
      "10.0.0.0/255.0.255.0",  // a netmask whose one bits do not come first
      "2001:db8::1/64 255.255.255.0",
  };
  for (const TLook& look : {TLook{8, "Fusion"}, TLook{16, "Windows"}}) {
    ApplyLook(look);
    auto form = Open();
    form->resize(form->minimumSize());
    auto* edit = form->findChild<QLineEdit*>(QStringLiteral("PrefixEdit"));
    auto* message = form->findChild<QLabel*>(QStringLiteral("PrefixMessageLabel"));
    ASSERT_TRUE(edit && message);
    form->SelectCalculator(TCalculator::caPrefix);
    QWidget* page = edit->parentWidget();
    for (const char* input : inputs) {
      edit->setText(QString::fromLatin1(input));
      QApplication::processEvents();
      const std::string where = LookName(look, form->size()).toStdString() + " " + input;
      ASSERT_FALSE(message->text().isEmpty()) << where;
      std::vector<TFitFailure> failures = ParlamineTest::CutTexts(page);
      for (TFitFailure& overlap : ParlamineTest::OverlappingControls(page)) failures.push_back(overlap);
      for (const TFitFailure& failure : failures)
        ADD_FAILURE() << where << ": " << qPrintable(failure.ToString());
      EXPECT_EQ(message->toolTip(), message->text()) << where;
      EXPECT_EQ(message->accessibleDescription(), message->text()) << where;
    }
  }
}

// A large window gives its room to what can use it: the latency bars and
// the graph, the subnets table and the summarize boxes grow with it.
TEST_F(LayoutFitTest, ALargeWindowWidensTheGraphsAndGrowsTheLists) {
  auto form = Open();
  const char* const grown[] = {"RainbowBarA", "SubnetHostListView", "SummarizeMemo", "SummaryListView"};
  std::map<QString, QSize> atMinimum;
  for (const QSize size : {form->minimumSize(), LargeWindow}) {
    form->resize(size);
    QApplication::processEvents();
    ForEveryPage(*form, [&](TCustomCalculator* calculator, QTabWidget*, const QString& page) {
      for (const char* name : grown) {
        const auto* control = calculator->findChild<QWidget*>(QString::fromLatin1(name));
        if (!control || !control->isVisible()) continue;
        if (size == form->minimumSize()) {
          atMinimum[QString::fromLatin1(name)] = control->size();
          continue;
        }
        const QSize small = atMinimum[QString::fromLatin1(name)];
        EXPECT_GT(control->width(), small.width() + 100) << name << " on " << qPrintable(page);
        EXPECT_GT(control->height(), small.height() + 100) << name << " on " << qPrintable(page);
      }
    });
  }
  EXPECT_EQ(atMinimum.size(), std::size(grown));
}

TEST_F(LayoutFitTest, MinimumSizeFollowsAChangeOfFontOrStyle) {
  auto form = Open();
  ASSERT_EQ(form->minimumSize(), DesignedMinimum);
  for (const TLook& look : {TLook{16, "Fusion"}, TLook{11, "Windows"}, TLook{8, "Fusion"}}) {
    ApplyLook(look);
    QApplication::processEvents();
    form->resize(form->minimumSize());
    const std::string where = LookName(look, form->size()).toStdString();
    // At its new minimum the window gives every calculator the room it asks
    // for, every inner tab in sight, and the status bar its text's height.
    for (TCustomCalculator* calculator : form->Calculators()) {
      form->SelectCalculator(calculator->Info().Value);
      QApplication::processEvents();
      EXPECT_GE(calculator->width(), calculator->minimumSizeHint().width()) << where;
      EXPECT_GE(calculator->height(), calculator->minimumSizeHint().height()) << where;
      EXPECT_TRUE(ParlamineTest::TabBarFailures(calculator->PageControl()->tabBar()).empty()) << where;
    }
    EXPECT_GE(form->statusBar()->height(), form->statusBar()->sizeHint().height()) << where;
  }
  ApplyProgramStyle();
  ApplyApplicationFont();
  QApplication::processEvents();
  EXPECT_EQ(form->minimumSize(), DesignedMinimum);
}

TEST_F(LayoutFitTest, AStoredSizeSmallerThanTheFontNeedsIsEnlarged) {
  TRegistryTree tree;
  TRegValue position;
  position.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  position.Bytes = PackFormPosition({20, 30, 20 + DesignedMinimum.width(), 30 + DesignedMinimum.height()});
  tree.SetValue(SettingsRoot, "Position", position);
  SaveRegistryFile(tree, TMainForm::SettingsFileName().toStdString());
  ApplyLook({16, "Windows"});
  TMainForm form;
  EXPECT_GT(form.minimumWidth(), DesignedMinimum.width());
  EXPECT_GT(form.minimumHeight(), DesignedMinimum.height());
  EXPECT_EQ(form.size(), form.minimumSize());
  EXPECT_EQ(form.pos(), QPoint(20, 30));
}

TEST_F(LayoutFitTest, TheProgramsTabsKeepTheirRoomInProportionToTheFont) {
  const auto roomAt = [](int pixelSize) {
    QTabBar bar;
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    bar.setFont(font);
    return bar.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &bar);
  };
  EXPECT_EQ(roomAt(11), 12);  // the program's own font
  EXPECT_NEAR(roomAt(22), 2 * roomAt(11), 2);
}

// The measure itself: a text scrolled out of a scroll area's view is in
// reach, one outside a plain parent or across a direction the area does not
// scroll is cut.
TEST(LayoutFitMeasure, ATextScrolledOutOfViewIsInReachAndAClippedOneIsCut) {
  struct TCase {
    const char* Name;
    bool InScrollArea;
    Qt::ScrollBarPolicy Horizontal;
    QPoint At;  // the label's place on a 400 x 400 panel behind a 200 x 100 view
    bool Cut;
  };
  const TCase cases[] = {
      {"scrolled below the view", true, Qt::ScrollBarAlwaysOff, {0, 300}, false},
      {"below a plain parent", false, Qt::ScrollBarAlwaysOff, {0, 300}, true},
      {"right of a view that does not scroll across", true, Qt::ScrollBarAlwaysOff, {170, 0}, true},
      {"right of a view that scrolls across", true, Qt::ScrollBarAsNeeded, {170, 0}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    QWidget window;
    window.resize(200, 100);
    auto* panel = new QWidget;
    panel->resize(400, 400);
    auto* label = new QLabel(QStringLiteral("A caption"), panel);
    label->setGeometry(QRect(c.At, label->sizeHint()));
    if (c.InScrollArea) {
      auto* area = new QScrollArea(&window);
      area->setGeometry(0, 0, 200, 100);
      area->setHorizontalScrollBarPolicy(c.Horizontal);
      area->setWidget(panel);
    } else {
      panel->setParent(&window);
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(ParlamineTest::CutTexts(&window).size(), c.Cut ? 1u : 0u);
  }
}

}  // namespace
