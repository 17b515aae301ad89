#include "model/state_record.h"

#include "support/flags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelio {
namespace {

constexpr KanaCode kA = 0, kI = 1, kU = 2; // あ い う

std::u16string shownName(const StateRecord& state) {
    std::u16string shown;
    for (int slot = 1; slot <= kNameSlots; ++slot)
        shown += nameBoxText(state, slot);
    return shown;
}

enum class Action { KeyA, KeyI, KeyU, Input, Backspace, Reset };

void apply(StateRecord& state, Action action) {
    switch (action) {
    case Action::KeyA:
        return pressKanaKey(state, kA);
    case Action::KeyI:
        return pressKanaKey(state, kI);
    case Action::KeyU:
        return pressKanaKey(state, kU);
    case Action::Input:
        return commitPendingKey(state);
    case Action::Backspace:
        return backspaceName(state);
    case Action::Reset:
        return resetEntry(state);
    }
}

struct NameStep {
    std::vector<Action> actions;
    int cursor;
    std::u16string boxes;
    int highlighted;
};

TEST(NameEditor, FollowsTheWorkedSequence) {
    const std::vector<NameStep> steps{
        {{}, 0, u"？？？？", 0},
        {{Action::KeyA, Action::Input}, 1, u"あ？？？", 1},
        {{Action::KeyI, Action::Input}, 2, u"あい？？", 2},
        {{Action::Input}, 3, u"あいい？", 3},
        {{Action::Backspace}, 2, u"あいい？", 3},
        {{Action::Backspace}, 1, u"あいい？", 2},
        {{Action::KeyU, Action::Input}, 2, u"あうい？", 2},
    };
    StateRecord state;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        for (Action action : steps[i].actions)
            apply(state, action);
        EXPECT_EQ(state.nameCursor, steps[i].cursor) << "step " << i;
        EXPECT_EQ(shownName(state), steps[i].boxes) << "step " << i;
        EXPECT_EQ(state.highlightedSlot, steps[i].highlighted) << "step " << i;
    }
    // Slot 3 keeps the code of "い"; slot 4 was never written.
    EXPECT_EQ(state.nameKeyIndex, (NameCodes{kA, kU, kI, 0}));
}

TEST(NameEditor, InputBeforeAnyKeyChangesNothing) {
    StateRecord state;
    commitPendingKey(state);
    EXPECT_EQ(state.nameCursor, 0);
    EXPECT_EQ(state.highlightedSlot, 0);
    EXPECT_EQ(shownName(state), u"？？？？");
}

TEST(NameEditor, InputsBeyondTheFourthOverwriteSlotFour) {
    StateRecord state;
    pressKanaKey(state, kA);
    for (int i = 0; i < 4; ++i)
        commitPendingKey(state);
    pressKanaKey(state, 63); // the ideographic space
    commitPendingKey(state);
    commitPendingKey(state);
    EXPECT_EQ(state.nameCursor, 4);
    EXPECT_EQ(state.highlightedSlot, 4);
    EXPECT_EQ(state.nameKeyIndex, (NameCodes{kA, kA, kA, 63}));
    EXPECT_EQ(shownName(state), u"あああ\u3000");
}

TEST(NameEditor, BackspaceAtTheStartStaysAtSlotOneAndMarksIt) {
    StateRecord state;
    backspaceName(state);
    backspaceName(state);
    EXPECT_EQ(state.nameCursor, 0);
    EXPECT_EQ(state.highlightedSlot, 1);
}

TEST(NameEditor, KeyPressOnlyReplacesThePendingKey) {
    StateRecord state;
    pressKanaKey(state, 46);
    pressKanaKey(state, 52);
    EXPECT_TRUE(state.keyPending);
    EXPECT_EQ(state.pendingKeyIndex, 52);
    EXPECT_EQ(state.pendingKana, u'゛');
    EXPECT_EQ(state.nameCursor, 0);
    EXPECT_EQ(shownName(state), u"？？？？");
}

TEST(Reset, ClearsEntryButKeepsNameCodesPendingKeyAndPage) {
    StateRecord state;
    pressKanaKey(state, kI);
    commitPendingKey(state);
    commitPendingKey(state);
    pressKanaKey(state, kU);
    switchFlagPage(state);
    state.progressFlags.setAll();
    complete(state);

    resetEntry(state);
    EXPECT_EQ(state.nameCursor, 0);
    EXPECT_EQ(state.progressFlags.count(), 0);
    EXPECT_EQ(state.metCount, 0);
    EXPECT_EQ(state.adviceRank, 1);
    EXPECT_EQ(state.highlightedSlot, 0);
    EXPECT_EQ(shownName(state), u"？？？？");
    EXPECT_EQ(state.nameKeyIndex, (NameCodes{kI, kI, 0, 0}));
    EXPECT_EQ(state.pendingKeyIndex, kU);
    EXPECT_EQ(state.flagPage, 1);

    // The pending key goes into slot 1 again.
    commitPendingKey(state);
    EXPECT_EQ(shownName(state), u"う？？？");
}

TEST(Completion, AfterResetEncodesTheNameEnteredBefore) {
    StateRecord state;
    for (KanaCode code : {1, 2, 3, 4}) {
        pressKanaKey(state, code);
        commitPendingKey(state);
    }
    resetEntry(state);
    EXPECT_EQ(complete(state).memo,
              u"いあうえあ\u3000なあちああ\u3000あああちあ\u3000ちああああ\u3000");
}

TEST(Completion, DependsOnlyOnNameCodesAndFlags) {
    StateRecord first;
    first.progressFlags = test::flagsWith({"Chk_Pnd", "Chk_Kei", "Chk_Mit"});
    const Completion before = complete(first);
    first.progressFlags.set(flag("Chk_Aok"), true);
    first.progressFlags.set(flag("Chk_Kei"), false);
    complete(first);
    first.progressFlags = test::flagsWith({"Chk_Pnd", "Chk_Kei", "Chk_Mit"});
    EXPECT_EQ(complete(first).hintLines, before.hintLines);
    EXPECT_EQ(complete(first).memo, before.memo);
}

TEST(Completion, RecordsMeetingCountAndRank) {
    StateRecord state;
    state.progressFlags = test::allFlags();
    const Completion result = complete(state);
    EXPECT_EQ(state.metCount, 6);
    EXPECT_EQ(state.adviceRank, 5);
    EXPECT_EQ(result.rankLine, u"助言ランク： 5");
    EXPECT_EQ(result.hintLines[7], u"ともろう：失踪");
}

TEST(MemoEntry, TakesNameAndFlagsAsIfEnteredAndKeepsPendingKeyAndPage) {
    StateRecord state;
    pressKanaKey(state, kU);
    switchFlagPage(state);
    state.progressFlags = test::flagsWith({"Chk_Lgt"});
    const MemoContent content{{1, 2, 3, 4}, test::flagsWith({"Chk_Pnd", "Chk_Khk"})};

    enterMemoContent(state, content);
    EXPECT_EQ(shownName(state), u"いうえお");
    EXPECT_EQ(state.nameCursor, 4);
    EXPECT_EQ(state.highlightedSlot, 4);
    EXPECT_EQ(state.progressFlags, content.flags);
    EXPECT_EQ(state.pendingKeyIndex, kU);
    EXPECT_EQ(state.flagPage, 1);

    // The next input overwrites slot 4, as after four inputs on the keyboard.
    commitPendingKey(state);
    EXPECT_EQ(shownName(state), u"いうえう");
}

TEST(PageSwitch, AlternatesAndKeepsFlags) {
    StateRecord state;
    state.progressFlags.set(flag("Chk_Hot"), true);
    switchFlagPage(state);
    EXPECT_EQ(state.flagPage, 1);
    switchFlagPage(state);
    EXPECT_EQ(state.flagPage, 0);
    EXPECT_EQ(state.progressFlags, test::flagsWith({"Chk_Hot"}));
}

} // namespace
} // namespace pelio
