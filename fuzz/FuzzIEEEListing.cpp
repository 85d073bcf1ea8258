// SPDX-License-Identifier: MIT
// The IEEE listings: any text is parsed without a fault into entries that
// point into it, each one aligned block of the 48-bit space with a named
// owner; loaded as a registry, every address of a listed block finds an owner
// whose block holds it, and never one longer than the digits given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "IEEERegistry.h"

using namespace Parlamine;

namespace {

constexpr uint64_t AddressSpace = uint64_t{1} << 48;

uint64_t BlockMask(int prefixBits) { return ~((uint64_t{1} << (48 - prefixBits)) - 1) & (AddressSpace - 1); }

void CheckEntries(std::string_view text, const std::vector<TRegistryEntry>& entries) {
  for (const TRegistryEntry& entry : entries) {
    FUZZ_CHECK(entry.PrefixBits >= 24 && entry.PrefixBits <= 48);
    FUZZ_CHECK(entry.Prefix < AddressSpace);
    FUZZ_CHECK((entry.Prefix & ~BlockMask(entry.PrefixBits)) == 0);
    FUZZ_CHECK(!entry.Organization.empty());
    FUZZ_CHECK(entry.Organization.data() >= text.data() &&
               entry.Organization.data() + entry.Organization.size() <= text.data() + text.size());
  }
}

void CheckMatch(const std::optional<TRegistryMatch>& match, uint64_t address, int knownBits) {
  if (!match) return;
  FUZZ_CHECK(match->PrefixBits <= knownBits);
  FUZZ_CHECK((address & BlockMask(match->PrefixBits)) == match->Prefix);
  FUZZ_CHECK(!match->Organization.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<TRegistryEntry> entries = ParseIEEEListing(text);
  CheckEntries(text, entries);

  // The same text as the listing of its first byte's kind.
  const auto kind = static_cast<TRegistryKind>(size > 0 ? data[0] % IEEERegistryCount : 0);
  TIEEERegistry registry;
  registry.AddListing(kind, text, "2024-01-01");
  FUZZ_CHECK(registry.Has(kind));
  FUZZ_CHECK(registry.Empty() == entries.empty());
  size_t checked = 0;
  for (const TRegistryEntry& entry : entries) {
    if (++checked > 64) break;
    // The block's last address, known in full and by its first digits only.
    const uint64_t address = entry.Prefix | (~BlockMask(entry.PrefixBits) & (AddressSpace - 1));
    const auto match = registry.Find(address);
    FUZZ_CHECK(match.has_value());
    FUZZ_CHECK(match->PrefixBits >= entry.PrefixBits);
    CheckMatch(match, address, 48);
    const int digits = (entry.PrefixBits + 3) / 4;
    const uint64_t given = address & BlockMask(digits * 4);
    CheckMatch(registry.Find(given, digits * 4), given, digits * 4);
  }
  return 0;
}
