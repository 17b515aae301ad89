#pragma once

#include "memo/memo_reader.h"

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pelio {

// The name slots the player has written themselves, which a memo of theirs must hold.
struct KnownName {
    NameCodes codes{};
    std::bitset<kNameSlots> written;

    bool any() const { return written.any(); }
    bool heldBy(const NameCodes& name) const;
    bool operator==(const KnownName&) const = default;
};

// A memo the game would accept, near what the player typed.
struct MemoSuggestion {
    MemoCodes codes{};
    MemoContent content;
    // Memo positions (bit 0 for the first) whose kana the slip changed or put in.
    std::bitset<kMemoLength> changed;
    // What was changed, for the player: "８番目の「ほ」を「は」に".
    std::u16string change;
};

// Which memos to look for.
enum class SuggestionScope : std::uint8_t {
    // Near a text the reader refuses: within one slip (a kana replaced, two neighbours
    // swapped, a kana left out or one too many), and only where there is none of those,
    // within two replaced kana. Memos that hold the known name come first.
    Refused,
    // Near a text that reads, but as another name than the known one: memos within one slip
    // that hold the known name.
    KnownNameOnly,
};

inline constexpr std::size_t kShownSuggestions = 5;

// The likeliest memos near `text`, best first, at most `limit` of them. A refused text gets
// suggestions only when its fault looks like a slip: a check that does not match, a kana too
// large for its place, 19 or 21 memo kana, or exactly one character that is not a memo kana.
std::vector<MemoSuggestion> suggestMemos(std::u16string_view text, const KnownName& name,
                                         SuggestionScope scope,
                                         std::size_t limit = kShownSuggestions);

} // namespace pelio
