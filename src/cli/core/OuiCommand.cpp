// SPDX-License-Identifier: MIT
#include "OuiCommand.h"

#include <optional>

#include "IEEERegistry.h"
#include "JsonNumbers.h"
#include "MacAddressText.h"
#include "OUIList.h"
#include "QuotedInput.h"

namespace Parlamine {

namespace {

struct TLoadedRegistry {
  TIEEERegistry Registry;
  std::string ShippedList;  // the OUI.txt used instead of the listings, if any
};

// --registry, or the folders the window reads too.
std::vector<std::string> RegistryFolders(const TOuiOptions& o) {
  return o.RegistryFolder ? std::vector<std::string>{*o.RegistryFolder} : DefaultRegistryFolders();
}

std::string FoldersText(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& folder : folders) text += (text.empty() ? "" : " or ") + folder;
  return text;
}

TLoadedRegistry LoadRegistry(const TOuiOptions& o, TCommandIO& io,
                             const std::vector<std::string>& shippedLists) {
  TLoadedRegistry loaded;
  const std::string folder = FoldersText(RegistryFolders(o));
  const int read = loaded.Registry.LoadFolders(RegistryFolders(o));
  if (read == IEEERegistryCount) return loaded;
  if (read > 0) {
    for (const TRegistryFile& file : IEEERegistryFiles())
      if (!loaded.Registry.Has(file.Kind))
        io.Err.Write(std::string("parlamine-cli: oui: ") + file.FileName + " is not in " + folder + "; its " +
                     file.Name + " blocks are not searched\n");
    return loaded;
  }
  for (const std::string& path : shippedLists) {
    if (!loaded.Registry.LoadShippedList(path)) continue;
    loaded.ShippedList = path;
    io.Err.Write("parlamine-cli: oui: no IEEE listings in " + folder + "; using the shipped list " + path +
                 " (24-bit OUIs only)\n");
    return loaded;
  }
  throw EUsageError("--registry", "no IEEE listings in " + folder + " and no shipped OUI.txt");
}

std::string PrefixText(uint64_t prefix, int bits) { return HardwareAddressText({prefix, (bits + 3) / 4}); }

struct TAnswer {
  THardwareAddress Address;
  std::optional<TRegistryMatch> Owner;
  THardwareAddress Swapped;
  std::optional<TRegistryMatch> SwappedOwner;
};

TAnswer Answer(const TIEEERegistry& registry, const THardwareAddress& address) {
  TAnswer answer;
  answer.Address = address;
  answer.Owner = registry.Find(address.Value, address.KnownBits());
  answer.Swapped = BitSwappedAddress(address);
  answer.SwappedOwner = registry.Find(answer.Swapped.Value, answer.Swapped.KnownBits());
  return answer;
}

TJson OwnerJson(const THardwareAddress& address, const std::optional<TRegistryMatch>& owner) {
  TJson j;
  j["address"] = HardwareAddressText(address);
  j["found"] = owner.has_value();
  if (owner) {
    j["organization"] = std::string(owner->Organization);
    j["abbreviation"] = AbbreviateOrganization(owner->Organization);
    j["registry"] = RegistryName(owner->Kind);
    j["prefix"] = PrefixText(owner->Prefix, owner->PrefixBits);
    j["prefixBits"] = owner->PrefixBits;
    if (!owner->Date.empty()) j["date"] = std::string(owner->Date);
  }
  return j;
}

void WriteOwnerLines(TBufferedWriter& out, std::string_view words,
                     const std::optional<TRegistryMatch>& owner) {
  const std::string_view none = NoMatchingOUIText;
  for (std::string_view piece :
       {std::string_view("  "), words, std::string_view("Organization: "), owner ? owner->Organization : none,
        std::string_view("\n  "), words, std::string_view("Abreviation: ")})
    out.Write(piece);
  out.Write(owner ? std::string_view(AbbreviateOrganization(owner->Organization)) : none);
  out.Write('\n');
  if (!owner) return;
  for (std::string_view piece : {std::string_view("  "), words, std::string_view("Registry: "),
                                 std::string_view(RegistryName(owner->Kind)), std::string_view(" ")})
    out.Write(piece);
  out.Write(PrefixText(owner->Prefix, owner->PrefixBits) + "/" + std::to_string(owner->PrefixBits));
  if (!owner->Date.empty()) {
    out.Write(", ");
    out.Write(owner->Date);
  }
  out.Write('\n');
}

void WriteAnswerText(TBufferedWriter& out, const TAnswer& a) {
  out.Write(HardwareAddressText(a.Address));
  out.Write('\n');
  WriteOwnerLines(out, "", a.Owner);
  out.Write("  Bit-swapped (Ethernet <-> Token Ring/FDDI): ");
  out.Write(HardwareAddressText(a.Swapped));
  out.Write('\n');
  WriteOwnerLines(out, "Bit-swapped ", a.SwappedOwner);
}

TJson RegistriesJson(const TLoadedRegistry& loaded) {
  TJson list = TJson::array();
  if (!loaded.ShippedList.empty()) {
    list.push_back({{"name", "OUI.txt"}, {"file", loaded.ShippedList}});
    return list;
  }
  for (const TRegistryFile& file : IEEERegistryFiles())
    if (loaded.Registry.Has(file.Kind))
      list.push_back({{"name", file.Name},
                      {"file", loaded.Registry.Path(file.Kind)},
                      {"date", loaded.Registry.Date(file.Kind)}});
  return list;
}

}  // namespace

int RunOuiCommand(const TOuiOptions& o, TCommandIO& io, const std::vector<std::string>& shippedLists) {
  const TLoadedRegistry loaded = LoadRegistry(o, io, shippedLists);
  int exitCode = ExitAnswered;
  // The JSON document is written as the answers come, one result a line, so
  // that a long list of addresses is never held whole.
  bool firstResult = true;
  const auto writeResult = [&](const TJson& result) {
    io.Out.Write(firstResult ? "\n" : ",\n");
    firstResult = false;
    io.Out.Write(result.dump(-1, ' ', false, TJson::error_handler_t::replace));
  };
  if (o.Json) {
    TJson head;
    head["registries"] = RegistriesJson(loaded);
    head["fallback"] = !loaded.ShippedList.empty();
    std::string text = head.dump(-1, ' ', false, TJson::error_handler_t::replace);
    text.pop_back();  // the closing brace comes after the results
    io.Out.Write(text + ",\"results\":[");
  }

  const auto handle = [&](const std::string& text) {
    const TParsedHardwareAddress parsed = ParseHardwareAddress(text);
    if (!parsed.Address) {
      io.Err.Write("parlamine-cli: MAC: " + QuotedInput(text) + " " + parsed.Error + "\n");
      exitCode = ExitBadInput;
      if (o.Json) writeResult({{"input", text}, {"error", parsed.Error}});
      return;
    }
    const TAnswer answer = Answer(loaded.Registry, *parsed.Address);
    if (!answer.Owner && exitCode == ExitAnswered) exitCode = ExitNoMatch;
    if (!o.Json) {
      WriteAnswerText(io.Out, answer);
      return;
    }
    TJson j;
    j["input"] = text;
    j["digits"] = answer.Address.Digits;
    j.update(OwnerJson(answer.Address, answer.Owner));
    j["bitSwapped"] = OwnerJson(answer.Swapped, answer.SwappedOwner);
    writeResult(j);
  };

  if (!o.Addresses.empty()) {
    for (const std::string& text : o.Addresses) handle(text);
  } else if (io.In) {
    std::string line;
    while (std::getline(*io.In, line) && !io.Out.Failed()) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(" \t") == std::string::npos) continue;  // blank lines are skipped
      handle(line);
      if (io.AnswerEachLine) {
        io.Out.Flush();
        io.Err.Flush();
      }
    }
  }
  if (o.Json) io.Out.Write(firstResult ? "]}\n" : "\n]}\n");
  return exitCode;
}

}  // namespace Parlamine
