// SPDX-License-Identifier: MIT
// The Prefix Calculator: classless IPv4 and IPv6 prefixes on three pages
// (Prefix Info, Split, Summarize), thin widgets over the prefix core.
#pragma once

#include <QWidget>

class QTabWidget;

namespace Parlamine {

class TSectionedStore;

class TPrefixCalculator : public QWidget {
  Q_OBJECT
 public:
  explicit TPrefixCalculator(QWidget* parent = nullptr);
  ~TPrefixCalculator() override;

  // Section "Prefix Calculator".
  void LoadPrefixSettings(TSectionedStore& store);
  void SavePrefixSettings(TSectionedStore& store);

 private:
  QWidget* CreatePrefixInfoPage();
  QWidget* CreateSplitPage();
  QWidget* CreateSummarizePage();

  QTabWidget* PrefixPageControl = nullptr;
};

}  // namespace Parlamine
