// SPDX-License-Identifier: MIT
// The OUI list (OUI.txt) and the search of an OUI and its bit-swapped form.
//
// A data line of OUI.txt: characters 1-6 the OUI as six upper-case hexadecimal
// digits, character 7 a separator, characters 8-13 the abbreviation filled up
// with blanks, character 14 a separator, characters 15 to the end the
// organisation. Lines are sorted by their first six characters in byte order,
// which for upper-case hexadecimal digits is the order of the locale comparison
// too. Short, empty or malformed lines are read safely: missing fields are empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Parlamine {

// What the result fields show for a key that is not in the list.
inline constexpr const char* NoMatchingOUIText = "No matching OUI found.";

// What the search shows for one key.
struct TOUIMatch {
  bool Found = false;
  std::string Abbreviation;  // trailing blanks and control characters removed
  std::string Organization;  // as in the file, trailing blanks kept
};

struct TOUISearchResult {
  std::string SwappedKey;  // the OUI with the bits of each byte reversed, >= 6 hex digits
  TOUIMatch Match;
  TOUIMatch SwappedMatch;
};

// Below zero when the line's first six characters sort before the key's first six.
int CompareOUILine(std::string_view line, std::string_view key);
std::string OUILineAbbreviation(std::string_view line);
std::string OUILineOrganization(std::string_view line);

// The key's bit-swapped form: HexToInt64 of the key taken as a 32-bit number,
// each of its 4 bytes bit-reversed in place, as upper-case hexadecimal with at
// least 6 digits. Throws EConvertError for a text that is not hexadecimal and
// std::range_error("Range check error") beyond the signed 32-bit range.
std::string SwappedOUIKey(std::string_view key);

// OUI.txt as the search uses it. The file may be in any order: it is read
// once, as a stream, and its lines are ordered by their first six characters
// as the search compares them, so an entry appended at the end or a shuffled
// list is found all the same. Of several lines with the same OUI the first
// in the file wins, as in a walk from the top. Only lines the search can
// find are kept: those whose first six characters (or fewer, on a shorter
// line) are hexadecimal digits, one per OUI, each at most MaxOUILineLength
// characters; so a large file of anything else costs next to no memory.
class TOUIList {
 public:
  // Reads the whole file; false (and the list stays unloaded) when it cannot be read.
  bool LoadFromFile(const std::string& path);
  // Takes the text as the file's content; lines end with LF, CR LF or CR.
  void LoadFromText(std::string_view text);
  void Clear();
  bool Loaded() const { return FLoaded; }
  // The lines kept, in search order.
  size_t LineCount() const { return FEntries.size(); }
  std::string_view Line(size_t index) const;

  // Each key is found on the first line of the file that equals it in the
  // first six characters, wherever that line is.
  TOUISearchResult Search(std::string_view key) const;

 private:
  class TReader;
  struct TEntry {
    uint32_t Key;  // OUISortKey of the line's first characters
    uint32_t Length;
    size_t Offset;  // in FText
  };
  TOUIMatch Find(std::string_view key) const;
  std::string FText;             // the kept lines, one after another
  std::vector<TEntry> FEntries;  // ordered by Key, one per key
  bool FLoaded = false;
};

// A kept line is cut after this many characters (no organisation name is
// that long; a line of junk must not be held whole).
inline constexpr size_t MaxOUILineLength = 65536;

// The search order of the first six characters (or fewer) of a line or key
// as one number: hexadecimal digits in value order, case ignored, a shorter
// text before a longer one that starts with it. Empty when a character is no
// hexadecimal digit (such a line can never equal a key).
std::optional<uint32_t> OUISortKey(std::string_view firstCharacters);

// The generator of OUI.txt from the IEEE registry listing ("oui.txt" of the
// ieee-data package): its "XX-XX-XX   (hex)<tab><tab>Organisation" lines.
struct TOUIEntry {
  std::string OUI;  // six upper-case hexadecimal digits
  std::string Organization;
};
// The entries of the registry listing in file order; other lines are skipped.
std::vector<TOUIEntry> ParseIEEERegistry(std::string_view text);
// The six-character-at-most abbreviation of an organisation name:
//  1. take the first word made of ASCII letters and digits;
//  2. a word of six characters or fewer is the abbreviation as it is;
//  3. a longer word keeps its first character and then its consonants (letters
//     other than A, E, I, O, U, and digits) until there are six characters;
//  4. the first character is upper case and the rest lower case.
// "XEROX CORPORATION" gives "Xerox", "COMMISSARIAT A L'ENERGIE" gives "Cmmssr";
// a name without a letter or digit gives an empty abbreviation.
std::string AbbreviateOrganization(std::string_view organization);
// OUI.txt's text: one line per OUI ("OUI abbrev organisation", LF ends),
// sorted by OUI; of several entries with the same OUI the first is kept.
std::string BuildOUIText(std::vector<TOUIEntry> entries);

}  // namespace Parlamine
