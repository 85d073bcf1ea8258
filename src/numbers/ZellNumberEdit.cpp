// SPDX-License-Identifier: MIT
#include "ZellNumberEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "ZellBinDecHex.h"
#include "ZellGlobal.h"

namespace Parlamine {

namespace {

constexpr int MaxFloatDigits = 18;

// The float truncated toward zero, held within the 64-bit range (a cast of a
// value outside it would be undefined); NaN counts as 0.
int64_t TruncateToInt64(double value) {
  if (std::isnan(value)) return 0;
  constexpr double Limit = 9223372036854775808.0;  // 2^63
  if (value >= Limit) return std::numeric_limits<int64_t>::max();
  if (value < -Limit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

// The events through which the user edits the text (typing, the clipboard
// keys, drops, the middle button, a drag that moves the selection away) or
// commits it (leaving the field).
bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::FocusOut:
      return true;
    default:
      return false;
  }
}

}  // namespace

TCustomNumberEdit::TCustomNumberEdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Only the user's own edits (typing, paste, cut, undo) parse the text; the
  // texts the field sets itself do not come through here.
  connect(this, &QLineEdit::textEdited, this, [this] {
    ShowLettersInCapitals();
    if (FAllowImmediateValueChange) UpdateValue();
  });
  connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
  UpdateText();
}

TCustomNumberEdit::TUserEdit::TUserEdit(TCustomNumberEdit& edit) : FEdit(edit) { ++FEdit.FUserEditDepth; }

TCustomNumberEdit::TUserEdit::~TUserEdit() {
  if (--FEdit.FUserEditDepth == 0) FEdit.EndUserEdit();
}

// A text set from outside (a new value, style or padding) starts the history
// anew; the user's own edits are recorded when they end.
void TCustomNumberEdit::TextChanged() {
  if (FUserEditDepth > 0) return;
  FUndoStates.clear();
  FRedoStates.clear();
  FSettled = CurrentState();
}

void TCustomNumberEdit::EndUserEdit() {
  if (text() == FSettled.Text) return;
  FUndoStates.push_back(FSettled);
  FRedoStates.clear();
  FSettled = CurrentState();
}

void TCustomNumberEdit::Undo() { RestoreState(FUndoStates, FRedoStates); }

void TCustomNumberEdit::Redo() { RestoreState(FRedoStates, FUndoStates); }

// The restored text is read as typed text would be, so value and text stay
// in step (and the other fields of a calculator follow).
void TCustomNumberEdit::RestoreState(std::vector<TEditState>& from, std::vector<TEditState>& to) {
  if (isReadOnly() || from.empty()) return;
  to.push_back(CurrentState());
  const TEditState state = from.back();
  from.pop_back();
  ++FUserEditDepth;  // recorded here, not as a new edit
  setText(state.Text);
  setCursorPosition(state.Caret);
  if (FAllowImmediateValueChange) UpdateValue();
  --FUserEditDepth;
  FSettled = CurrentState();
}

void TCustomNumberEdit::SetAllowImmediateValueChange(bool allow) {
  if (allow == FAllowImmediateValueChange) return;
  FAllowImmediateValueChange = allow;
  UpdateValue();
}

void TCustomNumberEdit::SetAllowNegative(bool allow) {
  if (allow == FAllowNegative) return;
  FAllowNegative = allow;
  if (!allow && FValueFloat < 0) SetValueFloat(-FValueFloat);
}

void TCustomNumberEdit::SetDigits(int digits) {
  digits = std::max(digits, -1);
  if (FNumberStyle == TNumberStyle::nsFloat) digits = std::min(digits, MaxFloatDigits);
  if (digits == FDigits) return;
  FDigits = digits;
  UpdateText();
}

void TCustomNumberEdit::SetNumberStyle(TNumberStyle style) {
  if (style == FNumberStyle) return;
  FNumberStyle = style;
  UpdateText();
}

void TCustomNumberEdit::SetMaxLength(int maxLength) { FMaxLength = maxLength; }

void TCustomNumberEdit::SetValueInteger(int64_t value) {
  if (!FAllowNegative && value < 0) {
    // The smallest value has no positive counterpart: it is not taken.
    if (value == std::numeric_limits<int64_t>::min()) return;
    value = -value;
  }
  if (value == FValueInteger) return;
  if (FOnValueChangingInteger) FOnValueChangingInteger(this, value);
  if (value == FValueInteger) return;
  FValueInteger = value;
  FValueFloat = static_cast<double>(value);
  UpdateText();
  DoValueChanged();
}

void TCustomNumberEdit::SetValueFloat(double value) {
  if (!FAllowNegative && value < 0) value = -value;
  if (value == FValueFloat) return;
  if (FOnValueChangingFloat) FOnValueChangingFloat(this, value);
  if (value == FValueFloat) return;
  FValueFloat = value;
  FValueInteger = TruncateToInt64(value);
  UpdateText();
  DoValueChanged();
}

void TCustomNumberEdit::DoValueChanged() {
  if (FOnValueChanged) FOnValueChanged(this);
}

QString TCustomNumberEdit::FormatValue() const {
  if (FNumberStyle == TNumberStyle::nsFloat) {
    const QLocale locale;
    return FDigits < 0 ? locale.toString(FValueFloat, 'g', 15) : locale.toString(FValueFloat, 'f', FDigits);
  }
  return QString::fromStdString(FormatInteger(FNumberStyle, FValueInteger, FDigits));
}

void TCustomNumberEdit::UpdateText() {
  if (!HasParentWindow()) return;
  const int tail = static_cast<int>(text().size()) - cursorPosition();
  const QString formatted = FormatValue();
  setText(formatted);
  setCursorPosition(std::max(0, static_cast<int>(formatted.size()) - tail));
}

void TCustomNumberEdit::UpdateValue() {
  if (!HasParentWindow()) return;
  const double remembered = FValueFloat;
  const QString current = text();
  if (current.isEmpty()) {
    SetValueInteger(0);
    return;
  }
  try {
    if (FNumberStyle == TNumberStyle::nsFloat) {
      bool ok = false;
      const double value = QLocale().toDouble(current, &ok);
      if (!ok || !std::isfinite(value)) throw EConvertError("not a floating-point value");
      SetValueFloat(value);
      if (value != FValueFloat) UpdateText();
    } else {
      const int64_t value = ParseInteger(FNumberStyle, current.toStdString());
      if (!FAllowNegative && value == std::numeric_limits<int64_t>::min())
        throw EConvertError("no positive counterpart");
      SetValueInteger(value);
      // A number limited by the changing handler, or with its sign dropped,
      // may leave the value as it was: no value change then re-formats the
      // text, which would go on showing a number other than the value.
      if (value != FValueInteger) UpdateText();
    }
  } catch (const EConvertError&) {
    SetValueFloat(remembered);
    UpdateText();
  }
}

bool TCustomNumberEdit::IsValidChar(QChar c) const {
  const char16_t code = c.unicode();
  if (code > 127) return false;
  const char ch = static_cast<char>(code);
  switch (FNumberStyle) {
    case TNumberStyle::nsBinary:
      return IsBinDigit(ch);
    case TNumberStyle::nsDecimal:
      return IsDecDigit(ch) || (FAllowNegative && (ch == '+' || ch == '-'));
    case TNumberStyle::nsFloat:
      return IsDecDigit(ch) || ch == '+' || ch == '-' || ch == '.' || ch == 'E' || ch == 'e';
    case TNumberStyle::nsHexadecimal:
      return IsHexDigit(ch);
    case TNumberStyle::nsOctal:
      return IsOctDigit(ch);
  }
  return false;
}

bool TCustomNumberEdit::event(QEvent* event) {
  if (event->type() == TClipboardRequestEvent::EventType()) {
    CarryOutClipboardRequest(static_cast<TClipboardRequestEvent*>(event)->Request());
    event->accept();  // a refused request too: it must not reach the line edit
    return true;
  }
  std::optional<TUserEdit> edit;
  if (IsUserInput(event->type())) edit.emplace(*this);
  return QLineEdit::event(event);
}

// The Edit menu's and the context menu's requests, as one edit each. A plain
// line edit's cut(), paste() and del() change even a read-only text; a result
// field only gives its text away.
void TCustomNumberEdit::CarryOutClipboardRequest(TClipboardRequest request) {
  const TUserEdit edit(*this);
  if (request == TClipboardRequest::crCopy) {
    copy();
    return;
  }
  if (isReadOnly()) return;
  switch (request) {
    case TClipboardRequest::crCut:
      cut();
      break;
    case TClipboardRequest::crClear:
      del();
      break;
    case TClipboardRequest::crPaste:
      PasteWithinMaxLength();
      break;
    case TClipboardRequest::crCopy:
      break;
  }
}

void TCustomNumberEdit::keyPressEvent(QKeyEvent* event) {
  if (FOnKeyDown) FOnKeyDown(this, event->key());
  if (isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Never inserted; with deferred parsing it commits the text.
    event->accept();
    if (!FAllowImmediateValueChange) UpdateValue();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    PasteWithinMaxLength();
    return;
  }
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
    event->accept();
    if (event->matches(QKeySequence::Undo))
      Undo();
    else
      Redo();
    return;
  }
  const QString typed = event->text();
  const bool commandKey = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const bool character = typed.size() == 1 && typed[0].unicode() >= 32 && typed[0].unicode() != 127;
  if (commandKey || !character) {
    // Backspace, Delete, the caret keys and the clipboard shortcuts work as
    // in any edit; what they leave is parsed like typed text.
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
  if (IsValidChar(typed[0])) TypeCharacter(typed[0]);
}

void TCustomNumberEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The items follow the field's own rules as their keys do: its undo
  // history, and the length limit on pastes.
  if (QAction* undo = ReplaceStandardMenuAction(menu, TStandardMenuItem::smUndo, [this] { Undo(); }))
    undo->setEnabled(CanUndo());
  if (QAction* redo = ReplaceStandardMenuAction(menu, TStandardMenuItem::smRedo, [this] { Redo(); }))
    redo->setEnabled(CanRedo());
  const std::pair<TStandardMenuItem, TClipboardRequest> requests[] = {
      {TStandardMenuItem::smCut, TClipboardRequest::crCut},
      {TStandardMenuItem::smPaste, TClipboardRequest::crPaste},
      {TStandardMenuItem::smDelete, TClipboardRequest::crClear}};
  for (const auto& [item, request] : requests)
    ReplaceStandardMenuAction(menu, item, [this, request] { CarryOutClipboardRequest(request); });
  menu->popup(event->globalPos());
  event->accept();
}

// A paste is held to MaxLength as typing is: of the clipboard text only what
// fits beside the text that stays goes in, so a pasted 8-digit number cannot
// turn a 6-digit field into an 8-digit one.
void TCustomNumberEdit::PasteWithinMaxLength(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const TUserEdit edit(*this);
  QString pasted = QGuiApplication::clipboard()->text(mode);
  // A one-line field takes the clipboard's first line, as a copied table row
  // or a line from a text file ends with a line break.
  const qsizetype lineEnd = pasted.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  if (lineEnd >= 0) pasted.truncate(lineEnd);
  if (FOnPaste) {
    if (const std::optional<QString> replacement = FOnPaste(this, pasted)) {
      selectAll();
      insert(*replacement);
      return;
    }
  }
  if (FMaxLength > 0) {
    const qsizetype kept = text().size() - selectedText().size();
    const qsizetype room = std::max<qsizetype>(0, FMaxLength - kept);
    if (pasted.size() > room) {
      Beep();  // the limit on typed text, as a standard edit reports it
      pasted.truncate(room);
    }
  }
  if (pasted.isEmpty() && !hasSelectedText()) return;
  insert(pasted);
}

// Calculator-style entry: a selection is replaced; without one, a leading
// zero is pushed out so a padded field keeps its width while digits shift in
// from the right. The caret keeps its distance from the right end.
void TCustomNumberEdit::TypeCharacter(QChar c) {
  QString shortened = text();
  int tail = 0;
  if (hasSelectedText()) {
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    tail = static_cast<int>(shortened.size()) - start - length;
    shortened.remove(start, length);
  } else {
    tail = static_cast<int>(shortened.size()) - cursorPosition();
    if (!shortened.isEmpty() && shortened[0] == QLatin1Char('0')) shortened.remove(0, 1);
  }
  if (FMaxLength > 0 && shortened.size() >= FMaxLength) {
    Beep();  // the limit on typed text, as a standard edit reports it
    return;
  }
  setText(shortened);
  setCursorPosition(
      std::clamp(static_cast<int>(shortened.size()) - tail, 0, static_cast<int>(shortened.size())));
  insert(QString(c.toUpper()));
}

// Letters show in capitals however they came in: typed ones are raised as
// they are typed, pasted or dropped ones here. Only a to z are raised, so the
// text keeps its length and the caret its place.
void TCustomNumberEdit::ShowLettersInCapitals() {
  QString shown = text();
  bool raised = false;
  for (QChar& c : shown) {
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
      c = QChar(c.unicode() - 'a' + 'A');
      raised = true;
    }
  }
  if (!raised) return;
  const int caret = cursorPosition();
  setText(shown);
  setCursorPosition(caret);
}

void TCustomNumberEdit::focusOutEvent(QFocusEvent* event) {
  if (!FAllowImmediateValueChange) UpdateValue();
  QLineEdit::focusOutEvent(event);
}

void TCustomNumberEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection: held to the same rules as Ctrl+V.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    if (!isReadOnly()) {
      setCursorPosition(cursorPositionAt(event->position().toPoint()));
      PasteWithinMaxLength(QClipboard::Selection);
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TCustomNumberEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::ParentChange) UpdateText();
}

TNumberEdit::TNumberEdit(QWidget* parent) : TCustomNumberEdit(parent) {}

}  // namespace Parlamine
