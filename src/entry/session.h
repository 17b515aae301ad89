#pragma once

#include "entry/state_record.h"

#include <optional>
#include <string>
#include <string_view>

// The entry as a line of text, for a page to keep while its tab lives (a reload must not lose
// what the player entered), and back.
namespace pelio {

// What the player did: the name as keyed or read, the pending key, the ticks, the page shown
// and the memo last written. The rest of the record follows from these.
std::u16string saveEntry(const StateRecord& state);

// The record `saved` stands for; none where it is not a line saveEntry writes.
std::optional<StateRecord> restoreEntry(std::u16string_view saved);

// What the result lines show: those of the memo last written, or their bare captions.
Results shownResults(const StateRecord& state);

// Whether the player has entered anything worth keeping for the next time: a name shown, a
// tick, a memo written, or text in the memo box.
bool holdsInput(const StateRecord& state, std::u16string_view box);

} // namespace pelio
