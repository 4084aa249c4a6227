#!/usr/bin/env bash
# Builds the Release tree and runs every benchmark; each prints its own figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release
status=0
for b in build/native-release/bench/*_bench; do
    [ -x "$b" ] || continue
    echo "=== $(basename "$b")"
    "$b" || status=1
done
exit $status
