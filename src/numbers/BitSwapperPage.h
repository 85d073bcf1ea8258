// SPDX-License-Identifier: MIT
// The Bit-Swapper page: a 32-bit value with each byte bit-reversed on its own
// and with the whole value reversed, shown in a chosen base.
#pragma once

#include <QWidget>

namespace Parlamine {

class TCustomNumberEdit;
class TNumberEdit;
class TRadixerRadioGroup;

class TBitSwapperPage : public QWidget {
  Q_OBJECT
 public:
  explicit TBitSwapperPage(QWidget* parent = nullptr);

  TRadixerRadioGroup* BaseGroup() const { return NumberStyleRadioGroup; }
  TNumberEdit* OriginalEdit() const { return BitOriginalNumberEdit; }

  // Shows all three fields in the chosen base; the values stay.
  void NumberStyleRadioGroupClick();

 private:
  void BitOriginalNumberEditValueChanged(TCustomNumberEdit* sender);
  TNumberEdit* AddNumberRow(const QString& labelName, const QString& caption, const QString& editName,
                            const QString& buttonName, const QString& buttonHint);

  TRadixerRadioGroup* NumberStyleRadioGroup = nullptr;
  TNumberEdit* BitOriginalNumberEdit = nullptr;
  TNumberEdit* BitReversedByteNumberEdit = nullptr;
  TNumberEdit* BitReversedBufNumberEdit = nullptr;
};

}  // namespace Parlamine
