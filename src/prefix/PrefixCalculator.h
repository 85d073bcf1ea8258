// SPDX-License-Identifier: MIT
// The Prefix Calculator: classless IPv4 and IPv6 prefixes on four pages.
// "Prefix Info" reads the prefix and shows what it is, recomputed with every
// edit; "Split" lists the subnets of that prefix at a longer length in a
// virtual table; "Summarize" turns a pasted list into the fewest prefixes;
// "Plan" (TPrefixPlanPage) gives requirements the smallest fitting subnets.
#pragma once

#include <QList>
#include <memory>
#include <optional>
#include <vector>

#include "CustomCalculator.h"
#include "PrefixAddress.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace Parlamine {

class TPrefixListModel;
class TPrefixPlanPage;
class TPrefixSplitTableSource;
class TSectionedStore;
class TTextBox;
class TVirtualListView;
class TZellLabel;
struct TPrefixInfo;

class TPrefixCalculator : public TCustomCalculator {
  Q_OBJECT
 public:
  explicit TPrefixCalculator(QWidget* parent = nullptr);
  ~TPrefixCalculator() override;

  // The calculator interface.
  static const TCalculatorInfo& CalculatorInfo();
  const TCalculatorInfo& Info() const override { return CalculatorInfo(); }
  QTabWidget* PageControl() const override { return PrefixPageControl; }
  void LoadSettings(TSectionedStore& store) override;
  void SaveSettings(TSectionedStore& store) override;

  // Section "Prefix Calculator".
  void LoadPrefixSettings(TSectionedStore& store);
  void SavePrefixSettings(TSectionedStore& store);

  // The handlers of the pages' controls.
  void PrefixEditChange();
  void SplitLengthComboBoxClick();
  void SummarizeButtonClick();
  void SplitClipboardButtonClick();
  void SplitFindButtonClick();
  void RandomButtonClick();
  void SummaryClipboardButtonClick();

 private:
  QWidget* CreatePrefixInfoPage();
  QWidget* CreateSplitPage();
  QWidget* CreateSummarizePage();
  void ShowPrefixInfo(const TPrefixInfo* info);
  void ArrangeResultRows(TAddressFamily family);
  void UpdateSplitLengths();
  void UpdateSplitTable();
  void FitSplitColumns();
  void BitMapLabelCustomDraw(QPainter& ACanvas, const QRect& ARect, bool& DefaultDraw);
  void BitMapTextBoxCustomDraw(TTextBox* Sender, QPainter& ACanvas, const QRect& ARect, bool& DefaultDraw);

  QTabWidget* PrefixPageControl = nullptr;

  QLineEdit* PrefixEdit = nullptr;
  QPushButton* RandomButton = nullptr;
  TZellLabel* PrefixMessageLabel = nullptr;
  TTextBox* NetworkTextBox = nullptr;
  TTextBox* PrefixLengthTextBox = nullptr;
  TTextBox* NetmaskTextBox = nullptr;
  TTextBox* WildcardMaskTextBox = nullptr;
  TTextBox* FirstAddressTextBox = nullptr;
  TTextBox* LastAddressTextBox = nullptr;
  TTextBox* FirstHostTextBox = nullptr;
  TTextBox* LastHostTextBox = nullptr;
  TTextBox* AddressesTextBox = nullptr;
  TTextBox* UsableHostsTextBox = nullptr;
  TTextBox* AddressTypeTextBox = nullptr;
  TTextBox* RegistryFlagsTextBox = nullptr;
  TTextBox* ReverseDnsZoneTextBox = nullptr;
  TTextBox* ExplodedTextBox = nullptr;
  TTextBox* IPv6NetmaskTextBox = nullptr;
  TTextBox* EmbeddedIPv4TextBox = nullptr;
  TZellLabel* PrefixBitMapLabel = nullptr;
  TTextBox* PrefixBitMapTextBox = nullptr;
  TTextBox* BinAddressTextBox = nullptr;
  struct TResultRow {
    QLabel* Caption;
    TTextBox* Box;
    bool IPv4Only;  // no meaning for IPv6: hidden for it
    bool IPv6Only;  // and the other way round
  };
  std::vector<TResultRow> FResultRows;
  QGridLayout* FResultGrid = nullptr;
  TAddressFamily FResultFamily = TAddressFamily::afIPv4;
  // The legend, the map and the binary address with its caption: IPv4 only.
  QList<QWidget*> FBitMapRows;

  TTextBox* SplitPrefixTextBox = nullptr;
  QComboBox* SplitLengthComboBox = nullptr;
  TVirtualListView* SplitListView = nullptr;
  QToolButton* SplitClipboardButton = nullptr;
  QLineEdit* SplitFindEdit = nullptr;
  QPushButton* SplitFindButton = nullptr;

  QPlainTextEdit* SummarizeMemo = nullptr;
  QPlainTextEdit* ExcludeMemo = nullptr;
  QPlainTextEdit* SummarizeErrorsMemo = nullptr;
  QPushButton* SummarizeButton = nullptr;
  QListView* SummaryListView = nullptr;
  QToolButton* SummaryClipboardButton = nullptr;

  TPrefixPlanPage* PlanPage = nullptr;

  std::unique_ptr<TPrefixSplitTableSource> FSplitSource;
  TPrefixListModel* FSummaryModel = nullptr;
  // The prefix the text gives; none while the text is no prefix.
  std::optional<TPrefix> FPrefix;
  // The split length the user last picked (or the settings gave); each
  // prefix shows the nearest length it offers.
  std::optional<int> FSplitLengthWanted;
};

}  // namespace Parlamine
