// SPDX-License-Identifier: MIT
// One element of the latency chain as plain values: its kind and the tables
// read per kind (picture, topology names, bandwidth choices, propagation
// delays), the delay of one packet through it, and the hint text that names it
// everywhere in the program.
//
// Units: bandwidth in megabits per second (1 Mbps = 125000 bytes per second),
// packet sizes in bytes, processing time and propagation delay in whole
// milliseconds, delays in seconds as 32-bit floats.
//
// Usage: the element widget keeps a TNetworkElement, calls GetDelay through
// ComputeLatency (LatencyModel.h) and sets its hint from NetworkHint() with the
// locale's decimal separator.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Parlamine {

// The ordinal is what the settings store keeps and compares: never reorder.
enum TNetworkButtonKind : std::uint8_t {
  nb56Switched,      // 0
  nbATM,             // 1
  nbBISDN,           // 2
  nbDQDB,            // 3
  nbEthernet,        // 4
  nbFDDI,            // 5
  nbFrameRelay,      // 6
  nbHIPPI,           // 7
  nbISDN,            // 8
  nbOther,           // 9
  nbSatellite,       // 10
  nbSMDS,            // 11
  nbTCarrier,        // 12
  nbTokenRing,       // 13
  nbUnknownNetwork,  // 14
  nbX25,             // 15
  nbDesktopCPU,      // 16, the client station
  nbTowerCPU,        // 17, the server station
  // Present-day links, after the stations so that every older ordinal keeps
  // its meaning in stored chains.
  nbFastEthernet,  // 18, Ethernet at 10 to 400 Gbps
  nbFibre,         // 19, an optical fibre span
  nbWiFi,          // 20, 802.11n/ac/ax/be
  nbLTE,           // 21, 4G LTE
  nb5G,            // 22, 5G NR
  nbDOCSIS,        // 23, cable, DOCSIS 3.1
  nbPON,           // 24, GPON and XGS-PON
  nbVDSL2,         // 25
  nbLEOSatellite,  // 26, a low-earth-orbit satellite link
};
inline constexpr int NetworkButtonKindCount = 27;
// The kinds of the first releases, 0 to 17: their stored records keep their
// layout.
inline constexpr int ClassicKindCount = 18;

// True for a byte that names one of the kinds (stored settings may hold
// anything).
constexpr bool IsValidNetworkButtonKind(int ordinal) {
  return ordinal >= 0 && ordinal < NetworkButtonKindCount;
}

// Stations are the last two kinds; the one test used everywhere.
constexpr bool IsStation(TNetworkButtonKind kind) {
  return static_cast<std::uint8_t>(static_cast<std::uint8_t>(kind) - nbDesktopCPU) < 2;
}

// The resource name of the kind's 40 x 40 picture ("ETHERNET" loads
// ":/images/ETHERNET.svg"); several kinds share a picture.
std::string_view KindPictureName(TNetworkButtonKind kind);

// The text of a network that has no topology yet; also its initial name.
inline constexpr std::string_view UnknownTopologyName = "<Unknown Topology>";

// One entry of the topology list of the properties dialog. The user picks a
// topology name; the name selects the kind and a default bandwidth.
struct TTopology {
  std::string_view Name;
  TNetworkButtonKind Kind;
  // Empty for the blank entry: its bandwidth text becomes "0".
  std::optional<double> DefaultBandwidth;
};

// The entries in list order: "56-Switched" ... "X.25", a single blank (index
// 14), then the present-day links from index 15 ("10G Ethernet" ...).
std::span<const TTopology> Topologies();
// The entries of the first releases, "56-Switched" to the blank.
inline constexpr int ClassicTopologyCount = 15;
// The kind that a topology list index selects: nbOther for the blank entry,
// for names the user added (after the table) and for -1 (typed text).
TNetworkButtonKind TopologyKind(int index);
// The default bandwidth of a list index; empty where the text becomes "0".
std::optional<double> TopologyDefaultBandwidth(int index);
// The list index of a topology name (exact match), or -1.
int FindTopology(std::string_view name);

// The bandwidth choices (Mbps) the dialog offers for a kind, in order; empty
// for nbISDN, nbUnknownNetwork and the stations.
std::span<const double> BandwidthChoices(TNetworkButtonKind kind);

// How the dialog sets up the propagation delay field for a kind.
struct TPropDelaySetup {
  bool Enabled;        // field and label enabled
  bool SetsValue;      // false: the field keeps the value it has
  std::int32_t Value;  // ms; meaningful when SetsValue
};
TPropDelaySetup PropDelaySetup(TNetworkButtonKind kind);

// Raised when a delay does not fit a 32-bit float (a bandwidth just above 0
// with a large packet); the message is "Floating point overflow".
class EFloatingPointOverflow : public std::runtime_error {
 public:
  EFloatingPointOverflow() : std::runtime_error("Floating point overflow") {}
};
// Raised for a delay that is no number at all (a damaged stored bandwidth);
// the message is "Invalid floating point operation".
class EInvalidFloatingPointOperation : public std::runtime_error {
 public:
  EInvalidFloatingPointOperation() : std::runtime_error("Invalid floating point operation") {}
};

// The medium a network's signal travels in; it turns a distance into a
// propagation delay. The ordinal is stored: never reorder.
enum TMedium : std::uint8_t { mdNone, mdFibre, mdCopper, mdFreeSpace };
inline constexpr int MediumCount = 4;
constexpr bool IsValidMedium(int ordinal) { return ordinal >= 0 && ordinal < MediumCount; }
// Signal speed in km/s: light in vacuum (c = 299792.458 km/s) for radio and
// free space, c / 1.468 (the group index of standard single-mode fibre at
// 1550 nm) for fibre, 0.66 c (the velocity factor of twisted pair and coax)
// for copper; 0 for mdNone.
double SignalSpeed(TMedium medium);
// The names the properties dialog lists, by ordinal.
std::string_view MediumName(TMedium medium);
// The medium a kind's signal travels in, for a new distance.
TMedium DefaultMedium(TNetworkButtonKind kind);
// The whole-millisecond propagation delay of distanceKm in the medium,
// rounded to the nearest millisecond; 0 without a medium or distance, and
// at most the largest 32-bit delay.
std::int32_t PropDelayForDistance(double distanceKm, TMedium medium);

// The values of one element. Networks use FBandwidth and FPropDelay,
// stations FPacketSize and FProcessTime (the client's packet is the request,
// the server's the reply).
struct TNetworkElement {
  TNetworkButtonKind FNetworkButtonKind = nbUnknownNetwork;
  std::string NetworkName = std::string(UnknownTopologyName);
  double FBandwidth = 0;           // Mbps
  std::int32_t FPacketSize = 512;  // bytes
  std::int32_t FProcessTime = 0;   // ms
  std::int32_t FPropDelay = 0;     // ms
  // A network's length and medium as the user gave them to fill FPropDelay;
  // 0 and mdNone when not given. PropagationSeconds says which of the two
  // gives the delay.
  double FDistance = 0;  // km
  TMedium FMedium = mdNone;
};

// True when the network's propagation delay comes from its distance: it has
// a distance and a medium, its kind's delay field is enabled, and FPropDelay
// still holds the whole milliseconds that distance fills (a delay the user
// typed over it wins).
bool PropDelayFromDistance(const TNetworkElement& element);
// The one-way propagation delay in seconds that every figure uses: the exact
// distance / signal speed when PropDelayFromDistance, else FPropDelay / 1000
// (the same value as ever, to the last bit); 0 for stations.
long double PropagationSeconds(const TNetworkElement& element);

// An extended-precision value rounded to a 32-bit float as the delay fields
// store it; throws EFloatingPointOverflow beyond the float range and
// EInvalidFloatingPointOperation for NaN.
float RoundToSingle(long double value);

// True for the kinds that send Ethernet frames, with their 160 bit times of
// preamble and inter-frame gap per packet.
constexpr bool HasEthernetOverhead(TNetworkButtonKind kind) {
  return kind == nbEthernet || kind == nbFastEthernet;
}

// Delay in seconds of one packet of packetSize bytes through the element.
// Station: its processing time. Network: propagation delay
// (PropagationSeconds) plus the time to
// clock the packet out (plus 160 bit times for Ethernet of any speed). Each term is worked
// out in extended precision and rounded to a 32-bit float as it is stored, so
// results match to the last bit. Throws EFloatingPointOverflow or
// EInvalidFloatingPointOperation.
float GetDelay(const TNetworkElement& element, std::int32_t packetSize);

// A number in general format with at most `precision` significant digits:
// trailing zeros and a trailing separator dropped; fixed notation when the
// value is at least 0.00001 and has no more than `precision` integer digits,
// else scientific as mantissa, "E", exponent without plus or leading zeros
// (1234567 at 6 digits reads 1.23457E6). NaN and infinities read "NAN",
// "INF", "-INF".
std::string FormatGeneral(double value, int precision, char decimalSeparator = '.');
// The 6-significant-digit form of bandwidths in hints and in the dialog.
inline std::string FormatBandwidth(double value, char decimalSeparator = '.') {
  return FormatGeneral(value, 6, decimalSeparator);
}
// The plain float-to-text form of the dialog's bandwidth choices (15 digits:
// 0.056 reads "0.056", 1000 reads "1000").
inline std::string FormatFloat(double value, char decimalSeparator = '.') {
  return FormatGeneral(value, 15, decimalSeparator);
}

// The element's hint: "Client (64 B pkt., 5 ms proc. time)" for a station,
// "Satellite (0.512 Mbps, 270 ms prop. delay)" for a network; the parts in
// brackets after the first appear only when not 0. A delay from a distance
// reads in 6 significant digits ("Fibre (10000 Mbps, 4.89672 ms prop. delay)").
std::string NetworkHint(const TNetworkElement& element, char decimalSeparator = '.');

}  // namespace Parlamine
