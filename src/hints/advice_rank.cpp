#include "hints/advice_rank.h"

#include <array>

namespace pelio {

int adviceRank(const ProgressFlags& flags) {
    if (meetingCount(flags) != static_cast<int>(kDuoMeetings.size()))
        return 1;
    static constexpr std::array<Flag, 3> kMilestones{Flag::Receipt, Flag::StudioKameda,
                                                     Flag::Contract};
    int rank = 2;
    for (Flag milestone : kMilestones) {
        if (!flags.isSet(milestone))
            break;
        ++rank;
    }
    return rank;
}

std::u16string adviceRankText(int rank) {
    // Numbers are shown with a sign position: a blank before one that is not negative.
    std::u16string text(kAdviceRankCaption);
    if (rank >= 0)
        text += u' ';
    for (char digit : std::to_string(rank))
        text += static_cast<char16_t>(digit);
    return text;
}

} // namespace pelio
