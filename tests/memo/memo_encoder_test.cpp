#include "memo/memo_encoder.h"

#include "memo_vectors.h"
#include "support/flags.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace pelio {
namespace {

using Kind = DigitSource::Kind;

TEST(MemoEncoder, ReproducesTheKnownVectors) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        const MemoSymbols memo = encodeMemo(vector.name, vector.flags);
        EXPECT_EQ(memo.checkSum, vector.checkSum) << vector.what;
        EXPECT_EQ(memo.codes, vector.codes) << vector.what;
    }
}

TEST(MemoEncoder, LookalikeSoundMarksGiveDifferentMemos) {
    for (auto [first, second] : {std::pair{46, 52}, std::pair{47, 53}}) {
        for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
            NameCodes a{}, b{};
            a[slot] = static_cast<KanaCode>(first);
            b[slot] = static_cast<KanaCode>(second);
            const MemoSymbols memoA = encodeMemo(a, {});
            const MemoSymbols memoB = encodeMemo(b, {});
            EXPECT_EQ(std::abs(memoA.checkSum - memoB.checkSum), 1);
            bool nameSymbolDiffers = false;
            for (std::size_t n = 0; n < 6; ++n)
                nameSymbolDiffers |= memoA.codes[n] != memoB.codes[n];
            EXPECT_TRUE(nameSymbolDiffers) << first << " vs " << second << " in slot " << slot;
        }
    }
}

// Positions in the layout that read `source`, 1-based.
std::set<int> positionsOf(const DigitSource& source) {
    std::set<int> positions;
    for (std::size_t n = 0; n < kMemoLayout.size(); ++n)
        for (const DigitSource& cell : kMemoLayout[n])
            if (cell == source)
                positions.insert(static_cast<int>(n) + 1);
    return positions;
}

TEST(MemoEncoder, TogglingAnyFlagFlipsTheLowCheckDigitAndItsOwnPosition) {
    const NameCodes name{7, 33, 50, 12};
    for (const FlagInfo& info : kFlagCatalogue) {
        ProgressFlags flags = test::flagsWith({"Chk_Ras", "Chk_Khk"});
        const MemoSymbols before = encodeMemo(name, flags);
        flags.set(info.number, !flags.isSet(info.number));
        const MemoSymbols after = encodeMemo(name, flags);

        std::set<int> changed;
        for (std::size_t n = 0; n < kMemoLength; ++n)
            if (before.codes[n] != after.codes[n])
                changed.insert(static_cast<int>(n) + 1);
        EXPECT_TRUE(changed.contains(8) && changed.contains(16)) << info.controlName;
        const std::set<int> own =
            positionsOf({Kind::Flag, 0, 0, static_cast<uint8_t>(info.number)});
        ASSERT_EQ(own.size(), 1u) << info.controlName;
        EXPECT_TRUE(changed.contains(*own.begin())) << info.controlName;
    }
}

TEST(MemoLayout, UsesEveryNameDigitAndFlagExactlyOnce) {
    std::map<std::pair<int, int>, int> nameDigitUses;
    std::map<int, int> flagUses;
    for (const SymbolLayout& symbol : kMemoLayout) {
        for (const DigitSource& cell : symbol) {
            if (cell.kind == Kind::NameDigit)
                ++nameDigitUses[{cell.slot, cell.digit}];
            if (cell.kind == Kind::Flag)
                ++flagUses[cell.flag];
        }
    }
    EXPECT_EQ(nameDigitUses.size(), static_cast<std::size_t>(kNameSlots * kNameDigits));
    for (auto [digit, uses] : nameDigitUses) {
        EXPECT_GE(digit.first, 1);
        EXPECT_LE(digit.first, kNameSlots);
        EXPECT_GE(digit.second, 1);
        EXPECT_LE(digit.second, kNameDigits);
        EXPECT_EQ(uses, 1) << "N(" << digit.first << "," << digit.second << ")";
    }
    EXPECT_EQ(flagUses.size(), static_cast<std::size_t>(kFlagCount));
    for (auto [number, uses] : flagUses)
        EXPECT_EQ(uses, 1) << flagInfo(number).controlName;
}

TEST(MemoLayout, RepeatsCheckDigitsAtTheirPositions) {
    const std::map<int, std::set<int>> expected{
        {6, {3, 11, 19}}, {5, {4, 12, 20}}, {4, {5, 13}}, {3, {6, 14}}, {2, {7, 15}}, {1, {8, 16}},
    };
    for (const auto& [digit, positions] : expected)
        EXPECT_EQ(positionsOf({Kind::CheckDigit, 0, static_cast<uint8_t>(digit), 0}), positions)
            << "C(" << digit << ")";
    // A check digit only ever carries the weight 16.
    for (const SymbolLayout& symbol : kMemoLayout)
        for (std::size_t w = 1; w < symbol.size(); ++w)
            EXPECT_NE(symbol[w].kind, Kind::CheckDigit);
}

TEST(MemoLayout, PositionsWithoutCheckDigitNeverExceedFifteen) {
    for (int position : {1, 2, 9, 10, 17, 18})
        EXPECT_EQ(kMemoLayout[position - 1][0].kind, Kind::Empty) << position;
    const MemoSymbols full = encodeMemo({63, 63, 63, 63}, test::allFlags());
    for (int position : {1, 2, 9, 10, 17, 18})
        EXPECT_LE(full.codes[position - 1], 15) << position;
}

TEST(MemoEncoder, EveryCodeInEverySlotStaysInsideTheMemoAlphabet) {
    for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
        for (int code = 0; code < kKanaCount; ++code) {
            NameCodes name{63, 0, 63, 0};
            name[slot] = static_cast<KanaCode>(code);
            for (const ProgressFlags& flags : {ProgressFlags{}, test::allFlags()}) {
                const MemoSymbols memo = encodeMemo(name, flags);
                for (std::uint8_t symbol : memo.codes)
                    EXPECT_LT(symbol, kMemoKanaCount);
            }
        }
    }
}

} // namespace
} // namespace pelio
