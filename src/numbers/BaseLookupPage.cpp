// SPDX-License-Identifier: MIT
#include "BaseLookupPage.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>

#include "RadixerModel.h"
#include "ZellGlobal.h"

namespace Parlamine {

TBaseLookupPage::TBaseLookupPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BaseLookupTabSheet"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);

  BaseLookupListView = new TVirtualListView(this);
  BaseLookupListView->setObjectName(QStringLiteral("BaseLookupListView"));
  BaseLookupListView->setFont(FixedFont());
  BaseLookupListView->SetSource(*this);

  // The navigation bar with the copy button, then the separators option:
  // one row would not fit the narrowest window.
  auto* top = new QHBoxLayout;
  top->setSpacing(2);
  BaseLookupToolBar = CreateTableNavigationToolBar(this, BaseLookupListView, QStringLiteral("BaseLookup"),
                                                   QStringLiteral("lookup table"));
  top->addWidget(BaseLookupToolBar);
  top->addStretch();
  BaseLookupClipboardButton = CreateTableClipboardButton(this, QStringLiteral("BaseLookupClipboardButton"),
                                                         QStringLiteral("Copy lookup table to clipboard"));
  connect(BaseLookupClipboardButton, &QToolButton::clicked, this,
          &TBaseLookupPage::ListViewClipboardButtonClick);
  top->addWidget(BaseLookupClipboardButton);
  layout->addLayout(top);
  BaseLookupSeparatorCheckBox = new QCheckBox(QStringLiteral("&Separators"), this);
  BaseLookupSeparatorCheckBox->setObjectName(QStringLiteral("BaseLookupSeparatorCheckBox"));
  BaseLookupSeparatorCheckBox->setChecked(true);
  connect(BaseLookupSeparatorCheckBox, &QCheckBox::clicked, this,
          &TBaseLookupPage::BaseLookupSeparatorCheckBoxClick);
  layout->addWidget(BaseLookupSeparatorCheckBox, 0, Qt::AlignLeft);
  layout->addWidget(BaseLookupListView, 1);

  // Edit > Copy on the list copies the table as the button does.
  CreateListViewControlMessageHook(BaseLookupListView, BaseLookupClipboardButton,
                                   QStringLiteral("BaseLookupListViewControlMessageHook"));

  // Widths from the widest texts (with separators); "Bin" takes the rest.
  const QFontMetrics metrics(BaseLookupListView->font());
  const int padding = 8;
  BaseLookupListView->SetColumnWidths(
      {metrics.horizontalAdvance(QStringLiteral("65,535")) + padding,
       metrics.horizontalAdvance(QStringLiteral("FF FF")) + padding,
       metrics.horizontalAdvance(QStringLiteral("177 777")) + padding, 0},
      metrics.horizontalAdvance(QStringLiteral("0000 0000 0000 0000")) + padding);
}

void TBaseLookupPage::SetRowCount(int rowCount) {
  FRowCount = rowCount;
  BaseLookupListView->Model()->Refresh();
}

bool TBaseLookupPage::Separators() const { return BaseLookupSeparatorCheckBox->isChecked(); }

void TBaseLookupPage::SetSeparators(bool separators) {
  if (separators == Separators()) return;
  BaseLookupSeparatorCheckBox->setChecked(separators);
  BaseLookupSeparatorCheckBoxClick();
}

void TBaseLookupPage::BaseLookupSeparatorCheckBoxClick() {
  // Same row count: the shown rows are made again; selection and scroll stay.
  BaseLookupListView->Model()->Refresh();
}

void TBaseLookupPage::ListViewClipboardButtonClick() { CopyTableToClipboard(this, BaseLookupListView); }

int TBaseLookupPage::ColumnCount() const { return LookupColumnCount; }

QString TBaseLookupPage::ColumnCaption(int column) const {
  return QLatin1String(LookupColumnCaptions.at(static_cast<size_t>(column)));
}

QString TBaseLookupPage::CellText(int row, int column) const {
  return QString::fromStdString(LookupCellText(row, static_cast<TLookupColumn>(column), Separators()));
}

void TBaseLookupPage::AppendRowBytes(int row, QByteArray& out) const {
  std::string line;
  AppendLookupRow(line, row, Separators());
  out.append(line.data(), static_cast<qsizetype>(line.size()));
}

}  // namespace Parlamine
