// SPDX-License-Identifier: MIT
// parlamine-cli as a program reading a pipe that stays open: each line is
// answered as it comes, not when the input ends (`tail -f log | ...`).
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

namespace {

// What the program wrote to `fd` within `seconds`, until `expected` is in it.
std::string ReadUntil(int fd, const std::string& expected, int seconds) {
  std::string text;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (text.find(expected) == std::string::npos && std::chrono::steady_clock::now() < end) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 100) <= 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

TEST(CliProgram, OuiAnswersEachLineOfAPipeAsItComes) {
  for (const bool json : {false, true}) {
    const char* format = json ? "json" : "text";
    int input[2];
    int output[2];
    ASSERT_EQ(::pipe(input), 0);
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::dup2(input[0], STDIN_FILENO);
      ::dup2(output[1], STDOUT_FILENO);
      ::close(input[1]);
      ::close(output[0]);
      const char* arguments[] = {PARLAMINE_CLI_PROGRAM,     "oui",  "--registry", PARLAMINE_CLI_TEST_DATA,
                                 json ? "--json" : nullptr, nullptr};
      ::execv(PARLAMINE_CLI_PROGRAM, const_cast<char* const*>(arguments));
      ::_exit(127);
    }
    ::close(input[0]);
    ::close(output[1]);
    for (const char* line : {"08002B\n", "0000AA\n"}) {
      ASSERT_EQ(::write(input[1], line, 7), 7);
      const std::string organization = line[4] == '2' ? "DIGITAL EQUIPMENT CORPORATION" : "XEROX CORPORATION";
      EXPECT_NE(ReadUntil(output[0], organization, 10).find(organization), std::string::npos)
          << format << ": no answer to " << line << " while the input is open";
    }
    ::close(input[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << format;
    ::close(output[0]);
  }
}

// The exit status of the program run by the shell with `redirect` after it,
// and what it wrote to standard error.
struct TShellRun {
  int Status = -1;
  std::string Err;
};

TShellRun RunShell(const std::string& arguments) {
  const std::string command = std::string(PARLAMINE_CLI_PROGRAM) + " " + arguments + " 2>&1 >/dev/full";
  TShellRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Err.append(buffer, n);
  const int status = ::pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(CliProgram, AFullDiskIsAnErrorNotAnAnswer) {
  const TShellRun table = RunShell("prefix 0.0.0.0/0 --split 22 --table");
  EXPECT_EQ(table.Status, 3);
  EXPECT_EQ(table.Err, "parlamine-cli: standard output: No space left on device\n");
  EXPECT_EQ(RunShell("base 1").Status, 3);  // one short line, written only at the end
}

TEST(CliProgram, AReaderThatStopsEarlyEndsItQuietly) {
  // With SIGPIPE ignored, as some services start programs, the write fails
  // with EPIPE instead of ending the program: still no message, exit 0.
  int output[2];
  int errors[2];
  ASSERT_EQ(::pipe(output), 0);
  ASSERT_EQ(::pipe(errors), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGPIPE, SIG_IGN);
    ::dup2(output[1], STDOUT_FILENO);
    ::dup2(errors[1], STDERR_FILENO);
    ::close(output[0]);
    ::close(errors[0]);
    const char* arguments[] = {
        PARLAMINE_CLI_PROGRAM, "prefix", "0.0.0.0/0", "--split", "22", "--table", nullptr};
    ::execv(PARLAMINE_CLI_PROGRAM, const_cast<char* const*>(arguments));
    ::_exit(127);
  }
  ::close(output[1]);
  ::close(errors[1]);
  EXPECT_FALSE(ReadUntil(output[0], "\n", 10).empty());  // `| head -1`
  ::close(output[0]);
  const std::string said = ReadUntil(errors[0], "\n", 10);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(errors[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(said, "");
}

}  // namespace
