#!/usr/bin/env bash
# Fails when a tracked C++ file is not clang-format clean.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' -not -path './build*')
[ -z "$files" ] && exit 0
# shellcheck disable=SC2086
if ! clang-format --dry-run -Werror $files; then
  echo "Run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
  exit 1
fi
echo "format clean"
