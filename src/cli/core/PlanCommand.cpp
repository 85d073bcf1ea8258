// SPDX-License-Identifier: MIT
#include "PlanCommand.h"

#include "JsonNumbers.h"
#include "LineReader.h"
#include "PrefixPlan.h"

namespace Parlamine {

namespace {

// The files' lines, or standard input's, as one list: a folder or an
// unreadable file is refused as summarize refuses it, a byte-order mark is
// dropped.
std::string ReadRequirements(const TPlanOptions& o, TCommandIO& io) {
  if (o.Files.empty()) return io.In ? ReadStreamLines(*io.In) : std::string();
  std::string text;
  for (const std::string& path : o.Files) text += ReadFileLines(path);
  return text;
}

// Scripts read counts as plain digits.
std::string WithoutSeparators(std::string text) {
  std::erase(text, ',');
  return text;
}

TJson AllocationJson(const TPlan& plan, size_t row) {
  const std::vector<std::string> cells = PlanRowCells(plan, row);
  const TPlanAllocation& a = plan.Allocations[row];
  const bool ipv4 = a.Prefix.Network.Family == TAddressFamily::afIPv4;
  TJson item;
  item["name"] = cells[0];
  item["line"] = plan.Requirements[a.Requirement].LineNumber;
  item["size"] = cells[1];
  item["prefix"] = cells[2];
  item["length"] = a.Prefix.Length;
  if (ipv4) {
    item["firstHost"] = cells[3];
    item["lastHost"] = cells[4];
    item["broadcast"] = cells[5];
    item["usableHosts"] = CountJson(cells[6]);
  } else {
    item["firstAddress"] = cells[3];
    item["lastAddress"] = cells[4];
    item["addresses"] = CountJson(cells[5]);
  }
  item["unused"] = CountJson(cells.back());
  return item;
}

void WriteJson(const TPlan& plan, const TPlanOptions& o, TBufferedWriter& out) {
  TJson doc;
  doc["parent"] = PrefixText(plan.Parent);
  doc["family"] = plan.Parent.Network.Family == TAddressFamily::afIPv4 ? "IPv4" : "IPv6";
  doc["order"] = o.Order;
  doc["pointToPoint"] = o.PointToPoint;
  doc["allocations"] = TJson::array();
  for (size_t row = 0; row < plan.Allocations.size(); ++row)
    doc["allocations"].push_back(AllocationJson(plan, row));
  doc["free"] = TJson::array();
  for (const TPrefix& prefix : plan.FreePrefixes) doc["free"].push_back(PrefixText(prefix));
  const int parentBits = AddressBits(plan.Parent.Network.Family) - plan.Parent.Length;
  doc["totals"] = {{"addresses", CountJson(PowerOfTwoText(parentBits))},
                   {"used", CountJson(WithoutSeparators(plan.UsedText()))},
                   {"free", CountJson(WithoutSeparators(plan.FreeText()))},
                   {"usedPercent", std::stod(plan.UsedPercentText())}};
  doc["failures"] = TJson::array();
  for (const TPlanFailure& failure : plan.Failures) {
    const TPlanRequirement& r = plan.Requirements[failure.Requirement];
    doc["failures"].push_back(
        {{"name", r.Name}, {"line", r.LineNumber}, {"size", r.SizeText()}, {"reason", failure.Reason}});
  }
  if (plan.FittingParent) doc["fittingParent"] = PrefixText(*plan.FittingParent);
  doc["errors"] = TJson::array();
  for (const TSummaryLineError& error : plan.Errors)
    doc["errors"].push_back({{"line", error.LineNumber}, {"message", error.Message}});
  WriteJsonDocument(out, doc);
}

void WriteTableLine(const std::vector<std::string>& cells, TBufferedWriter& out) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out.Write('\t');
    out.Write(cells[i]);
  }
  out.Write('\n');
}

// The allocations with their captions, then "key<TAB>value" lines.
void WriteText(const TPlan& plan, TBufferedWriter& out) {
  const TAddressFamily family = plan.Parent.Network.Family;
  std::vector<std::string> captions;
  for (int column = 0; column < PlanColumnCount(family); ++column)
    captions.emplace_back(PlanColumnCaption(family, column));
  WriteTableLine(captions, out);
  for (size_t row = 0; row < plan.Allocations.size(); ++row) WriteTableLine(PlanRowCells(plan, row), out);
  out.Write('\n');
  for (const TPrefix& prefix : plan.FreePrefixes) WriteTableLine({"Free Space", PrefixText(prefix)}, out);
  WriteTableLine({"Addresses Used", WithoutSeparators(plan.UsedText()), plan.UsedPercentText() + "%"}, out);
  WriteTableLine({"Addresses Free", WithoutSeparators(plan.FreeText())}, out);
  for (const TPlanFailure& failure : plan.Failures)
    WriteTableLine({"Does Not Fit", plan.Requirements[failure.Requirement].Name, failure.Reason}, out);
  if (plan.FittingParent) WriteTableLine({"All Would Fit In", PrefixText(*plan.FittingParent)}, out);
}

}  // namespace

int RunPlanCommand(const TPlanOptions& o, TCommandIO& io) {
  const TPrefixParse parsed = ParsePrefix(o.Parent);
  if (!parsed.Ok) throw EUsageError("PARENT", parsed.Error);
  const TPlanRequest request{o.Order == "input", o.PointToPoint};
  const TPlan plan = PlanText(parsed.Prefix(), ReadRequirements(o, io), request);
  for (const TSummaryLineError& error : plan.Errors)
    io.Err.Write("parlamine-cli: plan: " + SummaryErrorText(error) + "\n");
  if (o.Json)
    WriteJson(plan, o, io.Out);
  else
    WriteText(plan, io.Out);
  if (!plan.Errors.empty()) return ExitBadInput;
  return plan.Failures.empty() ? ExitAnswered : ExitNoMatch;
}

}  // namespace Parlamine
