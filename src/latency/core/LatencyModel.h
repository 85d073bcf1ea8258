// SPDX-License-Identifier: MIT
// The delay of a request and its reply along the chain client - networks -
// server, per element and in total, for the three packet directions, and the
// text forms of the statistics table.
//
// Usage: the owner of the chain keeps one TLatencyModel. Every change of the
// chain or of an element's values calls MarkDirty(); a page that shows results
// calls ComputeLatency(chain) (which does nothing while the results are
// current) and then reads Result(). Dragging an element leaves the results
// alone; swapping two networks swaps their results (SwapElementResults), so
// each element keeps its own figures until the next change.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "NetworkElement.h"

namespace Parlamine {

// The packet directions in the order of the direction selector's items:
// 0 "Clt -> Svr" (the request), 1 "Clt <- Svr" (the reply), 2 "Clt <-> Svr"
// (request and reply).
enum TLatencyDirection : std::uint8_t { ldA, ldB, ldAB };
inline constexpr int LatencyDirectionCount = 3;

// The chain holds the client, 1 to 14 networks and the server.
inline constexpr int MaxChainCount = 16;
inline constexpr int MinChainCount = 3;

// Raised when the request and reply sizes together pass the signed 32-bit
// range; the message is "Integer overflow".
class EIntOverflow : public std::runtime_error {
 public:
  EIntOverflow() : std::runtime_error("Integer overflow") {}
};

// One element's delays (seconds) and shares (0 to 1 of the direction's
// total), indexed by TLatencyDirection.
struct TElementLatency {
  std::array<float, LatencyDirectionCount> Delay{};
  std::array<float, LatencyDirectionCount> Share{};
};

struct TLatencyResult {
  std::vector<TElementLatency> Elements;                  // chain order: client first, server last
  std::array<float, LatencyDirectionCount> TotalDelay{};  // seconds
};

// Works out every element's delays and shares and the three totals. Entry 0
// is the client, the last the server, the ones between are networks; a chain
// shorter than 2 elements raises std::invalid_argument. Networks are summed
// first (in chain order), then the client, then the server; the server's
// processing is not part of direction A, the client's not of direction B.
// Throws EIntOverflow or EFloatingPointOverflow; nothing is half-computed.
TLatencyResult ComputeLatency(const std::vector<TNetworkElement>& chain);

// The lazy rule: results are recomputed only after a change.
class TLatencyModel {
 public:
  void MarkDirty() { FLatencyDirty = true; }
  bool LatencyDirty() const { return FLatencyDirty; }

  // Recomputes when dirty and clears the flag; returns true if it did. On an
  // error the totals read 0, the elements keep their previous results, the flag
  // stays set, and the error is passed on.
  bool ComputeLatency(const std::vector<TNetworkElement>& chain);
  const TLatencyResult& Result() const { return FResult; }
  // Two chain entries changed places: their results go with them, the totals
  // stay as they are. Indexes beyond the results are ignored.
  void SwapElementResults(std::size_t first, std::size_t second);

 private:
  TLatencyResult FResult;
  bool FLatencyDirty = true;
};

// The statistics table's texts, with the locale's decimal separator.
// Delay: at most 7 significant digits and exactly 7 decimals, rounded once
// (0.286 reads "0.2860000"); 10^7 seconds or more in scientific notation.
std::string FormatDelay(double seconds, char decimalSeparator = '.');
// Share as a percentage with exactly 1 decimal and "%" (0.2349 reads "23.5%").
std::string FormatPercent(double share, char decimalSeparator = '.');

}  // namespace Parlamine
