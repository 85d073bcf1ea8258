// SPDX-License-Identifier: MIT
// parlamine-cli as a program reading a pipe that stays open: each line is
// answered as it comes, not when the input ends (`tail -f log | ...`).
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
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

}  // namespace
