#!/usr/bin/env bash
# Checks that every C++ file of the tree keeps the one code style of
# .clang-format. Prints the files that differ and fails; `--fix` rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
# One clang-format run over all files; its warnings name the files that differ.
mapfile -t bad < <(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: .*-Wclang-format-violations.*/\1/p' | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: these files do not follow .clang-format (scripts/check-format.sh --fix):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
