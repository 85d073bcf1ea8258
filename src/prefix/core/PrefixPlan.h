// SPDX-License-Identifier: MIT
// Planning one address block: every requirement (a site, a VLAN, a link) gets
// the smallest prefix that holds it, aligned to its size, without overlap and
// inside the parent; what is left is listed as the fewest prefixes.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PrefixAddress.h"
#include "PrefixSummarize.h"

namespace Parlamine {

// How a requirement gave its size.
enum class TPlanSizeKind : uint8_t {
  skHosts,      // "120" or "120 hosts": usable hosts (IPv6: addresses)
  skAddresses,  // "512 addresses"
  skLength,     // "/64": exactly that prefix length
  skPrefixes,   // "200 /64s": that many prefixes of the length
};

// One requirement line as read. Sizes are powers of two: the prefix given
// has 2^HostBits addresses.
struct TPlanRequirement {
  int LineNumber = 0;
  std::string Name;
  TPlanSizeKind Kind = TPlanSizeKind::skHosts;
  TUInt128 Count = 0;                // hosts, addresses or prefixes asked, before growth
  int Length = 0;                    // skLength and skPrefixes: the length written
  std::optional<int> GrowthPercent;  // its own, or the one given for all lines
  int HostBits = 0;                  // of the prefix it needs
  // "120 hosts +20%", "/64", "200 /64s".
  std::string SizeText() const;
};

struct TPlanRequest {
  // Largest first (ties in line order) packs the block tightest; line order
  // places each requirement at the next free aligned address after the one
  // before, leaving the gaps alignment makes.
  bool InputOrder = false;
  // A requirement of exactly two hosts gets an RFC 3021 /31 (IPv4).
  bool PointToPoint = false;
};

// Reads the requirement lines: "NAME SIZE [+G%]" where SIZE is a host count
// ("120", "120 hosts"), "N addresses", "/L" or "N /Ls" (N prefixes of length
// L). A line "+G%" alone sets the growth of every line without its own.
// Blank lines and everything after a '#' are skipped; a line that is not
// understood is reported by number and the others are still read.
struct TPlanInput {
  std::vector<TPlanRequirement> Requirements;  // in line order
  std::vector<TSummaryLineError> Errors;       // in line order
};
TPlanInput ParsePlanText(std::string_view text, TAddressFamily family, const TPlanRequest& request);

struct TPlanAllocation {
  size_t Requirement = 0;  // index into TPlan::Requirements
  TPrefix Prefix;
};

struct TPlanFailure {
  size_t Requirement = 0;
  // Why it was left out: the sizes exceed the block, or (in line order) the
  // alignment gaps left no aligned place.
  std::string Reason;
};

struct TPlan {
  TPrefix Parent;
  std::vector<TPlanRequirement> Requirements;
  std::vector<TSummaryLineError> Errors;
  std::vector<TPlanAllocation> Allocations;  // in address order
  std::vector<TPrefix> FreePrefixes;         // the rest of the parent, fewest prefixes, address order
  std::vector<TPlanFailure> Failures;        // in line order
  // The longest prefix holding the parent's first address that would hold
  // every requirement, when some failed and there is one.
  std::optional<TPrefix> FittingParent;
  // Addresses of the parent given and left; their sum is 2^ParentHostBits,
  // which for ::/0 (2^128) does not fit the counts: see the texts below.
  TUInt128 UsedAddresses = 0;
  TUInt128 FreeAddresses = 0;

  // "896", "2,048" with separators; exact for the whole IPv6 space too.
  std::string UsedText() const;
  std::string FreeText() const;
  // The share of the parent given, one decimal: "87.5".
  std::string UsedPercentText() const;
  // "Used 896 of 1,024 addresses (87.5%), 128 free".
  std::string TotalsText() const;
  // "Failed: Sales (...); Servers (...)"; "" when everything fits.
  std::string FailureText() const;
};

// Plans the requirements inside `parent`.
TPlan PlanRequirements(const TPrefix& parent, std::vector<TPlanRequirement> requirements,
                       const TPlanRequest& request);
// Reads and plans a text in one step; the lines not understood are in Errors.
TPlan PlanText(const TPrefix& parent, std::string_view text, const TPlanRequest& request);

// --- The allocation table ----------------------------------------------------
inline constexpr std::array<std::string_view, 8> IPv4PlanCaptions = {
    "Name", "Size", "Prefix", "First Host", "Last Host", "Broadcast", "Usable Hosts", "Unused"};
inline constexpr std::array<std::string_view, 7> IPv6PlanCaptions = {
    "Name", "Size", "Prefix", "First Address", "Last Address", "Addresses", "Unused"};

int PlanColumnCount(TAddressFamily family);
std::string_view PlanColumnCaption(TAddressFamily family, int column);
// The cells of allocation `row` (plain digits, no separators, so that a
// copied or printed table reads back as numbers); empty outside the table.
std::vector<std::string> PlanRowCells(const TPlan& plan, size_t row);
// The usable hosts (IPv4) or addresses (IPv6) of an allocation and the
// ones its requirement does not take, as digits.
std::string PlanUsableText(const TPlan& plan, size_t row);
std::string PlanUnusedText(const TPlan& plan, size_t row);

}  // namespace Parlamine
