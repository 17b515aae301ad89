#!/usr/bin/env bash
# Fuzzes the memo reader, then the picture recognizer, with libFuzzer for the given seconds each
# (60 unless told), starting from each one's kept corpus (fuzz/corpus, fuzz/picture_corpus), then
# keeps there the fewest inputs that cover what the run reached. Exits non-zero when an input
# crashes either or breaks one of its promises; the input is left as build-fuzz/crash-* (or
# leak-*, timeout-*) to replay with build-fuzz/fuzz/memo_reader_fuzz or picture_fuzz.
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
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Each target in turn: the memo reader on texts (with its dictionary of memo kana), the picture
# recognizer on small pictures up to 320 x 240 in grey or RGBA.
fuzz_target() {
    local name=$1 corpus=$2
    shift 2
    local fuzzer=build-fuzz/fuzz/${name}_fuzz

    # Fuzz on a copy, so that the kept corpus changes only through the minimising merge below.
    local work=build-fuzz/$name-work
    rm -rf "$work" && mkdir -p "$work"
    cp "$corpus"/* "$work"/
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$@" \
        -artifact_prefix=build-fuzz/ "$work" 2>&1 | tee "build-fuzz/$name.log"

    # Only the branches reached count for the merge, not how often each was taken: that keeps
    # the corpus to a few dozen inputs instead of one for every length the loops met.
    local merged=build-fuzz/$name-merged
    rm -rf "$merged" && mkdir -p "$merged"
    "$fuzzer" -merge=1 -use_counters=0 "$@" "$merged" "$work" > "build-fuzz/$name-merge.log" 2>&1
    rm -rf "$corpus" && cp -r "$merged" "$corpus"

    local executed
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$name.log")
    echo "fuzz.sh: $name: ${executed} inputs executed in ${seconds} s, no crash; $corpus keeps $(ls "$corpus" | wc -l) inputs"
}
fuzz_target memo_reader fuzz/corpus -dict=fuzz/memo_reader.dict
fuzz_target picture fuzz/picture_corpus -max_len=80000
