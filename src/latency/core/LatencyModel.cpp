// SPDX-License-Identifier: MIT
#include "LatencyModel.h"

#include <utility>

#include "DecimalText.h"

namespace Parlamine {

namespace {

// Each addition to a total is rounded to 32 bits, as the totals are stored.
void AddToTotal(float& total, float delay) { total = RoundToSingle(static_cast<long double>(total) + delay); }

// A request and its reply both cross every link, so an element's round trip
// is its request delay plus its reply delay: propagation, transmission and
// any per-frame overhead count once for each packet.
void ComputeNetwork(const TNetworkElement& network, std::int32_t request, std::int32_t reply,
                    TLatencyResult& result, TElementLatency& row) {
  row.Delay[ldA] = GetDelay(network, request);
  AddToTotal(result.TotalDelay[ldA], row.Delay[ldA]);
  row.Delay[ldB] = GetDelay(network, reply);
  AddToTotal(result.TotalDelay[ldB], row.Delay[ldB]);
  row.Delay[ldAB] = RoundToSingle(static_cast<long double>(row.Delay[ldB]) + row.Delay[ldA]);
  AddToTotal(result.TotalDelay[ldAB], row.Delay[ldAB]);
}

float ShareOf(float delay, float total) {
  return total != 0 ? RoundToSingle(static_cast<long double>(delay) / total) : 0.0f;
}

// The figures keep at most 7 significant digits and a fixed number of
// decimals, rounded once at whichever of the two comes first. Rounding to 7
// digits and then again to the decimals would carry twice: 12.3499997 would
// become 12.35 and then 12.4.
constexpr int FigureDigits = 7;
// Enough digits to stand for the exact binary value when rounding.
constexpr int AllDigits = 17;

// Numbers of 10^7 and more have no room for 7 decimals in 7 digits.
std::string FixedOrScientific(double value, int decimals, char decimalSeparator) {
  if (auto special = SpecialFloatText(value)) return *special;
  if (value == 0) return FixedText({false, "0", 0}, decimals, decimalSeparator);
  const TDecimalDigits figure = ToDecimalDigits(value, FigureDigits);
  if (figure.Exponent >= FigureDigits) return ScientificText(figure, decimalSeparator);
  // The last decimal lies within the 7 digits: that rounding was the only one.
  if (figure.Exponent + decimals + 1 >= FigureDigits) return FixedText(figure, decimals, decimalSeparator);
  return FixedText(ToDecimalDigits(value, AllDigits), decimals, decimalSeparator);
}

}  // namespace

TLatencyResult ComputeLatency(const std::vector<TNetworkElement>& chain) {
  if (chain.size() < 2) throw std::invalid_argument("A latency chain needs a client and a server");
  const TNetworkElement& client = chain.front();
  const TNetworkElement& server = chain.back();
  const std::int32_t request = client.FPacketSize;
  const std::int32_t reply = server.FPacketSize;
  std::int32_t both = 0;
  if (__builtin_add_overflow(request, reply, &both)) throw EIntOverflow();

  TLatencyResult result;
  result.Elements.resize(chain.size());
  for (std::size_t i = 1; i + 1 < chain.size(); ++i)
    ComputeNetwork(chain[i], request, reply, result, result.Elements[i]);

  // The client's processing is not on the reply's path, the server's not on
  // the request's.
  TElementLatency& clientRow = result.Elements.front();
  clientRow.Delay[ldA] = GetDelay(client, request);
  AddToTotal(result.TotalDelay[ldA], clientRow.Delay[ldA]);
  clientRow.Delay[ldAB] = GetDelay(client, both);
  AddToTotal(result.TotalDelay[ldAB], clientRow.Delay[ldAB]);

  TElementLatency& serverRow = result.Elements.back();
  serverRow.Delay[ldAB] = GetDelay(server, both);
  AddToTotal(result.TotalDelay[ldAB], serverRow.Delay[ldAB]);
  serverRow.Delay[ldB] = GetDelay(server, reply);
  AddToTotal(result.TotalDelay[ldB], serverRow.Delay[ldB]);

  for (TElementLatency& row : result.Elements)
    for (int d = 0; d < LatencyDirectionCount; ++d)
      row.Share[d] = ShareOf(row.Delay[d], result.TotalDelay[d]);
  return result;
}

bool TLatencyModel::ComputeLatency(const std::vector<TNetworkElement>& chain) {
  if (!FLatencyDirty) return false;
  try {
    FResult = Parlamine::ComputeLatency(chain);
  } catch (...) {
    FResult.TotalDelay = {};
    throw;
  }
  FLatencyDirty = false;
  return true;
}

void TLatencyModel::SwapElementResults(std::size_t first, std::size_t second) {
  std::vector<TElementLatency>& elements = FResult.Elements;
  if (first < elements.size() && second < elements.size()) std::swap(elements[first], elements[second]);
}

std::string FormatDelay(double seconds, char decimalSeparator) {
  return FixedOrScientific(seconds, 7, decimalSeparator);
}

std::string FormatPercent(double share, char decimalSeparator) {
  // A 32-bit share times 100 is exact in a double.
  return FixedOrScientific(share * 100.0, 1, decimalSeparator) + "%";
}

}  // namespace Parlamine
