#include "model/flag_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace pelio {
namespace {

TEST(FlagCatalogue, NumbersNamesAndCaptionsAreUniqueAndFindTheirFlag) {
    std::set<std::u16string_view> captions;
    for (int i = 0; i < kFlagCount; ++i) {
        const FlagInfo& info = kFlagCatalogue[i];
        EXPECT_EQ(info.number, i + 1);
        EXPECT_EQ(findFlag(info.controlName), info.number) << info.controlName;
        EXPECT_TRUE(captions.insert(info.caption).second) << info.controlName;
    }
    EXPECT_EQ(findFlag("Chk_Nope"), 0);
}

TEST(FlagCatalogue, EachPageFillsItsGridColumnByColumnAndPageTwoOverlaysPageOne) {
    std::set<std::pair<int, int>> places[2];
    for (const FlagInfo& info : kFlagCatalogue) {
        EXPECT_EQ(info.page, info.number <= 28 ? 1 : 2) << info.controlName;
        const int firstOnPage = info.page == 1 ? 1 : 29;
        EXPECT_EQ((info.column - 1) * 10 + info.row, info.number - firstOnPage + 1)
            << info.controlName;
        places[info.page - 1].insert({info.column, info.row});
    }
    EXPECT_EQ(places[0].size(), 28u);
    EXPECT_EQ(places[1].size(), 18u);
    EXPECT_TRUE(
        std::includes(places[0].begin(), places[0].end(), places[1].begin(), places[1].end()));
}

TEST(ProgressFlags, CountsMeetingsAndRejectsNumbersOutsideTheCatalogue) {
    ProgressFlags flags;
    flags.set(flag("Chk_Tan"), true); // a meeting, but not one of a duo
    for (FlagNumber number : kDuoMeetings) {
        EXPECT_EQ(meetingCount(flags), flags.count() - 1);
        flags.set(number, true);
    }
    EXPECT_EQ(meetingCount(flags), 6);
    EXPECT_THROW(flags.set(0, true), std::out_of_range);
    EXPECT_THROW(flags.set(kFlagCount + 1, true), std::out_of_range);
}

} // namespace
} // namespace pelio
