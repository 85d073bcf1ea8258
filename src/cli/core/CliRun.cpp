// SPDX-License-Identifier: MIT
#include "CliRun.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <new>

#include "BaseCommand.h"
#include "CliArguments.h"
#include "ExcludeCommand.h"
#include "IpCommand.h"
#include "LatencyCommand.h"
#include "OuiCommand.h"
#include "PlanCommand.h"
#include "PrefixCommand.h"
#include "QuotedInput.h"
#include "RandomCommand.h"
#include "SummarizeCommand.h"

namespace Parlamine {

namespace {

// The most of a message that reaches the terminal; each input a message
// quotes is cut much shorter already.
constexpr size_t MaxMessageCharacters = 1024;

void WriteError(TCommandIO& io, const std::string& line) {
  io.Out.Flush();
  // Whatever a message echoes, it stays one line without control characters.
  io.Err.Write("parlamine-cli: " + EscapedInput(line, MaxMessageCharacters) + "\n");
  io.Err.Flush();
}

// The exit code once the output is out. A reader that went away (`| head`)
// is no fault of ours and ends the program quietly; any other failed write
// (a full disk, an I/O error) would lose answers silently, so it is said and
// the exit code shows it.
int FinishOutput(TCommandIO& io, int code) {
  io.Out.Flush();
  if (io.Out.Failed() && io.Out.FailureCode() != EPIPE) {
    const int failure = io.Out.FailureCode();
    io.Err.Write(std::string("parlamine-cli: standard output: ") +
                 (failure != 0 ? std::strerror(failure) : "cannot be written") + "\n");
    code = ExitOutputFailed;
  }
  io.Err.Flush();
  return code;
}

struct TDispatch {
  TCommandIO& IO;
  const TRunEnvironment& Environment;
  int operator()(const TIpOptions& o) const { return RunIpCommand(o, IO); }
  int operator()(const TBaseOptions& o) const { return RunBaseCommand(o, IO); }
  int operator()(const TOuiOptions& o) const { return RunOuiCommand(o, IO, Environment.ShippedOUILists); }
  int operator()(const TLatencyOptions& o) const { return RunLatencyCommand(o, IO); }
  int operator()(const TPrefixOptions& o) const { return RunPrefixCommand(o, IO); }
  int operator()(const TSummarizeOptions& o) const { return RunSummarizeCommand(o, IO); }
  int operator()(const TExcludeOptions& o) const { return RunExcludeCommand(o, IO); }
  int operator()(const TRandomOptions& o) const { return RunRandomCommand(o, IO); }
  int operator()(const TPlanOptions& o) const { return RunPlanCommand(o, IO); }
};

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, TCommandIO& io,
                   const TRunEnvironment& environment) {
  const TParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.Command) {
    io.Out.Write(parsed.Output);
    if (!parsed.Error.empty()) WriteError(io, parsed.Error);
    return FinishOutput(io, parsed.ExitCode);
  }
  int code = ExitBadInput;
  try {
    code = std::visit(TDispatch{io, environment}, *parsed.Command);
  } catch (const EUsageError& error) {
    WriteError(io, error.what());
  } catch (const std::bad_alloc&) {
    WriteError(io, "out of memory");
  } catch (const std::exception& error) {
    WriteError(io, error.what());
  }
  return FinishOutput(io, code);
}

std::vector<std::string> ShippedOUIListPaths(const std::string& programPath) {
  const size_t slash = programPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : programPath.substr(0, slash);
  return {folder + "/OUI.txt", folder + "/../share/parlamine/OUI.txt"};
}

}  // namespace Parlamine
