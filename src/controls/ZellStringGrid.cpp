// SPDX-License-Identifier: MIT
#include "ZellStringGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <optional>

#include "ZellViewCommands.h"

namespace Parlamine {

namespace {

// Text is inset 2 pixels from the side it is aligned to and centred
// vertically; a centred box moves right by half the room left over.
QRect CellTextBox(const QRect& cell, int width, int height, TAlignment alignment) {
  int left = cell.left() + 2;
  if (alignment == taCenter)
    left = cell.left() + (cell.width() - width) / 2;
  else if (alignment == taRightJustify)
    left = cell.left() + cell.width() - 2 - width;
  const int top = cell.top() + (cell.height() - height) / 2;
  return QRect(left, top, width, height);
}

}  // namespace

// Draws the non-fixed cells: the base paints background, selection and focus,
// the text is placed by the column's alignment in the cell's font.
class TSuperStringGridDelegate : public QStyledItemDelegate {
 public:
  explicit TSuperStringGridDelegate(TSuperStringGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const int col = index.column() + FGrid->FixedCols();
    const int row = index.row() + FGrid->FixedRows();
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor rowColor = FGrid->RowColor(row);
    if (rowColor.isValid() && !selected) opt.backgroundBrush = rowColor;
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QFont font = FGrid->GetCellFont(col, row);
    const QFontMetrics metrics(font);
    int width = metrics.horizontalAdvance(text);
    int height = metrics.height();
    if (!FGrid->AutoHeight()) height = std::min(height, opt.rect.height() - 2);
    if (!FGrid->AutoWidth()) width = std::min(width, opt.rect.width() - 4);
    const QRect box = CellTextBox(opt.rect, width, height, FGrid->ColAlignment(col));

    painter->save();
    painter->setFont(font);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(box.intersected(opt.rect));
    painter->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QFontMetrics metrics(
        FGrid->GetCellFont(index.column() + FGrid->FixedCols(), index.row() + FGrid->FixedRows()));
    const QString text = index.data(Qt::DisplayRole).toString();
    Q_UNUSED(option);
    return QSize(metrics.horizontalAdvance(text) + 4, metrics.height() + 2);
  }

 private:
  TSuperStringGrid* FGrid;
};

TSuperStringGrid::TSuperStringGrid(QWidget* parent) : QTableWidget(parent) {
  setItemDelegate(new TSuperStringGridDelegate(this));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setShowGrid(true);
  setCornerButtonEnabled(true);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setDefaultSectionSize(64);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(true);
  verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setMinimumSectionSize(4);
  verticalHeader()->setDefaultSectionSize(17);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionsClickable(true);
  verticalHeader()->setVisible(false);
  // A header cell works as a button: the view's own selection on pressing a
  // section (and on dragging across sections) gives way to selecting on a
  // click, press and release on the same cell, away from the sizing edges.
  disconnect(horizontalHeader(), &QHeaderView::sectionPressed, this, nullptr);
  disconnect(horizontalHeader(), &QHeaderView::sectionEntered, this, nullptr);
  disconnect(verticalHeader(), &QHeaderView::sectionPressed, this, nullptr);
  disconnect(verticalHeader(), &QHeaderView::sectionEntered, this, nullptr);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int section) { ColumnHeaderClick(section + FFixedCols); });
  connect(verticalHeader(), &QHeaderView::sectionClicked, this,
          [this](int section) { RowHeaderClick(section + FFixedRows); });
  if (auto* corner = findChild<QAbstractButton*>()) {
    disconnect(corner, nullptr, this, nullptr);
    connect(corner, &QAbstractButton::clicked, this, &TSuperStringGrid::CornerClick);
  }

  connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { SyncColumnData(); });
  connect(model(), &QAbstractItemModel::columnsRemoved, this, [this] { SyncColumnData(); });
  connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { SyncRowData(); });
  connect(model(), &QAbstractItemModel::rowsRemoved, this, [this] { SyncRowData(); });
  connect(model(), &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
            FitCellsToText(topLeft.row() + FFixedRows, bottomRight.row() + FFixedRows,
                           topLeft.column() + FFixedCols, bottomRight.column() + FFixedCols);
          });

  FCommands = new TViewCommands(this, {[this] { return CanCarryOutRequest(TClipboardRequest::crCopy); },
                                       [this] { CopyToClipboard(); }, [this] { SelectAllCells(); }});

  FFixedFont = font();
  ApplyFixedFont();
  SetColCount(5);
  SetRowCount(5);
  resize(345, 105);
}

TSuperStringGrid::~TSuperStringGrid() = default;

void TSuperStringGrid::SetColCount(int count) {
  setColumnCount(std::max(0, count - FFixedCols));
  SyncColumnData();
}

void TSuperStringGrid::SetRowCount(int count) {
  setRowCount(std::max(0, count - FFixedRows));
  SyncRowData();
}

void TSuperStringGrid::SetFixedCols(int count) {
  count = std::clamp(count, 0, 1);
  if (count == FFixedCols) return;
  FRearranging = true;
  if (count == 1) {
    // Column 0 becomes the row headers.
    std::vector<QString> texts;
    for (int row = 0; row < rowCount(); ++row)
      texts.push_back(item(row, 0) ? item(row, 0)->text() : QString());
    const QString header = horizontalHeaderItem(0) ? horizontalHeaderItem(0)->text() : QString();
    if (columnCount() > 0) removeColumn(0);
    FFixedCols = 1;
    FCornerText = header;
    for (int row = 0; row < rowCount(); ++row)
      setVerticalHeaderItem(row, new QTableWidgetItem(texts[static_cast<std::size_t>(row)]));
  } else {
    insertColumn(0);
    for (int row = 0; row < rowCount(); ++row) {
      QTableWidgetItem* header = takeVerticalHeaderItem(row);
      setItem(row, 0, new QTableWidgetItem(header ? header->text() : QString()));
      delete header;
    }
    FFixedCols = 0;
    if (FFixedRows) setHorizontalHeaderItem(0, new QTableWidgetItem(FCornerText));
    FCornerText.clear();
  }
  verticalHeader()->setVisible(FFixedCols > 0);
  FRearranging = false;
  SyncColumnData();
  SyncRowData();
}

void TSuperStringGrid::SetFixedRows(int count) {
  count = std::clamp(count, 0, 1);
  if (count == FFixedRows) return;
  FRearranging = true;
  if (count == 1) {
    // Row 0 becomes the column headers.
    std::vector<QString> texts;
    for (int col = 0; col < columnCount(); ++col)
      texts.push_back(item(0, col) ? item(0, col)->text() : QString());
    const QString header = verticalHeaderItem(0) ? verticalHeaderItem(0)->text() : QString();
    if (rowCount() > 0) removeRow(0);
    FFixedRows = 1;
    FCornerText = header;
    for (int col = 0; col < columnCount(); ++col)
      setHorizontalHeaderItem(col, new QTableWidgetItem(texts[static_cast<std::size_t>(col)]));
  } else {
    insertRow(0);
    for (int col = 0; col < columnCount(); ++col) {
      QTableWidgetItem* header = takeHorizontalHeaderItem(col);
      setItem(0, col, new QTableWidgetItem(header ? header->text() : QString()));
      delete header;
    }
    FFixedRows = 0;
    if (FFixedCols) setVerticalHeaderItem(0, new QTableWidgetItem(FCornerText));
    FCornerText.clear();
  }
  horizontalHeader()->setVisible(FFixedRows > 0);
  FRearranging = false;
  SyncColumnData();
  SyncRowData();
}

QTableWidgetItem* TSuperStringGrid::CellItem(int col, int row) const {
  if (col < FFixedCols || row < FFixedRows) return nullptr;
  return item(row - FFixedRows, col - FFixedCols);
}

QString TSuperStringGrid::Cells(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  if (col < FFixedCols && row < FFixedRows) return FCornerText;
  const QTableWidgetItem* cell = nullptr;
  if (row < FFixedRows)
    cell = horizontalHeaderItem(col - FFixedCols);
  else if (col < FFixedCols)
    cell = verticalHeaderItem(row - FFixedRows);
  else
    cell = CellItem(col, row);
  return cell ? cell->text() : QString();
}

void TSuperStringGrid::SetCells(int col, int row, const QString& text) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
  if (col < FFixedCols && row < FFixedRows) {
    FCornerText = text;
  } else if (row < FFixedRows) {
    setHorizontalHeaderItem(col - FFixedCols, new QTableWidgetItem(text));
  } else if (col < FFixedCols) {
    setVerticalHeaderItem(row - FFixedRows, new QTableWidgetItem(text));
  } else if (QTableWidgetItem* cell = CellItem(col, row)) {
    cell->setText(text);
  } else {
    setItem(row - FFixedRows, col - FFixedCols, new QTableWidgetItem(text));
  }
}

int TSuperStringGrid::DefaultColWidth() const { return horizontalHeader()->defaultSectionSize(); }
void TSuperStringGrid::SetDefaultColWidth(int width) { horizontalHeader()->setDefaultSectionSize(width); }
int TSuperStringGrid::DefaultRowHeight() const { return verticalHeader()->defaultSectionSize(); }
void TSuperStringGrid::SetDefaultRowHeight(int height) { verticalHeader()->setDefaultSectionSize(height); }

int TSuperStringGrid::ColWidths(int col) const {
  if (col < FFixedCols) return verticalHeader()->width();
  return columnWidth(col - FFixedCols);
}

void TSuperStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  if (col < FFixedCols)
    verticalHeader()->setFixedWidth(width);
  else
    setColumnWidth(col - FFixedCols, width);
}

int TSuperStringGrid::RowHeights(int row) const {
  if (row < FFixedRows) return horizontalHeader()->height();
  return rowHeight(row - FFixedRows);
}

void TSuperStringGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  if (row < FFixedRows)
    horizontalHeader()->setFixedHeight(height);
  else
    setRowHeight(row - FFixedRows, height);
}

TSuperStringGrid::TGridRect TSuperStringGrid::Selection() const {
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  TGridRect rect;
  if (!ranges.isEmpty()) {
    rect = {ranges.first().leftColumn(), ranges.first().topRow(), ranges.first().rightColumn(),
            ranges.first().bottomRow()};
    for (const QTableWidgetSelectionRange& range : ranges) {
      rect.Left = std::min(rect.Left, range.leftColumn());
      rect.Top = std::min(rect.Top, range.topRow());
      rect.Right = std::max(rect.Right, range.rightColumn());
      rect.Bottom = std::max(rect.Bottom, range.bottomRow());
    }
  } else if (currentIndex().isValid()) {
    rect = {currentColumn(), currentRow(), currentColumn(), currentRow()};
  } else if (rowCount() > 0 && columnCount() > 0) {
    rect = {0, 0, 0, 0};  // the grid's first cell counts as selected, as it is focused first
  } else {
    return {};
  }
  return {rect.Left + FFixedCols, rect.Top + FFixedRows, rect.Right + FFixedCols, rect.Bottom + FFixedRows};
}

void TSuperStringGrid::SetSelection(const TGridRect& rect) {
  clearSelection();
  const int left = std::max(rect.Left, FFixedCols) - FFixedCols;
  const int top = std::max(rect.Top, FFixedRows) - FFixedRows;
  const int right = std::min(rect.Right, ColCount() - 1) - FFixedCols;
  const int bottom = std::min(rect.Bottom, RowCount() - 1) - FFixedRows;
  if (right < left || bottom < top) return;
  selectionModel()->setCurrentIndex(model()->index(top, left), QItemSelectionModel::NoUpdate);
  setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
}

void TSuperStringGrid::ColumnHeaderClick(int col) {
  TGridRect selection = Selection();
  const bool extend = (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) &&
                      selectionMode() == QAbstractItemView::ContiguousSelection && FAnchor.y() == 0 &&
                      FAnchor.x() >= 0;
  if (extend && selection.Right >= selection.Left) {
    selection.Left = std::max(FFixedCols, std::min(FAnchor.x(), col));
    selection.Right = std::max(FAnchor.x(), col);
  } else {
    selection = {col, FFixedRows, col, RowCount() - 1};
    FAnchor = QPoint(col, 0);
  }
  SetSelection(selection);
}

void TSuperStringGrid::RowHeaderClick(int row) {
  TGridRect selection = Selection();
  const bool extend = (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) &&
                      selectionMode() == QAbstractItemView::ContiguousSelection && FAnchor.x() == 0 &&
                      FAnchor.y() >= 0;
  if (extend && selection.Bottom >= selection.Top) {
    selection.Top = std::max(FFixedRows, std::min(FAnchor.y(), row));
    selection.Bottom = std::max(FAnchor.y(), row);
  } else {
    selection = {FFixedCols, row, ColCount() - 1, row};
    FAnchor = QPoint(0, row);
  }
  SetSelection(selection);
}

void TSuperStringGrid::CornerClick() {
  SelectAllCells();
  FAnchor = QPoint(0, 0);
}

void TSuperStringGrid::SelectAllCells() {
  SetSelection({FFixedCols, FFixedRows, ColCount() - 1, RowCount() - 1});
}

void TSuperStringGrid::AddContextAction(QAction* action) { FCommands->AddContextAction(action); }

void TSuperStringGrid::SetAutoHeight(bool on) {
  FAutoHeight = on;
  FitAllCellsToText();
  viewport()->update();
}

void TSuperStringGrid::SetAutoWidth(bool on) {
  FAutoWidth = on;
  FitAllCellsToText();
  viewport()->update();
}

void TSuperStringGrid::SetFixedFont(const QFont& font) {
  FFixedFont = font;
  FParentFixedFont = false;
  ApplyFixedFont();
}

void TSuperStringGrid::SetParentFixedFont(bool on) {
  if (on == FParentFixedFont) return;
  FParentFixedFont = on;
  if (on && parentWidget()) TakeParentFont();
}

void TSuperStringGrid::TakeParentFont() {
  FFixedFont = parentWidget() ? parentWidget()->font() : font();
  ApplyFixedFont();
}

void TSuperStringGrid::ApplyFixedFont() {
  horizontalHeader()->setFont(FFixedFont);
  verticalHeader()->setFont(FFixedFont);
  horizontalHeader()->viewport()->update();
  verticalHeader()->viewport()->update();
}

TAlignment TSuperStringGrid::ColAlignment(int col) const {
  if (col < 0 || col >= static_cast<int>(FColAlignments.size())) return taLeftJustify;
  return FColAlignments[static_cast<std::size_t>(col)];
}

void TSuperStringGrid::SetColAlignment(int col, TAlignment alignment) {
  if (col < 0 || col >= static_cast<int>(FColAlignments.size())) return;
  if (FColAlignments[static_cast<std::size_t>(col)] == alignment) return;
  FColAlignments[static_cast<std::size_t>(col)] = alignment;
  viewport()->update();
}

QColor TSuperStringGrid::RowColor(int row) const {
  if (row < 0 || row >= static_cast<int>(FRowColors.size())) return QColor();
  return FRowColors[static_cast<std::size_t>(row)];
}

void TSuperStringGrid::SetRowColor(int row, const QColor& color) {
  if (row < 0 || row >= static_cast<int>(FRowColors.size())) return;
  FRowColors[static_cast<std::size_t>(row)] = color;
  viewport()->update();
}

QFont TSuperStringGrid::GetCellFont(int col, int row) {
  QFont cellFont = (col < FFixedCols || row < FFixedRows) ? FFixedFont : font();
  emit OnGetCellFont(&cellFont, col, row);
  return cellFont;
}

void TSuperStringGrid::AutoSizeColumn(int col, int firstRow, int lastRow) {
  if (col < 0 || col >= ColCount()) return;
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, RowCount() - 1);
  int width = DefaultColWidth();
  for (int row = firstRow; row <= lastRow; ++row) {
    // A heading is drawn by the header, with the style's margins.
    if (row < FFixedRows && col >= FFixedCols)
      width = std::max(width, horizontalHeader()->sectionSizeHint(col - FFixedCols));
    // A fractional font size rounds a laid-out line up by a pixel at times.
    const QFontMetrics metrics(GetCellFont(col, row));
    const QString text = Cells(col, row);
    const int advance =
        std::max(metrics.horizontalAdvance(text), metrics.size(Qt::TextSingleLine, text).width());
    width = std::max(width, ColumnWidthForText(advance));
  }
  SetColWidths(col, width);
}

int TSuperStringGrid::ColumnWidthForText(int advance) const {
  // The cell's text box is inset 2 pixels on both sides (CellTextBox), and
  // the grid line takes the column's last pixel.
  return advance + 4 + (showGrid() ? 1 : 0);
}

void TSuperStringGrid::AutoSizeColumns(int firstRow, int lastRow) {
  for (int col = 0; col < ColCount(); ++col) AutoSizeColumn(col, firstRow, lastRow);
}

void TSuperStringGrid::CopyToClipboard() { SendClipboardRequest(this, TClipboardRequest::crCopy); }

bool TSuperStringGrid::event(QEvent* event) {
  if (event->type() == TClipboardRequestEvent::EventType()) {
    auto* request = static_cast<TClipboardRequestEvent*>(event);
    request->setAccepted(HandleClipboardRequest(request->Request()));
    return true;
  }
  if (event->type() == TClipboardQueryEvent::EventType()) {
    event->setAccepted(CanCarryOutRequest(static_cast<TClipboardQueryEvent*>(event)->Request()));
    return true;
  }
  if (FCommands && FCommands->HandleEvent(event)) return true;
  if (event->type() == QEvent::ParentChange && FParentFixedFont) TakeParentFont();
  return QTableWidget::event(event);
}

void TSuperStringGrid::keyPressEvent(QKeyEvent* event) {
  // The view's own Ctrl+C would copy the current cell alone; the grid's
  // requests take these keys over entirely.
  if (FCommands->HandleKey(event)) return;
  std::optional<TClipboardRequest> request;
  if (event->matches(QKeySequence::Cut))
    request = TClipboardRequest::crCut;
  else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier)
    request = TClipboardRequest::crClear;
  else if (event->key() == Qt::Key_P && event->modifiers() == Qt::ControlModifier)
    request = TClipboardRequest::crPaste;
  if (!request) {
    QTableWidget::keyPressEvent(event);
    return;
  }
  SendClipboardRequest(this, *request);
  event->accept();
}

void TSuperStringGrid::contextMenuEvent(QContextMenuEvent* event) { FCommands->ShowContextMenu(event); }

bool TSuperStringGrid::focusNextPrevChild(bool next) {
  // Tab walks the cells but does not wrap around: past the last cell (before
  // the first, going back) the focus moves on to the next control.
  const QModelIndex current = currentIndex();
  const bool atEnd = next ? current.row() == rowCount() - 1 && current.column() == columnCount() - 1
                          : current.row() == 0 && current.column() == 0;
  if (tabKeyNavigation() && current.isValid() && !atEnd) return QTableWidget::focusNextPrevChild(next);
  return QWidget::focusNextPrevChild(next);
}

void TSuperStringGrid::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && FParentFixedFont) TakeParentFont();
  QTableWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitAllCellsToText();
}

bool TSuperStringGrid::CanCarryOutRequest(TClipboardRequest request) const {
  switch (request) {
    case TClipboardRequest::crCopy:
      return (FEditModes & emCopy) && HasCells();
    case TClipboardRequest::crCut:
      return (FEditModes & emCut) && HasCells();
    case TClipboardRequest::crClear:
      return (FEditModes & emClear) && HasCells();
    case TClipboardRequest::crPaste:
      return false;
  }
  return false;
}

bool TSuperStringGrid::HandleClipboardRequest(TClipboardRequest request) {
  switch (request) {
    case TClipboardRequest::crClear:
      if (!(FEditModes & emClear)) return false;
      ClearSelectedCells();
      return true;
    case TClipboardRequest::crCopy:
    case TClipboardRequest::crCut: {
      const bool cut = request == TClipboardRequest::crCut;
      if (!(FEditModes & (cut ? emCut : emCopy))) return false;
      auto* data = new QMimeData;
      data->setData(QStringLiteral("text/plain"), SelectionText(cut));
      QGuiApplication::clipboard()->setMimeData(data);
      return true;
    }
    case TClipboardRequest::crPaste:
      // Accepted and ignored: nothing is pasted into the grid.
      return FEditModes & emPaste;
  }
  return false;
}

QByteArray TSuperStringGrid::SelectionText(bool cut) {
  const TGridRect selection = Selection();
  const bool entireCols = FCopyModes & cmEntireCols;
  const bool entireRows = FCopyModes & cmEntireRows;
  const int top = entireCols ? FFixedRows : selection.Top;
  const int bottom = entireCols ? RowCount() - 1 : selection.Bottom;
  const int left = entireRows ? FFixedCols : selection.Left;
  const int right = entireRows ? ColCount() - 1 : selection.Right;
  const bool clearCut = cut && EditingEnabled();

  QByteArray text;
  auto appendLine = [&](int row, bool clearAfterReading) {
    bool first = true;
    auto appendCell = [&](int col) {
      if (!first) text += '\t';
      first = false;
      text += Cells(col, row).toUtf8();
    };
    if (FCopyModes & cmFixedCols)
      for (int col = 0; col < FFixedCols; ++col) appendCell(col);
    for (int col = left; col <= right; ++col) {
      appendCell(col);
      if (clearAfterReading && col >= FFixedCols) SetCells(col, row, QString());
    }
    text += "\r\n";
  };
  if (FCopyModes & cmFixedRows)
    for (int row = 0; row < FFixedRows; ++row) appendLine(row, false);
  for (int row = top; row <= bottom; ++row) appendLine(row, clearCut && row >= FFixedRows);
  return text;
}

void TSuperStringGrid::ClearSelectedCells() {
  const TGridRect selection = Selection();
  for (int row = selection.Top; row <= selection.Bottom; ++row)
    for (int col = selection.Left; col <= selection.Right; ++col) SetCells(col, row, QString());
}

bool TSuperStringGrid::EditingEnabled() const { return editTriggers() != QAbstractItemView::NoEditTriggers; }

void TSuperStringGrid::EnsureCurrentCell() {
  // Like the focused cell of a grid that was never clicked, the first
  // non-fixed cell is current and selected, so a copy takes what is shown.
  if (!currentIndex().isValid() && rowCount() > 0 && columnCount() > 0) setCurrentCell(0, 0);
}

void TSuperStringGrid::SyncColumnData() {
  if (FRearranging) return;
  EnsureCurrentCell();
  const int count = ColCount();
  FColAlignments.resize(static_cast<std::size_t>(count), taLeftJustify);
  // A column without a header item would show its number in the header.
  if (FFixedRows)
    for (int col = 0; col < columnCount(); ++col)
      if (!horizontalHeaderItem(col)) setHorizontalHeaderItem(col, new QTableWidgetItem(QString()));
  if (count == FKnownColCount) return;
  const int oldCount = FKnownColCount;
  FKnownColCount = count;
  emit OnColCountChange(oldCount);
}

void TSuperStringGrid::SyncRowData() {
  if (FRearranging) return;
  EnsureCurrentCell();
  const int count = RowCount();
  FRowColors.resize(static_cast<std::size_t>(count), QColor());
  if (FFixedCols)
    for (int row = 0; row < rowCount(); ++row)
      if (!verticalHeaderItem(row)) setVerticalHeaderItem(row, new QTableWidgetItem(QString()));
  if (count == FKnownRowCount) return;
  const int oldCount = FKnownRowCount;
  FKnownRowCount = count;
  emit OnRowCountChange(oldCount);
}

void TSuperStringGrid::FitCellToText(int col, int row) {
  if (col < FFixedCols || row < FFixedRows || (!FAutoWidth && !FAutoHeight)) return;
  const QTableWidgetItem* cell = CellItem(col, row);
  if (!cell) return;
  const QFontMetrics metrics(GetCellFont(col, row));
  const int width = metrics.horizontalAdvance(cell->text());
  const int height = metrics.height();
  if (FAutoWidth && ColWidths(col) < ColumnWidthForText(width)) SetColWidths(col, ColumnWidthForText(width));
  if (FAutoHeight && RowHeights(row) < height + 2) SetRowHeights(row, height + 2);
}

void TSuperStringGrid::FitCellsToText(int firstRow, int lastRow, int firstCol, int lastCol) {
  if (!FAutoWidth && !FAutoHeight) return;
  for (int row = std::max(firstRow, FFixedRows); row <= std::min(lastRow, RowCount() - 1); ++row)
    for (int col = std::max(firstCol, FFixedCols); col <= std::min(lastCol, ColCount() - 1); ++col)
      FitCellToText(col, row);
}

void TSuperStringGrid::FitAllCellsToText() { FitCellsToText(0, RowCount() - 1, 0, ColCount() - 1); }

}  // namespace Parlamine
