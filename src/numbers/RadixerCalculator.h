// SPDX-License-Identifier: MIT
// The Radixer Calculator: the top page with its four inner pages.
#pragma once

#include <QWidget>

class QTabWidget;

namespace Parlamine {

class TSectionedStore;
class TBaseConverterPage;
class TBaseLookupPage;
class TBitSwapperPage;
class TOUIFinderPage;

class TRadixerCalculator : public QWidget {
  Q_OBJECT
 public:
  explicit TRadixerCalculator(QWidget* parent = nullptr);
  ~TRadixerCalculator() override;

  void LoadRadixerSettings(TSectionedStore& store);
  // Saves, then frees the OUI list.
  void SaveRadixerSettings(TSectionedStore& store);

  TBaseConverterPage* BaseConverterPage() const { return FBaseConverterPage; }
  TBaseLookupPage* BaseLookupPage() const { return FBaseLookupPage; }
  TBitSwapperPage* BitSwapperPage() const { return FBitSwapperPage; }
  TOUIFinderPage* OUIFinderPage() const { return FOUIFinderPage; }

 private:
  QTabWidget* RadixerPageControl = nullptr;
  TBaseConverterPage* FBaseConverterPage = nullptr;
  TBaseLookupPage* FBaseLookupPage = nullptr;
  TBitSwapperPage* FBitSwapperPage = nullptr;
  TOUIFinderPage* FOUIFinderPage = nullptr;
};

}  // namespace Parlamine
