// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "ZellClipboardRequest.h"
#include "ZellMsgClasses.h"

using namespace Parlamine;

namespace {

class MessageHookTest : public ::testing::Test {
 protected:
  QWidget Window;
  QPushButton* Button = new QPushButton(QStringLiteral("Press"), &Window);
  TControlMessageHook* Hook = new TControlMessageHook(&Window);
  int Seen = 0;  // mouse presses the handler saw

  void SetUp() override {
    Button->resize(80, 24);
    Window.show();
  }
  void SwallowMouseButtons() {
    Hook->SetOnMessage([this](TMessageComponent*, QEvent* message, bool& handled) {
      if (message->type() == QEvent::MouseButtonPress) ++Seen;
      if (message->type() == QEvent::MouseButtonPress || message->type() == QEvent::MouseButtonRelease)
        handled = true;
    });
  }
};

TEST_F(MessageHookTest, WithoutHandlerTheControlBehavesAsUnhooked) {
  Hook->SetControl(Button);
  QSignalSpy clicked(Button, &QPushButton::clicked);
  QTest::mouseClick(Button, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 1);
}

TEST_F(MessageHookTest, HandledClickNeverReachesTheControlAndIsAnswered) {
  SwallowMouseButtons();
  Hook->SetControl(Button);
  QSignalSpy clicked(Button, &QPushButton::clicked);
  QTest::mouseClick(Button, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(Seen, 1);

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Button->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  press.ignore();
  QCoreApplication::sendEvent(Button, &press);
  EXPECT_TRUE(press.isAccepted());
  EXPECT_FALSE(Button->isDown());
}

TEST_F(MessageHookTest, HandledCopyRequestCountsAsCarriedOut) {
  auto* edit = new QLineEdit(QStringLiteral("keep me"), &Window);
  edit->selectAll();
  int requests = 0;
  Hook->SetOnMessage([&](TMessageComponent* sender, QEvent* message, bool& handled) {
    EXPECT_EQ(sender, Hook);
    if (message->type() == TClipboardRequestEvent::EventType()) {
      ++requests;
      handled = true;
    }
  });
  Hook->SetControl(edit);
  // Without the hook the line edit would clear its selection itself.
  EXPECT_TRUE(SendClipboardRequest(edit, TClipboardRequest::crClear));
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(edit->text(), QStringLiteral("keep me"));
}

TEST_F(MessageHookTest, SettingTheSameControlTwiceHooksOnce) {
  SwallowMouseButtons();
  Hook->SetControl(Button);
  Hook->SetControl(Button);
  QTest::mousePress(Button, Qt::LeftButton);
  EXPECT_EQ(Seen, 1);
}

TEST_F(MessageHookTest, DestroyedControlIsForgottenAndAnotherCanBeHooked) {
  SwallowMouseButtons();
  Hook->SetControl(Button);
  delete Button;
  Button = nullptr;
  EXPECT_EQ(Hook->Control(), nullptr);

  auto* other = new QPushButton(QStringLiteral("Other"), &Window);
  other->show();
  Hook->SetControl(other);
  EXPECT_EQ(Hook->Control(), other);
  QSignalSpy clicked(other, &QPushButton::clicked);
  QTest::mouseClick(other, Qt::LeftButton);
  EXPECT_EQ(Seen, 1);
  EXPECT_EQ(clicked.count(), 0);
}

TEST_F(MessageHookTest, ControlKeepsWorkingAfterTheHookIsDestroyed) {
  SwallowMouseButtons();
  Hook->SetControl(Button);
  delete Hook;
  Hook = nullptr;
  QSignalSpy clicked(Button, &QPushButton::clicked);
  QTest::mouseClick(Button, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 1);
}

TEST_F(MessageHookTest, UnhookingRestoresTheControl) {
  SwallowMouseButtons();
  Hook->SetControl(Button);
  Hook->SetControl(nullptr);
  QSignalSpy clicked(Button, &QPushButton::clicked);
  QTest::mouseClick(Button, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_EQ(Seen, 0);
}

}  // namespace
