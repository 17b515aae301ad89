#pragma once

#include "hints/location_hints.h"
#include "memo/memo_reader.h"
#include "memo/memo_suggestions.h"
#include "model/flag_catalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelio {

// What an empty name box shows: the full-width question mark.
inline constexpr char16_t kEmptyNameBox = u'？';

// Everything the main window's handlers share for one run. It starts zero-filled; a front end
// keeps it between runs or reloads as the line session.h writes. The operations below are the
// rules of every handler; a front end only shows what they leave here.
struct StateRecord {
    // Name entry. `nameCursor` counts the slots filled so far (0..4) and is also the slot
    // written last; `nameKeyIndex` keeps each slot's code, slot 1 at index 0.
    std::int16_t nameCursor = 0;
    bool keyPending = false;
    KanaCode pendingKeyIndex = 0;
    bool pendingKeyCommitted = false; // by the input key, since the key was pressed
    NameCodes nameKeyIndex{};

    // What the four name boxes show: whether a slot's kana is on view (a reset hides them
    // all, though the codes stay), and which box is marked, 1..4, or 0 for none.
    std::array<bool, kNameSlots> nameShown{};
    std::int16_t highlightedSlot = 0;
    // The slots the player has written with the keys since the last reset: what a memo of
    // theirs must hold. Reading a memo writes the name boxes, not this.
    KnownName enteredName;
    // The name of the memo read last, where no key has been written since: the name the player
    // has, as far as the memos offered for a slip are concerned.
    std::optional<NameCodes> readName;

    // Progress panel: 0 while page 1 is shown, 1 while page 2 is.
    std::int16_t flagPage = 0;
    ProgressFlags progressFlags;

    // Results of the last completion; the reset puts them back. `writtenMemo` is the memo it
    // wrote into the memo box, empty before the first completion and after a reset.
    std::int16_t adviceRank = 1;
    std::u16string writtenMemo;

    bool operator==(const StateRecord&) const = default;
};

// A kana key: makes its code the pending key. Nothing on screen changes.
void pressKanaKey(StateRecord& state, KanaCode code);

// The input key: commits the pending key into the next slot (slot 4 again once all four
// are filled) and marks that slot. Does nothing before the first kana key.
void commitPendingKey(StateRecord& state);

// Backspace: moves the cursor back one slot and marks the slot the next input will write.
// Codes and shown kana stay as they are.
void backspaceName(StateRecord& state);

// Typing on the computer's keyboard: each character that some key types acts as that key
// and the input key, a voiced kana as two such pairs. Other characters change nothing.
void typeText(StateRecord& state, std::u16string_view text);

// A check box ticked or unticked.
void setFlag(StateRecord& state, FlagNumber number, bool ticked);

// Ticks every box on both pages; nothing else changes.
void setAllFlags(StateRecord& state);

// Shows the other page of check boxes.
void switchFlagPage(StateRecord& state);

// What the memo box and the result lines show: the memo, the hint lines in the order of the
// hint locations, and the rank line.
struct Results {
    std::u16string memo;
    std::array<std::u16string, kLocations.size()> hintLines;
    std::u16string rankLine;
};

// What they show before the first completion: an empty memo and the lines' bare captions.
Results blankResults();

// A new entry: clears flags and name boxes and blanks the results; keeps the stored name
// codes, the pending key and the page shown.
Results resetEntry(StateRecord& state);

// A memo's name and progress replace the entry, as if the player had entered the four kana with
// the keyboard and ticked the boxes; the pending key, the page and the entered name stay.
void enterMemo(StateRecord& state, const MemoContent& content);

// The name a memo of the player's holds as far as is known: that of the memo read last, or
// the slots keyed in since, whichever came later.
KnownName playerName(const StateRecord& state);

// The completion: records the meeting count, the advice rank and the memo it writes, and
// returns what to show, worked out from the stored name codes and flags alone.
Results complete(StateRecord& state);

// What name box `slot` (1..4) shows.
char16_t nameBoxText(const StateRecord& state, int slot);

// What a screen reader says of name box `slot`: its kana as the keys name it, or that it is
// still empty; and that it is the marked one, where the name's cursor is.
std::u16string nameBoxSpokenText(const StateRecord& state, int slot);

// What a screen reader is told when a completion shows its results: the memo and the rank.
std::u16string spokenResults(const Results& results);

// The kana key shown as selected: the pending key, until the input key commits it or another
// key is pressed. None before the first key.
std::optional<KanaCode> selectedKey(const StateRecord& state);

} // namespace pelio
