#include "model/flag_catalogue.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

TEST(ProgressFlags, CountMeetingsAndRejectNumbersOutsideTheCatalogue) {
    ProgressFlags flags;
    flags.set(flag("Chk_Tan"), true); // a meeting, but not one of a duo
    for (FlagNumber number : kDuoMeetings) {
        EXPECT_EQ(meetingCount(flags), flags.count() - 1);
        flags.set(number, true);
    }
    EXPECT_EQ(meetingCount(flags), 6);
    EXPECT_EQ(findFlag("Chk_Khk"), kFlagCount);
    EXPECT_EQ(findFlag("Chk_Nope"), 0);
    EXPECT_THROW(flags.set(0, true), std::out_of_range);
    EXPECT_THROW(flags.set(kFlagCount + 1, true), std::out_of_range);
}

} // namespace
} // namespace pelio
