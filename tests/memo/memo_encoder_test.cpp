#include "memo/memo_encoder.h"

#include "memo/memo_text.h"
#include "memo_vectors.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

TEST(MemoEncoder, ReproducesTheKnownVectorsAndTheirText) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        const MemoSymbols memo = encodeMemo(vector.name, vector.flags);
        EXPECT_EQ(memo.checkSum, vector.checkSum) << vector.what;
        EXPECT_EQ(memoText(memo), vector.text) << vector.what;
    }
}

} // namespace
} // namespace pelio
