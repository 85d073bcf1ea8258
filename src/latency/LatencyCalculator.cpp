// SPDX-License-Identifier: MIT
#include "LatencyCalculator.h"

#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "LatencyGraphsView.h"
#include "LatencySettings.h"
#include "LatencyStatisticsView.h"
#include "LatencyThroughputView.h"
#include "NetworkSetupEditor.h"
#include "NetworkSetupGeometry.h"
#include "ParlamineNetworkButton.h"
#include "ParlamineNetworkButtonForm.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ZellGlobal.h"

namespace Parlamine {

namespace {

// Tabs with a narrower margin around their captions, so that the four page
// captions fit side by side in the narrow window without being cut.
class TCompactTabStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? std::min(value, 10) : value;
  }
};

// Packet sizes of a first run: a small request and a larger reply.
constexpr int32_t FirstRunClientPacketSize = 64;
constexpr int32_t FirstRunServerPacketSize = 1024;

}  // namespace

const TCalculatorInfo& TLatencyCalculator::CalculatorInfo() {
  static const TCalculatorInfo info{
      TCalculator::caLatency, QStringLiteral("Latency"),
      QStringLiteral(
          "The Latency Calculator estimates response times for packets traversing a series of networks"),
      QKeySequence(Qt::CTRL | Qt::Key_L), QStringLiteral(":/images/LatencyLogo.svg")};
  return info;
}

void TLatencyCalculator::LoadSettings(TSectionedStore& store) { InitLatency(store.Tree()); }

void TLatencyCalculator::SaveSettings(TSectionedStore& store) {
  TDirectStore direct(store.Tree());
  SaveLatencySettings(direct);
}

void TLatencyCalculator::Done() {
  if (FNetworkButtonForm) FNetworkButtonForm->hide();
}

TLatencyCalculator::TLatencyCalculator(QWidget* parent) : TCustomCalculator(parent) {
  setObjectName(QStringLiteral("LatencyCalculator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  LatencyPageControl = new QTabWidget(this);
  auto* tabStyle = new TCompactTabStyle;
  tabStyle->setParent(LatencyPageControl);
  LatencyPageControl->tabBar()->setStyle(tabStyle);
  LatencyPageControl->setObjectName(QStringLiteral("LatencyPageControl"));
  FSetupEditor = new TNetworkSetupEditor(LatencyPageControl);
  LatencyStatsTabSheet = new QWidget(LatencyPageControl);
  LatencyStatsTabSheet->setObjectName(QStringLiteral("LatencyStatsTabSheet"));
  LatencyGraphsTabSheet = new QWidget(LatencyPageControl);
  LatencyGraphsTabSheet->setObjectName(QStringLiteral("LatencyGraphsTabSheet"));
  FStatisticsView = new TLatencyStatisticsView(LatencyStatsTabSheet);
  FGraphsView = new TLatencyGraphsView(LatencyGraphsTabSheet);
  LatencyThroughputTabSheet = new QWidget(LatencyPageControl);
  LatencyThroughputTabSheet->setObjectName(QStringLiteral("LatencyThroughputTabSheet"));
  FThroughputView = new TLatencyThroughputView(LatencyThroughputTabSheet);
  for (auto [sheet, view] : {std::pair<QWidget*, QWidget*>{LatencyStatsTabSheet, FStatisticsView},
                             std::pair<QWidget*, QWidget*>{LatencyGraphsTabSheet, FGraphsView},
                             std::pair<QWidget*, QWidget*>{LatencyThroughputTabSheet, FThroughputView}}) {
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(view);
  }
  connect(FStatisticsView, &TLatencyStatisticsView::OnPacketDirRadioGroupClick, this,
          &TLatencyCalculator::LatencyStatsTabSheetEnter);
  LatencyPageControl->addTab(FSetupEditor, QStringLiteral("Network Setup"));
  LatencyPageControl->addTab(LatencyStatsTabSheet, QStringLiteral("Latency Statistics"));
  LatencyPageControl->addTab(LatencyGraphsTabSheet, QStringLiteral("Latency Graphs"));
  // A short caption: four captions side by side must fit the narrowest window.
  LatencyPageControl->addTab(LatencyThroughputTabSheet, QStringLiteral("TCP"));
  LatencyPageControl->setTabToolTip(LatencyPageControl->indexOf(LatencyThroughputTabSheet),
                                    QStringLiteral("Throughput: how fast TCP can go on this path"));
  // Where the captions do not fit side by side, the tab bar shows scroll
  // arrows. The arrow keys on the focused tab bar already change the page,
  // so the arrows stay out of the Tab order.
  for (QToolButton* arrow : LatencyPageControl->tabBar()->findChildren<QToolButton*>())
    arrow->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(LatencyPageControl);

  connect(FSetupEditor, &TNetworkSetupEditor::OnNetworksSwapped, this, [this](int first, int second) {
    FModel.SwapElementResults(static_cast<size_t>(first), static_cast<size_t>(second));
  });
  connect(FSetupEditor, &TNetworkSetupEditor::OnChainChanged, this, [this] { FModel.MarkDirty(); });
  connect(FSetupEditor, &TNetworkSetupEditor::OnSelectNetwork, this, [this](TNetworkButton* element) {
    // An open dialog follows the selection.
    if (TNetworkButtonForm* form = GetNetworkButtonForm(false); form && form->isVisible())
      form->ShowFor(element);
  });
  connect(FSetupEditor, &TNetworkSetupEditor::OnNetworkProperties, this,
          [this](TNetworkButton* element) { GetNetworkButtonForm(true)->ShowFor(element); });
  connect(LatencyPageControl, &QTabWidget::currentChanged, this,
          &TLatencyCalculator::LatencyPageControlChange);
}

TLatencyCalculator::~TLatencyCalculator() = default;

void TLatencyCalculator::SetLoading(bool loading) {
  TCustomCalculator::SetLoading(loading);
  FSetupEditor->SetLoading(loading);
}

void TLatencyCalculator::InitLatency(TRegistryTree& settings) {
  // No focus moves and no results pages filled while the chain is rebuilt.
  const bool wasLoading = Loading();
  SetLoading(true);
  FInitializing = true;
  FSetupEditor->SelectNetwork(FSetupEditor->Server());

  std::exception_ptr loadError;
  bool loaded = false;
  TDirectStore store(settings);
  try {
    loaded = LoadLatencySettings(store);
  } catch (...) {
    loadError = std::current_exception();
  }
  store.CloseKey();
  if (!loaded && !loadError) {
    FSetupEditor->Client()->SetPacketSize(FirstRunClientPacketSize);
    FSetupEditor->Server()->SetPacketSize(FirstRunServerPacketSize);
  }
  // A first run gets one new network; so does a damaged key that left none,
  // so the page always has a network to work with. Only a stored count of
  // none gives a chain of the two stations.
  if ((!loaded || loadError || !FStoredEmptyChain) && FSetupEditor->NetworkCount() == 0) {
    FSetupEditor->SelectNetwork(FSetupEditor->Server());
    FSetupEditor->InsertNetwork();
  }
  FSetupEditor->ApplyRemoveRule();

  FModel.MarkDirty();
  FSetupEditor->Client()->UpdateHint();
  FSetupEditor->PlaceServerInCorner();
  FSetupEditor->Server()->UpdateHint();

  GetNetworkButtonForm(true);
  RegisterCustomNetworkValues();
  SetLoading(wasLoading);
  FInitializing = false;
  LatencyPageControlChange(LatencyPageControl->currentIndex());
  if (loadError) std::rethrow_exception(loadError);
}

bool TLatencyCalculator::LoadLatencySettings(TDirectStore& store) {
  FStoredEmptyChain = false;
  if (!store.OpenKey(LatencyKeyPath(), false)) {
    LatencyPageControl->setCurrentIndex(0);
    return false;
  }
  // Each value on its own: one that cannot be read costs only its setting.
  const TReadLatencySettings stored = ReadLatencySettings(store);
  const int32_t page = stored.ActivePageIndex.value_or(0);
  // An index outside the pages leaves the page shown as it is.
  if (page >= 0 && page < LatencyPageControl->count()) LatencyPageControl->setCurrentIndex(page);

  for (const auto& [record, station] :
       {std::pair{stored.Client, FSetupEditor->Client()}, std::pair{stored.Server, FSetupEditor->Server()}}) {
    if (!record) continue;
    station->SetPacketSize(record->FPacketSize);
    station->SetProcessTime(record->FProcessTime);
  }

  FStoredEmptyChain = stored.StoredNetworkCount == 0;
  for (const TReadNetwork& read : stored.Networks) {
    FSetupEditor->SelectNetwork(FSetupEditor->Server());
    TNetworkButton* network = FSetupEditor->InsertNetwork();
    if (!network) break;
    // A damaged record leaves a new network in its place, so the networks
    // after it keep their places in the chain.
    if (const std::optional<TNetworkRecord>& record = read.Record) {
      network->SetBandwidth(record->FBandwidth);
      network->SetNetworkButtonKind(static_cast<TNetworkButtonKind>(record->NetworkButtonKind));
    }
    network->SetNetworkName(QString::fromStdString(read.NetworkName));
    if (const std::optional<TNetworkRecord>& record = read.Record) {
      network->SetPropDelay(record->FPropDelay);
      network->SetDistance(record->FDistance, static_cast<TMedium>(record->Medium));
      // A damaged position must not hide the element beyond the top-left edge;
      // the far edges are taken care of whenever the panel is resized.
      network->move(std::max(record->Left, SetupPanelMargin), std::max(record->Top, SetupPanelMargin));
    }
    network->UpdateHint();
  }
  FThroughputView->SetInputs(stored.Throughput);
  store.CloseKey();
  return true;
}

void TLatencyCalculator::SaveLatencySettings(TDirectStore& store) {
  if (!store.OpenKey(LatencyKeyPath(), true)) return;
  TLatencySettings settings;
  settings.ActivePageIndex = LatencyPageControl->currentIndex();
  const TNetworkButton* client = FSetupEditor->Client();
  const TNetworkButton* server = FSetupEditor->Server();
  settings.Client = {client->PacketSize(), client->ProcessTime()};
  settings.Server = {server->PacketSize(), server->ProcessTime()};
  const auto& chain = FSetupEditor->Networks();
  for (qsizetype i = 1; i + 1 < chain.size(); ++i) {
    const TNetworkButton* network = chain.at(i);
    TStoredNetwork stored;
    stored.Record.FBandwidth = network->Bandwidth();
    stored.Record.Left = network->x();
    stored.Record.NetworkButtonKind = network->NetworkButtonKind();
    stored.Record.FPropDelay = network->PropDelay();
    stored.Record.Top = network->y();
    stored.Record.FDistance = network->Element().FDistance;
    stored.Record.Medium = network->Element().FMedium;
    stored.NetworkName = network->NetworkName().toStdString();
    settings.Networks.push_back(std::move(stored));
  }
  settings.Throughput = FThroughputView->Inputs();
  WriteLatencySettings(store, settings);
  store.CloseKey();
}

void TLatencyCalculator::DoneLatency(TRegistryTree& settings) {
  TDirectStore store(settings);
  SaveLatencySettings(store);
  if (FNetworkButtonForm) FNetworkButtonForm->hide();
}

void TLatencyCalculator::RegisterCustomNetworkValues() {
  TNetworkButtonForm* form = GetNetworkButtonForm(false);
  if (!form) return;
  const auto& chain = FSetupEditor->Networks();
  for (qsizetype i = 1; i + 1 < chain.size(); ++i) form->RegisterCustomValues(chain.at(i));
}

TNetworkButtonForm* TLatencyCalculator::GetNetworkButtonForm(bool create) {
  if (!FNetworkButtonForm && create) {
    FNetworkButtonForm = new TNetworkButtonForm(this);
    FNetworkButtonForm->SetOnApply([this] { NetworkButtonFormApply(); });
  }
  return FNetworkButtonForm;
}

void TLatencyCalculator::NetworkButtonFormApply() {
  FModel.MarkDirty();
  FSetupEditor->ApplyRemoveRule();
}

bool TLatencyCalculator::ComputeLatency() {
  try {
    FModel.ComputeLatency(FSetupEditor->ChainElements());
    return true;
  } catch (const std::exception& error) {
    ShowError(this, QString::fromUtf8(error.what()));
    return false;
  }
}

void TLatencyCalculator::LatencyPageControlChange(int index) {
  if (FInitializing) return;
  if (index == LatencyPageControl->indexOf(LatencyStatsTabSheet))
    LatencyStatsTabSheetEnter();
  else if (index == LatencyPageControl->indexOf(LatencyGraphsTabSheet))
    LatencyGraphsTabSheetEnter();
  else if (index == LatencyPageControl->indexOf(LatencyThroughputTabSheet))
    LatencyThroughputTabSheetEnter();
}

QStringList TLatencyCalculator::ChainHints() const {
  QStringList hints;
  for (const TNetworkButton* element : FSetupEditor->Networks()) hints << element->Hint();
  return hints;
}

void TLatencyCalculator::LatencyStatsTabSheetEnter() {
  if (ComputeLatency()) FStatisticsView->Fill(ChainHints(), FModel.Result());
}

void TLatencyCalculator::LatencyGraphsTabSheetEnter() {
  if (ComputeLatency()) FGraphsView->Fill(ChainHints(), FModel.Result());
}

void TLatencyCalculator::LatencyThroughputTabSheetEnter() {
  if (ComputeLatency()) FThroughputView->Fill(FSetupEditor->ChainElements(), ChainHints(), FModel.Result());
}

}  // namespace Parlamine
