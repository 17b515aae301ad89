#pragma once

#include "memo/memo_reader.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <span>
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

// What the search knows of the player besides the text: the name they have, whose memos come
// first, and the memo they had before, which tells apart memos that are equally likely slips:
// a game moves forward, so the likelier memo keeps what that one ticked and changes least.
// How sure a reader of a picture was of each kana it read: for each of the 20 places, the
// likelihood of each memo kana.
using KanaOdds = std::array<float, kMemoKanaCount>;

// What the reader of a picture knew besides the text it read. A kana replaced is then as likely
// as the reader's doubt about it, and kana are never swapped, left out or doubled.
struct ReaderDoubts {
    std::vector<KanaOdds> odds; // for each of the 20 places; none for a memo typed by hand
    // Memos the game takes that it found among its readings, however many kana away.
    std::vector<MemoCodes> alternatives;
};

struct SuggestionContext {
    KnownName name;
    std::optional<MemoContent> earlier = std::nullopt;
    ReaderDoubts read = {};
};

// A memo the game would accept, near what the player typed.
struct MemoSuggestion {
    MemoCodes codes{};
    MemoContent content;
    // Memo positions (bit 0 for the first) whose kana the slip changed or put in.
    std::bitset<kMemoLength> changed;
    // What was changed, for the player: "８番目の「ほ」を「は」に".
    std::u16string change;
    // The kana was put in or taken out, so its place says where this memo differs.
    bool lengthSlip = false;
};

// Which memos to look for.
enum class SuggestionScope : std::uint8_t {
    // Near a text the reader refuses: within one slip (a kana replaced, two neighbours
    // swapped, a kana left out or one too many), and only where there is none of those,
    // within two replaced kana; for a text with kana the player could not make out, every
    // memo that fits. Memos that hold the known name come first.
    Refused,
    // Near a text that reads, but as another name than the known one: memos within one slip
    // that hold the known name.
    KnownNameOnly,
    // Near a text that reads, but leaves unticked a box that the earlier memo of its name
    // ticked: memos within one slip that hold that name and keep every box it ticked.
    KeepsEarlierBoxes,
    // Near a text read from a picture that reads: the memos the reader's doubts give, a kana
    // replaced where its second reading was not far behind the first.
    Doubtful,
};

inline constexpr std::size_t kShownSuggestions = 5;

struct Suggestions {
    std::vector<MemoSuggestion> offered; // best first
    std::size_t found = 0;               // how many memos were found in all
};

// The likeliest memos near `text`, best first, at most `limit` of them. A refused text gets
// suggestions only when its fault looks like a slip: a check that does not match, a kana too
// large for its place, 19 or 21 memo kana, exactly one character that is not a memo kana, or
// up to three kana the player could not make out.
Suggestions suggestMemos(std::u16string_view text, const SuggestionContext& context,
                         SuggestionScope scope, std::size_t limit = kShownSuggestions);

// What tells one memo offered apart from the others offered with it, for a player who
// remembers what they found better than 20 kana: whether its name differs from another's, and
// the boxes on which it differs from the others that share its name, the most telling first.
struct Distinction {
    bool name = false;
    std::vector<FlagNumber> flags;
};

// How many boxes a memo offered names to tell it from the others: a line on a phone.
inline constexpr std::size_t kDistinguishingBoxes = 3;

// A distinction for each of `offered`, of at most `mostFlags` boxes. The boxes are enough to
// tell each memo from every other of its name wherever that many can.
std::vector<Distinction> distinguish(std::span<const MemoSuggestion> offered,
                                     std::size_t mostFlags);

} // namespace pelio
