#include "memo/memo_reader.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_layout.h"
#include "memo/utf16.h"
#include "memo/wording.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <utility>

namespace pelio {
namespace {

// Every character Unicode counts as white space, line and paragraph separators included, and
// the invisible ones that ride along when a memo is copied out of a web page or a chat: the
// zero-width space and joiners, the word joiner, the byte order mark and the soft hyphen.
bool isSkipped(char16_t unit) {
    return (unit >= 0x09 && unit <= 0x0D) || unit == 0x20 || unit == 0x85 || unit == 0xA0 ||
           unit == 0xAD || unit == 0x1680 || (unit >= 0x2000 && unit <= 0x200D) || unit == 0x2028 ||
           unit == 0x2029 || unit == 0x202F || unit == 0x205F || unit == 0x2060 ||
           unit == kIdeographicSpace || unit == 0xFEFF;
}

// Control characters other than the line breaks and tabs above.
bool isControl(char32_t c) {
    return (c < 0x20 || (c >= 0x7F && c <= 0x9F)) && !isSkipped(static_cast<char16_t>(c));
}

// Quotes that chat programs put around a pasted text, as opening and closing pairs.
constexpr std::array<std::pair<char16_t, char16_t>, 6> kQuotePairs{{
    {u'"', u'"'},
    {u'\'', u'\''},
    {u'\u201C', u'\u201D'},
    {u'\u2018', u'\u2019'},
    {u'「', u'」'},
    {u'『', u'』'},
}};

// The code of `unit` among the 32 memo kana; small, voiced and other kana are not among them.
std::int8_t memoKanaCode(char16_t unit) {
    if (unit == u'？' || unit == u'?' || unit == u'・' || unit == u'･')
        return kUnknownKana;
    const char16_t hiragana = asHiragana(unit);
    for (int code = 0; code < kMemoKanaCount; ++code) {
        if (kanaSymbol(static_cast<KanaCode>(code)) == hiragana)
            return static_cast<std::int8_t>(code);
    }
    return kNotMemoKana;
}

int clampToInt(std::size_t value) {
    return value > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

// Characters a reason may show as they are: kana, ideographs, Japanese punctuation, printable
// ASCII and the full- and half-width forms. Anything else might be invisible, join the quote
// mark before it or turn the text around, so it is named by its code point instead.
bool isShownAsItIs(char32_t c) {
    return (c >= 0x21 && c <= 0x7E) || (c >= 0x3001 && c <= 0x3029) ||
           (c >= 0x3030 && c <= 0x303F) || (c >= 0x3041 && c <= 0x3096) ||
           (c >= 0x309B && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF01 && c <= 0xFF9F) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3134F);
}

// The character at `index` as a reason shows it: in brackets, or as "U+202E".
std::u16string shownCharacter(std::u16string_view text, std::size_t index) {
    const CodePoint character = codePointAt(text, index);
    std::u16string shown;
    if (isShownAsItIs(character.value)) {
        // Appended one by one: GCC 12 warns falsely (-Wrestrict) on a literal + string&&.
        shown.append(u"「").append(text.substr(index, character.units)).append(u"」");
        return shown;
    }
    shown = u"U+";
    for (int shift = character.value > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4)
        shown += u"0123456789ABCDEF"[(character.value >> shift) & 0xF];
    return shown;
}

MemoError notMemoKana(std::u16string_view text, std::size_t index) {
    return {MemoErrorKind::NotMemoKana, clampToInt(index + 1),
            fullWidthNumber(index + 1) + u"文字目の" + shownCharacter(text, index) +
                u"はそうさめもの文字ではありません（使えるのは「あ」～「み」）"};
}

MemoError controlCharacter(std::u16string_view text, std::size_t index) {
    return {MemoErrorKind::ControlCharacter, clampToInt(index + 1),
            u"入れようとした文字の" + fullWidthNumber(index + 1) + u"文字目に制御文字" +
                shownCharacter(text, index) + u"があるので、そうさめもの欄には入れません"};
}

MemoError wrongLength(std::size_t symbolCount) {
    return {MemoErrorKind::WrongLength, clampToInt(symbolCount),
            u"そうさめもは" + fullWidthNumber(kMemoLength) + u"文字です（いま" +
                fullWidthNumber(symbolCount) + u"文字）"};
}

MemoError nonzeroEmptyDigit(int position, std::uint8_t symbol) {
    return {MemoErrorKind::NonzeroEmptyDigit, position,
            u"そうさめもの" + fullWidthNumber(static_cast<std::size_t>(position)) +
                u"番目のかなに「" + kanaSymbol(symbol) + u"」は使われません"};
}

MemoError tooLong(std::size_t length) {
    return {MemoErrorKind::TooLong, clampToInt(length),
            u"そうさめもの欄には" + fullWidthNumber(kMemoInputLimit) +
                u"文字までしか入りません（入れると" + fullWidthNumber(length) + u"文字）"};
}

// "そうさめもの１番目、８番目と１５番目の文字がわかりません"
MemoError unknownKana(const std::vector<std::size_t>& positions) {
    std::u16string places;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (i > 0)
            places += i + 1 == positions.size() ? u"と" : u"、";
        places += fullWidthNumber(positions[i]) + u"番目";
    }
    std::u16string message = u"そうさめもの" + places + u"の文字がわかりません";
    if (positions.size() > kMostUnknownKana)
        message +=
            u"（あてはまるものをさがせるのは" + fullWidthNumber(kMostUnknownKana) + u"文字まで）";
    return {MemoErrorKind::UnknownKana, static_cast<int>(positions.size()), message};
}

MemoError checkMismatch() {
    return {MemoErrorKind::CheckMismatch, 0,
            u"そうさめものチェックが合いません。打ちまちがいがないか見直してください"};
}

} // namespace

std::optional<MemoError> checkMemoInput(std::u16string_view incoming, std::size_t resultingLength) {
    if (resultingLength > kMemoInputLimit)
        return tooLong(resultingLength);
    for (std::size_t i = 0; i < incoming.size(); i += codePointAt(incoming, i).units) {
        if (isControl(codePointAt(incoming, i).value))
            return controlCharacter(incoming, i);
    }
    return std::nullopt;
}

std::vector<TypedSymbol> typedSymbols(std::u16string_view text) {
    text = text.substr(0, kMemoInputLimit);
    // A pair of quotes around the whole text is dropped; a lone quote is not memo kana.
    std::size_t first = 0, last = text.size();
    while (first < last && isSkipped(text[first]))
        ++first;
    while (last > first && isSkipped(text[last - 1]))
        --last;
    const bool quoted = std::any_of(kQuotePairs.begin(), kQuotePairs.end(), [&](const auto& pair) {
        return last - first >= 2 && text[first] == pair.first && text[last - 1] == pair.second;
    });
    if (quoted) {
        ++first;
        --last;
    }

    std::vector<TypedSymbol> symbols;
    for (std::size_t i = first; i < last; i += codePointAt(text, i).units) {
        if (!isSkipped(text[i]))
            symbols.push_back({memoKanaCode(text[i]), static_cast<std::uint16_t>(i)});
    }
    return symbols;
}

MemoReading decodeMemo(const MemoCodes& codes) {
    MemoContent content;
    // The values the copies of each check digit were typed with: bit 0 for a 0, bit 1 for a 1.
    std::array<unsigned, kCheckDigits> checkCopies{};
    for (std::size_t n = 0; n < kMemoLayout.size(); ++n) {
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w) {
            const int digit = codes[n] / kSymbolWeights[w] % 2;
            const DigitSource& source = kMemoLayout[n][w];
            switch (source.kind) {
            case DigitSource::Kind::Empty:
                if (digit != 0)
                    return nonzeroEmptyDigit(static_cast<int>(n) + 1, codes[n]);
                break;
            case DigitSource::Kind::NameDigit: {
                KanaCode& code = content.name[source.slot - 1];
                code = static_cast<KanaCode>(code | digit << (source.digit - 1));
                break;
            }
            case DigitSource::Kind::CheckDigit:
                checkCopies[source.digit - 1] |= 1u << digit;
                break;
            case DigitSource::Kind::Flag:
                content.flags.set(source.flag, digit == 1);
                break;
            }
        }
    }

    // Every copy must carry the digit of the count the content itself gives.
    const int checkCount = memoCheckSum(content.name, content.flags);
    for (std::size_t k = 1; k <= checkCopies.size(); ++k) {
        if (checkCopies[k - 1] != 1u << binaryDigit(checkCount, static_cast<int>(k)))
            return checkMismatch();
    }
    return content;
}

MemoReading readMemo(std::u16string_view text) {
    if (text.size() > kMemoInputLimit)
        return tooLong(text.size());
    const std::vector<TypedSymbol> symbols = typedSymbols(text);
    // The web build's standard library has no range algorithms: these are the classic ones.
    const auto notKana = std::find_if(symbols.begin(), symbols.end(),
                                      [](const TypedSymbol& s) { return s.code == kNotMemoKana; });
    if (notKana != symbols.end())
        return notMemoKana(text, notKana->index);
    if (symbols.size() != kMemoLength)
        return wrongLength(symbols.size());
    std::vector<std::size_t> unknown;
    for (std::size_t n = 0; n < symbols.size(); ++n) {
        if (symbols[n].code == kUnknownKana)
            unknown.push_back(n + 1);
    }
    if (!unknown.empty())
        return unknownKana(unknown);
    MemoCodes codes{};
    std::transform(symbols.begin(), symbols.end(), codes.begin(),
                   [](const TypedSymbol& s) { return static_cast<std::uint8_t>(s.code); });
    return decodeMemo(codes);
}

} // namespace pelio
