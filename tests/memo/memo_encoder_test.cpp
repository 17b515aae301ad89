#include "memo/memo_encoder.h"

#include "memo_vectors.h"
#include "support/flags.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

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

TEST(MemoEncoder, LookalikeSoundMarksGiveDifferentNameSymbolsAndCheckCounts) {
    for (auto [first, second] : {std::pair{46, 52}, std::pair{47, 53}}) {
        for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
            NameCodes a{}, b{};
            a[slot] = static_cast<KanaCode>(first);
            b[slot] = static_cast<KanaCode>(second);
            const MemoSymbols memoA = encodeMemo(a, {}), memoB = encodeMemo(b, {});
            EXPECT_EQ(std::abs(memoA.checkSum - memoB.checkSum), 1);
            EXPECT_FALSE(
                std::equal(memoA.codes.begin(), memoA.codes.begin() + 6, memoB.codes.begin()))
                << first << " in slot " << slot;
        }
    }
}

TEST(MemoEncoder, TogglingAnyFlagChangesItsOwnPositionAndBothLowCheckDigits) {
    const NameCodes name{7, 33, 50, 12};
    for (const FlagInfo& info : kFlagCatalogue) {
        ProgressFlags flags = test::flagsWith({"Chk_Ras", "Chk_Khk"});
        const MemoSymbols before = encodeMemo(name, flags);
        flags.set(info.number, !flags.isSet(info.number));
        const MemoSymbols after = encodeMemo(name, flags);

        std::set<int> expected{8, 16};
        for (std::size_t n = 0; n < kMemoLength; ++n)
            for (const DigitSource& cell : kMemoLayout[n])
                if (cell.kind == Kind::Flag && cell.flag == info.number)
                    expected.insert(static_cast<int>(n) + 1);
        for (int position : expected)
            EXPECT_NE(before.codes[position - 1], after.codes[position - 1])
                << info.controlName << " at " << position;
    }
}

TEST(MemoLayout, UsesEachSourceAsOftenAsTheFormatSays) {
    std::map<std::pair<int, int>, int> nameDigitUses;
    std::map<int, int> flagUses;
    std::map<int, std::set<int>> checkDigitPositions;
    for (std::size_t n = 0; n < kMemoLayout.size(); ++n) {
        const int position = static_cast<int>(n) + 1;
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w) {
            const DigitSource& cell = kMemoLayout[n][w];
            if (cell.kind == Kind::NameDigit)
                ++nameDigitUses[{cell.slot, cell.digit}];
            if (cell.kind == Kind::Flag)
                ++flagUses[cell.flag];
            if (cell.kind == Kind::CheckDigit) {
                EXPECT_EQ(w, 0u) << "a check digit only ever weighs 16, at " << position;
                checkDigitPositions[cell.digit].insert(position);
            }
        }
    }
    EXPECT_EQ(nameDigitUses.size(), static_cast<std::size_t>(kNameSlots * kNameDigits));
    for (auto [digit, uses] : nameDigitUses)
        EXPECT_TRUE(uses == 1 && digit.first <= kNameSlots && digit.second <= kNameDigits);
    EXPECT_EQ(flagUses.size(), static_cast<std::size_t>(kFlagCount));
    for (auto [number, uses] : flagUses)
        EXPECT_EQ(uses, 1) << flagInfo(number).controlName;
    const std::map<int, std::set<int>> expectedCheckPositions{
        {6, {3, 11, 19}}, {5, {4, 12, 20}}, {4, {5, 13}}, {3, {6, 14}}, {2, {7, 15}}, {1, {8, 16}},
    };
    EXPECT_EQ(checkDigitPositions, expectedCheckPositions);
}

} // namespace
} // namespace pelio
