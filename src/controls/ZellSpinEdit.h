// SPDX-License-Identifier: MIT
// A one-line integer field with a pair of up/down buttons inside its right
// end. It keeps a 32-bit Value between MinValue and MaxValue (equal limits
// mean no limit), steps it by Increment with the buttons and the arrow keys
// and by FastIncrement with Page Up / Page Down, and can show the infinity
// sign instead of the number, which freezes the value.
//
// Typed text becomes the value only when committed: Enter, or leaving the
// field. OnChange is raised only when Value changes, never while typing.
// Notifications are Qt signals named after the events they stand for.
#pragma once

#include <QLineEdit>
#include <cstdint>

#include "ControlsGeometry.h"
#include "Spin.h"

namespace Parlamine {

class TBetterSpinEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TBetterSpinEdit(QWidget* parent = nullptr);

  std::int32_t Value() const { return FValue; }
  // Stores the value within the limits and rewrites the text.
  void SetValue(std::int32_t value);
  std::int32_t MinValue() const { return FMinValue; }
  void SetMinValue(std::int32_t value);
  std::int32_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(std::int32_t value);
  std::int32_t Increment() const { return FIncrement; }
  void SetIncrement(std::int32_t increment) { FIncrement = increment; }
  std::int32_t FastIncrement() const { return FFastIncrement; }
  void SetFastIncrement(std::int32_t increment) { FFastIncrement = increment; }
  // Whether the user may type, paste, cut and delete; the buttons and the
  // arrow keys step either way.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool enabled);
  // Shows the infinity sign in the field's own font and freezes the value.
  bool Infinity() const { return FInfinity; }
  void SetInfinity(bool infinity);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  // Select the whole text when the field is entered other than by a click.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }

  TSpinButton* SpinButton() const { return FSpinButton; }

  // The typed text read as a number (see SpinTextToValue); the current value
  // while the infinity sign shows.
  std::int32_t TextToValue() const;

  virtual bool IsValidKey(char32_t key) const;
  virtual void StepUp();
  virtual void StepDown();
  void FastStepUp();
  void FastStepDown();

  QSize sizeHint() const override;

 signals:
  void OnChange();
  void OnUpClicking();
  void OnUpClick();
  void OnDownClicking();
  void OnDownClick();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Step(std::int64_t delta, bool up);
  void CommitText();
  bool CanEdit() const { return FEditorEnabled && !isReadOnly(); }
  int MinimumHeight() const;
  void UpdateMinimumSize();
  void PlaceSpinButton();

  TSpinButton* FSpinButton = nullptr;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSelect = true;
  bool FEditorEnabled = true;
  std::int32_t FFastIncrement = 10;
  std::int32_t FIncrement = 1;
  bool FInfinity = false;
  std::int32_t FMinValue = 0;
  std::int32_t FMaxValue = 0;
  bool FSettingValue = false;
  std::int32_t FValue = 0;
};

}  // namespace Parlamine
