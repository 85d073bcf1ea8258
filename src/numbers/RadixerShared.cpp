// SPDX-License-Identifier: MIT
#include "RadixerShared.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>

#include "ZellGlobal.h"
#include "ZellNumberEdit.h"
#include "ZellTableExport.h"

namespace Parlamine {

void SetHint(QWidget* widget, const QString& hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

TRadixerRadioGroup::TRadixerRadioGroup(const QString& caption, const QStringList& items, int columns,
                                       QWidget* parent)
    : QGroupBox(caption, parent), FButtons(new QButtonGroup(this)) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setVerticalSpacing(0);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    FButtons->addButton(button, i);
    grid->addWidget(button, i / columns, i % columns);
  }
  // A click, Space or an arrow key picks an item.
  connect(FButtons, &QButtonGroup::idClicked, this, &TRadixerRadioGroup::Clicked);
}

int TRadixerRadioGroup::ItemIndex() const {
  for (QAbstractButton* button : FButtons->buttons())
    if (button->isChecked()) return FButtons->id(button);
  return -1;
}

void TRadixerRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, Count() - 1);
  if (index >= 0) {
    FButtons->button(index)->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; "no item" needs it lifted
  // for a moment.
  FButtons->setExclusive(false);
  for (QAbstractButton* button : FButtons->buttons()) button->setChecked(false);
  FButtons->setExclusive(true);
}

int TRadixerRadioGroup::Count() const { return static_cast<int>(FButtons->buttons().size()); }

void NumberEditKeyDown(TCustomNumberEdit* sender, int key) {
  if (!sender || (key != Qt::Key_Up && key != Qt::Key_Down)) return;
  int64_t value = 0;
  if (__builtin_add_overflow(sender->ValueInteger(), key == Qt::Key_Up ? 1 : -1, &value))
    throw std::overflow_error("Integer overflow");
  sender->SetValueInteger(value);
}

void NumClipboardButtonClick(const TCustomNumberEdit* field) {
  if (field) SetClipboardText(field->text());
}

QToolButton* CreateNumClipboardButton(QWidget* parent, const QString& name, const QString& hint,
                                      TCustomNumberEdit* field) {
  QToolButton* button = CreateTableClipboardButton(parent, name, hint);
  // Not in the tab order: Edit > Copy on the focused field copies the same text.
  button->setFocusPolicy(Qt::NoFocus);
  QObject::connect(button, &QToolButton::clicked, field, [field] { NumClipboardButtonClick(field); });
  return button;
}

TNumberEdit* AddCaptionedNumberRow(QWidget* page, QVBoxLayout* layout, const QString& labelName,
                                   const QString& caption, const QString& editName, const QString& buttonName,
                                   const QString& buttonHint) {
  auto* label = new QLabel(caption, page);
  label->setObjectName(labelName);
  auto* edit = new TNumberEdit(page);
  edit->setObjectName(editName);
  edit->SetAllowNegative(false);
  label->setBuddy(edit);
  QToolButton* button = CreateNumClipboardButton(page, buttonName, buttonHint, edit);
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  row->addWidget(edit, 1);
  row->addWidget(button);
  layout->addWidget(label);
  layout->addLayout(row);
  return edit;
}

}  // namespace Parlamine
