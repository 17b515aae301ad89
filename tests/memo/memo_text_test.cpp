#include "memo/memo_text.h"

#include "memo_vectors.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

TEST(MemoText, ReproducesTheKnownVectors) {
    for (const test::MemoVector& vector : test::memoVectors())
        EXPECT_TRUE(memoText(encodeMemo(vector.name, vector.flags)) == vector.text) << vector.what;
}

TEST(MemoText, IsFourGroupsOfFiveEachFollowedByAnIdeographicSpace) {
    MemoSymbols memo;
    for (std::size_t n = 0; n < memo.codes.size(); ++n)
        memo.codes[n] = static_cast<std::uint8_t>(31 - n);
    const std::u16string text = memoText(memo);
    ASSERT_EQ(text.size(), 24u);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((i + 1) % 6 == 0)
            EXPECT_EQ(text[i], u'\u3000') << i;
        else
            EXPECT_TRUE(text[i] >= u'あ' && text[i] <= u'み') << i;
    }
    EXPECT_EQ(text.substr(0, 6), u"みまほへふ\u3000");
}

TEST(KanaAlphabet, MemoCodesAreTheFirstTwoRowsInOrder) {
    std::u16string firstThirtyTwo;
    for (int code = 0; code < kMemoKanaCount; ++code)
        firstThirtyTwo += kanaSymbol(static_cast<KanaCode>(code));
    EXPECT_TRUE(firstThirtyTwo ==
                u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみ");
}

TEST(KanaAlphabet, SharedAndSpecialSymbols) {
    struct Case {
        KanaCode code;
        char16_t symbol;
    };
    for (const Case& c :
         {Case{46, u'\u309B'}, Case{52, u'\u309B'}, Case{47, u'\u309C'}, Case{53, u'\u309C'},
          Case{54, u'\uFF01'}, Case{55, u'\uFF1F'}, Case{59, u'\uFF09'}, Case{60, u'\u3076'},
          Case{61, u'\u30FC'}, Case{62, u'\u2026'}, Case{63, u'\u3000'}})
        EXPECT_EQ(static_cast<int>(kanaSymbol(c.code)), static_cast<int>(c.symbol)) << int(c.code);
}

} // namespace
} // namespace pelio
