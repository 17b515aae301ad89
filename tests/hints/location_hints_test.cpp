#include "hints/location_hints.h"

#include "support/flags.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

namespace pelio {
namespace {

enum Met { Five, Six };

ProgressFlags progress(Met met, std::initializer_list<std::string_view> more) {
    ProgressFlags flags = test::flagsWith(more);
    for (std::size_t i = 0; i < kDuoMeetings.size() - (met == Five ? 1 : 0); ++i)
        flags.set(kDuoMeetings[i], true);
    return flags;
}

TEST(LocationHints, FollowTheDecisionTables) {
    struct Case {
        Location location;
        Met met;
        std::initializer_list<std::string_view> flags;
        std::u16string_view expected;
    };
    using enum Location;
    const Case cases[]{
        {Office, Five, {"Chk_Tel"}, u"事務所："},
        {Office, Six, {}, u"事務所：留守電"},
        {Office, Six, {"Chk_Pnk", "Chk_Hot"}, u"事務所：留守電"},
        {Office, Six, {"Chk_Tel", "Chk_Hot"}, u"事務所："},
        {Office, Six, {"Chk_Tel", "Chk_Pnk"}, u"事務所：ほてと"},
        {Office, Six, {"Chk_Tel", "Chk_Pnk", "Chk_Hot"}, u"事務所："},
        {TvStation, Six, {}, u"まいあさＴＶ：休憩中"},
        {TvStation, Five, {}, u"まいあさＴＶ：本番中"},
        {Theatre, Six, {"Chk_Koi"}, u"なんば花月：みさね"},
        {Theatre, Six, {}, u"なんば花月：チラシ"},
        {Theatre, Five, {"Chk_Koi"}, u"なんば花月："},
        {BoatRace, Five, {"Chk_Bos"}, u"競艇場："},
        {BoatRace, Six, {}, u"競艇場：たぬも"},
        {District, Five, {"Chk_Pnd"}, u"道頓堀：蒼丸"},
        {District, Six, {"Chk_Pnd", "Chk_Aok"}, u"道頓堀："},
        {Pub, Six, {}, u"居酒屋みどり：ピコー"},
        {Pub, Six, {"Chk_Pnd"}, u"居酒屋みどり：たぬも"},
        {Pub, Five, {"Chk_Pnd"}, u"居酒屋みどり："},
        {Hillside, Five, {"Chk_Pnd", "Chk_Chn"}, u"千里が丘：ピコー"},
        {Hillside, Five, {"Chk_Pnd", "Chk_Chn", "Chk_Pio"}, u"千里が丘："},
        {Hillside, Six, {"Chk_Chn"}, u"千里が丘："},
        {Person, Five, {"Chk_Kei", "Chk_Mit"}, u"ともろう：失踪"},
        {Person, Six, {"Chk_Kei"}, u"ともろう："},
        {Person, Six, {"Chk_Mit"}, u"ともろう："},
    };
    for (const Case& c : cases)
        EXPECT_EQ(locationHintText(c.location, progress(c.met, c.flags)), c.expected)
            << "case " << (&c - cases);
}

} // namespace
} // namespace pelio
