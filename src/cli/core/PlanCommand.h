// SPDX-License-Identifier: MIT
// `parlamine-cli plan`: the Prefix Calculator's planner on the command line.
#pragma once

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

// Reads the requirement files in order (standard input when there are none)
// and prints the plan of the parent block: the allocations as a
// tab-separated table, then the free space, the totals and the failures.
// Exit 1 when a requirement does not fit, 2 for a bad parent or bad lines
// (the other lines are still planned and printed).
int RunPlanCommand(const TPlanOptions& options, TCommandIO& io);

}  // namespace Parlamine
