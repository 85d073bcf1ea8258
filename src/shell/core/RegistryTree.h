// SPDX-License-Identifier: MIT
// The settings tree: registry-shaped keys with typed values, kept in memory and
// stored as one text file in the Registry Editor 5.00 (".reg") format.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Parlamine {

// Registry value types by their Windows numbers; any other number is kept
// as raw bytes and written back as hex(N).
enum class TRegValueType : uint32_t { rvString = 1, rvBinary = 3, rvDword = 4 };

struct TRegValue {
  uint32_t Type = 1;           // a TRegValueType number, or an unknown one kept as it was
  std::string Text;            // REG_SZ, UTF-8
  uint32_t Dword = 0;          // REG_DWORD
  std::vector<uint8_t> Bytes;  // REG_BINARY and unknown types
  bool operator==(const TRegValue&) const = default;
};

// Errors of the settings store carry the message the user sees.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Key paths are backslash-separated and compared without regard to ASCII case,
// as the registry does. Values keep the order in which they were first written.
class TRegistryTree {
 public:
  struct TKey {
    std::string Name;  // path as first spelled
    std::vector<std::pair<std::string, TRegValue>> Values;
    bool operator==(const TKey&) const = default;
  };

  bool KeyExists(const std::string& path) const;
  // Creates the key and every missing parent.
  void CreateKey(const std::string& path);
  const TRegValue* FindValue(const std::string& path, const std::string& name) const;
  void SetValue(const std::string& path, const std::string& name, TRegValue value);
  std::vector<std::string> ValueNames(const std::string& path) const;
  std::vector<std::string> KeyPaths() const;

  // The .reg text: header line, then every key in path order with its values.
  // Lines end with CR LF, as the Registry Editor writes them.
  std::string ToRegText() const;
  // Reads .reg text. Lines that cannot be understood are skipped, never fatal;
  // a value line outside any key is dropped. Accepts LF or CR LF, a UTF-8 BOM
  // and UTF-16LE text with its BOM.
  static TRegistryTree FromRegText(const std::string& text);

  bool operator==(const TRegistryTree&) const = default;

 private:
  static std::string Fold(const std::string& s);
  std::map<std::string, TKey> FKeys;  // by folded path
};

// Root of everything this release stores, under HKEY_CURRENT_USER.
inline constexpr const char* SettingsRoot = "Software\\Quillfern\\Parlamine\\3.2.1.0";
inline constexpr const char* HiveName = "HKEY_CURRENT_USER";

// Reads the file; a missing or unreadable file gives an empty tree.
TRegistryTree LoadRegistryFile(const std::string& fileName);
// Writes atomically: a temporary file in the same folder, flushed, then renamed
// over the old one. Creates the folder. Throws ERegistryException on failure.
void SaveRegistryFile(const TRegistryTree& tree, const std::string& fileName);

}  // namespace Parlamine
