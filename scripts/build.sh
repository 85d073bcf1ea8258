#!/usr/bin/env bash
# Configures and builds Parlamine. Usage: scripts/build.sh BUILD_DIR [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1
shift
cmake -S "$root" -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir" -j"$(nproc)"
