// SPDX-License-Identifier: MIT
// The shared helpers: the busy-cursor token stack, tab-joined texts and the
// error handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ParlamineApplication.h"
#include "TestSupport.h"
#include "ZellGlobal.h"

using namespace Parlamine;

namespace {

Qt::CursorShape Shown() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::ArrowCursor;
}

class CursorStack : public ::testing::Test {
 protected:
  void TearDown() override {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
};

TEST_F(CursorStack, NestedPushesRestoreInOrder) {
  const int a = PushCursor(QCursor(Qt::WaitCursor));
  const int b = PushCursor(QCursor(Qt::CrossCursor));
  EXPECT_EQ(Shown(), Qt::CrossCursor);
  EXPECT_EQ(PopCursor(b), Qt::WaitCursor);
  EXPECT_EQ(PopCursor(a), Qt::ArrowCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CursorStack, ReleasingTheOuterFirstKeepsTheInnerCursorUntilItGoes) {
  const int a = PushCursor(QCursor(Qt::WaitCursor));
  const int b = PushCursor(QCursor(Qt::BusyCursor));
  EXPECT_EQ(PopCursor(a), Qt::BusyCursor) << "B is still pushed";
  EXPECT_EQ(PopCursor(b), Qt::ArrowCursor) << "back to the cursor from before A";
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CursorStack, ReleasedOrUnknownTokensChangeNothing) {
  const int a = PushCursor(QCursor(Qt::WaitCursor));
  EXPECT_EQ(PopCursor(a + 5), Qt::WaitCursor);
  EXPECT_EQ(PopCursor(-1), Qt::WaitCursor);
  EXPECT_EQ(PopCursor(a), Qt::ArrowCursor);
  EXPECT_EQ(PopCursor(a), Qt::ArrowCursor) << "a second release is ignored";
}

TEST_F(CursorStack, AnOverrideFromBeforeIsRestored) {
  QGuiApplication::setOverrideCursor(QCursor(Qt::IBeamCursor));
  {
    TBusyCursor busy;
    EXPECT_EQ(Shown(), Qt::WaitCursor);
  }
  EXPECT_EQ(Shown(), Qt::IBeamCursor);
}

TEST(TabText, JoinsWithSingleTabs) {
  EXPECT_EQ(StringsToTabText({QStringLiteral("a")}), QStringLiteral("a"));
  EXPECT_EQ(StringsToTabText({QStringLiteral("Dec"), QString(), QStringLiteral("Bin")}),
            QStringLiteral("Dec\t\tBin"));
}

class ThrowingButton : public QPushButton {
 protected:
  void mouseReleaseEvent(QMouseEvent*) override { throw std::runtime_error("Integer overflow"); }
};

TEST(ErrorHandler, AnExceptionLeavingAHandlerBecomesAMessageBox) {
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  ThrowingButton button;
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].Text, QStringLiteral("Integer overflow"));
  EXPECT_EQ(script.Shown()[0].Caption, QStringLiteral("Parlamine"));
  EXPECT_EQ(script.Shown()[0].Icon, QMessageBox::Critical);
}

}  // namespace
