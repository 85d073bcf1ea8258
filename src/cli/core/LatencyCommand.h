// SPDX-License-Identifier: MIT
// `parlamine-cli latency`: the Latency Calculator's chain client - networks -
// server, its delays in all three directions and the statistics table.
#pragma once

#include <string>
#include <vector>

#include "CliArguments.h"
#include "CommandIO.h"
#include "NetworkElement.h"
#include "Throughput.h"

namespace Parlamine {

// "SIZE[:PROC]" of a station: packet bytes, processing milliseconds.
TNetworkElement ParseStation(const std::string& argument, const std::string& text, TNetworkButtonKind kind,
                             const std::string& name);
// "KIND[:MBPS[:DELAY]]". KIND: a topology name of the properties dialog, a
// kind name of the element model ("TCarrier", "nbISDN"), both without regard
// to case, blanks, dashes, dots or brackets, or a kind's number (0 to 15,
// 18 to 26). MBPS and DELAY
// default to what the dialog sets for the topology; DELAY may be a length
// ("1000km"), turned into a delay at the signal speed of the kind's medium.
TNetworkElement ParseNetwork(const std::string& text);
// The throughput inputs: the defaults, with what --window, --loss, --mss and
// --file-size give.
TThroughputInputs ThroughputInputs(const TLatencyOptions& options);
// The whole chain, client first.
std::vector<TNetworkElement> LatencyChain(const TLatencyOptions& options);

int RunLatencyCommand(const TLatencyOptions& options, TCommandIO& io);

}  // namespace Parlamine
