// SPDX-License-Identifier: MIT
#include "BaseConverterPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "RadixerModel.h"
#include "RadixerShared.h"
#include "ZellNumberEdit.h"

namespace Parlamine {

TBaseConverterPage::TBaseConverterPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BaseConverterTabSheet"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(2);

  const QStringList widths = {QStringLiteral("8 Bits"), QStringLiteral("16 Bits"), QStringLiteral("32 Bits")};
  NumberWidthGroup = new TRadixerRadioGroup(QStringLiteral("Number &Width"), widths, 3, this);
  NumberWidthGroup->setObjectName(QStringLiteral("NumberWidthGroup"));
  SetHint(NumberWidthGroup,
          QStringLiteral("Select the maximum number of bits to use for number representation"));
  connect(NumberWidthGroup, &TRadixerRadioGroup::Clicked, this, &TBaseConverterPage::NumberWidthGroupClick);
  layout->addWidget(NumberWidthGroup);
  layout->addSpacing(4);

  DecNumberEdit = AddNumberRow(QStringLiteral("DecLabel"), QStringLiteral("&Decimal (base 10)"),
                               QStringLiteral("DecNumberEdit"), QStringLiteral("DecClipboardButton"),
                               QStringLiteral("Copy decimal number to clipboard"));
  HexNumberEdit = AddNumberRow(QStringLiteral("HexLabel"), QStringLiteral("&Hexadecimal (base 16)"),
                               QStringLiteral("HexNumberEdit"), QStringLiteral("HexClipboardButton"),
                               QStringLiteral("Copy hexadecimal number to clipboard"));
  BinNumberEdit = AddNumberRow(QStringLiteral("BinLabel"), QStringLiteral("&Binary (base 2)"),
                               QStringLiteral("BinNumberEdit"), QStringLiteral("BinClipboardButton"),
                               QStringLiteral("Copy binary number to clipboard"));
  OctNumberEdit =
      AddNumberRow(QStringLiteral("OctLabel"), QStringLiteral("&Octal (base 8)"),
                   QStringLiteral("OctNumberEdit"), QStringLiteral("OctClipboardButton"), QString());
  // The octal button shows no hint, yet a screen reader still needs a name for
  // a button that is only a picture.
  findChild<QToolButton*>(QStringLiteral("OctClipboardButton"))
      ->setAccessibleName(QStringLiteral("Copy octal number to clipboard"));
  DecNumberEdit->SetNumberStyle(TNumberStyle::nsDecimal);
  HexNumberEdit->SetNumberStyle(TNumberStyle::nsHexadecimal);
  BinNumberEdit->SetNumberStyle(TNumberStyle::nsBinary);
  OctNumberEdit->SetNumberStyle(TNumberStyle::nsOctal);

  layout->addSpacing(6);
  auto* buttons = new QHBoxLayout;
  ClearButton = new QPushButton(QStringLiteral("C&lear"), this);
  ClearButton->setObjectName(QStringLiteral("ClearButton"));
  SetHint(ClearButton, QStringLiteral("Clears the current value by setting it to zero"));
  connect(ClearButton, &QPushButton::clicked, this, &TBaseConverterPage::ClearButtonClick);
  InvertButton = new QPushButton(QStringLiteral("&Invert"), this);
  InvertButton->setObjectName(QStringLiteral("InvertButton"));
  SetHint(InvertButton, QStringLiteral("Inverts the current value by performing a bitwise NOT"));
  connect(InvertButton, &QPushButton::clicked, this, &TBaseConverterPage::InvertButtonClick);
  buttons->addWidget(ClearButton);
  buttons->addWidget(InvertButton);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->addStretch();

  setTabOrder(NumberWidthGroup, DecNumberEdit);
  setTabOrder(DecNumberEdit, HexNumberEdit);
  setTabOrder(HexNumberEdit, BinNumberEdit);
  setTabOrder(BinNumberEdit, OctNumberEdit);
  setTabOrder(OctNumberEdit, ClearButton);
  setTabOrder(ClearButton, InvertButton);
}

TNumberEdit* TBaseConverterPage::AddNumberRow(const QString& labelName, const QString& caption,
                                              const QString& editName, const QString& buttonName,
                                              const QString& hint) {
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  TNumberEdit* edit = AddCaptionedNumberRow(this, layout, labelName, caption, editName, buttonName, hint);
  edit->SetOnValueChanged([this](TCustomNumberEdit* sender) { NumberEditValueChanged(sender); });
  edit->SetOnValueChangingInteger(
      [this](TCustomNumberEdit* sender, int64_t& value) { NumberEditValueChangingInteger(sender, value); });
  edit->SetOnKeyDown(NumberEditKeyDown);
  return edit;
}

void TBaseConverterPage::NumberWidthGroupClick() {
  const TNumberWidth& width = NumberWidthForItem(NumberWidthGroup->ItemIndex());
  const struct {
    TNumberEdit* Edit;
    int Digits;  // -1: the decimal field is never padded
    int MaxLength;
  } fields[] = {
      {DecNumberEdit, -1, width.DecMaxLength},
      {HexNumberEdit, width.HexDigits, width.HexDigits},
      {BinNumberEdit, width.BinDigits, width.BinDigits},
      {OctNumberEdit, width.OctDigits, width.OctDigits},
  };
  for (const auto& field : fields) {
    if (field.Edit != DecNumberEdit) field.Edit->SetDigits(field.Digits);
    SetHint(field.Edit, QString::fromStdString(GetRangeHint(field.Edit->NumberStyle(), width.Bits)));
    field.Edit->SetMaxLength(field.MaxLength);
  }
  // A narrower width keeps the low bits: 1000 at 8 bits is 232.
  DecNumberEdit->SetValueInteger(DecNumberEdit->ValueInteger() & width.Mask);
}

void TBaseConverterPage::NumberEditValueChangingInteger(TCustomNumberEdit*, int64_t& newValue) {
  const int item = NumberWidthGroup->ItemIndex();
  if (item < 0) return;  // no width chosen: no maximum
  const int64_t maximum = NumberWidthForItem(item).Mask;
  if (newValue > maximum) newValue = maximum;  // too large is clamped, not masked
}

void TBaseConverterPage::NumberEditValueChanged(TCustomNumberEdit* sender) {
  if (FUpdatingNumberEdits) return;
  FUpdatingNumberEdits = true;
  try {
    for (TNumberEdit* edit : {DecNumberEdit, HexNumberEdit, BinNumberEdit, OctNumberEdit})
      if (edit != sender) edit->SetValueInteger(sender->ValueInteger());
  } catch (...) {
    FUpdatingNumberEdits = false;
    throw;
  }
  FUpdatingNumberEdits = false;
}

void TBaseConverterPage::ClearButtonClick() { DecNumberEdit->SetValueInteger(0); }

void TBaseConverterPage::InvertButtonClick() {
  const int64_t mask = NumberWidthMaskOrZero(NumberWidthGroup->ItemIndex());
  DecNumberEdit->SetValueInteger(~DecNumberEdit->ValueInteger() & mask);
}

}  // namespace Parlamine
