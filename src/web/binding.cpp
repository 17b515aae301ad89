// The core as the page sees it: plain C functions over one state record, the same rules the
// desktop window calls. Text crosses as UTF-16 in the module's memory: into the buffer that
// pelio_input() points at, out as a NUL-terminated string valid until the next call.
//
// Plain functions rather than embind: embind's run-time would take about a quarter of the
// page's 100 KB budget for the few calls made here.

#include "entry/memo_entry.h"
#include "entry/session.h"
#include "hints/location_hints.h"
#include "layout/window_layout.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace pelio;

StateRecord state;
// Room for the memo box's most and the NUL that the page's stringToUTF16() writes after them.
std::array<char16_t, kMemoInputLimit + 1> input{};
std::u16string output;
Results shown = blankResults();
MemoOutcome outcome; // of the last Enter, 完了 or fix chosen

static_assert(sizeof(layout::Rect) == 4 * sizeof(int), "the page writes a place as four ints");
std::array<layout::Rect, layout::kKeyboardMembers> shownKeys{};
std::array<layout::Rect, layout::kKeyboardMembers> movedAmong{};
layout::ArrowMoves keyMoves;

std::u16string_view inputText(int length) {
    return {input.data(), std::min(static_cast<std::size_t>(std::max(length, 0)), kMemoInputLimit)};
}

const char16_t* give(std::u16string_view text) {
    output.assign(text);
    return output.c_str();
}

const char16_t* give(std::string_view ascii) {
    return give(std::u16string(ascii.begin(), ascii.end()));
}

bool isFlag(int number) {
    return number >= 1 && number <= kFlagCount;
}

// Keeps the outcome for the page to show: 0 nothing changed, 1 refused, 2 completed, 3 read
// and completed.
int keep(MemoOutcome&& kept) {
    outcome = std::move(kept);
    if (outcome.kind == MemoOutcome::Kind::Completed || outcome.kind == MemoOutcome::Kind::Read)
        shown = outcome.results;
    return static_cast<int>(outcome.kind);
}

const MemoFix* fix(int index) {
    return index >= 0 && static_cast<std::size_t>(index) < outcome.fixes.size()
               ? &outcome.fixes[static_cast<std::size_t>(index)]
               : nullptr;
}

// The controls that show results, in the order of pelio_result_text: the memo box, the rank
// line, then the hint lines in the order of the hint locations.
constexpr int kResultCount = 2 + static_cast<int>(kLocations.size());

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE char16_t* pelio_input() {
    return input.data();
}
EMSCRIPTEN_KEEPALIVE int pelio_input_bytes() {
    return static_cast<int>(sizeof input);
}

// Name entry.
EMSCRIPTEN_KEEPALIVE void pelio_press_key(int code) {
    if (code >= 0 && code < kKanaCount)
        pressKanaKey(state, static_cast<KanaCode>(code));
}
EMSCRIPTEN_KEEPALIVE void pelio_commit_key() {
    commitPendingKey(state);
}
EMSCRIPTEN_KEEPALIVE void pelio_backspace() {
    backspaceName(state);
}
EMSCRIPTEN_KEEPALIVE void pelio_type(int length) {
    typeText(state, inputText(length));
}
EMSCRIPTEN_KEEPALIVE int pelio_name_box(int slot) {
    return slot >= 1 && slot <= kNameSlots ? nameBoxText(state, slot) : 0;
}
EMSCRIPTEN_KEEPALIVE int pelio_highlighted_slot() {
    return state.highlightedSlot;
}
// The kana key shown as selected, or -1.
EMSCRIPTEN_KEEPALIVE int pelio_selected_key() {
    const std::optional<KanaCode> key = selectedKey(state);
    return key ? int{*key} : -1;
}
// What a screen reader says of a name box: its kana by the key's name, or that it is empty,
// and whether the cursor is there.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_name_box_spoken(int slot) {
    return slot >= 1 && slot <= kNameSlots ? give(nameBoxSpokenText(state, slot)) : nullptr;
}

// The progress panel.
EMSCRIPTEN_KEEPALIVE int pelio_flag_count() {
    return kFlagCount;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_flag_name(int number) {
    return isFlag(number) ? give(flagInfo(number).controlName) : nullptr;
}
EMSCRIPTEN_KEEPALIVE int pelio_flag_page_of(int number) {
    return isFlag(number) ? flagInfo(number).page : 0;
}
EMSCRIPTEN_KEEPALIVE void pelio_set_flag(int number, int ticked) {
    if (isFlag(number))
        setFlag(state, number, ticked != 0);
}
EMSCRIPTEN_KEEPALIVE int pelio_is_set(int number) {
    return isFlag(number) && state.progressFlags.isSet(number) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void pelio_set_all_flags() {
    setAllFlags(state);
}
EMSCRIPTEN_KEEPALIVE void pelio_switch_page() {
    switchFlagPage(state);
}
EMSCRIPTEN_KEEPALIVE int pelio_shown_page() {
    return state.flagPage + 1;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_page_switch_caption() {
    return give(layout::pageSwitchCaption(state.flagPage));
}

// The reset and the completion, and the results they leave on show.
EMSCRIPTEN_KEEPALIVE void pelio_reset() {
    shown = resetEntry(state);
}
// 完了 and Enter in the memo box, with the box's text in the input buffer.
EMSCRIPTEN_KEEPALIVE int pelio_answer(int length) {
    return keep(answer(state, inputText(length)));
}
EMSCRIPTEN_KEEPALIVE int pelio_enter_memo(int length) {
    return keep(pressEnterInMemo(state, inputText(length)));
}
// What Enter would refuse in the box, kept as the outcome to show, the entry left as it is:
// after a reload, the refusal shown before.
EMSCRIPTEN_KEEPALIVE int pelio_refusal_of(int length) {
    return keep(refusalOf(state, inputText(length)));
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_outcome_reason() {
    return give(outcome.reason);
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_outcome_announced() {
    return give(outcome.announced);
}
EMSCRIPTEN_KEEPALIVE int pelio_fix_count() {
    return static_cast<int>(outcome.fixes.size());
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_fix_memo(int index) {
    return fix(index) ? give(fix(index)->memo) : nullptr;
}
EMSCRIPTEN_KEEPALIVE unsigned pelio_fix_marked(int index) {
    return fix(index) ? fix(index)->marked : 0;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_fix_details(int index) {
    return fix(index) ? give(fix(index)->details) : nullptr;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_fix_spoken(int index) {
    return fix(index) ? give(fix(index)->spoken) : nullptr;
}
EMSCRIPTEN_KEEPALIVE int pelio_result_count() {
    return kResultCount;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_result_label(int index) {
    if (index == 0)
        return give(layout::kMemoBoxName);
    if (index == 1)
        return give(layout::kRankLineName);
    if (index > 1 && index < kResultCount)
        return give(kLocations[static_cast<std::size_t>(index - 2)].labelName);
    return nullptr;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_result_text(int index) {
    if (index == 0)
        return give(shown.memo);
    if (index == 1)
        return give(shown.rankLine);
    if (index > 1 && index < kResultCount)
        return give(shown.hintLines[static_cast<std::size_t>(index - 2)]);
    return nullptr;
}

// What a screen reader is told of the results shown: the memo and the rank.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_spoken_results() {
    return give(spokenResults(shown));
}

// The memo box: the reason it refuses the text in the input buffer, which would make it hold
// `resulting` units, or null. Only the first units of a text too long are in the buffer.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_refusal(int length, int resulting) {
    const std::optional<MemoError> error =
        checkMemoInput(inputText(length), static_cast<std::size_t>(std::max(resulting, 0)));
    return error ? give(error->message) : nullptr;
}

// The entry as a line the page keeps while its tab lives, and back from one in the input
// buffer: 1 if it was restored, with the results it showed.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_saved_entry() {
    return give(saveEntry(state));
}
EMSCRIPTEN_KEEPALIVE int pelio_restore_entry(int length) {
    std::optional<StateRecord> restored = restoreEntry(inputText(length));
    if (!restored)
        return 0;
    state = std::move(*restored);
    shown = shownResults(state);
    return 1;
}

// The keyboard grid as the page shows it, in whichever layout: before each arrow key the page
// writes each member's place here, four ints (left, top, width, height) a member, in the
// members' order. Then the member an arrow key moves to (0 left, 1 right, 2 up, 3 down); a
// move back goes straight back unless the members have moved since.
EMSCRIPTEN_KEEPALIVE layout::Rect* pelio_keyboard_cells() {
    return shownKeys.data();
}
EMSCRIPTEN_KEEPALIVE int pelio_keyboard_neighbour(int member, int direction) {
    if (member < 0 || member >= layout::kKeyboardMembers || direction < 0 || direction > 3)
        return member;
    if (shownKeys != movedAmong) {
        keyMoves = {};
        movedAmong = shownKeys;
    }
    return static_cast<int>(keyMoves.move(shownKeys, static_cast<std::size_t>(member),
                                          static_cast<layout::Direction>(direction)));
}

} // extern "C"
