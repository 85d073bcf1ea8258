// SPDX-License-Identifier: MIT
// The settings file shared across releases and running instances: a new
// release starts from what the newest older release stored, and an instance
// writes into the file only what it changed itself.
#pragma once

#include <string>

#include "RegistryTree.h"

namespace Parlamine {

// When the release's key (rootPath, ending in its version "3.2.1.0") is
// absent, copies the key of the newest older version beside it, with every
// key and value below it, as the starting values. The older key stays as it
// is. Returns the version copied, empty when there was none or the key exists.
std::string TakeOlderReleaseSettings(TRegistryTree& tree, const std::string& rootPath);

// Compares release versions part by part as numbers ("3.10" after "3.9");
// below zero when a comes first. Empty when either is no dotted number.
int CompareVersions(const std::string& a, const std::string& b);

// Puts into `onDisk` (the file as it is now) what this instance saves:
// every value of `now` that differs from `before` (what it had read or last
// saved), and every value the file lacks; values another instance wrote
// and this one did not change stay. True when `onDisk` changed.
bool MergeChangedValues(TRegistryTree& onDisk, const TRegistryTree& before, const TRegistryTree& now);

// An exclusive lock on a file (flock): held until destroyed, and released by
// the system when the process ends, however it ends, so a lock is never
// left behind by an instance that died. The file itself stays.
class TFileLock {
 public:
  // Tries for up to waitMs milliseconds (0: once).
  TFileLock(const std::string& path, int waitMs);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  bool Locked() const { return FFile >= 0; }

 private:
  int FFile = -1;
};

}  // namespace Parlamine
