// SPDX-License-Identifier: MIT
// The contents of the Latency Statistics page: the packet direction selector,
// the statistics table (one row per chain element and a totals row, with the
// delay in seconds and the share of the total) and its copy button.
//
// Usage: put one view on LatencyStatsTabSheet so that it fills the page, and
// connect OnPacketDirRadioGroupClick to the page's enter handler. There, after
// the latency model computed successfully, call Fill(hints, model.Result())
// with the elements' hints in chain order (client first, server last). Fill
// only shows the stored results for the selected direction; it computes
// nothing. The table is prepared (headers, alignments) on construction.
#pragma once

#include <QStringList>
#include <QWidget>

#include "LatencyModel.h"

class QButtonGroup;
class QGroupBox;
class QToolButton;

namespace Parlamine {

class TSuperStringGrid;

class TLatencyStatisticsView : public QWidget {
  Q_OBJECT

 public:
  explicit TLatencyStatisticsView(QWidget* parent = nullptr);
  ~TLatencyStatisticsView() override;

  // The direction selected in PacketDirRadioGroup (item 0 A, 1 B, 2 AB).
  TLatencyDirection Direction() const;
  void SetDirection(TLatencyDirection direction);

  // Rows 1 .. n: hint, delay, share of element i; row n + 1 the totals.
  void Fill(const QStringList& hints, const TLatencyResult& result);
  TSuperStringGrid* Grid() const { return LatencyStatsStringGrid; }

 signals:
  // The user picked a direction; the owner refills the page.
  void OnPacketDirRadioGroupClick();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FitGridToFont();
  void CreateDirectionSelector();
  void CreateGrid();
  void CopyLatencyStatsButtonClick();

  QGroupBox* PacketDirRadioGroup = nullptr;
  QButtonGroup* FDirectionButtons = nullptr;
  TSuperStringGrid* LatencyStatsStringGrid = nullptr;
  QToolButton* CopyLatencyStatsButton = nullptr;
};

}  // namespace Parlamine
