// SPDX-License-Identifier: MIT
#include "CliTestSupport.h"

#include <sstream>

#include "CliRun.h"

namespace Parlamine {

TCliResult RunCli(const std::vector<std::string>& arguments, const std::string& input) {
  TCliResult result;
  std::istringstream in(input);
  {
    // A small buffer, so that the tests go through many flushes.
    TBufferedWriter out(StringSink(result.Out), 300);
    TBufferedWriter err(StringSink(result.Err), 300);
    TCommandIO io{out, err, &in};
    TRunEnvironment environment{{std::string(PARLAMINE_CLI_TEST_DATA) + "/shipped/OUI.txt"}};
    result.ExitCode = RunCommandLine(arguments, io, environment);
  }
  return result;
}

std::string TestRegistryFolder() { return PARLAMINE_CLI_TEST_DATA; }

}  // namespace Parlamine
