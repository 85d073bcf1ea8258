// SPDX-License-Identifier: MIT
#include "NetworkElement.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <limits>

#include "DecimalText.h"

namespace Parlamine {

namespace {

constexpr std::array<std::string_view, NetworkButtonKindCount> PictureNames = {
    "OTHER", "ATM", "ATM", "DQDB", "ETHERNET", "FDDI", "OTHER", "HIPPI", "ATM", "OTHER", "SATELLITE", "DQDB",
    "TCARRIER", "TOKENRING", "UNKNOWNNETWORK", "X25", "DESKTOPCPU", "TOWERCPU",
    // Present-day links reuse the pictures of their families.
    "ETHERNET", "FDDI", "OTHER", "OTHER", "OTHER", "TCARRIER", "FDDI", "TCARRIER", "SATELLITE"};

constexpr std::array<TTopology, 32> TopologyTable = {{
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
    // Present-day links; DECISIONS.md says where each figure comes from.
    {"10G Ethernet", nbFastEthernet, 10000},
    {"25G Ethernet", nbFastEthernet, 25000},
    {"40G Ethernet", nbFastEthernet, 40000},
    {"100G Ethernet", nbFastEthernet, 100000},
    {"400G Ethernet", nbFastEthernet, 400000},
    {"Fibre", nbFibre, 10000},
    {"Wi-Fi 4 (802.11n)", nbWiFi, 150},
    {"Wi-Fi 5 (802.11ac)", nbWiFi, 866.7},
    {"Wi-Fi 6 (802.11ax)", nbWiFi, 1201},
    {"Wi-Fi 7 (802.11be)", nbWiFi, 2882},
    {"4G LTE", nbLTE, 50},
    {"5G", nb5G, 300},
    {"DOCSIS 3.1", nbDOCSIS, 1000},
    {"GPON", nbPON, 2488.32},
    {"XGS-PON", nbPON, 9953.28},
    {"VDSL2", nbVDSL2, 100},
    {"LEO Satellite", nbLEOSatellite, 100},
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
// Present-day rates in Mbps: line rates of the standards, PHY rates for
// Wi-Fi (one to four spatial streams), typical plan speeds for the access
// links.
constexpr double FastEthernetRates[] = {1000, 2500, 5000, 10000, 25000, 40000, 50000, 100000, 200000, 400000};
constexpr double FibreRates[] = {1000, 10000, 25000, 100000, 400000};
constexpr double WiFiRates[] = {72.2,   150,  300,  433.3,  450,  600,  866.7, 1201, 1300,
                                1733.3, 2402, 2882, 3466.7, 4804, 5765, 11530, 23059};
constexpr double LteRates[] = {10, 25, 50, 100, 150, 300, 1000};
constexpr double NrRates[] = {50, 100, 300, 1000, 2000, 4000};
constexpr double DocsisRates[] = {50, 100, 300, 500, 1000, 2000, 5000, 10000};
constexpr double PonRates[] = {1244.16, 2488.32, 9953.28};
constexpr double Vdsl2Rates[] = {25, 50, 100, 250};
constexpr double LeoRates[] = {25, 50, 100, 200, 300};

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
    case nbFastEthernet:
      return FastEthernetRates;
    case nbFibre:
      return FibreRates;
    case nbWiFi:
      return WiFiRates;
    case nbLTE:
      return LteRates;
    case nb5G:
      return NrRates;
    case nbDOCSIS:
      return DocsisRates;
    case nbPON:
      return PonRates;
    case nbVDSL2:
      return Vdsl2Rates;
    case nbLEOSatellite:
      return LeoRates;
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
    // Present-day links: the fixed one-way delay typical of each, editable
    // because their distances and schedulers vary (see DECISIONS.md).
    case nbFastEthernet:
      return {true, true, 0};
    case nbFibre:
      return {true, true, 5};
    case nbWiFi:
      return {true, true, 2};
    case nbLTE:
      return {true, true, 15};
    case nb5G:
      return {true, true, 5};
    case nbDOCSIS:
      return {true, true, 5};
    case nbPON:
      return {true, true, 1};
    case nbVDSL2:
      return {true, true, 5};
    case nbLEOSatellite:
      return {true, true, 20};
  }
  return {true, false, 0};
}

double SignalSpeed(TMedium medium) {
  constexpr double c = 299792.458;  // km/s
  switch (medium) {
    case mdFibre:
      return c / 1.468;
    case mdCopper:
      return 0.66 * c;
    case mdFreeSpace:
      return c;
    case mdNone:
      break;
  }
  return 0;
}

std::string_view MediumName(TMedium medium) {
  switch (medium) {
    case mdFibre:
      return "Optical fibre";
    case mdCopper:
      return "Copper";
    case mdFreeSpace:
      return "Radio / free space";
    case mdNone:
      break;
  }
  return "None";
}

TMedium DefaultMedium(TNetworkButtonKind kind) {
  switch (kind) {
    case nbSatellite:
    case nbLEOSatellite:
    case nbWiFi:
    case nbLTE:
    case nb5G:
      return mdFreeSpace;
    case nb56Switched:
    case nbISDN:
    case nbTCarrier:
    case nbX25:
    case nbDOCSIS:
    case nbVDSL2:
    case nbEthernet:
    case nbTokenRing:
      return mdCopper;
    default:
      return mdFibre;
  }
}

std::int32_t PropDelayForDistance(double distanceKm, TMedium medium) {
  const double speed = SignalSpeed(medium);
  if (speed == 0 || !(distanceKm > 0)) return 0;
  const double ms = std::round(distanceKm / speed * 1000);
  constexpr double largest = std::numeric_limits<std::int32_t>::max();
  return ms >= largest ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(ms);
}

bool PropDelayFromDistance(const TNetworkElement& element) {
  if (IsStation(element.FNetworkButtonKind) || !PropDelaySetup(element.FNetworkButtonKind).Enabled)
    return false;
  if (!(element.FDistance > 0) || SignalSpeed(element.FMedium) == 0) return false;
  return element.FPropDelay == PropDelayForDistance(element.FDistance, element.FMedium);
}

long double PropagationSeconds(const TNetworkElement& element) {
  if (IsStation(element.FNetworkButtonKind)) return 0;
  if (PropDelayFromDistance(element))
    return static_cast<long double>(element.FDistance) / SignalSpeed(element.FMedium);
  return static_cast<long double>(element.FPropDelay) / 1000;
}

float GetDelay(const TNetworkElement& element, std::int32_t packetSize) {
  if (IsStation(element.FNetworkButtonKind))
    return RoundToSingle(static_cast<long double>(element.FProcessTime) / 1000);
  const long double bandwidth = element.FBandwidth;
  float transmit = 0;
  if (bandwidth != 0) transmit = RoundToSingle(packetSize / (bandwidth * BytesPerMbps));
  if (HasEthernetOverhead(element.FNetworkButtonKind)) {
    const long double overhead = bandwidth != 0 ? EthernetOverheadBits / (bandwidth * BitsPerMbps) : 0;
    transmit = RoundToSingle(overhead + transmit);
  }
  return RoundToSingle(PropagationSeconds(element) + transmit);
}

std::string FormatGeneral(double value, int precision, char decimalSeparator) {
  if (auto special = SpecialFloatText(value)) return *special;
  if (value == 0) return "0";
  const TDecimalDigits decimal = ToDecimalDigits(value, precision);
  if (decimal.Exponent >= -5 && decimal.Exponent < precision)
    return PlainDecimalText(decimal, decimalSeparator);
  return ScientificText(decimal, decimalSeparator);
}

namespace {

// ", 270 ms prop. delay", empty for no delay; a delay from a distance is not
// a whole number of milliseconds.
std::string PropDelayHintPart(const TNetworkElement& element, char decimalSeparator) {
  if (PropDelayFromDistance(element)) {
    const double ms = static_cast<double>(PropagationSeconds(element) * 1000);
    return ", " + FormatGeneral(ms, 6, decimalSeparator) + " ms prop. delay";
  }
  if (element.FPropDelay == 0) return {};
  return ", " + std::to_string(element.FPropDelay) + " ms prop. delay";
}

}  // namespace

std::string NetworkHint(const TNetworkElement& element, char decimalSeparator) {
  std::string hint = element.NetworkName + " (";
  if (IsStation(element.FNetworkButtonKind)) {
    hint += std::to_string(element.FPacketSize) + " B pkt.";
    if (element.FProcessTime != 0) hint += ", " + std::to_string(element.FProcessTime) + " ms proc. time";
  } else {
    hint += FormatBandwidth(element.FBandwidth, decimalSeparator) + " Mbps";
    hint += PropDelayHintPart(element, decimalSeparator);
  }
  return hint + ")";
}

}  // namespace Parlamine
