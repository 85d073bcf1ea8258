// SPDX-License-Identifier: MIT
// Sizes computed from a control's font that stay right when the user's font
// or style changes while the program runs: the size is applied at once and
// again on every font and style change the control receives.
#pragma once

#include <functional>

class QWidget;

namespace Parlamine {

// Calls fit(control) now and after each change of the control's font (also
// one coming from the application font, once the control's children have
// theirs) or style.
void FollowFontChanges(QWidget* control, std::function<void(QWidget&)> fit);

// The control's fixed height is height(control), now and after each change
// of its font or style.
void FixHeightToFont(QWidget* control, std::function<int(const QWidget&)> height);

}  // namespace Parlamine
