// SPDX-License-Identifier: MIT
// Chains the latency page tests share: client, a satellite link, server.
#pragma once

#include <QStringList>
#include <cstdint>

#include "LatencyModel.h"
#include "NetworkElement.h"

namespace Parlamine {

inline TNetworkElement Station(TNetworkButtonKind kind, std::int32_t packetSize, std::int32_t processTime) {
  TNetworkElement station;
  station.FNetworkButtonKind = kind;
  station.FPacketSize = packetSize;
  station.FProcessTime = processTime;
  return station;
}

inline TNetworkElement Satellite() {
  TNetworkElement network;
  network.FNetworkButtonKind = nbSatellite;
  network.FBandwidth = 0.512;
  network.FPropDelay = 270;
  return network;
}

// The hints of the chain returned by SatelliteResult, client first.
inline const QStringList SatelliteHints = {QStringLiteral("Client (64 B pkt., 10 ms proc. time)"),
                                           QStringLiteral("Satellite (0.512 Mbps, 270 ms prop. delay)"),
                                           QStringLiteral("Server (1024 B pkt., 5 ms proc. time)")};

inline TLatencyResult SatelliteResult() {
  return ComputeLatency({Station(nbDesktopCPU, 64, 10), Satellite(), Station(nbTowerCPU, 1024, 5)});
}

}  // namespace Parlamine
