#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

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

// Memo kana that a hand or a blurry television picture turns into one another, either way
// round. A replacement by a look-alike is the likeliest slip when a memo is copied down.
inline constexpr std::array<std::pair<char16_t, char16_t>, 18> kLookAlikeKana{{
    {u'は', u'ほ'},
    {u'ほ', u'ま'},
    {u'は', u'け'},
    {u'ぬ', u'ね'},
    {u'ぬ', u'の'},
    {u'ね', u'の'},
    {u'さ', u'ち'},
    {u'さ', u'き'},
    {u'き', u'ち'},
    {u'あ', u'お'},
    {u'た', u'な'},
    {u'た', u'に'},
    {u'こ', u'に'},
    {u'い', u'こ'},
    {u'う', u'つ'},
    {u'し', u'つ'},
    {u'く', u'へ'},
    {u'そ', u'て'},
}};

// Katakana, full- or half-width, as the hiragana they match; the half-width sound marks as
// the marks. Any other character comes back as it is.
constexpr char16_t asHiragana(char16_t unit) {
    // Full-width katakana sit 0x60 above their hiragana: "ア" U+30A2, "あ" U+3042.
    if (unit >= u'ァ' && unit <= u'ヶ')
        return static_cast<char16_t>(unit - 0x60);
    constexpr std::u16string_view kHalfWidth =
        u"をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"
        u"まみむめもやゆよらりるれろわん゛゜"; // U+FF66 "ｦ" to U+FF9F "ﾟ", in order
    static_assert(kHalfWidth.size() == u'ﾟ' - u'ｦ' + 1);
    if (unit >= u'ｦ' && unit <= u'ﾟ')
        return kHalfWidth[unit - u'ｦ'];
    return unit;
}

} // namespace pelio
