#include "entry/state_record.h"
#include "hints/advice_rank.h"
#include "hints/location_hints.h"
#include "memo/memo_reader.h"
#include "memo/memo_text.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pelio;

// たんてい, a name that sets digits in every name slot.
constexpr NameCodes kName{15, 45, 18, 1};

// Half of the flags, spread over both pages, so no branch is settled by an all-or-nothing state.
ProgressFlags someFlags() {
    ProgressFlags flags;
    for (const FlagInfo& info : kFlagCatalogue)
        flags.set(info.number, info.number % 2 == 0);
    return flags;
}

void MemoEncode(benchmark::State& state) {
    NameCodes name = kName;
    ProgressFlags flags = someFlags();
    for (auto _ : state) {
        benchmark::DoNotOptimize(name);
        benchmark::DoNotOptimize(flags);
        benchmark::DoNotOptimize(encodeMemo(name, flags));
    }
}
BENCHMARK(MemoEncode);

void MemoText(benchmark::State& state) {
    MemoSymbols memo = encodeMemo(kName, someFlags());
    for (auto _ : state) {
        benchmark::DoNotOptimize(memo);
        benchmark::DoNotOptimize(memoText(memo));
    }
}
BENCHMARK(MemoText);

void MemoEncodeAndText(benchmark::State& state) {
    NameCodes name = kName;
    ProgressFlags flags = someFlags();
    for (auto _ : state) {
        benchmark::DoNotOptimize(name);
        benchmark::DoNotOptimize(flags);
        benchmark::DoNotOptimize(memoText(encodeMemo(name, flags)));
    }
}
BENCHMARK(MemoEncodeAndText);

void ReadMemo(benchmark::State& state) {
    const std::u16string typed = memoText(encodeMemo(kName, someFlags()));
    for (auto _ : state)
        benchmark::DoNotOptimize(readMemo(typed));
}
BENCHMARK(ReadMemo);

// A typo near the end: the reader walks most of the text, then words its reason.
void ReadMemoWithTypo(benchmark::State& state) {
    std::u16string typed = memoText(encodeMemo(kName, someFlags()));
    typed[typed.size() - 3] = u'ゃ';
    for (auto _ : state)
        benchmark::DoNotOptimize(readMemo(typed));
}
BENCHMARK(ReadMemoWithTypo);

void LocationHints(benchmark::State& state) {
    ProgressFlags flags = someFlags();
    for (auto _ : state) {
        benchmark::DoNotOptimize(flags);
        for (const LocationInfo& place : kLocations)
            benchmark::DoNotOptimize(locationHintText(place.location, flags));
    }
}
BENCHMARK(LocationHints);

void AdviceRank(benchmark::State& state) {
    ProgressFlags flags = someFlags();
    for (auto _ : state) {
        benchmark::DoNotOptimize(flags);
        benchmark::DoNotOptimize(adviceRankText(adviceRank(flags)));
    }
}
BENCHMARK(AdviceRank);

// The logic of one completion: memo, eight hint lines and the rank.
void Complete(benchmark::State& state) {
    StateRecord record;
    record.nameKeyIndex = kName;
    record.progressFlags = someFlags();
    for (auto _ : state)
        benchmark::DoNotOptimize(complete(record));
}
BENCHMARK(Complete);

} // namespace
