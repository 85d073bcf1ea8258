// SPDX-License-Identifier: MIT
// The clipboard and undo keys and the Edit menu on the real window: every
// calculator, every inner page, every control that takes the focus. Text
// fields copy, paste, cut, undo and select all themselves; results are copied
// from and never change; the other controls are left as they were.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "Main.h"
#include "QStringPrinter.h"
#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellLabel.h"

using namespace Parlamine;

namespace {

// How a control answers the keys.
enum class TKind {
  kWritable,  // a text field: copies, pastes, cuts, undoes, selects all
  kReadOnly,  // a result: copies and selects all, never changes
  kOther,     // buttons, lists, check boxes, tab bars: the keys change nothing
  kElsewhere  // tables, grids, bit maps and drawn views: they copy, never take a paste
};

bool InsideOwnView(const QWidget* w) {
  for (; w; w = w->parentWidget())
    for (const char* view : {"QAbstractItemView", "Parlamine::TZellCustomPanel",
                             "Parlamine::TNetworkSetupEditor", "Parlamine::TBitMapTextBox"})
      if (w->inherits(view)) return true;
  return false;
}

TKind KindOf(QWidget* w) {
  if (InsideOwnView(w)) return TKind::kElsewhere;
  if (const auto* edit = qobject_cast<QLineEdit*>(w))
    return edit->isReadOnly() ? TKind::kReadOnly : TKind::kWritable;
  if (const auto* memo = qobject_cast<QPlainTextEdit*>(w))
    return memo->isReadOnly() ? TKind::kReadOnly : TKind::kWritable;
  if (const auto* box = qobject_cast<TZellCustomTextBox*>(w); box && box->Selectable())
    return TKind::kReadOnly;
  return TKind::kOther;
}

QString TextOf(QWidget* w) {
  if (const auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  if (const auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->toPlainText();
  return qobject_cast<TZellCustomTextBox*>(w)->text();
}

QString SelectionOf(QWidget* w) {
  if (const auto* edit = qobject_cast<QLineEdit*>(w)) return edit->selectedText();
  if (const auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->textCursor().selectedText();
  return qobject_cast<TZellCustomTextBox*>(w)->SelectedText();
}

// What the keys must not change on a control that is no text: its own state,
// the calculator and its inner page, and where the focus is.
QString StateOf(const TMainForm& form, QWidget* w) {
  QString state = QString::number(static_cast<int>(form.CurrentCalculator()));
  for (const QTabWidget* pages : form.findChildren<QTabWidget*>())
    state += QStringLiteral(" %1").arg(pages->currentIndex());
  if (const auto* button = qobject_cast<QAbstractButton*>(w))
    state += QStringLiteral(" checked %1").arg(button->isChecked());
  if (const auto* list = qobject_cast<QComboBox*>(w))
    state += QStringLiteral(" item %1").arg(list->currentIndex());
  if (const auto* tabs = qobject_cast<QTabBar*>(w))
    state += QStringLiteral(" tab %1").arg(tabs->currentIndex());
  const QWidget* focus = QApplication::focusWidget();
  return state + QStringLiteral(" focus ") + (focus ? focus->objectName() : QStringLiteral("<none>"));
}

class MainEditKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile::remove(TMainForm::SettingsFileName());
    Form = std::make_unique<TMainForm>();
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  }
  void TearDown() override {
    Form.reset();
    QFile::remove(TMainForm::SettingsFileName());
  }

  // The key as the keyboard sends it: Ctrl with a letter types its control
  // character, not the letter.
  static void Press(QKeySequence::StandardKey key) {
    const QKeyCombination combination = QKeySequence::keyBindings(key).value(0)[0];
    const bool letter = combination.key() >= Qt::Key_A && combination.key() <= Qt::Key_Z;
    const QString text = letter ? QString(QChar(combination.key() - Qt::Key_A + 1)) : QString();
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), combination.key(), text,
                        combination.keyboardModifiers());
  }
  static void SetClipboard(const QString& text) { QApplication::clipboard()->setText(text); }
  static QString Clipboard() { return QApplication::clipboard()->text(); }

  // The Edit menu as it shows when opened, and its item chosen when enabled.
  bool Enabled(const char* item) {
    Form->EditMenuClick();
    return Form->findChild<QAction*>(QLatin1String(item))->isEnabled();
  }
  void Choose(const char* item) {
    if (Enabled(item)) Form->findChild<QAction*>(QLatin1String(item))->trigger();
  }

  void CheckWritable(QWidget* w);
  void CheckReadOnly(QWidget* w);
  void CheckOther(QWidget* w);
  void CheckElsewhere(QWidget* w);
  // One check for each kind, in the order of TKind.
  static constexpr void (MainEditKeysTest::*Checks[])(QWidget*) = {
      &MainEditKeysTest::CheckWritable, &MainEditKeysTest::CheckReadOnly, &MainEditKeysTest::CheckOther,
      &MainEditKeysTest::CheckElsewhere};

  std::unique_ptr<TMainForm> Form;
};

// Two pastes every text field reads as it is ("1" and "10" are numbers of
// every base, octets, and lines of text), then undone back to the start.
void MainEditKeysTest::CheckWritable(QWidget* w) {
  const QString original = TextOf(w);
  QApplication::clipboard()->clear();
  EXPECT_FALSE(Enabled("EditPasteItem")) << "nothing to paste";

  SetClipboard(QStringLiteral("1"));
  Press(QKeySequence::SelectAll);
  Press(QKeySequence::Paste);
  const QString first = TextOf(w);
  EXPECT_TRUE(first.contains(QLatin1Char('1'))) << "Ctrl+V gave " << first.toStdString();
  Press(QKeySequence::SelectAll);
  EXPECT_EQ(SelectionOf(w), first) << "Ctrl+A";
  EXPECT_TRUE(Enabled("EditCopyItem"));
  SetClipboard(QStringLiteral("-"));
  Press(QKeySequence::Copy);
  EXPECT_EQ(Clipboard(), first) << "Ctrl+C";

  SetClipboard(QStringLiteral("10"));
  Press(QKeySequence::SelectAll);
  EXPECT_TRUE(Enabled("EditPasteItem"));
  Choose("EditPasteItem");
  const QString second = TextOf(w);
  EXPECT_TRUE(second.contains(QStringLiteral("10"))) << "Edit > Paste gave " << second.toStdString();
  Press(QKeySequence::SelectAll);
  SetClipboard(QStringLiteral("-"));
  Choose("EditCopyItem");
  EXPECT_EQ(Clipboard(), second) << "Edit > Copy";

  Press(QKeySequence::Undo);
  EXPECT_EQ(TextOf(w), first) << "Ctrl+Z";
  Press(QKeySequence::Redo);
  EXPECT_EQ(TextOf(w), second) << "redo";
  Press(QKeySequence::SelectAll);
  Press(QKeySequence::Cut);
  EXPECT_EQ(Clipboard(), second) << "Ctrl+X";
  EXPECT_NE(TextOf(w), second) << "Ctrl+X";
  Press(QKeySequence::Undo);
  EXPECT_EQ(TextOf(w), second) << "Ctrl+Z after Ctrl+X";
  EXPECT_EQ(QApplication::focusWidget(), w);
  for (int step = 0; step < 4 && TextOf(w) != original; ++step) Press(QKeySequence::Undo);
  EXPECT_EQ(TextOf(w), original) << "undone back to the start";
}

void MainEditKeysTest::CheckReadOnly(QWidget* w) {
  const QString shown = TextOf(w);
  ASSERT_FALSE(shown.isEmpty());
  Press(QKeySequence::SelectAll);
  EXPECT_EQ(SelectionOf(w), shown) << "Ctrl+A";
  SetClipboard(QStringLiteral("1"));
  Press(QKeySequence::Copy);
  EXPECT_EQ(Clipboard(), shown) << "Ctrl+C";
  SetClipboard(QStringLiteral("1"));
  EXPECT_TRUE(Enabled("EditCopyItem"));
  EXPECT_FALSE(Enabled("EditPasteItem"));
  Choose("EditCopyItem");
  EXPECT_EQ(Clipboard(), shown) << "Edit > Copy";
  SetClipboard(QStringLiteral("1"));
  for (QKeySequence::StandardKey key :
       {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo}) {
    Press(QKeySequence::SelectAll);
    Press(key);
    EXPECT_EQ(TextOf(w), shown) << "key " << key;
  }
  SendClipboardRequest(w, TClipboardRequest::crPaste);
  EXPECT_EQ(TextOf(w), shown) << "Edit > Paste";
  EXPECT_EQ(Clipboard(), QStringLiteral("1")) << "Ctrl+X cut nothing";
}

void MainEditKeysTest::CheckOther(QWidget* w) {
  const QString before = StateOf(*Form, w);
  EXPECT_FALSE(Enabled("EditCopyItem"));
  EXPECT_FALSE(Enabled("EditPasteItem"));
  SetClipboard(QStringLiteral("1"));
  for (QKeySequence::StandardKey key : {QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut,
                                        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll})
    Press(key);
  EXPECT_EQ(StateOf(*Form, w), before);
  EXPECT_EQ(Clipboard(), QStringLiteral("1"));
}

// The keys must not break them; what they do is their own.
void MainEditKeysTest::CheckElsewhere(QWidget* w) {
  const ParlamineTest::TMessageBoxScript answers(
      std::deque<QMessageBox::StandardButton>(20, QMessageBox::No));
  SetClipboard(QStringLiteral("10"));
  EXPECT_FALSE(Enabled("EditPasteItem")) << "a view takes no paste";
  const bool canCopy = CanCarryOut(w, TClipboardRequest::crCopy);
  EXPECT_EQ(Enabled("EditCopyItem"), canCopy);
  // A table asks before copying all its rows (answered No here); a picture
  // or a grid copies at once.
  if (canCopy && !qobject_cast<QTableView*>(w)) {
    QApplication::clipboard()->clear();
    Press(QKeySequence::Copy);
    EXPECT_TRUE(!QApplication::clipboard()->image().isNull() || !Clipboard().isEmpty()) << "Ctrl+C copies";
  }
  for (QKeySequence::StandardKey key : {QKeySequence::SelectAll, QKeySequence::Paste, QKeySequence::Cut,
                                        QKeySequence::Undo, QKeySequence::Redo})
    Press(key);
  if (QApplication::focusWidget() == w) {
    EXPECT_EQ(Enabled("EditCopyItem"), CanCarryOut(w, TClipboardRequest::crCopy));
  }
}

TEST_F(MainEditKeysTest, EveryControlOfEveryCalculatorAnswersTheKeysAsItShould) {
  const struct {
    Qt::Key Shortcut;
    const char* InnerPages;
  } calculators[] = {{Qt::Key_H, "RadixerPageControl"},
                     {Qt::Key_I, "IPSubnetPageControl"},
                     {Qt::Key_L, "LatencyPageControl"},
                     {Qt::Key_P, "PrefixPageControl"}};
  std::map<TKind, int> checked;
  for (const auto& calculator : calculators) {
    QTest::keyClick(QApplication::focusWidget(), calculator.Shortcut, Qt::ControlModifier);
    auto* pages = ParlamineTest::FindNamed<QTabWidget>(Form.get(), calculator.InnerPages);
    ASSERT_NE(pages, nullptr);
    std::set<QWidget*> done;
    for (int page = 0; page < pages->count(); ++page) {
      if (!pages->isTabVisible(page)) continue;
      pages->setCurrentIndex(page);
      QWidget* sheet = Form->findChild<QTabWidget*>(QStringLiteral("MainPageControl"))->currentWidget();
      for (QWidget* w : sheet->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus || w->focusProxy() ||
            !done.insert(w).second)
          continue;
        SCOPED_TRACE(calculator.InnerPages + QStringLiteral(" %1 ").arg(page).toStdString() +
                     w->metaObject()->className() + " " + w->objectName().toStdString());
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), w);
        const TKind kind = KindOf(w);
        (this->*Checks[static_cast<int>(kind)])(w);
        ++checked[kind];
      }
    }
  }
  // The number fields, octets, prefix and list; the results; the rest.
  EXPECT_GE(checked[TKind::kWritable], 12);
  EXPECT_GE(checked[TKind::kReadOnly], 20);
  EXPECT_GE(checked[TKind::kOther], 40);
  EXPECT_GE(checked[TKind::kElsewhere], 8);
}

// Opened from the keyboard the menu bar takes the focus; the items still act
// on the control that had it, here the Summarize box.
TEST_F(MainEditKeysTest, TheMenuOpenedFromTheKeyboardActsOnTheControlThatHadTheFocus) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
  ParlamineTest::FindNamed<QTabWidget>(Form.get(), "PrefixPageControl")->setCurrentIndex(2);
  auto* memo = ParlamineTest::FindNamed<QPlainTextEdit>(Form.get(), "SummarizeMemo");
  memo->setPlainText(QStringLiteral("10.0.0.0/8"));
  memo->setFocus();
  memo->selectAll();
  const auto menuKey = [](Qt::Key key) { QTest::keyClick(QApplication::activePopupWidget(), key); };

  SetClipboard(QStringLiteral("-"));
  QTest::keyClick(memo, Qt::Key_E, Qt::AltModifier);  // Edit, on Copy
  menuKey(Qt::Key_Return);
  EXPECT_EQ(Clipboard(), QStringLiteral("10.0.0.0/8"));

  SetClipboard(QStringLiteral("192.0.2.0/24"));
  memo->selectAll();
  QTest::keyClick(memo, Qt::Key_F10);  // File
  menuKey(Qt::Key_Right);              // Edit, on Copy
  menuKey(Qt::Key_Down);               // Paste
  menuKey(Qt::Key_Return);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("192.0.2.0/24"));
  EXPECT_EQ(QApplication::focusWidget(), memo);
}

}  // namespace
