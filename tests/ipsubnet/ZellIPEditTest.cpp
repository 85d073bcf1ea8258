// SPDX-License-Identifier: MIT
// The address control driven from the keyboard as a user types.
#include "TestSupport.h"
#include "ZellIPEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Parlamine {
namespace {

struct TEvent {
  int Index;
  int Value;
  bool operator==(const TEvent&) const = default;
};

class IPEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FWindow = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(FWindow.get());
    Edit = new TIPEdit(FWindow.get());
    Edit->resize(161, 21);
    layout->addWidget(Edit);
    Other = new QLineEdit(FWindow.get());
    layout->addWidget(Other);
    Edit->SetOnIPFieldValueChanged([this](TIPEdit* sender, int index, uint8_t& value) {
      EXPECT_EQ(sender, Edit);
      Events.push_back({index, value});
      if (Replace) Replace(index, value);
    });
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
  }

  TIPFieldEdit* Field(int i) const { return Edit->Field(i); }
  void Focus(int i) {
    Field(i)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(Field(i)->hasFocus());
  }
  int FocusedField() const {
    for (int i = 0; i < 4; ++i)
      if (Field(i)->hasFocus()) return i;
    return -1;
  }

  TIPEdit* Edit = nullptr;
  QLineEdit* Other = nullptr;
  std::vector<TEvent> Events;
  std::function<void(int, uint8_t&)> Replace;
  // Last, so it goes first: closing it commits the focused octet, whose
  // event still finds Events alive.
  std::unique_ptr<QWidget> FWindow;
};

TEST_F(IPEditTest, ThirdDigitMovesOnAndCommits) {
  Focus(0);
  QTest::keyClicks(Field(0), QStringLiteral("192"));
  EXPECT_EQ(FocusedField(), 1);
  EXPECT_EQ(Events, (std::vector<TEvent>{{0, 192}}));
  EXPECT_EQ(Edit->AddressValue() >> 24, 192u);

  QTest::keyClicks(Field(1), QStringLiteral("300"));
  EXPECT_EQ(FocusedField(), 2);
  EXPECT_EQ(Field(1)->text(), QStringLiteral("255"));
  EXPECT_EQ(Events.back(), (TEvent{1, 255}));
}

TEST_F(IPEditTest, EnterCommitsAndKeepsTheFocus) {
  Focus(2);
  QTest::keyClicks(Field(2), QStringLiteral("42"));
  EXPECT_TRUE(Events.empty()) << "typing alone commits nothing";
  QTest::keyClick(Field(2), Qt::Key_Return);
  EXPECT_EQ(Events, (std::vector<TEvent>{{2, 42}}));
  EXPECT_EQ(FocusedField(), 2);
  EXPECT_EQ(Edit->IPFieldValues(2), 42);
}

TEST_F(IPEditTest, EmptiedFieldCommitsZeroOnlyWhenTheValueChanges) {
  Edit->SetAddressValue(0x05000000u);  // field 0 holds 5, the others 0
  Focus(0);
  Field(0)->setCursorPosition(1);
  QTest::keyClick(Field(0), Qt::Key_Backspace);
  Focus(1);  // leaving field 0 commits 0
  EXPECT_EQ(Field(0)->text(), QStringLiteral("0"));
  EXPECT_EQ(Events, (std::vector<TEvent>{{0, 0}}));

  Field(1)->setCursorPosition(1);
  QTest::keyClick(Field(1), Qt::Key_Backspace);
  Other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Field(1)->text(), QString()) << "an unchanged value leaves the text as typed";
  EXPECT_EQ(Events.size(), 1u);
}

TEST_F(IPEditTest, HandlerReplacementShowsWithoutASecondEvent) {
  Replace = [](int, uint8_t& value) {
    if (value == 127) value = 126;
  };
  Focus(0);
  QTest::keyClicks(Field(0), QStringLiteral("127"));
  EXPECT_EQ(Field(0)->text(), QStringLiteral("126"));
  EXPECT_EQ(Edit->IPFieldValues(0), 126);
  EXPECT_EQ(Events, (std::vector<TEvent>{{0, 127}}));
}

TEST_F(IPEditTest, OnlyDigitsAreTypedAndSeparatorsJump) {
  struct Case {
    const char* Keys;
    const char* FieldText;
    int FocusAfter;
  };
  const Case cases[] = {
      {"a-+x", "", 0},  // nothing but digits is inserted
      {"1.", "1", 1},   // a full stop moves on and is not inserted
      {"2 ", "2", 1},   // so does a blank
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Keys);
    Edit->SetAddressValue(0);
    Field(0)->clear();
    Focus(0);
    QTest::keyClicks(Field(0), QString::fromLatin1(c.Keys));
    EXPECT_EQ(Field(0)->text(), QString::fromLatin1(c.FieldText));
    EXPECT_EQ(FocusedField(), c.FocusAfter);
  }
}

TEST_F(IPEditTest, ComposedAndAltGrCharactersAreFilteredShortcutsStillWork) {
  Edit->SetAddressValue(0);
  Field(0)->clear();
  Focus(0);
  // Some systems report AltGr as Ctrl+Alt with the character it types.
  for (const char* typed : {"@", "{", "x"}) {
    SCOPED_TRACE(typed);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::ControlModifier | Qt::AltModifier,
                    QString::fromLatin1(typed));
    QApplication::sendEvent(Field(0), &press);
    EXPECT_EQ(Field(0)->text(), QString());
  }
  // Text composed with dead keys or an input method: only its digits.
  for (const char* composed : {"\xe9", "a1"}) {
    SCOPED_TRACE(composed);
    Field(0)->clear();
    QInputMethodEvent compose;
    compose.setCommitString(QString::fromLatin1(composed));
    QApplication::sendEvent(Field(0), &compose);
    EXPECT_EQ(Field(0)->text(), QString::fromLatin1(composed).remove(QRegularExpression(QStringLiteral("[^0-9]"))));
  }
  Field(0)->clear();
  QApplication::clipboard()->setText(QStringLiteral("12"));
  QTest::keyClick(Field(0), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Field(0)->text(), QStringLiteral("12"));
  QTest::keyClick(Field(0), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Field(0)->selectedText(), QStringLiteral("12"));
}

TEST_F(IPEditTest, SeparatorSkipsPlaceholderFields) {
  Edit->SetAddressString(QStringLiteral("10.x.x.1"));
  Focus(0);
  QTest::keyClick(Field(0), Qt::Key_Period);
  EXPECT_EQ(FocusedField(), 3);
}

TEST_F(IPEditTest, NavigationKeys) {
  Edit->SetAddressValue(0x0A141E28u);  // 10.20.30.40
  struct Case {
    const char* Name;
    int From;
    int Caret;
    Qt::Key Key;
    int To;
    int CaretAfter;
    const char* TargetText;
  };
  const Case cases[] = {
      {"Backspace at start goes back and deletes", 2, 0, Qt::Key_Backspace, 1, 1, "2"},
      {"Backspace inside stays", 2, 1, Qt::Key_Backspace, 2, 0, "0"},
      {"Left at start", 2, 0, Qt::Key_Left, 1, 2, "20"},
      {"Left in field 0 has no target", 0, 0, Qt::Key_Left, 0, 0, "10"},
      {"Right at end", 1, 2, Qt::Key_Right, 2, 0, "30"},
      {"Right in field 3 has no target", 3, 2, Qt::Key_Right, 3, 2, "40"},
      {"Home", 2, 1, Qt::Key_Home, 0, 0, "10"},
      {"End", 1, 0, Qt::Key_End, 3, 2, "40"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetAddressValue(0x0A141E28u);
    Focus(c.From);
    Field(c.From)->setCursorPosition(c.Caret);
    QTest::keyClick(Field(c.From), c.Key);
    EXPECT_EQ(FocusedField(), c.To);
    EXPECT_EQ(Field(c.To)->cursorPosition(), c.CaretAfter);
    EXPECT_FALSE(Field(c.To)->hasSelectedText());
    EXPECT_EQ(Field(c.To)->text(), QString::fromLatin1(c.TargetText));
  }
}

TEST_F(IPEditTest, PastedTextThatIsNoNumberIsReportedAndKept) {
  Edit->SetAddressValue(0x0A000001u);
  Focus(1);
  QApplication::clipboard()->setText(QStringLiteral("ab"));
  Field(1)->selectAll();
  Field(1)->paste();
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  QTest::keyClick(Field(1), Qt::Key_Return);
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_TRUE(script.Shown()[0].Text.contains(QStringLiteral("'ab'")));
  EXPECT_EQ(Field(1)->text(), QStringLiteral("ab"));
  EXPECT_EQ(Edit->IPFieldValues(1), 0);
  EXPECT_TRUE(Events.empty());
  Field(1)->setText(QStringLiteral("0"));  // so that closing the window commits quietly
}

TEST_F(IPEditTest, AddressStringRoundTripAndRejections) {
  Edit->SetAddressString(QStringLiteral("10.0.0.1"));
  EXPECT_EQ(Edit->AddressValue(), 0x0A000001u);
  EXPECT_EQ(Edit->AddressString(), QStringLiteral("10.0.0.1"));
  for (const char* bad : {"1.2.3", "1.2.3.4.5.6.7.8", "256.1.1.1", "a.b.c.d", "1..2.3.4", "1.2.3.-4", "1234567890123456"}) {
    EXPECT_THROW(Edit->SetAddressString(QString::fromLatin1(bad)), EIPAddressException) << bad;
  }
  // Fields before the bad part keep their new values.
  Edit->SetAddressString(QStringLiteral("10.0.0.1"));
  EXPECT_THROW(Edit->SetAddressString(QStringLiteral("9.8.300.1")), EIPAddressException);
  EXPECT_EQ(Edit->AddressValue(), 0x09080001u);
}

TEST_F(IPEditTest, PlaceholdersAndUnusedText) {
  Edit->SetAddressString(QStringLiteral("10.0.0.1"));
  Edit->SetAddressString(QStringLiteral("10.x.X.1"));
  EXPECT_TRUE(Field(1)->Placeholder());
  EXPECT_TRUE(Field(2)->Placeholder());
  EXPECT_TRUE(Field(1)->isReadOnly());
  EXPECT_EQ(Field(2)->text(), QStringLiteral("x"));
  EXPECT_EQ(Edit->AddressString(), QStringLiteral("10.0.0.1"));
  Edit->SetUnusedText(QStringLiteral("none"));
  EXPECT_EQ(Edit->UnusedText(), QStringLiteral("non"));
  EXPECT_EQ(Field(1)->text(), QStringLiteral("non"));
  Edit->SetAddressString(QStringLiteral("10.1.2.1"));
  EXPECT_FALSE(Field(1)->Placeholder());
  EXPECT_EQ(Field(1)->text(), QStringLiteral("1"));
}

TEST_F(IPEditTest, EmptyTextsReadAsEmptyAndClearKeepsValues) {
  Edit->SetAddressValue(0x01020304u);
  Edit->SetAddressString(QString());
  EXPECT_TRUE(Edit->IsEmpty());
  EXPECT_EQ(Edit->AddressString(), QString());
  EXPECT_EQ(Edit->AddressValue(), 0x01020304u);
}

TEST_F(IPEditTest, BoundsClampAndCommit) {
  Edit->SetIPFieldValues(3, 200);
  Field(3)->SetMaxValue(100);
  EXPECT_EQ(Field(3)->Value(), 100);
  EXPECT_EQ(Field(3)->text(), QStringLiteral("100"));
  Field(3)->SetMinValue(150);  // above the maximum: the maximum is stored
  EXPECT_EQ(Field(3)->MinValue(), 100);
  Edit->SetIPFieldValues(3, 5);
  EXPECT_EQ(Field(3)->Value(), 100);
}

TEST_F(IPEditTest, FieldsAreLaidOutBetweenTheDots) {
  const QRect client = Edit->contentsRect();
  const int dot = Edit->fontMetrics().horizontalAdvance(QLatin1Char('.'));
  const int width = (client.width() - 3 * dot) / 4;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Field(i)->geometry(), QRect(client.left() + i * (width + dot), client.top(), width, client.height()));
  }
  EXPECT_TRUE(Field(0)->focusPolicy() & Qt::TabFocus);
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(Field(i)->focusPolicy() & Qt::TabFocus);
}

}  // namespace
}  // namespace Parlamine
