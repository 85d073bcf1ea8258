// SPDX-License-Identifier: MIT
// `parlamine-cli summarize`: the Prefix Calculator's Summarize page on the
// command line, for lists of any length.
#pragma once

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

// Reads the files in order (standard input when there are none).
int RunSummarizeCommand(const TSummarizeOptions& options, TCommandIO& io);

}  // namespace Parlamine
