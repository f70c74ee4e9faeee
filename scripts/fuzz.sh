#!/bin/bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each on its corpus in
# tests/fuzz/corpus/<target>/ for a fixed count of inputs from a fixed seed (LUMERA_FUZZ_RUNS),
# so a run is the same on every machine, and for at most LUMERA_FUZZ_SECONDS (default 20).
# The targets run side by side, one for each processor. New inputs go to a scratch folder, not
# into the repository. A crash fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLUMERA_FUZZ=ON \
    -DLUMERA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=$(sed -n 's/^lumera_add_fuzzer(\([a-z_]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
# shellcheck disable=SC2086 # one word a target
cmake --build "$build" --target $targets
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs one target; prints what it tried, or the end of its log when it found something.
fuzz_one() {
    local t=$1 corpus=tests/fuzz/corpus/$1 started=$SECONDS tried
    mkdir -p "$scratch/$t"
    if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1 QT_QPA_PLATFORM=offscreen \
        "$build/fuzz/$t" -seed=1 -runs="${LUMERA_FUZZ_RUNS:-60000}" \
        -max_total_time="${LUMERA_FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$scratch/" "$scratch/$t" "$corpus" 2>"$scratch/$t.log"; then
        tail -40 "$scratch/$t.log"
        echo "fuzzer $t failed" >&2
        return 1
    fi
    tried=$(grep -o 'Done [0-9]* runs' "$scratch/$t.log" | grep -o '[0-9]*' || echo 0)
    echo "  $t: $tried inputs in $((SECONDS - started))s, no crash"
}
export -f fuzz_one
export build scratch
# shellcheck disable=SC2086
printf '%s\n' $targets | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one {}' ||
    { echo "fuzzing found a crash" >&2; exit 1; }
total=$(cat "$scratch"/*.log | grep -o 'Done [0-9]* runs' | awk '{n += $2} END {print n + 0}')
echo "fuzzing: $total inputs tried, no crash"
