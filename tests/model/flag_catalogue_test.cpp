#include "model/flag_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace pelio {
namespace {

TEST(FlagCatalogue, StorageNumbersRunFromOneToFortySixWithoutGap) {
    for (int i = 0; i < kFlagCount; ++i)
        EXPECT_EQ(kFlagCatalogue[i].number, i + 1);
    EXPECT_EQ(kFlagCatalogue.front().controlName, "Chk_Lgt");
    EXPECT_EQ(kFlagCatalogue.back().controlName, "Chk_Khk");
}

TEST(FlagCatalogue, ControlNamesAndCaptionsAreUniqueAndFindTheirFlag) {
    std::set<std::u16string_view> captions;
    for (const FlagInfo& info : kFlagCatalogue) {
        EXPECT_EQ(findFlag(info.controlName), info.number) << info.controlName;
        EXPECT_TRUE(info.controlName.starts_with("Chk_"));
        EXPECT_TRUE(captions.insert(info.caption).second) << info.controlName;
    }
    EXPECT_EQ(findFlag("Chk_Nope"), 0);
    EXPECT_EQ(findFlag(""), 0);
}

TEST(FlagCatalogue, PageOneHoldsTheFirstTwentyEightFlags) {
    for (const FlagInfo& info : kFlagCatalogue)
        EXPECT_EQ(info.page, info.number <= 28 ? 1 : 2) << info.controlName;
}

TEST(FlagCatalogue, EachPageFillsItsGridColumnByColumnWithoutOverlap) {
    for (int page = 1; page <= 2; ++page) {
        std::set<std::pair<int, int>> places;
        int previous = 0;
        for (const FlagInfo& info : kFlagCatalogue) {
            if (info.page != page)
                continue;
            EXPECT_TRUE(places.insert({info.column, info.row}).second) << info.controlName;
            const int place = (info.column - 1) * 10 + info.row;
            EXPECT_EQ(place, previous + 1) << info.controlName;
            previous = place;
        }
    }
}

TEST(FlagCatalogue, PageTwoBoxesLieOnThePlacesOfTheFirstEighteen) {
    for (int number = 29; number <= kFlagCount; ++number) {
        const FlagInfo& upper = flagInfo(number);
        const FlagInfo& lower = flagInfo(number - 28);
        EXPECT_EQ(upper.column, lower.column) << upper.controlName;
        EXPECT_EQ(upper.row, lower.row) << upper.controlName;
    }
    EXPECT_EQ(flagInfo(flag("Chk_Khk")).column, 2);
    EXPECT_EQ(flagInfo(flag("Chk_Khk")).row, 8);
}

TEST(FlagCatalogue, DuoMeetingsAreTheSixMeetingBoxes) {
    ProgressFlags flags;
    EXPECT_EQ(meetingCount(flags), 0);
    for (FlagNumber number : kDuoMeetings) {
        EXPECT_TRUE(flagInfo(number).caption.ends_with(u"対面")) << flagInfo(number).controlName;
        flags.set(number, true);
    }
    EXPECT_EQ(meetingCount(flags), 6);
    flags.set(flag("Chk_Tan"), true); // a meeting, but not one of a duo
    EXPECT_EQ(meetingCount(flags), 6);
}

TEST(ProgressFlags, RejectsStorageNumbersOutsideTheCatalogue) {
    ProgressFlags flags;
    EXPECT_THROW(flags.set(0, true), std::out_of_range);
    EXPECT_THROW(flags.set(kFlagCount + 1, true), std::out_of_range);
    EXPECT_EQ(flags.count(), 0);
}

} // namespace
} // namespace pelio
