// SPDX-License-Identifier: MIT
// What the controls tell the user without knowing the shell: the warning beep.
// Tests install their own handler to count them.
#pragma once

#include <functional>

namespace Parlamine {

// The standard warning beep; tests may count them.
void Beep();
using TBeepHandler = std::function<void()>;
TBeepHandler SetBeepHandler(TBeepHandler handler);

}  // namespace Parlamine
