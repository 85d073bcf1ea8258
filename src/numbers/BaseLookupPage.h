// SPDX-License-Identifier: MIT
// The Base Lookup page: every number from 0 to 65535 in decimal, hexadecimal,
// octal and binary, in a virtual list whose rows are made when shown.
#pragma once

#include <QWidget>

#include "ZellTableExport.h"

class QCheckBox;
class QToolBar;
class QToolButton;

namespace Parlamine {

class TBaseLookupPage : public QWidget, private TVirtualTableSource {
  Q_OBJECT
 public:
  explicit TBaseLookupPage(QWidget* parent = nullptr);

  // The list's row count, given once by the settings loader.
  void SetRowCount(int rowCount);
  bool Separators() const;
  void SetSeparators(bool separators);
  TVirtualListView* ListView() const { return BaseLookupListView; }
  const TVirtualTableSource& TableSource() const { return *this; }

  void BaseLookupSeparatorCheckBoxClick();
  void ListViewClipboardButtonClick();

 private:
  int ColumnCount() const override;
  QString ColumnCaption(int column) const override;
  int RowCount() const override { return FRowCount; }
  QString CellText(int row, int column) const override;
  void AppendRowBytes(int row, QByteArray& out) const override;

  QToolBar* BaseLookupToolBar = nullptr;
  QCheckBox* BaseLookupSeparatorCheckBox = nullptr;
  QToolButton* BaseLookupClipboardButton = nullptr;
  TVirtualListView* BaseLookupListView = nullptr;
  int FRowCount = 0;
};

}  // namespace Parlamine
