// SPDX-License-Identifier: MIT
#include "BitSwapperPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "RadixerModel.h"
#include "RadixerShared.h"
#include "ZellBinDecHex.h"
#include "ZellNumberEdit.h"

namespace Parlamine {

namespace {

constexpr int SwapBits = 32;

void ShowReadOnly(TNumberEdit* edit) {
  edit->setReadOnly(true);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  edit->setPalette(palette);
}

}  // namespace

TBitSwapperPage::TBitSwapperPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BitSwapperTabSheet"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(2);

  const QStringList bases = {QStringLiteral("Dec"), QStringLiteral("Hex"), QStringLiteral("Bin"),
                             QStringLiteral("Oct")};
  NumberStyleRadioGroup = new TRadixerRadioGroup(QStringLiteral("&Base"), bases, 4, this);
  NumberStyleRadioGroup->setObjectName(QStringLiteral("NumberStyleRadioGroup"));
  SetHint(NumberStyleRadioGroup, QStringLiteral("Select a base for entering a value and bit-reversal"));
  connect(NumberStyleRadioGroup, &TRadixerRadioGroup::Clicked, this,
          &TBitSwapperPage::NumberStyleRadioGroupClick);
  layout->addWidget(NumberStyleRadioGroup);
  layout->addSpacing(4);

  BitOriginalNumberEdit = AddNumberRow(
      QStringLiteral("SwapLabel"), QStringLiteral("Original &Value"), QStringLiteral("BitOriginalNumberEdit"),
      QStringLiteral("BitOriginalClipboardButton"), QStringLiteral("Copy original value to clipboard"));
  BitOriginalNumberEdit->SetOnValueChanged(
      [this](TCustomNumberEdit* sender) { BitOriginalNumberEditValueChanged(sender); });
  BitOriginalNumberEdit->SetOnKeyDown(NumberEditKeyDown);

  BitReversedByteNumberEdit = AddNumberRow(
      QStringLiteral("Label18"), QStringLiteral("Bit-Swapped Value (Byte by Byte)"),
      QStringLiteral("BitReversedByteNumberEdit"), QStringLiteral("BitReversedByteClipboardButton"),
      QStringLiteral("Copy bit reversed (byte by byte) value to clipboard"));
  ShowReadOnly(BitReversedByteNumberEdit);
  SetHint(BitReversedByteNumberEdit,
          QStringLiteral("This value is found by bit-reversing each individual byte"));

  BitReversedBufNumberEdit = AddNumberRow(
      QStringLiteral("Label19"), QStringLiteral("Bit-Reversed Value (LSB <-> MSB)"),
      QStringLiteral("BitReversedBufNumberEdit"), QStringLiteral("BitReversedBufClipboardButton"),
      QStringLiteral("Copy bit reversed (LSB <-> MSB) value to clipboard"));
  ShowReadOnly(BitReversedBufNumberEdit);
  SetHint(
      BitReversedBufNumberEdit,
      QStringLiteral("This value is found by bit-reversing the entire value (least significant bit to most "
                     "significant bit)"));
  layout->addStretch();
}

TNumberEdit* TBitSwapperPage::AddNumberRow(const QString& labelName, const QString& caption,
                                           const QString& editName, const QString& buttonName,
                                           const QString& buttonHint) {
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  TNumberEdit* edit =
      AddCaptionedNumberRow(this, layout, labelName, caption, editName, buttonName, buttonHint);
  layout->addSpacing(4);
  return edit;
}

void TBitSwapperPage::NumberStyleRadioGroupClick() {
  const TSwapperBase& base = SwapperBaseForItem(NumberStyleRadioGroup->ItemIndex());
  BitOriginalNumberEdit->SetDigits(base.Digits);
  BitOriginalNumberEdit->SetNumberStyle(base.Style);
  SetHint(BitOriginalNumberEdit, QString::fromStdString(GetRangeHint(base.Style, SwapBits)));
  BitOriginalNumberEdit->SetMaxLength(base.MaxLength);
  for (TNumberEdit* result : {BitReversedByteNumberEdit, BitReversedBufNumberEdit}) {
    result->SetDigits(base.Digits);
    result->SetNumberStyle(base.Style);
    result->SetMaxLength(base.MaxLength);
  }
}

void TBitSwapperPage::BitOriginalNumberEditValueChanged(TCustomNumberEdit* sender) {
  // Always exactly 32 bits, whatever the base and the value's size.
  const auto value = static_cast<uint32_t>(static_cast<uint64_t>(sender->ValueInteger()));
  BitReversedByteNumberEdit->SetValueInteger(ReverseBitsInBytes32(value));
  BitReversedBufNumberEdit->SetValueInteger(ReverseBits32(value));
}

}  // namespace Parlamine
