#!/usr/bin/env bash
# Checks that every C++ file git tracks (.cpp, .h) matches the committed
# .clang-format, with Debian's clang-format (scripts/install-deps.sh installs
# it). Prints the files that drift and exits 1 when there are any.
#
#   scripts/check-format.sh         check only; changes nothing
#   scripts/check-format.sh --fix   formats the drifting files in place
#
# Another clang-format version breaks some lines differently, so the check is
# only meaningful with the one Debian 12 ships (14).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

fix=false
case "${1:-}" in
  "") ;;
  --fix) fix=true ;;
  *)
    echo "usage: $0 [--fix]" >&2
    exit 2
    ;;
esac

if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed: run scripts/install-deps.sh" >&2
  exit 2
fi
version=$(clang-format --version)
case "$version" in
  *" version 14."*) ;;
  *) echo "warning: the tree is formatted with clang-format 14, this is: $version" >&2 ;;
esac

mapfile -d '' -t files < <(git ls-files -z -- '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "no tracked .cpp or .h file found" >&2
  exit 2
fi

# One dry run over all files: each drifting line is reported as
# "FILE:LINE:COLUMN: error: code should be clang-formatted".
status=0
report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t drifting < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" |
  sort -u)
if [ "$status" -ne 0 ] && [ ${#drifting[@]} -eq 0 ]; then
  # It failed for another reason (an unreadable file, a broken .clang-format);
  # such a reason repeats for every file, so its first lines tell it.
  head -n 20 <<<"$report" >&2
  exit 2
fi

if [ ${#drifting[@]} -eq 0 ]; then
  echo "All ${#files[@]} C++ files match .clang-format."
  exit 0
fi

if $fix; then
  clang-format -i "${drifting[@]}"
  printf 'formatted: %s\n' "${drifting[@]}"
  echo "Formatted ${#drifting[@]} of ${#files[@]} C++ files."
  exit 0
fi

printf '%s\n' "${drifting[@]}"
echo "${#drifting[@]} of ${#files[@]} C++ files do not match .clang-format;" \
  "scripts/check-format.sh --fix formats them." >&2
exit 1
