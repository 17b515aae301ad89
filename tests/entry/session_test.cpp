#include "entry/session.h"

#include "entry/memo_entry.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace pelio {
namespace {

// Entries as play leaves them: keys, typing, ticks, pages, completions, readings and resets.
TEST(Session, KeepsEveryEntryPlayCanLeave) {
    std::mt19937 random(1201);
    StateRecord state;
    const std::function<void()> plays[]{
        [&] { pressKanaKey(state, static_cast<KanaCode>(random() % kKanaCount)); },
        [&] { commitPendingKey(state); },
        [&] { backspaceName(state); },
        [&] { setFlag(state, static_cast<FlagNumber>(1 + random() % kFlagCount), random() % 2); },
        [&] { switchFlagPage(state); },
        [&] { complete(state); },
        [&] { random() % 4 ? void() : void(resetEntry(state)); }, // a reset now and then
        [&] { pressEnterInMemo(state, u"いあうえあなあちああ あああちあちああああ"); },
    };
    for (int step = 0; step < 400; ++step) {
        plays[random() % std::size(plays)]();
        const std::optional<StateRecord> restored = restoreEntry(saveEntry(state));
        ASSERT_TRUE(restored.has_value()) << step;
        EXPECT_EQ(*restored, state) << step;
        EXPECT_EQ(shownResults(*restored).memo, state.writtenMemo) << step;
    }
}

// Whatever else a tab's storage holds, no entry comes of it.
TEST(Session, RestoresNothingFromALineItDidNotWrite) {
    StateRecord state;
    typeText(state, u"いう");
    complete(state);
    const std::u16string saved = saveEntry(state);
    const std::u16string memo = state.writtenMemo;
    const std::u16string head = saved.substr(0, saved.size() - memo.size());
    const auto with = [&](std::size_t at, char16_t unit) {
        std::u16string line = saved;
        line[at] = unit;
        return line;
    };
    const std::size_t flags = saved.size() - memo.size() - kFlagCount;
    const std::u16string lines[]{
        u"",
        saved.substr(0, flags),
        with(5, u'0'),                                              // another version
        with(7, u'5'),                                              // a fifth slot
        with(flags, u'2'),                                          // a flag neither 0 nor 1
        head + memo.substr(0, 23),                                  // not as the program writes it
        head + u"いあうえあ　なあちああ　あああちあ　ちあああい　", // does not read
    };
    for (const std::u16string& line : lines)
        EXPECT_FALSE(restoreEntry(line).has_value()) << line.size();
}

// A tab saved by the version before, whose line holds no name read, is restored all the same.
TEST(Session, RestoresALineOfTheVersionBefore) {
    StateRecord state;
    typeText(state, u"いう");
    complete(state);
    std::u16string line = saveEntry(state);
    const std::size_t readAt = line.find(u':') + 1 + 14; // the numbers before the name read
    line.erase(readAt, 5).replace(5, 1, u"1");
    const std::optional<StateRecord> restored = restoreEntry(line);
    ASSERT_TRUE(restored.has_value());
    EXPECT_EQ(*restored, state);
}

// Only an entry with something in it is worth offering back.
TEST(Session, HoldsInputOnlyWhereThePlayerEnteredSomething) {
    StateRecord state;
    pressKanaKey(state, 3);
    switchFlagPage(state);
    EXPECT_FALSE(holdsInput(state, u" \u3000\n"));
    EXPECT_TRUE(holdsInput(state, u"あ"));
    using Play = std::function<void(StateRecord&)>;
    for (const Play& play :
         {Play(commitPendingKey), Play([](StateRecord& s) { setFlag(s, 46, true); }),
          Play([](StateRecord& s) { complete(s); })}) {
        StateRecord entered = state;
        play(entered);
        EXPECT_TRUE(holdsInput(entered, u""));
    }
}

} // namespace
} // namespace pelio
