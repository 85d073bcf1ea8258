// SPDX-License-Identifier: MIT
#include "OUIList.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <unordered_set>

#include "ZellBinDecHex.h"

namespace Parlamine {

namespace {

// Field positions of a data line, 0-based.
constexpr size_t KeyLength = 6;
constexpr size_t AbbreviationStart = 7;
constexpr size_t AbbreviationLength = 6;
constexpr size_t OrganizationStart = 14;

std::string_view Field(std::string_view line, size_t start, size_t length) {
  if (start >= line.size()) return {};
  return line.substr(start, length);
}

bool IsAsciiAlnum(char c) { return IsDecDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsVowel(char c) {
  const char u = Upper(c);
  return u == 'A' || u == 'E' || u == 'I' || u == 'O' || u == 'U';
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || IsControlChar(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

namespace {

// The place of a character in the search's order, as a locale orders text:
// blanks and punctuation, then digits, then letters, a letter's case making
// no difference (so a list written in lower case is searched as one in upper
// case). For upper-case hexadecimal digits this is byte order.
int CollationWeight(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (IsDecDigit(c)) return 0x100 + u;
  if (u >= 'a' && u <= 'z') return 0x200 + (u - 'a' + 'A');
  if (u >= 'A' && u <= 'Z') return 0x200 + u;
  if (u >= 0x80) return 0x300 + u;
  return u;
}

// A control character (a CR inside a name of the listing, a tab) would break
// or damage a line of the list: each becomes a blank, trailing ones go.
std::string WithoutControlCharacters(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (IsControlChar(c) || c == '\x7f') c = ' ';
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

int CompareOUILine(std::string_view line, std::string_view key) {
  const std::string_view a = Field(line, 0, KeyLength);
  const std::string_view b = key.substr(0, std::min(key.size(), KeyLength));
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int difference = CollationWeight(a[i]) - CollationWeight(b[i]);
    if (difference != 0) return difference;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

std::string OUILineAbbreviation(std::string_view line) {
  return std::string(TrimRight(Field(line, AbbreviationStart, AbbreviationLength)));
}

std::string OUILineOrganization(std::string_view line) {
  return std::string(Field(line, OrganizationStart, std::string_view::npos));
}

std::string SwappedOUIKey(std::string_view key) {
  const int64_t value = HexToInt64(key);
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw std::range_error("Range check error");
  const uint32_t swapped = ReverseBitsInBytes32(static_cast<uint32_t>(static_cast<int32_t>(value)));
  return Int64ToHex(swapped, 6);
}

std::optional<uint32_t> OUISortKey(std::string_view firstCharacters) {
  const std::string_view head = firstCharacters.substr(0, std::min(firstCharacters.size(), KeyLength));
  uint32_t digits = 0;
  for (char c : head) {
    if (!IsHexDigit(c)) return std::nullopt;
    digits = digits << 4 | static_cast<uint32_t>(HexDigitValue(c));
  }
  // Left-aligned in 24 bits, then the length: "1" < "10" < "1F" < "2".
  digits <<= 4 * (KeyLength - head.size());
  return digits << 3 | static_cast<uint32_t>(head.size());
}

// Splits the text into lines as it streams in and keeps each line the search
// can find, the first of its key only. A line is judged by its first six
// characters; one that cannot be found is passed over without being held.
class TOUIList::TReader {
 public:
  explicit TReader(TOUIList& list) : FList(list) {}

  void Feed(std::string_view data) {
    for (size_t i = 0; i < data.size();) {
      const char c = data[i];
      if (c == '\n' && FAfterCR) {  // the LF of a CR LF
        FAfterCR = false;
        ++i;
        continue;
      }
      FAfterCR = false;
      if (c == '\n' || c == '\r') {
        EndLine();
        FAfterCR = c == '\r';
        ++i;
        continue;
      }
      // The rest of the line up to its end or the end of the data, at once.
      size_t stop = i;
      while (stop < data.size() && data[stop] != '\n' && data[stop] != '\r') ++stop;
      Add(data.substr(i, stop - i));
      i = stop;
    }
  }
  void Finish() {
    if (FLineStarted) EndLine();
    std::sort(FList.FEntries.begin(), FList.FEntries.end(),
              [](const TEntry& a, const TEntry& b) { return a.Key < b.Key; });
  }

 private:
  enum class TState { rsHead, rsKeep, rsSkip };
  void Add(std::string_view piece) {
    FLineStarted = true;
    if (FState == TState::rsHead) {
      const size_t take = std::min(piece.size(), KeyLength - FHead.size());
      FHead.append(piece.substr(0, take));
      piece.remove_prefix(take);
      if (FHead.size() == KeyLength) Decide();
    }
    if (FState == TState::rsKeep) {
      const size_t room = MaxOUILineLength - std::min<size_t>(MaxOUILineLength, FKeptLength);
      const size_t take = std::min(room, piece.size());
      FList.FText.append(piece.substr(0, take));
      FKeptLength += take;
    }
  }
  // The head is complete (six characters, or the whole of a shorter line).
  void Decide() {
    const std::optional<uint32_t> key = OUISortKey(FHead);
    FState = TState::rsSkip;
    if (!key || !FSeen.insert(*key).second) return;
    FState = TState::rsKeep;
    FList.FEntries.push_back({*key, 0, FList.FText.size()});
    FList.FText.append(FHead);
    FKeptLength = FHead.size();
  }
  void EndLine() {
    if (FState == TState::rsHead) Decide();
    if (FState == TState::rsKeep) FList.FEntries.back().Length = static_cast<uint32_t>(FKeptLength);
    FState = TState::rsHead;
    FHead.clear();
    FKeptLength = 0;
    FLineStarted = false;
  }

  TOUIList& FList;
  std::unordered_set<uint32_t> FSeen;  // the keys of the lines kept
  TState FState = TState::rsHead;
  std::string FHead;
  size_t FKeptLength = 0;
  bool FLineStarted = false;
  bool FAfterCR = false;
};

bool TOUIList::LoadFromFile(const std::string& path) {
  // Only a regular file is a list: a folder or a device of that name counts
  // as missing, as does a file that cannot be read to its end.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  Clear();
  TReader reader(*this);
  std::vector<char> buffer(size_t{1} << 16);
  while (ok) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    reader.Feed(std::string_view(buffer.data(), static_cast<size_t>(n)));
  }
  ::close(fd);
  if (!ok) {
    Clear();
    return false;
  }
  reader.Finish();
  FText.shrink_to_fit();
  FEntries.shrink_to_fit();
  FLoaded = true;
  return true;
}

void TOUIList::LoadFromText(std::string_view text) {
  Clear();
  TReader reader(*this);
  reader.Feed(text);
  reader.Finish();
  FLoaded = true;
}

void TOUIList::Clear() {
  FText.clear();
  FText.shrink_to_fit();
  FEntries.clear();
  FEntries.shrink_to_fit();
  FLoaded = false;
}

std::string_view TOUIList::Line(size_t index) const {
  const TEntry& entry = FEntries.at(index);
  return std::string_view(FText).substr(entry.Offset, entry.Length);
}

TOUIMatch TOUIList::Find(std::string_view key) const {
  const std::optional<uint32_t> code = OUISortKey(key);
  if (!code) return {};
  const auto entry = std::lower_bound(FEntries.begin(), FEntries.end(), *code,
                                      [](const TEntry& e, uint32_t k) { return e.Key < k; });
  if (entry == FEntries.end() || entry->Key != *code) return {};
  const std::string_view line = Line(static_cast<size_t>(entry - FEntries.begin()));
  return {true, OUILineAbbreviation(line), OUILineOrganization(line)};
}

TOUISearchResult TOUIList::Search(std::string_view key) const {
  TOUISearchResult result;
  result.SwappedKey = SwappedOUIKey(key);
  result.Match = Find(key);
  result.SwappedMatch = Find(result.SwappedKey);
  return result;
}

std::vector<TOUIEntry> ParseIEEERegistry(std::string_view text) {
  std::vector<TOUIEntry> entries;
  static constexpr std::string_view HexMark = "(hex)";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    // "XX-XX-XX   (hex)\t\tOrganisation"
    if (line.size() < 8 || line[2] != '-' || line[5] != '-') continue;
    const size_t mark = line.find(HexMark);
    if (mark == std::string_view::npos) continue;
    std::string oui;
    for (size_t pos : {0, 1, 3, 4, 6, 7}) oui += Upper(line[pos]);
    if (!std::all_of(oui.begin(), oui.end(), IsHexDigit)) continue;
    std::string_view organization = line.substr(mark + HexMark.size());
    while (!organization.empty() && (organization.front() == ' ' || organization.front() == '\t'))
      organization.remove_prefix(1);
    entries.push_back({std::move(oui), std::string(TrimRight(organization))});
    entries.back().Organization = WithoutControlCharacters(entries.back().Organization);
  }
  return entries;
}

std::string AbbreviateOrganization(std::string_view organization) {
  const auto first = std::find_if(organization.begin(), organization.end(), IsAsciiAlnum);
  const auto last = std::find_if_not(first, organization.end(), IsAsciiAlnum);
  const std::string_view word(first, static_cast<size_t>(last - first));
  std::string abbreviation;
  if (word.size() <= AbbreviationLength) {
    abbreviation = word;
  } else {
    abbreviation += word.front();
    for (char c : word.substr(1)) {
      if (abbreviation.size() == AbbreviationLength) break;
      if (!IsVowel(c)) abbreviation += c;
    }
  }
  for (size_t i = 0; i < abbreviation.size(); ++i)
    abbreviation[i] = i == 0 ? Upper(abbreviation[i]) : Lower(abbreviation[i]);
  return abbreviation;
}

std::string BuildOUIText(std::vector<TOUIEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TOUIEntry& a, const TOUIEntry& b) { return a.OUI < b.OUI; });
  const auto end = std::unique(entries.begin(), entries.end(),
                               [](const TOUIEntry& a, const TOUIEntry& b) { return a.OUI == b.OUI; });
  std::string text;
  for (auto it = entries.begin(); it != end; ++it) {
    const std::string organization = WithoutControlCharacters(it->Organization);
    std::string abbreviation = AbbreviateOrganization(organization);
    abbreviation.resize(AbbreviationLength, ' ');
    text += it->OUI + ' ' + abbreviation + ' ' + organization + '\n';
  }
  return text;
}

}  // namespace Parlamine
