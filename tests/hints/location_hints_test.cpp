#include "hints/location_hints.h"

#include "support/flags.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pelio {
namespace {

using test::allFlags;
using test::flagsWith;

const std::initializer_list<std::string_view> kAllSix{"Chk_Mis", "Chk_Ras", "Chk_Ubo",
                                                      "Chk_Upi", "Chk_Jkt", "Chk_Jis"};
const std::initializer_list<std::string_view> kFiveOfSix{"Chk_Mis", "Chk_Ras", "Chk_Ubo", "Chk_Upi",
                                                         "Chk_Jkt"};

ProgressFlags with(std::initializer_list<std::string_view> base,
                   std::initializer_list<std::string_view> more) {
    ProgressFlags flags = flagsWith(base);
    for (std::string_view name : more)
        flags.set(findFlag(name), true);
    return flags;
}

struct HintCase {
    const char* what;
    ProgressFlags flags;
    Location location;
    std::u16string expected;
};

TEST(LocationHints, FollowTheDecisionTables) {
    const std::vector<HintCase> cases{
        // Office: only all six duo meetings open it; the chain stops at the first unset flag.
        {"office, five met", with(kFiveOfSix, {"Chk_Tel"}), Location::Office, u"事務所："},
        {"office, six met", flagsWith(kAllSix), Location::Office, u"事務所：留守電"},
        {"office, message but no pendant", with(kAllSix, {"Chk_Tel", "Chk_Hot"}), Location::Office,
         u"事務所："},
        {"office, pendant and hot", with(kAllSix, {"Chk_Pnk", "Chk_Hot"}), Location::Office,
         u"事務所：留守電"},
        {"office, message and pendant", with(kAllSix, {"Chk_Tel", "Chk_Pnk"}), Location::Office,
         u"事務所：ほてと"},
        {"office, talked to hoteto", with(kAllSix, {"Chk_Tel", "Chk_Pnk", "Chk_Hot"}),
         Location::Office, u"事務所："},
        {"tv, six met", flagsWith(kAllSix), Location::TvStation, u"まいあさＴＶ：休憩中"},
        {"tv, five met", flagsWith(kFiveOfSix), Location::TvStation, u"まいあさＴＶ：本番中"},
        {"theatre, six met with takoichi", with(kAllSix, {"Chk_Koi"}), Location::Theatre,
         u"なんば花月：みさね"},
        {"theatre, six met", flagsWith(kAllSix), Location::Theatre, u"なんば花月：チラシ"},
        {"theatre, five met", with(kFiveOfSix, {"Chk_Koi"}), Location::Theatre, u"なんば花月："},
        {"boat race, book stolen", flagsWith({"Chk_Bos"}), Location::BoatRace, u"競艇場："},
        {"boat race, nothing", {}, Location::BoatRace, u"競艇場：たぬも"},
        {"district, pendant", flagsWith({"Chk_Pnd"}), Location::District, u"道頓堀：蒼丸"},
        {"district, pendant and death", flagsWith({"Chk_Pnd", "Chk_Aok"}), Location::District,
         u"道頓堀："},
        {"pub, six met", flagsWith(kAllSix), Location::Pub, u"居酒屋みどり：ピコー"},
        {"pub, six met and pendant", with(kAllSix, {"Chk_Pnd"}), Location::Pub,
         u"居酒屋みどり：たぬも"},
        {"pub, pendant only", flagsWith({"Chk_Pnd"}), Location::Pub, u"居酒屋みどり："},
        {"hillside, pendant and chain", flagsWith({"Chk_Pnd", "Chk_Chn"}), Location::Hillside,
         u"千里が丘：ピコー"},
        {"hillside, picot at the office", flagsWith({"Chk_Pnd", "Chk_Chn", "Chk_Pio"}),
         Location::Hillside, u"千里が丘："},
        {"hillside, chain only", flagsWith({"Chk_Chn"}), Location::Hillside, u"千里が丘："},
        {"person, contract and smuggling", flagsWith({"Chk_Kei", "Chk_Mit"}), Location::Person,
         u"ともろう：失踪"},
        {"person, contract alone", flagsWith({"Chk_Kei"}), Location::Person, u"ともろう："},
        {"person, smuggling alone", flagsWith({"Chk_Mit"}), Location::Person, u"ともろう："},
    };
    for (const HintCase& c : cases)
        EXPECT_TRUE(locationHintText(c.location, c.flags) == c.expected) << c.what;
}

std::vector<std::u16string> allHintLines(const ProgressFlags& flags) {
    std::vector<std::u16string> lines;
    for (const LocationInfo& info : kLocations)
        lines.push_back(locationHintText(info.location, flags));
    return lines;
}

TEST(LocationHints, NoFlagAndAllFlags) {
    const std::vector<std::u16string> none{
        u"事務所：", u"まいあさＴＶ：本番中", u"なんば花月：", u"競艇場：たぬも",
        u"道頓堀：", u"居酒屋みどり：",       u"千里が丘：",   u"ともろう：",
    };
    EXPECT_TRUE(allHintLines({}) == none);
    const std::vector<std::u16string> all{
        u"事務所：", u"まいあさＴＶ：休憩中", u"なんば花月：みさね", u"競艇場：",
        u"道頓堀：", u"居酒屋みどり：たぬも", u"千里が丘：",         u"ともろう：失踪",
    };
    EXPECT_TRUE(allHintLines(allFlags()) == all);
}

TEST(LocationHints, EveryLineStartsWithItsPlacesPrefix) {
    // The prefix is what a fresh start shows, and what a line falls back to when its rule
    // does not fire, whatever an earlier completion showed.
    for (const ProgressFlags& flags : {ProgressFlags{}, allFlags(), flagsWith(kAllSix)})
        for (const LocationInfo& info : kLocations)
            EXPECT_TRUE(locationHintText(info.location, flags).starts_with(info.prefix))
                << info.labelName;
}

TEST(LocationHints, FiveMeetingsBehaveLikeNone) {
    for (Location location :
         {Location::Office, Location::TvStation, Location::Theatre, Location::Pub})
        EXPECT_TRUE(locationHintText(location, flagsWith(kFiveOfSix)) ==
                    locationHintText(location, {}));
}

} // namespace
} // namespace pelio
