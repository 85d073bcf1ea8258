#!/usr/bin/env bash
# Installs what is missing, builds Parlamine with its tests and runs the whole
# suite. Environment: BUILD_DIR (default build-tests), PARLAMINE_WERROR=ON to
# treat warnings as errors, PARLAMINE_SANITIZE=ON for ASan+UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build_dir=${BUILD_DIR:-$root/build-tests}
"$root/scripts/build.sh" "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DPARLAMINE_TESTS=ON \
  -DPARLAMINE_WERROR="${PARLAMINE_WERROR:-OFF}" -DPARLAMINE_SANITIZE="${PARLAMINE_SANITIZE:-OFF}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 600
