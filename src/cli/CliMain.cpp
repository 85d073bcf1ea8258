// SPDX-License-Identifier: MIT
// parlamine-cli: the calculators of Parlamine on the command line.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <iostream>

#include "CliRun.h"

int main(int argc, char** argv) {
  using namespace Parlamine;
  std::ios::sync_with_stdio(false);
  std::vector<std::string> arguments(argv + 1, argv + argc);

  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  const std::string programPath =
      length > 0 ? std::string(self, static_cast<size_t>(length)) : std::string(argv[0]);

  TBufferedWriter out(FileDescriptorSink(STDOUT_FILENO), 1 << 17);
  TBufferedWriter err(FileDescriptorSink(STDERR_FILENO), 1 << 12);
  // Lines that come from a pipe or a terminal are answered as they come.
  struct stat input {};
  const bool inputIsFile = ::fstat(STDIN_FILENO, &input) == 0 && S_ISREG(input.st_mode);
  TCommandIO io{out, err, &std::cin, !inputIsFile};
  TRunEnvironment environment{ShippedOUIListPaths(programPath)};
  int code = RunCommandLine(arguments, io, environment);
  // Some file systems report a lost write only when the file is closed.
  if (!out.Failed() && ::close(STDOUT_FILENO) != 0 && errno != EINTR && errno != EBADF) {
    err.Write(std::string("parlamine-cli: standard output: ") + std::strerror(errno) + "\n");
    code = ExitOutputFailed;
  }
  err.Flush();
  return code;
}
