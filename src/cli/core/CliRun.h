// SPDX-License-Identifier: MIT
// The whole program behind main(): reads the command line, runs the command,
// turns errors into one line on the error output and the exit code.
#pragma once

#include <string>
#include <vector>

#include "CommandIO.h"

namespace Parlamine {

struct TRunEnvironment {
  // Where the fallback OUI.txt may be, in order (beside the program, then the
  // installed data folder).
  std::vector<std::string> ShippedOUILists;
};

// `arguments` without the program name. Returns the exit code.
int RunCommandLine(const std::vector<std::string>& arguments, TCommandIO& io,
                   const TRunEnvironment& environment);

// The shipped-list places for a program at `programPath`.
std::vector<std::string> ShippedOUIListPaths(const std::string& programPath);

}  // namespace Parlamine
