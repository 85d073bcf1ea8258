// SPDX-License-Identifier: MIT
#include "PrefixSets.h"

#include <algorithm>
#include <tuple>

#include "PrefixSummarize.h"

namespace Parlamine {

namespace {

bool RangeBefore(const TAddressRange& a, const TAddressRange& b) {
  return std::tie(a.First.Family, a.First.Value) < std::tie(b.First.Family, b.First.Value);
}

bool EndsAtTop(const TAddressRange& range) { return range.Last.Value == AllOnes(range.Last.Family); }

// The prefixes as ranges, sorted by family and address; overlapping and
// touching ones joined, so that no two of the result could form one range.
std::vector<TAddressRange> JoinedRanges(const std::vector<TPrefix>& prefixes) {
  std::vector<TAddressRange> ranges;
  ranges.reserve(prefixes.size());
  for (const TPrefix& prefix : prefixes) ranges.push_back({prefix.Network, LastAddress(prefix)});
  std::sort(ranges.begin(), ranges.end(), RangeBefore);
  std::vector<TAddressRange> joined;
  for (const TAddressRange& range : ranges) {
    const bool joins = !joined.empty() && joined.back().First.Family == range.First.Family &&
                       (EndsAtTop(joined.back()) || range.First.Value <= joined.back().Last.Value + 1);
    if (!joins)
      joined.push_back(range);
    else if (range.Last.Value > joined.back().Last.Value)
      joined.back().Last = range.Last;
  }
  return joined;
}

// `kept` less the ranges of `removed` from `next` on (both joined and
// sorted); appends what is left to `left`. `next` moves past the removed
// ranges that end before `kept` does, which no later kept range can meet.
void SubtractRanges(TAddressRange kept, const std::vector<TAddressRange>& removed, size_t& next,
                    std::vector<TAddressRange>& left) {
  while (next < removed.size() && RangeBefore(removed[next], kept) &&
         (removed[next].First.Family != kept.First.Family || removed[next].Last.Value < kept.First.Value))
    ++next;
  for (size_t i = next; i < removed.size(); ++i) {
    const TAddressRange& cut = removed[i];
    if (cut.First.Family != kept.First.Family || cut.First.Value > kept.Last.Value) break;
    if (cut.First.Value > kept.First.Value)
      left.push_back({kept.First, {kept.First.Family, cut.First.Value - 1}});
    if (cut.Last.Value >= kept.Last.Value) return;
    kept.First.Value = cut.Last.Value + 1;
  }
  left.push_back(kept);
}

}  // namespace

std::vector<TPrefix> ExcludePrefixes(const std::vector<TPrefix>& prefixes,
                                     const std::vector<TPrefix>& excluded) {
  const std::vector<TAddressRange> removed = JoinedRanges(excluded);
  std::vector<TAddressRange> left;
  size_t next = 0;
  for (const TAddressRange& kept : JoinedRanges(prefixes)) SubtractRanges(kept, removed, next, left);
  // The pieces left of joined ranges neither overlap nor touch: each one's
  // fewest prefixes together are the fewest for all.
  std::vector<TPrefix> result;
  for (const TAddressRange& range : left) {
    const std::vector<TPrefix> pieces = RangeToPrefixes(range);
    result.insert(result.end(), pieces.begin(), pieces.end());
  }
  return result;
}

std::vector<TPrefix> ParentPrefixes(const TPrefix& prefix, std::optional<int> length) {
  std::vector<TPrefix> parents;
  if (length) {
    if (*length >= 0 && *length < prefix.Length) parents.push_back(MakePrefix(prefix.Network, *length));
    return parents;
  }
  for (int shorter = prefix.Length - 1; shorter >= 0; --shorter)
    parents.push_back(MakePrefix(prefix.Network, shorter));
  return parents;
}

}  // namespace Parlamine
