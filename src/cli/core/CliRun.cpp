// SPDX-License-Identifier: MIT
#include "CliRun.h"

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
#include "RandomCommand.h"

namespace Parlamine {

namespace {

void WriteError(TCommandIO& io, const std::string& line) {
  io.Out.Flush();
  io.Err.Write("parlamine-cli: " + line + "\n");
  io.Err.Flush();
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
    io.Out.Flush();
    if (!parsed.Error.empty()) WriteError(io, parsed.Error);
    return parsed.ExitCode;
  }
  int code = ExitBadInput;
  try {
    code = std::visit(TDispatch{io, environment}, *parsed.Command);
  } catch (const EUsageError& error) {
    WriteError(io, error.what());
    return ExitBadInput;
  } catch (const std::bad_alloc&) {
    WriteError(io, "out of memory");
    return ExitBadInput;
  } catch (const std::exception& error) {
    WriteError(io, error.what());
    return ExitBadInput;
  }
  io.Out.Flush();
  io.Err.Flush();
  return code;
}

std::vector<std::string> ShippedOUIListPaths(const std::string& programPath) {
  const size_t slash = programPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : programPath.substr(0, slash);
  return {folder + "/OUI.txt", folder + "/../share/parlamine/OUI.txt"};
}

}  // namespace Parlamine
