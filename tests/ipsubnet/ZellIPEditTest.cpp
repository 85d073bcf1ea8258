// SPDX-License-Identifier: MIT
// The address control driven from the keyboard as a user types.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellIPEdit.h"

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
    int Beeps;
  };
  const Case cases[] = {
      {"a-+x", "", 0, 4},  // nothing but digits is inserted, and each refusal is heard
      {"1/", "1", 0, 1},   // a prefix length's slash is refused like any other
      {"1.", "1", 1, 0},   // a full stop moves on and is not inserted
      {"2 ", "2", 1, 0},   // so does a blank
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Keys);
    Edit->SetAddressValue(0);
    Field(0)->clear();
    Focus(0);
    ParlamineTest::TBeepCounter beeps;
    QTest::keyClicks(Field(0), QString::fromLatin1(c.Keys));
    EXPECT_EQ(Field(0)->text(), QString::fromLatin1(c.FieldText));
    EXPECT_EQ(FocusedField(), c.FocusAfter);
    EXPECT_EQ(beeps.Count(), c.Beeps);
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
    EXPECT_EQ(Field(0)->text(),
              QString::fromLatin1(composed).remove(QRegularExpression(QStringLiteral("[^0-9]"))));
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

// The ways a user pastes into a focused octet.
enum class TPasteWay { pwCtrlV, pwShiftInsert, pwEditMenu, pwContextMenu, pwDrop };

void PasteInto(TIPFieldEdit* field, TPasteWay way, const QString& text) {
  QApplication::clipboard()->setText(text);
  switch (way) {
    case TPasteWay::pwCtrlV:
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      break;
    case TPasteWay::pwShiftInsert:
      QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
      break;
    case TPasteWay::pwEditMenu:
      SendClipboardRequest(field, TClipboardRequest::crPaste);
      break;
    case TPasteWay::pwContextMenu: {
      QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                  field->mapToGlobal(QPoint(2, 2)));
      QApplication::sendEvent(field, &menuEvent);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      QAction* paste = StandardMenuAction(menu, TStandardMenuItem::smPaste);
      ASSERT_NE(paste, nullptr);
      paste->trigger();
      menu->close();
      break;
    }
    case TPasteWay::pwDrop: {
      QMimeData data;
      data.setText(text);
      QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      // Straight to the field: the application delivers drops only during a drag.
      static_cast<QObject*>(field)->event(&drop);
      break;
    }
  }
}

TEST_F(IPEditTest, PastedWholeAddressFillsAllOctetsAndCommitsThemInOrder) {
  struct Case {
    const char* Name;
    TPasteWay Way;
    int Field;
    const char* Text;
  };
  const Case cases[] = {
      {"Ctrl+V in the first octet", TPasteWay::pwCtrlV, 0, "10.1.2.3"},
      {"Shift+Insert in the third octet", TPasteWay::pwShiftInsert, 2, "10.1.2.3"},
      {"Edit > Paste with a prefix length", TPasteWay::pwEditMenu, 1, "10.1.2.3/22"},
      {"Ctrl+V with a mask", TPasteWay::pwCtrlV, 1, "10.1.2.3 255.255.252.0"},
      {"dropped text", TPasteWay::pwDrop, 2, "10.1.2.3"},
      // Last: the offscreen platform does not give the window back its focus after a popup.
      {"context menu, blanks around", TPasteWay::pwContextMenu, 3, "  10.1.2.3 \n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetAddressString(QStringLiteral("128.15.10.5"));
    Events.clear();
    Focus(c.Field);
    Field(c.Field)->setCursorPosition(1);
    PasteInto(Field(c.Field), c.Way, QString::fromLatin1(c.Text));
    EXPECT_EQ(Edit->AddressValue(), 0x0A010203u);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Field(i)->text(), QString::number((0x0A010203u >> (24 - 8 * i)) & 0xFF));
    EXPECT_EQ(Events, (std::vector<TEvent>{{0, 10}, {1, 1}, {2, 2}, {3, 3}}));
    if (c.Way != TPasteWay::pwDrop && c.Way != TPasteWay::pwContextMenu) {
      EXPECT_EQ(FocusedField(), 3);
      EXPECT_EQ(Field(3)->cursorPosition(), 1);
    }
  }
}

TEST_F(IPEditTest, PastedAddressGoesThroughTheOwnersChecksAndSkipsPlaceholders) {
  Replace = [](int index, uint8_t& value) {
    if (index == 0 && value == 127) value = 126;
  };
  Edit->SetAddressString(QStringLiteral("10.x.3.4"));
  Events.clear();
  Focus(0);
  PasteInto(Field(0), TPasteWay::pwCtrlV, QStringLiteral("127.200.30.40"));
  EXPECT_EQ(Field(0)->text(), QStringLiteral("126"));
  EXPECT_EQ(Field(1)->text(), QStringLiteral("x"));
  EXPECT_EQ(Events, (std::vector<TEvent>{{0, 127}, {2, 30}, {3, 40}}));
  // Typing goes on in the last octet: no separator is swallowed, no digit appended.
  QTest::keyClicks(Field(3), QStringLiteral(".7"));
  EXPECT_EQ(FocusedField(), 3);
  EXPECT_EQ(Field(3)->text(), QStringLiteral("407"));
}

TEST_F(IPEditTest, PasteThatIsNoWholeAddressGoesIntoTheOctetAsBefore) {
  struct Case {
    const char* Pasted;
    const char* Shown;  // three characters move on to the next octet and commit
    int Value;
    size_t Messages;
  };
  const Case cases[] = {
      {"12", "12", 0, 0}, {"10.1.2", "10.", 0, 1}, {"10.1.2.3.4", "10.", 0, 1}, {"256.1.1.1", "255", 255, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Pasted);
    Edit->SetAddressValue(0x0A000001u);
    Focus(1);
    Field(1)->selectAll();
    ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
    PasteInto(Field(1), TPasteWay::pwEditMenu, QString::fromLatin1(c.Pasted));
    EXPECT_EQ(Field(1)->text(), QString::fromLatin1(c.Shown));
    EXPECT_EQ(Edit->IPFieldValues(1), c.Value);
    EXPECT_EQ(Edit->IPFieldValues(2), 0);
    EXPECT_EQ(script.Shown().size(), c.Messages);
    Field(1)->setText(QStringLiteral("0"));  // leaves quietly
  }
  // A read-only placeholder takes no address either.
  Edit->SetAddressValue(0x0A000001u);
  Edit->SetAddressString(QStringLiteral("10.x.0.1"));
  PasteInto(Field(1), TPasteWay::pwEditMenu, QStringLiteral("1.2.3.4"));
  EXPECT_EQ(Edit->AddressValue(), 0x0A000001u);
}

TEST_F(IPEditTest, AddressStringRoundTripAndRejections) {
  Edit->SetAddressString(QStringLiteral("10.0.0.1"));
  EXPECT_EQ(Edit->AddressValue(), 0x0A000001u);
  EXPECT_EQ(Edit->AddressString(), QStringLiteral("10.0.0.1"));
  for (const char* bad :
       {"1.2.3", "1.2.3.4.5.6.7.8", "256.1.1.1", "a.b.c.d", "1..2.3.4", "1.2.3.-4", "1234567890123456"}) {
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
    EXPECT_EQ(Field(i)->geometry(),
              QRect(client.left() + i * (width + dot), client.top(), width, client.height()));
  }
  EXPECT_TRUE(Field(0)->focusPolicy() & Qt::TabFocus);
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(Field(i)->focusPolicy() & Qt::TabFocus);
}

struct TypedAddressCase {
  const char* Keys;
  const char* Expected;
};

class TypedAddress : public IPEditTest, public ::testing::WithParamInterface<TypedAddressCase> {};

// Typed over the first-run address, from a selected first octet, as a user does.
TEST_P(TypedAddress, ReplacesEachOctet) {
  Edit->SetAddressValue(0x800F0A05);  // 128.15.10.5
  Focus(0);
  Field(0)->selectAll();
  for (const char* key = GetParam().Keys; *key; ++key) QTest::keyClick(QApplication::focusWidget(), *key);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(Edit->AddressString(), QLatin1String(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(Keys, TypedAddress,
                         ::testing::Values(TypedAddressCase{"192168001077", "192.168.1.77"},
                                           TypedAddressCase{"172.16.5.4", "172.16.5.4"},
                                           TypedAddressCase{"172 16 5 4", "172.16.5.4"},
                                           TypedAddressCase{"10.0.0.1", "10.0.0.1"},
                                           TypedAddressCase{"255.255.255.0", "255.255.255.0"}),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.Keys; *c; ++c)
                             name += *c == '.' ? "Dot" : *c == ' ' ? "Space" : std::string(1, *c);
                           return name;
                         });

}  // namespace
}  // namespace Parlamine
