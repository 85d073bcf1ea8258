// SPDX-License-Identifier: MIT
#include "IPSubnetCalculator.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "IPSubnetModel.h"
#include "IPSubnetTableSource.h"
#include "SettingsStore.h"
#include "WrapMessageText.h"
#include "ZellAccessibleTabs.h"
#include "ZellGlobal.h"
#include "ZellIPEdit.h"
#include "ZellLabel.h"
#include "ZellTableExport.h"

namespace Parlamine {

namespace {

constexpr const char* Section = "IP Subnet Calculator";
constexpr int32_t DefaultAddress = -2146498043;  // 128.15.10.5
constexpr int DefaultItemIndex = 6;

void SetHint(QWidget* widget, const char* hint) {
  widget->setToolTip(QString::fromLatin1(hint));
  widget->setStatusTip(QString::fromLatin1(hint));
}

QComboBox* NewList(QWidget* parent, const char* name, const char* hint) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  list->setEditable(false);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(3);
  SetHint(list, hint);
  return list;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* box = new QCheckBox(QLatin1String(caption), parent);
  box->setObjectName(QLatin1String(name));
  SetHint(box, hint);
  return box;
}

// A bit map is a TBitMapTextBox: a keyboard stop that copies its picture.
template <typename TBox = TTextBox>
TBox* NewTextBox(QWidget* parent, const char* name) {
  auto* box = new TBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setMinimumHeight(box->fontMetrics().height() + 6);
  return box;
}

// The caption of a control; its access key focuses the control, and a screen
// reader announces the control by it.
QLabel* NewCaption(QWidget* parent, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setBuddy(buddy);
  return label;
}

// Rebuilds linked lists from their items and selects the same row in each;
// each drops down whole, without scrolling.
template <size_t N>
void ShowLinkedLists(const std::array<QComboBox*, N>& lists, const TLinkedLists<N>& shown) {
  for (size_t i = 0; i < N; ++i) {
    QComboBox* list = lists[i];
    list->clear();
    for (const std::string& item : shown.Items[i]) list->addItem(QString::fromStdString(item));
    list->setMaxVisibleItems(std::max(1, list->count()));
    list->setCurrentIndex(shown.Selected);
  }
}

QWidget* WithCaptionAbove(QWidget* parent, QLabel* caption, QWidget* control) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  caption->setParent(box);
  control->setParent(box);
  layout->addWidget(caption);
  layout->addWidget(control);
  return box;
}

// Tabs with less padding, so that the four page tabs fit in one row at the
// window's minimum width.
class TCompactTabStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? std::min(value, 12) : value;  // both sides together
  }
};

QVBoxLayout* NewPageLayout(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  return layout;
}

}  // namespace

const TCalculatorInfo& TIPSubnetCalculator::CalculatorInfo() {
  static const TCalculatorInfo info{
      TCalculator::caIPSubnet, QStringLiteral("IP Subnet"),
      QStringLiteral(
          "The IP Subnet Calculator is a free utility that helps in learning and calculating IP subnets"),
      QKeySequence(Qt::CTRL | Qt::Key_I), QStringLiteral(":/images/IPSubnetLogo.svg")};
  return info;
}

void TIPSubnetCalculator::LoadSettings(TSectionedStore& store) { LoadIPSubnetSettings(store); }
void TIPSubnetCalculator::SaveSettings(TSectionedStore& store) { SaveIPSubnetSettings(store); }

TIPSubnetCalculator::TIPSubnetCalculator(QWidget* parent)
    : TCustomCalculator(parent), FSubnetHostSource(std::make_unique<TSubnetHostTableSource>()) {
  setObjectName(QStringLiteral("IPSubnetCalculator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);

  auto* addressLine = new QHBoxLayout;
  addressLine->setContentsMargins(4, 2, 4, 0);
  IPAddressEdit = new TIPEdit(this);
  IPAddressEdit->setObjectName(QStringLiteral("IPAddressEdit"));
  // As wide as its octets need in the current font, and no wider.
  IPAddressEdit->setSizePolicy(QSizePolicy::Fixed, IPAddressEdit->sizePolicy().verticalPolicy());
  SetHint(IPAddressEdit, "Enter an IP Address");
  for (int i = 0; i < 4; ++i) SetHint(IPAddressEdit->Field(i), "Enter an IP Address");
  IPAddressEdit->SetOnIPFieldValueChanged([this](TIPEdit* sender, int index, uint8_t& value) {
    IPAddressEditIPFieldValueChanged(sender, index, value);
  });
  auto* addressCaption = new QLabel(QStringLiteral("&IP Address"), this);
  addressCaption->setBuddy(IPAddressEdit);
  IPAddressClipboardButton = CreateTableClipboardButton(this, QStringLiteral("IPAddressClipboardButton"),
                                                        QStringLiteral("Copy IP address to clipboard"));
  connect(IPAddressClipboardButton, &QToolButton::clicked, this, [this] { IPAddressClipboardButtonClick(); });
  addressLine->addWidget(addressCaption);
  addressLine->addWidget(IPAddressEdit);
  addressLine->addWidget(IPAddressClipboardButton);
  addressLine->addStretch(1);
  layout->addLayout(addressLine);

  IPSubnetPageControl = new QTabWidget(this);
  IPSubnetPageControl->setObjectName(QStringLiteral("IPSubnetPageControl"));
  SkipHiddenTabs(IPSubnetPageControl->tabBar());  // the tabs hidden for class D
  // All four tabs in one row at the window's minimum width, no scroll arrows.
  IPSubnetPageControl->setUsesScrollButtons(false);
  IPSubnetPageControl->setDocumentMode(true);
  auto* tabStyle = new TCompactTabStyle;
  tabStyle->setParent(IPSubnetPageControl->tabBar());
  IPSubnetPageControl->tabBar()->setStyle(tabStyle);
  IPSubnetPageControl->addTab(CreateAddressInfoPage(), QStringLiteral("Address Info"));
  IPSubnetPageControl->addTab(CreateSubnetInfoPage(), QStringLiteral("Subnet Info"));
  IPSubnetPageControl->addTab(CreateSubnetHostPage(), QStringLiteral("Subnets/Hosts"));
  IPSubnetPageControl->addTab(CreateCIDRPage(), QStringLiteral("CIDR"));
  connect(IPSubnetPageControl, &QTabWidget::currentChanged, this,
          [this](int page) { FState.PageIndex = page; });
  layout->addWidget(IPSubnetPageControl, 1);

  // Keyboard order: the address, its copy button, then each page's controls
  // as listed top to bottom.
  setTabOrder(IPAddressEdit, IPAddressClipboardButton);
  setTabOrder(IPAddressClipboardButton, IPSubnetPageControl);
  setTabOrder(Allow1SubnetBitCheckBox, UseInverseSubnetMaskCheckBox);
  setTabOrder(UseInverseSubnetMaskCheckBox, SubnetBitsComboBox);
  setTabOrder(SubnetBitsComboBox, SubnetMaskBitsComboBox);
  setTabOrder(SubnetMaskBitsComboBox, SubnetMaskComboBox);
  setTabOrder(SubnetMaskComboBox, SubnetCountComboBox);
  setTabOrder(SubnetCountComboBox, SubnetHostCountComboBox);
  // The table comes after the buttons above it.
  setTabOrder(SubnetHostClipboardButton, SubnetHostListView);
  setTabOrder(UseInverseSupernetMaskCheckBox, SupernetMaskBitsComboBox);
  setTabOrder(SupernetMaskBitsComboBox, SupernetMaskComboBox);
  setTabOrder(SupernetMaskComboBox, SupernetCountComboBox);
  setTabOrder(SupernetCountComboBox, SupernetAddressCountComboBox);
}

TIPSubnetCalculator::~TIPSubnetCalculator() {
  // A field that loses the focus while the window closes commits no more.
  IPAddressEdit->SetOnIPFieldValueChanged(nullptr);
  // The list view reads the source while it is torn down.
  delete SubnetHostListView;
  SubnetHostListView = nullptr;
}

QWidget* TIPSubnetCalculator::CreateAddressInfoPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("AddressInfoTabSheet"));
  auto* layout = NewPageLayout(page);

  AddressTypeComboBox =
      NewList(page, "AddressTypeComboBox", "Select the class of addresses you would like information about");
  for (const std::string& item : AddressClassItems())
    AddressTypeComboBox->addItem(QString::fromStdString(item));
  AddressTypeComboBox->setCurrentIndex(-1);
  connect(AddressTypeComboBox, &QComboBox::activated, this, [this] { AddressTypeComboBoxClick(); });
  layout->addWidget(
      WithCaptionAbove(page, NewCaption(page, "&Address Type", AddressTypeComboBox), AddressTypeComboBox));

  ClassBitMapLabel = new TZellLabel(page);
  ClassBitMapLabel->setObjectName(QStringLiteral("ClassBitMapLabel"));
  ClassBitMapLabel->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    BitMapLabelCustomDraw(ClassBitMapLabel, canvas, rect, defaultDraw);
  });
  ClassBitMapTextBox = NewTextBox<TBitMapTextBox>(page, "ClassBitMapTextBox");
  ClassBitMapLabel->setBuddy(ClassBitMapTextBox);
  layout->addWidget(WithCaptionAbove(page, ClassBitMapLabel, ClassBitMapTextBox));

  BinAddressTextBox = NewTextBox<TBitMapTextBox>(page, "BinAddressTextBox");
  layout->addWidget(WithCaptionAbove(page, NewCaption(page, "Binary", BinAddressTextBox), BinAddressTextBox));
  for (TTextBox* box : {ClassBitMapTextBox, BinAddressTextBox})
    box->SetOnCustomDraw([this, box](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
      BitMapTextBoxCustomDraw(box, canvas, rect, defaultDraw);
    });

  HexAddressTextBox = NewTextBox(page, "HexAddressTextBox");
  layout->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Hexadecimal", HexAddressTextBox), HexAddressTextBox));

  EthernetMulticastTextBox = NewTextBox(page, "EthernetMulticastTextBox");
  EthernetMulticastLabel = NewCaption(page, "Ethernet Multicast", EthernetMulticastTextBox);
  EthernetMulticastLabel->setObjectName(QStringLiteral("EthernetMulticastLabel"));
  layout->addWidget(WithCaptionAbove(page, EthernetMulticastLabel, EthernetMulticastTextBox));
  layout->addStretch(1);
  return page;
}

QWidget* TIPSubnetCalculator::CreateSubnetInfoPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SubnetInfoTabSheet"));
  auto* layout = NewPageLayout(page);

  auto* checks = new QHBoxLayout;
  Allow1SubnetBitCheckBox = NewCheckBox(page, "Allow1SubnetBitCheckBox", "Allow &1 Subnet Bit",
                                        "Toggle between allowing a minimum of 1 or 2 subnet bits");
  UseInverseSubnetMaskCheckBox =
      NewCheckBox(page, "UseInverseSubnetMaskCheckBox", "Use In&versed Mask",
                  "Toggle between displaying the subnet mask in normal or inversed form");
  connect(Allow1SubnetBitCheckBox, &QCheckBox::clicked, this, [this] { Allow1SubnetBitCheckBoxClick(); });
  connect(UseInverseSubnetMaskCheckBox, &QCheckBox::clicked, this,
          [this] { UseInverseSubnetMaskCheckBoxClick(); });
  checks->addWidget(Allow1SubnetBitCheckBox);
  checks->addWidget(UseInverseSubnetMaskCheckBox);
  checks->addStretch(1);
  layout->addLayout(checks);

  SubnetBitsComboBox = NewList(page, "SubnetBitsComboBox",
                               "Select the number of subnet bits (network bits + subnet bits = mask bits)");
  SubnetMaskBitsComboBox =
      NewList(page, "SubnetMaskBitsComboBox",
              "Select the total number of bits to use in the subnet mask (x.x.x.x /n notation)");
  SubnetMaskComboBox = NewList(page, "SubnetMaskComboBox", "Select a subnet mask");
  SubnetCountComboBox = NewList(page, "SubnetCountComboBox", "Select the maximum number of subnets needed");
  SubnetHostCountComboBox =
      NewList(page, "SubnetHostCountComboBox", "Select the maximum number of hosts on an individual subnet");
  for (QComboBox* list : {SubnetBitsComboBox, SubnetMaskBitsComboBox, SubnetMaskComboBox, SubnetCountComboBox,
                          SubnetHostCountComboBox})
    connect(list, &QComboBox::activated, this, [this, list] { SubnetComboBoxClick(list); });

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(6);
  lists->setVerticalSpacing(3);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "&Subnet Bits", SubnetBitsComboBox), SubnetBitsComboBox), 0, 0);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Mask &Bits", SubnetMaskBitsComboBox), SubnetMaskBitsComboBox),
      0, 1);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Subnet &Mask", SubnetMaskComboBox), SubnetMaskComboBox), 0, 2);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Max Sub&nets", SubnetCountComboBox), SubnetCountComboBox), 1,
      0, 1, 2);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "Max &Hosts Per Subnet", SubnetHostCountComboBox),
                                    SubnetHostCountComboBox),
                   1, 2);
  lists->setColumnStretch(0, 2);
  lists->setColumnStretch(1, 2);
  lists->setColumnStretch(2, 5);
  layout->addLayout(lists);

  SubnetBitMapLabel = new TZellLabel(page);
  SubnetBitMapLabel->setObjectName(QStringLiteral("SubnetBitMapLabel"));
  SubnetBitMapLabel->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    BitMapLabelCustomDraw(SubnetBitMapLabel, canvas, rect, defaultDraw);
  });
  SubnetBitMapTextBox = NewTextBox<TBitMapTextBox>(page, "SubnetBitMapTextBox");
  SubnetBitMapTextBox->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    BitMapTextBoxCustomDraw(SubnetBitMapTextBox, canvas, rect, defaultDraw);
  });
  SubnetBitMapLabel->setBuddy(SubnetBitMapTextBox);
  layout->addWidget(WithCaptionAbove(page, SubnetBitMapLabel, SubnetBitMapTextBox));

  SubnetAddressRangeTextBox = NewTextBox(page, "SubnetAddressRangeTextBox");
  layout->addWidget(WithCaptionAbove(page,
                                     NewCaption(page, "Subnet Host Address Range", SubnetAddressRangeTextBox),
                                     SubnetAddressRangeTextBox));
  auto* idLine = new QHBoxLayout;
  idLine->setSpacing(6);
  SubnetIDTextBox = NewTextBox(page, "SubnetIDTextBox");
  SubnetBroadcastTextBox = NewTextBox(page, "SubnetBroadcastTextBox");
  idLine->addWidget(WithCaptionAbove(page, NewCaption(page, "Subnet ID", SubnetIDTextBox), SubnetIDTextBox));
  idLine->addWidget(WithCaptionAbove(page, NewCaption(page, "Subnet Broadcast", SubnetBroadcastTextBox),
                                     SubnetBroadcastTextBox));
  layout->addLayout(idLine);
  layout->addStretch(1);
  return page;
}

QWidget* TIPSubnetCalculator::CreateSubnetHostPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SubnetHostTabSheet"));
  auto* layout = NewPageLayout(page);

  SubnetHostListView = new TVirtualListView(page);
  SubnetHostListView->setObjectName(QStringLiteral("SubnetHostListView"));
  SubnetHostListView->SetSource(*FSubnetHostSource);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  bar->addWidget(CreateTableNavigationToolBar(page, SubnetHostListView, QStringLiteral("SubnetHost"),
                                              QStringLiteral("subnet table")));
  bar->addStretch(1);
  SubnetHostClipboardButton =
      CreateTableClipboardButton(page, QStringLiteral("SubnetHostClipboardButton"),
                                 QStringLiteral("Copy subnets/hosts table to clipboard"));
  connect(SubnetHostClipboardButton, &QToolButton::clicked, this, [this] { ListViewClipboardButtonClick(); });
  bar->addWidget(SubnetHostClipboardButton);
  layout->addLayout(bar);
  layout->addWidget(SubnetHostListView, 1);
  CreateListViewControlMessageHook(SubnetHostListView, SubnetHostClipboardButton,
                                   QStringLiteral("SubnetHostListViewControlMessageHook"));
  // Range takes the room the fitted number and address columns leave.
  SubnetHostListView->FitColumnsToSource(2);
  return page;
}

QWidget* TIPSubnetCalculator::CreateCIDRPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("CIDRTabSheet"));
  auto* layout = NewPageLayout(page);

  UseInverseSupernetMaskCheckBox =
      NewCheckBox(page, "UseInverseSupernetMaskCheckBox", "Use In&versed Mask",
                  "Toggle between displaying the supernet mask in normal or inversed form");
  connect(UseInverseSupernetMaskCheckBox, &QCheckBox::clicked, this,
          [this] { UseInverseSupernetMaskCheckBoxClick(); });
  layout->addWidget(UseInverseSupernetMaskCheckBox);

  SupernetMaskBitsComboBox =
      NewList(page, "SupernetMaskBitsComboBox",
              "Select the total number of bits to use in the supernet mask (x.x.x.x /n notation)");
  SupernetMaskComboBox = NewList(page, "SupernetMaskComboBox", "Select a supernet mask");
  SupernetCountComboBox =
      NewList(page, "SupernetCountComboBox", "Select the maximum number of supernets needed");
  SupernetAddressCountComboBox =
      NewList(page, "SupernetAddressCountComboBox", "Select the maximum number of addresses required");
  for (QComboBox* list :
       {SupernetMaskBitsComboBox, SupernetMaskComboBox, SupernetCountComboBox, SupernetAddressCountComboBox})
    connect(list, &QComboBox::activated, this, [this, list] { SupernetComboBoxClick(list); });

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(6);
  lists->setVerticalSpacing(3);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "Mask &Bits", SupernetMaskBitsComboBox),
                                    SupernetMaskBitsComboBox),
                   0, 0);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Supernet &Mask", SupernetMaskComboBox), SupernetMaskComboBox),
      0, 1);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "Max &Supernets", SupernetCountComboBox),
                                    SupernetCountComboBox),
                   1, 0);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "Max &Addresses", SupernetAddressCountComboBox),
                                    SupernetAddressCountComboBox),
                   1, 1);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(1, 1);
  layout->addLayout(lists);

  SupernetRouteTextBox = NewTextBox(page, "SupernetRouteTextBox");
  layout->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Route", SupernetRouteTextBox), SupernetRouteTextBox));
  SupernetAddressRangeTextBox = NewTextBox(page, "SupernetAddressRangeTextBox");
  layout->addWidget(WithCaptionAbove(page,
                                     NewCaption(page, "Supernet Address Range", SupernetAddressRangeTextBox),
                                     SupernetAddressRangeTextBox));
  layout->addStretch(1);
  return page;
}

void TIPSubnetCalculator::ShowReservedOctetMessage(const std::string& message) {
  TMessageBoxRequest box;
  box.Parent = this;
  box.Caption = QStringLiteral("Invalid IP Address");
  box.Text = QString::fromStdString(WrapMessageText(message, 80));
  box.Icon = QMessageBox::Information;
  box.Buttons = QMessageBox::Ok;
  ShowMessageBox(box);
}

void TIPSubnetCalculator::Recompute() {
  FResult = ComputeIPSubnetResult(FState);
  SettleState(FState, FResult);
  ShowPages();
  ShowAddressInfo();
  ShowSubnetInfo();
  ShowSubnetTable();
  ShowSupernetInfo();
  emit Recomputed();
}

void TIPSubnetCalculator::IPAddressEditIPFieldValueChanged(TIPEdit*, int AIPFieldIndex, uint8_t& AValue) {
  // The address enters the state as its fields are committed; the edit holds
  // the committed octets, including any set without a commit.
  FState.Address = IPAddressEdit->AddressValue();
  const std::string message = CommitOctet(FState, AIPFieldIndex, AValue);
  if (!message.empty() && !Loading()) ShowReservedOctetMessage(message);
  if (AIPFieldIndex == 0) {
    AValue = FirstOctet(FState.Address);
    // The field shows a replacement whoever called this handler.
    IPAddressEdit->SetIPFieldValues(0, AValue);
  }
  Recompute();
}

void TIPSubnetCalculator::AddressTypeComboBoxClick() {
  const int picked = AddressTypeComboBox->currentIndex();
  if (picked >= 0) {
    PickClass(FState, picked);
    IPAddressEdit->SetIPFieldValues(0, FirstOctet(FState.Address));
  }
  Recompute();
}

void TIPSubnetCalculator::SubnetComboBoxClick(QComboBox* Sender) {
  FState.SubnetBits = SubnetBitsAtItem(FState, Sender->currentIndex());
  Recompute();
}

void TIPSubnetCalculator::Allow1SubnetBitCheckBoxClick() {
  FState.Allow1SubnetBit = Allow1SubnetBitCheckBox->isChecked();
  Recompute();
}

void TIPSubnetCalculator::UseInverseSubnetMaskCheckBoxClick() {
  FState.InverseSubnetMask = UseInverseSubnetMaskCheckBox->isChecked();
  Recompute();
}

void TIPSubnetCalculator::SupernetComboBoxClick(QComboBox* Sender) {
  FState.SupernetBits = SupernetBitsAtItem(FState, Sender->currentIndex());
  Recompute();
}

void TIPSubnetCalculator::UseInverseSupernetMaskCheckBoxClick() {
  FState.InverseSupernetMask = UseInverseSupernetMaskCheckBox->isChecked();
  Recompute();
}

void TIPSubnetCalculator::ShowPages() {
  const bool subnetting = !FResult.AddressInfo.Multicast;
  if (IPSubnetPageControl->isTabVisible(1) != subnetting) {
    for (int page = 1; page < IPSubnetPageCount; ++page) IPSubnetPageControl->setTabVisible(page, subnetting);
    // The tab bar's accessible children are its showing tabs: they changed.
    QAccessibleEvent reordered(IPSubnetPageControl->tabBar(), QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reordered);
  }
  IPSubnetPageControl->setCurrentIndex(FState.PageIndex);
}

void TIPSubnetCalculator::ShowAddressInfo() {
  const TAddressInfo& info = FResult.AddressInfo;
  AddressTypeComboBox->setCurrentIndex(FResult.AddressClass);
  ClassBitMapLabel->SetCaption(QString::fromStdString(info.ClassBitMapLegend));
  ClassBitMapLabel->update();
  ClassBitMapTextBox->SetCaption(QString::fromStdString(info.ClassBitMap));
  BinAddressTextBox->SetCaption(QString::fromStdString(info.Binary));
  BinAddressTextBox->update();  // its colours follow the class map
  HexAddressTextBox->SetCaption(QString::fromStdString(info.Hexadecimal));
  EthernetMulticastLabel->setVisible(info.Multicast);
  EthernetMulticastTextBox->setVisible(info.Multicast);
  EthernetMulticastTextBox->SetCaption(QString::fromStdString(info.EthernetMulticast));
}

void TIPSubnetCalculator::ShowSubnetInfo() {
  const TSubnetInfo& info = FResult.SubnetInfo;
  Allow1SubnetBitCheckBox->setChecked(info.Allow1SubnetBit);
  UseInverseSubnetMaskCheckBox->setChecked(info.InverseMask);
  ShowLinkedLists({SubnetBitsComboBox, SubnetMaskBitsComboBox, SubnetMaskComboBox, SubnetCountComboBox,
                   SubnetHostCountComboBox},
                  info.Lists);
  SubnetBitMapLabel->SetCaption(QString::fromStdString(info.BitMapLegend));
  SubnetBitMapLabel->update();
  SubnetBitMapTextBox->SetCaption(QString::fromStdString(info.BitMap));
  SubnetAddressRangeTextBox->SetCaption(QString::fromStdString(info.HostRange));
  SubnetIDTextBox->SetCaption(QString::fromStdString(info.Id));
  SubnetBroadcastTextBox->SetCaption(QString::fromStdString(info.Broadcast));
}

void TIPSubnetCalculator::ShowSubnetTable() {
  FSubnetHostSource->SetTable(FResult.SubnetTable);
  SubnetHostListView->Model()->Refresh();
}

void TIPSubnetCalculator::ShowSupernetInfo() {
  const TSupernetInfo& info = FResult.SupernetInfo;
  UseInverseSupernetMaskCheckBox->setChecked(info.InverseMask);
  ShowLinkedLists(
      {SupernetMaskBitsComboBox, SupernetMaskComboBox, SupernetCountComboBox, SupernetAddressCountComboBox},
      info.Lists);
  SupernetRouteTextBox->SetCaption(QString::fromStdString(info.Route));
  SupernetAddressRangeTextBox->SetCaption(QString::fromStdString(info.Range));
}

void TIPSubnetCalculator::IPAddressClipboardButtonClick() {
  SetClipboardText(IPAddressEdit->AddressString());
}

void TIPSubnetCalculator::ListViewClipboardButtonClick() { CopyTableToClipboard(this, SubnetHostListView); }

void TIPSubnetCalculator::BitMapLabelCustomDraw(TZellLabel* Sender, QPainter& ACanvas, const QRect& ARect,
                                                bool& DefaultDraw) {
  DefaultDraw = false;
  // The caption a screen reader reads is the legend: the same words painted.
  const bool subnetMap = Sender == SubnetBitMapLabel;
  const QString title = QString::fromStdString(subnetMap ? FResult.SubnetInfo.BitMapTitle
                                                         : FResult.AddressInfo.ClassBitMapTitle);
  QList<TBitMapRole> roles;
  if (FResult.AddressInfo.Multicast)
    roles = {TBitMapRole::brGroup};
  else if (subnetMap)
    roles = {TBitMapRole::brNetwork, TBitMapRole::brSubnet, TBitMapRole::brHost};
  else
    roles = {TBitMapRole::brNetwork, TBitMapRole::brHost};
  DrawBitMapLegend(*Sender, ACanvas, ARect, title, roles);
}

void TIPSubnetCalculator::BitMapTextBoxCustomDraw(TTextBox* Sender, QPainter& ACanvas, const QRect& ARect,
                                                  bool& DefaultDraw) {
  DefaultDraw = false;
  // The binary address takes its colours from the class map, position by
  // position; the maps colour themselves.
  const QString colours = Sender == BinAddressTextBox ? ClassBitMapTextBox->Caption() : Sender->Caption();
  DrawBitMapText(*Sender, ACanvas, ARect, colours, Sender->Caption());
}

void TIPSubnetCalculator::LoadIPSubnetSettings(TSectionedStore& store) {
  TIPSubnetState state = FState;
  state.Address = static_cast<uint32_t>(store.ReadInteger(Section, "IPAddress", DefaultAddress));
  const std::string message = CommitOctet(state, 0, FirstOctet(state.Address));
  if (!message.empty() && !Loading()) ShowReservedOctetMessage(message);
  const int page = store.ReadInteger(Section, "ActivePageIndex", 0);
  if (PageShown(page, state.AddressClass)) state.PageIndex = page;
  // The stored item index counts rows of the list as it was saved, with or
  // without the 1-subnet-bit row: it is read with the stored check state, or
  // a stored choice would come back one subnet bit off.
  state.Allow1SubnetBit = store.ReadBool(Section, "SHAllow1SubnetBit", false);
  state.SubnetBits = SubnetBitsAtItem(state, store.ReadInteger(Section, "SIItemIndex", DefaultItemIndex));
  state.InverseSubnetMask = store.ReadBool(Section, "SHUseInverseSubnetMask", false);
  state.InverseSupernetMask = store.ReadBool(Section, "CIUseInverseSupernetMask", false);
  state.SupernetBits = SupernetBitsAtItem(state, store.ReadInteger(Section, "CIItemIndex", DefaultItemIndex));

  FState = state;
  IPAddressEdit->SetAddressValue(FState.Address);
  Recompute();
}

void TIPSubnetCalculator::SaveIPSubnetSettings(TSectionedStore& store) {
  store.WriteInteger(Section, "IPAddress", static_cast<int32_t>(FState.Address));
  store.WriteInteger(Section, "ActivePageIndex", FState.PageIndex);
  store.WriteInteger(Section, "SIItemIndex", SubnetItemIndex(FState));
  store.WriteBool(Section, "SHAllow1SubnetBit", FState.Allow1SubnetBit);
  store.WriteBool(Section, "SHUseInverseSubnetMask", FState.InverseSubnetMask);
  store.WriteBool(Section, "CIUseInverseSupernetMask", FState.InverseSupernetMask);
  store.WriteInteger(Section, "CIItemIndex", SupernetItemIndex(FState));
}

}  // namespace Parlamine
