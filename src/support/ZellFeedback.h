// SPDX-License-Identifier: MIT
// What the controls tell the user without knowing the shell: the warning beep,
// and failures a control catches where an exception may not pass (a timer
// slot, a signal emitted by Qt). The application installs the handlers that
// show them; tests install their own to count or record them.
#pragma once

#include <exception>
#include <functional>

namespace Parlamine {

// The standard warning beep; tests may count them.
void Beep();
using TBeepHandler = std::function<void()>;
TBeepHandler SetBeepHandler(TBeepHandler handler);

// Hands a caught failure to the application's error handler (a message box
// with its text). Without a handler the text goes to the debug output.
void ReportException(const std::exception& error);
using TExceptionHandler = std::function<void(const std::exception&)>;
// Returns the previous handler; an empty handler restores the debug output.
TExceptionHandler SetExceptionHandler(TExceptionHandler handler);

}  // namespace Parlamine
