// SPDX-License-Identifier: MIT
#include "CliArguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "QuotedInput.h"

namespace Parlamine {

namespace {

constexpr const char* ProgramName = "parlamine-cli";

// Every command prints one JSON document instead of text with --json.
void AddJsonFlag(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "Print one JSON document (see docs/CLI.md); tables as JSON lines");
}

void AddIpCommand(CLI::App& app, TIpOptions& o) {
  CLI::App* ip = app.add_subcommand("ip", "Classful address info, subnets, the subnets/hosts table and CIDR");
  ip->add_option("ADDRESS", o.Address, "IPv4 address in dotted decimal, e.g. 172.16.5.1")->required();
  CLI::Option* subnetBits =
      ip->add_option("--subnet-bits", o.SubnetBits, "Subnet bits (network + subnet = mask bits)");
  CLI::Option* maskBits = ip->add_option("--mask-bits", o.MaskBits, "Mask bits of the subnet mask (/n)");
  CLI::Option* maxSubnets = ip->add_option("--max-subnets", o.MaxSubnets, "The number of subnets needed");
  CLI::Option* maxHosts =
      ip->add_option("--max-hosts", o.MaxHosts, "The number of hosts needed on each subnet");
  const std::vector<CLI::Option*> choices = {subnetBits, maskBits, maxSubnets, maxHosts};
  for (CLI::Option* a : choices)
    for (CLI::Option* b : choices)
      if (a != b) a->excludes(b);
  ip->add_flag("--allow-1-bit", o.Allow1SubnetBit,
               "Allow 1 subnet bit (subnets with all-zero and all-one bits count)");
  ip->add_flag("--inverse-mask", o.InverseMask, "Show the subnet and supernet masks inverted");
  ip->add_flag("--table", o.Table, "Write the subnets/hosts table, tab-separated, CR LF line ends");
  ip->add_flag("--lf", o.LineFeedOnly, "End the table's lines with LF only")->needs("--table");
  ip->add_option("--supernet-bits", o.SupernetBits, "Mask bits of a CIDR supernet of the address's class");
  AddJsonFlag(*ip, o.Json);
}

void AddRandomCommand(CLI::App& app, TRandomOptions& o) {
  CLI::App* random =
      app.add_subcommand("random", "A random private prefix (RFC 1918, or RFC 4193 with --ipv6)");
  random->add_option("LENGTH", o.Length,
                     "Prefix length: 8 to 32 (default 24), with --ipv6 48 to 128 (default 48)");
  random->add_flag("--ipv6", o.IPv6, "A unique local IPv6 prefix with a random global ID");
  AddJsonFlag(*random, o.Json);
}

void AddPrefixCommands(CLI::App& app, TPrefixOptions& p, TSummarizeOptions& s, TExcludeOptions& e) {
  CLI::App* prefix = app.add_subcommand("prefix", "An IPv4 or IPv6 prefix: its range, size and kind");
  prefix->add_option("PREFIX", p.Prefix, "Prefix, e.g. 192.0.2.0/24 or 2001:db8::/32")->required();
  prefix->add_option("--split", p.Split, "Split into prefixes of this length");
  prefix
      ->add_option_function<std::vector<std::string>>(
          "--parents",
          [&p](const std::vector<std::string>& values) {
            p.Parents = true;
            // Given alone, CLI11 hands on one empty value.
            if (!values.empty() && !values.front().empty()) p.ParentLength = values.front();
          },
          "The supernets of the prefix, or the one of length LEN")
      ->expected(0, 1)
      ->type_name("[LEN]");
  prefix->add_flag("--table", p.Table, "Write the prefixes of the split, one a line, as many as there are")
      ->needs("--split");
  prefix->add_flag("--lf", p.LineFeedOnly, "End the table's lines with LF only")->needs("--table");
  prefix->add_option("--first", p.FirstRow, "Start the table at row N (the first is 0)")->needs("--table");
  prefix->add_option("--count", p.RowCount, "Write at most N rows of the table")->needs("--table");
  AddJsonFlag(*prefix, p.Json);

  CLI::App* summarize =
      app.add_subcommand("summarize", "The fewest prefixes that cover the given ones exactly");
  summarize->add_option("FILE", s.Files, "Files of prefixes, one a line (standard input when none)");
  AddJsonFlag(*summarize, s.Json);

  CLI::App* exclude = app.add_subcommand("exclude", "A prefix less others, as the fewest prefixes");
  exclude->add_option("FROM", e.From, "Prefix or range to take addresses from, e.g. 10.0.0.0/8")->required();
  exclude->add_option("EXCLUDED", e.Excluded,
                      "Prefixes and ranges to take out (standard input, one a line, when none)");
  AddJsonFlag(*exclude, e.Json);
}

void AddPlanCommand(CLI::App& app, TPlanOptions& o) {
  CLI::App* plan =
      app.add_subcommand("plan", "The smallest fitting subnet of a block for every site, VLAN or link");
  plan->add_option("PARENT", o.Parent, "The block to plan, e.g. 10.20.0.0/22 or 2001:db8::/48")->required();
  plan->add_option("FILE", o.Files,
                   "Files of requirements, NAME SIZE [+G%] a line (standard input when none)");
  plan->add_option("--order", o.Order, "size: largest first (default); input: in line order")
      ->check(CLI::IsMember({"size", "input"}));
  plan->add_flag("--point-to-point", o.PointToPoint,
                 "Give a requirement of exactly 2 hosts a /31 (RFC 3021)");
  AddJsonFlag(*plan, o.Json);
}

void AddBaseCommand(CLI::App& app, TBaseOptions& o) {
  CLI::App* base =
      app.add_subcommand("base", "A number in the four bases, grouped and plain, and bit-reversed");
  base->add_option("VALUE", o.Value, "The number (a negative decimal needs --signed)")->required();
  base->add_option("--from", o.From, "Base of VALUE: dec, hex, bin or oct (default dec)")
      ->check(CLI::IsMember({"dec", "hex", "bin", "oct"}, CLI::ignore_case));
  base->add_option("--width", o.Width, "Number width in bits: 8, 16, 32 or 64 (default 32)")
      ->check(CLI::IsMember({8, 16, 32, 64}));
  base->add_flag("--signed", o.Signed, "Also read the value as a two's complement number of the width");
  AddJsonFlag(*base, o.Json);
}

void AddOuiCommand(CLI::App& app, TOuiOptions& o) {
  CLI::App* oui = app.add_subcommand("oui", "The owner of hardware addresses from the IEEE registries");
  oui->add_option("MAC", o.Addresses, "Addresses or prefixes (standard input, one a line, when none)");
  oui->add_option("--registry", o.RegistryFolder,
                  "Folder of the IEEE listings (default /var/lib/ieee-data, then /usr/share/ieee-data)");
  AddJsonFlag(*oui, o.Json);
}

void AddLatencyCommand(CLI::App& app, TLatencyOptions& o) {
  CLI::App* latency = app.add_subcommand("latency", "The delay along client - networks - server");
  latency->add_option("--client", o.Client, "SIZE[:PROC]: request size in bytes, processing time in ms")
      ->required();
  latency
      ->add_option("--network", o.Networks,
                   "KIND[:MBPS[:DELAY]]: topology, bandwidth, propagation delay in ms")
      ->required();
  latency->add_option("--server", o.Server, "SIZE[:PROC]: reply size in bytes, processing time in ms")
      ->required();
  latency->add_option("--window", o.Window, "SIZE: a TCP window for the throughput figures (e.g. 128KiB)");
  latency->add_option("--loss", o.Loss, "PERCENT: packet loss for the loss-limited throughput (e.g. 0.01)");
  latency->add_option("--mss", o.Mss, "BYTES: TCP maximum segment size (default 1460)");
  latency->add_option("--file-size", o.FileSize, "SIZE: a file to move (e.g. 1GB, 700MiB)");
  AddJsonFlag(*latency, o.Json);
}

// CLI11 ends some messages with a full stop or a line break; one line without either.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  return text;
}

}  // namespace

std::string VersionText() { return std::string(ProgramName) + " " + PARLAMINE_VERSION; }

TParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CLI::App app("Parlamine's calculators on the command line", ProgramName);
  app.set_version_flag("--version", VersionText(), "Print the release and exit");
  app.require_subcommand(1, 1);
  app.formatter(std::make_shared<CLI::Formatter>());

  TIpOptions ip;
  TBaseOptions base;
  TOuiOptions oui;
  TLatencyOptions latency;
  TPrefixOptions prefix;
  TSummarizeOptions summarize;
  TExcludeOptions exclude;
  TRandomOptions random;
  TPlanOptions plan;
  AddIpCommand(app, ip);
  AddPrefixCommands(app, prefix, summarize, exclude);
  AddRandomCommand(app, random);
  AddPlanCommand(app, plan);
  AddBaseCommand(app, base);
  AddOuiCommand(app, oui);
  AddLatencyCommand(app, latency);

  // CLI11 reports an unknown command as a missing one; name it instead.
  if (!arguments.empty() && !arguments.front().empty() && arguments.front()[0] != '-') {
    const std::vector<std::string> commands = {"ip",     "prefix", "summarize", "exclude", "plan",
                                               "random", "base",   "oui",       "latency"};
    if (std::find(commands.begin(), commands.end(), arguments.front()) == commands.end()) {
      TParsedCommandLine unknown;
      unknown.Error =
          EscapedInput(arguments.front()) +
          ": not a command (ip, prefix, summarize, exclude, plan, random, base, oui, latency; see --help)";
      unknown.ExitCode = 2;
      return unknown;
    }
  }

  std::vector<const char*> argv = {ProgramName};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  TParsedCommandLine result;
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::CallForHelp&) {
    result.Output = app.help();
    return result;
  } catch (const CLI::CallForAllHelp&) {
    result.Output = app.help("", CLI::AppFormatMode::All);
    return result;
  } catch (const CLI::CallForVersion&) {
    result.Output = VersionText() + "\n";
    return result;
  } catch (const CLI::ParseError& error) {
    result.Error = OneLine(error.what());
    result.ExitCode = 2;
    return result;
  }

  const std::string chosen = app.get_subcommands().front()->get_name();
  if (chosen == "ip")
    result.Command = ip;
  else if (chosen == "base")
    result.Command = base;
  else if (chosen == "oui")
    result.Command = oui;
  else if (chosen == "latency")
    result.Command = latency;
  else if (chosen == "prefix")
    result.Command = prefix;
  else if (chosen == "exclude")
    result.Command = exclude;
  else if (chosen == "random")
    result.Command = random;
  else if (chosen == "plan")
    result.Command = plan;
  else
    result.Command = summarize;
  return result;
}

}  // namespace Parlamine

namespace Parlamine {

int64_t ParseWholeNumber(const std::string& argument, const std::string& text, int64_t minimum,
                         int64_t maximum) {
  const std::string range = " (" + std::to_string(minimum) + " to " + std::to_string(maximum) + ")";
  if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
    throw EUsageError(argument, QuotedInput(text) + " is not a whole number" + range);
  const int64_t value = std::stoll(text);
  if (value < minimum || value > maximum)
    throw EUsageError(argument, EscapedInput(text) + " is out of range" + range);
  return value;
}

}  // namespace Parlamine
