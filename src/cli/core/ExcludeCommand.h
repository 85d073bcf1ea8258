// SPDX-License-Identifier: MIT
// `parlamine-cli exclude`: a prefix or range less a list of prefixes and
// ranges, as the fewest prefixes (the Prefix Calculator's Summarize page with
// an exclusion list).
#pragma once

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

// The exclusions come from the arguments, or from standard input one a line
// when there are none; a line that cannot be read is reported like
// `summarize` does and the others still apply.
int RunExcludeCommand(const TExcludeOptions& options, TCommandIO& io);

}  // namespace Parlamine
