// SPDX-License-Identifier: MIT
// The Latency Calculator: network setup, statistics, graphs and throughput
// pages.
#pragma once

#include <QStringList>

#include "CustomCalculator.h"
#include "LatencyModel.h"

class QTabWidget;

namespace Parlamine {

class TDirectStore;
class TLatencyGraphsView;
class TLatencyStatisticsView;
class TLatencyThroughputView;
class TNetworkButton;
class TNetworkButtonForm;
class TNetworkSetupEditor;
class TRegistryTree;

class TLatencyCalculator : public TCustomCalculator {
  Q_OBJECT
 public:
  explicit TLatencyCalculator(QWidget* parent = nullptr);
  ~TLatencyCalculator() override;

  // Set by the main window while it applies the stored settings: selecting an
  // element then does not move the keyboard focus.
  // The calculator interface.
  static const TCalculatorInfo& CalculatorInfo();
  const TCalculatorInfo& Info() const override { return CalculatorInfo(); }
  QTabWidget* PageControl() const override { return LatencyPageControl; }
  void LoadSettings(TSectionedStore& store) override;
  void SaveSettings(TSectionedStore& store) override;
  void Done() override;
  // Its settings are a key of records of its own under the section's root:
  // InitLatency and DoneLatency.
  void SetLoading(bool loading) override;

  // Start-up: builds the chain and the statistics table, loads the stored
  // chain (or applies the first-run defaults) and registers custom values.
  // A damaged value of the latency key costs only its own setting; the
  // store notes it in the tree, from where the window reports it.
  void InitLatency(TRegistryTree& settings);
  // Shut-down: saves the chain and closes the properties dialog.
  void DoneLatency(TRegistryTree& settings);

  // The stored chain: false when the latency key does not exist. Each value
  // is read on its own; one that cannot be read leaves its setting at its
  // default (a damaged network record: a new network in its place).
  bool LoadLatencySettings(TDirectStore& store);
  void SaveLatencySettings(TDirectStore& store);
  // Makes the stored networks' names and bandwidths selectable in the dialog.
  void RegisterCustomNetworkValues();

  // The one properties dialog; created when asked to, or nothing.
  TNetworkButtonForm* GetNetworkButtonForm(bool create);
  TNetworkSetupEditor* SetupEditor() const { return FSetupEditor; }
  const TLatencyModel& Model() const { return FModel; }
  TLatencyStatisticsView* StatisticsView() const { return FStatisticsView; }
  TLatencyGraphsView* GraphsView() const { return FGraphsView; }
  TLatencyThroughputView* ThroughputView() const { return FThroughputView; }

 private:
  void LatencyPageControlChange(int index);
  void LatencyStatsTabSheetEnter();
  void LatencyGraphsTabSheetEnter();
  void LatencyThroughputTabSheetEnter();
  // Recomputes stale results; false (after showing the error) when the chain
  // cannot be computed.
  bool ComputeLatency();
  void NetworkButtonFormApply();
  QStringList ChainHints() const;

  QTabWidget* LatencyPageControl = nullptr;
  TNetworkSetupEditor* FSetupEditor = nullptr;
  QWidget* LatencyStatsTabSheet = nullptr;
  QWidget* LatencyGraphsTabSheet = nullptr;
  TLatencyStatisticsView* FStatisticsView = nullptr;
  TLatencyGraphsView* FGraphsView = nullptr;
  QWidget* LatencyThroughputTabSheet = nullptr;
  TLatencyThroughputView* FThroughputView = nullptr;
  TNetworkButtonForm* FNetworkButtonForm = nullptr;
  TLatencyModel FModel;
  bool FInitializing = false;
  bool FStoredEmptyChain = false;  // the key holds a count of no networks
};

}  // namespace Parlamine
