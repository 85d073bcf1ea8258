// SPDX-License-Identifier: MIT
// The contents of the Latency Graphs page: three stacked bars (request,
// reply, both) with one stripe per chain element, a legend of up to 16
// elements in the rainbow colours, and a button that copies the page as a
// picture. The bars are the page's keyboard stops; Ctrl+C and the context
// menu on a bar copy the page's picture as the button does.
//
// Usage: put one view on LatencyGraphsTabSheet so that it fills the page. In
// the page's enter handler, after the latency model computed successfully,
// call Fill(hints, model.Result()) with the elements' hints in chain order
// (client first, server last). Fill only shows; it computes nothing.
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

#include "LatencyModel.h"

class QFrame;
class QLabel;
class QToolButton;

namespace Parlamine {

class TCanvasPanel;
class TRainbowBar;

class TLatencyGraphsView : public QWidget {
  Q_OBJECT

 public:
  explicit TLatencyGraphsView(QWidget* parent = nullptr);
  ~TLatencyGraphsView() override;

  // Legend entry i and stripe i of each bar show chain element i; entries
  // beyond the chain are hidden. At most 16 elements are shown.
  void Fill(const QStringList& hints, const TLatencyResult& result);
  // Puts the picture of the page, without the copy button, on the clipboard.
  void CopyLatencyGraphsButtonClick();

  TRainbowBar* Bar(TLatencyDirection direction) const;
  TCanvasPanel* CanvasPanel() const { return LatencyGraphsCanvasPanel; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  static constexpr int LegendCount = 16;
  void CreateBars();
  void CreateLegend();
  void LayOut();
  int BarWidthFor(int pageWidth) const;
  void LayOutLegend(int top);
  // Places legend label `index` at `top`; returns its height.
  int ShowLegendText(int index, int top, int lineHeight);

  TCanvasPanel* LatencyGraphsCanvasPanel = nullptr;
  TRainbowBar* RainbowBarA = nullptr;
  TRainbowBar* RainbowBarB = nullptr;
  TRainbowBar* RainbowBarAB = nullptr;
  QFrame* Bevel1 = nullptr;
  QWidget* Panel1 = nullptr;
  QToolButton* CopyLatencyGraphsButton = nullptr;
  std::array<QLabel*, LatencyDirectionCount> FBarLabels{};
  std::array<QLabel*, LegendCount> FLegendLabels{};
  std::array<QFrame*, LegendCount> FLegendSquares{};
  std::array<QString, LegendCount> FLegendTexts;
};

}  // namespace Parlamine
