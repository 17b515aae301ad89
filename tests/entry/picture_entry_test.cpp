#include "entry/picture_entry.h"

#include "memo/memo_text.h"
#include "support/flags.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

using Kind = MemoOutcome::Kind;

// A reading as the recognizer gives it: each kana read as `codes` says, sure of it but where
// `doubts` gives a second reading and its odds.
PictureReading
readingOf(const MemoCodes& codes,
          std::initializer_list<std::tuple<std::size_t, std::uint8_t, float>> doubts) {
    PictureReading reading;
    reading.status = PictureReading::Status::Found;
    reading.text = memoText({codes, 0});
    reading.where = {10, 20, 300, 40};
    for (std::size_t n = 0; n < kMemoLength; ++n)
        reading.kana[n].alternatives = {{codes[n], 0.95f}};
    for (const auto& [n, second, odds] : doubts) {
        reading.kana[n].alternatives = {{codes[n], 1 - odds}, {second, odds}};
        reading.kana[n].uncertain = true;
    }
    return reading;
}

// A picture without a memo changes nothing but says why; one with a memo is read as Enter would
// read its text, its doubtful kana marked, and the memos its doubts give are offered.
TEST(PictureEntry, ReadsAsEnterOnTheTextReadWithTheReadersDoubts) {
    StateRecord state;
    PictureReading none;
    none.reason = u"画像からそうさめもが見つかりません";
    const PictureOutcome nothing = readPicture(state, u"たい", none);
    EXPECT_EQ(nothing.memo.kind, Kind::NoMemo);
    EXPECT_EQ(nothing.memo.reason, none.reason);
    EXPECT_EQ(nothing.box, u"たい");
    EXPECT_EQ(state, StateRecord{});

    const MemoCodes meant = encodeMemo({1, 2, 3, 4}, test::flagsWith({"Chk_Lgt"})).codes;
    const PictureOutcome sure = readPicture(state, u"", readingOf(meant, {}));
    EXPECT_EQ(sure.memo.kind, Kind::Read);
    EXPECT_TRUE(sure.memo.reason.empty());
    EXPECT_EQ(sure.uncertain, 0u);
    EXPECT_EQ(sure.where, (PictureRect{10, 20, 300, 40}));
    EXPECT_EQ(readPicture(state, sure.box, readingOf(meant, {})).memo.kind, Kind::NoMemo);

    // Read with one kana in doubt, whose second reading the game takes too.
    MemoCodes misread = meant;
    std::size_t at = 0;
    const auto takes = [](const MemoCodes& codes) {
        return std::holds_alternative<MemoContent>(decodeMemo(codes));
    };
    for (; at < kMemoLength && misread == meant; ++at) {
        for (std::uint8_t code = 0; code < kMemoKanaCount && misread == meant; ++code) {
            MemoCodes other = meant;
            other[at] = code;
            if (code != meant[at] && takes(other))
                misread = other;
        }
    }
    ASSERT_NE(misread, meant);
    --at;
    StateRecord doubting;
    const PictureOutcome doubted =
        readPicture(doubting, u"", readingOf(misread, {{at, meant[at], 0.4f}}));
    EXPECT_EQ(doubted.memo.kind, Kind::Read);
    EXPECT_EQ(doubted.uncertain, 1u << (at + at / 5));
    ASSERT_FALSE(doubted.memo.fixes.empty());
    EXPECT_EQ(doubted.memo.fixes.front().memo, memoText({meant, 0}));
}

} // namespace
} // namespace pelio
