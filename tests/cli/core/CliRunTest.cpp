// SPDX-License-Identifier: MIT
// Output that cannot be written: a full disk is reported, a reader that went
// away is not.
#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "CliRun.h"

namespace Parlamine {
namespace {

struct TRun {
  int ExitCode = -1;
  std::string Err;
};

// Runs the command with an output whose every write fails with `failure`.
TRun RunWithFailingOutput(const std::vector<std::string>& arguments, int failure) {
  TRun run;
  std::istringstream in("10.0.0.0/24\n10.0.1.0/24\n");
  TBufferedWriter out(
      [failure](const char*, size_t) {
        errno = failure;
        return false;
      },
      256);
  TBufferedWriter err(StringSink(run.Err), 256);
  TCommandIO io{out, err, &in};
  run.ExitCode = RunCommandLine(arguments, io, TRunEnvironment{});
  err.Flush();
  return run;
}

TEST(CliRun, EveryCommandSaysWhenItsAnswerCannotBeWritten) {
  const std::vector<std::vector<std::string>> commands = {
      {"prefix", "0.0.0.0/0", "--split", "22", "--table"},
      {"prefix", "2001:db8::/32", "--json"},
      {"summarize"},
      {"ip", "10.1.2.3", "--subnet-bits", "4"},
      {"base", "255"},
      {"latency", "--client", "512", "--network", "Ethernet", "--server", "512"},
      {"--version"},
  };
  for (const auto& arguments : commands) {
    const TRun full = RunWithFailingOutput(arguments, ENOSPC);
    EXPECT_EQ(full.ExitCode, 3) << arguments.front();
    EXPECT_EQ(full.Err, "parlamine-cli: standard output: No space left on device\n") << arguments.front();
    const TRun closed = RunWithFailingOutput(arguments, EPIPE);
    EXPECT_EQ(closed.ExitCode, 0) << arguments.front();
    EXPECT_EQ(closed.Err, "") << arguments.front();
  }
}

}  // namespace
}  // namespace Parlamine
