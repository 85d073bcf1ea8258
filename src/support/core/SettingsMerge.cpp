// SPDX-License-Identifier: MIT
#include "SettingsMerge.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

namespace Parlamine {

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// "3.2.1.0" as its numbers; empty for anything else.
std::optional<std::vector<long>> VersionParts(const std::string& version) {
  std::vector<long> parts;
  size_t start = 0;
  while (start <= version.size()) {
    const size_t dot = std::min(version.find('.', start), version.size());
    const std::string part = version.substr(start, dot - start);
    if (part.empty() || part.size() > 9 ||
        !std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); }))
      return std::nullopt;
    parts.push_back(std::stol(part));
    start = dot + 1;
  }
  return parts;
}

// The first part of `path` below `parent` (case ignored), empty when the
// path is not below it.
std::string ChildName(const std::string& path, const std::string& parent) {
  if (path.size() <= parent.size() + 1 || path[parent.size()] != '\\' ||
      Folded(path.substr(0, parent.size())) != Folded(parent))
    return {};
  const std::string rest = path.substr(parent.size() + 1);
  return rest.substr(0, rest.find('\\'));
}

void CopyKey(TRegistryTree& tree, const std::string& from, const std::string& to) {
  tree.CreateKey(to);
  for (const std::string& name : tree.ValueNames(from)) tree.SetValue(to, name, *tree.FindValue(from, name));
}

}  // namespace

int CompareVersions(const std::string& a, const std::string& b) {
  const auto left = VersionParts(a);
  const auto right = VersionParts(b);
  if (!left || !right) return 0;
  return *left < *right ? -1 : (*left == *right ? 0 : 1);
}

std::string TakeOlderReleaseSettings(TRegistryTree& tree, const std::string& rootPath) {
  const size_t split = rootPath.rfind('\\');
  if (split == std::string::npos || tree.KeyExists(rootPath)) return {};
  const std::string parent = rootPath.substr(0, split);
  const std::string current = rootPath.substr(split + 1);
  std::string newest;
  for (const std::string& path : tree.KeyPaths()) {
    const std::string version = ChildName(path, parent);
    if (!VersionParts(version) || CompareVersions(version, current) >= 0) continue;
    if (newest.empty() || CompareVersions(version, newest) > 0) newest = version;
  }
  if (newest.empty()) return {};
  const std::string older = parent + "\\" + newest;
  tree.CreateKey(rootPath);
  for (const std::string& path : tree.KeyPaths()) {
    if (Folded(path) == Folded(older))
      CopyKey(tree, path, rootPath);
    else if (!ChildName(path, older).empty())
      CopyKey(tree, path, rootPath + path.substr(older.size()));
  }
  return newest;
}

bool MergeChangedValues(TRegistryTree& onDisk, const TRegistryTree& before, const TRegistryTree& now) {
  bool changed = false;
  for (const std::string& path : now.KeyPaths()) {
    if (!onDisk.KeyExists(path)) {
      onDisk.CreateKey(path);
      changed = true;
    }
    for (const std::string& name : now.ValueNames(path)) {
      const TRegValue& value = *now.FindValue(path, name);
      const TRegValue* had = before.FindValue(path, name);
      const bool changedHere = !had || !(*had == value);
      if (changedHere || !onDisk.FindValue(path, name)) changed |= onDisk.SetValue(path, name, value);
    }
  }
  return changed;
}

TFileLock::TFileLock(const std::string& path, int waitMs) {
  const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (file < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (::flock(file, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::close(file);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  FFile = file;
}

TFileLock::~TFileLock() {
  if (FFile >= 0) ::close(FFile);  // closing releases the lock
}

}  // namespace Parlamine
