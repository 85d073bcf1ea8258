// SPDX-License-Identifier: MIT
#include "LatencyGraphsView.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QToolButton>

#include "ParlamineRainbowBar.h"
#include "RainbowGeometry.h"
#include "ZellPanels.h"

namespace Parlamine {

namespace {

constexpr std::array<const char*, RainbowColorCount> ColorNames = {
    "Red",   "Yellow", "Lime", "Blue", "Purple", "Black",   "Maroon", "Green",
    "Olive", "Navy",   "Teal", "Gray", "Silver", "Fuchsia", "Aqua",   "White"};
// The legend's rows, one under the other.
constexpr std::array<int, RainbowColorCount> LegendTops = {0,   18,  36,  54,  71,  89,  107, 125,
                                                           143, 161, 179, 197, 214, 232, 250, 268};

constexpr int BarTop = 16;
constexpr int BarWidth = 38;
constexpr int BarBottomMargin = 8;
constexpr std::array<int, LatencyDirectionCount> BarLefts = {8, 56, 104};  // A, B, AB
constexpr std::array<const char*, LatencyDirectionCount> BarCaptions = {"C->S", "C<-S", "C<->S"};
constexpr std::array<const char*, LatencyDirectionCount> BarLabelNames = {"Label42", "Label43", "Label44"};
constexpr std::array<const char*, LatencyDirectionCount> BarNames = {"RainbowBarA", "RainbowBarB",
                                                                     "RainbowBarAB"};
// The line right of the bars ends the 153 pixels they take.
constexpr int BarsWidth = 153;
constexpr int LegendTextLeft = 16;
constexpr int SquareSize = 13;
constexpr int CopyButtonSize = 22;

}  // namespace

TLatencyGraphsView::TLatencyGraphsView(QWidget* parent) : QWidget(parent) {
  LatencyGraphsCanvasPanel = new TCanvasPanel(this);
  LatencyGraphsCanvasPanel->setObjectName(QStringLiteral("LatencyGraphsCanvasPanel"));
  LatencyGraphsCanvasPanel->SetBevelOuter(bvNone);
  CreateBars();
  CreateLegend();

  CopyLatencyGraphsButton = new QToolButton(LatencyGraphsCanvasPanel);
  CopyLatencyGraphsButton->setObjectName(QStringLiteral("CopyLatencyGraphsButton"));
  CopyLatencyGraphsButton->setAutoRaise(true);
  CopyLatencyGraphsButton->setIcon(QIcon(QStringLiteral(":/images/Clipboard.svg")));
  CopyLatencyGraphsButton->setToolTip(QStringLiteral("Copy latency graphs to clipboard"));
  CopyLatencyGraphsButton->setStatusTip(CopyLatencyGraphsButton->toolTip());
  CopyLatencyGraphsButton->setAccessibleName(CopyLatencyGraphsButton->toolTip());
  CopyLatencyGraphsButton->setFocusPolicy(Qt::NoFocus);
  connect(CopyLatencyGraphsButton, &QToolButton::clicked, this,
          &TLatencyGraphsView::CopyLatencyGraphsButtonClick);
  LayOut();
}

TLatencyGraphsView::~TLatencyGraphsView() = default;

void TLatencyGraphsView::CreateBars() {
  std::array<TRainbowBar**, LatencyDirectionCount> bars = {&RainbowBarA, &RainbowBarB, &RainbowBarAB};
  for (int d = 0; d < LatencyDirectionCount; ++d) {
    auto* label = new QLabel(QString::fromLatin1(BarCaptions[d]), LatencyGraphsCanvasPanel);
    label->setObjectName(QString::fromLatin1(BarLabelNames[d]));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(BarLefts[d], 0, BarWidth, BarTop);

    auto* bar = new TRainbowBar(LatencyGraphsCanvasPanel);
    bar->setObjectName(QString::fromLatin1(BarNames[d]));
    bar->SetCaptionBorderWidth(0);
    bar->SetLayout(tlTop);
    bar->SetNumStripes(RainbowColorCount);
    bar->setAccessibleName(label->text());
    // Each bar is a keyboard stop of the page; copying one copies the page's
    // picture, as the copy button does: a lone bar means nothing without
    // the legend.
    bar->EnablePictureCopy();
    bar->SetOnCopyPicture([this] { CopyLatencyGraphsButtonClick(); });
    *bars[static_cast<std::size_t>(d)] = bar;
  }
  Bevel1 = new QFrame(LatencyGraphsCanvasPanel);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameShape(QFrame::VLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
}

void TLatencyGraphsView::CreateLegend() {
  Panel1 = new QWidget(LatencyGraphsCanvasPanel);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  for (int i = 0; i < LegendCount; ++i) {
    const QString color = QString::fromLatin1(ColorNames[static_cast<std::size_t>(i)]);
    auto* square = new QFrame(Panel1);
    square->setObjectName(color + QStringLiteral("Panel"));
    square->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    square->setLineWidth(1);
    square->setAutoFillBackground(true);
    QPalette palette = square->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(RainbowColors[static_cast<std::size_t>(i)]));
    square->setPalette(palette);
    square->setGeometry(0, LegendTops[static_cast<std::size_t>(i)], SquareSize, SquareSize);
    FLegendSquares[static_cast<std::size_t>(i)] = square;

    auto* label = new QLabel(Panel1);
    label->setObjectName(color + QStringLiteral("Label"));
    label->setTextFormat(Qt::PlainText);
    FLegendLabels[static_cast<std::size_t>(i)] = label;
  }
}

void TLatencyGraphsView::LayOut() {
  LatencyGraphsCanvasPanel->setGeometry(rect());
  const QSize size = LatencyGraphsCanvasPanel->size();
  const int barHeight = std::max(0, size.height() - BarTop - BarBottomMargin);
  for (int d = 0; d < LatencyDirectionCount; ++d)
    Bar(static_cast<TLatencyDirection>(d))
        ->setGeometry(BarLefts[static_cast<std::size_t>(d)], BarTop, BarWidth, barHeight);
  Bevel1->setGeometry(BarsWidth - 2, 0, 3, size.height());
  Panel1->setGeometry(BarsWidth + 2, BarTop, std::max(0, size.width() - BarsWidth - 2),
                      std::max(0, size.height() - BarTop));
  CopyLatencyGraphsButton->setGeometry(size.width() - CopyButtonSize - 2, 0, CopyButtonSize, CopyButtonSize);
  CopyLatencyGraphsButton->raise();
  for (int i = 0; i < LegendCount; ++i) ShowLegendText(i);
}

void TLatencyGraphsView::ShowLegendText(int index) {
  QLabel* label = FLegendLabels[static_cast<std::size_t>(index)];
  const int top = LegendTops[static_cast<std::size_t>(index)];
  const int height = std::max(SquareSize, label->fontMetrics().height());
  // Rows beside the copy button stop short of it; long hints are elided and
  // shown whole in the tooltip.
  int right = Panel1->width() - 2;
  if (Panel1->y() + top < CopyLatencyGraphsButton->geometry().bottom())
    right = CopyLatencyGraphsButton->x() - Panel1->x() - 2;
  const int width = std::max(0, right - LegendTextLeft);
  label->setGeometry(LegendTextLeft, top - (height - SquareSize) / 2, width, height);
  const QString& text = FLegendTexts[static_cast<std::size_t>(index)];
  label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, width));
  label->setToolTip(text);
  label->setStatusTip(text);
  label->setAccessibleName(text);
}

void TLatencyGraphsView::Fill(const QStringList& hints, const TLatencyResult& result) {
  const int count =
      std::min<int>({static_cast<int>(result.Elements.size()), static_cast<int>(hints.size()), LegendCount});
  for (int i = 0; i < LegendCount; ++i) {
    const bool shown = i < count;
    FLegendTexts[static_cast<std::size_t>(i)] = shown ? hints[i] : QString();
    ShowLegendText(i);
    FLegendLabels[static_cast<std::size_t>(i)]->setVisible(shown);
    FLegendSquares[static_cast<std::size_t>(i)]->setVisible(shown);
  }
  const QLocale locale;
  const char separator = locale.decimalPoint().size() == 1 ? locale.decimalPoint().at(0).toLatin1() : '.';
  for (int d = 0; d < LatencyDirectionCount; ++d) {
    const auto direction = static_cast<TLatencyDirection>(d);
    TRainbowBar* bar = Bar(direction);
    bar->SetNumStripes(count);
    QStringList description;
    for (int i = 0; i < count; ++i) {
      const float share = result.Elements[static_cast<std::size_t>(i)].Share[direction];
      bar->Stripes(i).SetValue(share);
      description << hints[i] + QStringLiteral(": ") +
                         QString::fromStdString(FormatPercent(share, separator));
    }
    bar->setAccessibleDescription(description.join(QStringLiteral("; ")));
  }
}

void TLatencyGraphsView::CopyLatencyGraphsButtonClick() {
  // The button is left out of the picture.
  CopyLatencyGraphsButton->hide();
  LatencyGraphsCanvasPanel->CopyRectToClipboard(LatencyGraphsCanvasPanel->rect());
  CopyLatencyGraphsButton->show();
}

TRainbowBar* TLatencyGraphsView::Bar(TLatencyDirection direction) const {
  switch (direction) {
    case ldA:
      return RainbowBarA;
    case ldB:
      return RainbowBarB;
    case ldAB:
      return RainbowBarAB;
  }
  return RainbowBarA;
}

void TLatencyGraphsView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

}  // namespace Parlamine
