// SPDX-License-Identifier: MIT
// `parlamine-cli prefix`: the Prefix Calculator's core on the command line
// (`summarize` is in SummarizeCommand.h).
#pragma once

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

int RunPrefixCommand(const TPrefixOptions& options, TCommandIO& io);

}  // namespace Parlamine
