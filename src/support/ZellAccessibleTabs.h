// SPDX-License-Identifier: MIT
// What screen readers are told about tab bars: only the tabs that show. Qt's
// own tab bar interface reports every tab, hidden ones included, as showing;
// the pages of the IP Subnet Calculator hide three tabs for a class D address.
#pragma once

class QTabBar;

namespace Parlamine {

// Makes every tab bar of the program report only its visible tabs (in their
// order) as its children. Installed once; later calls do nothing.
void InstallAccessibleTabBars();

// Keeps the bar off its hidden tabs: the arrow keys, Home/End and the wheel
// of Qt's tab bar can make a hidden tab current; the bar then goes on in the
// same direction to the next showing tab, or back where it was.
void SkipHiddenTabs(QTabBar* bar);

}  // namespace Parlamine
