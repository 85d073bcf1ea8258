// SPDX-License-Identifier: MIT
// The two ways the program reads and writes its settings tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RegistryTree.h"

namespace Parlamine {

// Sectioned access: numbers and flags as decimal text, with a default on read.
// A section is a subkey of the root; the empty section is the root itself.
class TSectionedStore {
 public:
  TSectionedStore(TRegistryTree& tree, std::string rootPath);

  // The stored text as a signed 32-bit integer; the default when the value is
  // missing, not a string, or not a valid integer. A stored value that cannot
  // be read is noted in the tree (silently: its default is the rule), so that
  // it stays in the file until the setting is changed.
  int32_t ReadInteger(const std::string& section, const std::string& name, int32_t defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& name, bool defaultValue) const;
  std::string ReadString(const std::string& section, const std::string& name,
                         const std::string& defaultValue) const;

  void WriteInteger(const std::string& section, const std::string& name, int32_t value);
  void WriteBool(const std::string& section, const std::string& name, bool value);
  void WriteString(const std::string& section, const std::string& name, const std::string& value);

  const std::string& RootPath() const { return FRootPath; }
  TRegistryTree& Tree() { return FTree; }

 private:
  std::string SectionPath(const std::string& section) const;
  TRegistryTree& FTree;
  std::string FRootPath;
};

// Direct access: typed DWORD, binary and string values of one open key, with
// no defaults. Reads of a missing value throw "Failed to get data for '%s'",
// reads of a value of another type "Invalid data type for '%s'"; both are
// noted in the tree as unread values the user is told of.
class TDirectStore {
 public:
  explicit TDirectStore(TRegistryTree& tree) : FTree(tree) {}

  // Opens a key by its path below HKEY_CURRENT_USER; with canCreate false a
  // missing key is not opened and the result is false.
  bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey();
  bool KeyExists(const std::string& path) const { return FTree.KeyExists(path); }
  bool ValueExists(const std::string& name) const;
  const std::string& CurrentPath() const { return FCurrentPath; }

  int32_t ReadInteger(const std::string& name) const;
  std::string ReadString(const std::string& name) const;
  // The whole binary value; its size is for the caller to check.
  std::vector<uint8_t> ReadBinaryData(const std::string& name) const;

  void WriteInteger(const std::string& name, int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& bytes);

  // Notes a value of the open key that its reader could not use (a record
  // of the wrong size), as a mistyped read does.
  void NoteUnreadValue(const std::string& name, const std::string& error) const;

 private:
  const TRegValue& Require(const std::string& name, TRegValueType type) const;
  TRegistryTree& FTree;
  std::string FCurrentPath;
  bool FOpen = false;
};

// Little-endian packing of the stored binary records, independent of the
// host's struct layout.
class TRecordWriter {
 public:
  void Int32(int32_t v);
  void UInt8(uint8_t v);
  void Float64(double v);
  void Padding(size_t count);
  const std::vector<uint8_t>& Bytes() const { return FBytes; }

 private:
  std::vector<uint8_t> FBytes;
};

// Reads fields at fixed offsets; reading past the end throws
// ERegistryException, so a short record never reads outside its data.
class TRecordReader {
 public:
  explicit TRecordReader(const std::vector<uint8_t>& bytes) : FBytes(bytes) {}
  int32_t Int32(size_t offset) const;
  uint8_t UInt8(size_t offset) const;
  double Float64(size_t offset) const;

 private:
  void Check(size_t offset, size_t size) const;
  const std::vector<uint8_t>& FBytes;
};

}  // namespace Parlamine
