#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in their own folder and runs
# each for SECONDS (default 20) from its committed seed corpus. Fails on any
# crash, leak, timeout or broken property; the input that did it is kept in
# BUILD/artifacts/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET ...]
#
# A long run (the figures in the report): scripts/fuzz.sh 600
# Environment: FUZZ_BUILD_DIR (default build-fuzz), CXX (default clang++-14),
# JOBS (build jobs, default 2).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
[ $# -gt 0 ] && shift
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
cxx=${CXX:-clang++-14}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPARLAMINE_FUZZ=ON -DPARLAMINE_TESTS=OFF -DPARLAMINE_WERROR=OFF >/dev/null
mapfile -t all_targets < <(grep -v '^$' "$build/fuzz-targets.txt")
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
cmake --build "$build" --target "${targets[@]}" -j"${JOBS:-2}"

mkdir -p "$build/artifacts"
failed=()
for target in "${targets[@]}"; do
  seeds="$root/fuzz/corpus/$target"
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== $target: ${seconds} s"
  # New inputs go to the work corpus; the committed seeds are only read.
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "$work" "$seeds" \
      >"$build/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$build/$target.log"
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$build/$target.log" | tr '\n' ' '
  echo
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing failed: ${failed[*]} (inputs in $build/artifacts/)"
  exit 1
fi
echo "Fuzzing passed: ${targets[*]}"
