#pragma once

#include "memo/kana_alphabet.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace pelio {

// What a key of the on-screen keyboard shows: its kana, or "SP" for the ideographic space.
std::u16string_view keyCaption(KanaCode code);

// What a screen reader says for a key. Unique over the keyboard: the two keys of each sound
// mark are numbered, and punctuation is named rather than left to be read out as a symbol.
std::u16string_view keySpokenName(KanaCode code);

// The keys a typed character stands for, in the order a player presses them.
struct KeyPresses {
    std::array<KanaCode, 2> codes{};
    std::size_t count = 0;
};

// A kana with a key of its own is that key; a voiced or semi-voiced kana is its plain kana's
// key and then the first ゛ or ゜ key, as the game spells it; katakana, full- or half-width,
// count as the hiragana they match. A character with no key gives no presses.
KeyPresses keysForCharacter(char32_t character);

} // namespace pelio
