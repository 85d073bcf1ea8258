// SPDX-License-Identifier: MIT
// Every registered calculator, walked through the real window: it has its
// menu item and key, its logo and description in the banner, the focus when
// it is shown, and its settings come back after a restart.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <set>

#include "CalculatorList.h"
#include "CalculatorTop.h"
#include "Main.h"
#include "SettingsStore.h"

using namespace Parlamine;

namespace {

class CalculatorListTest : public ::testing::Test {
 protected:
  void SetUp() override { QFile::remove(TMainForm::SettingsFileName()); }
  void TearDown() override { QFile::remove(TMainForm::SettingsFileName()); }

  static std::unique_ptr<TMainForm> Open() {
    auto form = std::make_unique<TMainForm>();
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }
};

TEST_F(CalculatorListTest, EveryCalculatorHasItsMenuItemLogoAndFocus) {
  auto form = Open();
  auto* menu = form->findChild<QMenu*>(QStringLiteral("CalculatorMenu"));
  auto* banner = form->findChild<TCalculatorTopFrame*>();
  ASSERT_TRUE(menu && banner);
  ASSERT_EQ(form->Calculators().size(), RegisteredCalculators().size());
  std::set<int> shortcuts;
  std::set<qint64> logos;
  for (TCustomCalculator* calculator : form->Calculators()) {
    const TCalculatorInfo& info = calculator->Info();
    SCOPED_TRACE(info.Name().toStdString());
    auto* item = form->findChild<QAction*>(info.MenuItemName());
    ASSERT_TRUE(item);
    EXPECT_TRUE(menu->actions().contains(item));
    EXPECT_EQ(item->text(), info.MenuCaption());
    EXPECT_TRUE(shortcuts.insert(info.Shortcut[0].toCombined()).second) << "shortcuts are unique";
    EXPECT_TRUE(info.Description.startsWith(QStringLiteral("The ") + info.Name()));
    const QPixmap logo = QIcon(info.Logo).pixmap(QSize(LogoWidth, LogoHeight));
    ASSERT_FALSE(logo.isNull()) << info.Logo.toStdString();
    EXPECT_TRUE(logos.insert(logo.toImage().cacheKey()).second);

    // Switched to with its key from wherever the focus is.
    QTest::keyClick(QApplication::focusWidget(), info.Shortcut[0].key(),
                    info.Shortcut[0].keyboardModifiers());
    EXPECT_EQ(form->CurrentCalculator(), info.Value);
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(calculator->isVisible());
    EXPECT_EQ(banner->Calculator(), info.Value);
    EXPECT_EQ(banner->findChild<QWidget*>(QStringLiteral("LogoCanvasPanel"))->accessibleName(), info.Name());
    ASSERT_TRUE(calculator->FocusControl());
    EXPECT_EQ(QApplication::focusWidget(), calculator->FocusControl());
  }
}

// Each calculator is shown on its second inner page before the window
// closes: after a restart every one is back there, and what the second window
// saves is what the first one did.
TEST_F(CalculatorListTest, EveryCalculatorsSettingsSurviveARestart) {
  std::string saved;
  {
    auto form = Open();
    for (TCustomCalculator* calculator : form->Calculators()) {
      ASSERT_TRUE(calculator->PageControl()) << calculator->Info().Name().toStdString();
      calculator->PageControl()->setCurrentIndex(1);
    }
    form.reset();
    saved = LoadRegistryFile(TMainForm::SettingsFileName().toStdString()).ToRegText();
  }
  auto form = Open();
  for (TCustomCalculator* calculator : form->Calculators()) {
    EXPECT_EQ(calculator->PageControl()->currentIndex(), 1) << calculator->Info().Name().toStdString();
    EXPECT_NE(saved.find("[HKEY_CURRENT_USER\\" + std::string(SettingsRoot) + "\\" +
                         calculator->Info().Name().toStdString() + "]"),
              std::string::npos)
        << "a section of its own: " << calculator->Info().Name().toStdString();
  }
  form.reset();
  EXPECT_EQ(LoadRegistryFile(TMainForm::SettingsFileName().toStdString()).ToRegText(), saved);
}

}  // namespace
