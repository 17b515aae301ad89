#include "entry/kana_keys.h"
#include "entry/state_record.h"

#include "memo/memo_text.h"
#include "support/flags.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace pelio {
namespace {

std::u16string shownName(const StateRecord& state) {
    std::u16string shown;
    for (int slot = 1; slot <= kNameSlots; ++slot)
        shown += nameBoxText(state, slot);
    return shown;
}

// Plays a script of name-entry actions: a kana presses that key ("あ" code 0 and so on),
// '+' is the input key, '<' backspace, 'R' the reset.
void play(StateRecord& state, std::u16string_view script) {
    for (char16_t action : script) {
        if (action == u'+')
            commitPendingKey(state);
        else if (action == u'<')
            backspaceName(state);
        else if (action == u'R')
            resetEntry(state);
        else
            pressKanaKey(state, static_cast<KanaCode>(kKanaRows[0].find(action)));
    }
}

struct NameCase {
    const char* what;
    std::u16string script;
    int cursor;
    std::u16string boxes; // what the four boxes show
    int highlighted;
    NameCodes codes;
    std::optional<KanaCode> selected; // until the input key or another key
};

TEST(NameEditor, FollowsItsRulesStepByStep) {
    const NameCase cases[]{
        {"start", u"", 0, u"？？？？", 0, {}, {}},
        {"input before any key", u"++<", 0, u"？？？？", 1, {}, {}},
        {"a key alone shows nothing but itself", u"かき", 0, u"？？？？", 0, {}, 6},
        {"worked sequence 1", u"あ+", 1, u"あ？？？", 1, {0}, {}},
        {"worked sequence 3", u"あ+い++", 3, u"あいい？", 3, {0, 1, 1}, {}},
        {"worked sequence 5", u"あ+い++<<", 1, u"あいい？", 2, {0, 1, 1}, {}},
        {"worked sequence 6", u"あ+い++<<う+", 2, u"あうい？", 2, {0, 2, 1}, {}},
        {"fifth input rewrites slot 4", u"あ++++お+", 4, u"あああお", 4, {0, 0, 0, 4}, {}},
        {"backspace below slot 1", u"う+<<<", 0, u"う？？？", 1, {2}, {}},
        {"reset keeps codes and key", u"い++うR", 0, u"？？？？", 0, {1, 1}, 2},
        {"input after reset uses the old key", u"い++うR+", 1, u"う？？？", 1, {2, 1}, {}},
        {"the key just input, pressed again", u"あ+あ<", 0, u"あ？？？", 1, {0}, 0},
    };
    for (const NameCase& c : cases) {
        StateRecord state;
        play(state, c.script);
        EXPECT_EQ(state.nameCursor, c.cursor) << c.what;
        EXPECT_EQ(shownName(state), c.boxes) << c.what;
        EXPECT_EQ(state.highlightedSlot, c.highlighted) << c.what;
        EXPECT_EQ(state.nameKeyIndex, c.codes) << c.what;
        EXPECT_EQ(selectedKey(state), c.selected) << c.what;
    }
}

// A screen reader hears each name box's kana by its key's name, an empty box as empty, and
// where the cursor is.
TEST(NameEditor, SpeaksEachBoxByItsKeysName) {
    StateRecord state;
    typeText(state, u"が\u3000");
    backspaceName(state); // the box the next input writes is marked
    const std::u16string spoken[]{u"か", u"濁点１", u"SP（スペース）、カーソル", u"まだありません"};
    for (int slot = 1; slot <= kNameSlots; ++slot)
        EXPECT_EQ(nameBoxSpokenText(state, slot), spoken[slot - 1]) << slot;
    // A small kana's key is heard as the kana it is the small form of, one code point on.
    for (int code = 0; code < kKanaCount; ++code) {
        const auto key = static_cast<KanaCode>(code);
        const char16_t kana = keyCaption(key).front();
        if (std::u16string_view(u"ぁぃぅぇぉっゃゅょゎ").find(kana) != std::u16string_view::npos) {
            EXPECT_EQ(keySpokenName(key), u"小さい" + std::u16string(1, char16_t(kana + 1)));
        }
    }
}

// Each typed character acts as the keys it stands for, each followed by the input key.
TEST(TypedKana, PressTheirKeysAndInputAsThePlayerWould) {
    struct Case {
        std::u16string typed;
        NameCodes codes;
        int cursor;
    };
    const Case cases[]{
        {u"たんてい", {15, 45, 18, 1}, 4},
        {u"タンテイ", {15, 45, 18, 1}, 4},
        {u"がぱ", {5, 46, 25, 47}, 4}, // the plain kana, then the first key of its mark
        {u"ヴか\u3099", {2, 46, 5, 46}, 4},
        {u"ぶっ！", {60, 48, 54, 0}, 3}, // keys of their own
        {u"あいうが", {0, 1, 2, 46}, 4}, // the mark overwrites slot 4, as in the game
        {u"゜\u3000ー", {47, 63, 61, 0}, 3},
        {u"ｶﾞｷｸ", {5, 46, 6, 7}, 4},    // half-width, its sound mark a character of its own
        {u"aぁ漢 \xd83d\xde00", {}, 0}, // no key: nothing at all changes
    };
    for (const Case& c : cases) {
        StateRecord state;
        typeText(state, c.typed);
        EXPECT_EQ(state.nameKeyIndex, c.codes) << c.typed.size();
        EXPECT_EQ(state.nameCursor, c.cursor) << c.typed.size();
        EXPECT_EQ(state.keyPending, c.cursor > 0) << c.typed.size();
    }
}

} // namespace
} // namespace pelio
