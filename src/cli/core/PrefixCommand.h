// SPDX-License-Identifier: MIT
// `parlamine-cli prefix` and `summarize`: the Prefix Calculator's core on the
// command line.
#pragma once

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

int RunPrefixCommand(const TPrefixOptions& options, TCommandIO& io);
// Reads the files in order (standard input when there are none).
int RunSummarizeCommand(const TSummarizeOptions& options, TCommandIO& io);

}  // namespace Parlamine
