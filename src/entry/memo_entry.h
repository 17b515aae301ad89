#pragma once

#include "entry/state_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The memo box's rules: when Enter or 完了 reads what the player put there, what comes of it,
// and the memos offered in its place when it holds a slip.
namespace pelio {

// A memo offered near what the player typed, as a front end shows it.
struct MemoFix {
    std::u16string memo;      // as the memo box shows it, in four groups
    std::uint32_t marked = 0; // bit i set: memo[i] is a kana the fix changed or put in
    std::u16string details; // its name, ticked boxes and rank: "なまえ「いうえお」　…"
    std::u16string spoken;  // all of it for a screen reader, with what the fix changed
};

struct MemoOutcome {
    enum class Kind : std::uint8_t {
        Unchanged, // nothing to read: the box holds no more than the memo last written
        Refused,   // the text does not read; it stays in the box, with why and any fixes
        Completed, // the entry was completed as it stands
        Read,      // the text was read into the name and the boxes, then the entry completed
    };
    Kind kind = Kind::Unchanged;
    Results results; // Completed, Read
    // Refused: why. Read: empty, or that the memo read holds another name than the one the
    // player entered.
    std::u16string reason;
    // What a screen reader is told: the reason, and how many fixes are offered.
    std::u16string announced;
    std::vector<MemoFix> fixes; // best first
};

// Whether the memo box holds text the player put there and has not had read: memo kana, or
// anything else, other than those of the memo the last completion or reading wrote. White
// space, invisible characters and quotes make no difference.
bool memoIsUnread(const StateRecord& state, std::u16string_view box);

// Enter in the memo box, or a fix chosen: reads the text and completes, unless the box holds
// the memo last written, which would undo whatever was entered or ticked since.
MemoOutcome pressEnterInMemo(StateRecord& state, std::u16string_view box);

// 完了: reads an unread memo in the box first, as Enter does, and stops if it is refused;
// otherwise completes from the name and the boxes.
MemoOutcome answer(StateRecord& state, std::u16string_view box);

// What Enter would refuse in the box, told without changing the entry: the refusal with its
// reason and fixes, or Unchanged where Enter would not refuse the text.
MemoOutcome refusalOf(const StateRecord& state, std::u16string_view box);

} // namespace pelio
