// SPDX-License-Identifier: MIT
// `parlamine-cli oui`: the owner of hardware addresses and of their
// bit-swapped (Token Ring / FDDI) forms, from the IEEE listings read at run
// time, or from the shipped OUI.txt when the listings are missing.
#pragma once

#include <string>
#include <vector>

#include "CliArguments.h"
#include "CommandIO.h"

namespace Parlamine {

// `shippedLists`: where to look for OUI.txt, in order, for the fallback.
int RunOuiCommand(const TOuiOptions& options, TCommandIO& io, const std::vector<std::string>& shippedLists);

}  // namespace Parlamine
