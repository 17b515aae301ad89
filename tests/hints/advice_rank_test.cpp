#include "hints/advice_rank.h"

#include "support/flags.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

TEST(AdviceRank, CountsMilestonesOnlyInOrder) {
    struct Case {
        bool allSixMet;
        std::initializer_list<std::string_view> milestones;
        int rank;
    };
    const Case cases[]{
        {false, {}, 1},
        {false, {"Chk_Ryo", "Chk_Stk", "Chk_Kei"}, 1},
        {true, {}, 2},
        {true, {"Chk_Stk", "Chk_Kei"}, 2},
        {true, {"Chk_Ryo", "Chk_Kei"}, 3},
        {true, {"Chk_Ryo", "Chk_Stk"}, 4},
        {true, {"Chk_Ryo", "Chk_Stk", "Chk_Kei"}, 5},
    };
    for (const Case& c : cases) {
        ProgressFlags flags = test::flagsWith(c.milestones);
        for (std::size_t i = c.allSixMet ? 0 : 1; i < kDuoMeetings.size(); ++i)
            flags.set(kDuoMeetings[i], true);
        EXPECT_EQ(adviceRank(flags), c.rank) << "case " << (&c - cases);
    }
    EXPECT_EQ(adviceRank(test::allFlags()), 5);
}

} // namespace
} // namespace pelio
