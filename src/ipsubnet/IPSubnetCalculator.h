// SPDX-License-Identifier: MIT
// The IP Subnet Calculator: the address line above the four inner pages
// (Address Info, Subnet Info, Subnets/Hosts, CIDR). The calculator's state is
// one plain struct: every handler changes it, computes the result of all four
// pages once and shows it; picking from a linked list picks the same row in
// its sister lists.
#pragma once

#include <QColor>
#include <cstdint>
#include <memory>
#include <string>

#include "CustomCalculator.h"
#include "IPSubnetResult.h"
#include "IPSubnetState.h"
#include "ThemeColors.h"
#include "ZellBitMap.h"  // the bit-map colours the pages are painted in

class QCheckBox;
class QComboBox;
class QLabel;
class QPainter;
class QTabWidget;
class QToolButton;

namespace Parlamine {

class TIPEdit;
class TSectionedStore;
class TSubnetHostTableSource;
class TTextBox;
class TVirtualListView;
class TZellCustomLabel;
class TZellLabel;

class TIPSubnetCalculator : public TCustomCalculator {
  Q_OBJECT
 public:
  explicit TIPSubnetCalculator(QWidget* parent = nullptr);
  ~TIPSubnetCalculator() override;

  // The calculator interface.
  static const TCalculatorInfo& CalculatorInfo();
  const TCalculatorInfo& Info() const override { return CalculatorInfo(); }
  QTabWidget* PageControl() const override { return IPSubnetPageControl; }
  void LoadSettings(TSectionedStore& store) override;
  void SaveSettings(TSectionedStore& store) override;
  // While the main window applies the stored settings (SetLoading), no
  // message boxes are shown.
  void LoadIPSubnetSettings(TSectionedStore& store);
  void SaveIPSubnetSettings(TSectionedStore& store);

  // The handlers of the page's controls: each changes the state and recomputes.
  void IPAddressEditIPFieldValueChanged(TIPEdit* Sender, int AIPFieldIndex, uint8_t& AValue);
  void AddressTypeComboBoxClick();
  void SubnetComboBoxClick(QComboBox* Sender);
  void Allow1SubnetBitCheckBoxClick();
  void UseInverseSubnetMaskCheckBoxClick();
  void SupernetComboBoxClick(QComboBox* Sender);
  void UseInverseSupernetMaskCheckBoxClick();
  void IPAddressClipboardButtonClick();
  void ListViewClipboardButtonClick();

  const TIPSubnetState& State() const { return FState; }
  const TIPSubnetResult& Result() const { return FResult; }

 signals:
  // The result was computed from the state and shown: once per user action
  // and once per start.
  void Recomputed();

 private:
  QWidget* CreateAddressInfoPage();
  QWidget* CreateSubnetInfoPage();
  QWidget* CreateSubnetHostPage();
  QWidget* CreateCIDRPage();
  void ShowReservedOctetMessage(const std::string& message);
  void Recompute();
  void ShowPages();
  void ShowAddressInfo();
  void ShowSubnetInfo();
  void ShowSubnetTable();
  void ShowSupernetInfo();
  void BitMapLabelCustomDraw(TZellLabel* Sender, QPainter& ACanvas, const QRect& ARect, bool& DefaultDraw);
  void BitMapTextBoxCustomDraw(TTextBox* Sender, QPainter& ACanvas, const QRect& ARect, bool& DefaultDraw);

  TIPEdit* IPAddressEdit = nullptr;
  QToolButton* IPAddressClipboardButton = nullptr;
  QTabWidget* IPSubnetPageControl = nullptr;

  QComboBox* AddressTypeComboBox = nullptr;
  TZellLabel* ClassBitMapLabel = nullptr;
  TTextBox* ClassBitMapTextBox = nullptr;
  TTextBox* BinAddressTextBox = nullptr;
  TTextBox* HexAddressTextBox = nullptr;
  QLabel* EthernetMulticastLabel = nullptr;
  TTextBox* EthernetMulticastTextBox = nullptr;

  QCheckBox* Allow1SubnetBitCheckBox = nullptr;
  QCheckBox* UseInverseSubnetMaskCheckBox = nullptr;
  QComboBox* SubnetBitsComboBox = nullptr;
  QComboBox* SubnetMaskBitsComboBox = nullptr;
  QComboBox* SubnetMaskComboBox = nullptr;
  QComboBox* SubnetCountComboBox = nullptr;
  QComboBox* SubnetHostCountComboBox = nullptr;
  TZellLabel* SubnetBitMapLabel = nullptr;
  TTextBox* SubnetBitMapTextBox = nullptr;
  TTextBox* SubnetAddressRangeTextBox = nullptr;
  TTextBox* SubnetIDTextBox = nullptr;
  TTextBox* SubnetBroadcastTextBox = nullptr;

  TVirtualListView* SubnetHostListView = nullptr;
  QToolButton* SubnetHostClipboardButton = nullptr;

  QCheckBox* UseInverseSupernetMaskCheckBox = nullptr;
  QComboBox* SupernetMaskBitsComboBox = nullptr;
  QComboBox* SupernetMaskComboBox = nullptr;
  QComboBox* SupernetCountComboBox = nullptr;
  QComboBox* SupernetAddressCountComboBox = nullptr;
  TTextBox* SupernetRouteTextBox = nullptr;
  TTextBox* SupernetAddressRangeTextBox = nullptr;

  std::unique_ptr<TSubnetHostTableSource> FSubnetHostSource;
  TIPSubnetState FState;
  TIPSubnetResult FResult;
};

}  // namespace Parlamine
