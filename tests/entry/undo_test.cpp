#include "entry/undo.h"

#include "entry/memo_entry.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

StateRecord entered() {
    StateRecord state;
    typeText(state, u"いう");
    setFlag(state, 3, true);
    return state;
}

// An action is offered for undoing only where it replaced something the player entered: the
// name shown, a tick, or for クリア also the memo box.
TEST(Undo, IsOfferedOnlyWhereAnActionReplacedWhatThePlayerEntered) {
    StateRecord state = entered();
    const StateRecord before = state;
    resetEntry(state);
    const std::optional<Undo> undo = undoFor(ReplacingAction::Clear, before, state, u"いあ");
    ASSERT_TRUE(undo.has_value());
    EXPECT_EQ(undo->entry, before);
    EXPECT_EQ(undo->box, u"いあ");
    EXPECT_EQ(undo->notice, u"クリアしました");

    const StateRecord cleared = state;
    resetEntry(state);
    EXPECT_FALSE(undoFor(ReplacingAction::Clear, cleared, state, u" ").has_value());
    EXPECT_TRUE(undoFor(ReplacingAction::Clear, cleared, state, u"あ").has_value());

    setAllFlags(state);
    EXPECT_TRUE(undoFor(ReplacingAction::SetAll, cleared, state, u"").has_value());
    const StateRecord allSet = state;
    setAllFlags(state);
    EXPECT_FALSE(undoFor(ReplacingAction::SetAll, allSet, state, u"").has_value());

    // A memo read that holds the name and ticks already shown replaces nothing.
    complete(state);
    const std::u16string memo = state.writtenMemo;
    StateRecord reading = entered();
    const StateRecord unread = reading;
    pressEnterInMemo(reading, memo);
    EXPECT_TRUE(undoFor(ReplacingAction::Read, unread, reading, memo).has_value());
    const StateRecord read = reading;
    resetEntry(reading);
    pressEnterInMemo(reading, memo);
    EXPECT_FALSE(undoFor(ReplacingAction::Read, read, reading, memo).has_value());
}

} // namespace
} // namespace pelio
