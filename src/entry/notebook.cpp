#include "entry/notebook.h"

#include "hints/advice_rank.h"
#include "memo/memo_text.h"
#include "memo/utf16.h"
#include "memo/wording.h"

#include <algorithm>
#include <array>
#include <utility>
#include <variant>

namespace pelio {
namespace {

// "2026-12-09 14:02:37": how a time starts a line of the notebook's text.
constexpr std::size_t kTimeLength = 19;

// `number` in at least `width` ASCII digits.
std::u16string digits(int number, std::size_t width) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number > 0 || text.size() < width);
    return text;
}

std::u16string timeText(const NoteTime& time) {
    return digits(time.year, 4) + u'-' + digits(time.month, 2) + u'-' + digits(time.day, 2) + u' ' +
           digits(time.hour, 2) + u':' + digits(time.minute, 2) + u':' + digits(time.second, 2);
}

// The time a line starts with, if it starts with one that could be.
std::optional<NoteTime> timeAt(std::u16string_view line) {
    if (line.size() < kTimeLength)
        return std::nullopt;
    constexpr std::u16string_view kShape = u"0000-00-00 00:00:00";
    std::array<int, 6> parts{};
    std::size_t part = 0;
    for (std::size_t i = 0; i < kTimeLength; ++i) {
        const bool digit = line[i] >= u'0' && line[i] <= u'9';
        if (digit != (kShape[i] == u'0') || (!digit && line[i] != kShape[i]))
            return std::nullopt;
        if (digit)
            parts[part] = parts[part] * 10 + (line[i] - u'0');
        else
            ++part;
    }
    const NoteTime time{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
    const bool plausible = time.year >= 1 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
                           time.day <= 31 && time.hour <= 23 && time.minute <= 59 &&
                           time.second <= 60;
    return plausible ? std::optional(time) : std::nullopt;
}

std::u16string nameOf(const NameCodes& name) {
    std::u16string text;
    for (KanaCode code : name)
        text += kanaSymbol(code);
    return text;
}

} // namespace

std::u16string shownNoteTime(const NoteTime& time) {
    if (!time.known())
        return u"日時不明";
    return digits(time.month, 1) + u"月" + digits(time.day, 1) + u"日 " + digits(time.hour, 2) +
           u':' + digits(time.minute, 2);
}

namespace {

MemoContent contentOf(const MemoCodes& codes) {
    return std::get<MemoContent>(decodeMemo(codes));
}

NoteTime secondAfter(NoteTime time) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = time.year % 4 == 0 && (time.year % 100 != 0 || time.year % 400 == 0);
    const int daysInMonth =
        time.month >= 1 && time.month <= 12
            ? kDays[static_cast<std::size_t>(time.month - 1)] + (leap && time.month == 2)
            : 31;
    if (++time.second < 60)
        return time;
    time.second = 0;
    if (++time.minute < 60)
        return time;
    time.minute = 0;
    if (++time.hour < 24)
        return time;
    time.hour = 0;
    if (++time.day <= daysInMonth)
        return time;
    time.day = 1;
    if (++time.month <= 12)
        return time;
    time.month = 1;
    ++time.year;
    return time;
}

// Newest first, and among entries of one second in the order they came.
bool newer(const NoteEntry& a, const NoteEntry& b) {
    return a.time > b.time;
}

} // namespace

Notebook::Notebook(std::vector<NoteEntry> entries)
    : entries_(std::move(entries)) {
    std::stable_sort(entries_.begin(), entries_.end(), newer);
    if (entries_.size() > kMostEntries)
        entries_.resize(kMostEntries);
}

bool Notebook::add(const MemoCodes& codes, NoteTime time) {
    if (!entries_.empty() && entries_.front().codes == codes)
        return false;
    // The newest entry is the newest by time too, and of a time of its own, so that an entry
    // taken out and put back finds its place again: two memos in one second, or a clock put
    // back, take the second after the newest.
    if (!entries_.empty() && time <= entries_.front().time)
        time = secondAfter(entries_.front().time);
    entries_.insert(entries_.begin(), {codes, time});
    if (entries_.size() > kMostEntries)
        entries_.pop_back();
    return true;
}

NoteEntry Notebook::remove(std::size_t index) {
    const NoteEntry taken = entries_.at(index);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    return taken;
}

std::vector<NoteEntry> Notebook::clear() {
    return std::exchange(entries_, {});
}

void Notebook::restore(const std::vector<NoteEntry>& taken) {
    std::vector<NoteEntry> all = entries_;
    all.insert(all.end(), taken.begin(), taken.end());
    *this = Notebook(std::move(all));
}

const NoteEntry* Notebook::newestOf(const NameCodes& name, const MemoCodes& codes) const {
    for (const NoteEntry& entry : entries_) {
        if (entry.codes != codes && contentOf(entry.codes).name == name)
            return &entry;
    }
    return nullptr;
}

const NoteEntry* Notebook::referenceOf(const NameCodes& name, const MemoCodes& codes) const {
    const NoteEntry* reference = nullptr;
    ProgressFlags held;
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        const MemoContent content = contentOf(entry->codes);
        if (entry->codes == codes || content.name != name)
            continue;
        bool keepsAll = true;
        for (FlagNumber number = 1; number <= kFlagCount && reference; ++number)
            keepsAll = keepsAll && (!held.isSet(number) || content.flags.isSet(number));
        if (keepsAll) {
            reference = &*entry;
            held = content.flags;
        }
    }
    return reference;
}

std::vector<NoteView> Notebook::views() const {
    std::vector<NoteView> views(entries_.size());
    // Oldest first, each name's last boxes at hand for the entry after it.
    std::vector<std::pair<NameCodes, ProgressFlags>> lastOf;
    for (std::size_t i = entries_.size(); i-- > 0;) {
        const NoteEntry& entry = entries_[i];
        const MemoContent content = contentOf(entry.codes);
        NoteView& view = views[i];
        view.memo = memoText({entry.codes, 0});
        view.time = shownNoteTime(entry.time);
        view.details = u"なまえ「" + nameOf(content.name) + u"」　チェック" +
                       fullWidthNumber(static_cast<std::size_t>(content.flags.count())) +
                       u"こ　ランク" +
                       fullWidthNumber(static_cast<std::size_t>(adviceRank(content.flags)));
        const auto last = std::find_if(lastOf.begin(), lastOf.end(), [&](const auto& named) {
            return named.first == content.name;
        });
        if (last == lastOf.end()) {
            view.changes = u"このなまえではじめてのそうさめも";
            lastOf.emplace_back(content.name, content.flags);
        } else {
            for (FlagNumber number = 1; number <= kFlagCount; ++number) {
                if (last->second.isSet(number) == content.flags.isSet(number))
                    continue;
                view.changes += (view.changes.empty() ? u"" : u"　") +
                                std::u16string(content.flags.isSet(number) ? u"＋" : u"－") +
                                std::u16string(flagInfo(number).caption);
            }
            if (view.changes.empty())
                view.changes = u"前と同じチェック";
            last->second = content.flags;
        }
        view.spoken = view.time + u"、" + view.memo + u"。" + view.details + u"。" + view.changes;
    }
    return views;
}

std::u16string notebookText(const Notebook& notebook) {
    std::u16string text = u"# ぺりおのひらき　そうさめもノート（新しい順）\n";
    for (const NoteEntry& entry : notebook.entries()) {
        if (entry.time.known())
            text += timeText(entry.time) + u" ";
        text += memoText({entry.codes, 0}) + u"\n";
    }
    return text;
}

NotebookReading readNotebook(std::u16string_view text) {
    NotebookReading reading;
    std::vector<NoteEntry> entries;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(u'\n'), text.size());
        std::u16string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        const std::size_t first = line.find_first_not_of(u" \t\u3000");
        if (first == std::u16string_view::npos || line[first] == u'#')
            continue;
        const std::optional<NoteTime> time = timeAt(line);
        const std::u16string_view memo = time ? line.substr(kTimeLength) : line;
        const MemoReading read = readMemo(memo);
        if (const auto* error = std::get_if<MemoError>(&read)) {
            reading.refused.push_back({number, std::u16string(line), error->message});
            continue;
        }
        const MemoContent& content = std::get<MemoContent>(read);
        entries.push_back(
            {encodeMemo(content.name, content.flags).codes, time.value_or(NoteTime{})});
    }
    reading.notebook = Notebook(std::move(entries));
    return reading;
}

NotebookFile readNotebookFile(std::string_view bytes) {
    NotebookFile file;
    if (bytes.empty())
        return file;
    if (bytes.size() > kNotebookFileLimit) {
        file.status = NotebookFile::Status::TooLarge;
        file.notice = u"ノートのファイルが大きすぎて読めませんでした";
        return file;
    }
    const std::optional<std::u16string> text = fromUtf8(bytes);
    if (!text) {
        file.status = NotebookFile::Status::NotUtf8;
        file.notice = u"ノートのファイルがこわれていて読めませんでした";
        return file;
    }
    file.status = NotebookFile::Status::Read;
    file.reading = readNotebook(*text);
    if (!file.reading.refused.empty())
        file.notice = u"ノートのファイルの" + fullWidthNumber(file.reading.refused.size()) +
                      u"行が読めませんでした";
    return file;
}

std::u16string importNotebook(Notebook& notebook, std::string_view bytes) {
    const NotebookFile file = readNotebookFile(bytes);
    std::u16string report;
    if (file.status == NotebookFile::Status::Read || file.status == NotebookFile::Status::Empty) {
        const std::size_t read = file.reading.notebook.entries().size();
        notebook = mergeNotebooks({}, notebook, file.reading.notebook);
        report = u"そうさめもを" + fullWidthNumber(read) + u"こ読み込みました";
    }
    if (!file.notice.empty())
        report += (report.empty() ? u"" : u"。") + file.notice;
    for (const RefusedLine& line : file.reading.refused)
        report +=
            u"\n" + fullWidthNumber(line.line) + u"行目「" + line.text + u"」：" + line.reason;
    return report;
}

Notebook mergeNotebooks(const Notebook& base, const Notebook& mine, const Notebook& theirs) {
    const auto has = [](const Notebook& notebook, const NoteEntry& entry) {
        return std::find(notebook.entries().begin(), notebook.entries().end(), entry) !=
               notebook.entries().end();
    };
    std::vector<NoteEntry> kept;
    for (const NoteEntry& entry : theirs.entries()) {
        if (!has(base, entry) || has(mine, entry))
            kept.push_back(entry);
    }
    for (const NoteEntry& entry : mine.entries()) {
        if (!has(base, entry) && !has(theirs, entry))
            kept.push_back(entry);
    }
    return Notebook(std::move(kept));
}

std::optional<GoingBack> goingBack(const Notebook& notebook, const MemoCodes& codes) {
    const MemoContent read = contentOf(codes);
    const NoteEntry* earlier = notebook.referenceOf(read.name, codes);
    if (!earlier)
        return std::nullopt;
    GoingBack back{*earlier, {}, {}};
    const ProgressFlags before = contentOf(earlier->codes).flags;
    std::u16string captions;
    for (FlagNumber number = 1; number <= kFlagCount; ++number) {
        if (before.isSet(number) && !read.flags.isSet(number)) {
            back.lost.push_back(number);
            captions += u"「" + std::u16string(flagInfo(number).caption) + u"」";
        }
    }
    if (back.lost.empty())
        return std::nullopt;
    back.reason = u"前のそうさめも（" + shownNoteTime(earlier->time) + u"）にあった" + captions +
                  u"のチェックがありません。写しまちがいかもしれません";
    return back;
}

} // namespace pelio
