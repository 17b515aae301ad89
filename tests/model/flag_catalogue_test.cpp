#include "model/flag_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace pelio {
namespace {

// A slip in the catalogue would store a flag in another's place, stack two boxes on one place
// of the panel or put one off it.
TEST(FlagCatalogue, EveryFlagHasAPlaceOfItsOwnInStorageAndOnThePanel) {
    std::set<std::tuple<int, int, int>> places;
    for (const FlagInfo& info : kFlagCatalogue) {
        EXPECT_EQ(info.number, &info - kFlagCatalogue.data() + 1) << info.controlName;
        EXPECT_TRUE(info.page >= 1 && info.page <= 2 && info.column >= 1 && info.column <= 3 &&
                    info.row >= 1 && info.row <= 10)
            << info.controlName;
        EXPECT_TRUE(places.insert({info.page, info.column, info.row}).second) << info.controlName;
    }
}

TEST(ProgressFlags, CountMeetingsAndRejectNumbersOutsideTheCatalogue) {
    ProgressFlags flags;
    flags.set(Flag::MetTanumo, true); // a meeting, but not one of a duo
    for (Flag meeting : kDuoMeetings) {
        EXPECT_EQ(meetingCount(flags), flags.count() - 1);
        flags.set(meeting, true);
    }
    EXPECT_EQ(meetingCount(flags), 6);
    EXPECT_EQ(findFlag("Chk_Khk"), kFlagCount);
    EXPECT_EQ(findFlag("Chk_Nope"), 0);
    EXPECT_THROW(flags.set(0, true), std::out_of_range);
    EXPECT_THROW(flags.set(kFlagCount + 1, true), std::out_of_range);
}

} // namespace
} // namespace pelio
