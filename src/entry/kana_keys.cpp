#include "entry/kana_keys.h"

#include <optional>
#include <utility>

namespace pelio {
namespace {

constexpr KanaCode kSpaceKey = 63;

struct SpokenName {
    KanaCode code;
    std::u16string_view name;
};

// Keys whose caption a screen reader would read out the same as another key's, or not at all.
constexpr std::array<SpokenName, 17> kSpokenNames{{
    {46, u"濁点１"},
    {47, u"半濁点１"},
    {48, u"小さいつ"},
    {49, u"小さいや"},
    {50, u"小さいゆ"},
    {51, u"小さいよ"},
    {52, u"濁点２"},
    {53, u"半濁点２"},
    {54, u"感嘆符"},
    {55, u"疑問符"},
    {56, u"読点"},
    {57, u"句点"},
    {58, u"かぎかっこ"},
    {59, u"閉じかっこ"},
    {61, u"長音"},
    {62, u"三点リーダー"},
    {kSpaceKey, u"SP（スペース）"}, // its caption first, as a player sees it
}};

// Kana written with a sound mark, each over the plain kana it marks.
struct MarkedKana {
    std::u16string_view marked;
    std::u16string_view plain;
    char16_t mark;
};
constexpr std::array<MarkedKana, 2> kMarkedKana{{
    {u"がぎぐげござじずぜぞだぢづでどばびぶべぼゔ", u"かきくけこさしすせそたちつてとはひふへほう",
     u'゛'},
    {u"ぱぴぷぺぽ", u"はひふへほ", u'゜'},
}};

constexpr char16_t kCombiningVoicedMark = u'\u3099';
constexpr char16_t kCombiningSemiVoicedMark = u'\u309A';

// The first key that types `symbol`: of the two keys of each sound mark, the upper one.
std::optional<KanaCode> keyTyping(char16_t symbol) {
    for (int code = 0; code < kKanaCount; ++code) {
        if (kanaSymbol(static_cast<KanaCode>(code)) == symbol)
            return static_cast<KanaCode>(code);
    }
    return std::nullopt;
}

} // namespace

std::u16string_view keyCaption(KanaCode code) {
    if (code == kSpaceKey)
        return u"SP";
    return kKanaRows.at(code / 16).substr(code % 16, 1);
}

std::u16string_view keySpokenName(KanaCode code) {
    for (const SpokenName& spoken : kSpokenNames) {
        if (spoken.code == code)
            return spoken.name;
    }
    return keyCaption(code);
}

KeyPresses keysForCharacter(char32_t character) {
    if (character > 0xFFFF)
        return {};
    char16_t unit = asHiragana(static_cast<char16_t>(character));
    if (unit == kCombiningVoicedMark)
        unit = u'゛';
    else if (unit == kCombiningSemiVoicedMark)
        unit = u'゜';

    // A key of its own wins: "ぶ" is one press, not "ふ" and "゛".
    if (const std::optional<KanaCode> code = keyTyping(unit))
        return {{*code}, 1};
    for (const MarkedKana& kind : kMarkedKana) {
        const std::size_t index = kind.marked.find(unit);
        if (index != std::u16string_view::npos)
            return {{*keyTyping(kind.plain[index]), *keyTyping(kind.mark)}, 2};
    }
    return {};
}

} // namespace pelio
