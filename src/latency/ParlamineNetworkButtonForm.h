// SPDX-License-Identifier: MIT
// The properties dialog of one chain element: topology, bandwidth and
// propagation delay for a network, processing time and packet size for the
// client or the server. Modeless, on top, one per program run; it follows
// the selection while open, and changes reach the element only through OK or
// Apply.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>

#include "NetworkElement.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace Parlamine {

class TBetterSpinEdit;
class TNetworkButton;

// A number typed with the given decimal separator: optional sign, digits with
// at most one separator, optional exponent, blanks around allowed. Empty when
// the text is no finite number.
std::optional<double> TextToFloat(const QString& text, QChar decimalSeparator);

class TNetworkButtonForm : public QDialog {
  Q_OBJECT

 public:
  // Heights of the dialog for a network and for a station, and the tops of
  // the three buttons in each.
  static constexpr int NetworkHeight = 268;
  static constexpr int StationHeight = 164;
  static constexpr int NetworkButtonsTop = 208;
  static constexpr int StationButtonsTop = 104;
  static constexpr int FormClientWidth = 225;

  explicit TNetworkButtonForm(QWidget* parent = nullptr);
  ~TNetworkButtonForm() override;

  // Sets the fields up for a kind: its bandwidth choices, the propagation
  // delay field, the station or network panel. The kind already set up
  // changes nothing, so the user's lists and values stay.
  void SetDialogKind(TNetworkButtonKind kind);
  std::optional<TNetworkButtonKind> DialogKind() const { return FDialogKind; }
  // Loads the element into the fields and shows the dialog.
  void ShowFor(TNetworkButton* element);
  TNetworkButton* NetworkButton() const { return FNetworkButton; }

  // Run after every OK or Apply that changed the element.
  void SetOnApply(std::function<void()> handler) { FOnApply = std::move(handler); }

  // Makes a stored network's name and bandwidth selectable (start-up).
  void RegisterCustomValues(TNetworkButton* network);

  QComboBox* TopologyBox() const { return TopologyComboBox; }
  QComboBox* BandwidthBox() const { return BandwidthComboBox; }
  QComboBox* MediumBox() const { return MediumComboBox; }
  QLineEdit* DistanceEdit() const { return DistanceLineEdit; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateNetworkPanel();
  void CreateStationPanel();
  void CreateButtons();
  void TopologyComboBoxChange();
  void TopologyComboBoxExit();
  void BandwidthComboBoxExit();
  void CreateDistanceFields();
  void SetDistanceFields(double km, TMedium medium);
  TMedium SelectedMedium() const;
  void FillPropDelayFromDistance();
  void ButtonClick(QPushButton* button);
  bool ApplyToElement();
  void SelectBandwidth(double mbps);
  void SetButtonsTop(int top);
  void SetFormHeight(int height);

  QWidget* NetworkPanel = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* TopologyComboBox = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* BandwidthComboBox = nullptr;
  QLabel* PropDelayLabel = nullptr;
  TBetterSpinEdit* PropDelaySpinEdit = nullptr;
  QLabel* MediumLabel = nullptr;
  QComboBox* MediumComboBox = nullptr;
  QLabel* DistanceLabel = nullptr;
  QLineEdit* DistanceLineEdit = nullptr;
  QWidget* StationPanel = nullptr;
  QLabel* ProcessTimeLabel = nullptr;
  TBetterSpinEdit* ProcessTimeSpinEdit = nullptr;
  QLabel* PacketSizeLabel = nullptr;
  TBetterSpinEdit* PacketSizeSpinEdit = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QPushButton* ApplyButton = nullptr;

  QPointer<TNetworkButton> FNetworkButton;
  std::optional<TNetworkButtonKind> FDialogKind;  // none until first set up
  std::function<void()> FOnApply;
  bool FShownBefore = false;
};

}  // namespace Parlamine
