// SPDX-License-Identifier: MIT
// The rows of the split table, computed on demand from the split that was
// current at the calculator's last table update.
#pragma once

#include "PrefixSplit.h"
#include "ZellTableExport.h"

namespace Parlamine {

class TPrefixSplitTableSource : public TVirtualTableSource {
 public:
  void SetSplit(const TPrefixSplit& split) { FSplit = split; }
  const TPrefixSplit& Split() const { return FSplit; }

  int ColumnCount() const override { return FSplit.ColumnCount(); }
  QString ColumnCaption(int column) const override {
    const std::string_view caption = FSplit.ColumnCaption(column);
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
  }
  Qt::Alignment ColumnAlignment(int column) const override {
    return (column == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
  }
  // At most MaxSplitRows (2^22), well inside an int.
  int RowCount() const override { return static_cast<int>(FSplit.RowCount()); }
  QString CellText(int row, int column) const override {
    return QString::fromStdString(FSplit.CellText(row, column));
  }
  void AppendRowBytes(int row, QByteArray& out) const override {
    char line[TPrefixSplit::MaxRowTextSize];
    out.append(line, static_cast<qsizetype>(FSplit.FormatRow(row, line)));
  }
  // The subnets grow from the first row to the last, and so do their
  // texts: the longer of the two is the column's widest.
  QString WidestText(int column) const override {
    if (FSplit.RowCount() == 0) return {};
    const std::string first = FSplit.CellText(0, column);
    const std::string last = FSplit.CellText(FSplit.RowCount() - 1, column);
    return QString::fromStdString(last.size() >= first.size() ? last : first);
  }

 private:
  TPrefixSplit FSplit;
};

}  // namespace Parlamine
