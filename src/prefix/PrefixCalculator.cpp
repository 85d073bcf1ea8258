// SPDX-License-Identifier: MIT
#include "PrefixCalculator.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "PrefixAddress.h"
#include "PrefixInfo.h"
#include "PrefixPlanPage.h"
#include "PrefixSets.h"
#include "PrefixSplitTableSource.h"
#include "PrefixSummarize.h"
#include "RandomPrefix.h"
#include "SettingsStore.h"
#include "ZellBitMap.h"
#include "ZellClipboardRequest.h"
#include "ZellFeedback.h"
#include "ZellFontFit.h"
#include "ZellGlobal.h"
#include "ZellLabel.h"
#include "ZellMsgClasses.h"
#include "ZellTableExport.h"
#include "ZellTextFileDrop.h"
#include "ZellViewCommands.h"

namespace Parlamine {

namespace {

constexpr const char* Section = "Prefix Calculator";
constexpr const char* DefaultPrefix = "192.168.1.0/24";
// Longer than any prefix with blanks around it; a pasted page of text is cut
// here instead of being parsed.
constexpr int PrefixEditMaxLength = 255;

void SetHint(QWidget* widget, const QString& hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

// A result: Tab reaches it, and its text is selected and copied as in a
// read-only edit field. A bit map (TBitMapTextBox) copies its picture.
template <typename TBox = TTextBox>
TBox* NewTextBox(QWidget* parent, const char* name) {
  auto* box = new TBox(parent);
  box->setObjectName(QLatin1String(name));
  // Long texts (several address types, IPv6 reverse zones) end in an
  // ellipsis; tab expansion would switch it off.
  box->SetExpandTabs(false);
  box->SetEllipsis(dteEnd);
  // The text's line inside the box's edge and margins, no more: the twelve
  // results, the bit map and the entry fit the page at the window's minimum
  // size.
  FixHeightToFont(box, [](const QWidget& shown) {
    return shown.minimumSizeHint().height() + std::max(0, shown.fontMetrics().leading());
  });
  box->setMinimumWidth(40);
  return box;
}

// A result shown whole however long it is (the registry flags): its words
// wrap onto as many lines as the box's width needs, so its height follows
// the width and the font; the results scroll when the lines need more room.
TTextBox* NewWrappingTextBox(QWidget* parent, const char* name) {
  auto* box = new TTextBox(parent);
  box->setObjectName(QLatin1String(name));
  box->SetExpandTabs(false);
  box->SetWordWrap(true);
  box->setMinimumWidth(40);
  return box;
}

// The summary: its keys, Edit menu and context menu copy it as its button
// does; Ctrl+A selects every prefix.
class TSummaryListView : public QListView {
 public:
  TSummaryListView(QWidget* parent, std::function<void()> copy) : QListView(parent) {
    FCommands = new TViewCommands(this, {[this] { return model() && model()->rowCount() > 0; },
                                         std::move(copy), [this] { selectAll(); }});
  }

 protected:
  bool event(QEvent* event) override {
    // QListView's constructor already sends events, before the commands exist.
    return (FCommands && FCommands->HandleEvent(event)) || QListView::event(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (!FCommands->HandleKey(event)) QListView::keyPressEvent(event);
  }
  void contextMenuEvent(QContextMenuEvent* event) override { FCommands->ShowContextMenu(event); }

 private:
  TViewCommands* FCommands = nullptr;
};

QLabel* NewCaption(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setObjectName(QLatin1String(name));
  label->setBuddy(buddy);
  return label;
}

QVBoxLayout* NewPageLayout(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);
  return layout;
}

QGridLayout* NewResultGrid() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(1);
  grid->setColumnStretch(1, 1);
  return grid;
}

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// The summary's prefixes, their texts made when shown.
class TPrefixListModel : public QAbstractListModel {
 public:
  explicit TPrefixListModel(QObject* parent) : QAbstractListModel(parent) {}

  void SetPrefixes(std::vector<TPrefix> prefixes) {
    beginResetModel();
    FPrefixes = std::move(prefixes);
    endResetModel();
  }
  const std::vector<TPrefix>& Prefixes() const { return FPrefixes; }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(FPrefixes.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    return FromStd(PrefixText(FPrefixes[static_cast<size_t>(index.row())]));
  }

 private:
  std::vector<TPrefix> FPrefixes;
};

const TCalculatorInfo& TPrefixCalculator::CalculatorInfo() {
  static const TCalculatorInfo info{
      TCalculator::caPrefix, QStringLiteral("Prefix"),
      QStringLiteral(
          "The Prefix Calculator splits, summarizes and explains classless IPv4 and IPv6 prefixes"),
      QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral(":/images/PrefixLogo.svg")};
  return info;
}

void TPrefixCalculator::LoadSettings(TSectionedStore& store) { LoadPrefixSettings(store); }
void TPrefixCalculator::SaveSettings(TSectionedStore& store) { SavePrefixSettings(store); }

TPrefixCalculator::TPrefixCalculator(QWidget* parent)
    : TCustomCalculator(parent), FSplitSource(std::make_unique<TPrefixSplitTableSource>()) {
  setObjectName(QStringLiteral("PrefixCalculator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  PrefixPageControl = new QTabWidget(this);
  PrefixPageControl->setObjectName(QStringLiteral("PrefixPageControl"));
  PrefixPageControl->setDocumentMode(true);
  PrefixPageControl->setUsesScrollButtons(false);
  PrefixPageControl->addTab(CreatePrefixInfoPage(), QStringLiteral("Prefix Info"));
  PrefixPageControl->addTab(CreateSplitPage(), QStringLiteral("Split"));
  PrefixPageControl->addTab(CreateSummarizePage(), QStringLiteral("Summarize"));
  PlanPage = new TPrefixPlanPage;
  PrefixPageControl->addTab(PlanPage, QStringLiteral("Plan"));
  layout->addWidget(PrefixPageControl, 1);

  // Keyboard order: each page's controls top to bottom; a list comes after
  // the buttons above it.
  setTabOrder(SplitLengthComboBox, SplitFindEdit);
  setTabOrder(SplitFindEdit, SplitFindButton);
  setTabOrder(SplitClipboardButton, SplitListView);
  setTabOrder(SummarizeMemo, ExcludeMemo);
  setTabOrder(ExcludeMemo, SummarizeErrorsMemo);
  setTabOrder(SummarizeErrorsMemo, SummarizeButton);
  setTabOrder(SummarizeButton, SummaryClipboardButton);
  setTabOrder(SummaryClipboardButton, SummaryListView);

  PrefixEdit->setText(QLatin1String(DefaultPrefix));
  PrefixEditChange();
}

TPrefixCalculator::~TPrefixCalculator() {
  // The list view reads the source while it is torn down.
  delete SplitListView;
  SplitListView = nullptr;
}

QWidget* TPrefixCalculator::CreatePrefixInfoPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("PrefixInfoTabSheet"));
  auto* layout = NewPageLayout(page);

  PrefixEdit = new QLineEdit(page);
  PrefixEdit->setObjectName(QStringLiteral("PrefixEdit"));
  PrefixEdit->setMaxLength(PrefixEditMaxLength);
  SetHint(PrefixEdit,
          QStringLiteral("Enter an IPv4 or IPv6 address with an optional /prefix length or mask"));
  connect(PrefixEdit, &QLineEdit::textChanged, this, [this] { PrefixEditChange(); });
  auto* entry = new QHBoxLayout;
  entry->setSpacing(6);
  entry->addWidget(NewCaption(page, "PrefixLabel", "&Prefix", PrefixEdit));
  entry->addWidget(PrefixEdit, 1);
  RandomButton = new QPushButton(QStringLiteral("&Random"), page);
  RandomButton->setObjectName(QStringLiteral("RandomButton"));
  SetHint(RandomButton, QStringLiteral("Replace the prefix with a random private prefix of its length "
                                       "(RFC 1918, or an RFC 4193 unique local prefix)"));
  connect(RandomButton, &QPushButton::clicked, this, [this] { RandomButtonClick(); });
  entry->addWidget(RandomButton);
  layout->addLayout(entry);

  // At least one line, always there so that the results below do not jump
  // while the user types; empty while the text is a prefix. A longer advice
  // wraps onto more lines: it is never cut.
  PrefixMessageLabel = new TZellLabel(page);
  PrefixMessageLabel->setObjectName(QStringLiteral("PrefixMessageLabel"));
  PrefixMessageLabel->SetExpandTabs(false);
  PrefixMessageLabel->SetShowAccelChar(false);
  PrefixMessageLabel->SetWordWrap(true);
  PrefixMessageLabel->setMinimumWidth(40);
  layout->addWidget(PrefixMessageLabel);

  // The results scroll below the fixed entry line: an IPv6 prefix's rows
  // (each caption above its box) and the registry flags need more room than
  // the window's minimum size gives.
  auto* results = new QWidget;
  results->setObjectName(QStringLiteral("PrefixResultsPanel"));
  auto* resultsLayout = new QVBoxLayout(results);
  resultsLayout->setContentsMargins(0, 0, 0, 0);
  resultsLayout->setSpacing(layout->spacing());

  struct TResultRow {
    TTextBox** Box;
    const char* BoxName;
    const char* LabelName;
    const char* Caption;
    bool IPv4Only;
    bool IPv6Only = false;
  };
  const TResultRow rows[] = {
      {&NetworkTextBox, "NetworkTextBox", "NetworkLabel", "Network", false},
      {&PrefixLengthTextBox, "PrefixLengthTextBox", "PrefixLengthLabel", "Prefix Length", false},
      {&NetmaskTextBox, "NetmaskTextBox", "NetmaskLabel", "Netmask", true},
      {&WildcardMaskTextBox, "WildcardMaskTextBox", "WildcardMaskLabel", "Wildcard Mask", true},
      {&FirstAddressTextBox, "FirstAddressTextBox", "FirstAddressLabel", "First Address", false},
      {&LastAddressTextBox, "LastAddressTextBox", "LastAddressLabel", "Last Address", false},
      {&FirstHostTextBox, "FirstHostTextBox", "FirstHostLabel", "First Host", true},
      {&LastHostTextBox, "LastHostTextBox", "LastHostLabel", "Last Host", true},
      {&AddressesTextBox, "AddressesTextBox", "AddressesLabel", "Addresses", false},
      {&UsableHostsTextBox, "UsableHostsTextBox", "UsableHostsLabel", "Usable Hosts", true},
      {&AddressTypeTextBox, "AddressTypeTextBox", "AddressTypeLabel", "Address Type", false},
      {&RegistryFlagsTextBox, "RegistryFlagsTextBox", "RegistryFlagsLabel", "Registry Flags", false},
      {&ReverseDnsZoneTextBox, "ReverseDnsZoneTextBox", "ReverseDnsZoneLabel", "Reverse DNS Zone", false},
      {&ExplodedTextBox, "ExplodedTextBox", "ExplodedLabel", "Exploded", false, true},
      {&IPv6NetmaskTextBox, "IPv6NetmaskTextBox", "IPv6NetmaskLabel", "IPv6 Netmask", false, true},
      {&EmbeddedIPv4TextBox, "EmbeddedIPv4TextBox", "EmbeddedIPv4Label", "Embedded IPv4", false, true},
  };
  FResultGrid = NewResultGrid();
  for (const TResultRow& row : rows) {
    *row.Box = row.Box == &RegistryFlagsTextBox ? NewWrappingTextBox(results, row.BoxName)
                                                : NewTextBox(results, row.BoxName);
    FResultRows.push_back(
        {NewCaption(results, row.LabelName, row.Caption, *row.Box), *row.Box, row.IPv4Only, row.IPv6Only});
  }
  resultsLayout->addLayout(FResultGrid);
  ArrangeResultRows(TAddressFamily::afIPv4);

  PrefixBitMapTextBox = NewTextBox<TBitMapTextBox>(results, "PrefixBitMapTextBox");
  BinAddressTextBox = NewTextBox<TBitMapTextBox>(results, "BinAddressTextBox");
  PrefixBitMapLabel = new TZellLabel(results);
  PrefixBitMapLabel->setObjectName(QStringLiteral("PrefixBitMapLabel"));
  PrefixBitMapLabel->SetCaption(
      BitMapLegendText(QStringLiteral("Prefix"), {TBitMapRole::brNetwork, TBitMapRole::brHost}));
  PrefixBitMapLabel->setBuddy(PrefixBitMapTextBox);
  PrefixBitMapLabel->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    BitMapLabelCustomDraw(canvas, rect, defaultDraw);
  });
  auto* binaryCaption = NewCaption(results, "BinAddressLabel", "Binary", BinAddressTextBox);
  for (TTextBox* box : {PrefixBitMapTextBox, BinAddressTextBox}) {
    box->SetEllipsis(dteNone);
    box->SetOnCustomDraw([this, box](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
      BitMapTextBoxCustomDraw(box, canvas, rect, defaultDraw);
    });
  }
  auto* bitMap = NewResultGrid();
  bitMap->addWidget(PrefixBitMapLabel, 0, 0, 1, 2);
  bitMap->addWidget(PrefixBitMapTextBox, 1, 1);
  bitMap->addWidget(binaryCaption, 2, 0);
  bitMap->addWidget(BinAddressTextBox, 2, 1);
  resultsLayout->addLayout(bitMap);
  FBitMapRows = {PrefixBitMapLabel, PrefixBitMapTextBox, binaryCaption, BinAddressTextBox};
  resultsLayout->addStretch(1);
  auto* scroller = new QScrollArea(page);
  scroller->setObjectName(QStringLiteral("PrefixResultsScrollArea"));
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidgetResizable(true);
  scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab goes from result to result; the area scrolls each into view.
  scroller->setFocusPolicy(Qt::NoFocus);
  scroller->setWidget(results);
  layout->addWidget(scroller, 1);
  return page;
}

QWidget* TPrefixCalculator::CreateSplitPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SplitTabSheet"));
  auto* layout = NewPageLayout(page);

  // What is split: the prefix entered on the first page.
  SplitPrefixTextBox = NewTextBox(page, "SplitPrefixTextBox");
  SplitLengthComboBox = new QComboBox(page);
  SplitLengthComboBox->setObjectName(QStringLiteral("SplitLengthComboBox"));
  SplitLengthComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  SplitLengthComboBox->setMinimumContentsLength(8);
  SetHint(SplitLengthComboBox,
          QStringLiteral("Select the prefix length of the subnets to split the prefix into"));
  connect(SplitLengthComboBox, &QComboBox::activated, this, [this] { SplitLengthComboBoxClick(); });
  auto* grid = NewResultGrid();
  grid->setVerticalSpacing(3);
  grid->addWidget(NewCaption(page, "SplitPrefixLabel", "Prefix", SplitPrefixTextBox), 0, 0);
  grid->addWidget(SplitPrefixTextBox, 0, 1);
  grid->addWidget(NewCaption(page, "SplitLengthLabel", "Split &into", SplitLengthComboBox), 1, 0);
  grid->addWidget(SplitLengthComboBox, 1, 1);
  // Find: the row of the subnet that holds an address, however long the table.
  SplitFindEdit = new QLineEdit(page);
  SplitFindEdit->setObjectName(QStringLiteral("SplitFindEdit"));
  SplitFindEdit->setMaxLength(PrefixEditMaxLength);
  SetHint(SplitFindEdit, QStringLiteral("Enter an address to find the subnet that holds it"));
  SplitFindButton = new QPushButton(QStringLiteral("Fi&nd"), page);
  SplitFindButton->setObjectName(QStringLiteral("SplitFindButton"));
  SetHint(SplitFindButton, QStringLiteral("Select the row of the subnet that holds the address"));
  connect(SplitFindButton, &QPushButton::clicked, this, [this] { SplitFindButtonClick(); });
  connect(SplitFindEdit, &QLineEdit::returnPressed, this, [this] { SplitFindButtonClick(); });
  auto* find = new QHBoxLayout;
  find->setSpacing(6);
  find->addWidget(SplitFindEdit, 1);
  find->addWidget(SplitFindButton);
  grid->addWidget(NewCaption(page, "SplitFindLabel", "Address", SplitFindEdit), 2, 0);
  grid->addLayout(find, 2, 1);
  layout->addLayout(grid);

  SplitListView = new TVirtualListView(page);
  SplitListView->setObjectName(QStringLiteral("SplitListView"));
  SplitListView->SetSource(*FSplitSource);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  bar->addWidget(CreateTableNavigationToolBar(page, SplitListView, QStringLiteral("Split"),
                                              QStringLiteral("split table")));
  bar->addStretch(1);
  SplitClipboardButton = CreateTableClipboardButton(page, QStringLiteral("SplitClipboardButton"),
                                                    QStringLiteral("Copy split table to clipboard"));
  connect(SplitClipboardButton, &QToolButton::clicked, this, [this] { SplitClipboardButtonClick(); });
  bar->addWidget(SplitClipboardButton);
  layout->addLayout(bar);
  layout->addWidget(SplitListView, 1);
  CreateListViewControlMessageHook(SplitListView, SplitClipboardButton,
                                   QStringLiteral("SplitListViewControlMessageHook"));
  return page;
}

QWidget* TPrefixCalculator::CreateSummarizePage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SummarizeTabSheet"));
  auto* layout = NewPageLayout(page);

  SummarizeMemo = new QPlainTextEdit(page);
  SummarizeMemo->setObjectName(QStringLiteral("SummarizeMemo"));
  SummarizeMemo->setTabChangesFocus(true);
  SummarizeMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  AcceptTextFileDrops(SummarizeMemo);
  SetHint(SummarizeMemo,
          QStringLiteral("Enter or paste addresses, ranges (first - last) and prefixes of IPv4 and "
                         "IPv6, one per line"));
  layout->addWidget(
      NewCaption(page, "SummarizeLabel", "&Addresses, ranges and prefixes (one per line)", SummarizeMemo));
  layout->addWidget(SummarizeMemo, 3);

  // Taken out of the summary: the ACL and route-filter task.
  ExcludeMemo = new QPlainTextEdit(page);
  ExcludeMemo->setObjectName(QStringLiteral("ExcludeMemo"));
  ExcludeMemo->setTabChangesFocus(true);
  ExcludeMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  SetHint(ExcludeMemo, QStringLiteral("Enter or paste addresses, ranges and prefixes to take out of the "
                                      "summary, one per line"));
  layout->addWidget(NewCaption(page, "ExcludeLabel", "E&xclude (one per line)", ExcludeMemo));
  // Two lines at the window's smallest: exclusion lists are short.
  ExcludeMemo->setMinimumHeight(ExcludeMemo->fontMetrics().lineSpacing() * 2 + 2 * ExcludeMemo->frameWidth() +
                                4);
  layout->addWidget(ExcludeMemo, 1);

  // The lines that could not be read, shown only while there are some.
  SummarizeErrorsMemo = new QPlainTextEdit(page);
  SummarizeErrorsMemo->setObjectName(QStringLiteral("SummarizeErrorsMemo"));
  SummarizeErrorsMemo->setReadOnly(true);
  SummarizeErrorsMemo->setTabChangesFocus(true);
  SummarizeErrorsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  SummarizeErrorsMemo->setFixedHeight(SummarizeErrorsMemo->fontMetrics().lineSpacing() * 3 + 10);
  SummarizeErrorsMemo->setAccessibleName(QStringLiteral("Lines not summarized"));
  SetHint(SummarizeErrorsMemo, QStringLiteral("The lines that are no address, range or prefix"));
  SummarizeErrorsMemo->hide();
  layout->addWidget(SummarizeErrorsMemo);

  SummarizeButton = new QPushButton(QStringLiteral("&Summarize"), page);
  SummarizeButton->setObjectName(QStringLiteral("SummarizeButton"));
  SetHint(SummarizeButton,
          QStringLiteral("Summarize the lines into the fewest prefixes that cover the same addresses"));
  connect(SummarizeButton, &QPushButton::clicked, this, [this] { SummarizeButtonClick(); });
  SummaryListView = new TSummaryListView(page, [this] { SummaryClipboardButtonClick(); });
  SummaryListView->setObjectName(QStringLiteral("SummaryListView"));
  SummaryListView->setUniformItemSizes(true);
  SummaryListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  SummaryListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FSummaryModel = new TPrefixListModel(SummaryListView);
  SummaryListView->setModel(FSummaryModel);
  SummaryClipboardButton =
      CreateTableClipboardButton(page, QStringLiteral("SummaryClipboardButton"),
                                 QStringLiteral("Copy summarized prefixes to clipboard"));
  connect(SummaryClipboardButton, &QToolButton::clicked, this, [this] { SummaryClipboardButtonClick(); });
  auto* bar = new QHBoxLayout;
  bar->setSpacing(6);
  bar->addWidget(SummarizeButton);
  bar->addWidget(NewCaption(page, "SummaryLabel", "Prefixes", SummaryListView));
  bar->addStretch(1);
  bar->addWidget(SummaryClipboardButton);
  layout->addLayout(bar);
  layout->addWidget(SummaryListView, 2);

  return page;
}

void TPrefixCalculator::PrefixEditChange() {
  const TPrefixParse parsed = ParsePrefix(PrefixEdit->text().toStdString());
  PrefixMessageLabel->SetCaption(parsed.Ok ? QString() : FromStd(parsed.Error));
  // Also whole in the hint and for a screen reader.
  PrefixMessageLabel->setToolTip(PrefixMessageLabel->Caption());
  PrefixMessageLabel->setAccessibleDescription(PrefixMessageLabel->Caption());
  if (parsed.Ok) {
    FPrefix = parsed.Prefix();
    const TPrefixInfo info = PrefixInfo(parsed.Address, parsed.Length);
    ShowPrefixInfo(&info);
  } else {
    FPrefix.reset();
    ShowPrefixInfo(nullptr);
  }
  UpdateSplitLengths();
  UpdateSplitTable();
  PlanPage->SetDefaultParent(FPrefix);
}

void TPrefixCalculator::ShowPrefixInfo(const TPrefixInfo* info) {
  const TPrefixInfo none;
  const TPrefixInfo& shown = info ? *info : none;
  const std::pair<TTextBox*, const std::string*> boxes[] = {
      {NetworkTextBox, &shown.Network},
      {PrefixLengthTextBox, &shown.PrefixLength},
      {NetmaskTextBox, &shown.Netmask},
      {WildcardMaskTextBox, &shown.WildcardMask},
      {FirstAddressTextBox, &shown.FirstAddress},
      {LastAddressTextBox, &shown.LastAddress},
      {FirstHostTextBox, &shown.FirstHost},
      {LastHostTextBox, &shown.LastHost},
      {AddressesTextBox, &shown.Addresses},
      {UsableHostsTextBox, &shown.UsableHosts},
      {AddressTypeTextBox, &shown.AddressType},
      {RegistryFlagsTextBox, &shown.RegistryFlags},
      {ReverseDnsZoneTextBox, &shown.ReverseDnsZone},
      {ExplodedTextBox, &shown.Exploded},
      {IPv6NetmaskTextBox, &shown.IPv6Netmask},
      {EmbeddedIPv4TextBox, &shown.EmbeddedIPv4},
      {PrefixBitMapTextBox, &shown.BitMap},
      {BinAddressTextBox, &shown.BinaryAddress},
  };
  for (const auto& [box, text] : boxes) {
    box->SetCaption(FromStd(*text));
    // A long type list or IPv6 address is shortened on screen; the hint has it whole.
    box->setToolTip(box->Caption());
  }
  // A prefix between octet (nibble) boundaries is delegated as several
  // zones: the hint lists them.
  if (info && info->ReverseDnsZones != info->ReverseDnsZone)
    ReverseDnsZoneTextBox->setToolTip(
        FromStd(info->ReverseDnsZone + "\nDelegated as " + info->ReverseDnsZones));
  BinAddressTextBox->update();  // its colours follow the bit map
  // While the text is no prefix the IPv4 rows stay, empty, as the last family
  // shown would otherwise make the page jump with every keystroke.
  if (info) ArrangeResultRows(info->Family);
  // The bit maps, the page's last rows, are empty too: they give their room
  // to a message that wraps onto more lines, even at the window's minimum size.
  for (QWidget* w : FBitMapRows) w->setVisible(FResultFamily == TAddressFamily::afIPv4 && info);
  SplitPrefixTextBox->SetCaption(FromStd(shown.Network));
}

void TPrefixCalculator::ArrangeResultRows(TAddressFamily family) {
  if (FResultFamily == family && FResultGrid->count() > 0) return;
  FResultFamily = family;
  const bool ipv4 = family == TAddressFamily::afIPv4;
  for (const TResultRow& row : FResultRows) {
    FResultGrid->removeWidget(row.Caption);
    FResultGrid->removeWidget(row.Box);
  }
  // IPv4 texts fit beside their captions; IPv6 addresses need the page's
  // whole width, so there each caption stands above its box.
  int line = 0;
  for (const TResultRow& row : FResultRows) {
    const bool shown = ipv4 ? !row.IPv6Only : !row.IPv4Only;
    row.Caption->setVisible(shown);
    row.Box->setVisible(shown);
    if (!shown) continue;
    if (ipv4) {
      FResultGrid->addWidget(row.Caption, line, 0);
      FResultGrid->addWidget(row.Box, line, 1);
    } else {
      FResultGrid->addWidget(row.Caption, line, 0, 1, 2);
      FResultGrid->addWidget(row.Box, ++line, 0, 1, 2);
    }
    ++line;
  }
  for (QWidget* w : FBitMapRows) w->setVisible(ipv4);
}

void TPrefixCalculator::UpdateSplitLengths() {
  SplitLengthComboBox->clear();
  if (!FPrefix) return;
  const TPrefix& prefix = *FPrefix;
  const int chosen = ChooseSplitLength(prefix, FSplitLengthWanted);
  for (int length : SplitLengths(prefix)) {
    SplitLengthComboBox->addItem(FromStd(SplitLengthItemText(prefix, length)), length);
    if (length == chosen) SplitLengthComboBox->setCurrentIndex(SplitLengthComboBox->count() - 1);
  }
  SplitLengthComboBox->setMaxVisibleItems(SplitLengthComboBox->count());
  // IPv6 counts make long items: the open list is as wide as its longest one,
  // even where that is wider than the window.
  int widest = 0;
  for (int i = 0; i < SplitLengthComboBox->count(); ++i)
    widest = std::max(widest,
                      SplitLengthComboBox->fontMetrics().horizontalAdvance(SplitLengthComboBox->itemText(i)));
  SplitLengthComboBox->view()->setMinimumWidth(widest + 24);
}

void TPrefixCalculator::UpdateSplitTable() {
  if (FPrefix && SplitLengthComboBox->currentIndex() >= 0)
    FSplitSource->SetSplit(TPrefixSplit(*FPrefix, SplitLengthComboBox->currentData().toInt()));
  else
    FSplitSource->SetSplit(TPrefixSplit());
  SplitListView->Model()->Refresh();
  FitSplitColumns();
}

void TPrefixCalculator::FitSplitColumns() {
  // Wide enough for the longest texts the current table can show, in the
  // font of the moment: the list measures them again on every change.
  SplitListView->FitColumnsToSource();
}

void TPrefixCalculator::SplitLengthComboBoxClick() {
  if (SplitLengthComboBox->currentIndex() >= 0)
    FSplitLengthWanted = SplitLengthComboBox->currentData().toInt();
  UpdateSplitTable();
}

void TPrefixCalculator::SummarizeButtonClick() {
  const QByteArray text = SummarizeMemo->toPlainText().toUtf8();
  const TSummary summary =
      SummarizeText(std::string_view(text.constData(), static_cast<size_t>(text.size())));
  const QByteArray excludeText = ExcludeMemo->toPlainText().toUtf8();
  const TSummary excluded =
      SummarizeText(std::string_view(excludeText.constData(), static_cast<size_t>(excludeText.size())));
  FSummaryModel->SetPrefixes(
      excluded.Prefixes.empty() ? summary.Prefixes : ExcludePrefixes(summary.Prefixes, excluded.Prefixes));
  QStringList errors;
  for (const TSummaryLineError& error : summary.Errors) errors << FromStd(SummaryErrorText(error));
  for (const TSummaryLineError& error : excluded.Errors)
    errors << QStringLiteral("Exclude, line %1: %2").arg(error.LineNumber).arg(FromStd(error.Message));
  SummarizeErrorsMemo->setPlainText(errors.join(QLatin1Char('\n')));
  SummarizeErrorsMemo->setVisible(!errors.isEmpty());
}

void TPrefixCalculator::SplitClipboardButtonClick() { CopyTableToClipboard(this, SplitListView); }

void TPrefixCalculator::RandomButtonClick() {
  // The family and length of the prefix shown, brought into the range a
  // private prefix has: IPv4 /8 and longer, IPv6 /48 and longer.
  const TAddressFamily family = FPrefix ? FPrefix->Network.Family : TAddressFamily::afIPv4;
  const int shortest = family == TAddressFamily::afIPv4 ? MinRandomIPv4Length : MinRandomIPv6Length;
  const int length = std::max(FPrefix ? FPrefix->Length : 24, shortest);
  if (const std::optional<TPrefix> prefix = RandomPrivatePrefix(family, length))
    PrefixEdit->setText(FromStd(PrefixText(*prefix)));
}

void TPrefixCalculator::SplitFindButtonClick() {
  const TAddressParse parsed = ParseAddress(SplitFindEdit->text().toStdString());
  const std::optional<int64_t> row =
      parsed.Ok ? FSplitSource->Split().RowOf(parsed.Address) : std::optional<int64_t>();
  if (!row) {
    // Not an address, or none of this table's subnets holds it.
    Beep();
    return;
  }
  SplitListView->selectRow(static_cast<int>(*row));
  SplitListView->scrollTo(SplitListView->model()->index(static_cast<int>(*row), 0),
                          QAbstractItemView::PositionAtCenter);
}

void TPrefixCalculator::SummaryClipboardButtonClick() {
  // The selected prefixes, or all of them when none is selected, one per line
  // ended by CR LF like every table the program copies.
  QList<int> rows;
  for (const QModelIndex& index : SummaryListView->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  const std::vector<TPrefix>& prefixes = FSummaryModel->Prefixes();
  if (rows.isEmpty())
    for (int row = 0; row < static_cast<int>(prefixes.size()); ++row) rows << row;
  if (rows.isEmpty()) return;
  QByteArray text;
  text.reserve(static_cast<qsizetype>(rows.size()) * static_cast<qsizetype>(MaxPrefixTextSize + 2));
  char line[MaxPrefixTextSize];
  for (int row : rows) {
    text.append(line, WritePrefix(prefixes[static_cast<size_t>(row)], line) - line);
    text.append("\r\n", 2);
  }
  SetClipboardTextBytes(std::move(text));
}

void TPrefixCalculator::BitMapLabelCustomDraw(QPainter& ACanvas, const QRect& ARect, bool& DefaultDraw) {
  DefaultDraw = false;
  DrawBitMapLegend(*PrefixBitMapLabel, ACanvas, ARect, QStringLiteral("Prefix"),
                   {TBitMapRole::brNetwork, TBitMapRole::brHost});
}

void TPrefixCalculator::BitMapTextBoxCustomDraw(TTextBox* Sender, QPainter& ACanvas, const QRect& ARect,
                                                bool& DefaultDraw) {
  DefaultDraw = false;
  // The binary address takes its colours from the bit map, position by position.
  DrawBitMapText(*Sender, ACanvas, ARect, PrefixBitMapTextBox->Caption(), Sender->Caption());
}

void TPrefixCalculator::LoadPrefixSettings(TSectionedStore& store) {
  // A stored text that is no prefix (only a damaged file or an exit in the
  // middle of typing holds one) gives the default back.
  const std::string stored = store.ReadString(Section, "Prefix", DefaultPrefix);
  const bool storedOk = stored.size() <= static_cast<size_t>(PrefixEditMaxLength) && ParsePrefix(stored).Ok;
  const int length = store.ReadInteger(Section, "SplitLength", -1);
  FSplitLengthWanted.reset();
  const TPrefixParse parsed = ParsePrefix(storedOk ? stored : std::string(DefaultPrefix));
  const std::vector<int> lengths = SplitLengths(parsed.Prefix());
  if (std::find(lengths.begin(), lengths.end(), length) != lengths.end()) FSplitLengthWanted = length;
  const QString text = storedOk ? QString::fromStdString(stored) : QLatin1String(DefaultPrefix);
  if (PrefixEdit->text() == text)
    PrefixEditChange();
  else
    PrefixEdit->setText(text);

  const int page = store.ReadInteger(Section, "ActivePageIndex", 0);
  PrefixPageControl->setCurrentIndex(page >= 0 && page < PrefixPageControl->count() ? page : 0);

  SummarizeMemo->setPlainText(QString::fromStdString(store.ReadString(Section, "SummarizeText", "")));
  ExcludeMemo->setPlainText(QString::fromStdString(store.ReadString(Section, "ExcludeText", "")));
  SplitFindEdit->setText(QString::fromStdString(store.ReadString(Section, "FindAddress", "")));
  SummarizeButtonClick();
  PlanPage->LoadSettings(store, Section);
}

void TPrefixCalculator::SavePrefixSettings(TSectionedStore& store) {
  store.WriteString(Section, "Prefix", PrefixEdit->text().toStdString());
  store.WriteInteger(Section, "ActivePageIndex", PrefixPageControl->currentIndex());
  if (SplitLengthComboBox->currentIndex() >= 0)
    store.WriteInteger(Section, "SplitLength", SplitLengthComboBox->currentData().toInt());
  else if (FSplitLengthWanted)
    store.WriteInteger(Section, "SplitLength", *FSplitLengthWanted);
  store.WriteString(Section, "SummarizeText", SummarizeMemo->toPlainText().toStdString());
  store.WriteString(Section, "ExcludeText", ExcludeMemo->toPlainText().toStdString());
  store.WriteString(Section, "FindAddress", SplitFindEdit->text().toStdString());
  PlanPage->SaveSettings(store, Section);
}

}  // namespace Parlamine
