// SPDX-License-Identifier: MIT
// The IEEE registration authority's public listings as Debian's ieee-data
// ships them (oui.txt MA-L, mam.txt MA-M, oui36.txt MA-S, iab.txt IAB), read at
// run time, and the owner of a hardware address by longest-prefix match.
//
// A record of a listing:
//   XX-XX-XX   (hex)<blanks or tabs>Organisation
//   XXXXXX     (base 16)<blanks or tabs>Organisation        MA-L: the same 24 bits
//   LLLLLL-HHHHHH     (base 16)<blanks or tabs>Organisation  MA-M, MA-S, IAB: the
//                                                            range of the low 24 bits
//   <address lines, each indented>
// Records are separated by blank lines; the files start with three caption
// lines. Line ends are CR LF (LF alone is read too). Anything that does not
// fit is skipped, never trusted: a range that is not one aligned block of a
// power of two, hexadecimal that is not, a missing organisation.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Parlamine {

// In order of the longest prefix first; the lookup tries them in this order.
enum class TRegistryKind { rkMAS, rkIAB, rkMAM, rkMAL, rkShippedList };
inline constexpr int IEEERegistryCount = 4;

struct TRegistryFile {
  TRegistryKind Kind;
  const char* FileName;  // in the ieee-data folder
  const char* Name;      // "MA-S", "IAB", "MA-M", "MA-L"
};
// The four listings, longest prefixes first.
const std::array<TRegistryFile, IEEERegistryCount>& IEEERegistryFiles();
const char* RegistryName(TRegistryKind kind);

// One assignment: the 48-bit addresses that share the top PrefixBits bits of Prefix.
struct TRegistryEntry {
  uint64_t Prefix = 0;  // 48-bit value, the bits below the prefix zero
  int PrefixBits = 0;   // 24, 28 or 36 in the real listings
  std::string_view Organization;
  int Listing = 0;  // which loaded listing it came from
};

// Parses one listing's text. The entries point into `text`, which must outlive them.
std::vector<TRegistryEntry> ParseIEEEListing(std::string_view text);

// The owner found for an address; the texts belong to the registry and last
// as long as it does.
struct TRegistryMatch {
  TRegistryKind Kind = TRegistryKind::rkMAL;
  uint64_t Prefix = 0;
  int PrefixBits = 0;
  std::string_view Organization;
  std::string_view Date;  // "YYYY-MM-DD" of the listing, empty when unknown
};

// The loaded listings. Lookups are binary searches over sorted prefixes.
class TIEEERegistry {
 public:
  // Reads the four listings found in `folder`. Returns the number read.
  int LoadFolder(const std::string& folder);
  // Reads each of the four listings from the first of the folders that holds
  // it (an update in /var/lib/ieee-data before the packaged files). Returns
  // the number read.
  int LoadFolders(const std::vector<std::string>& folders);
  // Adds one listing from its text (tests, the fuzz target).
  void AddListing(TRegistryKind kind, std::string text, std::string date = {});
  // The fallback: the shipped OUI.txt (24-bit prefixes, "OUI abbrev name" lines).
  bool LoadShippedList(const std::string& path);

  bool Empty() const;
  // Whether a listing of that kind was read, and its date.
  bool Has(TRegistryKind kind) const;
  std::string Date(TRegistryKind kind) const;
  // The file a listing of that kind was read from; empty when added as text.
  std::string Path(TRegistryKind kind) const;
  // How many blocks of more than `bits` bits the listings assign inside the
  // block (an OUI that the IEEE divided into MA-M, MA-S or IAB blocks).
  size_t BlocksWithin(uint64_t prefix, int bits) const;

  // The most specific assignment that covers the first `knownBits` bits of the
  // 48-bit `address` (an OUI alone covers 24 bits: no 28- or 36-bit block can
  // be told from it). Empty when nobody owns it.
  std::optional<TRegistryMatch> Find(uint64_t address, int knownBits = 48) const;

 private:
  // A listing's bytes, read whole (a mapping would die of SIGBUS when the
  // file is cut short while it is used). The entries point into it.
  class TListingText {
   public:
    explicit TListingText(std::string text) : FText(std::move(text)) {}
    std::string_view View() const { return FText; }

   private:
    std::string FText;
  };
  struct TListing {
    TRegistryKind Kind;
    std::unique_ptr<TListingText> Text;
    std::string Date;
    std::string Path;
  };
  void AddListingText(TRegistryKind kind, std::unique_ptr<TListingText> text, std::string date,
                      std::string path = {});
  static std::unique_ptr<TListingText> ReadListingFile(const std::string& path);
  void Index(std::vector<TRegistryEntry> entries);
  std::vector<TListing> FListings;
  // All entries by prefix length, longest first; each group sorted by prefix,
  // and of equal prefixes the one of the more specific registry first.
  struct TLengthGroup {
    int PrefixBits;
    std::vector<TRegistryEntry> Entries;
    std::vector<uint64_t> Keys;  // the entries' prefixes, searched without touching the rest
  };
  std::vector<TLengthGroup> FGroups;
};

// Where the IEEE listings are looked for, in order: the folder that
// update-ieee-data writes, then the one of the ieee-data package.
const std::vector<std::string>& DefaultRegistryFolders();

// The whole content of a regular file; empty when it is missing, cannot be
// read or is anything else (a folder, a device, a pipe, which is never waited on).
std::optional<std::string> ReadRegularFile(const std::string& path);

// The date of a listing folder: ieee-data's ".lastupdate" (seconds since
// 1970), else the file's modification time; empty when neither is known.
std::string ListingDate(const std::string& folder, const std::string& file);

}  // namespace Parlamine
