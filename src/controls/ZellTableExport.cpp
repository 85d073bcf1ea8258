// SPDX-License-Identifier: MIT
#include "ZellTableExport.h"

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "WrapMessageText.h"
#include "ZellClipboardRequest.h"
#include "ZellGlobal.h"
#include "ZellMsgClasses.h"
#include "ZellViewCommands.h"

namespace Parlamine {

TVirtualTableModel::TVirtualTableModel(const TVirtualTableSource& source, QObject* parent)
    : QAbstractTableModel(parent), FSource(source), FRowCount(std::max(0, source.RowCount())) {}

void TVirtualTableModel::Refresh() {
  const int count = std::max(0, FSource.RowCount());
  if (count != FRowCount) {
    beginResetModel();
    FRowCount = count;
    endResetModel();
  } else if (FRowCount > 0) {
    // The view repaints only the rows it shows, whatever the range.
    emit dataChanged(index(0, 0), index(FRowCount - 1, columnCount() - 1), {Qt::DisplayRole});
  }
}

int TVirtualTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FRowCount; }

int TVirtualTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FSource.ColumnCount();
}

QVariant TVirtualTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  switch (role) {
    case Qt::DisplayRole:
      return FSource.CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(FSource.ColumnAlignment(index.column()));
    default:
      return {};
  }
}

QVariant TVirtualTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return FSource.ColumnCaption(section);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(FSource.ColumnAlignment(section));
  return {};
}

Qt::ItemFlags TVirtualTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

TVirtualListView::TVirtualListView(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  setSortingEnabled(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  // One fixed height for every row: the view then maps rows to pixels by
  // arithmetic and never measures a row.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  FitRowHeight();
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  FCommands =
      new TViewCommands(this, {[this] { return FModel && FModel->rowCount() > 0; },
                               [this] { CopyTableToClipboard(this, this); }, [this] { selectAll(); }});
}

void TVirtualListView::AddContextAction(QAction* action) { FCommands->AddContextAction(action); }

bool TVirtualListView::event(QEvent* event) {
  if (FCommands && FCommands->HandleEvent(event)) return true;
  return QTableView::event(event);
}

void TVirtualListView::keyPressEvent(QKeyEvent* event) {
  // The view's own Ctrl+C would copy the current cell alone.
  if (FCommands->HandleKey(event)) return;
  QTableView::keyPressEvent(event);
}

void TVirtualListView::contextMenuEvent(QContextMenuEvent* event) { FCommands->ShowContextMenu(event); }

void TVirtualListView::SetSource(const TVirtualTableSource& source) {
  QAbstractItemModel* old = model();
  FModel = new TVirtualTableModel(source, this);
  setModel(FModel);
  if (old && old->parent() == this) old->deleteLater();
  for (int c = 0; c < FModel->columnCount(); ++c)
    horizontalHeader()->setSectionResizeMode(c, QHeaderView::Interactive);
  // New rows can bring wider texts.
  connect(FModel, &QAbstractItemModel::modelReset, this, [this] { FitStretchColumn(); });
  connect(FModel, &QAbstractItemModel::dataChanged, this, [this] { FitStretchColumn(); });
  FitStretchColumn();
}

void TVirtualListView::SetColumnWidths(const QList<int>& widths, int stretchMinimum) {
  FMeasured = false;
  FColumnWidths = widths;
  FStretchMinimum = stretchMinimum;
  FitStretchColumn();
}

void TVirtualListView::FitColumnsToSource(int stretchColumn) {
  FMeasured = true;
  FMeasuredStretchColumn = stretchColumn;
  FitStretchColumn();
}

int TVirtualListView::NeededColumnWidth(int column) const {
  if (!FModel) return 0;
  // The item delegate keeps this much room left and right of a cell's text,
  // and the grid line takes a pixel of every column.
  const int cellMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int grid = showGrid() ? 1 : 0;
  const QString widest = FModel->Source().WidestText(column);
  // A fractional font size rounds a laid-out line up by a pixel at times.
  const int advance = std::max(fontMetrics().horizontalAdvance(widest),
                               fontMetrics().size(Qt::TextSingleLine, widest).width());
  const int cell = widest.isEmpty() ? 0 : advance + 2 * cellMargin + grid;
  return std::max(cell, horizontalHeader()->sectionSizeHint(column));
}

void TVirtualListView::MeasureColumns() {
  FColumnWidths.clear();
  for (int c = 0; c < FModel->columnCount(); ++c) FColumnWidths << NeededColumnWidth(c);
  FStretchMinimum = 0;
  if (FMeasuredStretchColumn >= 0 && FMeasuredStretchColumn < FColumnWidths.size()) {
    FStretchMinimum = FColumnWidths[FMeasuredStretchColumn];
    FColumnWidths[FMeasuredStretchColumn] = 0;
  }
}

void TVirtualListView::FitRowHeight() { verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4); }

void TVirtualListView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    FitRowHeight();
    FitStretchColumn();
  }
}

void TVirtualListView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  FitStretchColumn();
}

void TVirtualListView::FitStretchColumn() {
  if (!FModel) return;
  if (FMeasured) MeasureColumns();
  const int columns = std::min<int>(FModel->columnCount(), FColumnWidths.size());
  int fixed = 0;
  int stretch = -1;
  for (int c = 0; c < columns; ++c) {
    if (FColumnWidths[c] > 0) {
      setColumnWidth(c, FColumnWidths[c]);
      fixed += FColumnWidths[c];
    } else {
      stretch = c;
    }
  }
  if (stretch < 0) return;
  const int rest = viewport()->width() - fixed;
  setColumnWidth(stretch, std::max({rest, FStretchMinimum, horizontalHeader()->sectionSizeHint(stretch)}));
}

TControlMessageHook* CreateListViewControlMessageHook(TVirtualListView* view, QAbstractButton* copyButton,
                                                      const QString& name) {
  auto* hook = new TControlMessageHook(view);
  hook->setObjectName(name);
  QPointer<QAbstractButton> button(copyButton);
  hook->SetOnMessage([button](TMessageComponent*, QEvent* message, bool&) {
    if (message->type() != TClipboardRequestEvent::EventType()) return;
    auto* request = static_cast<TClipboardRequestEvent*>(message);
    if (request->Request() != TClipboardRequest::crCopy || !button) return;
    button->click();
    request->accept();  // carried out, so the Edit menu looks no further
  });
  hook->SetControl(view);
  return hook;
}

QList<int> SelectedRowsInOrder(const TVirtualListView* view) {
  QList<int> rows;
  const QItemSelectionModel* selection = view ? view->selectionModel() : nullptr;
  if (!selection) return rows;
  // Merge the selection ranges as row intervals: a selection of millions of
  // rows is a few ranges, never one index per cell.
  std::vector<std::pair<int, int>> spans;
  for (const QItemSelectionRange& range : selection->selection())
    if (range.isValid()) spans.emplace_back(range.top(), range.bottom());
  std::sort(spans.begin(), spans.end());
  int next = 0;
  for (const auto& [top, bottom] : spans) {
    for (int row = std::max(top, next); row <= bottom; ++row) rows.append(row);
    next = std::max(next, bottom + 1);
  }
  return rows;
}

namespace {

void AppendHeaderLine(const TVirtualTableSource& source, QByteArray& out) {
  for (int c = 0; c < source.ColumnCount(); ++c) {
    if (c > 0) out.append('\t');
    out.append(source.ColumnCaption(c).toLocal8Bit());
  }
  out.append("\r\n", 2);
}

// A first guess of the text size from the first and last rows, so that the
// buffer is allocated once for tables whose rows are of similar length.
qsizetype EstimatedTextSize(const TVirtualTableSource& source, qsizetype rowCount) {
  if (rowCount <= 0) return 64;
  QByteArray probe;
  source.AppendRowBytes(0, probe);
  qsizetype longest = probe.size();
  probe.clear();
  source.AppendRowBytes(source.RowCount() - 1, probe);
  longest = std::max(longest, probe.size());
  return 64 + rowCount * (longest + 2);
}

}  // namespace

QByteArray TableText(const TVirtualTableSource& source, const QList<int>& rows, bool allRows) {
  const qsizetype count = allRows ? source.RowCount() : rows.size();
  QByteArray text;
  text.reserve(EstimatedTextSize(source, count));
  AppendHeaderLine(source, text);
  if (allRows) {
    for (int row = 0; row < count; ++row) {
      source.AppendRowBytes(row, text);
      text.append("\r\n", 2);
    }
  } else {
    for (int row : rows) {
      source.AppendRowBytes(row, text);
      text.append("\r\n", 2);
    }
  }
  return text;
}

bool CopyTableToClipboard(QWidget* parent, TVirtualListView* view) {
  if (!view || !view->Model()) return false;
  const QList<int> rows = SelectedRowsInOrder(view);
  if (rows.isEmpty()) {
    TMessageBoxRequest question;
    question.Parent = parent;
    question.Caption = QStringLiteral("Copy All Data?");
    question.Text =
        QString::fromStdString(WrapMessageText("No data is selected in the table from which you wish to "
                                               "copy. Would you like to copy all of the data?",
                                               80));
    question.Icon = QMessageBox::Question;
    question.Buttons = QMessageBox::Yes | QMessageBox::No;
    question.DefaultButton = QMessageBox::Yes;
    if (ShowMessageBox(question) != QMessageBox::Yes) return false;
  }
  TBusyCursor busy(Qt::WaitCursor);
  // Built completely before the clipboard is touched: an error on the way
  // leaves the clipboard as it was.
  QByteArray text = TableText(view->Model()->Source(), rows, rows.isEmpty());
  SetClipboardTextBytes(std::move(text));
  return true;
}

namespace {

void ScrollToRow(TVirtualListView* view, int row) {
  if (!view || !view->model() || row < 0 || row >= view->model()->rowCount()) return;
  // Only the rows scroll: the column the user looks at stays where it is.
  const int horizontal = view->horizontalScrollBar()->value();
  view->scrollTo(view->model()->index(row, 0), QAbstractItemView::EnsureVisible);
  view->horizontalScrollBar()->setValue(horizontal);
}

}  // namespace

void GoToFirstRow(TVirtualListView* view) { ScrollToRow(view, 0); }

void GoToLastRow(TVirtualListView* view) {
  if (view && view->model()) ScrollToRow(view, view->model()->rowCount() - 1);
}

void GoToSelectedRow(TVirtualListView* view) {
  if (view && view->currentIndex().isValid()) ScrollToRow(view, view->currentIndex().row());
}

QToolButton* CreateTableClipboardButton(QWidget* parent, const QString& name, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setIcon(QIcon(QStringLiteral(":/images/Clipboard.svg")));
  button->setIconSize(QSize(16, 16));
  if (button->icon().isNull()) button->setText(QStringLiteral("Copy"));
  button->setToolTip(hint);
  button->setStatusTip(hint);
  // A picture alone says nothing to a screen reader: it reads the hint.
  button->setAccessibleName(hint);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

QToolBar* CreateTableNavigationToolBar(QWidget* parent, TVirtualListView* view, const QString& namePrefix,
                                       const QString& tableWords) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(namePrefix + QStringLiteral("ToolBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  bar->setIconSize(QSize(16, 16));
  struct TNavigationButton {
    const char* Name;
    const char* Caption;
    const char* Picture;
    const char* HintStart;
    void (*Go)(TVirtualListView*);
  };
  static const TNavigationButton buttons[] = {
      {"FirstToolButton", "First", ":/images/First.svg", "Go to the first row in the ", GoToFirstRow},
      {"LastToolButton", "Last", ":/images/Last.svg", "Go to the last row in the ", GoToLastRow},
      {"SelectedToolButton", "Selected", ":/images/Selected.svg", "Go to the currently selected row in the ",
       GoToSelectedRow},
  };
  for (const TNavigationButton& entry : buttons) {
    auto* button = new QToolButton(bar);
    button->setObjectName(namePrefix + QLatin1String(entry.Name));
    button->setText(QLatin1String(entry.Caption));
    button->setIcon(QIcon(QLatin1String(entry.Picture)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    const QString hint = QLatin1String(entry.HintStart) + tableWords;
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAccessibleName(hint);
    QPointer<TVirtualListView> target(view);
    auto go = entry.Go;
    QObject::connect(button, &QToolButton::clicked, bar, [target, go] { go(target.data()); });
    bar->addWidget(button);
  }
  return bar;
}

}  // namespace Parlamine
