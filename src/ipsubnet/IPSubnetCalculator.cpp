// SPDX-License-Identifier: MIT
#include "IPSubnetCalculator.h"

#include "IPSubnetModel.h"
#include "IPSubnetTableSource.h"
#include "IPSubnetTexts.h"
#include "SettingsStore.h"
#include "WrapMessageText.h"
#include "ZellAccessibleTabs.h"
#include "ZellGlobal.h"
#include "ZellIPEdit.h"
#include "ZellLabel.h"
#include "ZellTableExport.h"

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
#include <optional>

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

TTextBox* NewTextBox(QWidget* parent, const char* name) {
  auto* box = new TTextBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setTextInteractionFlags(Qt::NoTextInteraction);
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

std::optional<int64_t> SelectedNumber(const QComboBox* list) {
  if (list->currentIndex() < 0) return std::nullopt;
  return list->currentData().toLongLong();
}

void SelectIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
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
      QStringLiteral("The IP Subnet Calculator is a free utility that helps in learning and calculating IP subnets"),
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
  IPAddressEdit->setFixedWidth(161);
  SetHint(IPAddressEdit, "Enter an IP Address");
  for (int i = 0; i < 4; ++i) SetHint(IPAddressEdit->Field(i), "Enter an IP Address");
  IPAddressEdit->SetOnIPFieldValueChanged(
      [this](TIPEdit* sender, int index, uint8_t& value) { IPAddressEditIPFieldValueChanged(sender, index, value); });
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

  AddressTypeComboBox = NewList(page, "AddressTypeComboBox",
                                "Select the class of addresses you would like information about");
  for (const std::string& item : AddressClassItems()) AddressTypeComboBox->addItem(QString::fromStdString(item));
  AddressTypeComboBox->setCurrentIndex(-1);
  connect(AddressTypeComboBox, &QComboBox::activated, this, [this] { AddressTypeComboBoxClick(); });
  layout->addWidget(WithCaptionAbove(page, NewCaption(page, "&Address Type", AddressTypeComboBox),
                                     AddressTypeComboBox));

  ClassBitMapLabel = new TZellLabel(page);
  ClassBitMapLabel->setObjectName(QStringLiteral("ClassBitMapLabel"));
  ClassBitMapLabel->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    BitMapLabelCustomDraw(ClassBitMapLabel, canvas, rect, defaultDraw);
  });
  ClassBitMapTextBox = NewTextBox(page, "ClassBitMapTextBox");
  ClassBitMapLabel->setBuddy(ClassBitMapTextBox);
  layout->addWidget(WithCaptionAbove(page, ClassBitMapLabel, ClassBitMapTextBox));

  BinAddressTextBox = NewTextBox(page, "BinAddressTextBox");
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
  connect(UseInverseSubnetMaskCheckBox, &QCheckBox::clicked, this, [this] { UseInverseSubnetMaskCheckBoxClick(); });
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
  SubnetHostCountComboBox = NewList(page, "SubnetHostCountComboBox",
                                    "Select the maximum number of hosts on an individual subnet");
  for (QComboBox* list : {SubnetBitsComboBox, SubnetMaskBitsComboBox, SubnetMaskComboBox, SubnetCountComboBox,
                          SubnetHostCountComboBox})
    connect(list, &QComboBox::activated, this, [this, list] { SubnetComboBoxClick(list); });

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(6);
  lists->setVerticalSpacing(3);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "&Subnet Bits", SubnetBitsComboBox), SubnetBitsComboBox),
                   0, 0);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Mask &Bits", SubnetMaskBitsComboBox), SubnetMaskBitsComboBox), 0, 1);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "Subnet &Mask", SubnetMaskComboBox), SubnetMaskComboBox),
                   0, 2);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Max Sub&nets", SubnetCountComboBox), SubnetCountComboBox), 1, 0, 1, 2);
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
  SubnetBitMapTextBox = NewTextBox(page, "SubnetBitMapTextBox");
  SubnetBitMapTextBox->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    BitMapTextBoxCustomDraw(SubnetBitMapTextBox, canvas, rect, defaultDraw);
  });
  SubnetBitMapLabel->setBuddy(SubnetBitMapTextBox);
  layout->addWidget(WithCaptionAbove(page, SubnetBitMapLabel, SubnetBitMapTextBox));

  SubnetAddressRangeTextBox = NewTextBox(page, "SubnetAddressRangeTextBox");
  layout->addWidget(WithCaptionAbove(page, NewCaption(page, "Subnet Host Address Range", SubnetAddressRangeTextBox),
                                     SubnetAddressRangeTextBox));
  auto* idLine = new QHBoxLayout;
  idLine->setSpacing(6);
  SubnetIDTextBox = NewTextBox(page, "SubnetIDTextBox");
  SubnetBroadcastTextBox = NewTextBox(page, "SubnetBroadcastTextBox");
  idLine->addWidget(WithCaptionAbove(page, NewCaption(page, "Subnet ID", SubnetIDTextBox), SubnetIDTextBox));
  idLine->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Subnet Broadcast", SubnetBroadcastTextBox), SubnetBroadcastTextBox));
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
  SubnetHostClipboardButton = CreateTableClipboardButton(page, QStringLiteral("SubnetHostClipboardButton"),
                                                         QStringLiteral("Copy subnets/hosts table to clipboard"));
  connect(SubnetHostClipboardButton, &QToolButton::clicked, this, [this] { ListViewClipboardButtonClick(); });
  bar->addWidget(SubnetHostClipboardButton);
  layout->addLayout(bar);
  layout->addWidget(SubnetHostListView, 1);
  CreateListViewControlMessageHook(SubnetHostListView, SubnetHostClipboardButton,
                                   QStringLiteral("SubnetHostListViewControlMessageHook"));
  FitSubnetHostColumns();
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
  SupernetCountComboBox = NewList(page, "SupernetCountComboBox", "Select the maximum number of supernets needed");
  SupernetAddressCountComboBox = NewList(page, "SupernetAddressCountComboBox",
                                         "Select the maximum number of addresses required");
  for (QComboBox* list :
       {SupernetMaskBitsComboBox, SupernetMaskComboBox, SupernetCountComboBox, SupernetAddressCountComboBox})
    connect(list, &QComboBox::activated, this, [this, list] { SupernetComboBoxClick(list); });

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(6);
  lists->setVerticalSpacing(3);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Mask &Bits", SupernetMaskBitsComboBox), SupernetMaskBitsComboBox), 0,
      0);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Supernet &Mask", SupernetMaskComboBox), SupernetMaskComboBox), 0, 1);
  lists->addWidget(
      WithCaptionAbove(page, NewCaption(page, "Max &Supernets", SupernetCountComboBox), SupernetCountComboBox), 1, 0);
  lists->addWidget(WithCaptionAbove(page, NewCaption(page, "Max &Addresses", SupernetAddressCountComboBox),
                                    SupernetAddressCountComboBox),
                   1, 1);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(1, 1);
  layout->addLayout(lists);

  SupernetRouteTextBox = NewTextBox(page, "SupernetRouteTextBox");
  layout->addWidget(WithCaptionAbove(page, NewCaption(page, "Route", SupernetRouteTextBox), SupernetRouteTextBox));
  SupernetAddressRangeTextBox = NewTextBox(page, "SupernetAddressRangeTextBox");
  layout->addWidget(WithCaptionAbove(page, NewCaption(page, "Supernet Address Range", SupernetAddressRangeTextBox),
                                     SupernetAddressRangeTextBox));
  layout->addStretch(1);
  return page;
}

int TIPSubnetCalculator::AddressClass() const { return AddressTypeComboBox->currentIndex(); }

void TIPSubnetCalculator::RecomputeAllPages() {
  UpdateAddressInfo();
  UpdateSubnetInfo();
  UpdateSubnetTableCount();
  UpdateSupernetInfo();
}

void TIPSubnetCalculator::IPAddressEditIPFieldValueChanged(TIPEdit*, int AIPFieldIndex, uint8_t& AValue) {
  if (AIPFieldIndex == 0) {
    const uint32_t address = (IPAddressEdit->AddressValue() & 0x00FFFFFFu) | uint32_t{AValue} << 24;
    const TFirstOctetCheck check = CheckFirstOctet(address);
    if (!check.Message.empty() && !Loading()) {
      TMessageBoxRequest box;
      box.Parent = this;
      box.Caption = QStringLiteral("Invalid IP Address");
      box.Text = QString::fromStdString(WrapMessageText(check.Message, 80));
      box.Icon = QMessageBox::Information;
      box.Buttons = QMessageBox::Ok;
      ShowMessageBox(box);
    }
    if (check.Replacement) AValue = *check.Replacement;
    // The pages below must see the replacement whoever called this handler.
    IPAddressEdit->SetIPFieldValues(0, AValue);
    if (check.AddressClass != AddressTypeComboBox->currentIndex()) {
      AddressTypeComboBox->setCurrentIndex(check.AddressClass);
      UpdateClassTabs();
    }
  }
  RecomputeAllPages();
}

void TIPSubnetCalculator::AddressTypeComboBoxClick() {
  const int picked = AddressClass();
  if (picked >= 0) IPAddressEdit->SetIPFieldValues(0, FirstOctetInClass(picked, IPAddressEdit->IPFieldValues(0)));
  UpdateClassTabs();
  RecomputeAllPages();
}

void TIPSubnetCalculator::UpdateClassTabs() {
  const bool subnetting = AddressClass() != MulticastClass;
  for (int page = 1; page <= 3; ++page) IPSubnetPageControl->setTabVisible(page, subnetting);
  // The tab bar's accessible children are its showing tabs: they changed.
  QAccessibleEvent reordered(IPSubnetPageControl->tabBar(), QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&reordered);
}

void TIPSubnetCalculator::UpdateAddressInfo() {
  const int addressClass = AddressClass();
  const uint32_t address = IPAddressEdit->AddressValue();
  ClassBitMapLabel->SetCaption(BitMapLegendText(ClassBitMapLabel));
  ClassBitMapLabel->update();
  ClassBitMapTextBox->SetCaption(QString::fromStdString(BitMapText(addressClass, false, 0, 0)));
  BinAddressTextBox->SetCaption(QString::fromStdString(DottedBinary(address)));
  BinAddressTextBox->update();  // its colours follow the class map
  HexAddressTextBox->SetCaption(QString::fromStdString(DottedHex(address)));
  const bool multicast = addressClass == MulticastClass;
  EthernetMulticastLabel->setVisible(multicast);
  EthernetMulticastTextBox->setVisible(multicast);
  EthernetMulticastTextBox->SetCaption(QString::fromStdString(MulticastMACText(address)));
}

void TIPSubnetCalculator::UpdateSubnetInfo() {
  const int addressClass = AddressClass();
  const std::optional<int64_t> remembered = SelectedNumber(SubnetBitsComboBox);
  const std::vector<TSubnetRow> rows = SubnetRows(addressClass, Allow1SubnetBitCheckBox->isChecked());
  const bool inverse = UseInverseSubnetMaskCheckBox->isChecked();
  const std::initializer_list<QComboBox*> lists = {SubnetBitsComboBox, SubnetMaskBitsComboBox, SubnetMaskComboBox,
                                                   SubnetCountComboBox, SubnetHostCountComboBox};
  for (QComboBox* list : lists) list->clear();
  for (const TSubnetRow& row : rows) {
    SubnetBitsComboBox->addItem(QString::number(row.SubnetBits), row.SubnetBits);
    SubnetMaskBitsComboBox->addItem(QString::number(row.MaskBits), row.MaskBits);
    SubnetMaskComboBox->addItem(QString::fromStdString(DottedDecimal(inverse ? ~row.Mask : row.Mask)),
                                static_cast<qlonglong>(row.Mask));
    SubnetCountComboBox->addItem(QString::number(row.SubnetCount), static_cast<qlonglong>(row.SubnetCount));
    SubnetHostCountComboBox->addItem(QString::number(row.HostCount), static_cast<qlonglong>(row.HostCount));
  }
  const std::optional<int> rememberedBits =
      remembered ? std::optional<int>(static_cast<int>(*remembered)) : std::nullopt;
  const int chosen = ChooseRow(rows, rememberedBits, [](const TSubnetRow& r) { return r.SubnetBits; });
  for (QComboBox* list : lists) {
    list->setMaxVisibleItems(std::max(1, list->count()));
    SelectIndex(list, chosen);
  }

  const TSubnetRow& row = rows[static_cast<size_t>(chosen)];
  SubnetBitMapLabel->SetCaption(BitMapLegendText(SubnetBitMapLabel));
  SubnetBitMapLabel->update();
  SubnetBitMapTextBox->SetCaption(
      QString::fromStdString(BitMapText(addressClass, true, row.SubnetBits, 32 - row.MaskBits)));
  const TNetworkSpan subnet = NetworkSpan(IPAddressEdit->AddressValue(), row.Mask);
  SubnetAddressRangeTextBox->SetCaption(QString::fromStdString(AddressRangeText(subnet.Network + 1, subnet.Broadcast - 1)));
  SubnetIDTextBox->SetCaption(QString::fromStdString(DottedDecimal(subnet.Network)));
  SubnetBroadcastTextBox->SetCaption(QString::fromStdString(DottedDecimal(subnet.Broadcast)));
}

void TIPSubnetCalculator::UpdateSubnetTableCount() {
  const std::optional<int64_t> count = SelectedNumber(SubnetCountComboBox);
  const std::optional<int64_t> maskBits = SelectedNumber(SubnetMaskBitsComboBox);
  FSubnetHostSource->SetTable(TSubnetTable(IPAddressEdit->AddressValue(), AddressClass(),
                                           static_cast<int>(maskBits.value_or(30)),
                                           Allow1SubnetBitCheckBox->isChecked(), count.value_or(0)));
  SubnetHostListView->Model()->Refresh();
  FitSubnetHostColumns();
}

void TIPSubnetCalculator::UpdateSupernetInfo() {
  const int addressClass = AddressClass();
  const std::optional<int64_t> remembered = SelectedNumber(SupernetMaskBitsComboBox);
  const std::vector<TSupernetRow> rows = SupernetRows(addressClass);
  const bool inverse = UseInverseSupernetMaskCheckBox->isChecked();
  const std::initializer_list<QComboBox*> lists = {SupernetMaskBitsComboBox, SupernetMaskComboBox,
                                                   SupernetCountComboBox, SupernetAddressCountComboBox};
  for (QComboBox* list : lists) list->clear();
  for (const TSupernetRow& row : rows) {
    SupernetMaskBitsComboBox->addItem(QString::number(row.MaskBits), row.MaskBits);
    SupernetMaskComboBox->addItem(QString::fromStdString(DottedDecimal(inverse ? ~row.Mask : row.Mask)),
                                  static_cast<qlonglong>(row.Mask));
    SupernetCountComboBox->addItem(QString::number(row.NetworkCount), static_cast<qlonglong>(row.NetworkCount));
    SupernetAddressCountComboBox->addItem(QString::number(row.AddressCount),
                                          static_cast<qlonglong>(row.AddressCount));
  }
  const std::optional<int> rememberedBits =
      remembered ? std::optional<int>(static_cast<int>(*remembered)) : std::nullopt;
  const int chosen = ChooseRow(rows, rememberedBits, [](const TSupernetRow& r) { return r.MaskBits; });
  for (QComboBox* list : lists) {
    list->setMaxVisibleItems(std::max(1, list->count()));
    SelectIndex(list, chosen);
  }
  const TNetworkSpan supernet = NetworkSpan(IPAddressEdit->AddressValue(), rows[static_cast<size_t>(chosen)].Mask);
  SupernetRouteTextBox->SetCaption(QString::fromStdString(DottedDecimal(supernet.Network)));
  SupernetAddressRangeTextBox->SetCaption(QString::fromStdString(AddressRangeText(supernet.Network, supernet.Broadcast)));
}

void TIPSubnetCalculator::SubnetComboBoxClick(QComboBox* Sender) {
  const int index = Sender->currentIndex();
  for (QComboBox* list : {SubnetBitsComboBox, SubnetMaskBitsComboBox, SubnetMaskComboBox, SubnetCountComboBox,
                          SubnetHostCountComboBox})
    SelectIndex(list, index);
  UpdateSubnetInfo();
  UpdateSubnetTableCount();
}

void TIPSubnetCalculator::Allow1SubnetBitCheckBoxClick() {
  UpdateSubnetInfo();
  UpdateSubnetTableCount();
}

void TIPSubnetCalculator::UseInverseSubnetMaskCheckBoxClick() { UpdateSubnetInfo(); }

void TIPSubnetCalculator::SupernetComboBoxClick(QComboBox* Sender) {
  const int index = Sender->currentIndex();
  for (QComboBox* list :
       {SupernetMaskBitsComboBox, SupernetMaskComboBox, SupernetCountComboBox, SupernetAddressCountComboBox})
    SelectIndex(list, index);
  UpdateSupernetInfo();
}

void TIPSubnetCalculator::UseInverseSupernetMaskCheckBoxClick() { UpdateSupernetInfo(); }

void TIPSubnetCalculator::IPAddressClipboardButtonClick() { SetClipboardText(IPAddressEdit->AddressString()); }

void TIPSubnetCalculator::ListViewClipboardButtonClick() { CopyTableToClipboard(this, SubnetHostListView); }

void TIPSubnetCalculator::FitSubnetHostColumns() {
  // Wide enough for the longest texts the current table can show: the last
  // row holds the largest numbers.
  const QFontMetrics metrics = SubnetHostListView->fontMetrics();
  const TSubnetTable& table = FSubnetHostSource->Table();
  const int64_t last = std::max<int64_t>(table.RowCount() - 1, 0);
  auto width = [&](int column, const char* fallback) {
    const QString text = table.RowCount() > 0 ? QString::fromStdString(table.CellText(last, column))
                                              : QString::fromLatin1(fallback);
    return metrics.horizontalAdvance(text) + 12;
  };
  const int number = std::max(width(0, "254"), metrics.horizontalAdvance(QStringLiteral("#")) + 12);
  const int address = std::max(width(1, "255.255.255.255"), metrics.horizontalAdvance(QStringLiteral("Broadcast")) + 12);
  SubnetHostListView->SetColumnWidths({number, address, 0, address}, width(2, "255.255.255.255 - 255.255.255.255"));
}

QString TIPSubnetCalculator::BitMapLegendText(const TZellLabel* label) const {
  // The caption a screen reader reads: the same words the legend paints.
  return QString::fromStdString(Parlamine::BitMapLegendText(AddressClass(), label == SubnetBitMapLabel));
}

void TIPSubnetCalculator::BitMapLabelCustomDraw(TZellLabel* Sender, QPainter& ACanvas, const QRect& ARect,
                                                bool& DefaultDraw) {
  DefaultDraw = false;
  const QString title = QString::fromStdString(BitMapTitle(AddressClass(), Sender == SubnetBitMapLabel));
  QList<TBitMapRole> roles;
  if (AddressClass() == MulticastClass)
    roles = {TBitMapRole::brGroup};
  else if (Sender == SubnetBitMapLabel)
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
  const uint32_t address = static_cast<uint32_t>(store.ReadInteger(Section, "IPAddress", DefaultAddress));
  IPAddressEdit->SetAddressValue(address);
  uint8_t firstOctet = static_cast<uint8_t>(address >> 24);
  IPAddressEditIPFieldValueChanged(IPAddressEdit, 0, firstOctet);

  const int page = store.ReadInteger(Section, "ActivePageIndex", 0);
  if (page >= 0 && page < IPSubnetPageControl->count() && IPSubnetPageControl->isTabVisible(page))
    IPSubnetPageControl->setCurrentIndex(page);

  // The stored item index counts rows of the list as it was saved, with or
  // without the 1-subnet-bit row; build that list before the index is applied,
  // or a stored choice would come back one subnet bit off.
  const bool allow1SubnetBit = store.ReadBool(Section, "SHAllow1SubnetBit", false);
  Allow1SubnetBitCheckBox->setChecked(allow1SubnetBit);
  UpdateSubnetInfo();
  SelectIndex(SubnetMaskComboBox, store.ReadInteger(Section, "SIItemIndex", DefaultItemIndex));
  SubnetComboBoxClick(SubnetMaskComboBox);
  Allow1SubnetBitCheckBox->setChecked(allow1SubnetBit);
  Allow1SubnetBitCheckBoxClick();
  UseInverseSubnetMaskCheckBox->setChecked(store.ReadBool(Section, "SHUseInverseSubnetMask", false));
  UseInverseSubnetMaskCheckBoxClick();
  UseInverseSupernetMaskCheckBox->setChecked(store.ReadBool(Section, "CIUseInverseSupernetMask", false));
  UseInverseSupernetMaskCheckBoxClick();
  SelectIndex(SupernetMaskComboBox, store.ReadInteger(Section, "CIItemIndex", DefaultItemIndex));
  SupernetComboBoxClick(SupernetMaskComboBox);
}

void TIPSubnetCalculator::SaveIPSubnetSettings(TSectionedStore& store) {
  store.WriteInteger(Section, "IPAddress", static_cast<int32_t>(IPAddressEdit->AddressValue()));
  store.WriteInteger(Section, "ActivePageIndex", IPSubnetPageControl->currentIndex());
  store.WriteInteger(Section, "SIItemIndex", SubnetMaskComboBox->currentIndex());
  store.WriteBool(Section, "SHAllow1SubnetBit", Allow1SubnetBitCheckBox->isChecked());
  store.WriteBool(Section, "SHUseInverseSubnetMask", UseInverseSubnetMaskCheckBox->isChecked());
  store.WriteBool(Section, "CIUseInverseSupernetMask", UseInverseSupernetMaskCheckBox->isChecked());
  store.WriteInteger(Section, "CIItemIndex", SupernetMaskComboBox->currentIndex());
}

}  // namespace Parlamine
