// SPDX-License-Identifier: MIT
#include "LatencyStatisticsView.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLocale>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <array>

#include "LatencyStatisticsText.h"
#include "ZellStringGrid.h"

namespace Parlamine {

namespace {

constexpr std::array<int, 3> InitialColumnWidths = {145, 60, 40};
constexpr int DesignedRowHeight = 17;

char LocaleDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
}

}  // namespace

TLatencyStatisticsView::TLatencyStatisticsView(QWidget* parent) : QWidget(parent) {
  CreateDirectionSelector();
  CreateGrid();

  CopyLatencyStatsButton = new QToolButton(this);
  CopyLatencyStatsButton->setObjectName(QStringLiteral("CopyLatencyStatsButton"));
  CopyLatencyStatsButton->setAutoRaise(true);
  CopyLatencyStatsButton->setIcon(QIcon(QStringLiteral(":/images/Clipboard.svg")));
  CopyLatencyStatsButton->setToolTip(QStringLiteral("Copy latancy statistics table to clipboard"));
  CopyLatencyStatsButton->setStatusTip(CopyLatencyStatsButton->toolTip());
  CopyLatencyStatsButton->setAccessibleName(CopyLatencyStatsButton->toolTip());
  CopyLatencyStatsButton->setFocusPolicy(Qt::NoFocus);
  connect(CopyLatencyStatsButton, &QToolButton::clicked, this,
          &TLatencyStatisticsView::CopyLatencyStatsButtonClick);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(PacketDirRadioGroup, 0, 0);
  layout->addWidget(CopyLatencyStatsButton, 0, 1, Qt::AlignTop | Qt::AlignRight);
  layout->addWidget(LatencyStatsStringGrid, 1, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(0, 1);
}

TLatencyStatisticsView::~TLatencyStatisticsView() = default;

void TLatencyStatisticsView::CreateDirectionSelector() {
  PacketDirRadioGroup = new QGroupBox(QStringLiteral("Packet &Direction"), this);
  PacketDirRadioGroup->setObjectName(QStringLiteral("PacketDirRadioGroup"));
  const QString hint = QStringLiteral("Select a packet transmission direction to show statistics for");
  PacketDirRadioGroup->setToolTip(hint);
  PacketDirRadioGroup->setStatusTip(hint);
  FDirectionButtons = new QButtonGroup(this);
  auto* layout = new QHBoxLayout(PacketDirRadioGroup);
  layout->setContentsMargins(6, 2, 6, 2);
  for (int i = 0; i < LatencyDirectionCount; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(DirectionCaption(static_cast<TLatencyDirection>(i))),
                                    PacketDirRadioGroup);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    FDirectionButtons->addButton(button, i);
    layout->addWidget(button);
  }
  FDirectionButtons->button(ldA)->setChecked(true);
  connect(FDirectionButtons, &QButtonGroup::idClicked, this, [this] { emit OnPacketDirRadioGroupClick(); });
}

void TLatencyStatisticsView::CreateGrid() {
  LatencyStatsStringGrid = new TSuperStringGrid(this);
  TSuperStringGrid* grid = LatencyStatsStringGrid;
  grid->setObjectName(QStringLiteral("LatencyStatsStringGrid"));
  grid->SetColCount(3);
  grid->SetFixedRows(1);
  grid->SetFixedCols(0);
  grid->SetAutoHeight(false);
  grid->SetAutoWidth(false);
  FitGridToFont();
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  for (int col = 0; col < 3; ++col) {
    grid->SetCells(col, 0, QString::fromLatin1(StatisticsHeaderTexts()[static_cast<std::size_t>(col)]));
    grid->SetColWidths(col, InitialColumnWidths[static_cast<std::size_t>(col)]);
  }
  // Figures line up on the right; the element names stay left-aligned.
  grid->SetColAlignment(1, taRightJustify);
  grid->SetColAlignment(2, taRightJustify);
}

TLatencyDirection TLatencyStatisticsView::Direction() const {
  const int id = FDirectionButtons->checkedId();
  return id >= 0 && id < LatencyDirectionCount ? static_cast<TLatencyDirection>(id) : ldA;
}

void TLatencyStatisticsView::SetDirection(TLatencyDirection direction) {
  if (QAbstractButton* button = FDirectionButtons->button(direction)) button->setChecked(true);
}

void TLatencyStatisticsView::Fill(const QStringList& hints, const TLatencyResult& result) {
  TSuperStringGrid* grid = LatencyStatsStringGrid;
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(hints.size()));
  for (const QString& hint : hints) names.push_back(hint.toStdString());
  // The rows, the totals row included, as the command line prints them.
  const std::vector<TStatisticsRow> rows =
      StatisticsRows(names, result, Direction(), LocaleDecimalSeparator());
  grid->SetRowCount(static_cast<int>(rows.size()) + 1);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int col = 0; col < 3; ++col)
      grid->SetCells(col, static_cast<int>(r) + 1,
                     QString::fromStdString(rows[r][static_cast<std::size_t>(col)]));
  grid->AutoSizeColumns(0, grid->RowCount() - 1);
}

void TLatencyStatisticsView::FitGridToFont() {
  // Rows do not grow by themselves here, so a larger font gets taller rows.
  TSuperStringGrid* grid = LatencyStatsStringGrid;
  grid->SetDefaultRowHeight(std::max(DesignedRowHeight, grid->fontMetrics().height() + 2));
  if (grid->RowCount() > 1) grid->AutoSizeColumns(0, grid->RowCount() - 1);
}

void TLatencyStatisticsView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitGridToFont();
}

void TLatencyStatisticsView::CopyLatencyStatsButtonClick() { LatencyStatsStringGrid->CopyToClipboard(); }

}  // namespace Parlamine
