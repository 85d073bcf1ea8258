// SPDX-License-Identifier: MIT
// Prefixes as sets of addresses: a set less others (the ACL and route-filter
// task), and the prefixes that hold a prefix.
#pragma once

#include <optional>
#include <vector>

#include "PrefixAddress.h"

namespace Parlamine {

// The addresses of `prefixes` that are in none of `excluded`, as the fewest
// prefixes: IPv4 first, then IPv6, each in address order. Both lists may be
// in any order and may overlap; an exclusion of the other family removes
// nothing.
std::vector<TPrefix> ExcludePrefixes(const std::vector<TPrefix>& prefixes,
                                     const std::vector<TPrefix>& excluded);

// The supernets of a prefix, longest first: one for each shorter length, down
// to the /0 of its family. With `length`, only the one of that length (none
// when it is not shorter than the prefix's own).
std::vector<TPrefix> ParentPrefixes(const TPrefix& prefix, std::optional<int> length = std::nullopt);

}  // namespace Parlamine
