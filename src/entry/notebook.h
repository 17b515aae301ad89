#pragma once

#include "memo/memo_reader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The notebook: every memo the player has had written or read, newest first, kept from one run
// to the next. A lost or mis-copied memo costs hours of play, and what the player had before is
// the one thing that catches a slip the game would take.
namespace pelio {

// When an entry was written, in the player's local time, to the second. A year of 0 is a time
// not known, as for a memo from a text file that gives none.
struct NoteTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool known() const { return year != 0; }
    auto operator<=>(const NoteTime&) const = default;
};

// "12月9日 14:02", as the player would say it; "日時不明" for a time not known.
std::u16string shownNoteTime(const NoteTime& time);

struct NoteEntry {
    MemoCodes codes{};
    NoteTime time;
    bool operator==(const NoteEntry&) const = default;
};

// What the notebook shows of an entry, and what a screen reader says of it.
struct NoteView {
    std::u16string memo;    // as the memo box shows it
    std::u16string time;    // "12月9日 14:02"
    std::u16string details; // "なまえ「たんてい」　チェック６こ　ランク１"
    // Boxes ticked and unticked since the entry of the same name before it: "＋ライター　－鍵".
    std::u16string changes;
    std::u16string spoken;
};

class Notebook {
public:
    // Enough for every memo of many games; the oldest go beyond it.
    static constexpr std::size_t kMostEntries = 5000;

    Notebook() = default;
    // The entries in any order: newest first, entries of one time in the order given.
    explicit Notebook(std::vector<NoteEntry> entries);

    const std::vector<NoteEntry>& entries() const { return entries_; } // newest first
    bool empty() const { return entries_.empty(); }

    // Keeps a memo written or read at `time`, unless it is the newest entry already. Whether it
    // was kept.
    bool add(const MemoCodes& codes, NoteTime time);
    // Takes out one entry, or all of them, and gives back what was taken, for an undo.
    NoteEntry remove(std::size_t index);
    std::vector<NoteEntry> clear();
    // Puts entries back in their places by time: an undo of `remove` or `clear`.
    void restore(const std::vector<NoteEntry>& taken);

    // What each entry shows, in the order of `entries()`.
    std::vector<NoteView> views() const;

    // The newest entry holding `name`, other than one of `codes` itself.
    const NoteEntry* newestOf(const NameCodes& name, const MemoCodes& codes) const;
    // What a memo of `name` is held against: of its entries other than `codes`, oldest first,
    // the last that keeps every box of the one held against before it. An entry that went back
    // on one, mis-copied as likely as not, is passed over.
    const NoteEntry* referenceOf(const NameCodes& name, const MemoCodes& codes) const;

    bool operator==(const Notebook&) const = default;

private:
    std::vector<NoteEntry> entries_;
};

// The notebook as a text file, for the player to save and read back: one entry a line, newest
// first, "2026-12-09 14:02:37 たうせてお　いあへあい　あちあいあ　のあけあち　".
std::u16string notebookText(const Notebook& notebook);

struct RefusedLine {
    std::size_t line; // from 1
    std::u16string text;
    std::u16string reason;
};

struct NotebookReading {
    Notebook notebook;
    std::vector<RefusedLine> refused;
};

// Reads a notebook's text, or any text with one memo a line: a line may start with its time.
// Blank lines and lines starting with "#" say nothing; lines the memo reader refuses are listed
// with their reasons, and every other line is kept.
NotebookReading readNotebook(std::u16string_view text);

// The largest notebook file read: five times the most entries a notebook keeps.
inline constexpr std::size_t kNotebookFileLimit = 2'000'000;

// A notebook file as stored, in UTF-8: what it reads as, or why it cannot be read at all.
struct NotebookFile {
    enum class Status : std::uint8_t { Read, Empty, NotUtf8, TooLarge };
    Status status = Status::Empty;
    NotebookReading reading;
    // For the player: why the file was put aside, where it was ("" where it was read whole).
    std::u16string notice;
};
NotebookFile readNotebookFile(std::string_view bytes);

// A text file the player chose, its memos added to `notebook`: what to tell them, how many
// were read and each line refused with its reason, a line each.
std::u16string importNotebook(Notebook& notebook, std::string_view bytes);

// Two windows, or two tabs, writing one notebook: what `theirs` (the notebook as stored now)
// becomes with the changes made here since `base` was read: the entries added here are added,
// those taken out here are taken out, and no entry the other one added is lost.
Notebook mergeNotebooks(const Notebook& base, const Notebook& mine, const Notebook& theirs);

// A memo read that leaves unticked a box that the entry of its name it is held against ticked:
// the investigation moves forward, so it may well be mis-copied.
struct GoingBack {
    NoteEntry earlier;
    std::vector<FlagNumber> lost;
    std::u16string reason; // "前のそうさめも（12月9日 14:02）にあった「ライター」のチェックが…"
};
std::optional<GoingBack> goingBack(const Notebook& notebook, const MemoCodes& codes);

} // namespace pelio
