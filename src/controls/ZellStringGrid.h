// SPDX-License-Identifier: MIT
// A string grid with per-column alignment, per-row background colours, a font
// of its own for the fixed (header) cells, cells that grow to fit their text,
// header cells that select a whole row, column or everything, and clipboard
// requests (copy, cut, clear) that write the selection as tab-separated text.
//
// Cells are addressed as (column, row) over the whole grid, fixed cells
// included: with one fixed row, row 0 is the column header and rows 1 ... are
// the table's rows. The fixed row is the view's horizontal header and the
// fixed column its vertical header, so they stay in view while scrolling and
// behave as push buttons: a click selects the column or row, Shift extends the
// selection from the last header clicked, the corner selects everything. At
// most one fixed row and one fixed column.
//
// Keys: arrows move inside the grid; Tab moves from cell to cell and leaves
// the grid after its last cell, Shift+Tab before its first. Ctrl+C copies as
// the copy request does, Ctrl+A selects every cell, and the context menu
// offers both.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QTableWidget>
#include <vector>

#include "ControlsGeometry.h"
#include "ZellClipboardRequest.h"

class QAction;

namespace Parlamine {

class TViewCommands;

class TSuperStringGrid : public QTableWidget {
  Q_OBJECT

 public:
  enum TEditMode { emClear = 0x1, emCopy = 0x2, emCut = 0x4, emPaste = 0x8 };
  Q_DECLARE_FLAGS(TEditModes, TEditMode)
  enum TCopyMode { cmEntireCols = 0x1, cmEntireRows = 0x2, cmFixedCols = 0x4, cmFixedRows = 0x8 };
  Q_DECLARE_FLAGS(TCopyModes, TCopyMode)

  // A selection in grid coordinates, inclusive.
  struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
    bool operator==(const TGridRect&) const = default;
  };

  explicit TSuperStringGrid(QWidget* parent = nullptr);
  ~TSuperStringGrid() override;

  int ColCount() const { return columnCount() + FixedCols(); }
  void SetColCount(int count);
  int RowCount() const { return rowCount() + FixedRows(); }
  void SetRowCount(int count);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int count);  // 0 or 1
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int count);  // 0 or 1
  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString& text);

  int DefaultColWidth() const;
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const;
  void SetDefaultRowHeight(int height);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);

  // The selected non-fixed cells; Right < Left when there are none.
  TGridRect Selection() const;
  void SetSelection(const TGridRect& rect);

  bool AutoHeight() const { return FAutoHeight; }
  void SetAutoHeight(bool on);
  bool AutoWidth() const { return FAutoWidth; }
  void SetAutoWidth(bool on);
  TEditModes EditModes() const { return FEditModes; }
  void SetEditModes(TEditModes modes) { FEditModes = modes; }
  TCopyModes CopyModes() const { return FCopyModes; }
  void SetCopyModes(TCopyModes modes) { FCopyModes = modes; }

  // The font of fixed cells. Setting it stops it following the parent.
  QFont FixedFont() const { return FFixedFont; }
  void SetFixedFont(const QFont& font);
  bool ParentFixedFont() const { return FParentFixedFont; }
  void SetParentFixedFont(bool on);

  // Column alignment: left for new columns; a column outside the grid is
  // ignored. Fixed cells are always centred.
  TAlignment ColAlignment(int col) const;
  void SetColAlignment(int col, TAlignment alignment);
  // Row background; an invalid colour means the grid's own. Rows outside the
  // grid read as an invalid colour.
  QColor RowColor(int row) const;
  void SetRowColor(int row, const QColor& color);

  // Sets the column to its widest text over the rows (fixed ones included)
  // plus the 2 pixels a cell keeps on either side of its text and the grid
  // line; a heading as wide as its header section needs; never narrower
  // than the default column width.
  void AutoSizeColumn(int col, int firstRow, int lastRow);
  // The column width a cell text of this advance needs.
  int ColumnWidthForText(int advance) const;
  void AutoSizeColumns(int firstRow, int lastRow);
  // Carries out the copy request as the Edit menu does.
  void CopyToClipboard();
  // Selects every non-fixed cell, as the corner does.
  void SelectAllCells();
  // One of the page's commands for the context menu, below Copy and Select All.
  void AddContextAction(QAction* action);
  // The cell's font: FixedFont for fixed cells, else the grid's; then
  // OnGetCellFont may change it.
  QFont GetCellFont(int col, int row);

 signals:
  void OnGetCellFont(QFont* font, int col, int row);
  void OnColCountChange(int oldCount);
  void OnRowCountChange(int oldCount);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class TSuperStringGridDelegate;
  QTableWidgetItem* CellItem(int col, int row) const;
  // Carries out a clipboard request if its mode is allowed; true if it did.
  bool HandleClipboardRequest(TClipboardRequest request);
  // The Edit menu's question: whether the request's mode is allowed and
  // there are cells. Paste is never offered, as nothing is pasted.
  bool CanCarryOutRequest(TClipboardRequest request) const;
  bool HasCells() const { return rowCount() > 0 && columnCount() > 0; }
  QByteArray SelectionText(bool cut);
  void ClearSelectedCells();
  bool EditingEnabled() const;
  void EnsureCurrentCell();
  void SyncColumnData();
  void SyncRowData();
  void TakeParentFont();
  void ApplyFixedFont();
  // A click (press and release on the same header cell) on a column header,
  // a row header or the corner selects the column, the row or everything;
  // Shift extends the selection from the header clicked before.
  void ColumnHeaderClick(int col);
  void RowHeaderClick(int row);
  void CornerClick();
  // Grows a normal cell's column or row, where AutoWidth or AutoHeight is on,
  // to fit its text; never shrinks. Done when texts, fonts or the switches
  // change, never while the cells are painted.
  void FitCellToText(int col, int row);
  void FitCellsToText(int firstRow, int lastRow, int firstCol, int lastCol);
  void FitAllCellsToText();

  int FFixedCols = 0;
  int FFixedRows = 1;
  QString FCornerText;     // cell (0, 0) when there is a fixed row and column
  QPoint FAnchor{-1, -1};  // the header cell (column, row) clicked last
  bool FAutoHeight = true;
  bool FAutoWidth = true;
  TEditModes FEditModes = emCopy;
  TCopyModes FCopyModes = TCopyModes(cmFixedCols | cmFixedRows);
  QFont FFixedFont;
  bool FParentFixedFont = true;
  std::vector<TAlignment> FColAlignments;
  std::vector<QColor> FRowColors;
  int FKnownColCount = 0;
  int FKnownRowCount = 0;
  bool FRearranging = false;  // fixed counts changing: counts settle afterwards
  TViewCommands* FCommands = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TEditModes)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TCopyModes)

}  // namespace Parlamine
