// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellSpinEdit.h"

using namespace Parlamine;

namespace {

class SpinEditTest : public ::testing::Test {
 protected:
  QWidget Window;
  TBetterSpinEdit* Edit = new TBetterSpinEdit(&Window);
  QSignalSpy Changes{Edit, &TBetterSpinEdit::OnChange};

  void SetUp() override { Window.show(); }
  void Leave() {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Edit, &out);
  }
  void Retype(const QString& text) {
    Edit->selectAll();
    QTest::keyClicks(Edit, text);
  }
};

struct KeyCase {
  const char* Name;
  std::int32_t Min;
  std::int32_t Max;
  std::int32_t Start;
  Qt::Key Key;
  std::int32_t Expected;
};

class SpinEditKeyTest : public SpinEditTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SpinEditKeyTest, StepsWithinTheLimits) {
  const KeyCase& c = GetParam();
  Edit->SetMinValue(c.Min);
  Edit->SetMaxValue(c.Max);
  Edit->SetValue(c.Start);
  Changes.clear();
  QTest::keyClick(Edit, c.Key);
  EXPECT_EQ(Edit->Value(), c.Expected);
  EXPECT_EQ(Edit->text(), QString::number(c.Expected));
  EXPECT_EQ(Changes.count(), c.Expected == c.Start ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, SpinEditKeyTest,
                         ::testing::Values(KeyCase{"PageUpStopsAtMax", 0, 100, 95, Qt::Key_PageUp, 100},
                                           KeyCase{"UpAtMaxStaysWithoutChange", 0, 100, 100, Qt::Key_Up, 100},
                                           KeyCase{"DownAtMinStays", 0, 100, 0, Qt::Key_Down, 0},
                                           KeyCase{"PageDown", 0, 100, 50, Qt::Key_PageDown, 40},
                                           KeyCase{"EqualLimitsMeanNone", 0, 0, 0, Qt::Key_PageDown, -10},
                                           KeyCase{"NoLimitTopOfRange", 0, 0, INT32_MAX, Qt::Key_Up,
                                                   INT32_MAX}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct CommitCase {
  const char* Name;
  const char* Typed;
  bool ByEnter;  // else by leaving the field
  std::int32_t Expected;
};

class SpinEditCommitTest : public SpinEditTest, public ::testing::WithParamInterface<CommitCase> {};

TEST_P(SpinEditCommitTest, TypedTextCountsOnlyWhenCommitted) {
  const CommitCase& c = GetParam();
  Edit->SetMaxValue(100);
  Edit->SetValue(7);
  Changes.clear();
  Retype(QString::fromUtf8(c.Typed));
  EXPECT_EQ(Edit->Value(), 7);
  EXPECT_EQ(Changes.count(), 0);
  if (c.ByEnter)
    QTest::keyClick(Edit, Qt::Key_Return);
  else
    Leave();
  EXPECT_EQ(Edit->Value(), c.Expected);
  EXPECT_EQ(Edit->text(), QString::number(c.Expected));
  EXPECT_EQ(Changes.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Commits, SpinEditCommitTest,
                         ::testing::Values(CommitCase{"DashInsideIsDropped", "5-0", true, 50},
                                           CommitCase{"LoneDashIsZero", "-", true, 0},
                                           CommitCase{"AboveMaxIsLimitedOnLeaving", "999", false, 100},
                                           CommitCase{"LettersAreNotTyped", "4x2", true, 42}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SpinEditTest, TypingAStepAppliesTheTypedNumberFirst) {
  Edit->SetMaxValue(100);
  Retype(QStringLiteral("60"));
  QTest::keyClick(Edit, Qt::Key_Up);
  EXPECT_EQ(Edit->Value(), 61);
}

TEST_F(SpinEditTest, ContextMenuOpeningDoesNotCommit) {
  Retype(QStringLiteral("60"));
  Edit->selectAll();
  QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
  QCoreApplication::sendEvent(Edit, &out);
  EXPECT_EQ(Edit->Value(), 0);
  EXPECT_EQ(Edit->selectedText(), QStringLiteral("60"));
}

TEST_F(SpinEditTest, PressingAButtonFocusesTheFieldWithoutSelecting) {
  auto* other = new QLineEdit(&Window);
  other->move(0, 40);
  other->show();
  Window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  other->setFocus();
  ASSERT_TRUE(other->hasFocus());
  QTest::mousePress(Edit->SpinButton()->UpButton(), Qt::LeftButton);
  EXPECT_TRUE(Edit->hasFocus());
  EXPECT_FALSE(Edit->hasSelectedText());
  QTest::mouseRelease(Edit->SpinButton()->UpButton(), Qt::LeftButton);
  EXPECT_EQ(Edit->Value(), 1);
}

TEST_F(SpinEditTest, RefusedCharactersBeep) {
  ParlamineTest::TBeepCounter beeps;
  Retype(QStringLiteral("1+2"));
  EXPECT_EQ(Edit->text(), QStringLiteral("12"));
  EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(SpinEditTest, WithoutEditorDigitsAreRefusedButStepsWork) {
  Edit->SetEditorEnabled(false);
  ParlamineTest::TBeepCounter beeps;
  QTest::keyClick(Edit, Qt::Key_End);
  QTest::keyClick(Edit, Qt::Key_5);
  QTest::keyClick(Edit, Qt::Key_Backspace);
  QTest::keyClick(Edit, Qt::Key_Delete);
  EXPECT_EQ(Edit->text(), QStringLiteral("0"));
  EXPECT_EQ(beeps.Count(), 2);

  QApplication::clipboard()->setText(QStringLiteral("77"));
  Edit->selectAll();
  EXPECT_TRUE(SendClipboardRequest(Edit, TClipboardRequest::crPaste));
  EXPECT_TRUE(SendClipboardRequest(Edit, TClipboardRequest::crCut));
  EXPECT_EQ(Edit->text(), QStringLiteral("0"));

  QTest::mouseClick(Edit->SpinButton()->UpButton(), Qt::LeftButton);
  QTest::keyClick(Edit, Qt::Key_Up);
  EXPECT_EQ(Edit->Value(), 2);
}

TEST_F(SpinEditTest, WithoutEditorTheContextMenuOffersOnlyCopying) {
  Edit->SetEditorEnabled(false);
  QApplication::clipboard()->setText(QStringLiteral("77"));
  Edit->selectAll();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2), Edit->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(Edit, &request);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  struct Item {
    TStandardMenuItem Which;
    bool Enabled;
  };
  for (const Item item : {Item{TStandardMenuItem::smCut, false}, Item{TStandardMenuItem::smPaste, false},
                          Item{TStandardMenuItem::smDelete, false}, Item{TStandardMenuItem::smCopy, true}}) {
    QAction* action = StandardMenuAction(menu, item.Which);
    ASSERT_NE(action, nullptr) << static_cast<int>(item.Which);
    EXPECT_EQ(action->isEnabled(), item.Enabled) << static_cast<int>(item.Which);
  }
  menu->close();
}

// The X11 primary selection; platforms without one (offscreen) have no
// middle-button paste to refuse.
TEST_F(SpinEditTest, MiddleButtonPastesTheSelectionOnlyWithTheEditor) {
  if (!QApplication::clipboard()->supportsSelection()) GTEST_SKIP() << "no selection on this platform";
  QApplication::clipboard()->setText(QStringLiteral("77"), QClipboard::Selection);
  for (const bool editor : {false, true}) {
    SCOPED_TRACE(editor);
    Edit->SetEditorEnabled(editor);
    Edit->SetValue(0);
    QTest::mouseClick(Edit, Qt::MiddleButton, Qt::NoModifier, QPoint(4, Edit->height() / 2));
    EXPECT_EQ(Edit->text(), editor ? QStringLiteral("770") : QStringLiteral("0"));
  }
}

TEST_F(SpinEditTest, TheEditMenuOffersChangesOnlyWithTheEditor) {
  QApplication::clipboard()->setText(QStringLiteral("77"));
  for (const bool editor : {false, true}) {
    Edit->SetEditorEnabled(editor);
    Edit->selectAll();
    EXPECT_TRUE(CanCarryOut(Edit, TClipboardRequest::crCopy)) << editor;
    for (TClipboardRequest request :
         {TClipboardRequest::crPaste, TClipboardRequest::crCut, TClipboardRequest::crClear})
      EXPECT_EQ(CanCarryOut(Edit, request), editor) << editor << " " << static_cast<int>(request);
  }
}

TEST_F(SpinEditTest, WithEditorPasteIsCarriedOut) {
  QApplication::clipboard()->setText(QStringLiteral("77"));
  Edit->selectAll();
  EXPECT_TRUE(SendClipboardRequest(Edit, TClipboardRequest::crPaste));
  EXPECT_EQ(Edit->text(), QStringLiteral("77"));
}

TEST_F(SpinEditTest, ReadOnlyFieldBeepsButStillRaisesItsEvents) {
  Edit->setReadOnly(true);
  ParlamineTest::TBeepCounter beeps;
  QSignalSpy clicking(Edit, &TBetterSpinEdit::OnUpClicking);
  QSignalSpy clicked(Edit, &TBetterSpinEdit::OnUpClick);
  QTest::keyClick(Edit, Qt::Key_PageUp);
  EXPECT_EQ(Edit->Value(), 0);
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_EQ(clicking.count(), 1);
  EXPECT_EQ(clicked.count(), 1);
}

TEST_F(SpinEditTest, InfinityShowsTheSignAndFreezesTheValue) {
  Edit->SetValue(5);
  Edit->SetInfinity(true);
  EXPECT_EQ(Edit->text(), QString(QChar(0x221E)));
  const QString family = Edit->font().family();
  QSignalSpy clicked(Edit, &TBetterSpinEdit::OnDownClick);
  QTest::keyClick(Edit, Qt::Key_Down);
  Edit->SetMaxValue(3);
  QTest::keyClick(Edit, Qt::Key_Return);
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_EQ(Edit->Value(), 5);
  EXPECT_EQ(Edit->text(), QString(QChar(0x221E)));
  EXPECT_EQ(Edit->font().family(), family);

  Edit->SetInfinity(false);
  EXPECT_EQ(Edit->text(), QStringLiteral("5"));
}

TEST_F(SpinEditTest, NarrowFieldIsWidened) {
  Edit->resize(20, 30);
  EXPECT_EQ(Edit->width(), SpinEditMinWidth);
  EXPECT_EQ(Edit->height(), 30);
}

TEST_F(SpinEditTest, ButtonStaysInsideTheFieldAtItsRightEnd) {
  Edit->resize(80, 24);
  const QRect button = Edit->SpinButton()->geometry();
  EXPECT_TRUE(Edit->rect().contains(button));
  EXPECT_GE(button.right(), 80 - 4);
  EXPECT_EQ(button.width(), 15);
}

TEST_F(SpinEditTest, HeldButtonRepeatsAt400ThenEvery100Ms) {
  TTimerSpeedButton* up = Edit->SpinButton()->UpButton();
  QTest::mousePress(up, Qt::LeftButton);
  QTimer* timer = up->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), TTimerSpeedButton::FirstRepeatDelayMs);
  // A coarse timer may fire 5 % early or late, which loses or adds a step in a second.
  EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
  EXPECT_EQ(Edit->Value(), 0);
  // One second held: ticks at 400, 500, ... 1000 ms.
  for (int tick = 0; tick < 7; ++tick) up->RepeatTimerExpired();
  EXPECT_EQ(timer->interval(), TTimerSpeedButton::RepeatIntervalMs);
  EXPECT_EQ(Edit->Value(), 7);
  QTest::mouseRelease(up, Qt::LeftButton);
  EXPECT_EQ(Edit->Value(), 8);
  EXPECT_FALSE(timer->isActive());
}

TEST_F(SpinEditTest, HeldButtonDoesNotRepeatWhileThePointerIsOff) {
  TTimerSpeedButton* down = Edit->SpinButton()->DownButton();
  QTest::mousePress(down, Qt::LeftButton);
  QMouseEvent away(QEvent::MouseMove, QPointF(-20, -20), down->mapToGlobal(QPointF(-20, -20)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(down, &away);
  down->RepeatTimerExpired();
  EXPECT_EQ(Edit->Value(), 0);
  QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-20, -20));
  EXPECT_EQ(Edit->Value(), 0);
}

TEST_F(SpinEditTest, FailingRepeatStopsTheTimerAndIsReportedAsAnError) {
  TTimerSpeedButton* up = Edit->SpinButton()->UpButton();
  QTest::mousePress(up, Qt::LeftButton);
  QObject::connect(Edit, &TBetterSpinEdit::OnUpClick, Edit,
                   [] { throw std::runtime_error("Integer overflow"); });
  ParlamineTest::TMessageBoxScript boxes({QMessageBox::Ok});
  // The failure must not leave the timer's slot: it is shown instead.
  EXPECT_NO_THROW(up->RepeatTimerExpired());
  EXPECT_FALSE(up->RepeatTimer()->isActive());
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text, QStringLiteral("Integer overflow"));
  EXPECT_EQ(boxes.Shown()[0].Icon, QMessageBox::Critical);
  up->setDown(false);
}

TEST(SpinButtonTest, KeysClickTheFocusedButton) {
  TSpinButton spin;
  QSignalSpy ups(&spin, &TSpinButton::OnUpClick);
  QSignalSpy downs(&spin, &TSpinButton::OnDownClick);
  QTest::keyClick(&spin, Qt::Key_Space);
  EXPECT_EQ(ups.count(), 1);
  QTest::keyClick(&spin, Qt::Key_Down);
  EXPECT_EQ(spin.FocusedButton(), spin.DownButton());
  QTest::keyClick(&spin, Qt::Key_Space);
  EXPECT_EQ(downs.count(), 2);
  QTest::keyClick(&spin, Qt::Key_Up);
  EXPECT_EQ(ups.count(), 2);
  EXPECT_EQ(spin.FocusedButton(), spin.UpButton());
}

TEST(SpinButtonTest, HalvesOverlapByOnePixelAndHaveDefaultGlyphs) {
  TSpinButton spin;
  spin.resize(15, 17);
  spin.show();
  EXPECT_EQ(spin.UpButton()->geometry(), QRect(0, 0, 15, 8));
  EXPECT_EQ(spin.DownButton()->geometry(), QRect(0, 7, 15, 10));
  EXPECT_FALSE(spin.UpGlyph().isNull());
  EXPECT_FALSE(spin.UpGlyph().pixmap(QSize(9, 6)).isNull());
  spin.SetDownGlyph(QIcon());
  EXPECT_FALSE(spin.DownGlyph().pixmap(QSize(9, 6)).isNull());
}

}  // namespace
