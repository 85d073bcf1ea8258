// SPDX-License-Identifier: MIT
#include "ZellSpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

#include "ZellClipboardRequest.h"
#include "ZellFeedback.h"
#include "ZellLabel.h"

namespace Parlamine {

namespace {

// The sign shown instead of the number while Infinity is on.
const QChar InfinitySign(0x221E);

constexpr int SpinButtonWidth = 15;
constexpr int SpinButtonHeight = 17;

Qt::Alignment QtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case taRightJustify:
      return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// Resets a flag on every way out of a scope.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
};

// Key sequences that change the text without typing a character.
bool IsEditingShortcut(const QKeyEvent* event) {
  for (QKeySequence::StandardKey key :
       {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Delete,
        QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine}) {
    if (event->matches(key)) return true;
  }
  return event->key() == Qt::Key_Delete;
}

// The character a key press types, if any: Backspace types 8, printable
// keys their character, control combinations their control code.
std::optional<char32_t> TypedCharacter(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) return U'\b';
  if (event->key() == Qt::Key_Delete) return std::nullopt;
  const QString text = event->text();
  if (text.isEmpty()) return std::nullopt;
  const char32_t c = text.toUcs4().value(0);
  if (c == 0x7F) return std::nullopt;
  return c;
}

}  // namespace

TBetterSpinEdit::TBetterSpinEdit(QWidget* parent) : QLineEdit(parent) {
  FSpinButton = new TSpinButton(this);
  FSpinButton->setObjectName(QStringLiteral("SpinButton"));
  FSpinButton->SetFocusControl(this);
  FSpinButton->resize(SpinButtonWidth, SpinButtonHeight);
  connect(FSpinButton, &TSpinButton::OnUpClick, this, [this] { StepUp(); });
  connect(FSpinButton, &TSpinButton::OnDownClick, this, [this] { StepDown(); });
  setText(QStringLiteral("0"));
  setAlignment(QtAlignment(FAlignment));
  setTextMargins(0, 0, SpinButtonWidth, 0);
  UpdateMinimumSize();
  resize(65, 21);
  PlaceSpinButton();
}

void TBetterSpinEdit::SetValue(std::int32_t value) {
  TFlagGuard settingValue(FSettingValue);
  if (FInfinity) return;
  const std::int32_t limited = ClampSpinValue(value, FMinValue, FMaxValue);
  const bool changed = limited != FValue;
  FValue = limited;
  // The text first, so a change handler reads what the field shows.
  setText(QString::number(FValue));
  if (changed) emit OnChange();
}

void TBetterSpinEdit::SetMinValue(std::int32_t value) {
  FMinValue = value;
  SetValue(FValue);
}

void TBetterSpinEdit::SetMaxValue(std::int32_t value) {
  FMaxValue = value;
  SetValue(FValue);
}

void TBetterSpinEdit::SetEditorEnabled(bool enabled) {
  FEditorEnabled = enabled;
  setAcceptDrops(enabled);
}

void TBetterSpinEdit::SetInfinity(bool infinity) {
  if (infinity == FInfinity) return;
  FInfinity = infinity;
  TFlagGuard settingValue(FSettingValue);
  setText(FInfinity ? QString(InfinitySign) : QString::number(FValue));
}

void TBetterSpinEdit::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  setAlignment(QtAlignment(alignment));
}

std::int32_t TBetterSpinEdit::TextToValue() const {
  if (FInfinity) return FValue;
  return SpinTextToValue(text().toStdString(), FValue);
}

bool TBetterSpinEdit::IsValidKey(char32_t key) const { return IsValidSpinKey(key, FEditorEnabled); }

void TBetterSpinEdit::Step(std::int64_t delta, bool up) {
  if (up)
    emit OnUpClicking();
  else
    emit OnDownClicking();
  if (isReadOnly()) {
    Beep();
  } else {
    // What was typed counts as it stands, without limits or an event; the
    // step then goes through the limits.
    FValue = TextToValue();
    SetValue(StepSpinValue(FValue, delta, FMinValue, FMaxValue));
  }
  if (up)
    emit OnUpClick();
  else
    emit OnDownClick();
}

void TBetterSpinEdit::StepUp() { Step(FIncrement, true); }
void TBetterSpinEdit::StepDown() { Step(-std::int64_t{FIncrement}, false); }
void TBetterSpinEdit::FastStepUp() { Step(FFastIncrement, true); }
void TBetterSpinEdit::FastStepDown() { Step(-std::int64_t{FFastIncrement}, false); }

void TBetterSpinEdit::CommitText() { SetValue(TextToValue()); }

bool TBetterSpinEdit::event(QEvent* event) {
  // Without the editor the field is copied from, never changed: the Edit
  // menu is told so, not the line edit's answer.
  if (event->type() == TClipboardQueryEvent::EventType()) {
    auto* query = static_cast<TClipboardQueryEvent*>(event);
    if (query->Request() != TClipboardRequest::crCopy && !CanEdit()) {
      query->Answer(false);
      return true;
    }
  }
  if (event->type() == TClipboardRequestEvent::EventType()) {
    const auto request = static_cast<TClipboardRequestEvent*>(event)->Request();
    if (request != TClipboardRequest::crCopy && !CanEdit()) {
      event->accept();  // refused: the request must not fall back to the line edit
      return true;
    }
  }
  return QLineEdit::event(event);
}

void TBetterSpinEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      StepUp();
      event->accept();
      return;
    case Qt::Key_Down:
      StepDown();
      event->accept();
      return;
    case Qt::Key_PageUp:
      FastStepUp();
      event->accept();
      return;
    case Qt::Key_PageDown:
      FastStepDown();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter never types a line break: it commits the typed number.
      CommitText();
      event->accept();
      return;
    default:
      break;
  }
  if (!FEditorEnabled && IsEditingShortcut(event)) {
    event->accept();
    return;
  }
  if (const auto typed = TypedCharacter(event); typed && !IsValidKey(*typed)) {
    Beep();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TBetterSpinEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (FAutoSelect && event->reason() != Qt::MouseFocusReason) selectAll();
}

void TBetterSpinEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A context menu opening over the field does not leave it: committing
  // would rewrite the text and lose the selection the menu acts on.
  if (!FSettingValue && event->reason() != Qt::PopupFocusReason) CommitText();
}

int TBetterSpinEdit::MinimumHeight() const {
  const int fontHeight = fontMetrics().height();
  const int systemFontHeight = QFontMetrics(QApplication::font()).height();
  return SpinEditMinHeight(fontHeight, systemFontHeight, 1);
}

void TBetterSpinEdit::UpdateMinimumSize() { setMinimumSize(SpinEditMinWidth, MinimumHeight()); }

void TBetterSpinEdit::PlaceSpinButton() {
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const TRect bounds = SpinButtonBounds({width(), height()}, FSpinButton->width(), frame);
  FSpinButton->setGeometry(ToQRect(bounds));
}

void TBetterSpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  if (width() < SpinEditMinWidth || height() < MinimumHeight()) {
    resize(std::max(width(), SpinEditMinWidth), std::max(height(), MinimumHeight()));
    return;
  }
  PlaceSpinButton();
}

void TBetterSpinEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    UpdateMinimumSize();
    PlaceSpinButton();
  }
}

void TBetterSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (!CanEdit()) {
    for (TStandardMenuItem item :
         {TStandardMenuItem::smCut, TStandardMenuItem::smPaste, TStandardMenuItem::smDelete,
          TStandardMenuItem::smUndo, TStandardMenuItem::smRedo}) {
      if (QAction* action = StandardMenuAction(menu, item)) action->setEnabled(false);
    }
  }
  menu->popup(event->globalPos());
}

void TBetterSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection: refused like any other paste.
  if (event->button() == Qt::MiddleButton && !CanEdit()) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

QSize TBetterSpinEdit::sizeHint() const {
  return QSize(65, std::max(MinimumHeight(), QLineEdit::sizeHint().height()));
}

}  // namespace Parlamine
