#include "entry/memo_entry.h"

#include "hints/advice_rank.h"
#include "memo/memo_text.h"
#include "memo/wording.h"

#include <algorithm>
#include <variant>

namespace pelio {
namespace {

// What the reader would see of a text: the memo kana, and a mark for anything else.
std::vector<std::int8_t> memoKana(std::u16string_view text) {
    std::vector<std::int8_t> codes;
    for (const TypedSymbol& symbol : typedSymbols(text))
        codes.push_back(symbol.code);
    return codes;
}

std::u16string nameText(const NameCodes& codes, const std::bitset<kNameSlots>& written) {
    std::u16string name;
    for (std::size_t slot = 0; slot < codes.size(); ++slot)
        name += written.test(slot) ? kanaSymbol(codes[slot]) : kEmptyNameBox;
    return name;
}

MemoFix fixFor(const MemoSuggestion& suggestion) {
    MemoFix fix;
    fix.memo = memoText(MemoSymbols{suggestion.codes, 0});
    // The memo text puts a space after each group of kana.
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        if (suggestion.changed.test(n))
            fix.marked |= 1u << (n + n / kMemoGroupLength);
    }
    const ProgressFlags& flags = suggestion.content.flags;
    fix.details = u"なまえ「" + nameText(suggestion.content.name, std::bitset<kNameSlots>().set()) +
                  u"」　チェック" + fullWidthNumber(static_cast<std::size_t>(flags.count())) +
                  u"こ　ランク" + fullWidthNumber(static_cast<std::size_t>(adviceRank(flags)));
    fix.spoken = fix.memo + u"。" + fix.details + u"。" + suggestion.change;
    return fix;
}

void offer(MemoOutcome& outcome, const std::vector<MemoSuggestion>& suggestions) {
    std::transform(suggestions.begin(), suggestions.end(), std::back_inserter(outcome.fixes),
                   fixFor);
    outcome.announced = outcome.reason;
    if (!outcome.fixes.empty())
        outcome.announced +=
            u"　近いそうさめもが" + fullWidthNumber(outcome.fixes.size()) + u"つあります";
}

MemoOutcome completed(StateRecord& state, MemoOutcome::Kind kind) {
    MemoOutcome outcome;
    outcome.kind = kind;
    outcome.results = complete(state);
    return outcome;
}

// Reads the box as it is: a memo that reads replaces the entry and completes; one that does
// not stays, with why. Either way, memos near it are offered where it looks like a slip.
MemoOutcome readBox(StateRecord& state, std::u16string_view box) {
    const MemoReading reading = readMemo(box);
    if (const auto* error = std::get_if<MemoError>(&reading)) {
        MemoOutcome outcome;
        outcome.kind = MemoOutcome::Kind::Refused;
        outcome.reason = error->message;
        offer(outcome, suggestMemos(box, state.enteredName, SuggestionScope::Refused));
        return outcome;
    }
    const MemoContent& content = std::get<MemoContent>(reading);
    enterMemo(state, content);
    MemoOutcome outcome = completed(state, MemoOutcome::Kind::Read);
    const KnownName& entered = state.enteredName;
    if (!entered.heldBy(content.name)) {
        outcome.reason = u"読み取ったなまえ「" + nameText(content.name, entered.written) +
                         u"」は、入力した「" + nameText(entered.codes, entered.written) +
                         u"」とちがいます";
        offer(outcome, suggestMemos(box, entered, SuggestionScope::KnownNameOnly));
    }
    return outcome;
}

} // namespace

bool memoIsUnread(const StateRecord& state, std::u16string_view box) {
    const std::vector<std::int8_t> typed = memoKana(box);
    return !typed.empty() && typed != memoKana(state.writtenMemo);
}

MemoOutcome pressEnterInMemo(StateRecord& state, std::u16string_view box) {
    // An empty box is read too: the reason says what it wants.
    if (!memoKana(box).empty() && !memoIsUnread(state, box))
        return {};
    return readBox(state, box);
}

MemoOutcome answer(StateRecord& state, std::u16string_view box) {
    return memoIsUnread(state, box) ? readBox(state, box)
                                    : completed(state, MemoOutcome::Kind::Completed);
}

MemoOutcome refusalOf(const StateRecord& state, std::u16string_view box) {
    StateRecord pressed = state;
    MemoOutcome outcome = pressEnterInMemo(pressed, box);
    return outcome.kind == MemoOutcome::Kind::Refused ? outcome : MemoOutcome{};
}

} // namespace pelio
