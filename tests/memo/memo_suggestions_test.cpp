#include "memo/memo_suggestions.h"

#include "memo/memo_text.h"
#include "memo_vectors.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <string>

namespace pelio {
namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

// A vector's memo as 20 kana without spaces, for slipping.
std::u16string kanaOf(const test::MemoVector& vector) {
    std::u16string kana = vector.text;
    std::erase(kana, kIdeographicSpace);
    return kana;
}

bool refused(std::u16string_view text) {
    return std::holds_alternative<MemoError>(readMemo(text));
}

// Every slip of every kind at every place that the reader refuses is undone by a suggestion:
// a kana left out, doubled, swapped with the next, or replaced by a neighbour in the alphabet,
// by one that differs in the highest digit, by one that is no memo kana at all.
TEST(MemoSuggestions, UndoEverySlipTheReaderRefuses) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        const std::u16string kana = kanaOf(vector);
        const MemoCodes codes = encodeMemo(vector.name, vector.flags).codes;
        std::vector<std::u16string> slips;
        for (std::size_t n = 0; n < kana.size(); ++n) {
            std::u16string swapped = kana;
            std::swap(swapped[n], swapped[(n + 1) % kana.size()]);
            slips.push_back(swapped);
            slips.push_back(std::u16string(kana).erase(n, 1));
            slips.push_back(std::u16string(kana).insert(n, 1, kana[n]));
            for (int flip : {1, 16})
                slips.push_back(
                    std::u16string(kana).replace(n, 1, 1, kanaSymbol(KanaCode(codes[n] ^ flip))));
            slips.push_back(std::u16string(kana).replace(n, 1, u"ゃ"));
        }
        const MemoContent meant{vector.name, vector.flags};
        for (const std::u16string& slip : slips) {
            if (!refused(slip))
                continue;
            const auto offered = suggestMemos(slip, {}, SuggestionScope::Refused, kAll).offered;
            EXPECT_NE(std::ranges::find(offered, meant, &MemoSuggestion::content), offered.end())
                << vector.what;
        }
    }
}

// What the reader takes within one slip of 20 kana (a kana replaced, neighbours swapped), or
// failing that within two replaced kana, found the slow way: every such text through the reader.
struct Nearby {
    std::set<MemoCodes> memos;
    bool twoReplaced = false;
};

Nearby readableNear(const MemoCodes& typed) {
    std::set<MemoCodes> one, two;
    const auto take = [](std::set<MemoCodes>& into, const MemoCodes& codes) {
        if (std::holds_alternative<MemoContent>(decodeMemo(codes)))
            into.insert(codes);
    };
    for (std::size_t p = 0; p < typed.size(); ++p) {
        MemoCodes swapped = typed;
        std::swap(swapped[p], swapped[std::min(p + 1, typed.size() - 1)]);
        if (swapped != typed)
            take(one, swapped);
        for (std::uint8_t a = 0; a < kMemoKanaCount; ++a) {
            MemoCodes codes = typed;
            codes[p] = a;
            if (a != typed[p])
                take(one, codes);
        }
    }
    if (!one.empty())
        return {one, false};
    for (std::size_t p = 0; p < typed.size(); ++p) {
        for (std::size_t q = p + 1; q < typed.size(); ++q) {
            MemoCodes codes = typed;
            for (std::uint8_t a = 0; a < kMemoKanaCount; ++a) {
                for (std::uint8_t b = 0; b < kMemoKanaCount; ++b) {
                    codes[p] = a;
                    codes[q] = b;
                    if (a != typed[p] && b != typed[q])
                        take(two, codes);
                }
            }
        }
    }
    return {two, true};
}

// Texts with two kana replaced at random, some of which need the search for two replacements.
TEST(MemoSuggestions, OfferExactlyTheMemosTheReaderTakesNearby) {
    std::mt19937 random(1105);
    constexpr std::array<int, 2> kWanted{3, 1}; // texts one slip away, two replaced away
    std::array<int, 2> searched{};
    for (int round = 0; round < 200 && searched != kWanted; ++round) {
        const test::MemoVector vector = test::memoVectors()[random() % 5];
        MemoCodes codes = encodeMemo(vector.name, vector.flags).codes;
        for (int slip = 0; slip < 2; ++slip)
            codes[random() % kMemoLength] = static_cast<std::uint8_t>(random() % kMemoKanaCount);
        const std::u16string typed = memoText({codes, 0});
        if (!refused(typed))
            continue;
        const Nearby expected = readableNear(codes);
        if (searched[expected.twoReplaced] == kWanted[expected.twoReplaced])
            continue;
        ++searched[expected.twoReplaced];
        std::set<MemoCodes> offered;
        for (const MemoSuggestion& s :
             suggestMemos(typed, {}, SuggestionScope::Refused, kAll).offered)
            offered.insert(s.codes);
        EXPECT_EQ(offered, expected.memos);
    }
    EXPECT_EQ(searched, kWanted);
}

// Each slip says what it changed, and marks the kana it changed or put in.
TEST(MemoSuggestions, SayWhatEachSlipChanged) {
    const std::vector<test::MemoVector> vectors = test::memoVectors();
    const test::MemoVector& allFlags = vectors[2]; // ああちあち ちみたたた …
    const test::MemoVector& iueo = vectors[3];     // いあうえあ なあちああ …
    const std::u16string kana = kanaOf(allFlags);
    const struct {
        const test::MemoVector& meant;
        std::u16string typed;
        std::u16string change;
        std::vector<std::size_t> changed;
    } cases[]{
        {allFlags, std::u16string(kana).replace(18, 1, u"う"), u"１９番目の「う」を「つ」に", {18}},
        {allFlags, std::u16string(kana).replace(9, 1, u"ゃ"), u"１０番目を「た」に", {9}},
        {allFlags, std::u16string(kana).erase(13, 1), u"１４番目に「ね」を足す", {13}},
        {allFlags, std::u16string(kana).insert(5, u"の"), u"６番目の「の」をのぞく", {}},
        {allFlags,
         kana.substr(0, 6) + kana[7] + kana[6] + kana.substr(8),
         u"７番目と８番目を入れかえ",
         {6, 7}},
        {iueo,
         u"ほあうえあなあねあああああちあちああああ",
         u"１番目の「ほ」を「い」に、８番目の「ね」を「ち」に",
         {0, 7}},
    };
    for (const auto& c : cases) {
        const MemoContent meant{c.meant.name, c.meant.flags};
        const auto offered = suggestMemos(c.typed, {}, SuggestionScope::Refused, kAll).offered;
        const auto found = std::ranges::find(offered, meant, &MemoSuggestion::content);
        ASSERT_NE(found, offered.end()) << c.typed.size();
        EXPECT_EQ(found->change, c.change) << c.typed.size();
        std::bitset<kMemoLength> changed;
        for (std::size_t n : c.changed)
            changed.set(n);
        EXPECT_EQ(found->changed, changed) << c.typed.size();
    }
}

// Of the memos near a slip, those with the name the player entered come first; then the
// likeliest slips: a look-alike kana before one that looks nothing like the kana typed.
TEST(MemoSuggestions, RankTheEnteredNameFirstThenTheLikeliestSlips) {
    const std::vector<test::MemoVector> vectors = test::memoVectors();
    const test::MemoVector& vector = vectors[2]; // the name あああ あ
    const MemoContent meant{vector.name, vector.flags};
    std::u16string typed = kanaOf(vector);
    typed[13] = u'ぬ'; // for "ね"
    KnownName name;
    name.written.set();
    EXPECT_NE(suggestMemos(typed, {}, SuggestionScope::Refused).offered.front().content, meant);
    const auto offered = suggestMemos(typed, {name}, SuggestionScope::Refused, kAll).offered;
    EXPECT_EQ(offered.front().content, meant);
    const auto holds = [&](const MemoSuggestion& s) { return name.heldBy(s.content.name); };
    EXPECT_TRUE(std::ranges::is_partitioned(offered, holds));

    std::u16string slip = kanaOf(vectors[3]); // いあうえあ …
    slip[0] = u'こ';
    const auto alike = suggestMemos(slip, {}, SuggestionScope::Refused).offered;
    ASSERT_GE(alike.size(), 2u);
    EXPECT_EQ(alike[0].change, u"１番目の「こ」を「い」に");
    EXPECT_EQ(alike[1].change, u"１番目の「こ」を「う」に");
}

// Only texts that look like one slip, or two replaced kana, are worth a suggestion; a text that
// reads gets those with the entered name, and only where a name was entered.
TEST(MemoSuggestions, AreOfferedOnlyWhereTheyCanHelp) {
    const std::u16string kana = kanaOf(test::memoVectors()[3]);
    KnownName other;
    other.codes = {1, 2, 3, 5};
    other.written.set(3);
    const struct {
        std::u16string text;
        SuggestionScope scope;
        const KnownName& name;
    } cases[]{
        {kana, SuggestionScope::Refused, other},
        {kana.substr(2), SuggestionScope::Refused, other},
        {std::u16string(kana).replace(3, 2, u"ゃゃ"), SuggestionScope::Refused, other},
        {kana, SuggestionScope::KnownNameOnly, KnownName{}},
        {kana.substr(1), SuggestionScope::KnownNameOnly, other},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(suggestMemos(c.text, {c.name}, c.scope).offered.empty()) << c.text.size();

    const test::MemoVector& meant = test::memoVectors()[3];
    const std::u16string otherName = std::u16string(kana).replace(0, 1, u"う");
    ASSERT_NE(std::get<MemoContent>(readMemo(otherName)).name, meant.name);
    const KnownName entered{meant.name, std::bitset<kNameSlots>().set()};
    const auto offered = suggestMemos(otherName, {entered}, SuggestionScope::KnownNameOnly).offered;
    ASSERT_FALSE(offered.empty());
    for (const MemoSuggestion& s : offered)
        EXPECT_EQ(s.content.name, meant.name);
    EXPECT_NE(
        std::ranges::find(offered, MemoContent{meant.name, meant.flags}, &MemoSuggestion::content),
        offered.end());
}

// Kana the player could not make out, however written, are filled in with every kana that gives
// a memo the game takes; those with the entered name come first.
TEST(MemoSuggestions, FillEveryMemoThatFitsKanaThePlayerCouldNotMakeOut) {
    const test::MemoVector vector = test::memoVectors()[4];
    const MemoCodes meant = encodeMemo(vector.name, vector.flags).codes;
    const struct {
        std::vector<std::size_t> places;
        char16_t unknown;
    } cases[]{{{2}, u'？'}, {{0, 19}, u'?'}, {{6, 7, 15}, u'・'}};
    for (const auto& c : cases) {
        std::u16string typed = memoText({meant, 0});
        std::bitset<kMemoLength> unknown;
        for (std::size_t n : c.places) {
            typed[n + n / 5] = c.unknown;
            unknown.set(n);
        }
        std::size_t fits = 0;
        for (std::size_t filling = 0; filling < std::size_t{1} << (5 * c.places.size());
             ++filling) {
            MemoCodes codes = meant;
            for (std::size_t i = 0; i < c.places.size(); ++i)
                codes[c.places[i]] = static_cast<std::uint8_t>(filling >> (5 * i) & 31);
            fits += std::holds_alternative<MemoContent>(decodeMemo(codes));
        }
        KnownName name{vector.name, std::bitset<kNameSlots>().set()};
        const Suggestions found = suggestMemos(typed, {name}, SuggestionScope::Refused, kAll);
        EXPECT_EQ(found.found, fits);
        EXPECT_EQ(found.offered.size(), fits);
        for (const MemoSuggestion& s : found.offered) {
            EXPECT_EQ(s.changed, unknown);
            for (std::size_t n = 0; n < kMemoLength; ++n)
                EXPECT_TRUE(unknown.test(n) || s.codes[n] == meant[n]);
        }
        const auto holds = [&](const MemoSuggestion& s) { return name.heldBy(s.content.name); };
        EXPECT_TRUE(std::ranges::is_partitioned(found.offered, holds));
        EXPECT_NE(std::ranges::find(found.offered, meant, &MemoSuggestion::codes),
                  found.offered.end());
    }
}

// Where a kana is left out of a memo copied in its groups of five, the short group holds the
// slip: its memos rank above those of a kana put in elsewhere.
TEST(MemoSuggestions, LookForAKanaLeftOutInTheGroupThatIsShort) {
    std::array<int, 2> first{}; // copied without spaces, in groups
    for (const test::MemoVector& vector : test::memoVectors()) {
        const MemoContent meant{vector.name, vector.flags};
        for (std::size_t n = 0; n < kMemoLength; ++n) {
            const std::u16string inGroups = std::u16string(vector.text).erase(n + n / 5, 1);
            const auto rank = [&](std::u16string_view typed) {
                const auto offered =
                    suggestMemos(typed, {}, SuggestionScope::Refused, kAll).offered;
                return std::ranges::find(offered, meant, &MemoSuggestion::content) -
                       offered.begin();
            };
            first[0] += rank(kanaOf(vector).erase(n, 1)) == 0;
            first[1] += rank(inGroups) == 0;
        }
    }
    EXPECT_GT(first[1], first[0]);
}

// Slips equally likely are told apart by the memo the player had before: the game moves on, so
// the memo meant keeps what that one ticked.
TEST(MemoSuggestions, RankEquallyLikelySlipsByTheEarlierMemo) {
    std::mt19937 random(1209);
    std::array<int, 2> first{}; // not knowing the earlier memo, knowing it
    for (int round = 0; round < 60; ++round) {
        MemoContent meant;
        for (KanaCode& code : meant.name)
            code = static_cast<KanaCode>(random() % kKanaCount);
        for (FlagNumber number = 1; number <= kFlagCount; ++number)
            meant.flags.set(number, random() % 3 == 0);
        MemoContent earlier = meant;
        earlier.flags.set(static_cast<FlagNumber>(1 + random() % kFlagCount), false);
        std::u16string typed = memoText(encodeMemo(meant.name, meant.flags));
        std::erase(typed, kIdeographicSpace);
        typed.erase(random() % kMemoLength, 1);
        const auto rank = [&](const SuggestionContext& context) {
            const auto offered =
                suggestMemos(typed, context, SuggestionScope::Refused, kAll).offered;
            return std::ranges::find(offered, meant, &MemoSuggestion::content) - offered.begin();
        };
        first[0] += rank({}) == 0;
        first[1] += rank({{}, earlier}) == 0;
    }
    EXPECT_GT(first[1], first[0]);
}

// Each memo offered for a kana left out names boxes that tell it from every other of its name;
// two that differ in a pair of boxes name both.
TEST(MemoSuggestions, DistinctionsTellEachMemoFromTheOthers) {
    for (const test::MemoVector& vector : test::memoVectors()) {
        for (std::size_t n = 0; n < kMemoLength; ++n) {
            const auto offered =
                suggestMemos(kanaOf(vector).erase(n, 1), {}, SuggestionScope::Refused).offered;
            const std::vector<Distinction> told = distinguish(offered, kDistinguishingBoxes);
            for (std::size_t i = 0; i < offered.size(); ++i) {
                const MemoContent& memo = offered[i].content;
                for (std::size_t j = 0; j < offered.size(); ++j) {
                    const MemoContent& other = offered[j].content;
                    if (other.name != memo.name) {
                        EXPECT_TRUE(told[i].name);
                    }
                    if (j == i || other.name != memo.name)
                        continue;
                    EXPECT_TRUE(std::ranges::any_of(
                        told[i].flags,
                        [&](FlagNumber f) { return memo.flags.isSet(f) != other.flags.isSet(f); }))
                        << vector.what << n;
                }
            }
        }
    }
    const auto pair =
        suggestMemos(u"たうせておいあへあいちあいあのあけあち", {}, SuggestionScope::Refused)
            .offered;
    ASSERT_EQ(pair.size(), 2u);
    const std::vector<FlagNumber> both{numberOf(Flag::Lighter), numberOf(Flag::MetRaseno)};
    for (const Distinction& told : distinguish(pair, kDistinguishingBoxes))
        EXPECT_TRUE(std::ranges::is_permutation(told.flags, both));
}

// A memo read from a picture is mended where the reader had its doubts, as likely as they were;
// a reader does not swap kana or leave one out.
TEST(MemoSuggestions, MendAPictureWhereItsReaderHadDoubts) {
    const MemoCodes codes = encodeMemo(test::memoVectors()[3].name, {}).codes; // いあうえあ …
    EXPECT_EQ(suggestMemos(std::u16string(u"こ") + kanaOf(test::memoVectors()[3]).substr(1), {},
                           SuggestionScope::Refused)
                  .offered.front()
                  .codes[0],
              1); // without the reader's doubts, the look-alike of "こ" that a hand would mean
    // At each place, "こ" was read where "う" or "お" was nearly as likely.
    const struct {
        std::size_t place;
        std::uint8_t likelier;
        std::u16string change;
    } cases[]{{0, 2, u"１番目の「こ」を「う」に"}, {2, 4, u"３番目の「こ」を「お」に"}};
    for (const auto& c : cases) {
        std::u16string read = kanaOf(test::memoVectors()[3]);
        read[c.place] = u'こ';
        SuggestionContext context;
        context.read.odds.resize(kMemoLength);
        for (std::size_t n = 0; n < kMemoLength; ++n)
            context.read.odds[n][codes[n]] = 0.9f;
        context.read.odds[c.place][codes[c.place]] = 0.2f;
        context.read.odds[c.place][9] = 0.3f; // こ
        context.read.odds[c.place][c.likelier] = 0.5f;
        const auto offered = suggestMemos(read, context, SuggestionScope::Refused, kAll).offered;
        ASSERT_FALSE(offered.empty());
        EXPECT_EQ(offered.front().codes[c.place], c.likelier);
        EXPECT_EQ(offered.front().change, c.change);
        for (const MemoSuggestion& s : offered)
            EXPECT_EQ(s.change.find(u"入れかえ"), std::u16string::npos);
    }
    // A reading that reads is doubted where its second reading came close: "う" read at the
    // third place, "お" nearly as likely, which gives a memo too.
    SuggestionContext close;
    close.read.odds.resize(kMemoLength);
    for (std::size_t n = 0; n < kMemoLength; ++n)
        close.read.odds[n][codes[n]] = 0.9f;
    close.read.odds[2][2] = 0.5f;
    close.read.odds[2][4] = 0.45f;
    const auto doubted =
        suggestMemos(kanaOf(test::memoVectors()[3]), close, SuggestionScope::Doubtful, kAll)
            .offered;
    ASSERT_FALSE(doubted.empty());
    EXPECT_EQ(doubted.front().codes[2], 4);
    EXPECT_EQ(doubted.front().change, u"３番目の「う」を「お」に");
}

// A memo the picture's reader found among its readings, several kana away from the text read,
// is offered with every kana it changes.
TEST(MemoSuggestions, NameEveryKanaAMemoTheReaderFoundChanges) {
    const MemoCodes read = encodeMemo(test::memoVectors()[3].name, {}).codes;
    const MemoCodes found =
        encodeMemo(test::memoVectors()[3].name, test::flagsWith({"Chk_Lgt"})).codes;
    SuggestionContext context;
    context.read.odds.resize(kMemoLength);
    context.read.alternatives = {found};
    std::vector<std::u16string> changes;
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        context.read.odds[n][read[n]] = 0.5f;
        if (found[n] != read[n]) {
            context.read.odds[n][found[n]] = 0.45f;
            changes.push_back(u"「" + std::u16string(1, kanaSymbol(read[n])) + u"」を「" +
                              kanaSymbol(found[n]) + u"」に");
        }
    }
    ASSERT_GE(changes.size(), 2u);
    const auto offered =
        suggestMemos(memoText({read, 0}), context, SuggestionScope::Doubtful, kAll).offered;
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered.front().codes, found);
    const std::u16string& change = offered.front().change;
    EXPECT_EQ(static_cast<std::size_t>(std::count(change.begin(), change.end(), u'、')),
              changes.size() - 1)
        << testing::PrintToString(change);
    for (const std::u16string& kana : changes)
        EXPECT_NE(change.find(kana), std::u16string::npos) << testing::PrintToString(change);
}

} // namespace
} // namespace pelio
