#include "memo/memo_text.h"

#include "memo_vectors.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

TEST(MemoText, ReproducesTheKnownVectors) {
    for (const test::MemoVector& vector : test::memoVectors())
        EXPECT_TRUE(memoText(encodeMemo(vector.name, vector.flags)) == vector.text) << vector.what;
}

TEST(MemoText, WritesTheFirstTwoAlphabetRowsInOrderInFourSpacedGroups) {
    MemoSymbols memo;
    for (std::size_t n = 0; n < memo.codes.size(); ++n)
        memo.codes[n] = static_cast<std::uint8_t>(n + 12);
    EXPECT_TRUE(memoText(memo) ==
                u"すせそたち\u3000つてとなに\u3000ぬねのはひ\u3000ふへほまみ\u3000");
}

TEST(KanaAlphabet, SoundMarksRepeatAndTheLastCodeIsTheIdeographicSpace) {
    EXPECT_EQ(kanaSymbol(46), kanaSymbol(52));
    EXPECT_EQ(kanaSymbol(47), kanaSymbol(53));
    EXPECT_EQ(kanaSymbol(46), u'\u309B');
    EXPECT_EQ(kanaSymbol(63), kIdeographicSpace);
}

} // namespace
} // namespace pelio
