#include "memo/memo_reader.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_layout.h"

#include <array>
#include <climits>
#include <optional>
#include <utility>

namespace pelio {
namespace {

// Katakana sit 0x60 above the hiragana they match: "ア" U+30A2, "あ" U+3042.
constexpr char16_t kKatakanaOffset = 0x60;
constexpr char16_t kFirstKatakana = u'ァ';
constexpr char16_t kLastKatakana = u'ヶ';
// The half-width katakana from "ｱ" to "ﾐ" run in the memo kana's own order.
constexpr char16_t kFirstHalfWidthMemoKana = u'ｱ';
constexpr char16_t kLastHalfWidthMemoKana = u'ﾐ';

// Every character Unicode counts as white space, line and paragraph separators included:
// whatever a chat program or a note app puts between the groups.
bool isSkipped(char16_t unit) {
    return (unit >= 0x09 && unit <= 0x0D) || unit == 0x20 || unit == 0x85 || unit == 0xA0 ||
           unit == 0x1680 || (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028 ||
           unit == 0x2029 || unit == 0x202F || unit == 0x205F || unit == kIdeographicSpace;
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
std::optional<std::uint8_t> memoKanaCode(char16_t unit) {
    if (unit >= kFirstHalfWidthMemoKana && unit <= kLastHalfWidthMemoKana)
        return static_cast<std::uint8_t>(unit - kFirstHalfWidthMemoKana);
    if (unit >= kFirstKatakana && unit <= kLastKatakana)
        unit = static_cast<char16_t>(unit - kKatakanaOffset);
    for (int code = 0; code < kMemoKanaCount; ++code) {
        if (kanaSymbol(static_cast<KanaCode>(code)) == unit)
            return static_cast<std::uint8_t>(code);
    }
    return std::nullopt;
}

int clampToInt(std::size_t value) {
    return value > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

std::u16string fullWidthNumber(std::size_t number) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'０' + number % 10));
        number /= 10;
    } while (number > 0);
    return digits;
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
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
    char32_t character = text[index];
    std::size_t units = 1;
    if (isHighSurrogate(text[index]) && index + 1 < text.size() &&
        isLowSurrogate(text[index + 1])) {
        character = 0x10000 + ((character - 0xD800) << 10) + (text[index + 1] - 0xDC00);
        units = 2;
    }
    if (isShownAsItIs(character)) {
        // Appended one by one: GCC 12 warns falsely (-Wrestrict) on a literal + string&&.
        std::u16string shown = u"「";
        shown += text.substr(index, units);
        shown += u"」";
        return shown;
    }
    std::u16string name = u"U+";
    for (int shift = character > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4)
        name += u"0123456789ABCDEF"[(character >> shift) & 0xF];
    return name;
}

MemoError notMemoKana(std::u16string_view text, std::size_t index) {
    const int position = clampToInt(index + 1);
    return {MemoErrorKind::NotMemoKana, position,
            fullWidthNumber(index + 1) + u"文字目の" + shownCharacter(text, index) +
                u"はそうさめもの文字ではありません（使えるのは「あ」～「み」）"};
}

MemoError wrongLength(std::size_t symbolCount) {
    const int count = clampToInt(symbolCount);
    return {MemoErrorKind::WrongLength, count,
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

MemoError checkMismatch() {
    return {MemoErrorKind::CheckMismatch, 0,
            u"そうさめものチェックが合いません。打ちまちがいがないか見直してください"};
}

} // namespace

std::optional<MemoError> checkMemoInputLength(std::size_t length) {
    if (length > kMemoInputLimit)
        return tooLong(length);
    return std::nullopt;
}

MemoReading readMemo(std::u16string_view text) {
    if (std::optional<MemoError> error = checkMemoInputLength(text.size()))
        return *error;

    // A pair of quotes around the whole text is dropped; a lone quote is not memo kana.
    std::size_t first = 0, last = text.size();
    while (first < last && isSkipped(text[first]))
        ++first;
    while (last > first && isSkipped(text[last - 1]))
        --last;
    bool quoted = false;
    for (const auto& [open, close] : kQuotePairs)
        quoted = quoted || (last - first >= 2 && text[first] == open && text[last - 1] == close);
    if (quoted) {
        ++first;
        --last;
    }

    std::array<std::uint8_t, kMemoLength> symbols{};
    std::size_t symbolCount = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (isSkipped(text[i]))
            continue;
        const std::optional<std::uint8_t> code = memoKanaCode(text[i]);
        if (!code)
            return notMemoKana(text, i);
        if (symbolCount < symbols.size())
            symbols[symbolCount] = *code;
        ++symbolCount;
    }
    if (symbolCount != symbols.size())
        return wrongLength(symbolCount);

    MemoContent content;
    // The values the copies of each check digit were typed with: bit 0 for a 0, bit 1 for a 1.
    std::array<unsigned, kCheckDigits> checkCopies{};
    for (std::size_t n = 0; n < kMemoLayout.size(); ++n) {
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w) {
            const int digit = symbols[n] / kSymbolWeights[w] % 2;
            const DigitSource& source = kMemoLayout[n][w];
            switch (source.kind) {
            case DigitSource::Kind::Empty:
                if (digit != 0)
                    return nonzeroEmptyDigit(static_cast<int>(n) + 1, symbols[n]);
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
    for (int k = 1; k <= kCheckDigits; ++k) {
        if (checkCopies[k - 1] != 1u << binaryDigit(checkCount, k))
            return checkMismatch();
    }
    return content;
}

} // namespace pelio
