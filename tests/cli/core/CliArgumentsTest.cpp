// SPDX-License-Identifier: MIT
// The command line as a whole: help, version, and every kind of bad argument
// with its exit code and its one-line message naming the argument.
#include <gtest/gtest.h>

#include "CliArguments.h"
#include "CliTestSupport.h"

namespace Parlamine {
namespace {

TEST(CliArguments, VersionPrintsTheRelease) {
  const TCliResult r = RunCli({"--version"});
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Out, "parlamine-cli 3.2.1.0\n");
}

TEST(CliArguments, EachCommandHasHelp) {
  for (const char* command : {"ip", "base", "oui", "latency"}) {
    const TCliResult r = RunCli({command, "--help"});
    EXPECT_EQ(r.ExitCode, 0) << command;
    EXPECT_NE(r.Out.find(command), std::string::npos) << command;
    EXPECT_NE(r.Out.find("--json"), std::string::npos) << command;
    EXPECT_EQ(r.Err, "") << command;
  }
}

TEST(CliArguments, NegativeDecimalIsAValueNotAnOption) {
  const TCliResult r = RunCli({"base", "-128", "--signed", "--width", "8"});
  EXPECT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_NE(r.Out.find("Hexadecimal (base 16): 80\n"), std::string::npos) << r.Out;
}

struct TBadArguments {
  const char* Name;
  std::vector<std::string> Arguments;
  const char* ErrorPart;  // the message must contain this
};

class CliBadArguments : public testing::TestWithParam<TBadArguments> {};

TEST_P(CliBadArguments, OneLineOnStandardErrorAndExitTwo) {
  const TCliResult r = RunCli(GetParam().Arguments);
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_EQ(r.Out, "");
  ASSERT_FALSE(r.Err.empty());
  EXPECT_EQ(r.Err.rfind("parlamine-cli: ", 0), 0u) << r.Err;
  EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << "more than one line: " << r.Err;
  EXPECT_NE(r.Err.find(GetParam().ErrorPart), std::string::npos) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBadArguments,
    testing::Values(
        TBadArguments{"NoCommand", {}, "subcommand"},
        TBadArguments{"UnknownCommand", {"frobnicate"}, "frobnicate"},
        TBadArguments{"UnknownOption", {"ip", "10.0.0.1", "--colour"}, "--colour"},
        TBadArguments{"MissingAddress", {"ip"}, "ADDRESS"},
        TBadArguments{"AddressWithFiveOctets", {"ip", "1.2.3.4.5"}, "ADDRESS"},
        TBadArguments{"OctetAbove255", {"ip", "10.0.0.256"}, "ADDRESS"},
        TBadArguments{"OctetWithSign", {"ip", "10.+1.0.1"}, "ADDRESS"},
        TBadArguments{"OctetOfFourDigits", {"ip", "10.0001.0.1"}, "ADDRESS"},
        TBadArguments{
            "TwoSubnetChoices", {"ip", "10.0.0.1", "--subnet-bits", "3", "--mask-bits", "11"}, "excludes"},
        TBadArguments{"SubnetBitsNotANumber", {"ip", "10.0.0.1", "--subnet-bits", "x"}, "--subnet-bits"},
        TBadArguments{"SubnetBitsBeyondTheClass", {"ip", "192.168.0.1", "--subnet-bits", "7"}, "2 to 6"},
        TBadArguments{"OneSubnetBitNotAllowed", {"ip", "192.168.0.1", "--subnet-bits", "1"}, "--subnet-bits"},
        TBadArguments{"MaskBitsLongerThan30", {"ip", "10.0.0.1", "--mask-bits", "31"}, "10 to 30"},
        TBadArguments{"TooManySubnets", {"ip", "192.168.0.1", "--max-subnets", "63"}, "at most 62"},
        TBadArguments{"TooManyHosts", {"ip", "192.168.0.1", "--max-hosts", "63"}, "at most 62"},
        TBadArguments{"ZeroSubnets", {"ip", "192.168.0.1", "--max-subnets", "0"}, "--max-subnets"},
        TBadArguments{"SupernetBitsOutsideTheClass", {"ip", "10.0.0.1", "--supernet-bits", "9"}, "1 to 8"},
        TBadArguments{"TableWithoutSubnetChoice", {"ip", "10.0.0.1", "--table"}, "--table"},
        TBadArguments{"LfWithoutTable", {"ip", "10.0.0.1", "--mask-bits", "30", "--lf"}, "--lf"},
        TBadArguments{"MulticastHasNoSubnets", {"ip", "224.0.0.1", "--subnet-bits", "2"}, "multicast"},
        TBadArguments{"BaseWidthNotOffered", {"base", "1", "--width", "12"}, "--width"},
        TBadArguments{"BaseUnknown", {"base", "1", "--from", "b36"}, "--from"},
        TBadArguments{"HexDigitInDecimal", {"base", "1F"}, "VALUE"},
        TBadArguments{"ValueAboveTheWidth", {"base", "256", "--width", "8"}, "does not fit 8 bits"},
        TBadArguments{"HexAboveTheWidth", {"base", "1FF", "--from", "hex", "--width", "8"}, "does not fit"},
        TBadArguments{"NegativeWithoutSigned", {"base", "-1"}, "--signed"},
        TBadArguments{"NegativeBelowTheWidth", {"base", "-129", "--signed", "--width", "8"}, "does not fit"},
        TBadArguments{"HugeDecimal", {"base", "18446744073709551616", "--width", "64"}, "does not fit"},
        TBadArguments{
            "LatencyWithoutNetwork", {"latency", "--client", "64", "--server", "1024"}, "--network"},
        TBadArguments{"LatencyUnknownKind",
                      {"latency", "--client", "64", "--network", "Carrier Pigeon", "--server", "1"},
                      "--network"},
        TBadArguments{"LatencyStationKindNumber",
                      {"latency", "--client", "64", "--network", "16", "--server", "1"},
                      "a station"},
        TBadArguments{"LatencyNegativeBandwidth",
                      {"latency", "--client", "64", "--network", "T1:-1", "--server", "1"},
                      "bandwidth"},
        TBadArguments{"LatencyDelayOnEthernet",
                      {"latency", "--client", "64", "--network", "Ethernet:10:5", "--server", "1"},
                      "propagation"},
        TBadArguments{"LatencyPacketTooLarge",
                      {"latency", "--client", "2147483648", "--network", "T1", "--server", "1"},
                      "--client"},
        TBadArguments{"LatencyPacketsOverflowTogether",
                      {"latency", "--client", "2147483647", "--network", "T1", "--server", "1"},
                      "Integer overflow"},
        TBadArguments{"LatencyStationWithThreeParts",
                      {"latency", "--client", "1:2:3", "--network", "T1", "--server", "1"},
                      "--client"}),
    [](const testing::TestParamInfo<TBadArguments>& info) { return std::string(info.param.Name); });

TEST(CliArguments, FifteenNetworksDoNotFitTheChain) {
  std::vector<std::string> arguments = {"latency", "--client", "64", "--server", "64"};
  for (int i = 0; i < 15; ++i) {
    arguments.push_back("--network");
    arguments.push_back("T1");
  }
  EXPECT_EQ(RunCli(arguments).ExitCode, 2);
  arguments.resize(arguments.size() - 2);
  EXPECT_EQ(RunCli(arguments).ExitCode, 0);
}

// A pasted megabyte or a terminal control sequence comes back short and
// harmless, on one line.
TEST(CliArguments, ErrorsQuoteInputShortAndEscaped) {
  const std::string input = "\x1b[2J" + std::string(10 << 20, '7') + "\nX";
  const std::vector<std::vector<std::string>> commands = {
      {"base", input},
      {"base", "--from", "hex", input},
      {"ip", input},
      {"prefix", input},
      {"prefix", "10.0.0.0/8", "--split", input},
      {input},
      {"latency", "--client", input, "--network", "T1", "--server", "1"},
      {"summarize", input},
      {"oui", input},
  };
  for (const auto& arguments : commands) {
    const TCliResult r = RunCli(arguments);
    const std::string name = arguments.front().substr(0, 10);
    EXPECT_EQ(r.ExitCode, 2) << name;
    EXPECT_LT(r.Err.size(), 400u) << name;
    EXPECT_EQ(r.Err.find('\x1b'), std::string::npos) << name;
    EXPECT_NE(r.Err.find("\\x1b[2J777"), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << name;
  }
  const TCliResult lines = RunCli({"summarize"}, "10.0.0.0/8\n" + input + "\n");
  EXPECT_EQ(lines.Err.find('\x1b'), std::string::npos);
  EXPECT_LT(lines.Err.size(), 400u);
}

TEST(CliArguments, WholeNumbersAreDecimalDigitsOnly) {
  EXPECT_EQ(ParseWholeNumber("--n", "010", 0, 100), 10);  // never octal
  EXPECT_THROW(ParseWholeNumber("--n", "0x10", 0, 100), EUsageError);
  EXPECT_THROW(ParseWholeNumber("--n", "+1", 0, 100), EUsageError);
  EXPECT_THROW(ParseWholeNumber("--n", "", 0, 100), EUsageError);
  EXPECT_THROW(ParseWholeNumber("--n", "99999999999999999999", 0, 100), EUsageError);
  EXPECT_THROW(ParseWholeNumber("--n", "101", 0, 100), EUsageError);
}

}  // namespace
}  // namespace Parlamine
