// SPDX-License-Identifier: MIT
// The settings tree: registry-shaped keys with typed values, kept in memory and
// stored as one text file in the Registry Editor 5.00 (".reg") format.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace Parlamine {

// Registry value types by their Windows numbers; any other number is kept
// as raw bytes and written back as hex(N).
enum class TRegValueType : uint32_t { rvString = 1, rvExpandString = 2, rvBinary = 3, rvDword = 4 };

struct TRegValue {
  uint32_t Type = 1;           // a TRegValueType number, or an unknown one kept as it was
  std::string Text;            // REG_SZ and REG_EXPAND_SZ, UTF-8
  uint32_t Dword = 0;          // REG_DWORD
  std::vector<uint8_t> Bytes;  // REG_BINARY, REG_EXPAND_SZ as read, and unknown types
  // Read as hex(1), hex(2) or hex(4) bytes that do not form a clean string or
  // number: kept byte for byte in Bytes and never read as a string or number.
  bool Raw = false;
  bool operator==(const TRegValue&) const = default;
};

// Whether the value holds a string the store may read: REG_SZ or
// REG_EXPAND_SZ that was read cleanly.
bool IsStringValue(const TRegValue& value);

// Errors of the settings store carry the message the user sees.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Key paths are backslash-separated and compared without regard to ASCII case,
// as the registry does. Values keep the order in which they were first written.
//
// The file is the user's: what the program does not understand is kept as
// it was read, line for line. Comments and lines inside a key that are no
// value the program can read stay with that key (after its values); sections
// the program does not own (other hives, "[-...]" deletions, the hive's root,
// malformed key lines) stay, with their lines, after the key they followed.
// A value read from the file is written back as its line was spelled until
// the program sets another value for it, and the file keeps its encoding.
//
// Reading is linear in the size of the text, whatever its shape: values are
// found through an index of their names, and a key is held once, whatever
// its depth (a key read from the file does not create its parents; a parent
// exists when one of its keys does).
class TRegistryTree {
 public:
  // How the file was encoded; it is written back the same way.
  enum class TTextEncoding { rteUtf8, rteUtf8WithBom, rteUtf16Le };

  // A key exists when it was created or read, or when a key below it exists.
  bool KeyExists(const std::string& path) const;
  // Creates the key and every missing parent; nothing when the key exists.
  void CreateKey(const std::string& path);
  const TRegValue* FindValue(const std::string& path, const std::string& name) const;
  // Sets the value; false (and the value's line as read is kept) when it
  // already holds exactly that value.
  bool SetValue(const std::string& path, const std::string& name, TRegValue value);
  std::vector<std::string> ValueNames(const std::string& path) const;
  std::vector<std::string> KeyPaths() const;

  // The .reg text: header line, the lines kept from before the first key,
  // then every key in path order with its values, its kept lines and the
  // foreign sections that followed it. Lines end with CR LF, as the Registry
  // Editor writes them. A string holding a control character (a line break,
  // a tab, NUL) is written as hex(1): UTF-16LE with its terminating NUL.
  std::string ToRegText() const;
  // The text as it goes into the file: ToRegText in the encoding the text
  // was read in (UTF-16LE with its BOM, UTF-8 with or without one).
  std::string ToFileText() const;
  TTextEncoding Encoding() const { return FEncoding; }
  // Reads .reg text; nothing in it is fatal. Accepts LF, CR LF or CR line
  // ends, a UTF-8 BOM and UTF-16LE text with its BOM. hex(1) and hex(2) read as
  // strings and hex(4) as a DWORD when their bytes form one. In UTF-16LE text
  // an unpaired surrogate is held as its three-byte UTF-8 form, so it is
  // written back as it was.
  static TRegistryTree FromRegText(const std::string& text);

  // Values that are stored but that the program could not read (of a wrong
  // type, damaged). The program uses a default for each; the stored value
  // stays in the tree until the program's own value for it differs from the
  // one it had when the settings were applied, that is until the user changes
  // that setting. Each is noted once.
  struct TUnreadValue {
    std::string Path;
    std::string Name;
    std::string Error;                  // what the reader said: "Invalid data type for 'Client'"
    bool Reported = false;              // the user is told (values without a silent default)
    std::optional<TRegValue> Fallback;  // the program's value when the settings were applied
    bool Held = false;                  // stored, and still kept in place of the program's value
  };
  void NoteUnreadValue(const std::string& path, const std::string& name, const std::string& error,
                       bool reported);
  const std::vector<TUnreadValue>& UnreadValues() const { return FUnread; }
  // The values the program writes right after applying the settings (a save
  // into an empty tree): what each unread value's setting holds then.
  void SetUnreadFallbacks(const TRegistryTree& written);
  // Takes the keys and values of `written` (what the program saves now):
  // every value that differs is set, except an unread value whose setting
  // still holds its fallback. True when anything changed.
  bool Merge(const TRegistryTree& written);

  // Keys, values and kept lines; not the spelling of value lines, the
  // encoding or the unread values.
  bool operator==(const TRegistryTree& other) const;

 private:
  struct TValueEntry {
    std::string Name;
    TRegValue Value;
    std::string Line;   // the value's line as read (continuations included); empty once set by the program
    uint64_t NameHash;  // of the name, case folded
  };
  struct TKey {
    std::string Name;  // path as first spelled
    std::vector<TValueEntry> Values;
    // The values by name, case ignored: open addressing over the names'
    // hashes, each slot a position in Values + 1 (0: empty). No slot holds
    // a string of its own, so a key of a million values is indexed in place.
    std::vector<uint32_t> Slots;
    std::vector<std::string> KeptLines;     // comments and lines not understood, in file order
    std::vector<std::string> ForeignAfter;  // foreign sections that followed this key
    bool operator==(const TKey& other) const;
    // The position of the value, or Values.size() when there is none.
    size_t Find(std::string_view name, uint64_t hash) const;
    void Index(size_t position);
  };
  static std::string FoldPath(const std::string& path);
  static std::string FoldName(const std::string& name);
  static uint64_t NameHash(std::string_view name);
  TKey& KeyForPath(const std::string& path);
  static bool SetInKey(TKey& key, std::string name, TRegValue value, std::string line);
  // Whether the unread value stays instead of `value`, the program's value now.
  bool HoldsUnreadValue(const std::string& path, const std::string& name, const TRegValue& value);
  std::map<std::string, TKey> FKeys;   // by folded path
  std::vector<std::string> FPreamble;  // lines and foreign sections before the first key
  TTextEncoding FEncoding = TTextEncoding::rteUtf8;
  std::vector<TUnreadValue> FUnread;
};

// Root of everything this release stores, under HKEY_CURRENT_USER.
inline constexpr const char* SettingsRoot = "Software\\Quillfern\\Parlamine\\3.2.1.0";
inline constexpr const char* HiveName = "HKEY_CURRENT_USER";

// Reading the file tells a missing file (a first run) from one that exists
// but cannot be read (no permission, an I/O error, a folder or other
// non-file in its place): that one must not be replaced by defaults.
enum class TRegistryFileStatus { rfsRead, rfsMissing, rfsUnreadable };
struct TRegistryFileRead {
  TRegistryTree Tree;  // empty unless read
  TRegistryFileStatus Status = TRegistryFileStatus::rfsMissing;
  std::string Error;  // the system's reason when unreadable
};
TRegistryFileRead ReadRegistryFile(const std::string& fileName);
// The tree of ReadRegistryFile; empty when the file is missing or unreadable.
TRegistryTree LoadRegistryFile(const std::string& fileName);
// Writes atomically: a uniquely named temporary file in the target's folder,
// written, synced and renamed over the old file, so a crash, a full disk or a
// second instance saving at the same time never leaves a half-written file.
// A symbolic link is followed and its target written (the link stays); an
// existing file keeps its permissions, a new one gets 0666 less the umask.
// Creates the folder. Throws ERegistryException on failure, after removing
// the temporary file; a file-size limit fails the write as a full disk does
// (its signal, SIGXFSZ, never ends the program). The temporary file is locked
// while it is written, so that a later start can tell it from one left by a
// save that was killed.
void SaveRegistryFile(const TRegistryTree& tree, const std::string& fileName);
// Removes the temporary files of saves of that file that were killed before
// their rename ("." + file name + ".XXXXXX" beside the file, or beside the
// target of its link): regular files of this user that no running save holds
// locked. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& fileName);

}  // namespace Parlamine
