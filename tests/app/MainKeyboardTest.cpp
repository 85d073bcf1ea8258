// SPDX-License-Identifier: MIT
// The main window with the keyboard alone: where the focus starts, Tab
// cycling through the shown calculator, Ctrl+Tab on its inner pages, the
// access keys and the keys that open the menu bar.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <set>

#include "FormPosition.h"
#include "Main.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ZellIPEdit.h"

using namespace Parlamine;

namespace {

class MainKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { QFile::remove(TMainForm::SettingsFileName()); }
  void TearDown() override { QFile::remove(TMainForm::SettingsFileName()); }

  static std::unique_ptr<TMainForm> OpenActive() {
    auto form = std::make_unique<TMainForm>();
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
  }
  // The focused control's name; an unnamed one (a radio item) goes by its group's.
  static QString FocusName() {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus) return QStringLiteral("<none>");
    if (focus->objectName().isEmpty() && focus->parentWidget()) return focus->parentWidget()->objectName();
    return focus->objectName();
  }
  static QWidget* Page(TMainForm& form) {
    return form.findChild<QTabWidget*>(QStringLiteral("MainPageControl"))->currentWidget();
  }
  static QTabWidget* Inner(TMainForm& form, const char* name) {
    return form.findChild<QTabWidget*>(QLatin1String(name));
  }
  // Presses Tab (or Shift+Tab) `count` times and gathers the controls that had
  // the focus on the way.
  static std::vector<QWidget*> TabThrough(int count, bool backwards = false) {
    std::vector<QWidget*> visited;
    for (int i = 0; i < count; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                      backwards ? Qt::ShiftModifier : Qt::NoModifier);
      visited.push_back(QApplication::focusWidget());
    }
    return visited;
  }
};

struct FirstControlCase {
  Qt::Key Key;
  const char* Focus;
};

class FirstControl : public MainKeyboardTest, public ::testing::WithParamInterface<FirstControlCase> {};

TEST_P(FirstControl, GetsTheFocusWhenTheCalculatorChanges) {
  auto form = OpenActive();
  EXPECT_EQ(FocusName(), QStringLiteral("IPFieldEdit0")) << "at start";
  QTest::keyClick(QApplication::focusWidget(), GetParam().Key, Qt::ControlModifier);
  EXPECT_EQ(FocusName(), QLatin1String(GetParam().Focus));
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, FirstControl,
    ::testing::Values(FirstControlCase{Qt::Key_H, "NumberWidthGroup"},
                      FirstControlCase{Qt::Key_L, "NewNetworkButton"},
                      FirstControlCase{Qt::Key_P, "PrefixEdit"}, FirstControlCase{Qt::Key_I, "IPFieldEdit0"}),
    [](const auto& info) {
      return QKeySequence(Qt::ControlModifier | info.param.Key).toString().remove('+').toStdString() + "_" +
             info.param.Focus;
    });

TEST_F(MainKeyboardTest, TypingAtStartReplacesTheFirstRunAddress) {
  auto form = OpenActive();
  auto* edit = form->findChild<TIPEdit*>(QStringLiteral("IPAddressEdit"));
  ASSERT_EQ(edit->AddressString(), QStringLiteral("128.15.10.5"));
  // Each key to the control that has the focus then, as a keyboard sends it.
  for (const QChar digit : QStringLiteral("192168001077"))
    QTest::keyClick(QApplication::focusWidget(), digit.toLatin1());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(edit->AddressString(), QStringLiteral("192.168.1.77"));
  // Back from another calculator, the first octet is ready to be typed over again.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(edit->AddressString(), QStringLiteral("10.168.1.77"));
}

TEST_F(MainKeyboardTest, MenuAndStoredCalculatorFocusTheFirstControlToo) {
  {
    auto form = OpenActive();
    form->findChild<QAction*>(QStringLiteral("CalculatorLatencyItem"))->trigger();
    EXPECT_EQ(FocusName(), QStringLiteral("NewNetworkButton"));
    // The same calculator again leaves the focus where the user put it.
    Inner(*form, "LatencyPageControl")->tabBar()->setFocus();
    form->SelectCalculator(TCalculator::caLatency);
    EXPECT_EQ(FocusName(), QStringLiteral("qt_tabwidget_tabbar"));
  }
  auto form = OpenActive();  // restarted on the stored Latency Calculator
  EXPECT_EQ(FocusName(), QStringLiteral("NewNetworkButton"));
}

TEST_F(MainKeyboardTest, RestartOnTheStoredPrefixCalculatorFocusesItsEntry) {
  {
    auto form = OpenActive();
    form->findChild<QAction*>(QStringLiteral("CalculatorPrefixItem"))->trigger();
    EXPECT_EQ(FocusName(), QStringLiteral("PrefixEdit"));
  }
  auto form = OpenActive();
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caPrefix);
  EXPECT_EQ(FocusName(), QStringLiteral("PrefixEdit"));
}

TEST_F(MainKeyboardTest, TabCyclesThroughTheShownCalculatorOnly) {
  // The Prefix Calculator's first page: its entry line, its twelve results
  // (read-only fields, reached to be copied from) and its page tabs.
  const std::pair<TCalculator, size_t> calculators[] = {{TCalculator::caIPSubnet, 4},
                                                        {TCalculator::caRadixer, 4},
                                                        {TCalculator::caLatency, 4},
                                                        {TCalculator::caPrefix, 14}};
  for (const auto& [calculator, stops] : calculators) {
    auto form = OpenActive();
    form->SelectCalculator(calculator);
    QWidget* page = Page(*form);
    QWidget* first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    for (bool backwards : {false, true}) {
      std::set<QWidget*> seen;
      bool cameBack = false;
      for (QWidget* w : TabThrough(40, backwards)) {
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(page->isAncestorOf(w)) << qPrintable(w->objectName()) << " is not on the shown page";
        EXPECT_NE(w->objectName(), QStringLiteral("MainPageControl"));
        cameBack = cameBack || w == first;
        seen.insert(w);
      }
      EXPECT_TRUE(cameBack) << "Tab goes round, calculator " << static_cast<int>(calculator);
      EXPECT_GE(seen.size(), stops) << "Tab moves, calculator " << static_cast<int>(calculator);
    }
    EXPECT_EQ(form->findChild<QTabWidget*>(QStringLiteral("MainPageControl"))->focusPolicy(), Qt::NoFocus);
  }
}

TEST_F(MainKeyboardTest, TabReachesTheInnerPageTabs) {
  auto form = OpenActive();
  QTabBar* tabs = Inner(*form, "IPSubnetPageControl")->tabBar();
  bool reached = false;
  for (QWidget* w : TabThrough(6)) reached = reached || w == tabs;
  EXPECT_TRUE(reached);
}

struct InnerPageKeyCase {
  Qt::Key Key;
  Qt::KeyboardModifiers Modifiers;
  int Expected;  // inner page after one press from page 0
};

class InnerPageKey : public MainKeyboardTest, public ::testing::WithParamInterface<InnerPageKeyCase> {};

TEST_P(InnerPageKey, ChangesTheInnerPageNeverTheCalculator) {
  auto form = OpenActive();
  QTabWidget* inner = Inner(*form, "IPSubnetPageControl");
  inner->setCurrentIndex(0);
  ASSERT_EQ(FocusName(), QStringLiteral("IPFieldEdit0"));
  QTest::keyClick(QApplication::focusWidget(), GetParam().Key, GetParam().Modifiers);
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caIPSubnet);
  EXPECT_EQ(Page(*form)->objectName(), QStringLiteral("IPSubnetTabSheet"));
  EXPECT_EQ(inner->currentIndex(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InnerPageKey,
    ::testing::Values(InnerPageKeyCase{Qt::Key_Tab, Qt::ControlModifier, 1},
                      InnerPageKeyCase{Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 3},
                      InnerPageKeyCase{Qt::Key_PageDown, Qt::ControlModifier, 1},
                      InnerPageKeyCase{Qt::Key_PageUp, Qt::ControlModifier, 3}),
    [](const auto& info) {
      return QKeySequence(info.param.Modifiers | info.param.Key).toString().remove('+').toStdString();
    });

TEST_F(MainKeyboardTest, CtrlTabSkipsTheTabsHiddenForAClassDAddress) {
  auto form = OpenActive();
  QTabWidget* inner = Inner(*form, "IPSubnetPageControl");
  auto* type = form->findChild<QComboBox*>(QStringLiteral("AddressTypeComboBox"));
  type->setCurrentIndex(3);
  emit type->activated(3);
  ASSERT_FALSE(inner->isTabVisible(1));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(inner->currentIndex(), 0);
}

struct AccessKeyCase {
  TCalculator Calculator;
  const char* InnerPages;
  int InnerPage;
  Qt::Key Letter;
  const char* Focus;  // after each of two presses; empty: the menu opens
  const char* Menu;
};

class AccessKey : public MainKeyboardTest, public ::testing::WithParamInterface<AccessKeyCase> {};

TEST_P(AccessKey, DoesTheSameThingEveryTime) {
  const AccessKeyCase& c = GetParam();
  auto form = OpenActive();
  form->SelectCalculator(c.Calculator);
  Inner(*form, c.InnerPages)->setCurrentIndex(c.InnerPage);
  QMenuBar* bar = form->menuBar();
  // A page's access key is pressed three times; a menu's is checked once.
  const int presses = *c.Focus ? 3 : 1;
  for (int press = 0; press < presses; ++press) {
    QTest::keyClick(QApplication::focusWidget(), c.Letter, Qt::AltModifier);
    if (*c.Focus) {
      EXPECT_EQ(FocusName(), QLatin1String(c.Focus)) << "press " << press;
      EXPECT_EQ(bar->activeAction(), nullptr) << "press " << press;
    } else {
      ASSERT_NE(bar->activeAction(), nullptr) << "press " << press;
      EXPECT_EQ(bar->activeAction()->menu()->objectName(), QLatin1String(c.Menu)) << "press " << press;
      // Escape closes the menu, a second Escape leaves the menu bar.
      QTest::keyClick(bar->activeAction()->menu(), Qt::Key_Escape);
      if (QApplication::focusWidget() == bar) QTest::keyClick(bar, Qt::Key_Escape);
      EXPECT_NE(QApplication::focusWidget(), bar);
    }
    QApplication::processEvents();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Letters, AccessKey,
    ::testing::Values(
        AccessKeyCase{TCalculator::caRadixer, "RadixerPageControl", 0, Qt::Key_H, "HexNumberEdit", ""},
        AccessKeyCase{TCalculator::caRadixer, "RadixerPageControl", 0, Qt::Key_O, "OctNumberEdit", ""},
        AccessKeyCase{TCalculator::caRadixer, "RadixerPageControl", 3, Qt::Key_O, "OUINumberEdit", ""},
        AccessKeyCase{TCalculator::caIPSubnet, "IPSubnetPageControl", 1, Qt::Key_H, "SubnetHostCountComboBox",
                      ""},
        AccessKeyCase{TCalculator::caIPSubnet, "IPSubnetPageControl", 0, Qt::Key_H, "", "HelpMenu"},
        AccessKeyCase{TCalculator::caIPSubnet, "IPSubnetPageControl", 0, Qt::Key_O, "", "OptionsMenu"},
        AccessKeyCase{TCalculator::caRadixer, "RadixerPageControl", 1, Qt::Key_O, "", "OptionsMenu"}),
    [](const auto& info) {
      const AccessKeyCase& c = info.param;
      return QKeySequence(Qt::AltModifier | c.Letter).toString().remove('+').toStdString() + "_" +
             c.InnerPages + std::to_string(c.InnerPage) + "_" + (*c.Focus ? c.Focus : c.Menu);
    });

TEST_F(MainKeyboardTest, F10OpensTheMenuBarFromAnyControl) {
  auto form = OpenActive();
  form->SelectCalculator(TCalculator::caRadixer);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
  ASSERT_NE(form->menuBar()->activeAction(), nullptr);
  EXPECT_EQ(form->menuBar()->activeAction()->menu()->objectName(), QStringLiteral("FileMenu"));
  form->menuBar()->activeAction()->menu()->hide();
}

TEST_F(MainKeyboardTest, StoredHugeWindowKeepsItsWholeFrameOnTheScreen) {
  TRegistryTree tree;
  TRegValue position;
  position.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  position.Bytes = PackFormPosition({0, 0, 3000, 3000});
  tree.SetValue(SettingsRoot, "Position", position);
  SaveRegistryFile(tree, TMainForm::SettingsFileName().toStdString());
  auto form = OpenActive();
  QApplication::processEvents();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  ASSERT_NE(form->frameGeometry(), form->geometry()) << "the platform gives the window a frame";
  EXPECT_TRUE(screen.contains(form->frameGeometry()))
      << form->frameGeometry().width() << "x" << form->frameGeometry().height() << " on " << screen.width()
      << "x" << screen.height();
}

TEST_F(MainKeyboardTest, ScreenReadersHearTheHintOfEveryPictureButton) {
  auto form = OpenActive();
  int checked = 0;
  for (QToolButton* button : form->findChildren<QToolButton*>()) {
    const QString name = button->objectName();
    const bool picture =
        name.endsWith(QLatin1String("ClipboardButton")) || name.endsWith(QLatin1String("ToolButton")) ||
        name.startsWith(QLatin1String("MoveNetwork")) || name == QLatin1String("CopyNetworkSetupButton");
    if (!picture || button->toolTip().isEmpty()) continue;
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(told->text(QAccessible::Name), button->toolTip()) << qPrintable(name);
    ++checked;
  }
  EXPECT_GE(checked, 15);
  // Copy buttons beside number fields stay out of the tab order.
  EXPECT_EQ(form->findChild<QToolButton*>(QStringLiteral("HexClipboardButton"))->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainKeyboardTest, CtrlPSwitchesToThePrefixCalculatorFromEveryKindOfControl) {
  // The statistics grid takes Ctrl+P as its (empty) paste when alone; in the
  // window the menu's key comes first, as it does for the other calculators'.
  const struct {
    TCalculator From;
    int InnerPage;
    const char* Control;
  } cases[] = {
      {TCalculator::caIPSubnet, 0, "IPFieldEdit0"},
      {TCalculator::caLatency, 1, "LatencyStatsStringGrid"},
      {TCalculator::caRadixer, 0, "DecNumberEdit"},
  };
  for (const auto& c : cases) {
    auto form = OpenActive();
    form->SelectCalculator(c.From);
    Page(*form)->findChild<QTabWidget*>()->setCurrentIndex(c.InnerPage);
    auto* control = form->findChild<QWidget*>(QLatin1String(c.Control));
    ASSERT_NE(control, nullptr) << c.Control;
    control->setFocus();
    ASSERT_EQ(FocusName(), QLatin1String(c.Control));
    QTest::keyClick(control, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(form->CurrentCalculator(), TCalculator::caPrefix) << c.Control;
    EXPECT_EQ(Page(*form)->objectName(), QStringLiteral("PrefixTabSheet")) << c.Control;
    EXPECT_EQ(FocusName(), QStringLiteral("PrefixEdit")) << c.Control;
  }
}

}  // namespace
