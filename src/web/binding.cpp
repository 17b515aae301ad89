// The core as the page sees it: plain C functions over one state record, the same rules the
// desktop window calls. Text crosses as UTF-16 in the module's memory: into the buffer that
// pelio_input() points at, out as a NUL-terminated string valid until the next call.
//
// Plain functions rather than embind: embind's run-time would take about a quarter of the
// page's 100 KB budget for the few calls made here.

#include "entry/memo_entry.h"
#include "entry/notebook.h"
#include "entry/picture_entry.h"
#include "entry/session.h"
#include "entry/undo.h"
#include "hints/location_hints.h"
#include "layout/window_layout.h"
#include "memo/wording.h"
#include "picture_wire.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace pelio;

StateRecord state;
// Room for the memo box's most and the NUL that the page's stringToUTF16() writes after them.
std::array<char16_t, kMemoInputLimit + 1> input{};
// Room for a longer text, a notebook's, as many units as the page asks for and the NUL.
std::u16string longInput;
std::u16string output;
Results shown = blankResults();
MemoOutcome outcome; // of the last Enter, 完了, fix or picture
// What the last picture left in the memo box, and which of its kana the reader doubted.
std::u16string pictureBox;
std::uint32_t pictureDoubts = 0;

// The notebook as the page holds it, once the page has read it from storage, and as storage
// held it when last read or written: what another tab's change is merged against.
Notebook notebook;
Notebook stored;
std::vector<NoteEntry> taken; // by the last delete, for its undo
NoteTime now;                 // set by the page before each read or completion

// The last action that replaced the entry, and whether the page has yet to offer its undo.
std::optional<Undo> undo;
bool undoNew = false;

static_assert(sizeof(layout::Rect) == 4 * sizeof(int), "the page writes a place as four ints");
std::array<layout::Rect, layout::kKeyboardMembers> shownKeys{};
std::array<layout::Rect, layout::kKeyboardMembers> movedAmong{};
layout::ArrowMoves keyMoves;

std::u16string_view inputText(int length) {
    return {input.data(), std::min(static_cast<std::size_t>(std::max(length, 0)), kMemoInputLimit)};
}

std::u16string_view longText(int length) {
    return std::u16string_view(longInput).substr(0, static_cast<std::size_t>(std::max(length, 0)));
}

Keeping keeping() {
    return {&notebook, now};
}

// Offers the undo of `action`, which the entry went through from `before`, where it replaced
// anything.
void offerUndo(ReplacingAction action, const StateRecord& before, int boxLength) {
    if (std::optional<Undo> offered = undoFor(action, before, state, inputText(boxLength))) {
        undo = std::move(offered);
        undoNew = true;
    }
}

const char16_t* give(std::u16string_view text) {
    output.assign(text);
    return output.c_str();
}

// Texts that hold no line break, a line each.
const char16_t* giveLines(std::initializer_list<std::u16string_view> lines) {
    output.clear();
    for (std::u16string_view line : lines)
        output.append(line).push_back(u'\n');
    output.pop_back();
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
int keep(MemoOutcome kept) {
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
EMSCRIPTEN_KEEPALIVE char16_t* pelio_long_input(int length) {
    longInput.assign(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
    return longInput.data();
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
// 全フラグセット, with the memo box's text in the input buffer for its undo.
EMSCRIPTEN_KEEPALIVE void pelio_set_all_flags(int boxLength) {
    const StateRecord before = state;
    setAllFlags(state);
    offerUndo(ReplacingAction::SetAll, before, boxLength);
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

// The reset and the completion, and the results they leave on show; the box's text is in the
// input buffer. A memo written or read goes into the notebook, which the page has read by then,
// at the time the page set last.
EMSCRIPTEN_KEEPALIVE void pelio_reset(int boxLength) {
    const StateRecord before = state;
    shown = resetEntry(state);
    offerUndo(ReplacingAction::Clear, before, boxLength);
}
EMSCRIPTEN_KEEPALIVE void pelio_set_time(int year, int month, int day, int hour, int minute,
                                         int second) {
    now = {year, month, day, hour, minute, second};
}
// 完了, and Enter in the memo box (a fix, a notebook entry or a link chosen as well).
EMSCRIPTEN_KEEPALIVE int pelio_answer(int length) {
    const StateRecord before = state;
    const int kind = keep(answer(state, inputText(length), keeping()));
    offerUndo(ReplacingAction::Read, before, length);
    return kind;
}
EMSCRIPTEN_KEEPALIVE int pelio_enter_memo(int length) {
    const StateRecord before = state;
    const int kind = keep(pressEnterInMemo(state, inputText(length), keeping()));
    offerUndo(ReplacingAction::Read, before, length);
    return kind;
}
// A picture's reading, the words its module wrote, in the long input: read into the memo box,
// whose text is in the input buffer, as Enter would read the text read.
EMSCRIPTEN_KEEPALIVE int pelio_read_picture(int words, int boxLength) {
    const auto count = std::min(static_cast<std::size_t>(std::max(words, 0)), longInput.size() / 2);
    std::vector<std::uint32_t> wire(count);
    std::memcpy(wire.data(), longInput.data(), count * sizeof wire[0]);
    const StateRecord before = state;
    PictureOutcome read =
        readPicture(state, inputText(boxLength), web::readingFromWire(wire), keeping());
    offerUndo(ReplacingAction::Read, before, boxLength);
    pictureBox = std::move(read.box);
    pictureDoubts = read.uncertain;
    return keep(std::move(read.memo));
}
// What the memo box holds after the last picture, and its kana the reader was unsure of.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_picture_box() {
    return give(pictureBox);
}
EMSCRIPTEN_KEEPALIVE unsigned pelio_picture_uncertain() {
    return pictureDoubts;
}
// What Enter would refuse in the box, kept as the outcome to show, the entry left as it is:
// after a reload, the refusal shown before.
EMSCRIPTEN_KEEPALIVE int pelio_refusal_of(int length) {
    return keep(refusalOf(state, inputText(length), &notebook));
}
// Whether the tab holds anything a memo from a link would replace, with the box's text.
EMSCRIPTEN_KEEPALIVE int pelio_holds_input(int length) {
    return holdsInput(state, inputText(length)) ? 1 : 0;
}

// The undo of the last action that replaced the entry: its notice, once, right after the
// action (null where it offered none); then the box's text it puts back, and the undo itself,
// which leaves the box's refusal, if any, as the outcome to show.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_undo_offered() {
    const bool offered = std::exchange(undoNew, false);
    return offered ? give(undo->notice) : nullptr;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_undo_box() {
    return undo ? give(undo->box) : nullptr;
}
EMSCRIPTEN_KEEPALIVE int pelio_undo() {
    if (!undo)
        return 0;
    state = std::move(undo->entry);
    shown = shownResults(state);
    const std::u16string box = std::move(undo->box);
    undo.reset();
    return keep(refusalOf(state, box, &notebook));
}
// The outcome's reason, what a screen reader is told, and over and under its fixes, a line each.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_outcome_texts() {
    return giveLines({outcome.reason, outcome.announced, outcome.heading, outcome.hint});
}
EMSCRIPTEN_KEEPALIVE int pelio_fix_count() {
    return static_cast<int>(outcome.fixes.size());
}
// A fix as the box shows it, its details, differences and what a screen reader says of it, a
// line each; and which of its characters it changed.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_fix(int index) {
    const MemoFix* offered = fix(index);
    return offered
               ? giveLines({offered->memo, offered->details, offered->differences, offered->spoken})
               : nullptr;
}
EMSCRIPTEN_KEEPALIVE unsigned pelio_fix_marked(int index) {
    return fix(index) ? fix(index)->marked : 0;
}
EMSCRIPTEN_KEEPALIVE int pelio_result_count() {
    return kResultCount;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_result_label(int index) {
    if (index == 0)
        return give(layout::controlOf(layout::Role::MemoBox).id);
    if (index == 1)
        return give(layout::rankLine().id);
    if (index > 1 && index < kResultCount)
        return give(layout::hintLine(kLocations[static_cast<std::size_t>(index - 2)].location).id);
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

// The notebook, read from storage's text in the long input when the page first needs it, and
// the text to store after each change; once stored, what a merge starts from.
EMSCRIPTEN_KEEPALIVE void pelio_notebook_load(int length) {
    notebook = readNotebook(longText(length)).notebook;
    stored = notebook;
}
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_notebook_text() {
    return give(notebookText(notebook));
}
EMSCRIPTEN_KEEPALIVE void pelio_notebook_stored() {
    stored = notebook;
}
// Another tab's notebook as storage now holds it, merged with the changes made here since
// storage was read: 1 where the notebook changed, 2 where storage lacks what this one holds.
EMSCRIPTEN_KEEPALIVE int pelio_notebook_merge(int length) {
    Notebook theirs = readNotebook(longText(length)).notebook;
    Notebook merged = mergeNotebooks(stored, notebook, theirs);
    const int result = (merged != notebook ? 1 : 0) | (merged != theirs ? 2 : 0);
    stored = std::move(theirs);
    notebook = std::move(merged);
    return result;
}
// A file the player chose, its first bytes in the long input, its memos added to the notebook:
// how many it held, why any of it could not be read, and each line refused.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_notebook_import(int bytes) {
    const auto size = std::min(static_cast<std::size_t>(std::max(bytes, 0)), 2 * longInput.size());
    // The bytes of the file, as the page copied them in: any object may be looked at as bytes.
    const std::u16string report =
        importNotebook(notebook, {reinterpret_cast<const char*>(longInput.data()), size});
    return give(report);
}

// The entries, newest first: what each shows, its memo, time, details, changes and what a
// screen reader says of it, a line each, all of them in one text: the page draws a thousand at
// once.
EMSCRIPTEN_KEEPALIVE const char16_t* pelio_notes() {
    output.clear();
    for (const NoteView& view : notebook.views()) {
        for (const std::u16string* line :
             {&view.memo, &view.time, &view.details, &view.changes, &view.spoken})
            output.append(*line).push_back(u'\n');
    }
    return output.c_str();
}
// An entry deleted, or all of them, and the last delete undone.
EMSCRIPTEN_KEEPALIVE void pelio_note_remove(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < notebook.entries().size()) {
        taken = {notebook.remove(static_cast<std::size_t>(index))};
    }
}
EMSCRIPTEN_KEEPALIVE void pelio_note_clear() {
    taken = notebook.clear();
}
EMSCRIPTEN_KEEPALIVE void pelio_note_restore() {
    notebook.restore(std::exchange(taken, {}));
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
