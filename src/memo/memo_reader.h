#pragma once

#include "memo/memo_encoder.h"
#include "model/flag_catalogue.h"

#include <cstdint>
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
    NotMemoKana,       // a character other than "あ".."み", their katakana or a space
    WrongLength,       // not exactly 20 memo kana
    NonzeroEmptyDigit, // a kana too large for its position
    CheckMismatch,     // the check digits disagree with each other or with the content
};

struct MemoError {
    MemoErrorKind kind;
    // NotMemoKana: the character's place in the typed text, from 1, spaces and line breaks
    // included, a surrogate pair as one character (it is the first bad character, so this is
    // also its UTF-16 index + 1). WrongLength: the number of memo kana found.
    // NonzeroEmptyDigit: the memo position, 1..20. CheckMismatch: 0.
    int position = 0;
    std::u16string message; // for the player, in Japanese
};

using MemoReading = std::variant<MemoContent, MemoError>;

// Reads a memo as the player typed it: spaces, tabs and line breaks are skipped and katakana
// count as the hiragana they match. The inverse of encodeMemo for every text the game gives.
MemoReading readMemo(std::u16string_view text);

} // namespace pelio
