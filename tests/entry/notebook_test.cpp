#include "entry/notebook.h"

#include "entry/memo_entry.h"
#include "memo/memo_text.h"
#include "memo/utf16.h"
#include "support/flags.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace pelio {
namespace {

constexpr NameCodes kTantei{15, 45, 18, 1};

MemoCodes codesOf(const NameCodes& name, const ProgressFlags& flags) {
    return encodeMemo(name, flags).codes;
}

NoteTime at(int day, int hour, int minute = 0) {
    return {2026, 12, day, hour, minute, 0};
}

// Newest first, the newest memo never twice in a row, and nothing taken out that an undo does
// not put back in its place.
TEST(Notebook, KeepsMemosNewestFirstAndGivesBackWhatWasTakenOut) {
    Notebook notebook;
    const MemoCodes first = codesOf(kTantei, {}),
                    second = codesOf(kTantei, test::flagsWith({"Chk_Lgt"}));
    EXPECT_TRUE(notebook.add(first, at(1, 9)));
    EXPECT_TRUE(notebook.add(second, at(2, 9)));
    EXPECT_FALSE(notebook.add(second, at(3, 9)));
    EXPECT_TRUE(notebook.add(first, at(1, 8))); // a clock put back still makes it the newest
    ASSERT_EQ(notebook.entries().size(), 3u);
    EXPECT_EQ(notebook.entries().front().codes, first);
    EXPECT_EQ(notebook.entries().front().time, (NoteTime{2026, 12, 2, 9, 0, 1}));
    Notebook newYear;
    newYear.add(first, {2026, 12, 31, 23, 59, 59});
    newYear.add(second, {2026, 12, 31, 23, 59, 59});
    EXPECT_EQ(newYear.entries().front().time, (NoteTime{2027, 1, 1, 0, 0, 0}));

    const Notebook whole = notebook;
    for (std::size_t index : {0u, 1u}) {
        notebook.restore({notebook.remove(index)});
        EXPECT_EQ(notebook, whole);
    }
    notebook.restore(notebook.clear());
    EXPECT_EQ(notebook, whole);

    for (std::size_t i = 0; i < Notebook::kMostEntries + 1; ++i)
        notebook.add(i % 2 ? first : second, at(3, 9));
    EXPECT_EQ(notebook.entries().size(), Notebook::kMostEntries);
}

// Each entry says what changed since the one of its name before it.
TEST(Notebook, ShowsWhatChangedSinceTheEntryOfTheSameNameBefore) {
    Notebook notebook;
    notebook.add(codesOf(kTantei, test::flagsWith({"Chk_Lgt", "Chk_Srk"})), at(1, 9));
    notebook.add(codesOf({1, 2, 3, 4}, test::flagsWith({"Chk_Sjk"})), at(2, 9));
    notebook.add(codesOf(kTantei, test::flagsWith({"Chk_Lgt", "Chk_Sjk"})), at(9, 14, 2));
    notebook.add(codesOf(kTantei, test::flagsWith({"Chk_Lgt", "Chk_Sjk"})), at(10, 9));
    const std::vector<NoteView> views = notebook.views();
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0].time, u"12月9日 14:02");
    EXPECT_EQ(views[0].details, u"なまえ「たんてい」　チェック２こ　ランク１");
    EXPECT_EQ(views[0].changes, u"＋新宿　－鍵");
    EXPECT_EQ(views[1].changes, u"このなまえではじめてのそうさめも");
    EXPECT_TRUE(views[0].spoken.starts_with(views[0].time + u"、" + views[0].memo))
        << testing::PrintToString(views[0].spoken);
}

// Saved as text and read back, a notebook is the same; a line the reader refuses is listed with
// its reason, and nothing else is lost: a line with no time, another line ending, a comment.
TEST(Notebook, ReadsBackItsTextAndListsTheLinesItRefuses) {
    Notebook notebook;
    notebook.add(codesOf(kTantei, test::allFlags()), at(1, 9));
    notebook.add(codesOf(kTantei, {}), at(9, 14, 2));
    const NotebookReading again = readNotebook(notebookText(notebook));
    EXPECT_EQ(again.notebook, notebook);
    EXPECT_TRUE(again.refused.empty());

    const std::u16string memo = memoText({codesOf({1, 2, 3, 4}, {}), 0});
    const NotebookReading mixed =
        readNotebook(u"# a note\r\n\n2026-12-10 08:00:00 " + memo + u"\r\n2026-13-01 00:00:00 " +
                     memo + u"\n" + memo + u"\nいあうえ\n");
    ASSERT_EQ(mixed.notebook.entries().size(), 2u);
    EXPECT_EQ(mixed.notebook.entries()[0].time, at(10, 8));
    EXPECT_FALSE(mixed.notebook.entries()[1].time.known());
    ASSERT_EQ(mixed.refused.size(), 2u);
    EXPECT_EQ(mixed.refused[0].line, 4u); // not a time: the line is read as a memo, and refused
    EXPECT_EQ(mixed.refused[1].line, 6u);
    EXPECT_EQ(mixed.refused[1].reason, std::get<MemoError>(readMemo(u"いあうえ")).message);

    // Imported into a notebook, its memos are added to those there, and the player is told.
    Notebook into = notebook;
    const std::u16string report = importNotebook(into, toUtf8(u"# x\n" + memo + u"\nいあうえ\n"));
    EXPECT_EQ(into.entries().size(), 3u);
    EXPECT_EQ(report, u"そうさめもを１こ読み込みました。ノートのファイルの１行が読めませんでした\n"
                      u"３行目「いあうえ」：" +
                          mixed.refused[1].reason);
}

// A file that is not UTF-8, or too large, is not read at all and says so.
TEST(Notebook, TellsAFileItCannotReadAtAll) {
    using Status = NotebookFile::Status;
    const std::string line = "2026-12-09 14:02:00 " + toUtf8(memoText({codesOf(kTantei, {}), 0}));
    const struct {
        std::string bytes;
        Status status;
        std::size_t entries;
    } cases[]{
        {"", Status::Empty, 0},
        {line + "\n", Status::Read, 1},
        {line + "\xC3\n", Status::NotUtf8, 0},
        {"\xC0\xAF" + line, Status::NotUtf8, 0},         // an overlong '/'
        {"\xED\xA0\x80" + line, Status::NotUtf8, 0},     // a surrogate
        {"\xF4\x90\x80\x80" + line, Status::NotUtf8, 0}, // beyond U+10FFFF
        {"\xF0\x9F\x98\x80 " + line, Status::Read, 0},   // U+1F600, then no time: refused
        {std::string(kNotebookFileLimit + 1, '\n'), Status::TooLarge, 0},
    };
    for (const auto& c : cases) {
        const NotebookFile file = readNotebookFile(c.bytes);
        EXPECT_EQ(file.status, c.status) << c.bytes.size();
        EXPECT_EQ(file.reading.notebook.entries().size(), c.entries) << c.bytes.size();
        EXPECT_EQ(file.notice.empty(), c.status == Status::Empty || c.entries == 1)
            << c.bytes.size();
    }
}

// Two windows each add and take out entries: what each did is kept, nothing is lost.
TEST(Notebook, MergesTheChangesOfTwoWindows) {
    Notebook base;
    base.add(codesOf(kTantei, {}), at(1, 9));
    base.add(codesOf(kTantei, test::flagsWith({"Chk_Lgt"})), at(2, 9));
    Notebook mine = base, theirs = base;
    mine.remove(0);
    mine.add(codesOf(kTantei, test::flagsWith({"Chk_Srk"})), at(3, 9));
    theirs.remove(1);
    theirs.add(codesOf({1, 2, 3, 4}, {}), at(4, 9));
    const Notebook merged = mergeNotebooks(base, mine, theirs);
    std::vector<NoteTime> times;
    for (const NoteEntry& entry : merged.entries())
        times.push_back(entry.time);
    EXPECT_EQ(times, (std::vector<NoteTime>{at(4, 9), at(3, 9)}));
}

// A memo read that leaves unticked a box the notebook's earlier memo of its name ticked is read,
// says so, and offers the memos near it that keep that memo's boxes, the one meant first.
TEST(Notebook, CatchesAMemoThatGoesBack) {
    const ProgressFlags earlier = test::flagsWith({"Chk_Lgt", "Chk_Mis"});
    Notebook notebook;
    notebook.add(codesOf(kTantei, earlier), at(9, 14, 2));
    ProgressFlags meant = earlier;
    meant.set(Flag::Key, true);
    // A look-alike or a swap the game takes, which loses the lighter.
    const std::u16string meantText = memoText(encodeMemo(kTantei, meant));
    std::u16string slipped;
    for (std::size_t n = 0; n + 1 < meantText.size() && slipped.empty(); ++n) {
        std::u16string text = meantText;
        std::swap(text[n], text[n + 1]);
        const MemoReading reading = readMemo(text);
        const auto* content = std::get_if<MemoContent>(&reading);
        if (content && content->name == kTantei && !content->flags.isSet(Flag::Lighter))
            slipped = text;
    }
    ASSERT_FALSE(slipped.empty());
    StateRecord state;
    const MemoOutcome outcome = pressEnterInMemo(state, slipped, {&notebook, at(10, 9)});
    EXPECT_EQ(outcome.kind, MemoOutcome::Kind::Read);
    EXPECT_TRUE(outcome.reason.starts_with(u"前のそうさめも（12月9日 14:02）にあった「ライター」"))
        << testing::PrintToString(outcome.reason);
    ASSERT_FALSE(outcome.fixes.empty());
    EXPECT_EQ(outcome.fixes.front().memo, meantText);
    EXPECT_EQ(notebook.entries().size(), 2u); // the memo read is kept too

    // Read as the memo meant, nothing is said; a refused text goes into no notebook.
    const MemoOutcome meantRead = pressEnterInMemo(state, meantText, {&notebook, at(10, 10)});
    EXPECT_TRUE(meantRead.reason.empty());
    EXPECT_EQ(answer(state, u"あ", {&notebook, at(10, 11)}).kind, MemoOutcome::Kind::Refused);
    EXPECT_EQ(notebook.entries().size(), 3u);
}

} // namespace
} // namespace pelio
