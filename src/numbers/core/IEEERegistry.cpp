// SPDX-License-Identifier: MIT
#include "IEEERegistry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <sstream>

#include "OUIList.h"
#include "ZellBinDecHex.h"

namespace Parlamine {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// Exactly `count` hexadecimal digits at the start of `text`.
std::optional<uint32_t> HexDigitsAt(std::string_view text, size_t count) {
  if (text.size() < count) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) {
    if (!IsHexDigit(text[i])) return std::nullopt;
    value = value << 4 | static_cast<uint32_t>(HexDigitValue(text[i]));
  }
  return value;
}

// "XX-XX-XX   (hex)   Organisation": the OUI and the organisation.
bool ParseHexLine(std::string_view line, uint32_t& oui, std::string_view& organization) {
  static constexpr std::string_view Mark = "(hex)";
  if (line.size() < 8 || line[2] != '-' || line[5] != '-') return false;
  const auto a = HexDigitsAt(line.substr(0, 2), 2);
  const auto b = HexDigitsAt(line.substr(3, 2), 2);
  const auto c = HexDigitsAt(line.substr(6, 2), 2);
  if (!a || !b || !c) return false;
  const size_t mark = line.find(Mark, 8);
  if (mark == std::string_view::npos || !TrimBlanks(line.substr(8, mark - 8)).empty()) return false;
  oui = *a << 16 | *b << 8 | *c;
  organization = TrimBlanks(line.substr(mark + Mark.size()));
  return true;
}

// "LLLLLL-HHHHHH   (base 16)   Organisation" or "XXXXXX   (base 16) ...".
// Gives the low and high ends of the low 24 bits; a bare OUI covers them all.
bool ParseBase16Line(std::string_view line, uint32_t oui, uint32_t& low, uint32_t& high) {
  static constexpr std::string_view Mark = "(base 16)";
  const size_t mark = line.find(Mark);
  if (mark == std::string_view::npos) return false;
  const std::string_view head = TrimBlanks(line.substr(0, mark));
  if (head.size() == 6) {
    const auto same = HexDigitsAt(head, 6);
    if (!same || *same != oui) return false;
    low = 0;
    high = 0xFFFFFF;
    return true;
  }
  if (head.size() != 13 || head[6] != '-') return false;
  const auto l = HexDigitsAt(head, 6);
  const auto h = HexDigitsAt(head.substr(7), 6);
  if (!l || !h || *h < *l) return false;
  low = *l;
  high = *h;
  return true;
}

// The prefix length of the block low..high of the low 24 bits, or 0 when it
// is not one aligned block of a power of two.
int BlockPrefixBits(uint32_t low, uint32_t high) {
  const uint32_t size = high - low + 1;
  if ((size & (size - 1)) != 0 || (low & (size - 1)) != 0) return 0;
  int bits = 24;
  for (uint32_t s = size; s > 1; s >>= 1) --bits;
  return 24 + bits;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path) {
  // Opened without waiting for a writer, so a pipe in a listing's place is
  // refused at once; read rather than mapped, so a file cut short while the
  // program runs cannot take the mapped pages from under it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> text;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    text.emplace();
    text->reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    while (true) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n < 0) text.reset();
      if (n <= 0) break;
      text->append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(fd);
  return text;
}

const std::array<TRegistryFile, IEEERegistryCount>& IEEERegistryFiles() {
  static const std::array<TRegistryFile, IEEERegistryCount> files = {{
      {TRegistryKind::rkMAS, "oui36.txt", "MA-S"},
      {TRegistryKind::rkIAB, "iab.txt", "IAB"},
      {TRegistryKind::rkMAM, "mam.txt", "MA-M"},
      {TRegistryKind::rkMAL, "oui.txt", "MA-L"},
  }};
  return files;
}

const char* RegistryName(TRegistryKind kind) {
  for (const TRegistryFile& file : IEEERegistryFiles())
    if (file.Kind == kind) return file.Name;
  return "OUI.txt";
}

std::vector<TRegistryEntry> ParseIEEEListing(std::string_view text) {
  std::vector<TRegistryEntry> entries;
  entries.reserve(text.size() / 160 + 1);
  bool pending = false;  // a "(hex)" line waits for its "(base 16)" line
  uint32_t oui = 0;
  std::string_view organization;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line.front() == ' ' || line.front() == '\t' || line.front() == '\r') continue;
    uint32_t nextOui = 0;
    std::string_view nextOrganization;
    if (ParseHexLine(line, nextOui, nextOrganization)) {
      pending = !nextOrganization.empty();
      oui = nextOui;
      organization = nextOrganization;
      continue;
    }
    uint32_t low = 0;
    uint32_t high = 0;
    if (pending && ParseBase16Line(line, oui, low, high)) {
      if (const int bits = BlockPrefixBits(low, high); bits > 0)
        entries.push_back({(uint64_t{oui} << 24) | low, bits, organization, 0});
    }
    pending = false;
  }
  return entries;
}

int TIEEERegistry::LoadFolder(const std::string& folder) { return LoadFolders({folder}); }

int TIEEERegistry::LoadFolders(const std::vector<std::string>& folders) {
  int read = 0;
  for (const TRegistryFile& file : IEEERegistryFiles()) {
    for (const std::string& folder : folders) {
      const std::string path = folder + "/" + file.FileName;
      std::unique_ptr<TListingText> text = ReadListingFile(path);
      if (!text) continue;
      AddListingText(file.Kind, std::move(text), ListingDate(folder, file.FileName), path);
      ++read;
      break;
    }
  }
  return read;
}

const std::vector<std::string>& DefaultRegistryFolders() {
  static const std::vector<std::string> folders{"/var/lib/ieee-data", "/usr/share/ieee-data"};
  return folders;
}

std::unique_ptr<TIEEERegistry::TListingText> TIEEERegistry::ReadListingFile(const std::string& path) {
  const std::optional<std::string> text = ReadRegularFile(path);
  return text ? std::make_unique<TListingText>(std::move(*text)) : nullptr;
}

void TIEEERegistry::AddListing(TRegistryKind kind, std::string text, std::string date) {
  AddListingText(kind, std::make_unique<TListingText>(std::move(text)), std::move(date));
}

void TIEEERegistry::AddListingText(TRegistryKind kind, std::unique_ptr<TListingText> text, std::string date,
                                   std::string path) {
  FListings.push_back({kind, std::move(text), std::move(date), std::move(path)});
  std::vector<TRegistryEntry> entries = ParseIEEEListing(FListings.back().Text->View());
  for (TRegistryEntry& entry : entries) entry.Listing = static_cast<int>(FListings.size() - 1);
  Index(std::move(entries));
}

bool TIEEERegistry::LoadShippedList(const std::string& path) {
  std::unique_ptr<TListingText> text = ReadListingFile(path);
  if (!text) return false;
  FListings.push_back({TRegistryKind::rkShippedList, std::move(text), {}, path});
  const std::string_view all = FListings.back().Text->View();
  std::vector<TRegistryEntry> entries;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto oui = HexDigitsAt(line, 6);
    if (!oui || line.size() <= 14) continue;
    entries.push_back({uint64_t{*oui} << 24, 24, line.substr(14), static_cast<int>(FListings.size() - 1)});
  }
  Index(std::move(entries));
  return true;
}

void TIEEERegistry::Index(std::vector<TRegistryEntry> entries) {
  for (const TRegistryEntry& entry : entries) {
    auto group = std::find_if(FGroups.begin(), FGroups.end(),
                              [&](const TLengthGroup& g) { return g.PrefixBits == entry.PrefixBits; });
    if (group == FGroups.end()) {
      FGroups.push_back({entry.PrefixBits, {}, {}});
      group = FGroups.end() - 1;
    }
    group->Entries.push_back(entry);
  }
  std::sort(FGroups.begin(), FGroups.end(),
            [](const TLengthGroup& a, const TLengthGroup& b) { return a.PrefixBits > b.PrefixBits; });
  // Of equal prefixes in two listings, the more specific registry's comes first.
  const auto order = [this](const TRegistryEntry& e) {
    return static_cast<int>(FListings[static_cast<size_t>(e.Listing)].Kind);
  };
  for (TLengthGroup& group : FGroups) {
    std::stable_sort(group.Entries.begin(), group.Entries.end(),
                     [&](const TRegistryEntry& a, const TRegistryEntry& b) {
                       return a.Prefix != b.Prefix ? a.Prefix < b.Prefix : order(a) < order(b);
                     });
    group.Keys.resize(group.Entries.size());
    for (size_t i = 0; i < group.Entries.size(); ++i) group.Keys[i] = group.Entries[i].Prefix;
  }
}

bool TIEEERegistry::Empty() const {
  return std::all_of(FGroups.begin(), FGroups.end(), [](const TLengthGroup& g) { return g.Entries.empty(); });
}

bool TIEEERegistry::Has(TRegistryKind kind) const {
  return std::any_of(FListings.begin(), FListings.end(), [&](const TListing& l) { return l.Kind == kind; });
}

std::string TIEEERegistry::Date(TRegistryKind kind) const {
  for (const TListing& listing : FListings)
    if (listing.Kind == kind) return listing.Date;
  return {};
}

std::string TIEEERegistry::Path(TRegistryKind kind) const {
  for (const TListing& listing : FListings)
    if (listing.Kind == kind) return listing.Path;
  return {};
}

size_t TIEEERegistry::BlocksWithin(uint64_t prefix, int bits) const {
  const uint64_t size = uint64_t{1} << (48 - bits);
  size_t count = 0;
  for (const TLengthGroup& group : FGroups) {
    if (group.PrefixBits <= bits) continue;
    const auto first = std::lower_bound(group.Keys.begin(), group.Keys.end(), prefix);
    const auto last = std::lower_bound(first, group.Keys.end(), prefix + size);
    count += static_cast<size_t>(last - first);
  }
  return count;
}

std::optional<TRegistryMatch> TIEEERegistry::Find(uint64_t address, int knownBits) const {
  address &= 0xFFFFFFFFFFFFull;
  for (const TLengthGroup& group : FGroups) {
    if (group.PrefixBits > knownBits || group.PrefixBits <= 0 || group.PrefixBits > 48) continue;
    const uint64_t prefix = address & ~((uint64_t{1} << (48 - group.PrefixBits)) - 1) & 0xFFFFFFFFFFFFull;
    const auto key = std::lower_bound(group.Keys.begin(), group.Keys.end(), prefix);
    if (key == group.Keys.end() || *key != prefix) continue;
    const TRegistryEntry& entry = group.Entries[static_cast<size_t>(key - group.Keys.begin())];
    const TListing& listing = FListings[static_cast<size_t>(entry.Listing)];
    return TRegistryMatch{listing.Kind, entry.Prefix, entry.PrefixBits, entry.Organization, listing.Date};
  }
  return std::nullopt;
}

std::string ListingDate(const std::string& folder, const std::string& file) {
  std::time_t when = 0;
  std::istringstream stamp(ReadRegularFile(folder + "/.lastupdate").value_or(std::string()));
  long long seconds = 0;
  if (stamp >> seconds && seconds > 0) {
    when = static_cast<std::time_t>(seconds);
  } else {
    struct stat info {};
    if (::stat((folder + "/" + file).c_str(), &info) != 0) return {};
    when = info.st_mtime;
  }
  std::tm utc{};
  if (!::gmtime_r(&when, &utc)) return {};
  char text[16];
  if (std::strftime(text, sizeof text, "%Y-%m-%d", &utc) == 0) return {};
  return text;
}

}  // namespace Parlamine
