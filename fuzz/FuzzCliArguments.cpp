// SPDX-License-Identifier: MIT
// parlamine-cli's command line: any arguments are read into a command or
// refused with one line and exit code 2; a command read runs to an exit code
// of 0, 1 or 2 and reports bad input as one line naming the argument, never
// through another failure.
//
// The input is the arguments, one a line; a line "<<<" ends them and the
// rest is the standard input. Tables are not written (a valid table can
// hold millions of rows), `oui` searches the small listings of the tests and
// `summarize` reads the standard input instead of named files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "BaseCommand.h"
#include "BufferedWriter.h"
#include "CliArguments.h"
#include "CommandIO.h"
#include "ExcludeCommand.h"
#include "FuzzCheck.h"
#include "IpCommand.h"
#include "LatencyCommand.h"
#include "OuiCommand.h"
#include "PlanCommand.h"
#include "PrefixCommand.h"
#include "RandomCommand.h"
#include "SummarizeCommand.h"

using namespace Parlamine;

namespace {

constexpr std::string_view InputMark = "<<<";

struct TFuzzInput {
  std::vector<std::string> Arguments;
  std::string StandardInput;
};

TFuzzInput SplitInput(std::string_view text) {
  TFuzzInput input;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line == InputMark) {
      input.StandardInput = std::string(text);
      break;
    }
    input.Arguments.emplace_back(line);
  }
  return input;
}

void CheckOneLine(const std::string& error) { FUZZ_CHECK(error.find('\n') == std::string::npos); }

// Every line of the error output is the program's own: "parlamine-cli: ...".
void CheckErrorLines(const std::string& errors) {
  std::string_view rest = errors;
  while (!rest.empty()) {
    FUZZ_CHECK(rest.substr(0, 15) == "parlamine-cli: ");
    const size_t end = rest.find('\n');
    FUZZ_CHECK(end != std::string_view::npos);
    rest.remove_prefix(end + 1);
  }
}

struct TRunner {
  TCommandIO& IO;
  int operator()(TIpOptions o) const {
    o.Table = false;
    return RunIpCommand(o, IO);
  }
  int operator()(const TBaseOptions& o) const { return RunBaseCommand(o, IO); }
  int operator()(TOuiOptions o) const {
    o.RegistryFolder = PARLAMINE_FUZZ_REGISTRY_DIR;
    return RunOuiCommand(o, IO, {});
  }
  int operator()(const TLatencyOptions& o) const { return RunLatencyCommand(o, IO); }
  int operator()(TPrefixOptions o) const {
    o.Table = false;
    return RunPrefixCommand(o, IO);
  }
  int operator()(TSummarizeOptions o) const {
    o.Files.clear();
    return RunSummarizeCommand(o, IO);
  }
  int operator()(const TExcludeOptions& o) const { return RunExcludeCommand(o, IO); }
  int operator()(const TRandomOptions& o) const { return RunRandomCommand(o, IO); }
  int operator()(TPlanOptions o) const {
    o.Files.clear();
    return RunPlanCommand(o, IO);
  }
};

void RunCommand(const TCommandOptions& command, const std::string& standardInput) {
  std::string out, err;
  TBufferedWriter outWriter(StringSink(out));
  TBufferedWriter errWriter(StringSink(err));
  std::istringstream in(standardInput);
  TCommandIO io{outWriter, errWriter, &in};
  int code = ExitBadInput;
  try {
    code = std::visit(TRunner{io}, command);
  } catch (const EUsageError& error) {
    // What the program prints: "parlamine-cli: ARG: what", one line.
    CheckOneLine(error.what());
    FUZZ_CHECK(!error.Argument().empty());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "A command failed with something else than a usage error: %s\n", error.what());
    FUZZ_CHECK(false);
  }
  outWriter.Flush();
  errWriter.Flush();
  FUZZ_CHECK(code == ExitAnswered || code == ExitNoMatch || code == ExitBadInput);
  CheckErrorLines(err);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzInput input = SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  const TParsedCommandLine parsed = ParseCommandLine(input.Arguments);
  CheckOneLine(parsed.Error);
  if (parsed.Command) {
    FUZZ_CHECK(parsed.Error.empty() && parsed.ExitCode == ExitAnswered);
    RunCommand(*parsed.Command, input.StandardInput);
  } else {
    FUZZ_CHECK(parsed.ExitCode == ExitAnswered || parsed.ExitCode == ExitBadInput);
    FUZZ_CHECK(parsed.Error.empty() == (parsed.ExitCode == ExitAnswered));
  }
  return 0;
}
