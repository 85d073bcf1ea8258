// SPDX-License-Identifier: MIT
#include "PrefixPlan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "DigitText.h"
#include "PrefixInfo.h"
#include "PrefixSplit.h"
#include "QuotedInput.h"

namespace Parlamine {

namespace {

// The growth a line may ask for; beyond it the line is refused as a typo.
constexpr int MaxGrowthPercent = 10000;

TUInt128 PowerOfTwo(int exponent) { return exponent >= 128 ? 0 : TUInt128{1} << exponent; }

// 2^exponent - count for count >= 1, exponent up to 128 (where it wraps right).
TUInt128 PowerOfTwoMinus(int exponent, TUInt128 count) { return PowerOfTwo(exponent) - count; }

// The smallest k with 2^k >= value, for value >= 1.
int CeilLog2(TUInt128 value) {
  if (value <= 1) return 0;
  const TUInt128 below = value - 1;
  const uint64_t high = static_cast<uint64_t>(below >> 64);
  if (high != 0) return 128 - std::countl_zero(high);
  return 64 - std::countl_zero(static_cast<uint64_t>(below));
}

std::string CountText(TUInt128 value) { return InsertThousandSeparators(DecimalText(value)); }

std::string Quoted(std::string_view text) { return QuotedInput(text); }

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

// Digits with optional thousands commas ("1,000"); none for anything else or
// a number beyond 128 bits.
std::optional<TUInt128> ReadCount(std::string_view word) {
  if (word.empty() || word.front() == ',' || word.back() == ',') return std::nullopt;
  TUInt128 value = 0;
  for (char c : word) {
    if (c == ',') continue;
    if (c < '0' || c > '9') return std::nullopt;
    const unsigned digit = static_cast<unsigned>(c - '0');
    // The limit is a constant: a 128-bit division per digit costs more than the rest of the line.
    constexpr TUInt128 Limit = ~TUInt128{0} / 10;
    if (value > Limit || (value == Limit && digit > static_cast<unsigned>(~TUInt128{0} % 10)))
      return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<int> ReadSmallNumber(std::string_view digits, int maximum) {
  const std::optional<TUInt128> value = ReadCount(digits);
  if (!value || *value > static_cast<TUInt128>(maximum) || digits.find(',') != std::string_view::npos)
    return std::nullopt;
  return static_cast<int>(*value);
}

// "+20%" gives 20.
std::optional<int> ReadGrowth(std::string_view word) {
  if (word.size() < 3 || word.front() != '+' || word.back() != '%') return std::nullopt;
  return ReadSmallNumber(word.substr(1, word.size() - 2), MaxGrowthPercent);
}

bool IsOneOf(std::string_view word, std::string_view a, std::string_view b) { return word == a || word == b; }

// The count with the growth, rounded up; none when it leaves 128 bits.
std::optional<TUInt128> Grown(TUInt128 count, std::optional<int> growth) {
  if (!growth || *growth == 0) return count;
  const TUInt128 percent = static_cast<TUInt128>(*growth);
  const TUInt128 whole = count / 100;
  if (whole > ~TUInt128{0} / percent) return std::nullopt;
  const TUInt128 extra = whole * percent + ((count % 100) * percent + 99) / 100;
  if (count > ~TUInt128{0} - extra) return std::nullopt;
  return count + extra;
}

struct TLineRead {
  std::optional<TPlanRequirement> Requirement;
  std::optional<int> GrowthForAll;
  std::string Error;
};

// The size words at the end of a line; `words` keeps the name's words.
std::string ReadSize(std::vector<std::string_view>& words, TPlanRequirement& r, int bits) {
  const std::string_view last = words.back();
  auto countBefore = [&](std::string_view unit) -> std::string {
    if (words.size() < 2) return "the size " + Quoted(last) + " has no number before it";
    const std::optional<TUInt128> count = ReadCount(words[words.size() - 2]);
    if (!count) return Quoted(words[words.size() - 2]) + " is not a number of " + std::string(unit);
    r.Count = *count;
    words.resize(words.size() - 2);
    return {};
  };
  if (IsOneOf(last, "hosts", "host")) {
    r.Kind = TPlanSizeKind::skHosts;
    return countBefore("hosts");
  }
  if (IsOneOf(last, "addresses", "address")) {
    r.Kind = TPlanSizeKind::skAddresses;
    return countBefore("addresses");
  }
  if (last.front() == '/') {
    const bool several = last.back() == 's';
    const std::string_view digits = last.substr(1, last.size() - (several ? 2 : 1));
    const std::optional<int> length = ReadSmallNumber(digits, 128);
    if (!length) return Quoted(last) + " is not a prefix length";
    if (*length > bits) return Quoted(last) + " is longer than /" + std::to_string(bits);
    r.Length = *length;
    if (!several) {
      r.Kind = TPlanSizeKind::skLength;
      r.Count = 1;
      words.pop_back();
      return {};
    }
    r.Kind = TPlanSizeKind::skPrefixes;
    return countBefore("prefixes");
  }
  if (const std::optional<TUInt128> count = ReadCount(last)) {
    r.Kind = TPlanSizeKind::skHosts;
    r.Count = *count;
    words.pop_back();
    return {};
  }
  return "no size at its end: give hosts (\"120\"), \"512 addresses\", \"/64\" or \"200 /64s\"";
}

// The host bits of the prefix the requirement needs; an error text when no
// prefix of the family holds it.
std::string SizeRequirement(TPlanRequirement& r, TAddressFamily family, const TPlanRequest& request) {
  const int bits = AddressBits(family);
  if (r.Kind == TPlanSizeKind::skLength) {
    r.HostBits = bits - r.Length;
    return {};
  }
  if (r.Count == 0) return "asks for nothing";
  const std::optional<TUInt128> grown = Grown(r.Count, r.GrowthPercent);
  const std::string tooLarge = "needs more than the IPv" + std::string(bits == 32 ? "4" : "6") + " space";
  if (!grown) return tooLarge;
  int hostBits = 0;
  switch (r.Kind) {
    case TPlanSizeKind::skHosts:
      if (family == TAddressFamily::afIPv6)
        hostBits = CeilLog2(*grown);
      else if (request.PointToPoint && *grown == 2)
        hostBits = 1;  // RFC 3021: both addresses of a /31 are hosts
      else
        hostBits = *grown > ~TUInt128{0} - 2 ? 129 : CeilLog2(*grown + 2);  // network and broadcast
      break;
    case TPlanSizeKind::skAddresses:
      hostBits = CeilLog2(*grown);
      break;
    default:
      hostBits = bits - r.Length + CeilLog2(*grown);
      break;
  }
  if (hostBits > bits) return tooLarge;
  r.HostBits = hostBits;
  return {};
}

TLineRead ReadLine(std::string_view line, TAddressFamily family) {
  TLineRead read;
  std::vector<std::string_view> words = Words(line.substr(0, line.find('#')));
  if (words.empty()) return read;
  const std::optional<int> growth = ReadGrowth(words.back());
  if (growth && words.size() == 1) {
    read.GrowthForAll = growth;
    return read;
  }
  TPlanRequirement r;
  if (growth) {
    r.GrowthPercent = growth;
    words.pop_back();
  } else if (words.back().front() == '+') {
    read.Error = Quoted(words.back()) + " is no growth such as \"+20%\"";
    return read;
  }
  const std::string sizeError = ReadSize(words, r, AddressBits(family));
  if (!sizeError.empty()) {
    read.Error = Quoted(TrimBlanks(line)) + ": " + sizeError;
    return read;
  }
  for (std::string_view word : words) r.Name += (r.Name.empty() ? "" : " ") + std::string(word);
  while (!r.Name.empty() && (r.Name.back() == ':' || r.Name.back() == ',')) r.Name.pop_back();
  if (r.Name.empty()) {
    read.Error = Quoted(TrimBlanks(line)) + " has no name before its size";
    return read;
  }
  read.Requirement = std::move(r);
  return read;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::string LengthText(int length) { return "/" + std::to_string(length); }

// The running state of an allocation: the offset of the next free address
// from the parent's first, in a parent of 2^ParentBits addresses.
class TBlockCursor {
 public:
  explicit TBlockCursor(int parentBits) : FParentBits(parentBits) {}

  // The offset at which a block of 2^bits would go, aligned; none when it
  // would end beyond the parent.
  std::optional<TUInt128> PlaceFor(int bits) const {
    if (FFull || bits > FParentBits) return std::nullopt;
    const TUInt128 mask = PowerOfTwo(bits) - 1;  // all ones for 128
    TUInt128 start = FNext;
    if ((start & mask) != 0) {
      start = (start | mask) + 1;
      if (start == 0 || (FParentBits < 128 && start >= PowerOfTwo(FParentBits))) return std::nullopt;
    }
    // The last address must lie inside: start + mask <= 2^ParentBits - 1.
    const TUInt128 lastOffset = PowerOfTwo(FParentBits) - 1;
    if (start > lastOffset - mask) return std::nullopt;
    return start;
  }
  void Take(TUInt128 start, int bits) {
    const TUInt128 mask = PowerOfTwo(bits) - 1;
    FLastTaken = start + mask;
    FNext = FLastTaken + 1;
    FFull = FLastTaken == PowerOfTwo(FParentBits) - 1;
  }

 private:
  int FParentBits;
  TUInt128 FNext = 0;
  TUInt128 FLastTaken = 0;
  bool FFull = false;
};

struct TAllocator {
  TPlan& Plan;
  int ParentBits;
  TUInt128 Used = 0;  // wraps to 0 only when the whole IPv6 space is given

  // Whether 2^bits more addresses fit the parent beside the ones given.
  bool TotalFits(int bits) const {
    if (bits > ParentBits) return false;
    if (ParentBits == 128 && Plan.Allocations.empty()) return true;  // the whole IPv6 space is free
    const TUInt128 free = PowerOfTwo(ParentBits) - Used;
    return bits < 128 && PowerOfTwo(bits) <= free;
  }

  std::string Reason(size_t index, bool inputOrder) const {
    const TPlanRequirement& r = Plan.Requirements[index];
    const int bits = AddressBits(Plan.Parent.Network.Family);
    const std::string needs = "needs a " + LengthText(bits - r.HostBits);
    if (r.HostBits > ParentBits) return needs + ", larger than the block " + LengthText(Plan.Parent.Length);
    if (!TotalFits(r.HostBits))
      return needs + " (" + PowerOfTwoCountText(r.HostBits) + " addresses), but only " +
             CountText(PowerOfTwo(ParentBits) - Used) + " of the block are left" +
             (inputOrder ? "" : " after the larger ones");
    // Only line order fails this way: largest first packs without gaps.
    const TPlanAllocation& before = Plan.Allocations.back();
    return needs + ": in line order no aligned one is left after " +
           Plan.Requirements[before.Requirement].Name + " (" + PrefixText(before.Prefix) +
           "); largest first would fit it";
  }

  void Allocate(const std::vector<size_t>& order, bool inputOrder) {
    TBlockCursor cursor(ParentBits);
    for (size_t index : order) {
      const int hostBits = Plan.Requirements[index].HostBits;
      const std::optional<TUInt128> start = cursor.PlaceFor(hostBits);
      if (!start) {
        Plan.Failures.push_back({index, Reason(index, inputOrder)});
        continue;
      }
      cursor.Take(*start, hostBits);
      const TAddress network{Plan.Parent.Network.Family, Plan.Parent.Network.Value + *start};
      Plan.Allocations.push_back({index, MakePrefix(network, AddressBits(network.Family) - hostBits)});
      Used += PowerOfTwo(hostBits);
    }
  }
};

void FindFreePrefixes(TPlan& plan) {
  const TAddressFamily family = plan.Parent.Network.Family;
  TUInt128 next = plan.Parent.Network.Value;
  const TUInt128 last = LastAddress(plan.Parent).Value;
  bool atEnd = false;
  auto addGap = [&](TUInt128 first, TUInt128 end) {
    const std::vector<TPrefix> gap = RangeToPrefixes({TAddress{family, first}, TAddress{family, end}});
    plan.FreePrefixes.insert(plan.FreePrefixes.end(), gap.begin(), gap.end());
  };
  for (const TPlanAllocation& a : plan.Allocations) {
    if (a.Prefix.Network.Value > next) addGap(next, a.Prefix.Network.Value - 1);
    const TUInt128 allocationLast = LastAddress(a.Prefix).Value;
    atEnd = allocationLast == last;
    next = allocationLast + 1;
  }
  if (!atEnd) addGap(next, last);
}

// The longest prefix at the parent's first address whose size holds every
// requirement (packed largest first, powers of two leave no gap).
std::optional<TPrefix> FittingParent(const TPlan& plan) {
  const int bits = AddressBits(plan.Parent.Network.Family);
  TUInt128 total = 0;
  int wraps = 0;
  for (const TPlanRequirement& r : plan.Requirements) {
    const TUInt128 size = PowerOfTwo(r.HostBits);
    // A size of 2^128 is 0 here; a sum that reaches 2^128 wraps.
    if (size == 0 || total > ~TUInt128{0} - size) ++wraps;
    total += size;
  }
  int length = 0;
  if (wraps == 0)
    length = bits - CeilLog2(std::max<TUInt128>(total, 1));
  else if (wraps == 1 && total == 0 && bits == 128)
    length = 0;
  else
    return std::nullopt;
  if (length < 0) return std::nullopt;
  return MakePrefix(plan.Parent.Network, std::min(length, plan.Parent.Length));
}

std::string SizeWithGrowth(std::string size, const TPlanRequirement& r) {
  if (r.GrowthPercent && *r.GrowthPercent > 0) size += " +" + std::to_string(*r.GrowthPercent) + "%";
  return size;
}

}  // namespace

std::string TPlanRequirement::SizeText() const {
  const std::string count = DecimalText(Count);
  switch (Kind) {
    case TPlanSizeKind::skHosts:
      return SizeWithGrowth(count + (Count == 1 ? " host" : " hosts"), *this);
    case TPlanSizeKind::skAddresses:
      return SizeWithGrowth(count + (Count == 1 ? " address" : " addresses"), *this);
    case TPlanSizeKind::skLength:
      return LengthText(Length);
    case TPlanSizeKind::skPrefixes:
      return SizeWithGrowth(count + " " + LengthText(Length) + "s", *this);
  }
  return {};
}

TPlanInput ParsePlanText(std::string_view text, TAddressFamily family, const TPlanRequest& request) {
  TPlanInput input;
  std::optional<int> growthForAll;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    TLineRead read = ReadLine(lines[i], family);
    const int number = static_cast<int>(i + 1);
    if (read.GrowthForAll) growthForAll = read.GrowthForAll;
    if (!read.Error.empty()) input.Errors.push_back({number, std::move(read.Error)});
    if (!read.Requirement) continue;
    read.Requirement->LineNumber = number;
    input.Requirements.push_back(std::move(*read.Requirement));
  }
  // The growth for all lines counts wherever it stands; each line's own wins.
  std::vector<TPlanRequirement> sized;
  for (TPlanRequirement& r : input.Requirements) {
    if (!r.GrowthPercent && r.Kind != TPlanSizeKind::skLength) r.GrowthPercent = growthForAll;
    const std::string error = SizeRequirement(r, family, request);
    if (error.empty())
      sized.push_back(std::move(r));
    else
      input.Errors.push_back({r.LineNumber, Quoted(r.Name) + " " + error});
  }
  std::stable_sort(
      input.Errors.begin(), input.Errors.end(),
      [](const TSummaryLineError& a, const TSummaryLineError& b) { return a.LineNumber < b.LineNumber; });
  input.Requirements = std::move(sized);
  return input;
}

TPlan PlanRequirements(const TPrefix& parent, std::vector<TPlanRequirement> requirements,
                       const TPlanRequest& request) {
  TPlan plan;
  plan.Parent = parent;
  plan.Requirements = std::move(requirements);
  std::vector<size_t> order(plan.Requirements.size());
  std::iota(order.begin(), order.end(), size_t{0});
  if (!request.InputOrder)
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return plan.Requirements[a].HostBits > plan.Requirements[b].HostBits;
    });
  const int parentBits = AddressBits(parent.Network.Family) - parent.Length;
  TAllocator allocator{plan, parentBits};
  allocator.Allocate(order, request.InputOrder);
  std::sort(plan.Allocations.begin(), plan.Allocations.end(),
            [](const TPlanAllocation& a, const TPlanAllocation& b) {
              return a.Prefix.Network.Value < b.Prefix.Network.Value;
            });
  std::sort(plan.Failures.begin(), plan.Failures.end(),
            [](const TPlanFailure& a, const TPlanFailure& b) { return a.Requirement < b.Requirement; });
  plan.UsedAddresses = allocator.Used;
  plan.FreeAddresses = PowerOfTwo(parentBits) - allocator.Used;
  FindFreePrefixes(plan);
  if (!plan.Failures.empty()) plan.FittingParent = FittingParent(plan);
  return plan;
}

TPlan PlanText(const TPrefix& parent, std::string_view text, const TPlanRequest& request) {
  TPlanInput input = ParsePlanText(text, parent.Network.Family, request);
  TPlan plan = PlanRequirements(parent, std::move(input.Requirements), request);
  plan.Errors = std::move(input.Errors);
  return plan;
}

std::string TPlan::UsedText() const {
  // Only the whole IPv6 space given away wraps the count to 0.
  if (UsedAddresses == 0 && !Allocations.empty()) return PowerOfTwoCountText(128);
  return CountText(UsedAddresses);
}

std::string TPlan::FreeText() const {
  if (FreeAddresses == 0 && Allocations.empty()) return PowerOfTwoCountText(128);
  return CountText(FreeAddresses);
}

std::string TPlan::UsedPercentText() const {
  const int parentBits = AddressBits(Parent.Network.Family) - Parent.Length;
  double percent = 100.0;
  if (FreeAddresses != 0 || Allocations.empty()) {
    // Rounded down: "100.0" only when nothing is left.
    const long double share = std::ldexp(static_cast<long double>(UsedAddresses), -parentBits);
    percent = std::floor(static_cast<double>(share * 1000.0L)) / 10.0;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", percent);
  return text;
}

std::string TPlan::TotalsText() const {
  const int parentBits = AddressBits(Parent.Network.Family) - Parent.Length;
  return "Used " + UsedText() + " of " + PowerOfTwoCountText(parentBits) + " addresses (" +
         UsedPercentText() + "%), " + FreeText() + " free";
}

std::string TPlan::FailureText() const {
  if (Failures.empty()) return {};
  std::string text = "Does not fit: ";
  for (size_t i = 0; i < Failures.size(); ++i) {
    if (i > 0) text += "; ";
    text += Requirements[Failures[i].Requirement].Name + " " + Failures[i].Reason;
  }
  if (FittingParent) text += ". All would fit in " + PrefixText(*FittingParent);
  return text;
}

int PlanColumnCount(TAddressFamily family) {
  return static_cast<int>(family == TAddressFamily::afIPv4 ? IPv4PlanCaptions.size()
                                                           : IPv6PlanCaptions.size());
}

std::string_view PlanColumnCaption(TAddressFamily family, int column) {
  if (column < 0 || column >= PlanColumnCount(family)) return {};
  const size_t c = static_cast<size_t>(column);
  return family == TAddressFamily::afIPv4 ? IPv4PlanCaptions[c] : IPv6PlanCaptions[c];
}

std::string PlanUsableText(const TPlan& plan, size_t row) {
  const TPrefix& prefix = plan.Allocations[row].Prefix;
  if (prefix.Network.Family == TAddressFamily::afIPv4) return std::to_string(IPv4UsableHosts(prefix.Length));
  return PowerOfTwoText(128 - prefix.Length);
}

std::string PlanUnusedText(const TPlan& plan, size_t row) {
  const TPlanAllocation& a = plan.Allocations[row];
  const TPlanRequirement& r = plan.Requirements[a.Requirement];
  const int bits = AddressBits(a.Prefix.Network.Family);
  const int hostBits = bits - a.Prefix.Length;
  switch (r.Kind) {
    case TPlanSizeKind::skHosts:
      if (bits == 32)
        return std::to_string(IPv4UsableHosts(a.Prefix.Length) - static_cast<uint64_t>(r.Count));
      return DecimalText(PowerOfTwoMinus(hostBits, r.Count));
    case TPlanSizeKind::skAddresses:
      return DecimalText(PowerOfTwoMinus(hostBits, r.Count));
    case TPlanSizeKind::skLength:
      return "0";
    case TPlanSizeKind::skPrefixes: {
      const int each = bits - r.Length;
      return DecimalText(PowerOfTwoMinus(hostBits - each, r.Count) << each);
    }
  }
  return {};
}

std::vector<std::string> PlanRowCells(const TPlan& plan, size_t row) {
  if (row >= plan.Allocations.size()) return {};
  const TPlanAllocation& a = plan.Allocations[row];
  const TPlanRequirement& r = plan.Requirements[a.Requirement];
  const TAddress last = LastAddress(a.Prefix);
  std::vector<std::string> cells = {r.Name, r.SizeText(), PrefixText(a.Prefix)};
  if (a.Prefix.Network.Family == TAddressFamily::afIPv6) {
    cells.insert(cells.end(), {AddressText(a.Prefix.Network), AddressText(last)});
  } else {
    // A /31 or /32 has no network or broadcast address apart from its hosts.
    const bool everyAddressAHost = a.Prefix.Length >= 31;
    const TUInt128 first = a.Prefix.Network.Value + (everyAddressAHost ? 0 : 1);
    const TUInt128 lastHost = last.Value - (everyAddressAHost ? 0 : 1);
    cells.insert(cells.end(), {AddressText({TAddressFamily::afIPv4, first}),
                               AddressText({TAddressFamily::afIPv4, lastHost}),
                               everyAddressAHost ? std::string(NoBroadcastText) : AddressText(last)});
  }
  cells.push_back(PlanUsableText(plan, row));
  cells.push_back(PlanUnusedText(plan, row));
  return cells;
}

}  // namespace Parlamine
