// The memo reader under arbitrary input. The bytes are read as UTF-8 and as UTF-16, the forms a
// memo reaches the reader in: whatever it accepts must come back unchanged from the memo it
// stands for, and whatever it refuses must say why in the terms the header promises. Since
// random bytes almost never make a memo whose check digits agree, the bytes also pick a name,
// flags and a way of typing their memo, which must read back as that name and those flags.
// The memos offered near each text must keep their promises too. A broken promise aborts, which
// both libFuzzer and the replay report.

#include "memo/memo_reader.h"
#include "memo/memo_suggestions.h"
#include "memo/memo_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

namespace {

void require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "memo reader broke a promise: %s\n", promise);
        std::abort();
    }
}

constexpr char16_t kReplacement = u'\uFFFD';

// Well-formed UTF-8 decoded to UTF-16; each byte that does not begin a well-formed sequence
// (overlong, surrogate, past U+10FFFF, cut short) becomes U+FFFD.
std::u16string decodeUtf8(const std::uint8_t* bytes, std::size_t size) {
    static constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
    std::u16string text;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t lead = bytes[i];
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC0 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF8 ? 4
                                                 : 0;
        bool wellFormed = length > 0 && size - i >= length;
        char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            wellFormed = (bytes[i + k] & 0xC0) == 0x80;
            code = code << 6 | (bytes[i + k] & 0x3F);
        }
        wellFormed = wellFormed && code >= kSmallest[length] && code <= 0x10FFFF &&
                     (code < 0xD800 || code > 0xDFFF);
        if (!wellFormed) {
            text += kReplacement;
            ++i;
            continue;
        }
        if (code > 0xFFFF) {
            code -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (code >> 10));
            text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
        i += length;
    }
    return text;
}

// The bytes as UTF-16 code units, low byte first, unpaired surrogates and all; an odd last
// byte is left over.
std::u16string asUtf16(const std::uint8_t* bytes, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return text;
}

// The name and flags a memo could stand for, from the first ten bytes: four name codes of six
// binary digits, then the flags one bit each.
constexpr std::size_t kContentBytes = 10;
pelio::MemoContent contentFrom(const std::uint8_t* bytes) {
    pelio::MemoContent content;
    for (std::size_t slot = 0; slot < content.name.size(); ++slot)
        content.name[slot] = static_cast<pelio::KanaCode>(bytes[slot] & 0x3F);
    for (int number = 1; number <= pelio::kFlagCount; ++number) {
        const std::size_t bit = static_cast<std::size_t>(number - 1);
        content.flags.set(number, ((bytes[content.name.size() + bit / 8] >> (bit % 8)) & 1) != 0);
    }
    return content;
}

// The memo of `content` as a player might type it: each following byte says whether one kana is
// typed in katakana (bit 0) and what the player put after it (bits 1 to 3).
std::u16string typedMemo(const pelio::MemoContent& content, const std::uint8_t* bytes,
                         std::size_t size) {
    static constexpr std::array<std::u16string_view, 8> kAfter{u"",     u"\u3000", u" ", u"\n",
                                                               u"\r\n", u"\t",     u"",  u""};
    const pelio::MemoSymbols memo = pelio::encodeMemo(content.name, content.flags);
    std::u16string text;
    for (std::size_t n = 0; n < memo.codes.size(); ++n) {
        const std::uint8_t how = n < size ? bytes[n] : 0;
        const char16_t kana = pelio::kanaSymbol(memo.codes[n]);
        text += (how & 1) != 0 ? static_cast<char16_t>(kana + 0x60) : kana;
        text += kAfter[(how >> 1) & 7];
    }
    return text;
}

void checkRefusal(std::u16string_view text, const pelio::MemoError& error) {
    require(!error.message.empty(), "a refusal says why");
    switch (error.kind) {
    case pelio::MemoErrorKind::TooLong:
        require(text.size() > pelio::kMemoInputLimit &&
                    static_cast<std::size_t>(error.position) == text.size(),
                "a text too long for the memo box is refused with its length");
        break;
    case pelio::MemoErrorKind::NotMemoKana:
        require(error.position >= 1 && static_cast<std::size_t>(error.position) <= text.size(),
                "a character that is not memo kana is placed within the text");
        break;
    case pelio::MemoErrorKind::WrongLength:
        require(error.position >= 0 && error.position != pelio::kMemoLength,
                "a wrong length is a count of memo kana other than 20");
        break;
    case pelio::MemoErrorKind::NonzeroEmptyDigit:
        require(error.position >= 1 && error.position <= pelio::kMemoLength,
                "a kana too large for its position names a position of the memo");
        break;
    case pelio::MemoErrorKind::CheckMismatch:
        require(error.position == 0, "a check mismatch has no position");
        break;
    case pelio::MemoErrorKind::UnknownKana:
        require(error.position >= 1 && error.position <= pelio::kMemoLength,
                "kana not made out are counted among the 20");
        break;
    default:
        require(false, "a refusal has one of the listed kinds");
    }
}

// What is offered near a text is a handful of memos the reader takes, each as it stands.
void checkSuggestions(std::u16string_view text, pelio::SuggestionScope scope) {
    pelio::SuggestionContext context;
    context.name.written.set(0);
    const auto suggestions = pelio::suggestMemos(text, context, scope);
    require(suggestions.offered.size() <= pelio::kShownSuggestions &&
                suggestions.offered.size() <= suggestions.found,
            "at most five memos are offered, of those found");
    for (const pelio::MemoSuggestion& suggestion : suggestions.offered) {
        const pelio::MemoReading reading = pelio::readMemo(pelio::memoText({suggestion.codes, 0}));
        const auto* content = std::get_if<pelio::MemoContent>(&reading);
        require(content != nullptr && *content == suggestion.content,
                "a memo offered reads as what it says it holds");
        require(!suggestion.change.empty(), "a memo offered says what it changed");
    }
}

void checkReading(std::u16string_view text) {
    const pelio::MemoReading reading = pelio::readMemo(text);
    if (const auto* error = std::get_if<pelio::MemoError>(&reading)) {
        checkRefusal(text, *error);
        checkSuggestions(text, pelio::SuggestionScope::Refused);
        return;
    }
    checkSuggestions(text, pelio::SuggestionScope::KnownNameOnly);
    const auto& content = std::get<pelio::MemoContent>(reading);
    const std::u16string memo = pelio::memoText(pelio::encodeMemo(content.name, content.flags));
    const pelio::MemoReading again = pelio::readMemo(memo);
    const auto* contentAgain = std::get_if<pelio::MemoContent>(&again);
    require(contentAgain != nullptr, "the memo of an accepted text is accepted");
    require(*contentAgain == content, "the memo of an accepted text reads the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkReading(decodeUtf8(data, size));
    checkReading(asUtf16(data, size));
    if (size >= kContentBytes) {
        const pelio::MemoContent content = contentFrom(data);
        const std::u16string typed = typedMemo(content, data + kContentBytes, size - kContentBytes);
        const pelio::MemoReading reading = pelio::readMemo(typed);
        const auto* read = std::get_if<pelio::MemoContent>(&reading);
        require(read != nullptr && *read == content,
                "a memo the game gives reads as what it stands for, however it is typed");
        checkReading(typed);
    }
    return 0;
}
