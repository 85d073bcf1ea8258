// SPDX-License-Identifier: MIT
#include "NetworkElement.h"

#include <array>
#include <cfloat>
#include <cmath>

#include "DecimalText.h"

namespace Parlamine {

namespace {

constexpr std::array<std::string_view, NetworkButtonKindCount> PictureNames = {
    "OTHER",          "ATM", "ATM",        "DQDB",      "ETHERNET", "FDDI",     "OTHER",
    "HIPPI",          "ATM", "OTHER",      "SATELLITE", "DQDB",     "TCARRIER", "TOKENRING",
    "UNKNOWNNETWORK", "X25", "DESKTOPCPU", "TOWERCPU"};

constexpr std::array<TTopology, 15> TopologyTable = {{
    {"56-Switched", nb56Switched, 0.056},
    {"ATM", nbATM, 155.52},
    {"B-ISDN", nbBISDN, 155.52},
    {"DQDB", nbDQDB, 44.736},
    {"Ethernet", nbEthernet, 10},
    {"FDDI", nbFDDI, 100},
    {"Frame Relay", nbFrameRelay, 1.544},
    {"HIPPI", nbHIPPI, 800},
    {"Satellite", nbSatellite, 0.512},
    {"SMDS", nbSMDS, 44.736},
    {"T1", nbTCarrier, 1.544},
    {"T3", nbTCarrier, 44.736},
    {"Token Ring", nbTokenRing, 16},
    {"X.25", nbX25, 0.064},
    {" ", nbOther, std::nullopt},
}};

// The leased-line rates offered for carrier services.
constexpr double ListL[] = {0.064, 0.128, 0.256, 0.512, 1.024, 1.544, 6.312, 44.736, 274.176};
// Every rate the program knows, offered for a network of another kind.
constexpr double ListF[] = {0.056, 0.064, 0.128,  0.256, 0.512,  1.024,   1.544,  4,   6.312, 10,
                            16,    25,    44.736, 100,   155.52, 274.176, 622.08, 800, 1000,  1600};
constexpr double Switched56[] = {0.056};
constexpr double AtmRates[] = {25, 155.52, 622.08};
constexpr double Ds3Rate[] = {44.736};
constexpr double EthernetRates[] = {10, 100, 1000};
constexpr double FddiRate[] = {100};
constexpr double HippiRates[] = {800, 1600};
constexpr double TokenRingRates[] = {4, 16};

// Bytes per second in one megabit per second, and bits per second.
constexpr long double BytesPerMbps = 125000;
constexpr long double BitsPerMbps = 1000000;
// The per-packet overhead of Ethernet (preamble and gap) in bit times.
constexpr long double EthernetOverheadBits = 160;

}  // namespace

float RoundToSingle(long double value) {
  if (std::isnan(value)) throw EInvalidFloatingPointOperation();
  // At or beyond FLT_MAX plus half its last unit the value rounds to infinity.
  static const long double overflowAt = static_cast<long double>(FLT_MAX) + std::ldexp(1.0L, 103);
  if (std::fabs(value) >= overflowAt) throw EFloatingPointOverflow();
  return static_cast<float>(value);
}

std::string_view KindPictureName(TNetworkButtonKind kind) {
  return IsValidNetworkButtonKind(kind) ? PictureNames[kind] : PictureNames[nbUnknownNetwork];
}

std::span<const TTopology> Topologies() { return TopologyTable; }

TNetworkButtonKind TopologyKind(int index) {
  // The blank entry and everything the user added behave as "other".
  if (index < 0 || index >= static_cast<int>(TopologyTable.size())) return nbOther;
  return TopologyTable[static_cast<std::size_t>(index)].Kind;
}

std::optional<double> TopologyDefaultBandwidth(int index) {
  if (index < 0 || index >= static_cast<int>(TopologyTable.size())) return std::nullopt;
  return TopologyTable[static_cast<std::size_t>(index)].DefaultBandwidth;
}

int FindTopology(std::string_view name) {
  for (std::size_t i = 0; i < TopologyTable.size(); ++i)
    if (TopologyTable[i].Name == name) return static_cast<int>(i);
  return -1;
}

std::span<const double> BandwidthChoices(TNetworkButtonKind kind) {
  switch (kind) {
    case nb56Switched:
      return Switched56;
    case nbATM:
    case nbBISDN:
      return AtmRates;
    case nbDQDB:
    case nbSMDS:
      return Ds3Rate;
    case nbEthernet:
      return EthernetRates;
    case nbFDDI:
      return FddiRate;
    case nbHIPPI:
      return HippiRates;
    case nbTokenRing:
      return TokenRingRates;
    case nbFrameRelay:
    case nbSatellite:
    case nbTCarrier:
    case nbX25:
      return ListL;
    case nbOther:
      return ListF;
    case nbISDN:
    case nbUnknownNetwork:
    case nbDesktopCPU:
    case nbTowerCPU:
      return {};
  }
  return {};
}

TPropDelaySetup PropDelaySetup(TNetworkButtonKind kind) {
  switch (kind) {
    case nb56Switched:
      return {true, true, 10};
    case nbATM:
      return {true, true, 1};
    case nbDQDB:
      return {true, true, 1};
    case nbFrameRelay:
      return {true, true, 20};
    case nbOther:
      return {true, true, 10};
    case nbSatellite:
      return {true, true, 270};
    case nbSMDS:
      return {true, true, 1};
    case nbTCarrier:
      return {true, true, 5};
    case nbX25:
      return {true, true, 10};
    // Shared media whose distances are too short to matter.
    case nbEthernet:
    case nbFDDI:
    case nbHIPPI:
    case nbTokenRing:
      return {false, true, 0};
    // Nothing known about the distance: the user's value stays.
    case nbBISDN:
    case nbISDN:
    case nbUnknownNetwork:
      return {true, false, 0};
    // Stations have no propagation delay; their network fields are hidden.
    case nbDesktopCPU:
    case nbTowerCPU:
      return {false, true, 0};
  }
  return {true, false, 0};
}

float GetDelay(const TNetworkElement& element, std::int32_t packetSize) {
  if (IsStation(element.FNetworkButtonKind))
    return RoundToSingle(static_cast<long double>(element.FProcessTime) / 1000);
  const long double bandwidth = element.FBandwidth;
  float transmit = 0;
  if (bandwidth != 0) transmit = RoundToSingle(packetSize / (bandwidth * BytesPerMbps));
  if (element.FNetworkButtonKind == nbEthernet) {
    const long double overhead = bandwidth != 0 ? EthernetOverheadBits / (bandwidth * BitsPerMbps) : 0;
    transmit = RoundToSingle(overhead + transmit);
  }
  return RoundToSingle(static_cast<long double>(element.FPropDelay) / 1000 + transmit);
}

std::string FormatGeneral(double value, int precision, char decimalSeparator) {
  if (auto special = SpecialFloatText(value)) return *special;
  if (value == 0) return "0";
  const TDecimalDigits decimal = ToDecimalDigits(value, precision);
  if (decimal.Exponent >= -5 && decimal.Exponent < precision)
    return PlainDecimalText(decimal, decimalSeparator);
  return ScientificText(decimal, decimalSeparator);
}

std::string NetworkHint(const TNetworkElement& element, char decimalSeparator) {
  std::string hint = element.NetworkName + " (";
  if (IsStation(element.FNetworkButtonKind)) {
    hint += std::to_string(element.FPacketSize) + " B pkt.";
    if (element.FProcessTime != 0) hint += ", " + std::to_string(element.FProcessTime) + " ms proc. time";
  } else {
    hint += FormatBandwidth(element.FBandwidth, decimalSeparator) + " Mbps";
    if (element.FPropDelay != 0) hint += ", " + std::to_string(element.FPropDelay) + " ms prop. delay";
  }
  return hint + ")";
}

}  // namespace Parlamine
