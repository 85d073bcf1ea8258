// SPDX-License-Identifier: MIT
// TIPEdit: one IPv4 address entered as four decimal octets, each in its own
// TIPFieldEdit, with the dots painted between them.
#pragma once

#include <QFrame>
#include <QLineEdit>
#include <array>
#include <cstdint>
#include <functional>

#include "IPAddressText.h"

namespace Parlamine {

class TIPEdit;

// One octet. `Value` changes only by a commit (leaving the field, Enter, or
// the third digit moving the focus on) or by value assignment; typing alone
// never changes it.
class TIPFieldEdit : public QLineEdit {
  Q_OBJECT
 public:
  TIPFieldEdit(TIPEdit* owner, int fieldIndex);

  int FieldIndex() const { return FFieldIndex; }
  uint8_t Value() const { return FValue; }
  // Value assignment: clamped to the bounds, text refreshed, no event.
  void SetValue(int value);
  uint8_t MinValue() const { return FMinValue; }
  uint8_t MaxValue() const { return FMaxValue; }
  // Each setter keeps MinValue <= MaxValue and then commits the field.
  void SetMinValue(uint8_t value);
  void SetMaxValue(uint8_t value);
  bool Placeholder() const { return FPlaceholder; }
  // A placeholder is read-only and shows the owner's UnusedText.
  void SetPlaceholder(bool placeholder);

  // Shows the value (or the unused text); assigns only a different text.
  void RefreshText();
  // Reads the text into Value and tells the owner when the value changed.
  void CommitValue();

  // Pastes the text as the user's paste would (Ctrl+V, Shift+Insert, the
  // context menu, Edit > Paste, the middle button, a drop): a whole dotted
  // address fills all four octets; anything else goes into this field as
  // pasted text. A read-only field takes nothing.
  void PasteText(const QString& text);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  friend class TIPEdit;
  bool HandleNavigationKey(QKeyEvent* event);
  uint8_t Clamp(int value) const;

  TIPEdit* FOwner;  // cleared when the owner is destroyed before its fields
  int FFieldIndex;
  uint8_t FValue = 0;
  uint8_t FMinValue = 0;
  uint8_t FMaxValue = 255;
  bool FPlaceholder = false;
  bool FCommitting = false;
  bool FAdvancedInto = false;  // the automatic advance just moved the focus here
};

// (Sender, AIPFieldIndex, AValue): a field committed a new value; the handler
// may replace it by changing AValue. While it runs, AddressValue already holds
// the committed value.
using TIPFieldValueChangedEvent = std::function<void(TIPEdit* Sender, int AIPFieldIndex, uint8_t& AValue)>;

class TIPEdit : public QFrame {
  Q_OBJECT
 public:
  explicit TIPEdit(QWidget* parent = nullptr);
  ~TIPEdit() override;

  // Octet 0 in the top byte.
  uint32_t AddressValue() const;
  void SetAddressValue(uint32_t value);
  uint8_t IPFieldValues(int index) const;
  void SetIPFieldValues(int index, int value);
  TIPFieldEdit* Field(int index) const { return FFields[static_cast<size_t>(index & 3)]; }

  // A whole dotted address in `text` (see PastedAddressOctets) is put into
  // the four fields and each is committed in order, as if typed, so the
  // owner's checks run for every octet; the focus ends in the last field in
  // use. Returns false, changing nothing, for a text that is no address.
  bool PasteAddress(const QString& text);

  // Dotted decimal; empty when all four field texts are empty. Assigning
  // raises EIPAddressException for any text that is no address; the empty
  // text only clears the field texts (values unchanged).
  QString AddressString() const;
  void SetAddressString(const QString& text);

  QString UnusedText() const { return FUnusedText; }
  // Cut to its first three characters.
  void SetUnusedText(const QString& text);

  bool IsEmpty() const;
  // Empties the four texts; the values stay.
  void Clear();

  void SetOnIPFieldValueChanged(TIPFieldValueChangedEvent handler) {
    FOnIPFieldValueChanged = std::move(handler);
  }

  // Moves the focus from a field to the next (step +1) or previous (-1)
  // field that is not a placeholder; the focus stays when there is none.
  // Returns the field that got the focus.
  TIPFieldEdit* NextFieldInUse(int fromIndex, int step);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // The text of a field changed.
  void Change();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class TIPFieldEdit;
  void FieldTextChanged(TIPFieldEdit* field);
  void EnterFieldSelected(TIPFieldEdit* field);
  void DoIPFieldValueChanged(TIPFieldEdit* field);
  void LayoutFields();
  int DotWidth() const;
  // The room one octet needs to show three digits in the current font.
  int OctetWidth() const;

  std::array<TIPFieldEdit*, 4> FFields{};
  QString FUnusedText = QStringLiteral("x");
  bool FPasting = false;  // a pasted address fills the fields: no automatic advance
  TIPFieldValueChangedEvent FOnIPFieldValueChanged;
};

}  // namespace Parlamine
