// SPDX-License-Identifier: MIT
// The contents of the Throughput page: how fast TCP can go on the chain.
// Four inputs (the user's TCP window, the loss rate, the segment size, a file
// size) and a table of figures: the bottleneck and its element, the round
// trip, the bandwidth-delay product, the rate of each TCP window, the window
// that fills the bottleneck, the loss-limited rate, and the file's time.
//
// Usage: put one view on the page. When the page is entered, after the
// latency model computed, call Fill(chain, hints, model.Result()); the view
// keeps them and refills itself whenever an input is committed. It computes
// no delays itself.
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

#include "Throughput.h"

class QLineEdit;
class QToolButton;

namespace Parlamine {

class TSuperStringGrid;

class TLatencyThroughputView : public QWidget {
  Q_OBJECT

 public:
  explicit TLatencyThroughputView(QWidget* parent = nullptr);
  ~TLatencyThroughputView() override;

  const TThroughputInputs& Inputs() const { return FInputs; }
  // Shows the inputs in the fields (start-up).
  void SetInputs(const TThroughputInputs& inputs);

  void Fill(const std::vector<TNetworkElement>& chain, const QStringList& hints,
            const TLatencyResult& result);
  TSuperStringGrid* Grid() const { return ThroughputStringGrid; }
  QLineEdit* WindowEdit() const { return WindowLineEdit; }
  QLineEdit* LossEdit() const { return LossLineEdit; }
  QLineEdit* MssEdit() const { return MssLineEdit; }
  QLineEdit* FileSizeEdit() const { return FileSizeLineEdit; }

 protected:
  void changeEvent(QEvent* event) override;

 signals:
  // An input was committed with a new value (the owner stores it).
  void OnInputsChanged();

 private:
  void CreateGrid();
  // Reads the four fields; a field that holds no valid value shows its last
  // good value again.
  void CommitInputs();
  void ShowInputs();
  void Refill();
  void FitGridToFont();

  QLineEdit* WindowLineEdit = nullptr;
  QLineEdit* LossLineEdit = nullptr;
  QLineEdit* MssLineEdit = nullptr;
  QLineEdit* FileSizeLineEdit = nullptr;
  TSuperStringGrid* ThroughputStringGrid = nullptr;
  QToolButton* CopyThroughputButton = nullptr;

  TThroughputInputs FInputs;
  std::vector<TNetworkElement> FChain;
  QStringList FHints;
  TLatencyResult FResult;
  bool FFilled = false;
  // The grid's own row height at creation: the least a row keeps at any font.
  int FDesignedRowHeight = 0;
};

}  // namespace Parlamine
