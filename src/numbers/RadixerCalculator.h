// SPDX-License-Identifier: MIT
// The Radixer Calculator: the top page with its four inner pages.
#pragma once

#include "CustomCalculator.h"

class QTabWidget;

namespace Parlamine {

class TSectionedStore;
class TBaseConverterPage;
class TBaseLookupPage;
class TBitSwapperPage;
class TOUIFinderPage;

class TRadixerCalculator : public TCustomCalculator {
  Q_OBJECT
 public:
  explicit TRadixerCalculator(QWidget* parent = nullptr);
  ~TRadixerCalculator() override;

  // The calculator interface.
  static const TCalculatorInfo& CalculatorInfo();
  const TCalculatorInfo& Info() const override { return CalculatorInfo(); }
  QTabWidget* PageControl() const override { return RadixerPageControl; }
  void LoadSettings(TSectionedStore& store) override;
  // Writes the settings; the OUI list stays until Done.
  void SaveSettings(TSectionedStore& store) override;
  void Done() override;

  void LoadRadixerSettings(TSectionedStore& store);
  // Saves, then frees the OUI list.
  void SaveRadixerSettings(TSectionedStore& store);

  TBaseConverterPage* BaseConverterPage() const { return FBaseConverterPage; }
  TBaseLookupPage* BaseLookupPage() const { return FBaseLookupPage; }
  TBitSwapperPage* BitSwapperPage() const { return FBitSwapperPage; }
  TOUIFinderPage* OUIFinderPage() const { return FOUIFinderPage; }

 private:
  void WriteRadixerSettings(TSectionedStore& store);

  QTabWidget* RadixerPageControl = nullptr;
  TBaseConverterPage* FBaseConverterPage = nullptr;
  TBaseLookupPage* FBaseLookupPage = nullptr;
  TBitSwapperPage* FBitSwapperPage = nullptr;
  TOUIFinderPage* FOUIFinderPage = nullptr;
};

}  // namespace Parlamine
