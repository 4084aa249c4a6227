#!/usr/bin/env bash
# Sets up, builds native, win64 and win32, runs every test and the fuzzers.
# Exits non-zero when anything fails; prints ctest's summary of each run.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh || exit 1

failed=0
passed_total=0
failed_total=0
log_dir=$root/build/logs
mkdir -p "$log_dir"

step() { echo; echo "=== $*"; }

# Non-blank lines of source (C, C++, Python, shell) below the given folders.
source_lines() {
    find "$@" -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' \) \
        -exec cat {} + | grep -cv '^[[:space:]]*$'
}

# Tests should stay well below the product in size: at most half of it.
print_line_ratio() {
    local tests product
    tests=$(source_lines tests)
    product=$(source_lines core decision install registration platform unzip32 app)
    awk -v t="$tests" -v p="$product" \
        'BEGIN { printf "test lines %d, product lines %d: ratio %.3f (at most 0.500)\n", t, p, t / p }'
}

# Runs ctest for a preset and adds its counts to the totals.
run_ctest() {
    local preset=$1 log=$log_dir/ctest-$1.log
    ctest --preset "$preset" 2>&1 | tee "$log" | grep -E '^(.*tests passed|The following tests FAILED|\s+[0-9]+ - )'
    local rc=${PIPESTATUS[0]}
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    if [ -z "$line" ] || [ "$total" = 0 ]; then
        echo "$preset: no tests ran"
        failed=1
        return
    fi
    passed_total=$((passed_total + total - bad))
    failed_total=$((failed_total + bad))
    [ "$rc" -eq 0 ] || failed=1
}

build() {
    local preset=$1
    cmake --preset "$preset" >"$log_dir/configure-$preset.log" 2>&1 &&
        cmake --build --preset "$preset" >"$log_dir/build-$preset.log" 2>&1 || {
        echo "$preset: build failed"
        tail -n 40 "$log_dir/configure-$preset.log" "$log_dir/build-$preset.log"
        failed=1
        return 1
    }
}

step "native (ASan+UBSan)"
build native && run_ctest native

step "win64 (under Wine)"
if build win64; then
    bash scripts/wine-session.sh start "$root/build/win64/wineprefix"
    run_ctest win64
    bash scripts/wine-session.sh stop "$root/build/win64/wineprefix"
fi

step "win32 (shipping build, under 32-bit Wine)"
if build win32; then
    bash scripts/wine-session.sh start "$root/build/win32/wineprefix"
    run_ctest win32
    bash scripts/wine-session.sh stop "$root/build/win32/wineprefix"
fi

step "fuzzing (bounded)"
if build fuzz; then
    for fuzzer in build/fuzz/fuzz/*_fuzz; do
        name=$(basename "$fuzzer")
        corpus=build/fuzz/corpus/$name
        mkdir -p "$corpus"
        if "$fuzzer" -max_total_time="${KVU_FUZZ_SECONDS:-30}" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=0 "$corpus" >"$log_dir/$name.log" 2>&1; then
            echo "$name: no findings"
        else
            echo "$name: FINDING"
            tail -n 40 "$log_dir/$name.log"
            failed=1
        fi
    done
fi

echo
echo "tests: $passed_total passed, $failed_total failed"
print_line_ratio
exit $failed
