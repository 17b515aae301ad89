#include "memo/memo_reader.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_layout.h"

#include <array>
#include <climits>
#include <optional>

namespace pelio {
namespace {

// Katakana sit 0x60 above the hiragana they match: "ア" U+30A2, "あ" U+3042.
constexpr char16_t kKatakanaOffset = 0x60;
constexpr char16_t kFirstKatakana = u'ァ';
constexpr char16_t kLastKatakana = u'ヶ';

bool isSkipped(char16_t unit) {
    return unit == u' ' || unit == kIdeographicSpace || unit == u'\n' || unit == u'\r' ||
           unit == u'\t';
}

// The code of `unit` among the 32 memo kana; small, voiced and other kana are not among them.
std::optional<std::uint8_t> memoKanaCode(char16_t unit) {
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

std::u16string fullWidthNumber(int number) {
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
bool isControl(char16_t unit) {
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

// The character at `index` in brackets, or nothing when it cannot be shown: a control
// character or half of a surrogate pair.
std::u16string quotedCharacter(std::u16string_view text, std::size_t index) {
    const char16_t unit = text[index];
    std::u16string_view character = text.substr(index, 1);
    if (isHighSurrogate(unit) && index + 1 < text.size() && isLowSurrogate(text[index + 1]))
        character = text.substr(index, 2);
    else if (isHighSurrogate(unit) || isLowSurrogate(unit) || isControl(unit))
        return {};
    return u"の「" + std::u16string(character) + u"」";
}

MemoError notMemoKana(std::u16string_view text, std::size_t index) {
    const int position = clampToInt(index + 1);
    return {MemoErrorKind::NotMemoKana, position,
            fullWidthNumber(position) + u"文字目" + quotedCharacter(text, index) +
                u"はそうさめもに使われない文字です（使えるのは「あ」から「み」まで）"};
}

MemoError wrongLength(std::size_t symbolCount) {
    const int count = clampToInt(symbolCount);
    return {MemoErrorKind::WrongLength, count,
            u"そうさめもは" + fullWidthNumber(kMemoLength) + u"文字です（いま" +
                fullWidthNumber(count) + u"文字）"};
}

MemoError nonzeroEmptyDigit(int position, std::uint8_t symbol) {
    return {MemoErrorKind::NonzeroEmptyDigit, position,
            u"そうさめもの" + fullWidthNumber(position) + u"番目のかなに「" + kanaSymbol(symbol) +
                u"」は使われません"};
}

MemoError checkMismatch() {
    return {MemoErrorKind::CheckMismatch, 0,
            u"そうさめものチェックが合いません。打ちまちがいがないか見直してください"};
}

} // namespace

MemoReading readMemo(std::u16string_view text) {
    std::array<std::uint8_t, kMemoLength> symbols{};
    std::size_t symbolCount = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
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
