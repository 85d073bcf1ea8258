// SPDX-License-Identifier: MIT
#include "LatencyThroughputView.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <algorithm>

#include "ParlamineNetworkButton.h"
#include "ParlamineNetworkButtonForm.h"
#include "ZellStringGrid.h"

namespace Parlamine {

namespace {

QChar LocaleSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0) : QChar(u'.');
}

char LocaleSeparatorChar() { return LocaleSeparator().toLatin1(); }

QString NumberText(double value) {
  return QString::fromStdString(FormatGeneral(value, 15, LocaleSeparatorChar()));
}

// A size as typed, with the locale's decimal separator.
std::optional<double> SizeFromText(const QString& text) {
  QString plain = text.trimmed();
  plain.replace(LocaleSeparator(), QChar(u'.'));
  return ParseByteSize(plain.toStdString());
}

QLineEdit* NewInput(QWidget* parent, const char* name, const QString& hint) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setAlignment(Qt::AlignRight);
  edit->setToolTip(hint);
  edit->setStatusTip(hint);
  return edit;
}

}  // namespace

TLatencyThroughputView::TLatencyThroughputView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LatencyThroughputView"));
  WindowLineEdit = NewInput(this, "WindowLineEdit",
                            QStringLiteral("Your TCP window: bytes, or with a unit (128KiB, 1MB)"));
  LossLineEdit =
      NewInput(this, "LossLineEdit", QStringLiteral("Packet loss in percent (0.01 is 1 in 10000)"));
  MssLineEdit = NewInput(this, "MssLineEdit", QStringLiteral("TCP maximum segment size in bytes"));
  FileSizeLineEdit = NewInput(this, "FileSizeLineEdit",
                              QStringLiteral("A file to move: bytes, or with a unit (1GB, 700MiB)"));
  for (QLineEdit* edit : {WindowLineEdit, LossLineEdit, MssLineEdit, FileSizeLineEdit})
    connect(edit, &QLineEdit::editingFinished, this, &TLatencyThroughputView::CommitInputs);

  auto* inputs = new QFormLayout;
  inputs->setContentsMargins(0, 0, 0, 0);
  inputs->setSpacing(2);
  inputs->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  inputs->addRow(QStringLiteral("TCP &window"), WindowLineEdit);
  inputs->addRow(QStringLiteral("&Loss (%)"), LossLineEdit);
  inputs->addRow(QStringLiteral("&MSS (bytes)"), MssLineEdit);
  inputs->addRow(QStringLiteral("&File size"), FileSizeLineEdit);

  CreateGrid();
  CopyThroughputButton = new QToolButton(this);
  CopyThroughputButton->setObjectName(QStringLiteral("CopyThroughputButton"));
  CopyThroughputButton->setAutoRaise(true);
  CopyThroughputButton->setIcon(QIcon(QStringLiteral(":/images/Clipboard.svg")));
  CopyThroughputButton->setToolTip(QStringLiteral("Copy throughput table to clipboard"));
  CopyThroughputButton->setStatusTip(CopyThroughputButton->toolTip());
  CopyThroughputButton->setAccessibleName(CopyThroughputButton->toolTip());
  CopyThroughputButton->setFocusPolicy(Qt::NoFocus);
  connect(CopyThroughputButton, &QToolButton::clicked, ThroughputStringGrid,
          &TSuperStringGrid::CopyToClipboard);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(inputs, 0, 0);
  layout->addWidget(CopyThroughputButton, 0, 1, Qt::AlignTop | Qt::AlignRight);
  layout->addWidget(ThroughputStringGrid, 1, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(0, 1);
  ShowInputs();
}

TLatencyThroughputView::~TLatencyThroughputView() = default;

void TLatencyThroughputView::CreateGrid() {
  ThroughputStringGrid = new TSuperStringGrid(this);
  TSuperStringGrid* grid = ThroughputStringGrid;
  grid->setObjectName(QStringLiteral("ThroughputStringGrid"));
  grid->SetColCount(2);
  grid->SetFixedRows(1);
  grid->SetFixedCols(0);
  grid->SetAutoHeight(false);
  grid->SetAutoWidth(false);
  FDesignedRowHeight = grid->DefaultRowHeight();
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid->SetCells(0, 0, QStringLiteral("Figure"));
  grid->SetCells(1, 0, QStringLiteral("Value"));
  grid->SetColAlignment(1, taRightJustify);
  FitGridToFont();
}

void TLatencyThroughputView::SetInputs(const TThroughputInputs& inputs) {
  FInputs = inputs;
  ShowInputs();
  Refill();
}

void TLatencyThroughputView::ShowInputs() {
  WindowLineEdit->setText(NumberText(FInputs.WindowBytes));
  LossLineEdit->setText(NumberText(FInputs.LossPercent));
  MssLineEdit->setText(NumberText(FInputs.MssBytes));
  FileSizeLineEdit->setText(NumberText(FInputs.FileBytes));
}

void TLatencyThroughputView::CommitInputs() {
  TThroughputInputs inputs = FInputs;
  if (const std::optional<double> window = SizeFromText(WindowLineEdit->text())) inputs.WindowBytes = *window;
  const std::optional<double> loss = TextToFloat(LossLineEdit->text(), LocaleSeparator());
  if (loss && *loss >= 0 && *loss <= 100) inputs.LossPercent = *loss;
  const std::optional<double> mss = TextToFloat(MssLineEdit->text(), LocaleSeparator());
  if (mss && *mss >= 1) inputs.MssBytes = *mss;
  if (const std::optional<double> file = SizeFromText(FileSizeLineEdit->text())) inputs.FileBytes = *file;
  const bool changed = !(inputs == FInputs);
  FInputs = inputs;
  ShowInputs();  // a text that is no valid value shows the last good one again
  if (!changed) return;
  Refill();
  emit OnInputsChanged();
}

void TLatencyThroughputView::Fill(const std::vector<TNetworkElement>& chain, const QStringList& hints,
                                  const TLatencyResult& result) {
  FChain = chain;
  FHints = hints;
  FResult = result;
  FFilled = true;
  Refill();
}

void TLatencyThroughputView::Refill() {
  if (!FFilled) return;
  const TThroughput t = ComputeThroughput(FChain, FResult, FInputs);
  const std::string bottleneck = t.BottleneckIndex >= 0 && t.BottleneckIndex < FHints.size()
                                     ? FHints.at(t.BottleneckIndex).toStdString()
                                     : std::string();
  const std::vector<TThroughputRow> rows = ThroughputRows(t, bottleneck, LocaleSeparatorChar());
  TSuperStringGrid* grid = ThroughputStringGrid;
  grid->SetRowCount(static_cast<int>(rows.size()) + 1);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int col = 0; col < 2; ++col)
      grid->SetCells(col, static_cast<int>(r) + 1,
                     QString::fromStdString(rows[r][static_cast<std::size_t>(col)]));
  FitGridToFont();
}

// Rows as high as the font's line; each column as wide as its widest text
// and heading as the grid measures them, grid line included, so that no
// figure is cut at any font or style.
void TLatencyThroughputView::FitGridToFont() {
  TSuperStringGrid* grid = ThroughputStringGrid;
  grid->SetDefaultRowHeight(std::max(FDesignedRowHeight, grid->fontMetrics().height() + 2));
  grid->AutoSizeColumns(0, grid->RowCount() - 1);
}

void TLatencyThroughputView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitGridToFont();
}

}  // namespace Parlamine
