#pragma once

#include "entry/notebook.h"
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
    // What sets it apart from the others offered: where a kana was put in or taken out, its
    // name where the names differ, and the boxes it ticks or leaves unticked where another
    // does not: "１４番目に「ね」を足す　＋ライター　－宵らせのとの対面".
    std::u16string differences;
    std::u16string spoken; // all of it for a screen reader, with what the fix changed
};

struct MemoOutcome {
    enum class Kind : std::uint8_t {
        Unchanged, // nothing to read: the box holds no more than the memo last written
        Refused,   // the text does not read; it stays in the box, with why and any fixes
        Completed, // the entry was completed as it stands
        Read,      // the text was read into the name and the boxes, then the entry completed
        NoMemo,    // a picture gave no memo to read; the reason says why
    };
    Kind kind = Kind::Unchanged;
    Results results; // Completed, Read
    // Refused: why. Read: empty, or that the memo read holds another name than the one the
    // player entered. Completed: empty, or which kana the memo holds for name slots that show
    // nothing.
    std::u16string reason;
    // Over the fixes: how many there are. Under them, where there is a choice: what to do when
    // the player cannot tell which one is theirs.
    std::u16string heading;
    std::u16string hint;
    // What a screen reader is told of it all: the results or the reason, and the heading.
    std::u16string announced;
    std::vector<MemoFix> fixes; // best first
};

// Where the memos written and read are kept, and the time it is: a front end with no notebook
// leaves it out.
struct Keeping {
    Notebook* notebook = nullptr;
    NoteTime now;
};

// Whether the memo box holds text the player put there and has not had read: memo kana, or
// anything else, other than those of the memo the last completion or reading wrote. White
// space, invisible characters and quotes make no difference.
bool memoIsUnread(const StateRecord& state, std::u16string_view box);

// Enter in the memo box, or a fix chosen: reads the text and completes, unless the box holds
// the memo last written, which would undo whatever was entered or ticked since.
// A memo read goes into the notebook; one that leaves unticked a box the notebook's earlier memo
// of its name ticked is read, says so, and is offered the memos near it that keep that memo's
// boxes.
MemoOutcome pressEnterInMemo(StateRecord& state, std::u16string_view box, Keeping keeping = {});

// 完了: reads an unread memo in the box first, as Enter does, and stops if it is refused;
// otherwise completes from the name and the boxes. The memo written goes into the notebook.
MemoOutcome answer(StateRecord& state, std::u16string_view box, Keeping keeping = {});

// A memo a picture gave, read as Enter on its text would read it, with the reader's doubts: the
// memos offered for a text refused are ranked by them, and a text that reads is offered the memos
// its doubtful kana give. A picture of the memo last written changes nothing, and says so.
MemoOutcome readFromPicture(StateRecord& state, std::u16string_view text, Keeping keeping,
                            const ReaderDoubts& read);

// What Enter would refuse in `box`, with its reason and fixes, leaving the entry as it is; an
// Unchanged outcome where Enter would not refuse it. A box shown again, after a reload of the
// page or an undo, shows its refusal again with this.
MemoOutcome refusalOf(const StateRecord& state, std::u16string_view box,
                      const Notebook* notebook = nullptr);

} // namespace pelio
