#pragma once

#include "entry/state_record.h"

#include <optional>
#include <string>
#include <string_view>

// Taking back an action that replaced what the player had entered: a slip of a finger on
// クリア, next to 完了, must not cost them their name and every tick.
namespace pelio {

enum class ReplacingAction : std::uint8_t {
    Clear,  // クリア
    SetAll, // 全フラグセット
    Read,   // a memo read over the name or the ticks
};

// What an undo puts back: the entry and the memo box as they were before the action. The
// results shown follow from the entry (`shownResults`), a refusal in the box from
// `refusalOf`.
struct Undo {
    StateRecord entry;
    std::u16string box;
    std::u16string notice; // what the front end says it did, beside the button that undoes it
};

// How long the notice and its button stay, and what the button says.
inline constexpr int kUndoSeconds = 15;
inline constexpr std::u16string_view kUndoCaption = u"もとにもどす";
// What a screen reader is told once the entry is back.
inline constexpr std::u16string_view kUndoneNotice = u"もとにもどしました";

// The undo for `action`, which turned `before` into `after` while the memo box held `box`;
// none where it changed neither the name nor a tick, so that nothing is offered that would
// undo nothing.
std::optional<Undo> undoFor(ReplacingAction action, const StateRecord& before,
                            const StateRecord& after, std::u16string_view box);

} // namespace pelio
