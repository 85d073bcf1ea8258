// SPDX-License-Identifier: MIT
#include "RegistryTree.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace Parlamine {

namespace {

constexpr const char* RegHeader = "Windows Registry Editor Version 5.00";
constexpr uint32_t StringType = static_cast<uint32_t>(TRegValueType::rvString);
constexpr uint32_t ExpandStringType = static_cast<uint32_t>(TRegValueType::rvExpandString);
constexpr uint32_t BinaryType = static_cast<uint32_t>(TRegValueType::rvBinary);
constexpr uint32_t DwordType = static_cast<uint32_t>(TRegValueType::rvDword);

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return s.substr(b, e - b);
}

std::string EscapeString(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

bool HasControlCharacter(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ',';
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text) {
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 3 + 1);
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view item = Trim(text.substr(start, comma - start));
    start = comma + 1;
    if (item.empty()) continue;
    if (item.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : item) {
      const int digit = HexValue(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + digit;
    }
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return bytes;
}

// Reads a quoted string starting at text[pos] == '"'; on success pos is just
// past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view text, size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '\\' && pos + 1 < text.size()) {
      out += text[++pos];
    } else if (c == '"') {
      ++pos;
      return out;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

void PutUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The code point of the well-formed UTF-8 sequence at s[i] and its length, or
// a length of 0 when the bytes there are no such sequence.
std::pair<uint32_t, size_t> NextUtf8(const std::string& s, size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  uint32_t cp = 0, minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return {0, 0};
  }
  if (i + length > s.size()) return {0, 0};
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return {0, 0};
  return {cp, length};
}

void PutUtf16(std::vector<uint8_t>& out, uint32_t unit) {
  out.push_back(static_cast<uint8_t>(unit & 0xFF));
  out.push_back(static_cast<uint8_t>(unit >> 8));
}

// A string as REG_SZ bytes: UTF-16LE with a terminating NUL. A byte that is no
// part of well-formed UTF-8 travels as a lone surrogate U+DC80..U+DCFF, so
// every string comes back as it was.
std::vector<uint8_t> EncodeRegString(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < text.size();) {
    const auto [cp, length] = NextUtf8(text, i);
    if (length == 0) {
      PutUtf16(out, 0xDC00 | static_cast<unsigned char>(text[i]));
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      PutUtf16(out, 0xD800 + ((cp - 0x10000) >> 10));
      PutUtf16(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      PutUtf16(out, cp);
    }
    i += length;
  }
  PutUtf16(out, 0);
  return out;
}

// REG_SZ bytes back to the string: UTF-16LE, one terminating NUL dropped.
// Empty when the bytes are no such text (odd length, an unpaired surrogate
// other than the escaped bytes of EncodeRegString).
std::optional<std::string> DecodeRegString(const std::vector<uint8_t>& bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::vector<uint32_t> units;
  for (size_t i = 0; i < bytes.size(); i += 2) units.push_back(bytes[i] | (bytes[i + 1] << 8));
  if (!units.empty() && units.back() == 0) units.pop_back();
  std::string out;
  for (size_t i = 0; i < units.size(); ++i) {
    const uint32_t unit = units[i];
    if (unit >= 0xD800 && unit < 0xDC00) {
      if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] >= 0xE000) return std::nullopt;
      PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xDC80 && unit < 0xDD00) {
      out += static_cast<char>(unit & 0xFF);
    } else if (unit >= 0xDC00 && unit < 0xE000) {
      return std::nullopt;
    } else {
      PutUtf8(out, unit);
    }
  }
  return out;
}

TRegValue HexValueOfType(uint32_t type, std::vector<uint8_t> bytes) {
  TRegValue value;
  value.Type = type;
  if (type == StringType || type == ExpandStringType) {
    auto text = DecodeRegString(bytes);
    value.Raw = !text;
    if (text) value.Text = std::move(*text);
    // An expandable string is kept as read; it is no value the program writes.
    if (value.Raw || type == ExpandStringType) value.Bytes = std::move(bytes);
  } else if (type == DwordType && bytes.size() == 4) {
    value.Dword = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  } else {
    value.Raw = type == DwordType;
    value.Bytes = std::move(bytes);
  }
  return value;
}

std::optional<TRegValue> ParseData(std::string_view data) {
  TRegValue value;
  if (!data.empty() && data[0] == '"') {
    size_t pos = 0;
    auto text = ParseQuoted(data, pos);
    if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
    value.Type = StringType;
    value.Text = std::move(*text);
    return value;
  }
  if (data.starts_with("dword:")) {
    const std::string_view digits = Trim(data.substr(6));
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t v = 0;
    for (char c : digits) {
      const int digit = HexValue(c);
      if (digit < 0) return std::nullopt;
      v = v * 16 + static_cast<uint32_t>(digit);
    }
    value.Type = DwordType;
    value.Dword = v;
    return value;
  }
  if (data.starts_with("hex")) {
    size_t colon = data.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    uint32_t type = BinaryType;
    if (colon > 3) {  // hex(N):
      const std::string_view inner = data.substr(3, colon - 3);
      if (inner.size() < 3 || inner.front() != '(' || inner.back() != ')') return std::nullopt;
      type = 0;
      for (size_t i = 1; i + 1 < inner.size(); ++i) {
        const int digit = HexValue(inner[i]);
        if (digit < 0 || type > 0x0FFFFFFF) return std::nullopt;
        type = type * 16 + static_cast<uint32_t>(digit);
      }
    }
    auto bytes = ParseHexBytes(data.substr(colon + 1));
    if (!bytes) return std::nullopt;
    return HexValueOfType(type, std::move(*bytes));
  }
  return std::nullopt;
}

std::string HexTypeText(uint32_t type, const std::vector<uint8_t>& bytes) {
  if (type == BinaryType) return "hex:" + HexBytes(bytes);
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "hex(%x):", type);
  return buffer + HexBytes(bytes);
}

std::string DataText(const TRegValue& value) {
  if (value.Raw || (value.Type != StringType && value.Type != DwordType))
    return HexTypeText(value.Type, value.Bytes);
  if (value.Type == DwordType) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", value.Dword);
    return buffer;
  }
  if (HasControlCharacter(value.Text)) return HexTypeText(StringType, EncodeRegString(value.Text));
  return "\"" + EscapeString(value.Text) + "\"";
}

// UTF-16LE text (as the Registry Editor exports it, after its BOM) to UTF-8.
// An unpaired surrogate becomes its three-byte form (as UTF-8 would spell it
// if it allowed one), so Utf8ToUtf16Le gives it back; an odd last byte, no
// part of any unit, is dropped.
std::string Utf16LeToUtf8(const std::string& raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 2; i + 1 < raw.size(); i += 2) {
    const uint32_t unit = static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < raw.size()) {
      const uint32_t low = static_cast<uint8_t>(raw[i + 2]) | (static_cast<uint8_t>(raw[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    PutUtf8(out, unit);
  }
  return out;
}

// The way back: well-formed UTF-8 and the three-byte form of a surrogate give
// their units; any other byte b (only text the program never read from a
// UTF-16 file holds one) travels as U+DC00 + b.
std::string Utf8ToUtf16Le(const std::string& text) {
  std::vector<uint8_t> units{0xFF, 0xFE};
  units.reserve(text.size() * 2 + 2);
  for (size_t i = 0; i < text.size();) {
    const auto [cp, length] = NextUtf8(text, i);
    const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    if (length > 0 && cp >= 0x10000) {
      PutUtf16(units, 0xD800 + ((cp - 0x10000) >> 10));
      PutUtf16(units, 0xDC00 + ((cp - 0x10000) & 0x3FF));
      i += length;
    } else if (length > 0) {
      PutUtf16(units, cp);
      i += length;
    } else if (i + 2 < text.size() && byte(i) == 0xED && byte(i + 1) >= 0xA0 && byte(i + 1) <= 0xBF &&
               (byte(i + 2) & 0xC0) == 0x80) {
      PutUtf16(units, 0xD000 | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F));
      i += 3;
    } else {
      PutUtf16(units, 0xDC00 | byte(i));
      ++i;
    }
  }
  return std::string(units.begin(), units.end());
}

struct TLogicalLine {
  std::string Text;      // the physical lines joined
  std::string Original;  // when continued: the physical lines as they were, joined by CR LF
  std::string& AsRead() { return Original.empty() ? Text : Original; }
};

// Hands each logical line of the text to `visit`, in order. Physical lines
// end with LF, CR LF or a CR alone. A line that holds '=' but no '="' and
// ends in a backslash goes on in the next (long hex values); a backslash on
// the last line continues nothing and is kept. What the joined line holds is
// followed as it grows, so a value continued over any number of lines is
// joined in linear time.
template <typename TVisit>
void ForEachLogicalLine(const std::string& text, TVisit visit) {
  TLogicalLine pending;
  bool continued = false;
  bool hasEquals = false;       // pending holds '='
  bool hasEqualsQuote = false;  // pending holds '="'
  const auto note = [&](std::string_view piece, char before) {
    for (size_t i = 0; i < piece.size(); ++i) {
      if (piece[i] == '=') hasEquals = true;
      if (piece[i] == '"' && (i > 0 ? piece[i - 1] : before) == '=') hasEqualsQuote = true;
    }
  };
  const auto take = [&](std::string_view line) {
    if (continued) {
      pending.Text.pop_back();
      const char before = pending.Text.empty() ? '\0' : pending.Text.back();
      if (pending.Original.empty()) pending.Original = pending.Text + '\\';
      pending.Original += "\r\n";
      pending.Original += line;
      const std::string_view piece = Trim(line);
      note(piece, before);
      pending.Text += piece;
    } else {
      pending.Text.assign(line);
      pending.Original.clear();
      hasEquals = hasEqualsQuote = false;
      note(line, '\0');
    }
    continued = !pending.Text.empty() && pending.Text.back() == '\\' && hasEquals && !hasEqualsQuote;
    if (!continued) visit(pending);
  };
  const std::string_view all(text);
  size_t start = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] != '\r' && all[i] != '\n') continue;
    take(all.substr(start, i - start));
    if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < all.size()) take(all.substr(start));
  if (continued) {
    // Kept as one line: its last backslash, now followed by a blank, must
    // not run on into what is written after it.
    pending.Original.clear();
    visit(pending);
  }
}

// A kept line that ends in a backslash (blanks may follow it), holds '=' and
// no '="' would swallow the line written after it: the writer puts a blank
// after such a line, and the reader takes that blank away again.
bool NeedsGuardBlank(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
  return end > 0 && line[end - 1] == '\\' && line.find('=') != std::string::npos &&
         line.find("=\"") == std::string::npos;
}

// A kept line as stored: as read, less the blank the writer adds.
std::string KeptLine(const std::string& line) {
  if (!line.empty() && line.back() == ' ') {
    std::string shorter = line.substr(0, line.size() - 1);
    if (NeedsGuardBlank(shorter)) return shorter;
  }
  return line;
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

// The path below HKEY_CURRENT_USER of a key line "[HKEY_CURRENT_USER\...]"
// that the tree can hold; empty for every other section line.
std::optional<std::string> OwnKeyPath(const std::string& line) {
  if (line.size() < 3 || line.front() != '[' || line.back() != ']' || line[1] == '-') return std::nullopt;
  const std::string prefix = std::string(HiveName) + "\\";
  if (!StartsWithNoCase(line.substr(1, prefix.size()), prefix)) return std::nullopt;
  std::string path = line.substr(1 + prefix.size(), line.size() - 2 - prefix.size());
  while (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.empty() || path.front() == '\\' || path.find("\\\\") != std::string::npos) return std::nullopt;
  return path;
}

bool IsSectionLine(const std::string& line) {
  const std::string_view trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() == '[';
}

void AppendLines(std::string& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (IsSectionLine(line)) out += "\r\n";
    out += line;
    out += NeedsGuardBlank(line) ? " \r\n" : "\r\n";
  }
}

std::string ToLower(const std::string& s) {
  std::string folded = s;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

}  // namespace

bool IsStringValue(const TRegValue& value) {
  return !value.Raw && (value.Type == StringType || value.Type == ExpandStringType);
}

std::string TRegistryTree::FoldPath(const std::string& path) {
  std::string folded = ToLower(path);
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

// A value's name may end in a backslash: only its case is folded.
std::string TRegistryTree::FoldName(const std::string& name) { return ToLower(name); }

bool TRegistryTree::TKey::operator==(const TKey& other) const {
  if (Name != other.Name || KeptLines != other.KeptLines || ForeignAfter != other.ForeignAfter ||
      Values.size() != other.Values.size())
    return false;
  for (size_t i = 0; i < Values.size(); ++i)
    if (Values[i].Name != other.Values[i].Name || !(Values[i].Value == other.Values[i].Value)) return false;
  return true;
}

bool TRegistryTree::operator==(const TRegistryTree& other) const {
  return FKeys == other.FKeys && FPreamble == other.FPreamble;
}

bool TRegistryTree::KeyExists(const std::string& path) const {
  const std::string folded = FoldPath(path);
  if (folded.empty()) return false;
  if (FKeys.count(folded) > 0) return true;
  const std::string below = folded + "\\";
  const auto next = FKeys.lower_bound(below);
  return next != FKeys.end() && next->first.compare(0, below.size(), below) == 0;
}

void TRegistryTree::CreateKey(const std::string& path) {
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  if (trimmed.empty() || FKeys.count(FoldPath(trimmed)) > 0) return;
  // Parents that do not exist in any way are created too, as the registry does.
  for (size_t pos = trimmed.find('\\'); pos != std::string::npos; pos = trimmed.find('\\', pos + 1)) {
    const std::string part = trimmed.substr(0, pos);
    if (!KeyExists(part)) FKeys[FoldPath(part)].Name = part;
  }
  FKeys[FoldPath(trimmed)].Name = trimmed;
}

TRegistryTree::TKey& TRegistryTree::KeyForPath(const std::string& path) {
  CreateKey(path);
  return FKeys[FoldPath(path)];
}

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace

uint64_t TRegistryTree::NameHash(std::string_view name) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
  return hash;
}

size_t TRegistryTree::TKey::Find(std::string_view name, uint64_t hash) const {
  if (Slots.empty()) return Values.size();
  const size_t mask = Slots.size() - 1;
  for (size_t slot = hash & mask; Slots[slot] != 0; slot = (slot + 1) & mask) {
    const TValueEntry& entry = Values[Slots[slot] - 1];
    if (entry.NameHash == hash && SameName(entry.Name, name)) return Slots[slot] - 1;
  }
  return Values.size();
}

void TRegistryTree::TKey::Index(size_t position) {
  const auto place = [this](size_t at) {
    const size_t mask = Slots.size() - 1;
    size_t slot = Values[at].NameHash & mask;
    while (Slots[slot] != 0) slot = (slot + 1) & mask;
    Slots[slot] = static_cast<uint32_t>(at + 1);
  };
  // At most half the slots are used, so a search soon meets an empty one.
  if (Values.size() * 2 > Slots.size()) {
    Slots.assign(std::max<size_t>(16, Slots.size() * 2), 0);
    for (size_t i = 0; i < Values.size(); ++i)
      if (i != position) place(i);
  }
  place(position);
}

const TRegValue* TRegistryTree::FindValue(const std::string& path, const std::string& name) const {
  const auto key = FKeys.find(FoldPath(path));
  if (key == FKeys.end()) return nullptr;
  const size_t position = key->second.Find(name, NameHash(name));
  return position < key->second.Values.size() ? &key->second.Values[position].Value : nullptr;
}

bool TRegistryTree::SetInKey(TKey& key, std::string name, TRegValue value, std::string line) {
  const uint64_t hash = NameHash(name);
  const size_t position = key.Find(name, hash);
  if (position == key.Values.size()) {
    key.Values.push_back({std::move(name), std::move(value), std::move(line), hash});
    key.Index(position);
    return true;
  }
  TValueEntry& entry = key.Values[position];
  if (line.empty() && entry.Value == value) return false;  // the line as read stays
  // A value read again is written as its last line, name spelling and all.
  if (!line.empty()) entry.Name = std::move(name);
  entry.Value = std::move(value);
  entry.Line = std::move(line);
  return true;
}

bool TRegistryTree::SetValue(const std::string& path, const std::string& name, TRegValue value) {
  return SetInKey(KeyForPath(path), name, std::move(value), {});
}

std::vector<std::string> TRegistryTree::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  auto key = FKeys.find(FoldPath(path));
  if (key != FKeys.end())
    for (const TValueEntry& entry : key->second.Values) names.push_back(entry.Name);
  return names;
}

std::vector<std::string> TRegistryTree::KeyPaths() const {
  std::vector<std::string> paths;
  for (const auto& entry : FKeys) paths.push_back(entry.second.Name);
  return paths;
}

std::string TRegistryTree::ToRegText() const {
  std::string out = std::string(RegHeader) + "\r\n";
  AppendLines(out, FPreamble);
  for (const auto& [folded, key] : FKeys) {
    out += "\r\n[" + std::string(HiveName) + "\\" + key.Name + "]\r\n";
    for (const TValueEntry& entry : key.Values) {
      if (!entry.Line.empty()) {
        out += entry.Line;
      } else {
        out += entry.Name.empty() ? std::string("@") : "\"" + EscapeString(entry.Name) + "\"";
        out += '=';
        out += DataText(entry.Value);
      }
      out += "\r\n";
    }
    AppendLines(out, key.KeptLines);
    AppendLines(out, key.ForeignAfter);
  }
  out += "\r\n";
  return out;
}

std::string TRegistryTree::ToFileText() const {
  switch (FEncoding) {
    case TTextEncoding::rteUtf16Le:
      return Utf8ToUtf16Le(ToRegText());
    case TTextEncoding::rteUtf8WithBom:
      return "\xEF\xBB\xBF" + ToRegText();
    case TTextEncoding::rteUtf8:
      break;
  }
  return ToRegText();
}

TRegistryTree TRegistryTree::FromRegText(const std::string& raw) {
  TRegistryTree tree;
  std::string text;
  if (raw.size() >= 2 && static_cast<uint8_t>(raw[0]) == 0xFF && static_cast<uint8_t>(raw[1]) == 0xFE) {
    text = Utf16LeToUtf8(raw);
    tree.FEncoding = TTextEncoding::rteUtf16Le;
  } else if (raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text = raw.substr(3);
    tree.FEncoding = TTextEncoding::rteUtf8WithBom;
  } else {
    text = raw;
  }

  TKey* currentKey = nullptr;  // the last key of ours, if any
  bool inForeign = false;      // inside a section that is not ours
  std::vector<std::string>* foreign = &tree.FPreamble;
  ForEachLogicalLine(text, [&](TLogicalLine& logical) {
    const std::string_view line = Trim(logical.Text);
    if (line.empty() || line == RegHeader) return;
    if (line.front() == '[') {
      if (const auto path = OwnKeyPath(std::string(line))) {
        // A key read from the file is held alone: its parents exist through it.
        currentKey = &tree.FKeys[FoldPath(*path)];
        if (currentKey->Name.empty()) currentKey->Name = *path;
        foreign = &currentKey->ForeignAfter;
        inForeign = false;
      } else {
        inForeign = true;
        foreign->push_back(KeptLine(logical.AsRead()));
      }
      return;
    }
    if (inForeign || !currentKey) {
      foreign->push_back(KeptLine(logical.AsRead()));
      return;
    }
    std::string name;
    size_t pos = 0;
    bool parsed = false;
    if (line[0] == '@') {
      pos = 1;
      parsed = true;
    } else if (auto quoted = ParseQuoted(line, pos)) {
      name = std::move(*quoted);
      parsed = true;
    }
    std::optional<TRegValue> value;
    if (parsed && pos < line.size() && line[pos] == '=') value = ParseData(Trim(line.substr(pos + 1)));
    if (value)
      SetInKey(*currentKey, std::move(name), std::move(*value), std::move(logical.AsRead()));
    else
      currentKey->KeptLines.push_back(KeptLine(logical.AsRead()));
  });
  return tree;
}

void TRegistryTree::NoteUnreadValue(const std::string& path, const std::string& name,
                                    const std::string& error, bool reported) {
  const std::string foldedPath = FoldPath(path);
  const std::string foldedName = FoldName(name);
  for (const TUnreadValue& unread : FUnread)
    if (FoldPath(unread.Path) == foldedPath && FoldName(unread.Name) == foldedName) return;
  FUnread.push_back({path, name, error, reported, std::nullopt, FindValue(path, name) != nullptr});
}

void TRegistryTree::SetUnreadFallbacks(const TRegistryTree& written) {
  for (TUnreadValue& unread : FUnread)
    if (const TRegValue* value = written.FindValue(unread.Path, unread.Name)) unread.Fallback = *value;
}

bool TRegistryTree::HoldsUnreadValue(const std::string& path, const std::string& name,
                                     const TRegValue& value) {
  const std::string foldedPath = FoldPath(path);
  const std::string foldedName = FoldName(name);
  for (TUnreadValue& unread : FUnread) {
    if (!unread.Held || FoldPath(unread.Path) != foldedPath || FoldName(unread.Name) != foldedName) continue;
    if (unread.Fallback && *unread.Fallback == value) return true;
    unread.Held = false;  // the setting was changed: its new value is stored from now on
  }
  return false;
}

bool TRegistryTree::Merge(const TRegistryTree& written) {
  bool changed = false;
  for (const auto& [folded, key] : written.FKeys) {
    if (!KeyExists(key.Name)) {
      CreateKey(key.Name);
      changed = true;
    }
    for (const TValueEntry& entry : key.Values)
      if (!HoldsUnreadValue(key.Name, entry.Name, entry.Value))
        changed |= SetValue(key.Name, entry.Name, entry.Value);
  }
  return changed;
}

namespace {

std::string SystemError(int error) { return std::strerror(error); }

// The file a save writes: the path itself, or the final target of a chain of
// symbolic links (relative links are taken from their own folder).
std::string ResolveLinks(const std::string& fileName) {
  namespace fs = std::filesystem;
  fs::path path(fileName);
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path.string();
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0)
      throw ERegistryException("Cannot write the settings file '" + fileName + "': " + SystemError(errno));
    target.resize(static_cast<size_t>(length));
    const fs::path next(target);
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  throw ERegistryException("Cannot write the settings file '" + fileName + "': " + SystemError(ELOOP));
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// While alive, a write beyond the file-size limit fails with EFBIG instead of
// ending the program: SIGXFSZ is blocked in this thread, and one that a write
// raised is taken before the signal is let through again.
class TFileSizeSignalGuard {
 public:
  TFileSizeSignalGuard() {
    ::sigemptyset(&FSignal);
    ::sigaddset(&FSignal, SIGXFSZ);
    ::pthread_sigmask(SIG_BLOCK, &FSignal, &FPrevious);
  }
  ~TFileSizeSignalGuard() {
    const timespec noWait{0, 0};
    while (::sigtimedwait(&FSignal, nullptr, &noWait) == SIGXFSZ) {
    }
    ::pthread_sigmask(SIG_SETMASK, &FPrevious, nullptr);
  }
  TFileSizeSignalGuard(const TFileSizeSignalGuard&) = delete;
  TFileSizeSignalGuard& operator=(const TFileSizeSignalGuard&) = delete;

 private:
  sigset_t FSignal{};
  sigset_t FPrevious{};
};

bool SameFile(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// A new temporary file beside the target, locked for as long as it is open:
// the lock tells a running save's file from one left by a killed save. A
// file that a cleaner took away before the lock was had is made again.
int CreateLockedTemporary(std::string& name, const std::string& pattern) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    name = pattern;
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX) == 0 && SameFile(fd, name)) return fd;
    ::close(fd);
  }
  errno = EAGAIN;
  return -1;
}

// "." + the file's name + "." and the six characters mkstemp puts there.
bool IsTemporaryName(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

TRegistryFileRead ReadRegistryFile(const std::string& fileName) {
  TRegistryFileRead read;
  // Not blocking on a pipe in the file's place; it is refused below.
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    read.Status = errno == ENOENT ? TRegistryFileStatus::rfsMissing : TRegistryFileStatus::rfsUnreadable;
    if (read.Status == TRegistryFileStatus::rfsUnreadable) read.Error = SystemError(errno);
    return read;
  }
  struct stat info {};
  std::string text;
  int error = 0;
  if (::fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
  } else {
    char buffer[65536];
    while (true) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n < 0) error = errno;
      if (n <= 0) break;
      text.append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(fd);
  if (error != 0) {
    read.Status = TRegistryFileStatus::rfsUnreadable;
    read.Error = SystemError(error);
    return read;
  }
  read.Status = TRegistryFileStatus::rfsRead;
  read.Tree = TRegistryTree::FromRegText(text);
  return read;
}

TRegistryTree LoadRegistryFile(const std::string& fileName) { return ReadRegistryFile(fileName).Tree; }

void SaveRegistryFile(const TRegistryTree& tree, const std::string& fileName) {
  namespace fs = std::filesystem;
  const std::string targetName = ResolveLinks(fileName);
  const fs::path target(targetName);
  std::error_code ignored;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ignored);
  auto fail = [&fileName](const std::string& what, int error) {
    throw ERegistryException("Cannot " + what + " the settings file '" + fileName +
                             "': " + SystemError(error));
  };

  const std::string text = tree.ToFileText();
  const TFileSizeSignalGuard fileSizeGuard;
  std::string temporary;
  const int fd = CreateLockedTemporary(
      temporary, (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string());
  if (fd < 0) fail("write", errno);
  struct stat existing {};
  const bool exists = ::stat(targetName.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  bool ok = ::fchmod(fd, exists ? existing.st_mode & 07777 : NewFileMode()) == 0;
  if (ok && exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()))
    (void)!::fchown(fd, existing.st_uid, existing.st_gid);  // best effort: a file shared with a group
  ok = ok && WriteAll(fd, text) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (!ok) {
    ::unlink(temporary.c_str());
    ::close(fd);
    fail("write", writeError);
  }
  // Renamed while still open and locked, so no cleaner takes it for a leftover.
  if (::rename(temporary.c_str(), targetName.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    ::close(fd);
    fail("replace", renameError);
  }
  ::close(fd);
  // The rename itself reaches the disk with the folder.
  const int folder = ::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

int RemoveStaleTemporaryFiles(const std::string& fileName) {
  namespace fs = std::filesystem;
  fs::path target;
  try {
    target = ResolveLinks(fileName);
  } catch (const ERegistryException&) {
    target = fileName;
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string prefix = "." + target.filename().string() + ".";
  std::error_code error;
  int removed = 0;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (!IsTemporaryName(name, prefix)) continue;
    const std::string path = entry->path().string();
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A running save holds its file locked; a killed one's lock is gone.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path) && ::unlink(path.c_str()) == 0) ++removed;
    ::close(fd);
  }
  return removed;
}

}  // namespace Parlamine
