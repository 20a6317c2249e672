#!/usr/bin/env bash
# Fails when a test of a build folder has no time limit of its own, naming it:
# scripts/check-test-timeouts.sh [BUILD_DIR]. Without one, a test that hangs holds the
# run until ctest's default of 1500 s. GoogleTest binaries get theirs from
# velt_add_gtest; a test added with add_test sets TIMEOUT beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
tests = json.load(sys.stdin)["tests"]
missing = [t["name"] for t in tests
           if not any(p["name"] == "TIMEOUT" and float(p["value"]) > 0
                      for p in t.get("properties", []))]
for name in missing:
    print("no time limit: " + name, file=sys.stderr)
if not tests:
    sys.exit("no tests listed in the build folder")
sys.exit(1 if missing else 0)
'
echo "every test has a time limit"
