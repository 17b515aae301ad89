#include "model/state_record.h"

#include "hints/advice_rank.h"
#include "hints/location_hints.h"
#include "memo/memo_text.h"

#include <algorithm>

namespace pelio {

void pressKanaKey(StateRecord& state, KanaCode code) {
    state.keyPending = true;
    state.pendingKeyIndex = code;
    state.pendingKana = kanaSymbol(code);
}

void commitPendingKey(StateRecord& state) {
    if (!state.keyPending)
        return;
    state.nameCursor = static_cast<std::int16_t>(std::min(state.nameCursor + 1, kNameSlots));
    const int slot = state.nameCursor;
    state.nameKeyIndex[slot - 1] = state.pendingKeyIndex;
    state.nameShown[slot - 1] = true;
    state.highlightedSlot = static_cast<std::int16_t>(slot);
}

void backspaceName(StateRecord& state) {
    state.nameCursor = static_cast<std::int16_t>(std::max(state.nameCursor - 1, 0));
    state.highlightedSlot = static_cast<std::int16_t>(state.nameCursor + 1);
}

void enterMemoContent(StateRecord& state, const MemoContent& content) {
    state.nameKeyIndex = content.name;
    state.nameShown.fill(true);
    state.nameCursor = kNameSlots;
    state.highlightedSlot = kNameSlots;
    state.progressFlags = content.flags;
}

void switchFlagPage(StateRecord& state) {
    state.flagPage = state.flagPage == 0 ? 1 : 0;
}

void resetEntry(StateRecord& state) {
    state.nameCursor = 0;
    state.progressFlags.clearAll();
    state.metCount = 0;
    state.adviceRank = 1;
    state.nameShown = {};
    state.highlightedSlot = 0;
}

Completion complete(StateRecord& state) {
    const ProgressFlags& flags = state.progressFlags;
    state.metCount = static_cast<std::int16_t>(meetingCount(flags));
    state.adviceRank = static_cast<std::int16_t>(adviceRank(flags));

    Completion result;
    result.memo = memoText(encodeMemo(state.nameKeyIndex, flags));
    for (std::size_t i = 0; i < kLocations.size(); ++i)
        result.hintLines[i] = locationHintText(kLocations[i].location, flags);
    result.rankLine = adviceRankText(state.adviceRank);
    return result;
}

char16_t nameBoxText(const StateRecord& state, int slot) {
    const auto index = static_cast<std::size_t>(slot - 1);
    return state.nameShown.at(index) ? kanaSymbol(state.nameKeyIndex[index]) : kEmptyNameBox;
}

} // namespace pelio
