// SPDX-License-Identifier: MIT
// The command line of parlamine-cli, read with CLI11 into plain option
// records. Nothing here computes anything: the commands (IpCommand.h and the
// others) take these records.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace Parlamine {

// Bad input found after the arguments were read: the argument it concerns
// and what is wrong; the program prints "parlamine-cli: ARG: what" and exits 2.
class EUsageError : public std::runtime_error {
 public:
  EUsageError(std::string argument, const std::string& problem)
      : std::runtime_error(argument + ": " + problem), FArgument(std::move(argument)) {}
  const std::string& Argument() const { return FArgument; }

 private:
  std::string FArgument;
};

struct TIpOptions {
  std::string Address;
  std::optional<std::string> SubnetBits, MaskBits, MaxSubnets, MaxHosts, SupernetBits;
  bool Allow1SubnetBit = false;
  bool InverseMask = false;
  bool Table = false;
  bool LineFeedOnly = false;
  bool Json = false;
};

struct TBaseOptions {
  std::string Value;
  std::string From = "dec";
  int Width = 32;
  bool Signed = false;
  bool Json = false;
};

struct TOuiOptions {
  std::vector<std::string> Addresses;  // empty: one per line on standard input
  std::optional<std::string> RegistryFolder;
  bool Json = false;
};

struct TLatencyOptions {
  std::string Client;
  std::vector<std::string> Networks;
  std::string Server;
  // Any of these adds the throughput figures; the others keep their defaults.
  std::optional<std::string> Window, Loss, Mss, FileSize;
  bool Json = false;
};

struct TPrefixOptions {
  std::string Prefix;
  std::optional<std::string> Split;
  // --parents alone: every supernet; --parents LEN: the one of that length.
  bool Parents = false;
  std::optional<std::string> ParentLength;
  bool Table = false;
  // The table's slice: the number of its first row, and how many rows.
  std::optional<std::string> FirstRow, RowCount;
  bool LineFeedOnly = false;
  bool Json = false;
};

struct TSummarizeOptions {
  std::vector<std::string> Files;  // empty: standard input
  bool Json = false;
};

struct TExcludeOptions {
  std::string From;                   // a prefix or a range
  std::vector<std::string> Excluded;  // empty: standard input, one a line
  bool Json = false;
};

struct TRandomOptions {
  std::optional<std::string> Length;  // default /24, with --ipv6 /48
  bool IPv6 = false;
  bool Json = false;
};

struct TPlanOptions {
  std::string Parent;
  std::vector<std::string> Files;  // empty: standard input
  std::string Order = "size";      // "size" (largest first) or "input"
  bool PointToPoint = false;
  bool Json = false;
};

using TCommandOptions = std::variant<TIpOptions, TBaseOptions, TOuiOptions, TLatencyOptions, TPrefixOptions,
                                     TSummarizeOptions, TExcludeOptions, TRandomOptions, TPlanOptions>;

// What reading the command line gave: a command to run, or a text to print
// (help, version, or a one-line error) with the exit code to end with.
struct TParsedCommandLine {
  std::optional<TCommandOptions> Command;
  std::string Output;  // for standard output (help, version)
  std::string Error;   // one line for standard error, without "parlamine-cli: "
  int ExitCode = 0;
};

// `arguments` without the program name.
TParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The release, as --version prints it.
std::string VersionText();

}  // namespace Parlamine

namespace Parlamine {

// A whole decimal number (digits only) from minimum to maximum; otherwise
// EUsageError naming the argument.
int64_t ParseWholeNumber(const std::string& argument, const std::string& text, int64_t minimum,
                         int64_t maximum);

}  // namespace Parlamine
