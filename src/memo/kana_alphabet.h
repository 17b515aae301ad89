#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pelio {

// Code of one symbol of the 64-symbol alphabet in which names and memos are written:
// 16 x row + column over the four rows below.
using KanaCode = std::uint8_t;

inline constexpr int kKanaCount = 64;
// The memo uses only the first two rows, the plain kana from "あ" to "み".
inline constexpr int kMemoKanaCount = 32;

inline constexpr std::array<std::u16string_view, 4> kKanaRows{
    u"あいうえおかきくけこさしすせそた", u"ちつてとなにぬねのはひふへほまみ",
    u"むめもやゆよらりるれろわをん゛゜",
    u"っゃゅょ゛゜！？、。「）ぶー…　", // ends with the ideographic space U+3000
};

constexpr char16_t kanaSymbol(KanaCode code) {
    return kKanaRows.at(code / 16).at(code % 16);
}

inline constexpr char16_t kIdeographicSpace = u'\u3000';

static_assert(kKanaRows[0].size() == 16 && kKanaRows[1].size() == 16 && kKanaRows[2].size() == 16 &&
              kKanaRows[3].size() == 16);

} // namespace pelio
