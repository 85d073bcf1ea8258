#!/usr/bin/env bash
# Builds the Debian package: a release build, then cpack -G DEB (stripped
# program, shared-library dependencies found by dpkg-shlibdeps, ieee-data).
# Usage: scripts/package-deb.sh [BUILD_DIR]   (default build-deb)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build-deb}
"$root/scripts/build.sh" "$build_dir" -DCMAKE_BUILD_TYPE=Release -DPARLAMINE_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
(cd "$build_dir" && cpack -G DEB)
ls -1 "$build_dir"/*.deb
