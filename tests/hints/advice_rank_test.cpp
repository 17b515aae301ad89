#include "hints/advice_rank.h"

#include "support/flags.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelio {
namespace {

using test::flagsWith;

ProgressFlags sixMetAnd(std::initializer_list<std::string_view> more) {
    ProgressFlags flags = flagsWith(more);
    for (FlagNumber number : kDuoMeetings)
        flags.set(number, true);
    return flags;
}

TEST(AdviceRank, CountsMilestonesOnlyInOrder) {
    struct Case {
        const char* what;
        ProgressFlags flags;
        int rank;
    };
    ProgressFlags fiveMetAndAllMilestones = sixMetAnd({"Chk_Ryo", "Chk_Stk", "Chk_Kei"});
    fiveMetAndAllMilestones.set(flag("Chk_Jis"), false);
    const std::vector<Case> cases{
        {"no flag", {}, 1},
        {"milestones without all six met", fiveMetAndAllMilestones, 1},
        {"six met", sixMetAnd({}), 2},
        {"six met, studio and contract but no receipt", sixMetAnd({"Chk_Stk", "Chk_Kei"}), 2},
        {"six met and receipt", sixMetAnd({"Chk_Ryo"}), 3},
        {"six met, receipt and contract", sixMetAnd({"Chk_Ryo", "Chk_Kei"}), 3},
        {"six met, receipt and studio", sixMetAnd({"Chk_Ryo", "Chk_Stk"}), 4},
        {"all milestones", sixMetAnd({"Chk_Ryo", "Chk_Stk", "Chk_Kei"}), 5},
        {"all flags", test::allFlags(), 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(adviceRank(c.flags), c.rank) << c.what;
}

TEST(AdviceRank, LabelHasOneBlankBetweenColonAndDigit) {
    EXPECT_TRUE(adviceRankText(1) == u"助言ランク： 1");
    EXPECT_TRUE(adviceRankText(5) == u"助言ランク： 5");
}

} // namespace
} // namespace pelio
