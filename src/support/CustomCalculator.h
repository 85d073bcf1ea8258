// SPDX-License-Identifier: MIT
// What every calculator offers the main window. The window holds one list of
// calculators and knows them only through this class: it builds the
// Calculator menu, the banner's logos and the pages from their descriptions,
// gives the focus to their first control, switches their inner pages and
// loads and saves their settings sections, all in one loop.
#pragma once

#include <QKeySequence>
#include <QString>
#include <QWidget>

#include "Calculator.h"

class QTabWidget;

namespace Parlamine {

class TSectionedStore;

// Who a calculator is. The page, the menu item and their object names follow
// from the caption: "IP Subnet" gives the page "IPSubnetTabSheet", the menu
// item "CalculatorIPSubnetItem" captioned "&IP Subnet Calculator".
struct TCalculatorInfo {
  TCalculator Value;    // stored under "Calculator"; orders the menu and the banner
  QString Caption;      // the top page's caption: "IP Subnet"
  QString Description;  // the banner logo's hint
  QKeySequence Shortcut;
  QString Logo;  // the banner logo, a picture resource name: ":/images/IPSubnetLogo.svg"

  QString Name() const;          // "IP Subnet Calculator"
  QString MenuCaption() const;   // "&IP Subnet Calculator"
  QString PageName() const;      // "IPSubnetTabSheet"
  QString MenuItemName() const;  // "CalculatorIPSubnetItem"
};

class TCustomCalculator : public QWidget {
  Q_OBJECT

 public:
  explicit TCustomCalculator(QWidget* parent = nullptr);

  virtual const TCalculatorInfo& Info() const = 0;
  // The inner pages, switched by Ctrl+Tab and Ctrl+PgDn from anywhere in the
  // calculator.
  virtual QTabWidget* PageControl() const = 0;
  // The control that takes the focus when the calculator is shown: by
  // default its first control in the window's tab order.
  virtual QWidget* FocusControl() const;

  // The calculator's section of the settings. Each value is read on its
  // own: one that cannot be read leaves its setting at its default and is
  // noted in the store's tree, which the window reports once it is up. Any
  // other failure throws after everything readable is applied; the window
  // reports it and goes on with the next calculator.
  virtual void LoadSettings(TSectionedStore& store) = 0;
  // Writes the calculator's settings. Run at the end and also while the
  // program runs (the settings are saved shortly after each change), so it
  // only reads the calculator's state.
  virtual void SaveSettings(TSectionedStore& store) = 0;
  // The end of the program, after the last save: lets go of what the
  // calculator kept while it ran.
  virtual void Done() {}

  // Set while the window applies the stored settings: no message boxes and
  // no focus moves then.
  virtual void SetLoading(bool loading) { FLoading = loading; }
  bool Loading() const { return FLoading; }

 private:
  bool FLoading = false;
};

// The first control of the page in its window's tab order, skipping tab
// bars; a radio group is entered at its checked button. Null when the page
// has none.
QWidget* FirstControlOf(QWidget* page);

}  // namespace Parlamine
