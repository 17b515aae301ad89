#!/usr/bin/env bash
# Fuzzes the memo reader with libFuzzer for the given seconds (60 unless told), starting from
# the kept corpus, then keeps in fuzz/corpus the fewest inputs that cover what the run reached.
# Exits non-zero when an input crashes the reader or breaks one of its promises; the input is
# left as build-fuzz/crash-* (or leak-*, timeout-*) to replay with build-fuzz/fuzz/memo_reader_fuzz.
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: ./fuzz.sh [seconds]" >&2
    exit 2
fi
source scripts/install-deps.sh
pelio_install_missing "${pelio_fuzz_packages[@]}"

cmake --preset fuzz
cmake --build --preset fuzz
fuzzer=build-fuzz/fuzz/memo_reader_fuzz
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Fuzz on a copy, so that the kept corpus changes only through the minimising merge below.
work=build-fuzz/corpus-work
rm -rf "$work" && mkdir -p "$work"
cp fuzz/corpus/* "$work"/
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -dict=fuzz/memo_reader.dict \
    -artifact_prefix=build-fuzz/ "$work" 2>&1 | tee build-fuzz/fuzz.log

# Only the branches reached count for the merge, not how often each was taken: that keeps the
# corpus to a few dozen inputs instead of one for every length of text the loops met.
merged=build-fuzz/corpus-merged
rm -rf "$merged" && mkdir -p "$merged"
"$fuzzer" -merge=1 -use_counters=0 "$merged" "$work" > build-fuzz/merge.log 2>&1
rm -rf fuzz/corpus && cp -r "$merged" fuzz/corpus

executed=$(sed -n 's/^stat::number_of_executed_units: *//p' build-fuzz/fuzz.log)
echo "fuzz.sh: ${executed} inputs executed in ${seconds} s, no crash; fuzz/corpus keeps $(ls fuzz/corpus | wc -l) inputs"
