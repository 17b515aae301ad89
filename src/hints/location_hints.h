#pragma once

#include "model/flag_catalogue.h"

#include <array>
#include <string>
#include <string_view>

namespace pelio {

// The eight places of the game that get a hint line, in the order of `kLocations`.
enum class Location { Office, TvStation, Theatre, BoatRace, District, Pub, Hillside, Person };

struct LocationInfo {
    Location location;
    std::u16string_view prefix; // the place's name and a full-width colon
};

inline constexpr std::array<LocationInfo, 8> kLocations{{
    {Location::Office, u"事務所："},
    {Location::TvStation, u"まいあさＴＶ："},
    {Location::Theatre, u"なんば花月："},
    {Location::BoatRace, u"競艇場："},
    {Location::District, u"道頓堀："},
    {Location::Pub, u"居酒屋みどり："},
    {Location::Hillside, u"千里が丘："},
    {Location::Person, u"ともろう："},
}};

// What the player finds at `location` now; empty when the place has nothing to tell.
std::u16string_view locationHint(Location location, const ProgressFlags& flags);

// The whole hint line: the place's prefix followed by its hint. It depends on the flags
// alone, never on what an earlier completion showed.
std::u16string locationHintText(Location location, const ProgressFlags& flags);

} // namespace pelio
