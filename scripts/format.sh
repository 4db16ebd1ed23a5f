#!/usr/bin/env bash
# Formats the tree's C++ files with clang-format and .clang-format; with
# --check it changes nothing and fails, naming each place, where it would
# change a file (the test command runs it so, as the test "format").
# In a git checkout the files are those git knows of or would add; elsewhere
# every .cpp and .h outside the build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  while IFS= read -r -d '' file; do
    [ -f "$file" ] && files+=("$file")
  done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  while IFS= read -r -d '' file; do
    files+=("$file")
  done < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0)
fi
if [ "${1:-}" = --check ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
