// SPDX-License-Identifier: MIT
// The Latency Calculator: network setup, statistics and graphs pages.
#pragma once

#include <QWidget>

class QTabWidget;

namespace Parlamine {

class TRegistryTree;

class TLatencyCalculator : public QWidget {
  Q_OBJECT
 public:
  explicit TLatencyCalculator(QWidget* parent = nullptr);
  ~TLatencyCalculator() override;

  // Set by the main window while it applies the stored settings: selecting an
  // element then does not move the keyboard focus.
  void SetLoading(bool loading) { FLoading = loading; }
  bool Loading() const { return FLoading; }

  // Start-up: builds the chain and the statistics table, loads the stored
  // chain (or applies the first-run defaults) and registers custom values.
  void InitLatency(TRegistryTree& settings);
  // Shut-down: saves the chain, then frees it.
  void DoneLatency(TRegistryTree& settings);

 private:
  QTabWidget* LatencyPageControl = nullptr;
  bool FLoading = false;
};

}  // namespace Parlamine
