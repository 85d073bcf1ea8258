// SPDX-License-Identifier: MIT
#include "RegistryTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace Parlamine {

namespace {

constexpr const char* RegHeader = "Windows Registry Editor Version 5.00";
constexpr uint32_t StringType = static_cast<uint32_t>(TRegValueType::rvString);
constexpr uint32_t ExpandStringType = static_cast<uint32_t>(TRegValueType::rvExpandString);
constexpr uint32_t BinaryType = static_cast<uint32_t>(TRegValueType::rvBinary);
constexpr uint32_t DwordType = static_cast<uint32_t>(TRegValueType::rvDword);

std::string Trim(const std::string& s) {
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

std::optional<std::vector<uint8_t>> ParseHexBytes(const std::string& text) {
  std::vector<uint8_t> bytes;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = Trim(text.substr(start, comma - start));
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
std::optional<std::string> ParseQuoted(const std::string& text, size_t& pos) {
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

std::optional<TRegValue> ParseData(const std::string& data) {
  TRegValue value;
  if (!data.empty() && data[0] == '"') {
    size_t pos = 0;
    auto text = ParseQuoted(data, pos);
    if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
    value.Type = StringType;
    value.Text = *text;
    return value;
  }
  if (data.rfind("dword:", 0) == 0) {
    const std::string digits = Trim(data.substr(6));
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
  if (data.rfind("hex", 0) == 0) {
    size_t colon = data.find(':');
    if (colon == std::string::npos) return std::nullopt;
    uint32_t type = BinaryType;
    if (colon > 3) {  // hex(N):
      const std::string inner = data.substr(3, colon - 3);
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

// UTF-16LE text (as the Registry Editor exports it) to UTF-8; only the BMP
// and surrogate pairs are handled, invalid units become '?'.
std::string Utf16LeToUtf8(const std::string& raw) {
  std::string out;
  for (size_t i = 2; i + 1 < raw.size(); i += 2) {
    uint32_t unit = static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < raw.size()) {
      const uint32_t low = static_cast<uint8_t>(raw[i + 2]) | (static_cast<uint8_t>(raw[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
      unit = '?';
    } else if (unit >= 0xD800 && unit < 0xE000) {
      unit = '?';
    }
    PutUtf8(out, unit);
  }
  return out;
}

// The physical lines: ends are LF, CR LF or a CR alone.
std::vector<std::string> PhysicalLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Joins lines continued with a trailing backslash (long hex values). A
// backslash on the last line continues nothing and is kept.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string pending;
  bool continued = false;
  for (const std::string& line : PhysicalLines(text)) {
    if (continued) {
      pending.pop_back();
      pending += Trim(line);
    } else {
      pending = line;
    }
    continued = !pending.empty() && pending.back() == '\\' && pending.find('=') != std::string::npos &&
                pending.find("=\"") == std::string::npos;
    if (continued) continue;
    lines.push_back(pending);
    pending.clear();
  }
  if (continued) lines.push_back(pending);
  return lines;
}

// A kept line as stored: without trailing blanks, which the writer may add.
std::string KeptLine(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
  return line.substr(0, end);
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
  const std::string full = line.substr(1, line.size() - 2);
  if (!StartsWithNoCase(full, prefix)) return std::nullopt;
  std::string path = full.substr(prefix.size());
  while (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.empty() || path.front() == '\\' || path.find("\\\\") != std::string::npos) return std::nullopt;
  return path;
}

bool IsSectionLine(const std::string& line) {
  const std::string trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() == '[';
}

void AppendLines(std::string& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (IsSectionLine(line)) out += "\r\n";
    // A blank after a final backslash keeps the next line from being joined to it.
    out += line + (!line.empty() && line.back() == '\\' ? " \r\n" : "\r\n");
  }
}

}  // namespace

bool IsStringValue(const TRegValue& value) {
  return !value.Raw && (value.Type == StringType || value.Type == ExpandStringType);
}

std::string TRegistryTree::Fold(const std::string& s) {
  std::string folded = s;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

bool TRegistryTree::KeyExists(const std::string& path) const { return FKeys.count(Fold(path)) > 0; }

void TRegistryTree::CreateKey(const std::string& path) {
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  if (trimmed.empty()) return;
  size_t pos = 0;
  while (true) {
    pos = trimmed.find('\\', pos);
    const std::string part = trimmed.substr(0, pos);
    auto& key = FKeys[Fold(part)];
    if (key.Name.empty()) key.Name = part;
    if (pos == std::string::npos) break;
    ++pos;
  }
}

const TRegValue* TRegistryTree::FindValue(const std::string& path, const std::string& name) const {
  auto key = FKeys.find(Fold(path));
  if (key == FKeys.end()) return nullptr;
  const std::string folded = Fold(name);
  for (const auto& [valueName, value] : key->second.Values)
    if (Fold(valueName) == folded) return &value;
  return nullptr;
}

void TRegistryTree::SetValue(const std::string& path, const std::string& name, TRegValue value) {
  CreateKey(path);
  auto& values = FKeys[Fold(path)].Values;
  const std::string folded = Fold(name);
  for (auto& [valueName, existing] : values) {
    if (Fold(valueName) == folded) {
      existing = std::move(value);
      return;
    }
  }
  values.emplace_back(name, std::move(value));
}

std::vector<std::string> TRegistryTree::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  auto key = FKeys.find(Fold(path));
  if (key != FKeys.end())
    for (const auto& value : key->second.Values) names.push_back(value.first);
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
    for (const auto& [name, value] : key.Values) {
      out += name.empty() ? std::string("@") : "\"" + EscapeString(name) + "\"";
      out += '=' + DataText(value) + "\r\n";
    }
    AppendLines(out, key.KeptLines);
    AppendLines(out, key.ForeignAfter);
  }
  out += "\r\n";
  return out;
}

TRegistryTree TRegistryTree::FromRegText(const std::string& raw) {
  std::string text = raw;
  if (text.size() >= 2 && static_cast<uint8_t>(text[0]) == 0xFF && static_cast<uint8_t>(text[1]) == 0xFE)
    text = Utf16LeToUtf8(text);
  else if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
    text = text.substr(3);

  TRegistryTree tree;
  TKey* currentKey = nullptr;  // the last key of ours, if any
  bool inForeign = false;      // inside a section that is not ours
  std::vector<std::string>* foreign = &tree.FPreamble;
  for (const std::string& rawLine : LogicalLines(text)) {
    const std::string line = Trim(rawLine);
    if (line.empty() || line == RegHeader) continue;
    if (line.front() == '[') {
      if (const auto path = OwnKeyPath(line)) {
        tree.CreateKey(*path);
        currentKey = &tree.FKeys[Fold(*path)];
        foreign = &currentKey->ForeignAfter;
        inForeign = false;
      } else {
        inForeign = true;
        foreign->push_back(KeptLine(rawLine));
      }
      continue;
    }
    if (inForeign || !currentKey) {
      foreign->push_back(KeptLine(rawLine));
      continue;
    }
    std::string name;
    size_t pos = 0;
    bool parsed = false;
    if (line[0] == '@') {
      pos = 1;
      parsed = true;
    } else if (auto quoted = ParseQuoted(line, pos)) {
      name = *quoted;
      parsed = true;
    }
    std::optional<TRegValue> value;
    if (parsed && pos < line.size() && line[pos] == '=') value = ParseData(Trim(line.substr(pos + 1)));
    if (value)
      tree.SetValue(currentKey->Name, name, std::move(*value));
    else
      currentKey->KeptLines.push_back(KeptLine(rawLine));
  }
  return tree;
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

  std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) fail("write", errno);
  struct stat existing {};
  const bool exists = ::stat(targetName.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  const std::string text = tree.ToRegText();
  bool ok = ::fchmod(fd, exists ? existing.st_mode & 07777 : NewFileMode()) == 0;
  if (ok && exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()))
    (void)!::fchown(fd, existing.st_uid, existing.st_gid);  // best effort: a file shared with a group
  ok = ok && WriteAll(fd, text) && ::fsync(fd) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (!ok || !closed) {
    ::unlink(temporary.c_str());
    fail("write", ok ? errno : writeError);
  }
  if (::rename(temporary.c_str(), targetName.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    fail("replace", renameError);
  }
  // The rename itself reaches the disk with the folder.
  const int folder = ::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace Parlamine
