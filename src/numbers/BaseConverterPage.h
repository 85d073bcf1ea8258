// SPDX-License-Identifier: MIT
// The Base Converter page: one unsigned value shown in decimal, hexadecimal,
// binary and octal at once, limited to a width of 8, 16 or 32 bits.
#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QPushButton;
class QToolButton;

namespace Parlamine {

class TCustomNumberEdit;
class TNumberEdit;
class TRadixerRadioGroup;

class TBaseConverterPage : public QWidget {
  Q_OBJECT
 public:
  explicit TBaseConverterPage(QWidget* parent = nullptr);

  TRadixerRadioGroup* WidthGroup() const { return NumberWidthGroup; }
  TNumberEdit* DecimalEdit() const { return DecNumberEdit; }

  // Applies the chosen width to the four fields and masks the value to it.
  void NumberWidthGroupClick();
  void ClearButtonClick();
  void InvertButtonClick();

 private:
  void NumberEditValueChanged(TCustomNumberEdit* sender);
  void NumberEditValueChangingInteger(TCustomNumberEdit* sender, int64_t& newValue);
  TNumberEdit* AddNumberRow(const QString& labelName, const QString& caption, const QString& editName,
                            const QString& buttonName, const QString& hint);

  TRadixerRadioGroup* NumberWidthGroup = nullptr;
  TNumberEdit* DecNumberEdit = nullptr;
  TNumberEdit* HexNumberEdit = nullptr;
  TNumberEdit* BinNumberEdit = nullptr;
  TNumberEdit* OctNumberEdit = nullptr;
  QPushButton* ClearButton = nullptr;
  QPushButton* InvertButton = nullptr;
  // True while a value is copied from one field into the others.
  bool FUpdatingNumberEdits = false;
};

}  // namespace Parlamine
