#include "entry/memo_entry.h"

#include "memo/memo_text.h"
#include "support/flags.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pelio {
namespace {

using Kind = MemoOutcome::Kind;

constexpr NameCodes kIueo{1, 2, 3, 4};

std::u16string memoOf(const NameCodes& name, const ProgressFlags& flags) {
    return memoText(encodeMemo(name, flags));
}

// いうえお typed with the keys, ペンダント ticked, and completed.
StateRecord completedEntry() {
    StateRecord state;
    typeText(state, u"いうえお");
    setFlag(state, numberOf(Flag::Pendant), true);
    complete(state);
    return state;
}

// Spaces, invisible characters, quotes and katakana say nothing new; any other change does.
TEST(MemoBox, HoldsUnreadTextOnlyWhereItSaysSomethingElseThanTheMemoLastWritten) {
    const StateRecord state = completedEntry();
    const std::u16string written = state.writtenMemo;
    std::u16string bare = written;
    std::erase(bare, kIdeographicSpace);
    std::u16string katakana = written;
    for (char16_t& unit : katakana)
        unit = unit == kIdeographicSpace ? u' ' : static_cast<char16_t>(unit + 0x60);
    const struct {
        std::u16string text;
        bool unread;
    } cases[]{
        {written, false},
        {written.substr(0, written.size() - 1), false}, // the invisible last space deleted
        {u"「" + bare.substr(0, 7) + u"\u200B\uFEFF" + bare.substr(7) + u"」\n", false},
        {katakana, false},
        {u"", false},
        {u" \u3000\u00AD", false},
        {bare.substr(1), true},
        {u"ち" + bare.substr(1), true},
        {written + u"ゃ", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(memoIsUnread(state, c.text), c.unread) << c.text.size();

    StateRecord reset = state;
    resetEntry(reset);
    EXPECT_TRUE(memoIsUnread(reset, written));
}

// Enter never reads the memo last written back over what was ticked since.
TEST(MemoBox, EnterReadsWhatThePlayerPutThereAndCompletes) {
    StateRecord state = completedEntry();
    const std::u16string written = state.writtenMemo;
    setAllFlags(state);
    EXPECT_EQ(pressEnterInMemo(state, written.substr(0, 23)).kind, Kind::Unchanged);
    EXPECT_EQ(state.progressFlags, test::allFlags());

    const MemoOutcome empty = pressEnterInMemo(state, u"");
    EXPECT_EQ(empty.kind, Kind::Refused);
    EXPECT_NE(empty.reason.find(u"２０文字"), std::u16string::npos);
    EXPECT_EQ(state.progressFlags, test::allFlags());

    const ProgressFlags flags = test::flagsWith({"Chk_Lgt", "Chk_Khk"});
    const MemoOutcome read = pressEnterInMemo(state, memoOf(kIueo, flags));
    EXPECT_EQ(read.kind, Kind::Read);
    EXPECT_TRUE(read.reason.empty());
    EXPECT_EQ(read.results.memo, memoOf(kIueo, flags));
    EXPECT_EQ(state.progressFlags, flags);
    EXPECT_EQ(state.writtenMemo, read.results.memo);
}

// 完了 reads an unread memo first, and does nothing else where it does not read.
TEST(MemoBox, AnswerReadsAnUnreadMemoFirst) {
    const ProgressFlags typedFlags = test::flagsWith({"Chk_Kei"});
    const std::u16string typed = memoOf(kIueo, typedFlags);
    std::u16string typo = typed;
    typo[0] = u'み';
    const std::u16string ofTheBoxes = memoOf(kIueo, test::flagsWith({"Chk_Pnd"}));
    const struct {
        std::u16string box;
        Kind kind;
        std::u16string memo; // after 完了
    } cases[]{
        {u"", Kind::Completed, ofTheBoxes},
        {completedEntry().writtenMemo.substr(0, 23), Kind::Completed, ofTheBoxes},
        {typed, Kind::Read, typed},
        {typo, Kind::Refused, completedEntry().writtenMemo},
    };
    for (const auto& c : cases) {
        StateRecord state = completedEntry();
        const MemoOutcome outcome = answer(state, c.box);
        EXPECT_EQ(outcome.kind, c.kind) << c.box.size();
        EXPECT_EQ(state.writtenMemo, c.memo) << c.box.size();
        EXPECT_EQ(outcome.kind == Kind::Refused, !outcome.reason.empty());
    }
}

// The memo offered for a slip shows where it differs, what it holds and what it changed.
TEST(MemoBox, ARefusedSlipOffersTheMemoMeantWithTheChangedKanaMarked) {
    StateRecord state = completedEntry();
    const std::u16string meant = memoOf(kIueo, test::allFlags());
    std::u16string slipped = meant;
    slipped[19] = u'な'; // for "た", the 17th kana, after three group spaces
    const MemoOutcome outcome = answer(state, slipped);
    ASSERT_EQ(outcome.kind, Kind::Refused);
    ASSERT_FALSE(outcome.fixes.empty());
    const MemoFix& fix = outcome.fixes.front();
    EXPECT_EQ(fix.memo, meant);
    EXPECT_EQ(fix.marked, 1u << 19);
    EXPECT_EQ(fix.details, u"なまえ「いうえお」　チェック４６こ　ランク５");
    EXPECT_TRUE(fix.spoken.starts_with(fix.memo)) << testing::PrintToString(fix.spoken);
    EXPECT_NE(outcome.announced.find(u"近いそうさめもが"), std::u16string::npos);
    EXPECT_EQ(state.progressFlags, test::flagsWith({"Chk_Pnd"}));
}

// A memo that reads as another name than the one keyed in is read, and says so; the memos
// within one slip that hold the keyed name are offered.
TEST(MemoBox, AMemoOfAnotherNameReadsAndOffersMemosWithTheKeyedName) {
    const ProgressFlags flags = test::flagsWith({"Chk_Mis", "Chk_Ras", "Chk_Tel"});
    const std::u16string meant = memoOf(kIueo, flags);
    std::u16string swapped;
    for (std::size_t n = 0; n + 1 < meant.size() && swapped.empty(); ++n) {
        std::u16string text = meant;
        std::swap(text[n], text[n + 1]);
        const MemoReading reading = readMemo(text);
        const auto* content = std::get_if<MemoContent>(&reading);
        if (content && content->name != kIueo)
            swapped = text;
    }
    ASSERT_FALSE(swapped.empty());

    StateRecord state = completedEntry();
    const MemoOutcome outcome = pressEnterInMemo(state, swapped);
    EXPECT_EQ(outcome.kind, Kind::Read);
    EXPECT_NE(state.nameKeyIndex, kIueo);
    EXPECT_NE(outcome.reason.find(u"入力した「いうえお」"), std::u16string::npos);
    ASSERT_FALSE(outcome.fixes.empty());
    for (const MemoFix& fix : outcome.fixes)
        EXPECT_NE(fix.details.find(u"「いうえお」"), std::u16string::npos);
    EXPECT_EQ(outcome.fixes.front().memo, meant);

    // The name read is not the name entered: choosing the fix reads without a word.
    EXPECT_TRUE(pressEnterInMemo(state, meant).reason.empty());
    // After a reset no name is entered, so none can differ.
    resetEntry(state);
    EXPECT_TRUE(pressEnterInMemo(state, swapped).reason.empty());
}

// Memos offered for a kana left out say where it goes and the boxes that tell them apart, and
// the player who cannot tell is told what to do.
TEST(MemoBox, MemosOfferedShowWhatTellsThemApart) {
    StateRecord state;
    const MemoOutcome outcome = pressEnterInMemo(state, u"たうせておいあへあいちあいあのあけあち");
    ASSERT_EQ(outcome.fixes.size(), 2u);
    EXPECT_EQ(outcome.heading, u"近いそうさめもが２つあります");
    EXPECT_EQ(outcome.hint, u"どれかわからないときは、ゲームでそうさめもをもう一度見てください");
    EXPECT_EQ(outcome.announced, outcome.reason + u"。" + outcome.heading + u"。");
    std::set<std::u16string> differences;
    for (const MemoFix& fix : outcome.fixes)
        differences.insert(fix.differences);
    EXPECT_EQ(differences, (std::set<std::u16string>{
                               u"９番目に「あ」を足す　－ライター　＋宵らせのとの対面",
                               u"１１番目に「あ」を足す　＋ライター　－宵らせのとの対面"}));
}

// Kana the player could not make out: the reason says where, the heading how many memos fit.
TEST(MemoBox, KanaNotMadeOutAreNamedAndTheMemosThatFitCounted) {
    StateRecord state;
    std::u16string typed = memoOf(kIueo, {});
    typed[2] = u'？';
    typed[16] = u'?';
    const MemoOutcome outcome = pressEnterInMemo(state, typed);
    EXPECT_EQ(outcome.kind, Kind::Refused);
    EXPECT_EQ(outcome.reason, u"そうさめもの３番目と１５番目の文字がわかりません");
    ASSERT_FALSE(outcome.fixes.empty());
    EXPECT_TRUE(outcome.heading.starts_with(u"あてはまるそうさめもが"))
        << testing::PrintToString(outcome.heading);
    typed[17] = u'・';
    typed[18] = u'･';
    EXPECT_TRUE(pressEnterInMemo(state, typed).fixes.empty());
}

// A memo read over a name keyed in is told by both names as the boxes show them. The name read
// counts as the player's, for the memos offered, until a key is written.
TEST(MemoBox, ANameReadCountsAsThePlayersUntilAKeyIsWritten) {
    StateRecord state;
    typeText(state, u"はなこ");
    const NameCodes tantei{15, 45, 18, 1};
    const std::u16string read = memoOf(tantei, test::flagsWith({"Chk_Lgt"}));
    EXPECT_EQ(pressEnterInMemo(state, read).reason,
              u"読み取ったなまえ「たんてい」は、入力した「はなこ」とちがいます");

    // A look-alike slip of a memo of another name, whose likeliest memo holds yet another name.
    const NameCodes tanakayu{15, 20, 5, 36};
    const std::u16string meant = memoOf(tanakayu, test::flagsWith({"Chk_Mis"}));
    std::u16string slip;
    for (std::size_t at = 0; at < meant.size() && slip.empty(); ++at) {
        for (const auto& [a, b] : kLookAlikeKana) {
            std::u16string text = meant;
            text[at] = text[at] == a ? b : text[at] == b ? a : text[at];
            StateRecord fresh;
            const MemoOutcome outcome = pressEnterInMemo(fresh, text);
            if (!outcome.fixes.empty() && outcome.fixes.front().memo != meant) {
                slip = text;
                break;
            }
        }
    }
    ASSERT_FALSE(slip.empty());
    StateRecord reading;
    reading.readName = tanakayu; // and no memo written before, which would rank it anyway
    EXPECT_EQ(pressEnterInMemo(reading, slip).fixes.front().memo, meant);
    typeText(reading, u"は");
    EXPECT_FALSE(reading.readName.has_value());
    EXPECT_EQ(playerName(reading), reading.enteredName);
}

// 完了 with name slots that show nothing says which kana the memo holds there: "あ" for one never
// written, the kana of before a reset for one written then.
TEST(MemoBox, ACompletionSaysWhatTheMemoHoldsForSlotsShownEmpty) {
    StateRecord state;
    EXPECT_EQ(answer(state, u"").reason, u"なまえは「ああああ」としてそうさめもに入りました");
    typeText(state, u"はなこ");
    EXPECT_EQ(answer(state, u"").reason, u"４文字目は「あ」としてそうさめもに入りました");
    resetEntry(state);
    typeText(state, u"た");
    EXPECT_EQ(answer(state, u"").reason,
              u"２文字目は「な」、３文字目は「こ」、４文字目は「あ」としてそうさめもに入りました");
    typeText(state, u"んてい");
    EXPECT_TRUE(answer(state, u"").reason.empty());
}

// What Enter would refuse is told without touching the entry, for a box shown again.
TEST(MemoBox, TellsARefusalAgainWithoutTouchingTheEntry) {
    const StateRecord state = completedEntry();
    std::u16string slipped = memoOf(kIueo, test::allFlags());
    slipped[19] = u'な';
    const MemoOutcome again = refusalOf(state, slipped);
    EXPECT_EQ(again.kind, Kind::Refused);
    EXPECT_FALSE(again.fixes.empty());
    EXPECT_EQ(refusalOf(state, memoOf(kIueo, {})).kind, Kind::Unchanged);
    EXPECT_EQ(state, completedEntry());
}

} // namespace
} // namespace pelio
