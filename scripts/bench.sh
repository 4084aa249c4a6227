#!/usr/bin/env bash
# Builds the Release trees and runs every benchmark; each prints its own figures.
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

# The update list window as Windows draws it: the shipping (32-bit, Release)
# build under Wine on a private X server.
cmake --preset win32 -DKVU_BENCH=ON >/dev/null
cmake --build --preset win32 --target update_form_wine_bench
echo "=== update_form_wine_bench (win32, under Wine)"
bash tests/e2e/run_with_display.sh "$PWD/build/win32/wineprefix-gui" "$PWD/build/win32/locale" \
    build/win32/bench/update_form_wine_bench.exe || status=1
exit $status
