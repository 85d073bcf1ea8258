// SPDX-License-Identifier: MIT
// The long tables of the calculators: a list view whose rows are computed on
// demand, its navigation buttons, and the copy of the table to the clipboard
// as tab-separated text.
#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>
#include <QTableView>

class QAbstractButton;
class QAction;
class QToolBar;
class QToolButton;

namespace Parlamine {

class TControlMessageHook;
class TViewCommands;

// What a virtual table shows. Rows are never stored: every cell is computed
// from the row index and the owner's current state.
class TVirtualTableSource {
 public:
  virtual ~TVirtualTableSource() = default;
  virtual int ColumnCount() const = 0;
  virtual QString ColumnCaption(int column) const = 0;
  virtual Qt::Alignment ColumnAlignment(int /*column*/) const { return Qt::AlignLeft | Qt::AlignVCenter; }
  virtual int RowCount() const = 0;
  // The text the list shows in a cell.
  virtual QString CellText(int row, int column) const = 0;
  // Appends the row's cells joined by single tabs, with no line end, as
  // Latin-1/ASCII bytes. Used by the copy of whole tables, so it must be fast.
  virtual void AppendRowBytes(int row, QByteArray& out) const = 0;
  // A text at least as wide as every cell of the column: the widest row the
  // current state can produce, known from how the rows are made (tables of
  // millions of rows are never scanned for it). Empty for no rows.
  virtual QString WidestText(int /*column*/) const { return {}; }
};

// A table model over a source. The model keeps only the row count it last
// reported, so a new count is a reset and the same count is a repaint.
class TVirtualTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TVirtualTableModel(const TVirtualTableSource& source, QObject* parent = nullptr);

  // Call after the source's state changed: a new row count resets the model
  // (and its selection), the same count only refreshes the shown cells.
  void Refresh();
  const TVirtualTableSource& Source() const { return FSource; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const TVirtualTableSource& FSource;
  int FRowCount = 0;
};

// Report-style list: whole rows selected, several rows selectable, grid lines,
// no sorting, no row header, every row the same height so that millions of
// rows scroll as fast as a few. Ctrl+C copies the table (CopyTableToClipboard),
// Ctrl+A selects every row, and the context menu offers both; Tab leaves the
// list at once.
class TVirtualListView : public QTableView {
  Q_OBJECT
 public:
  explicit TVirtualListView(QWidget* parent = nullptr);
  // One of the page's commands for the context menu, below Copy and Select All.
  void AddContextAction(QAction* action);
  // The source must outlive the view.
  void SetSource(const TVirtualTableSource& source);
  TVirtualTableModel* Model() const { return FModel; }
  // Column widths in pixels; a width of 0 makes the column take the room the
  // other columns leave, but never less than stretchMinimum.
  void SetColumnWidths(const QList<int>& widths, int stretchMinimum = 0);
  // Every column as wide as its caption and the source's widest text need in
  // the view's font and style; stretchColumn (if any) also takes the room
  // the others leave. Measured again when the rows, the font or the style
  // change, so no column is ever cut while another stretches.
  void FitColumnsToSource(int stretchColumn = -1);
  // The width a column needs for its caption and its widest text.
  int NeededColumnWidth(int column) const;

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitStretchColumn();
  void MeasureColumns();
  void FitRowHeight();
  TViewCommands* FCommands = nullptr;
  TVirtualTableModel* FModel = nullptr;
  QList<int> FColumnWidths;
  int FStretchMinimum = 0;
  bool FMeasured = false;  // the widths are measured from the source
  int FMeasuredStretchColumn = -1;
};

// Hooks the list view (a TControlMessageHook named `name`, owned by the
// view) so that the Edit menu's Copy request sent to it clicks the page's copy
// button: both copy exactly alike. Every event still reaches the list view,
// which leaves alone a request the hook carried out.
TControlMessageHook* CreateListViewControlMessageHook(TVirtualListView* view, QAbstractButton* copyButton,
                                                      const QString& name);

// The rows the copy takes: the selected rows in list order, each once.
QList<int> SelectedRowsInOrder(const TVirtualListView* view);

// The table text: the header line, then the given rows (all rows when
// `rows` is empty and `allRows` is set), each line ended by CR LF.
QByteArray TableText(const TVirtualTableSource& source, const QList<int>& rows, bool allRows);

// Copies the selected rows, or after asking "Copy All Data?" every row, with
// the header line to the clipboard. The clipboard is replaced only when the
// whole text is built. Returns true when something was copied.
bool CopyTableToClipboard(QWidget* parent, TVirtualListView* view);

// Navigation: the row is scrolled into full view; selection and focus stay.
// Nothing happens on an empty table, nor for "Selected" without a current row.
void GoToFirstRow(TVirtualListView* view);
void GoToLastRow(TVirtualListView* view);
void GoToSelectedRow(TVirtualListView* view);

// The flat copy button with the clipboard picture, named and hinted.
QToolButton* CreateTableClipboardButton(QWidget* parent, const QString& name, const QString& hint);

// The flat tool bar with the captioned "First", "Last" and "Selected" buttons
// wired to the navigation above. Buttons are named namePrefix + "FirstToolButton"
// and so on; `tableWords` completes the hints ("subnet table" gives "Go to the
// first row in the subnet table").
QToolBar* CreateTableNavigationToolBar(QWidget* parent, TVirtualListView* view, const QString& namePrefix,
                                       const QString& tableWords);

}  // namespace Parlamine
