#pragma once

#include "memo/memo_encoder.h"
#include "model/flag_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pelio {

// The name and progress a memo stands for.
struct MemoContent {
    NameCodes name{};
    ProgressFlags flags;
    bool operator==(const MemoContent&) const = default;
};

// Why a text is not a memo the game could have given, in the order the reader checks; or why
// the memo box would not take a text in at all.
enum class MemoErrorKind : std::uint8_t {
    TooLong,           // more characters than the memo box holds
    NotMemoKana,       // a character other than "あ".."み", their katakana or white space
    WrongLength,       // not exactly 20 memo kana
    NonzeroEmptyDigit, // a kana too large for its position
    CheckMismatch,     // the check digits disagree with each other or with the content
    ControlCharacter,  // the memo box takes in no control character but line breaks and tabs
    UnknownKana,       // one to three kana the player could not make out, written as ？
};

struct MemoError {
    MemoErrorKind kind;
    // TooLong: the text's length in UTF-16 units. NotMemoKana, ControlCharacter: the
    // character's place in the text, from 1, spaces, line breaks and quotes included, a
    // surrogate pair as one character (it is the first such character, so this is also its
    // UTF-16 index + 1). WrongLength: the number of memo kana found. NonzeroEmptyDigit: the
    // memo position, 1..20. CheckMismatch: 0. UnknownKana: how many kana are unknown.
    int position = 0;
    std::u16string message; // for the player, in Japanese
};

using MemoReading = std::variant<MemoContent, MemoError>;

// The most a player can type or paste into the memo box, in UTF-16 units: room for the memo
// with any spacing and decoration, and a bound on what the reader and the box ever hold.
inline constexpr std::size_t kMemoInputLimit = 256;

// The reason the memo box cannot take `incoming` text, if it cannot: a text that would make
// it hold more than the limit (`resultingLength` units in all), or one with a control
// character, which the box could neither show nor pass whole to a screen reader. What the box
// refuses, it refuses whole.
std::optional<MemoError> checkMemoInput(std::u16string_view incoming, std::size_t resultingLength);

// One character of a typed memo as the reader takes it: one of the 32 memo kana, a kana the
// player could not make out, or anything else.
struct TypedSymbol {
    std::int8_t code;    // 0..31, kUnknownKana or kNotMemoKana
    std::uint16_t index; // where the character starts in the text, in UTF-16 units
};
inline constexpr std::int8_t kNotMemoKana = -1;
// A question mark, full- or half-width, or a middle dot: a kana the player could not read off
// the screen. Up to this many of them in a memo of 20 kana are filled in with what fits.
inline constexpr std::int8_t kUnknownKana = -2;
inline constexpr std::size_t kMostUnknownKana = 3;

// The characters of `text` the reader looks at, in order. White space of every kind, the
// invisible characters a copy brings along and one pair of quotes around the whole text are
// left out; full- and half-width katakana count as the hiragana they match. Only the first
// kMemoInputLimit units of the text are looked at.
std::vector<TypedSymbol> typedSymbols(std::u16string_view text);

// The name and progress 20 memo symbols stand for, or why the game would refuse them.
MemoReading decodeMemo(const MemoCodes& codes);

// Reads a memo as the player typed or pasted it: the characters `typedSymbols` keeps, which
// must be 20 memo kana that `decodeMemo` accepts. A memo with kana the player could not make out
// is refused with their places, for the memos that fit to be offered. The inverse of encodeMemo for
// every text the game gives.
MemoReading readMemo(std::u16string_view text);

} // namespace pelio
