#!/usr/bin/env bash
# Builds the Debian package: installs the build packages that are missing (as
# run.sh and test.sh do), a release build, then cpack -G DEB (stripped
# program, shared-library dependencies found by dpkg-shlibdeps, ieee-data;
# xdg-utils recommended).
# Usage: scripts/package-deb.sh [BUILD_DIR]   (default build-deb)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build-deb}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build_dir" -DCMAKE_BUILD_TYPE=Release -DPARLAMINE_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
(cd "$build_dir" && cpack -G DEB)
ls -1 "$build_dir"/*.deb
