#include "entry/session.h"

#include "memo/memo_text.h"

#include <algorithm>
#include <array>
#include <variant>

namespace pelio {
namespace {

// A saved line: this mark, then one character for each small number of the record (its value
// above '0'), one '0' or '1' for each flag, and the memo last written, if any. A tab saved by
// the previous version, whose line has no read name, is restored all the same.
constexpr std::u16string_view kMark = u"pelio2:";
constexpr std::u16string_view kFirstMark = u"pelio1:";

enum Number {
    Cursor,
    Pending,
    PendingKey,
    Name1,
    Shown = Name1 + kNameSlots,
    Highlighted,
    Entered1,
    EnteredSlots = Entered1 + kNameSlots,
    Page,
    kFirstVersionNumbers,
    NameRead = kFirstVersionNumbers,
    Read1,
    kNumbers = Read1 + kNameSlots
};
// The largest value of each number: a kana code, unless it is a count, a slot or a set of slots.
constexpr auto kMost = [] {
    std::array<int, kNumbers> most{};
    most.fill(kKanaCount - 1);
    most[Cursor] = most[Highlighted] = kNameSlots;
    most[Page] = most[NameRead] = 1;
    most[Pending] = 2; // none, committed since pressed, or not
    most[Shown] = most[EnteredSlots] = (1 << kNameSlots) - 1;
    return most;
}();

static_assert(kMark.size() == kFirstMark.size());

// The entry just after the completion that wrote `memo`; none if the program never writes it.
std::optional<StateRecord> completionOf(std::u16string_view memo) {
    const MemoReading reading = readMemo(memo);
    const auto* content = std::get_if<MemoContent>(&reading);
    if (!content)
        return std::nullopt;
    StateRecord completed;
    enterMemo(completed, *content);
    complete(completed);
    if (completed.writtenMemo != memo)
        return std::nullopt;
    return completed;
}

} // namespace

std::u16string saveEntry(const StateRecord& state) {
    std::array<int, kNumbers> numbers{};
    numbers[Cursor] = state.nameCursor;
    numbers[Pending] = state.keyPending ? 2 - state.pendingKeyCommitted : 0;
    numbers[PendingKey] = state.pendingKeyIndex;
    for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
        numbers[Name1 + slot] = state.nameKeyIndex[slot];
        numbers[Shown] |= state.nameShown[slot] << slot;
        numbers[Entered1 + slot] = state.enteredName.codes[slot];
    }
    numbers[Highlighted] = state.highlightedSlot;
    numbers[EnteredSlots] = static_cast<int>(state.enteredName.written.to_ulong());
    numbers[Page] = state.flagPage;
    numbers[NameRead] = state.readName.has_value();
    for (std::size_t slot = 0; slot < kNameSlots && state.readName; ++slot)
        numbers[Read1 + slot] = (*state.readName)[slot];

    std::u16string line(kMark);
    for (int number : numbers)
        line += static_cast<char16_t>(u'0' + number);
    for (int flag = 1; flag <= kFlagCount; ++flag)
        line += state.progressFlags.isSet(flag) ? u'1' : u'0';
    return line + state.writtenMemo;
}

std::optional<StateRecord> restoreEntry(std::u16string_view saved) {
    const std::u16string_view mark = saved.substr(0, kMark.size());
    if (mark != kMark && mark != kFirstMark)
        return std::nullopt;
    const std::size_t numberCount = mark == kMark ? kNumbers : kFirstVersionNumbers;
    const std::size_t flagsAt = kMark.size() + numberCount, memoAt = flagsAt + kFlagCount;
    if (saved.size() < memoAt)
        return std::nullopt;
    std::array<int, kNumbers> numbers{};
    for (std::size_t i = 0; i < numberCount; ++i) {
        numbers[i] = saved[kMark.size() + i] - u'0';
        if (numbers[i] < 0 || numbers[i] > kMost[i])
            return std::nullopt;
    }
    StateRecord state;
    // The memo last written must be one the program writes; that completion gives the rank
    // and the meeting count.
    const std::u16string_view memo = saved.substr(memoAt);
    if (!memo.empty()) {
        const std::optional<StateRecord> completed = completionOf(memo);
        if (!completed)
            return std::nullopt;
        state.writtenMemo = completed->writtenMemo;
        state.adviceRank = completed->adviceRank;
    }
    for (int flag = 1; flag <= kFlagCount; ++flag) {
        const char16_t tick = saved[flagsAt + static_cast<std::size_t>(flag - 1)];
        if (tick != u'0' && tick != u'1')
            return std::nullopt;
        state.progressFlags.set(flag, tick == u'1');
    }

    state.nameCursor = static_cast<std::int16_t>(numbers[Cursor]);
    state.keyPending = numbers[Pending] != 0;
    state.pendingKeyCommitted = numbers[Pending] == 1;
    state.pendingKeyIndex = static_cast<KanaCode>(numbers[PendingKey]);
    for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
        state.nameKeyIndex[slot] = static_cast<KanaCode>(numbers[Name1 + slot]);
        state.nameShown[slot] = (numbers[Shown] >> slot & 1) != 0;
        state.enteredName.codes[slot] = static_cast<KanaCode>(numbers[Entered1 + slot]);
    }
    state.highlightedSlot = static_cast<std::int16_t>(numbers[Highlighted]);
    state.enteredName.written = static_cast<unsigned long long>(numbers[EnteredSlots]);
    state.flagPage = static_cast<std::int16_t>(numbers[Page]);
    if (numbers[NameRead] == 1) {
        NameCodes read{};
        for (std::size_t slot = 0; slot < kNameSlots; ++slot)
            read[slot] = static_cast<KanaCode>(numbers[Read1 + slot]);
        state.readName = read;
    }
    return state;
}

Results shownResults(const StateRecord& state) {
    std::optional<StateRecord> completed = completionOf(state.writtenMemo);
    return completed ? complete(*completed) : blankResults();
}

bool holdsInput(const StateRecord& state, std::u16string_view box) {
    const bool nameShown =
        std::find(state.nameShown.begin(), state.nameShown.end(), true) != state.nameShown.end();
    return nameShown || state.progressFlags.count() > 0 || !state.writtenMemo.empty() ||
           !typedSymbols(box).empty();
}

} // namespace pelio
