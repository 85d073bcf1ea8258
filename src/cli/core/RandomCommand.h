// SPDX-License-Identifier: MIT
// `parlamine-cli random`: a private prefix picked with the system's random
// source, as the Prefix Calculator's "Random" button picks one.
#pragma once

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

int RunRandomCommand(const TRandomOptions& options, TCommandIO& io);

}  // namespace Parlamine
