// SPDX-License-Identifier: MIT
#include "RandomPrefix.h"

#include <random>

namespace Parlamine {

namespace {

struct TPrivateBlock {
  uint32_t Network;
  int Length;
};

constexpr TPrivateBlock RFC1918Blocks[] = {{0x0A000000u, 8}, {0xAC100000u, 12}, {0xC0A80000u, 16}};

TPrefix RandomIPv4(int length, const TRandomBelow& randomBelow) {
  // Numbered across the blocks in turn: 2^(length - 8) prefixes in 10/8,
  // then those of 172.16/12 and 192.168/16 that exist at this length.
  uint64_t count = 0;
  for (const TPrivateBlock& block : RFC1918Blocks)
    if (length >= block.Length) count += uint64_t{1} << (length - block.Length);
  uint64_t pick = randomBelow(count);
  for (const TPrivateBlock& block : RFC1918Blocks) {
    if (length < block.Length) continue;
    const uint64_t inBlock = uint64_t{1} << (length - block.Length);
    if (pick < inBlock) {
      const uint32_t offset =
          length == 32 ? static_cast<uint32_t>(pick) : static_cast<uint32_t>(pick << (32 - length));
      return MakePrefix({TAddressFamily::afIPv4, block.Network | offset}, length);
    }
    pick -= inBlock;
  }
  return {};  // not reached: pick < count
}

TPrefix RandomUniqueLocal(int length, const TRandomBelow& randomBelow) {
  // 120 random bits after the fd prefix: the 40-bit global ID first, the
  // length clears those beyond it.
  constexpr uint64_t Bits32 = uint64_t{1} << 32;
  const TUInt128 globalId = randomBelow(uint64_t{1} << 40);
  const TUInt128 subnetId = randomBelow(uint64_t{1} << 16);
  const TUInt128 interfaceId = (randomBelow(Bits32) << 32) | randomBelow(Bits32);
  const TUInt128 value = (TUInt128{0xFD} << 120) | (globalId << 80) | (subnetId << 64) | interfaceId;
  return MakePrefix({TAddressFamily::afIPv6, value}, length);
}

}  // namespace

std::optional<TPrefix> RandomPrivatePrefix(TAddressFamily family, int length,
                                           const TRandomBelow& randomBelow) {
  if (family == TAddressFamily::afIPv4) {
    if (length < MinRandomIPv4Length || length > 32) return std::nullopt;
    return RandomIPv4(length, randomBelow);
  }
  if (length < MinRandomIPv6Length || length > 128) return std::nullopt;
  return RandomUniqueLocal(length, randomBelow);
}

std::optional<TPrefix> RandomPrivatePrefix(TAddressFamily family, int length) {
  std::random_device source;
  return RandomPrivatePrefix(family, length, [&source](uint64_t bound) {
    return std::uniform_int_distribution<uint64_t>(0, bound - 1)(source);
  });
}

}  // namespace Parlamine
