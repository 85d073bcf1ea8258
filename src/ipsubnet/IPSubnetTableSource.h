// SPDX-License-Identifier: MIT
// The rows of the subnets/hosts list, computed on demand from the subnetting
// that was current at the calculator's last table update.
#pragma once

#include "IPSubnetModel.h"
#include "ZellTableExport.h"

namespace Parlamine {

class TSubnetHostTableSource : public TVirtualTableSource {
 public:
  void SetTable(const TSubnetTable& table) { FTable = table; }
  const TSubnetTable& Table() const { return FTable; }

  int ColumnCount() const override { return static_cast<int>(SubnetTableCaptions.size()); }
  QString ColumnCaption(int column) const override {
    return QString::fromLatin1(SubnetTableCaptions[static_cast<size_t>(column)]);
  }
  Qt::Alignment ColumnAlignment(int column) const override {
    return (column == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
  }
  int RowCount() const override { return static_cast<int>(FTable.RowCount()); }
  QString CellText(int row, int column) const override {
    return QString::fromStdString(FTable.CellText(row, column));
  }
  void AppendRowBytes(int row, QByteArray& out) const override {
    char line[TSubnetTable::MaxRowTextSize];
    out.append(line, static_cast<qsizetype>(FTable.FormatRow(row, line)));
  }
  QString WidestText(int column) const override {
    return QString::fromStdString(FTable.WidestCellText(column));
  }

 private:
  TSubnetTable FTable;
};

}  // namespace Parlamine
