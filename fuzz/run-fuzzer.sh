#!/usr/bin/env bash
# Builds the fuzz target (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs it for the given number of seconds (default 60) on a corpus grown from fresh seeds.
# Prints the executions, the rate and any crash; exits non-zero when one was found.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

"$root/scripts/install-deps.sh" clang libclang-rt-dev
cmake --preset fuzz -S "$root" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target fuzz_picture make_seeds

work="$root/fuzz/corpus-run"
mkdir -p "$work/corpus" "$work/seeds" "$work/crashes"
QT_QPA_PLATFORM=offscreen "$build/fuzz/make_seeds" "$work/seeds"

log="$work/fuzz.log"
SECONDS=0
set +e
QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_picture" \
    -max_total_time="$seconds" -rss_limit_mb=3072 -timeout=30 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$work/crashes/" \
    "$work/corpus" "$work/seeds" >"$log" 2>&1
status=$?
set -e

runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
elapsed=$SECONDS
peak=$(grep -o 'stat::peak_rss_mb: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
echo "executions: $runs in ${elapsed}s ($(( runs / (elapsed > 0 ? elapsed : 1) )) per second), peak RSS ${peak} MB"
echo "corpus: $(ls "$work/corpus" | wc -l) inputs"
if ls "$work/crashes"/* >/dev/null 2>&1; then
    echo "CRASHES:"; ls -l "$work/crashes"; grep -A30 'ERROR\|runtime error' "$log" | head -60
    exit 1
fi
[ "$status" -eq 0 ] || { tail -30 "$log"; exit "$status"; }
echo "no crash"
