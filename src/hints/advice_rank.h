#pragma once

#include "model/flag_catalogue.h"

#include <string>
#include <string_view>

namespace pelio {

inline constexpr std::u16string_view kAdviceRankCaption = u"助言ランク：";

// 1 to 5: one more for each milestone passed, counted only in order (all six duos met,
// the receipt, the studio, the contract).
int adviceRank(const ProgressFlags& flags);

// The caption, one blank and the rank's digit, e.g. "助言ランク： 5".
std::u16string adviceRankText(int rank);

} // namespace pelio
