// SPDX-License-Identifier: MIT
// `parlamine-cli ip`: the IP Subnet Calculator's pages for one address.
#pragma once

#include <cstdint>
#include <optional>

#include "CliArguments.h"
#include "CommandIO.h"
#include "IPSubnetModel.h"

namespace Parlamine {

// "a.b.c.d", four decimal numbers 0 to 255 of 1 to 3 digits; EUsageError otherwise.
uint32_t ParseDottedAddress(const std::string& argument, const std::string& text);

// The subnet row the options choose for the class, the way the linked lists
// pick one: an exact number of subnet or mask bits; the fewest subnet bits
// that give at least --max-subnets subnets; the most subnet bits that leave
// at least --max-hosts hosts. Empty when no choice was given; EUsageError when
// the class offers no such row.
std::optional<TSubnetRow> ChooseSubnetRow(const TIpOptions& options, int addressClass);
std::optional<TSupernetRow> ChooseSupernetRow(const TIpOptions& options, int addressClass);

// Writes the text or JSON answer, or the table; returns the exit code.
// A reserved first octet writes the window's message to Err and returns 2.
int RunIpCommand(const TIpOptions& options, TCommandIO& io);

}  // namespace Parlamine
