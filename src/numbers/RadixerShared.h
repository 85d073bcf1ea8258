// SPDX-License-Identifier: MIT
// Pieces the Radixer Calculator's pages share: the radio groups, the hints,
// the copy buttons of the number fields and the Up/Down stepping.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QToolButton;
class QVBoxLayout;

namespace Parlamine {

class TCustomNumberEdit;
class TNumberEdit;

// A hint is the tool tip and the status-bar text alike.
void SetHint(QWidget* widget, const QString& hint);

// A captioned group of radio buttons in columns with one item index, -1 when
// no item is chosen. Clicked is emitted when the user picks an item.
class TRadixerRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadixerRadioGroup(const QString& caption, const QStringList& items, int columns,
                     QWidget* parent = nullptr);

  int ItemIndex() const;
  // Below -1 is taken as -1 (nothing chosen), above the last item as the last.
  void SetItemIndex(int index);
  int Count() const;

 signals:
  void Clicked();

 private:
  QButtonGroup* FButtons = nullptr;
};

// Up arrow: the field's value plus 1; Down arrow: minus 1; through the field's
// normal value change. Other keys are ignored. Throws "Integer overflow" at
// the ends of the 64-bit range.
void NumberEditKeyDown(TCustomNumberEdit* sender, int key);

// Puts the field's text, exactly as shown (padding included), on the clipboard.
void NumClipboardButtonClick(const TCustomNumberEdit* field);
// A flat copy button with the clipboard picture that copies the field.
QToolButton* CreateNumClipboardButton(QWidget* parent, const QString& name, const QString& hint,
                                      TCustomNumberEdit* field);

// Adds a captioned number field to a page's column: the caption (its buddy is
// the field), then the field with its copy button beside it. Returns the field.
TNumberEdit* AddCaptionedNumberRow(QWidget* page, QVBoxLayout* layout, const QString& labelName,
                                   const QString& caption, const QString& editName, const QString& buttonName,
                                   const QString& buttonHint);

}  // namespace Parlamine
