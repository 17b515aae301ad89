#include "memo/memo_reader.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_text.h"
#include "memo_vectors.h"
#include "support/flags.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace pelio {
namespace {

using Kind = DigitSource::Kind;

std::u16string memoFor(const NameCodes& name, const ProgressFlags& flags) {
    return memoText(encodeMemo(name, flags));
}

// Reading `text` gives `name` and `flags`, and the memo of what was read is `canonical`.
void expectReads(std::u16string_view text, const NameCodes& name, const ProgressFlags& flags,
                 const std::u16string& canonical) {
    const MemoReading reading = readMemo(text);
    const MemoContent* content = std::get_if<MemoContent>(&reading);
    ASSERT_NE(content, nullptr) << std::get<MemoError>(reading).position;
    EXPECT_EQ(content->name, name);
    EXPECT_EQ(content->flags, flags);
    EXPECT_EQ(memoFor(content->name, content->flags), canonical);
}

MemoError expectError(std::u16string_view text, MemoErrorKind kind) {
    const MemoReading reading = readMemo(text);
    const MemoError* error = std::get_if<MemoError>(&reading);
    if (error == nullptr) {
        ADD_FAILURE() << "read as a memo";
        return {};
    }
    EXPECT_EQ(error->kind, kind);
    EXPECT_FALSE(error->message.empty());
    return *error;
}

std::u16string withoutSpaces(std::u16string text) {
    std::erase(text, u'\u3000');
    return text;
}

// The memo of `vector` without spaces, the bits `flip` of its symbol at `position` (1-based)
// flipped.
std::u16string withSymbol(const test::MemoVector& vector, std::size_t position, int flip) {
    const int code = encodeMemo(vector.name, vector.flags).codes.at(position - 1) ^ flip;
    std::u16string symbols = withoutSpaces(vector.text);
    symbols.at(position - 1) = kanaSymbol(static_cast<KanaCode>(code));
    return symbols;
}

TEST(MemoReader, ReadsBackEveryCodeInEverySlotAndRandomStates) {
    std::mt19937 random(20000405);
    for (int round = 0; round < 4 * kKanaCount + 300; ++round) {
        NameCodes name{63, 0, 21, 42};
        ProgressFlags flags;
        if (round < 4 * kKanaCount) {
            name[static_cast<std::size_t>(round / kKanaCount)] = KanaCode(round % kKanaCount);
        } else {
            for (KanaCode& code : name)
                code = static_cast<KanaCode>(random() % kKanaCount);
            for (const FlagInfo& info : kFlagCatalogue)
                flags.set(info.number, random() % 2 == 1);
        }
        const std::u16string memo = memoFor(name, flags);
        expectReads(memo, name, flags, memo);
    }
}

// White space of every kind, katakana full- or half-width, and one pair of quotes around it
// all read as the memo itself.
TEST(MemoReader, ReadsAMemoHoweverItIsSpacedWrittenOrQuoted) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        const std::u16string bare = withoutSpaces(vector.text);
        std::u16string katakana = vector.text, halfWidth;
        for (char16_t& unit : katakana)
            unit = unit == u'\u3000' ? u' ' : static_cast<char16_t>(unit + 0x60);
        for (std::uint8_t code : encodeMemo(vector.name, vector.flags).codes)
            halfWidth += static_cast<char16_t>(u'ｱ' + code);
        std::vector<std::u16string> texts{bare, katakana, halfWidth};
        for (std::u16string_view space :
             {u"\r\n", u"\t", u"\u00A0", u"\u1680", u"\u2003", u"\u2028", u"\u2029", u"\u202F",
              u"\u205F", u"\u0085", u"\v", u"\f", u"\u200B", u"\u200C", u"\u200D", u"\u2060",
              u"\uFEFF", u"\u00AD"})
            texts.push_back(bare.substr(0, 5) + std::u16string(space) + bare.substr(5));
        for (std::u16string_view pair :
             {u"\"\"", u"''", u"\u201C\u201D", u"\u2018\u2019", u"「」", u"『』"})
            texts.push_back(u" " + std::u16string(1, pair[0]) + vector.text + pair[1] + u"\n");
        for (const std::u16string& text : texts)
            expectReads(text, vector.name, vector.flags, vector.text);
        // Quotes count only as a pair around the whole text.
        for (const std::u16string& text : {u"「" + bare, bare + u"」", u"「" + bare + u"』"})
            expectError(text, MemoErrorKind::NotMemoKana);
    }
}

// The first character outside the 32 memo kana is named by its place, before the count
// (which is wrong too), as it is or, where it could be invisible, combine with the quote mark
// or turn the text around, by its code point.
TEST(MemoReader, NamesTheFirstCharacterOutsideTheMemoKanaSafely) {
    const std::u16string memo = test::memoVectors()[0].text;
    struct Case {
        std::u16string character;
        std::u16string shown;
    };
    const Case cases[]{
        {u"ー", u"「ー」"},
        {u"ガ", u"「ガ」"},
        {u"\x7f", u"U+007F"},
        {u"\u202E", u"U+202E"},
        {u"\u3099", u"U+3099"},
        {u"\uFFFC", u"U+FFFC"},
        {u"\xd83d\xde00", u"U+1F600"},
        {u"\xd83d", u"U+D83D"},
        {std::u16string(1, u'\0'), u"U+0000"},
    };
    for (const Case& c : cases) {
        const MemoError error =
            expectError(memo.substr(0, 7) + c.character + u"あ", MemoErrorKind::NotMemoKana);
        EXPECT_EQ(error.position, 8) << static_cast<int>(c.character[0]);
        EXPECT_NE(error.message.find(u"８文字目の" + c.shown), std::u16string::npos)
            << static_cast<int>(c.character[0]);
        if (c.shown[0] == u'U') {
            EXPECT_EQ(error.message.find(c.character), std::u16string::npos);
        }
    }
}

// How the reader and the memo box take a character: passed over as white space, refused by the
// box as a control character, or refused by the reader as no memo kana and shown as it is or
// named by its code point.
enum class Taken { Skipped, Control, Shown, Named };

void PrintTo(Taken taken, std::ostream* os) {
    constexpr const char* kNames[]{"skipped", "control", "shown", "named"};
    *os << kNames[static_cast<int>(taken)];
}

Taken takenAs(std::uint32_t c) {
    std::u16string character;
    if (c > 0xFFFF)
        character = {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                     static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
    else
        character = {static_cast<char16_t>(c)};
    const std::u16string memo = test::memoVectors()[0].text;
    const std::u16string text = memo.substr(0, 7) + character + memo.substr(7);
    if (const auto refused = checkMemoInput(text, text.size()))
        return refused->kind == MemoErrorKind::ControlCharacter ? Taken::Control : Taken::Named;
    const MemoReading reading = readMemo(text);
    if (std::holds_alternative<MemoContent>(reading))
        return Taken::Skipped;
    const std::u16string& message = std::get<MemoError>(reading).message;
    return message.find(u"「" + character + u"」") != std::u16string::npos ? Taken::Shown
                                                                           : Taken::Named;
}

// Each range is taken alike at its first and last member, and its neighbours are not: a
// character just outside is taken another way. Between the ranges, characters are named.
TEST(MemoReader, TakesEachCharacterRangeToItsBounds) {
    using enum Taken;
    const struct {
        std::uint32_t first, last;
        Taken taken;
    } ranges[]{
        {0x00, 0x08, Control},     {0x09, 0x0D, Skipped},     {0x0E, 0x1F, Control},
        {0x20, 0x20, Skipped},     {0x21, 0x7E, Shown},       {0x7F, 0x84, Control},
        {0x85, 0x85, Skipped},     {0x86, 0x9F, Control},     {0xA0, 0xA0, Skipped},
        {0xAD, 0xAD, Skipped},     {0x1680, 0x1680, Skipped}, {0x2000, 0x200D, Skipped},
        {0x2028, 0x2029, Skipped}, {0x202F, 0x202F, Skipped}, {0x205F, 0x2060, Skipped},
        {0x3000, 0x3000, Skipped}, {0x3001, 0x3029, Shown},   {0x3030, 0x303F, Shown},
        {0x3041, 0x3096, Shown},   {0x309B, 0x30FF, Shown},   {0x31F0, 0x31FF, Shown},
        {0x3400, 0x4DBF, Shown},   {0x4E00, 0x9FFF, Shown},   {0xF900, 0xFAFF, Shown},
        {0xFEFF, 0xFEFF, Skipped}, {0xFF01, 0xFF9F, Shown},   {0xFFE0, 0xFFE6, Shown},
        {0x20000, 0x3134F, Shown},
    };
    for (const auto& range : ranges) {
        EXPECT_EQ(takenAs(range.first), range.taken) << std::hex << range.first;
        EXPECT_EQ(takenAs(range.last), range.taken) << std::hex << range.last;
        if (range.first > 0) {
            EXPECT_NE(takenAs(range.first - 1), range.taken) << std::hex << range.first - 1;
        }
        EXPECT_NE(takenAs(range.last + 1), range.taken) << std::hex << range.last + 1;
    }

    // Katakana read as hiragana, full-width from "ァ" to "ヶ", half-width from "ｦ" to "ﾟ".
    const struct {
        char16_t katakana, hiragana;
    } kana[]{
        {u'ァ', u'ぁ'}, {u'ヶ', u'ゖ'}, {u'゠', u'゠'}, {u'ヷ', u'ヷ'},
        {u'ｦ', u'を'},  {u'ﾟ', u'゜'},  {u'･', u'･'},   {u'\uFFA0', u'\uFFA0'},
    };
    for (const auto& k : kana)
        EXPECT_EQ(asHiragana(k.katakana), k.hiragana) << std::hex << int{k.katakana};

    // The box holds 256 units: a memo whose last kana is the 256th reads, one more is refused.
    const std::u16string memo = test::memoVectors()[1].text;
    const std::u16string filled =
        std::u16string(kMemoInputLimit - memo.size() + 1, u' ') + memo.substr(0, memo.size() - 1);
    expectReads(filled, {}, test::flagsWith({"Chk_Lgt"}), memo);
    EXPECT_FALSE(checkMemoInput(u"あ", kMemoInputLimit).has_value());
    EXPECT_EQ(checkMemoInput(u"あ", kMemoInputLimit + 1)->kind, MemoErrorKind::TooLong);
}

// Too long for the memo box (counted in UTF-16 units, white space included) comes first, with
// the real length; otherwise the number of memo kana, without white space.
TEST(MemoReader, CountsTheTextAndItsMemoKana) {
    const std::u16string memo = test::memoVectors()[1].text;
    const std::u16string padded = memo + std::u16string(kMemoInputLimit - memo.size(), u' ');
    expectReads(padded, {}, test::flagsWith({"Chk_Lgt"}), memo);
    struct Case {
        std::u16string text;
        MemoErrorKind kind;
        int count;
    };
    using enum MemoErrorKind;
    const Case cases[]{
        {u"", WrongLength, 0},
        {u" \u3000\r\n", WrongLength, 0},
        {memo.substr(1), WrongLength, 19},
        {memo + u"あ", WrongLength, 21},
        {padded + u"あ", TooLong, 257},
        {std::u16string(100000, u' '), TooLong, 100000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expectError(c.text, c.kind).position, c.count) << c.count;
    EXPECT_NE(expectError(memo.substr(1), WrongLength).message.find(u"１９文字"),
              std::u16string::npos);
    EXPECT_NE(expectError(cases[5].text, TooLong).message.find(u"１０００００文字"),
              std::u16string::npos);
}

TEST(MemoReader, RejectsADigitTheLayoutLeavesEmpty) {
    const test::MemoVector vector = test::memoVectors()[4];
    int emptyDigits = 0;
    for (std::size_t n = 0; n < kMemoLayout.size(); ++n) {
        const int position = static_cast<int>(n) + 1;
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w) {
            if (kMemoLayout[n][w].kind != Kind::Empty)
                continue;
            ++emptyDigits;
            const std::u16string text = withSymbol(vector, n + 1, kSymbolWeights[w]);
            EXPECT_EQ(expectError(text, MemoErrorKind::NonzeroEmptyDigit).position, position);
        }
    }
    // 100 digits less 24 name digits, 46 flags and 14 copies of check digits.
    EXPECT_EQ(emptyDigits, 16);
}

TEST(MemoReader, RejectsCheckDigitsThatDisagreeWithEachOtherOrTheContent) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        for (std::size_t n = 0; n < kMemoLayout.size(); ++n) {
            if (kMemoLayout[n][0].kind != Kind::CheckDigit)
                continue;
            expectError(withSymbol(vector, n + 1, kSymbolWeights[0]), MemoErrorKind::CheckMismatch);
        }
    }
    const test::MemoVector vector = test::memoVectors()[3];
    // Both copies of the lowest check digit, at positions 8 and 16, flipped together.
    std::u16string text = withSymbol(vector, 8, 16);
    text[15] = withSymbol(vector, 16, 16)[15];
    expectError(text, MemoErrorKind::CheckMismatch);
    // A flag ticked without updating the check digits.
    expectError(withSymbol(vector, 10, 1), MemoErrorKind::CheckMismatch);
}

// The memo box takes in nothing it could not show or pass whole to a screen reader, and no
// more than it holds; it refuses such a text whole, saying where the fault is.
TEST(MemoInput, RefusesControlCharactersAndTextsTooLongForTheBox) {
    const struct {
        std::u16string incoming;
        std::size_t resulting;
        std::optional<MemoErrorKind> refusal;
        std::u16string_view says;
    } cases[]{
        {u"あい\r\nう\tえ", 6, std::nullopt, u""},
        {std::u16string(u"あい\0う", 4), 4, MemoErrorKind::ControlCharacter,
         u"３文字目に制御文字U+0000"},
        {u"\x1b[0m", 5, MemoErrorKind::ControlCharacter, u"１文字目に制御文字U+001B"},
        {u"あ\x85\x9f", 3, MemoErrorKind::ControlCharacter, u"３文字目に制御文字U+009F"},
    };
    for (const auto& c : cases) {
        const std::optional<MemoError> error = checkMemoInput(c.incoming, c.resulting);
        ASSERT_EQ(error.has_value(), c.refusal.has_value()) << c.resulting;
        if (error) {
            EXPECT_EQ(error->kind, *c.refusal);
            EXPECT_NE(error->message.find(c.says), std::u16string::npos) << c.resulting;
        }
    }
}

} // namespace
} // namespace pelio
