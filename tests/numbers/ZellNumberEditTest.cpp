// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "QStringPrinter.h"
#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellNumberEdit.h"

namespace Parlamine {
namespace {

using enum TNumberStyle;

class ZellNumberEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FHost = std::make_unique<QWidget>();
    Edit = new TNumberEdit(FHost.get());
    Edit->SetOnValueChanged([this](TCustomNumberEdit*) { ++Changes; });
    FHost->show();
  }

  // A field showing `value` in `style`, caret at the end, change count reset.
  void Prepare(TNumberStyle style, int digits, int64_t value, bool allowNegative = true) {
    Edit->SetNumberStyle(style);
    Edit->SetDigits(digits);
    Edit->SetAllowNegative(allowNegative);
    Edit->SetValueInteger(value);
    Edit->end(false);
    Changes = 0;
  }

  void Paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    Edit->selectAll();
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
  }

  std::unique_ptr<QWidget> FHost;
  TNumberEdit* Edit = nullptr;
  int Changes = 0;
};

TEST_F(ZellNumberEditTest, CalculatorStyleTyping) {
  const struct {
    const char* Name;
    TNumberStyle Style;
    int Digits;
    int64_t Start;
    const char* Keys;
    QString Text;
    int64_t Value;
  } cases[] = {
      {"padded hex shifts digits in", nsHexadecimal, 8, 0, "AB", "000000AB", 171},
      {"lower-case letters show upper case", nsHexadecimal, 4, 0, "ab", "00AB", 171},
      {"zero replaced by the first digit", nsDecimal, -1, 0, "5", "5", 5},
      {"digit appended at the caret", nsDecimal, -1, 10, "5", "105", 105},
      {"padded binary", nsBinary, 8, 0, "101", "00000101", 5},
      {"padded octal", nsOctal, 3, 0, "17", "017", 15},
      {"characters of another base are swallowed", nsOctal, 3, 0, "8x9", "000", 0},
      {"a lone sign does not parse and reverts", nsDecimal, -1, 0, "-7", "7", 7},
  };
  for (const auto& c : cases) {
    Prepare(c.Style, c.Digits, c.Start);
    Edit->setText(Edit->text());  // caret to the end
    QTest::keyClicks(Edit, QString::fromLatin1(c.Keys));
    EXPECT_EQ(Edit->text(), c.Text) << c.Name;
    EXPECT_EQ(Edit->ValueInteger(), c.Value) << c.Name;
  }
}

TEST_F(ZellNumberEditTest, SelectionIsReplacedAndRepadded) {
  Prepare(nsHexadecimal, 4, 0x1234);
  Edit->selectAll();
  QTest::keyClicks(Edit, QStringLiteral("7"));
  EXPECT_EQ(Edit->text(), QStringLiteral("0007"));
  EXPECT_EQ(Edit->ValueInteger(), 7);
  EXPECT_EQ(Changes, 1);
}

TEST_F(ZellNumberEditTest, SignTypedInFrontOfDigits) {
  Prepare(nsDecimal, -1, 12);
  Edit->home(false);
  QTest::keyClicks(Edit, QStringLiteral("-"));
  EXPECT_EQ(Edit->ValueInteger(), -12);
  EXPECT_EQ(Edit->text(), QStringLiteral("-12"));
}

TEST_F(ZellNumberEditTest, CaretKeepsItsDistanceFromTheRightEnd) {
  Prepare(nsDecimal, -1, 1234);
  Edit->setCursorPosition(2);
  Edit->SetValueInteger(99999);
  EXPECT_EQ(Edit->text(), QStringLiteral("99999"));
  EXPECT_EQ(Edit->cursorPosition(), 3);
}

TEST_F(ZellNumberEditTest, PastedTextThatDoesNotParseRestoresTheField) {
  const struct {
    const char* Name;
    TNumberStyle Style;
    bool AllowNegative;
    QString Pasted;
  } cases[] = {
      {"letters into hexadecimal", nsHexadecimal, true, "XYZ"},
      {"hexadecimal into binary", nsBinary, true, "12"},
      {"20-digit decimal", nsDecimal, true, "99999999999999999999"},
      {"below the smallest value", nsDecimal, true, "-9223372036854775809"},
      {"smallest value without negatives", nsDecimal, false, "-9223372036854775808"},
      {"smallest value in binary without negatives", nsBinary, false, "1" + QString(63, QLatin1Char('0'))},
      {"blank inside", nsDecimal, true, "1 2"},
      {"non-ASCII digits", nsDecimal, true, QString::fromUtf8("\xd9\xa3")},
  };
  for (const auto& c : cases) {
    Prepare(c.Style, 4, 9, c.AllowNegative);
    const QString before = Edit->text();
    Paste(c.Pasted);
    EXPECT_EQ(Edit->text(), before) << c.Name;
    EXPECT_EQ(Edit->ValueInteger(), 9) << c.Name;
    EXPECT_EQ(Changes, 0) << c.Name;
  }
}

TEST_F(ZellNumberEditTest, EditMenuPasteParsesLikeTyping) {
  Prepare(nsHexadecimal, 4, 0);
  QApplication::clipboard()->setText(QStringLiteral("ff"));
  Edit->selectAll();
  ASSERT_TRUE(SendClipboardRequest(Edit, TClipboardRequest::crPaste));
  EXPECT_EQ(Edit->ValueInteger(), 255);
  EXPECT_EQ(Edit->text(), QStringLiteral("00FF"));
  QApplication::clipboard()->setText(QStringLiteral("G"));
  Edit->selectAll();
  ASSERT_TRUE(SendClipboardRequest(Edit, TClipboardRequest::crPaste));
  EXPECT_EQ(Edit->text(), QStringLiteral("00FF"));
  EXPECT_EQ(Changes, 1);
}

TEST_F(ZellNumberEditTest, PastedLettersShowInCapitals) {
  const struct {
    const char* Name;
    TNumberStyle Style;
    int Digits;
    int64_t Value;
    QString Pasted;
    const char* Shown;
  } cases[] = {
      {"same value as shown", nsHexadecimal, 2, 0xFF, "ff", "FF"},
      {"same value, shorter than the padding", nsHexadecimal, 4, 0xAB, "ab", "AB"},
      {"float exponent", nsFloat, -1, 100, "1e2", "1E2"},
  };
  for (const auto& c : cases) {
    Prepare(c.Style, c.Digits, c.Value);
    Paste(c.Pasted);
    EXPECT_EQ(Edit->ValueInteger(), c.Value) << c.Name;
    EXPECT_EQ(Edit->text(), QLatin1String(c.Shown)) << c.Name;
  }
}

TEST_F(ZellNumberEditTest, ExtremePastedValues) {
  const struct {
    const char* Name;
    TNumberStyle Style;
    bool AllowNegative;
    QString Pasted;
    int64_t Value;
  } cases[] = {
      {"64 binary ones is -1", nsBinary, true, QString(64, QLatin1Char('1')), -1},
      {"64 binary ones without negatives is 1", nsBinary, false, QString(64, QLatin1Char('1')), 1},
      {"smallest value with negatives", nsDecimal, true, "-9223372036854775808", INT64_MIN},
      {"largest value", nsDecimal, false, "9223372036854775807", INT64_MAX},
      {"17 hexadecimal digits keep the last 16", nsHexadecimal, true, "1FFFFFFFFFFFFFFFF", -1},
  };
  for (const auto& c : cases) {
    Prepare(c.Style, -1, 0, c.AllowNegative);
    Paste(c.Pasted);
    EXPECT_EQ(Edit->ValueInteger(), c.Value) << c.Name;
  }
}

TEST_F(ZellNumberEditTest, EmptiedText) {
  Prepare(nsHexadecimal, 2, 5);
  Edit->selectAll();
  QTest::keyClick(Edit, Qt::Key_Backspace);
  EXPECT_EQ(Edit->ValueInteger(), 0);
  EXPECT_EQ(Edit->text(), QStringLiteral("00"));
  // Already 0: no value change, so the field stays empty.
  Edit->selectAll();
  QTest::keyClick(Edit, Qt::Key_Backspace);
  EXPECT_EQ(Edit->text(), QString());
  EXPECT_EQ(Changes, 1);
}

TEST_F(ZellNumberEditTest, ValueChanges) {
  Prepare(nsDecimal, -1, 42, false);
  Edit->SetValueInteger(42);
  EXPECT_EQ(Changes, 0) << "same value raises no event";
  Edit->SetValueInteger(-1);
  EXPECT_EQ(Edit->ValueInteger(), 1);
  EXPECT_EQ(Edit->text(), QStringLiteral("1"));
  Edit->SetValueInteger(INT64_MIN);
  EXPECT_EQ(Edit->ValueInteger(), 1) << "the smallest value has no positive counterpart";
  EXPECT_EQ(Edit->ValueFloat(), 1.0);
  Edit->SetValueFloat(-2.75);
  EXPECT_EQ(Edit->ValueInteger(), 2) << "float truncated toward zero after the sign is dropped";
  Edit->SetAllowNegative(true);
  Edit->SetValueFloat(1e300);
  EXPECT_EQ(Edit->ValueInteger(), INT64_MAX) << "held within the 64-bit range";
}

TEST_F(ZellNumberEditTest, ChangingHandlerLimitsAndCancels) {
  Prepare(nsDecimal, -1, 0, false);
  Edit->SetOnValueChangingInteger([](TCustomNumberEdit*, int64_t& value) {
    if (value > 255) value = 255;
  });
  QTest::keyClicks(Edit, QStringLiteral("300"));
  EXPECT_EQ(Edit->text(), QStringLiteral("255"));
  EXPECT_EQ(Edit->ValueInteger(), 255);
  Edit->SetOnValueChangingInteger(
      [](TCustomNumberEdit* sender, int64_t& value) { value = sender->ValueInteger(); });
  Changes = 0;
  Edit->SetValueInteger(7);
  EXPECT_EQ(Edit->ValueInteger(), 255);
  EXPECT_EQ(Changes, 0);
}

// Text that parses to a number the field does not take (clamped by the
// handler, or its sign dropped) to the value the field already holds must not
// stay on show: the field then shows a number other than its value.
TEST_F(ZellNumberEditTest, TextAlwaysShowsTheValueAfterALimitedEdit) {
  const struct {
    const char* Name;
    TNumberStyle Style;
    int Digits;
    bool AllowNegative;
    int64_t Value;
    QString Pasted;
    const char* Shown;
  } cases[] = {
      {"decimal above the limit at the limit", nsDecimal, -1, false, 255, "955", "255"},
      {"hexadecimal above the limit at the limit", nsHexadecimal, 2, false, 255, "1AB", "FF"},
      {"sign dropped to the same value", nsDecimal, -1, false, 5, "-5", "5"},
      {"binary with the sign bit dropped", nsBinary, 4, false, 1, QString(64, QLatin1Char('1')), "0001"},
  };
  Edit->SetOnValueChangingInteger([](TCustomNumberEdit*, int64_t& value) {
    if (value > 255) value = 255;
  });
  for (const auto& c : cases) {
    Prepare(c.Style, c.Digits, c.Value, c.AllowNegative);
    Paste(c.Pasted);
    EXPECT_EQ(Edit->ValueInteger(), c.Value) << c.Name;
    EXPECT_EQ(Edit->text(), QLatin1String(c.Shown)) << c.Name;
    EXPECT_EQ(Changes, 0) << c.Name;
  }
}

TEST_F(ZellNumberEditTest, DigitsLimits) {
  const struct {
    TNumberStyle Style;
    int Requested;
    int Stored;
  } cases[] = {{nsFloat, 25, 18}, {nsDecimal, 25, 25}, {nsHexadecimal, -5, -1}, {nsFloat, -5, -1}};
  for (const auto& c : cases) {
    Edit->SetNumberStyle(c.Style);
    Edit->SetDigits(c.Requested);
    EXPECT_EQ(Edit->Digits(), c.Stored) << static_cast<int>(c.Style) << " " << c.Requested;
  }
}

TEST_F(ZellNumberEditTest, FloatStyle) {
  Edit->SetNumberStyle(nsFloat);
  Edit->SetDigits(2);
  Edit->SetValueFloat(3.14159);
  EXPECT_EQ(Edit->text(), QStringLiteral("3.14"));
  EXPECT_EQ(Edit->ValueInteger(), 3);
  Edit->SetDigits(-1);
  EXPECT_EQ(Edit->text(), QStringLiteral("3.14159"));
  Paste(QStringLiteral("2.5e1"));
  EXPECT_EQ(Edit->ValueFloat(), 25.0);
  Paste(QStringLiteral("1e999"));
  EXPECT_EQ(Edit->ValueFloat(), 25.0) << "out of range reverts";
}

TEST_F(ZellNumberEditTest, MaxLengthRefusesTypingButNeverCutsFormattedText) {
  ParlamineTest::TBeepCounter beeps;
  Prepare(nsHexadecimal, 2, 0xFF);
  Edit->SetMaxLength(2);
  QTest::keyClicks(Edit, QStringLiteral("1"));
  EXPECT_EQ(Edit->text(), QStringLiteral("FF"));
  EXPECT_EQ(beeps.Count(), 1);
  Edit->SetValueInteger(0x12345);
  EXPECT_EQ(Edit->text(), QStringLiteral("12345"));
}

TEST_F(ZellNumberEditTest, PasteIsHeldToMaxLength) {
  const struct {
    const char* Name;
    int MaxLength;
    bool SelectAll;
    QString Pasted;
    const char* Shown;
    int Beeps;
  } cases[] = {
      {"over the whole text, cut to the limit", 6, true, "08002B12", "08002B", 1},
      {"fits", 6, true, "1234", "001234", 0},
      {"full field, nothing selected", 6, false, "1", "000055", 1},
      {"no limit", -1, true, "08002B12", "8002B12", 0},
      {"first line only", 6, true, "1234\r\n5678\r\n", "001234", 0},
      {"first line only without a limit", -1, true, "AB\n", "0000AB", 0},
  };
  for (const auto& c : cases) {
    for (const bool editMenu : {false, true}) {
      Prepare(nsHexadecimal, 6, 0x55);
      Edit->SetMaxLength(c.MaxLength);
      QApplication::clipboard()->setText(c.Pasted);
      if (c.SelectAll) Edit->selectAll();
      ParlamineTest::TBeepCounter beeps;
      if (editMenu)
        ASSERT_TRUE(SendClipboardRequest(Edit, TClipboardRequest::crPaste));
      else
        QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
      EXPECT_EQ(Edit->text(), QLatin1String(c.Shown)) << c.Name << " edit menu " << editMenu;
      EXPECT_EQ(beeps.Count(), c.Beeps) << c.Name << " edit menu " << editMenu;
    }
  }
}

// The X11 primary selection; the offscreen platform has none.
TEST_F(ZellNumberEditTest, MiddleButtonPasteIsHeldToMaxLength) {
  if (!QApplication::clipboard()->supportsSelection()) GTEST_SKIP() << "no selection on this platform";
  Prepare(nsHexadecimal, 6, 0x55);
  Edit->SetMaxLength(6);
  QApplication::clipboard()->setText(QStringLiteral("08002B12"), QClipboard::Selection);
  ParlamineTest::TBeepCounter beeps;
  QTest::mouseClick(Edit, Qt::MiddleButton, Qt::NoModifier, QPoint(4, Edit->height() / 2));
  EXPECT_EQ(Edit->text(), QStringLiteral("000055"));
  EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(ZellNumberEditTest, ContextMenuPasteIsHeldToMaxLength) {
  Prepare(nsHexadecimal, 6, 0x55);
  Edit->SetMaxLength(6);
  QApplication::clipboard()->setText(QStringLiteral("08002B12"));
  Edit->selectAll();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2), Edit->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(Edit, &request);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QAction* paste = nullptr;
  for (QAction* action : menu->actions())
    if (action->text().startsWith(QStringLiteral("&Paste"))) paste = action;
  ASSERT_NE(paste, nullptr);
  paste->trigger();
  menu->close();
  EXPECT_EQ(Edit->text(), QStringLiteral("08002B"));
  EXPECT_EQ(Edit->ValueInteger(), 0x08002B);
}

TEST_F(ZellNumberEditTest, DeferredValueChange) {
  Prepare(nsDecimal, -1, 0);
  Edit->SetAllowImmediateValueChange(false);
  QTest::keyClicks(Edit, QStringLiteral("42"));
  EXPECT_EQ(Edit->ValueInteger(), 0);
  QTest::keyClick(Edit, Qt::Key_Return);
  EXPECT_EQ(Edit->ValueInteger(), 42);
  EXPECT_EQ(Edit->text(), QStringLiteral("42")) << "Enter is never inserted";
}

// The field rewrites its text after every edit; Undo and Redo still step
// through what the user did, each restored text read as typed.
TEST_F(ZellNumberEditTest, UndoAndRedoStepThroughTheUsersEdits) {
  const struct {
    const char* Name;
    TNumberStyle Style;
    int Digits;
    int64_t Start;
    std::function<void(TNumberEdit*)> Edit;
    const char* Edited;
  } cases[] = {
      {"a typed digit", nsDecimal, -1, 0, [](TNumberEdit* e) { QTest::keyClicks(e, QStringLiteral("5")); },
       "5"},
      {"a digit shifted into a padded field", nsHexadecimal, 4, 0x12,
       [](TNumberEdit* e) { QTest::keyClicks(e, QStringLiteral("a")); }, "012A"},
      {"Ctrl+V", nsBinary, 4, 1,
       [](TNumberEdit* e) {
         QApplication::clipboard()->setText(QStringLiteral("110"));
         e->selectAll();
         QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
       },
       "0110"},
      {"Ctrl+X", nsDecimal, -1, 42,
       [](TNumberEdit* e) {
         e->selectAll();
         QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
       },
       "0"},
      {"Backspace", nsOctal, -1, 15, [](TNumberEdit* e) { QTest::keyClick(e, Qt::Key_Backspace); },
       "1"},  // "17"
  };
  for (const auto& c : cases) {
    Prepare(c.Style, c.Digits, c.Start);
    const QString before = Edit->text();
    c.Edit(Edit);
    const int64_t edited = Edit->ValueInteger();
    EXPECT_EQ(Edit->text(), QLatin1String(c.Edited)) << c.Name;
    QTest::keyClick(Edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Edit->text(), before) << c.Name;
    EXPECT_EQ(Edit->ValueInteger(), c.Start) << c.Name;
    QTest::keyClick(Edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Edit->text(), before) << c.Name << ": nothing more to undo";
    QTest::keyClick(Edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Edit->text(), QLatin1String(c.Edited)) << c.Name << ": redo";
    EXPECT_EQ(Edit->ValueInteger(), edited) << c.Name << ": redo";
    EXPECT_EQ(Changes, 3) << c.Name;
  }
}

TEST_F(ZellNumberEditTest, AValueFromOutsideStartsTheHistoryAnew) {
  Prepare(nsDecimal, -1, 0);
  QTest::keyClicks(Edit, QStringLiteral("7"));
  Edit->SetValueInteger(300);
  QTest::keyClick(Edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Edit->text(), QStringLiteral("300"));
  // The context menu's Undo follows the same history.
  QTest::keyClicks(Edit, QStringLiteral("1"));
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2), Edit->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(Edit, &request);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QAction* undo = StandardMenuAction(menu, TStandardMenuItem::smUndo);
  ASSERT_NE(undo, nullptr);
  EXPECT_TRUE(undo->isEnabled());
  undo->trigger();
  menu->close();
  EXPECT_EQ(Edit->text(), QStringLiteral("300"));
  EXPECT_EQ(Edit->ValueInteger(), 300);
}

TEST_F(ZellNumberEditTest, ReadOnlyFieldIgnoresTyping) {
  Prepare(nsDecimal, -1, 5);
  Edit->setReadOnly(true);
  QTest::keyClicks(Edit, QStringLiteral("9"));
  EXPECT_EQ(Edit->text(), QStringLiteral("5"));
}

TEST_F(ZellNumberEditTest, KeyDownSeesEveryKeyFirst) {
  int up = 0;
  Edit->SetOnKeyDown([&up](TCustomNumberEdit*, int key) { up += key == Qt::Key_Up; });
  QTest::keyClick(Edit, Qt::Key_Up);
  QTest::keyClick(Edit, Qt::Key_Down);
  EXPECT_EQ(up, 1);
}

}  // namespace
}  // namespace Parlamine
