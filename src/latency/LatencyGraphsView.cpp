// SPDX-License-Identifier: MIT
#include "LatencyGraphsView.h"

#include <QEvent>
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

// The designed geometry at the program's own font; a larger font or a
// larger window only ever widens and lowers it.
constexpr int BarTop = 16;
constexpr int BarWidth = 38;
constexpr int BarBottomMargin = 8;
constexpr int BarsLeft = 8;
constexpr int BarGap = 10;
constexpr int BarsRightMargin = 11;  // from the last bar to the line right of the bars
constexpr std::array<const char*, LatencyDirectionCount> BarCaptions = {"C->S", "C<-S", "C<->S"};
constexpr std::array<const char*, LatencyDirectionCount> BarLabelNames = {"Label42", "Label43", "Label44"};
constexpr std::array<const char*, LatencyDirectionCount> BarNames = {"RainbowBarA", "RainbowBarB",
                                                                     "RainbowBarAB"};
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

  // In the legend's panel, so that the legend's rows can keep clear of it.
  CopyLatencyGraphsButton = new QToolButton(Panel1);
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
    FBarLabels[static_cast<std::size_t>(d)] = label;

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
    square->resize(SquareSize, SquareSize);
    FLegendSquares[static_cast<std::size_t>(i)] = square;

    auto* label = new QLabel(Panel1);
    label->setObjectName(color + QStringLiteral("Label"));
    label->setTextFormat(Qt::PlainText);
    // A long hint takes more lines rather than being cut.
    label->setWordWrap(true);
    FLegendLabels[static_cast<std::size_t>(i)] = label;
  }
}

int TLatencyGraphsView::BarWidthFor(int pageWidth) const {
  // Each caption fits over its bar; a wide page gives the bars up to half of
  // its width, the legend the rest.
  int width = BarWidth;
  for (const QLabel* label : FBarLabels)
    width = std::max(width, label->fontMetrics().horizontalAdvance(label->text()) + 4);
  return std::max(width, (pageWidth / 2 - BarsLeft - BarsRightMargin - 2 * BarGap) / 3);
}

void TLatencyGraphsView::LayOut() {
  LatencyGraphsCanvasPanel->setGeometry(rect());
  const QSize size = LatencyGraphsCanvasPanel->size();
  const int barTop = std::max(BarTop, FBarLabels[0]->fontMetrics().height() + 1);
  const int barWidth = BarWidthFor(size.width());
  const int barHeight = std::max(0, size.height() - barTop - BarBottomMargin);
  for (int d = 0; d < LatencyDirectionCount; ++d) {
    const int left = BarsLeft + d * (barWidth + BarGap);
    FBarLabels[static_cast<std::size_t>(d)]->setGeometry(left, 0, barWidth, barTop);
    Bar(static_cast<TLatencyDirection>(d))->setGeometry(left, barTop, barWidth, barHeight);
  }
  const int barsWidth = BarsLeft + 3 * barWidth + 2 * BarGap + BarsRightMargin;
  Bevel1->setGeometry(barsWidth - 2, 0, 3, size.height());
  Panel1->setGeometry(barsWidth + 2, 0, std::max(0, size.width() - barsWidth - 2), size.height());
  CopyLatencyGraphsButton->setGeometry(Panel1->width() - CopyButtonSize - 2, 0, CopyButtonSize,
                                       CopyButtonSize);
  LayOutLegend(barTop);
}

void TLatencyGraphsView::LayOutLegend(int top) {
  const int lineHeight = std::max(SquareSize, FLegendLabels[0]->fontMetrics().height());
  // A label's first line is centred on its square.
  const int lift = (lineHeight - SquareSize) / 2;
  // Rows start at their designed places, or lower when a larger font or a
  // wrapped hint needs the room.
  int freeTop = 0;
  for (int i = 0; i < LegendCount; ++i) {
    const int labelTop = std::max(top + LegendTops[static_cast<std::size_t>(i)] - lift, freeTop);
    FLegendSquares[static_cast<std::size_t>(i)]->move(0, labelTop + lift);
    freeTop = labelTop + ShowLegendText(i, labelTop, lineHeight) + 1;
  }
}

int TLatencyGraphsView::ShowLegendText(int index, int top, int lineHeight) {
  QLabel* label = FLegendLabels[static_cast<std::size_t>(index)];
  // Rows beside the copy button stop short of it.
  int right = Panel1->width() - 2;
  if (top < CopyLatencyGraphsButton->geometry().bottom()) right = CopyLatencyGraphsButton->x() - 2;
  const int width = std::max(0, right - LegendTextLeft);
  const QString& text = FLegendTexts[static_cast<std::size_t>(index)];
  label->setText(text);
  label->setToolTip(text);
  label->setStatusTip(text);
  label->setAccessibleName(text);
  const int height = std::max(lineHeight, label->heightForWidth(width));
  label->setGeometry(LegendTextLeft, top, width, height);
  return height;
}

void TLatencyGraphsView::Fill(const QStringList& hints, const TLatencyResult& result) {
  const int count =
      std::min<int>({static_cast<int>(result.Elements.size()), static_cast<int>(hints.size()), LegendCount});
  for (int i = 0; i < LegendCount; ++i) {
    const bool shown = i < count;
    FLegendTexts[static_cast<std::size_t>(i)] = shown ? hints[i] : QString();
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
  LayOut();
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

void TLatencyGraphsView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The captions, bars and legend rows are measured in the font.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) LayOut();
}

}  // namespace Parlamine
