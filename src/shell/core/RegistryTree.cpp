// SPDX-License-Identifier: MIT
#include "RegistryTree.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace Parlamine {

namespace {

constexpr const char* RegHeader = "Windows Registry Editor Version 5.00";

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
  std::string item;
  std::stringstream in(text);
  while (std::getline(in, item, ',')) {
    item = Trim(item);
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

std::optional<TRegValue> ParseData(const std::string& data) {
  TRegValue value;
  if (!data.empty() && data[0] == '"') {
    size_t pos = 0;
    auto text = ParseQuoted(data, pos);
    if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
    value.Type = static_cast<uint32_t>(TRegValueType::rvString);
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
    value.Type = static_cast<uint32_t>(TRegValueType::rvDword);
    value.Dword = v;
    return value;
  }
  if (data.rfind("hex", 0) == 0) {
    size_t colon = data.find(':');
    if (colon == std::string::npos) return std::nullopt;
    uint32_t type = static_cast<uint32_t>(TRegValueType::rvBinary);
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
    value.Type = type;
    value.Bytes = std::move(*bytes);
    return value;
  }
  return std::nullopt;
}

// UTF-16LE text (as the Registry Editor exports it) to UTF-8; only the BMP
// and surrogate pairs are handled, invalid units become '?'.
std::string Utf16LeToUtf8(const std::string& raw) {
  std::string out;
  auto put = [&out](uint32_t cp) {
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
  };
  for (size_t i = 2; i + 1 < raw.size(); i += 2) {
    uint32_t unit = static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < raw.size()) {
      const uint32_t low = static_cast<uint8_t>(raw[i + 2]) | (static_cast<uint8_t>(raw[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        put(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
      unit = '?';
    } else if (unit >= 0xD800 && unit < 0xE000) {
      unit = '?';
    }
    put(unit);
  }
  return out;
}

// Joins lines continued with a trailing backslash (long hex values).
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line, pending;
  std::stringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (!pending.empty()) {
      pending += trimmed;
    } else {
      pending = line;
    }
    if (!pending.empty() && pending.back() == '\\' && pending.find('=') != std::string::npos &&
        pending.find("=\"") == std::string::npos) {
      pending.pop_back();
      continue;
    }
    lines.push_back(pending);
    pending.clear();
  }
  if (!pending.empty()) lines.push_back(pending);
  return lines;
}

std::string RelativeKeyPath(const std::string& fullPath) {
  const std::string hive = std::string(HiveName);
  if (fullPath.size() > hive.size() && fullPath.compare(0, hive.size(), hive) == 0 &&
      fullPath[hive.size()] == '\\')
    return fullPath.substr(hive.size() + 1);
  return {};
}

}  // namespace

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
  for (const auto& [folded, key] : FKeys) {
    out += "\r\n[" + std::string(HiveName) + "\\" + key.Name + "]\r\n";
    for (const auto& [name, value] : key.Values) {
      out += name.empty() ? std::string("@") : "\"" + EscapeString(name) + "\"";
      out += '=';
      switch (value.Type) {
        case static_cast<uint32_t>(TRegValueType::rvString):
          out += "\"" + EscapeString(value.Text) + "\"";
          break;
        case static_cast<uint32_t>(TRegValueType::rvDword): {
          char buffer[16];
          std::snprintf(buffer, sizeof buffer, "dword:%08x", value.Dword);
          out += buffer;
          break;
        }
        case static_cast<uint32_t>(TRegValueType::rvBinary):
          out += "hex:" + HexBytes(value.Bytes);
          break;
        default: {
          char buffer[24];
          std::snprintf(buffer, sizeof buffer, "hex(%x):", value.Type);
          out += buffer + HexBytes(value.Bytes);
        }
      }
      out += "\r\n";
    }
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
  std::string currentKey;  // empty: outside any key we understand
  for (const std::string& rawLine : LogicalLines(text)) {
    const std::string line = Trim(rawLine);
    if (line.empty() || line[0] == ';' || line == RegHeader) continue;
    if (line.front() == '[') {
      currentKey.clear();
      if (line.back() != ']' || line.size() < 3 || line[1] == '-') continue;
      currentKey = RelativeKeyPath(line.substr(1, line.size() - 2));
      if (!currentKey.empty()) tree.CreateKey(currentKey);
      continue;
    }
    if (currentKey.empty()) continue;
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else {
      auto quoted = ParseQuoted(line, pos);
      if (!quoted) continue;
      name = *quoted;
    }
    if (pos >= line.size() || line[pos] != '=') continue;
    auto value = ParseData(Trim(line.substr(pos + 1)));
    if (value) tree.SetValue(currentKey, name, std::move(*value));
  }
  return tree;
}

TRegistryTree LoadRegistryFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return {};
  std::stringstream buffer;
  buffer << in.rdbuf();
  return TRegistryTree::FromRegText(buffer.str());
}

void SaveRegistryFile(const TRegistryTree& tree, const std::string& fileName) {
  namespace fs = std::filesystem;
  const fs::path target(fileName);
  std::error_code error;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
  const std::string temporary = fileName + ".tmp";
  const std::string text = tree.ToRegText();
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) throw ERegistryException("Cannot write the settings file '" + fileName + "': " + std::strerror(errno));
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                       std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
  const int savedErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::remove(temporary.c_str());
    throw ERegistryException("Cannot write the settings file '" + fileName + "': " + std::strerror(savedErrno));
  }
  fs::rename(temporary, target, error);
  if (error) {
    std::remove(temporary.c_str());
    throw ERegistryException("Cannot replace the settings file '" + fileName + "': " + error.message());
  }
}

}  // namespace Parlamine
