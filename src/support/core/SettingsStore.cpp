// SPDX-License-Identifier: MIT
#include "SettingsStore.h"

#include <charconv>
#include <cstring>

namespace Parlamine {

namespace {

constexpr uint32_t StringType = static_cast<uint32_t>(TRegValueType::rvString);
constexpr uint32_t DwordType = static_cast<uint32_t>(TRegValueType::rvDword);
constexpr uint32_t BinaryType = static_cast<uint32_t>(TRegValueType::rvBinary);

// Decimal text to a signed 32-bit integer: an optional sign and digits, or
// '$'/"0x" followed by hexadecimal digits, nothing else.
std::optional<int32_t> ParseInt32(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const char* begin = text.data();
  const char* end = begin + text.size();
  bool negative = false;
  if (*begin == '+' || *begin == '-') {
    negative = *begin == '-';
    ++begin;
  }
  int base = 10;
  if (begin < end && *begin == '$') {
    base = 16;
    ++begin;
  } else if (end - begin > 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) {
    base = 16;
    begin += 2;
  }
  if (begin == end) return std::nullopt;
  int64_t magnitude = 0;
  auto [ptr, error] = std::from_chars(begin, end, magnitude, base);
  if (error != std::errc() || ptr != end || magnitude < 0) return std::nullopt;
  const int64_t value = negative ? -magnitude : magnitude;
  // Hexadecimal text may spell the 32-bit pattern of a negative number.
  if (base == 16 && !negative && value <= 0xFFFFFFFFLL)
    return static_cast<int32_t>(static_cast<uint32_t>(value));
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

TRegValue StringValue(const std::string& text) {
  TRegValue value;
  value.Type = StringType;
  value.Text = text;
  return value;
}

}  // namespace

TSectionedStore::TSectionedStore(TRegistryTree& tree, std::string rootPath)
    : FTree(tree), FRootPath(std::move(rootPath)) {
  FTree.CreateKey(FRootPath);
}

std::string TSectionedStore::SectionPath(const std::string& section) const {
  return section.empty() ? FRootPath : FRootPath + "\\" + section;
}

int32_t TSectionedStore::ReadInteger(const std::string& section, const std::string& name,
                                     int32_t defaultValue) const {
  const std::string path = SectionPath(section);
  const TRegValue* value = FTree.FindValue(path, name);
  if (!value) return defaultValue;
  const std::optional<int32_t> number = IsStringValue(*value) ? ParseInt32(value->Text) : std::nullopt;
  if (number) return *number;
  FTree.NoteUnreadValue(path, name, "'" + name + "' is not a number", false);
  return defaultValue;
}

bool TSectionedStore::ReadBool(const std::string& section, const std::string& name, bool defaultValue) const {
  return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

std::string TSectionedStore::ReadString(const std::string& section, const std::string& name,
                                        const std::string& defaultValue) const {
  const std::string path = SectionPath(section);
  const TRegValue* value = FTree.FindValue(path, name);
  if (!value) return defaultValue;
  if (IsStringValue(*value)) return value->Text;
  FTree.NoteUnreadValue(path, name, "Invalid data type for '" + name + "'", false);
  return defaultValue;
}

void TSectionedStore::WriteInteger(const std::string& section, const std::string& name, int32_t value) {
  FTree.SetValue(SectionPath(section), name, StringValue(std::to_string(value)));
}

void TSectionedStore::WriteBool(const std::string& section, const std::string& name, bool value) {
  FTree.SetValue(SectionPath(section), name, StringValue(value ? "1" : "0"));
}

void TSectionedStore::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value) {
  FTree.SetValue(SectionPath(section), name, StringValue(value));
}

bool TDirectStore::OpenKey(const std::string& path, bool canCreate) {
  CloseKey();
  if (!FTree.KeyExists(path)) {
    if (!canCreate) return false;
    FTree.CreateKey(path);
  }
  FCurrentPath = path;
  FOpen = true;
  return true;
}

void TDirectStore::CloseKey() {
  FCurrentPath.clear();
  FOpen = false;
}

bool TDirectStore::ValueExists(const std::string& name) const {
  return FOpen && FTree.FindValue(FCurrentPath, name) != nullptr;
}

const TRegValue& TDirectStore::Require(const std::string& name, TRegValueType type) const {
  const TRegValue* value = FOpen ? FTree.FindValue(FCurrentPath, name) : nullptr;
  const bool matches =
      value && (type == TRegValueType::rvString ? IsStringValue(*value)
                                                : value->Type == static_cast<uint32_t>(type) && !value->Raw);
  if (matches) return *value;
  const std::string error = (value ? "Invalid data type for '" : "Failed to get data for '") + name + "'";
  NoteUnreadValue(name, error);
  throw ERegistryException(error);
}

void TDirectStore::NoteUnreadValue(const std::string& name, const std::string& error) const {
  if (FOpen) FTree.NoteUnreadValue(FCurrentPath, name, error, true);
}

int32_t TDirectStore::ReadInteger(const std::string& name) const {
  return static_cast<int32_t>(Require(name, TRegValueType::rvDword).Dword);
}

std::string TDirectStore::ReadString(const std::string& name) const {
  return Require(name, TRegValueType::rvString).Text;
}

std::vector<uint8_t> TDirectStore::ReadBinaryData(const std::string& name) const {
  return Require(name, TRegValueType::rvBinary).Bytes;
}

void TDirectStore::WriteInteger(const std::string& name, int32_t value) {
  if (!FOpen) throw ERegistryException("Failed to set data for '" + name + "'");
  TRegValue v;
  v.Type = DwordType;
  v.Dword = static_cast<uint32_t>(value);
  FTree.SetValue(FCurrentPath, name, std::move(v));
}

void TDirectStore::WriteString(const std::string& name, const std::string& value) {
  if (!FOpen) throw ERegistryException("Failed to set data for '" + name + "'");
  FTree.SetValue(FCurrentPath, name, StringValue(value));
}

void TDirectStore::WriteBinaryData(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (!FOpen) throw ERegistryException("Failed to set data for '" + name + "'");
  TRegValue v;
  v.Type = BinaryType;
  v.Bytes = bytes;
  FTree.SetValue(FCurrentPath, name, std::move(v));
}

void TRecordWriter::Int32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) FBytes.push_back(static_cast<uint8_t>(u >> shift));
}

void TRecordWriter::UInt8(uint8_t v) { FBytes.push_back(v); }

void TRecordWriter::Float64(double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  for (int shift = 0; shift < 64; shift += 8) FBytes.push_back(static_cast<uint8_t>(bits >> shift));
}

void TRecordWriter::Padding(size_t count) { FBytes.insert(FBytes.end(), count, 0); }

void TRecordReader::Check(size_t offset, size_t size) const {
  if (offset > FBytes.size() || size > FBytes.size() - offset) throw ERegistryException("Range check error");
}

int32_t TRecordReader::Int32(size_t offset) const {
  Check(offset, 4);
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | FBytes[offset + static_cast<size_t>(i)];
  return static_cast<int32_t>(u);
}

uint8_t TRecordReader::UInt8(size_t offset) const {
  Check(offset, 1);
  return FBytes[offset];
}

double TRecordReader::Float64(size_t offset) const {
  Check(offset, 8);
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | FBytes[offset + static_cast<size_t>(i)];
  double v = 0;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace Parlamine
