#!/usr/bin/env bash
# Fails when a tracked C++ file is not clang-format clean. Outside a git work tree (a
# release archive) it checks every C++ file but those under build*/, dist/ and obj-*/,
# which builds leave behind.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null ||
  find . \( -path './build*' -o -path ./dist -o -path './obj-*' \) -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||')
[ -z "$files" ] && exit 0
# shellcheck disable=SC2086
if ! clang-format --dry-run -Werror $files; then
  echo "Run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
  exit 1
fi
echo "format clean"
