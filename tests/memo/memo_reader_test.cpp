#include "memo/memo_reader.h"

#include "memo/memo_text.h"
#include "memo_vectors.h"
#include "support/flags.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace pelio {
namespace {

using namespace std::string_literals;
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
    EXPECT_TRUE(memoFor(content->name, content->flags) == canonical);
}

void expectRoundTrip(const NameCodes& name, const ProgressFlags& flags) {
    const std::u16string memo = memoFor(name, flags);
    expectReads(memo, name, flags, memo);
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

std::u16string inKatakana(std::u16string text) {
    for (char16_t& unit : text)
        if (unit >= u'ぁ' && unit <= u'ゖ')
            unit = static_cast<char16_t>(unit + 0x60);
    return text;
}

// The memo kana of `text` (spaces removed), symbol `position` (1-based) replaced by `code`.
std::u16string withSymbol(const std::u16string& text, int position, int code) {
    std::u16string symbols = withoutSpaces(text);
    symbols.at(position - 1) = kanaSymbol(static_cast<KanaCode>(code));
    return symbols;
}

TEST(MemoReader, ReadsBackEveryCodeEveryFlagAndRandomStates) {
    for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
        for (int code = 0; code < kKanaCount; ++code) {
            NameCodes name{63, 0, 21, 42};
            name[slot] = static_cast<KanaCode>(code);
            for (const ProgressFlags& flags : {ProgressFlags{}, test::allFlags()})
                expectRoundTrip(name, flags);
        }
    }
    for (const FlagInfo& info : kFlagCatalogue) {
        ProgressFlags flags;
        flags.set(info.number, true);
        expectRoundTrip({5, 60, 0, 33}, flags);
    }
    std::mt19937 random(20000405);
    for (int round = 0; round < 300; ++round) {
        NameCodes name;
        for (KanaCode& code : name)
            code = static_cast<KanaCode>(random() % kKanaCount);
        ProgressFlags flags;
        for (const FlagInfo& info : kFlagCatalogue)
            flags.set(info.number, random() % 2 == 1);
        expectRoundTrip(name, flags);
    }
}

TEST(MemoReader, ReadsTheKnownVectorsHoweverTheyAreSpacedAndInKatakana) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        const std::u16string bare = withoutSpaces(vector.text);
        for (const std::u16string& text :
             {bare, inKatakana(vector.text),
              u"\r\n " + bare.substr(0, 7) + u"\t \n" + bare.substr(7)})
            expectReads(text, vector.name, vector.flags, vector.text);
    }
}

TEST(MemoReader, NamesTheFirstCharacterOutsideTheThirtyTwoMemoKana) {
    const std::u16string memo = test::memoVectors()[0].text;
    std::vector<std::u16string> badCharacters{u"\xd83d\xde00"}; // one character, two units
    for (char16_t unit : u"ぁがぱむゐゔ゛ーァガムヵｱ亜aＡ\u00a0\0\x7f\xd83d\xde00"s)
        badCharacters.emplace_back(1, unit);
    for (const std::u16string& bad : badCharacters) {
        // Reported before the count, which is wrong too; never quoting half a pair.
        const MemoError error = expectError(memo.substr(0, 7) + bad, MemoErrorKind::NotMemoKana);
        EXPECT_EQ(error.position, 8) << static_cast<int>(bad[0]);
        for (char16_t unit : error.message)
            EXPECT_TRUE(unit >= 0x20 && (unit < 0xD800 || unit > 0xDFFF || bad.size() == 2));
    }
    const MemoError error = expectError(u"あい\u3000うが", MemoErrorKind::NotMemoKana);
    EXPECT_NE(error.message.find(u"５文字目の「が」"), std::u16string::npos);
}

TEST(MemoReader, CountsTheMemoKanaWithoutSpaces) {
    const std::u16string memo = test::memoVectors()[1].text;
    struct Case {
        std::u16string text;
        int count;
    };
    for (const Case& c : {Case{u"", 0}, Case{u" \u3000\r\n", 0}, Case{memo.substr(0, 22), 19},
                          Case{memo + u"あ", 21}, Case{memo + memo, 40},
                          Case{std::u16string(100000, u'ま'), 100000}}) {
        const MemoError error = expectError(c.text, MemoErrorKind::WrongLength);
        EXPECT_EQ(error.position, c.count);
    }
    EXPECT_NE(expectError(memo.substr(1), MemoErrorKind::WrongLength).message.find(u"１９文字"),
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
            const std::u16string text =
                withSymbol(vector.text, position, vector.codes[n] | kSymbolWeights[w]);
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
            const std::u16string text = withSymbol(vector.text, static_cast<int>(n) + 1,
                                                   vector.codes[n] ^ kSymbolWeights[0]);
            expectError(text, MemoErrorKind::CheckMismatch);
        }
    }
    const test::MemoVector vector = test::memoVectors()[3];
    // Both copies of the lowest check digit, at positions 8 and 16, flipped together.
    std::u16string text = withSymbol(vector.text, 8, vector.codes[7] ^ 16);
    text[15] = kanaSymbol(static_cast<KanaCode>(vector.codes[15] ^ 16));
    expectError(text, MemoErrorKind::CheckMismatch);
    // A flag ticked without updating the check digits.
    expectError(withSymbol(vector.text, 10, vector.codes[9] | 1), MemoErrorKind::CheckMismatch);
}

} // namespace
} // namespace pelio
