#include "entry/state_record.h"

#include "entry/kana_keys.h"
#include "hints/advice_rank.h"
#include "hints/location_hints.h"
#include "memo/memo_text.h"
#include "memo/utf16.h"

#include <algorithm>

namespace pelio {

void pressKanaKey(StateRecord& state, KanaCode code) {
    state.keyPending = true;
    state.pendingKeyIndex = code;
    state.pendingKeyCommitted = false;
}

void commitPendingKey(StateRecord& state) {
    if (!state.keyPending)
        return;
    state.nameCursor = static_cast<std::int16_t>(std::min(state.nameCursor + 1, kNameSlots));
    const auto slot = static_cast<std::size_t>(state.nameCursor - 1); // the one just written
    state.nameKeyIndex[slot] = state.pendingKeyIndex;
    state.nameShown[slot] = true;
    state.enteredName.codes[slot] = state.pendingKeyIndex;
    state.enteredName.written.set(slot);
    state.readName.reset();
    state.highlightedSlot = state.nameCursor;
    state.pendingKeyCommitted = true;
}

void backspaceName(StateRecord& state) {
    state.nameCursor = static_cast<std::int16_t>(std::max(state.nameCursor - 1, 0));
    state.highlightedSlot = static_cast<std::int16_t>(state.nameCursor + 1);
}

void typeText(StateRecord& state, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); i += codePointAt(text, i).units) {
        const KeyPresses presses = keysForCharacter(codePointAt(text, i).value);
        for (std::size_t k = 0; k < presses.count; ++k) {
            pressKanaKey(state, presses.codes[k]);
            commitPendingKey(state);
        }
    }
}

void setFlag(StateRecord& state, FlagNumber number, bool ticked) {
    state.progressFlags.set(number, ticked);
}

void setAllFlags(StateRecord& state) {
    state.progressFlags.setAll();
}

void switchFlagPage(StateRecord& state) {
    state.flagPage = state.flagPage == 0 ? 1 : 0;
}

Results blankResults() {
    Results blank;
    for (std::size_t i = 0; i < kLocations.size(); ++i)
        blank.hintLines[i] = kLocations[i].prefix;
    blank.rankLine = kAdviceRankCaption;
    return blank;
}

Results resetEntry(StateRecord& state) {
    state.nameCursor = 0;
    state.progressFlags = {};
    state.adviceRank = 1;
    state.nameShown = {};
    state.highlightedSlot = 0;
    state.enteredName = {};
    state.readName.reset();
    state.writtenMemo.clear();
    return blankResults();
}

void enterMemo(StateRecord& state, const MemoContent& content) {
    state.nameKeyIndex = content.name;
    state.nameShown.fill(true);
    state.nameCursor = kNameSlots;
    state.highlightedSlot = kNameSlots;
    state.progressFlags = content.flags;
    state.readName = content.name;
}

KnownName playerName(const StateRecord& state) {
    if (!state.readName)
        return state.enteredName;
    KnownName name;
    name.codes = *state.readName;
    name.written.set();
    return name;
}

Results complete(StateRecord& state) {
    const ProgressFlags& flags = state.progressFlags;
    state.adviceRank = static_cast<std::int16_t>(adviceRank(flags));

    Results result;
    result.memo = memoText(encodeMemo(state.nameKeyIndex, flags));
    for (std::size_t i = 0; i < kLocations.size(); ++i)
        result.hintLines[i] = locationHintText(kLocations[i].location, flags);
    result.rankLine = adviceRankText(state.adviceRank);
    state.writtenMemo = result.memo;
    return result;
}

std::u16string nameBoxSpokenText(const StateRecord& state, int slot) {
    const auto index = static_cast<std::size_t>(slot - 1);
    std::u16string spoken(state.nameShown.at(index) ? keySpokenName(state.nameKeyIndex[index])
                                                    : u"まだありません");
    if (slot == state.highlightedSlot)
        spoken += u"、カーソル";
    return spoken;
}

std::u16string spokenResults(const Results& results) {
    return u"そうさめも " + results.memo + u"、" + results.rankLine;
}

char16_t nameBoxText(const StateRecord& state, int slot) {
    const auto index = static_cast<std::size_t>(slot - 1);
    return state.nameShown.at(index) ? kanaSymbol(state.nameKeyIndex[index]) : kEmptyNameBox;
}

std::optional<KanaCode> selectedKey(const StateRecord& state) {
    if (!state.keyPending || state.pendingKeyCommitted)
        return std::nullopt;
    return state.pendingKeyIndex;
}

} // namespace pelio
