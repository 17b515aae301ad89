#include "hints/location_hints.h"

namespace pelio {
namespace {

bool allSixMet(const ProgressFlags& flags) {
    return meetingCount(flags) == static_cast<int>(kDuoMeetings.size());
}

bool isSet(const ProgressFlags& flags, Flag flag) {
    return flags.isSet(flag);
}

std::u16string_view officeHint(const ProgressFlags& flags) {
    if (!allSixMet(flags))
        return u"";
    if (!isSet(flags, Flag::TookPhoneMessage))
        return u"留守電";
    if (!isSet(flags, Flag::PendantInVault))
        return u"";
    return isSet(flags, Flag::TalkedToHoteto) ? u"" : u"ほてと";
}

std::u16string_view tvStationHint(const ProgressFlags& flags) {
    return allSixMet(flags) ? u"休憩中" : u"本番中";
}

std::u16string_view theatreHint(const ProgressFlags& flags) {
    if (!allSixMet(flags))
        return u"";
    return isSet(flags, Flag::Takoichi) ? u"みさね" : u"チラシ";
}

std::u16string_view boatRaceHint(const ProgressFlags& flags) {
    return isSet(flags, Flag::JokeBookStolen) ? u"" : u"たぬも";
}

std::u16string_view districtHint(const ProgressFlags& flags) {
    return isSet(flags, Flag::Pendant) && !isSet(flags, Flag::AomaruDies) ? u"蒼丸" : u"";
}

std::u16string_view pubHint(const ProgressFlags& flags) {
    if (!allSixMet(flags))
        return u"";
    return isSet(flags, Flag::Pendant) ? u"たぬも" : u"ピコー";
}

std::u16string_view hillsideHint(const ProgressFlags& flags) {
    return isSet(flags, Flag::Pendant) && isSet(flags, Flag::GoldChain) &&
                   !isSet(flags, Flag::PikoAtOffice)
               ? u"ピコー"
               : u"";
}

std::u16string_view personHint(const ProgressFlags& flags) {
    return isSet(flags, Flag::Contract) && isSet(flags, Flag::Smuggling) ? u"失踪" : u"";
}

} // namespace

std::u16string_view locationHint(Location location, const ProgressFlags& flags) {
    switch (location) {
    case Location::Office:
        return officeHint(flags);
    case Location::TvStation:
        return tvStationHint(flags);
    case Location::Theatre:
        return theatreHint(flags);
    case Location::BoatRace:
        return boatRaceHint(flags);
    case Location::District:
        return districtHint(flags);
    case Location::Pub:
        return pubHint(flags);
    case Location::Hillside:
        return hillsideHint(flags);
    case Location::Person:
        return personHint(flags);
    }
    return u"";
}

std::u16string locationHintText(Location location, const ProgressFlags& flags) {
    const LocationInfo& info = kLocations.at(static_cast<std::size_t>(location));
    std::u16string text(info.prefix);
    text += locationHint(location, flags);
    return text;
}

} // namespace pelio
