// SPDX-License-Identifier: MIT
// A one-line edit that holds a number and shows it in one of five styles. It
// lets the user type only what the style allows, enters digits calculator-
// style (a new digit pushes a leading zero out of a padded field) and keeps
// its value and its text in step. Text that does not parse never reaches the
// value: the field silently shows the current value again.
//
// As the field rewrites its text after every edit, which empties a line
// edit's own undo history, it keeps its own: each edit of the user's (typing,
// paste, cut, delete) is one step of Undo (Ctrl+Z) and Redo, and a restored
// text is read like typed text. A value set from outside starts the history
// anew.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "RadixerModel.h"
#include "ZellClipboardRequest.h"

namespace Parlamine {

class TCustomNumberEdit;

// (Sender): after the value changed and the text shows it.
using TNumberNotifyEvent = std::function<void(TCustomNumberEdit* Sender)>;
// (Sender, var NewValue): before a new value is stored; the handler may change
// it, and setting it back to the stored value cancels the change.
using TNumberValueChangingIntegerEvent =
    std::function<void(TCustomNumberEdit* Sender, int64_t& NewValueInteger)>;
using TNumberValueChangingFloatEvent = std::function<void(TCustomNumberEdit* Sender, double& NewValueFloat)>;
// (Sender, Key): a key went down in the field, before the field handles it.
using TNumberKeyEvent = std::function<void(TCustomNumberEdit* Sender, int Key)>;

// (Sender, Pasted): the clipboard's first line before it goes in. A text
// returned replaces the field's whole text, as if the user had selected it all
// and pasted that text; nothing returned lets the paste go on as usual.
using TNumberPasteEvent =
    std::function<std::optional<QString>(TCustomNumberEdit* Sender, const QString& Pasted)>;

class TCustomNumberEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TCustomNumberEdit(QWidget* parent = nullptr);

  bool AllowImmediateValueChange() const { return FAllowImmediateValueChange; }
  void SetAllowImmediateValueChange(bool allow);
  bool AllowNegative() const { return FAllowNegative; }
  void SetAllowNegative(bool allow);
  // Minimum digit count of the integer styles (zero padding), decimals of
  // nsFloat; -1 means none. Kept between -1 and, for nsFloat, 18.
  int Digits() const { return FDigits; }
  void SetDigits(int digits);
  TNumberStyle NumberStyle() const { return FNumberStyle; }
  void SetNumberStyle(TNumberStyle style);
  // The limit on what the user can type; -1 or 0 means none. Text the field
  // formats itself is never cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int maxLength);

  int64_t ValueInteger() const { return FValueInteger; }
  void SetValueInteger(int64_t value);
  double ValueFloat() const { return FValueFloat; }
  void SetValueFloat(double value);

  void SetOnValueChanged(TNumberNotifyEvent handler) { FOnValueChanged = std::move(handler); }
  void SetOnValueChangingInteger(TNumberValueChangingIntegerEvent handler) {
    FOnValueChangingInteger = std::move(handler);
  }
  void SetOnValueChangingFloat(TNumberValueChangingFloatEvent handler) {
    FOnValueChangingFloat = std::move(handler);
  }
  void SetOnKeyDown(TNumberKeyEvent handler) { FOnKeyDown = std::move(handler); }
  void SetOnPaste(TNumberPasteEvent handler) { FOnPaste = std::move(handler); }

  // Value to text, keeping the caret's distance from the right end.
  void UpdateText();
  // Text to value; text that does not parse is replaced by the current value.
  void UpdateValue();
  bool IsValidChar(QChar c) const;

  bool CanUndo() const { return !isReadOnly() && !FUndoStates.empty(); }
  bool CanRedo() const { return !isReadOnly() && !FRedoStates.empty(); }
  void Undo();
  void Redo();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct TEditState {
    QString Text;
    int Caret = 0;
  };
  // Marks the user's edit while alive; the outermost one records the text it
  // replaced as an undo step.
  class TUserEdit {
   public:
    explicit TUserEdit(TCustomNumberEdit& edit);
    ~TUserEdit();
    TUserEdit(const TUserEdit&) = delete;
    TUserEdit& operator=(const TUserEdit&) = delete;

   private:
    TCustomNumberEdit& FEdit;
  };
  TEditState CurrentState() const { return {text(), cursorPosition()}; }
  void TextChanged();
  void EndUserEdit();
  void RestoreState(std::vector<TEditState>& from, std::vector<TEditState>& to);
  void CarryOutClipboardRequest(TClipboardRequest request);

  bool HasParentWindow() const { return parentWidget() != nullptr; }
  QString FormatValue() const;
  void TypeCharacter(QChar c);
  void ShowLettersInCapitals();
  void PasteWithinMaxLength(QClipboard::Mode mode = QClipboard::Clipboard);
  void DoValueChanged();

  bool FAllowImmediateValueChange = true;
  bool FAllowNegative = true;
  int FDigits = -1;
  TNumberStyle FNumberStyle = TNumberStyle::nsDecimal;
  int FMaxLength = -1;
  double FValueFloat = 0.0;
  int64_t FValueInteger = 0;
  TNumberNotifyEvent FOnValueChanged;
  TNumberValueChangingIntegerEvent FOnValueChangingInteger;
  TNumberValueChangingFloatEvent FOnValueChangingFloat;
  TNumberKeyEvent FOnKeyDown;
  TNumberPasteEvent FOnPaste;
  std::vector<TEditState> FUndoStates;
  std::vector<TEditState> FRedoStates;
  TEditState FSettled;  // the text after the last edit, the next undo step
  int FUserEditDepth = 0;
};

class TNumberEdit : public TCustomNumberEdit {
  Q_OBJECT
 public:
  explicit TNumberEdit(QWidget* parent = nullptr);
};

}  // namespace Parlamine
