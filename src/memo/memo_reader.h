#pragma once

#include "memo/memo_encoder.h"
#include "model/flag_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace pelio {

// The name and progress a memo stands for.
struct MemoContent {
    NameCodes name{};
    ProgressFlags flags;
    bool operator==(const MemoContent&) const = default;
};

// Why a text is not a memo the game could have given, in the order the reader checks.
enum class MemoErrorKind : std::uint8_t {
    TooLong,           // more characters than the memo box holds
    NotMemoKana,       // a character other than "あ".."み", their katakana or white space
    WrongLength,       // not exactly 20 memo kana
    NonzeroEmptyDigit, // a kana too large for its position
    CheckMismatch,     // the check digits disagree with each other or with the content
};

struct MemoError {
    MemoErrorKind kind;
    // TooLong: the text's length in UTF-16 units. NotMemoKana: the character's place in the
    // typed text, from 1, spaces, line breaks and quotes included, a surrogate pair as one
    // character (it is the first bad character, so this is also its UTF-16 index + 1).
    // WrongLength: the number of memo kana found. NonzeroEmptyDigit: the memo position,
    // 1..20. CheckMismatch: 0.
    int position = 0;
    std::u16string message; // for the player, in Japanese
};

using MemoReading = std::variant<MemoContent, MemoError>;

// The most a player can type or paste into the memo box, in UTF-16 units: room for the memo
// with any spacing and decoration, and a bound on what the reader and the box ever hold.
inline constexpr std::size_t kMemoInputLimit = 256;

// The reason the memo box cannot hold a text of `length` UTF-16 units, if it cannot: what a
// box refuses to take in whole says so with the length it would have reached.
std::optional<MemoError> checkMemoInputLength(std::size_t length);

// Reads a memo as the player typed or pasted it: white space of every kind is skipped, one
// pair of quotes around the whole text is dropped, and full- and half-width katakana count
// as the hiragana they match. The inverse of encodeMemo for every text the game gives.
MemoReading readMemo(std::u16string_view text);

} // namespace pelio
