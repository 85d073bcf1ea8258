// SPDX-License-Identifier: MIT
#include "RadixerCalculator.h"

#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "BaseConverterPage.h"
#include "BaseLookupPage.h"
#include "BitSwapperPage.h"
#include "OUIFinderPage.h"
#include "RadixerModel.h"
#include "RadixerShared.h"
#include "SettingsStore.h"
#include "ZellGlobal.h"
#include "ZellNumberEdit.h"

namespace Parlamine {

namespace {

const std::string Section = "Radixer Calculator";

// Tabs with half the usual room beside their captions, so that all four fit
// side by side in the narrowest window without scroll buttons.
class TCompactTabStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int standard = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? standard / 2 : standard;
  }
};

}  // namespace

const TCalculatorInfo& TRadixerCalculator::CalculatorInfo() {
  static const TCalculatorInfo info{
      TCalculator::caRadixer, QStringLiteral("Radixer"),
      QStringLiteral(
          "The Radixer Calculator performs useful functions with binary, decimal, hexadecimal, and octal "
          "numbers"),
      QKeySequence(Qt::CTRL | Qt::Key_H), QStringLiteral(":/images/RadixerLogo.svg")};
  return info;
}

void TRadixerCalculator::LoadSettings(TSectionedStore& store) { LoadRadixerSettings(store); }
void TRadixerCalculator::SaveSettings(TSectionedStore& store) { WriteRadixerSettings(store); }
void TRadixerCalculator::Done() { FOUIFinderPage->FreeOUIList(); }

TRadixerCalculator::TRadixerCalculator(QWidget* parent) : TCustomCalculator(parent) {
  setObjectName(QStringLiteral("RadixerCalculator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  RadixerPageControl = new QTabWidget(this);
  RadixerPageControl->setObjectName(QStringLiteral("RadixerPageControl"));
  FBaseConverterPage = new TBaseConverterPage(RadixerPageControl);
  FBaseLookupPage = new TBaseLookupPage(RadixerPageControl);
  FBitSwapperPage = new TBitSwapperPage(RadixerPageControl);
  FOUIFinderPage = new TOUIFinderPage(RadixerPageControl);
  RadixerPageControl->addTab(FBaseConverterPage, QStringLiteral("Base Converter"));
  RadixerPageControl->addTab(FBaseLookupPage, QStringLiteral("Base Lookup"));
  RadixerPageControl->addTab(FBitSwapperPage, QStringLiteral("Bit-Swapper"));
  RadixerPageControl->addTab(FOUIFinderPage, QStringLiteral("OUI Finder"));
  auto* tabStyle = new TCompactTabStyle;
  tabStyle->setParent(RadixerPageControl->tabBar());
  RadixerPageControl->tabBar()->setStyle(tabStyle);
  layout->addWidget(RadixerPageControl);
}

TRadixerCalculator::~TRadixerCalculator() = default;

void TRadixerCalculator::LoadRadixerSettings(TSectionedStore& store) {
  FBaseLookupPage->SetRowCount(static_cast<int>(LookupRowCount));
  // An index outside the pages leaves the page control as it is.
  RadixerPageControl->setCurrentIndex(store.ReadInteger(Section, "ActivePageIndex", 0));

  FBaseConverterPage->WidthGroup()->SetItemIndex(store.ReadInteger(Section, "BCNumberWidth", 0));
  FBaseConverterPage->NumberWidthGroupClick();
  FBaseConverterPage->DecimalEdit()->SetValueInteger(
      ValueFromStoredValue(store.ReadInteger(Section, "BCValue", 0)));

  FBitSwapperPage->BaseGroup()->SetItemIndex(store.ReadInteger(Section, "BRBase", 1));
  FBitSwapperPage->NumberStyleRadioGroupClick();
  FBitSwapperPage->OriginalEdit()->SetValueInteger(
      ValueFromStoredValue(store.ReadInteger(Section, "BRValue", 0)));

  FBaseLookupPage->SetSeparators(store.ReadBool(Section, "BLSeparator", true));

  // The stored OUI is shown as it was typed; anything but the default is
  // searched at once, which loads the list.
  const QString oui = QString::fromStdString(store.ReadString(Section, "OFOUI", TOUIFinderPage::DefaultOUI));
  FOUIFinderPage->OUIEdit()->setText(oui);
  if (oui != QLatin1String(TOUIFinderPage::DefaultOUI)) {
    // Start-up runs outside any event handler, so a stored text that is no
    // OUI is reported here and the rest of the start goes on.
    try {
      FOUIFinderPage->OUISearchButtonClick();
    } catch (const std::exception& error) {
      ShowError(this, QString::fromUtf8(error.what()));
    }
  }
}

void TRadixerCalculator::SaveRadixerSettings(TSectionedStore& store) {
  WriteRadixerSettings(store);
  FOUIFinderPage->FreeOUIList();
}

void TRadixerCalculator::WriteRadixerSettings(TSectionedStore& store) {
  store.WriteInteger(Section, "ActivePageIndex", RadixerPageControl->currentIndex());
  store.WriteInteger(Section, "BCNumberWidth", FBaseConverterPage->WidthGroup()->ItemIndex());
  store.WriteInteger(Section, "BCValue",
                     StoredValueFromValue(FBaseConverterPage->DecimalEdit()->ValueInteger()));
  store.WriteInteger(Section, "BRBase", FBitSwapperPage->BaseGroup()->ItemIndex());
  store.WriteInteger(Section, "BRValue",
                     StoredValueFromValue(FBitSwapperPage->OriginalEdit()->ValueInteger()));
  store.WriteBool(Section, "BLSeparator", FBaseLookupPage->Separators());
  store.WriteString(Section, "OFOUI", FOUIFinderPage->OUIEdit()->text().toStdString());
}

}  // namespace Parlamine
