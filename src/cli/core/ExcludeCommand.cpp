// SPDX-License-Identifier: MIT
#include "ExcludeCommand.h"

#include <sstream>

#include "JsonNumbers.h"
#include "PrefixSets.h"
#include "PrefixSummarize.h"

namespace Parlamine {

namespace {

std::vector<TPrefix> PrefixesOfArgument(const std::string& argument, const std::string& text) {
  const TRangeParse parsed = ParseRangeLine(text);
  if (!parsed.Ok) throw EUsageError(argument, parsed.Error);
  return RangeToPrefixes(parsed.Range);
}

}  // namespace

int RunExcludeCommand(const TExcludeOptions& o, TCommandIO& io) {
  const std::vector<TPrefix> from = PrefixesOfArgument("FROM", o.From);
  std::vector<TPrefix> excluded;
  std::vector<TSummaryLineError> errors;
  if (o.Excluded.empty()) {
    std::string text;
    if (io.In) {
      std::ostringstream all;
      all << io.In->rdbuf();
      text = all.str();
    }
    TSummary listed = SummarizeText(text);
    excluded = std::move(listed.Prefixes);
    errors = std::move(listed.Errors);
  } else {
    for (const std::string& text : o.Excluded) {
      const std::vector<TPrefix> prefixes = PrefixesOfArgument("EXCLUDED", text);
      excluded.insert(excluded.end(), prefixes.begin(), prefixes.end());
    }
  }
  for (const TSummaryLineError& error : errors)
    io.Err.Write("parlamine-cli: exclude: " + SummaryErrorText(error) + "\n");

  const std::vector<TPrefix> left = ExcludePrefixes(from, excluded);
  if (o.Json) {
    TJson doc;
    doc["prefixes"] = TJson::array();
    for (const TPrefix& prefix : left) doc["prefixes"].push_back(PrefixText(prefix));
    doc["errors"] = TJson::array();
    for (const TSummaryLineError& error : errors)
      doc["errors"].push_back({{"line", error.LineNumber}, {"message", error.Message}});
    WriteJsonDocument(io.Out, doc);
  } else {
    for (const TPrefix& prefix : left) io.Out.Write(PrefixText(prefix) + "\n");
  }
  return errors.empty() ? ExitAnswered : ExitBadInput;
}

}  // namespace Parlamine
