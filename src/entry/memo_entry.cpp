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

std::u16string nameText(const NameCodes& codes) {
    std::u16string name;
    for (KanaCode code : codes)
        name += kanaSymbol(code);
    return name;
}

// The slots keyed in, as the name boxes showed them: an unwritten slot between two written ones
// as the box's "？"; nothing for those after the last one written.
std::u16string keyedText(const KnownName& keyed) {
    std::u16string name;
    for (std::size_t slot = 0; slot < keyed.codes.size(); ++slot)
        name += keyed.written.test(slot) ? kanaSymbol(keyed.codes[slot]) : kEmptyNameBox;
    return name.substr(0, name.find_last_not_of(kEmptyNameBox) + 1);
}

std::optional<MemoContent> contentOf(std::u16string_view memo) {
    const MemoReading reading = readMemo(memo);
    if (const auto* content = std::get_if<MemoContent>(&reading))
        return *content;
    return std::nullopt;
}

// "１４番目に「ね」を足す　＋ライター　－宵らせのとの対面".
std::u16string differencesText(const MemoSuggestion& suggestion, const Distinction& distinction) {
    // A name that differs shows in the fix's details already.
    std::vector<std::u16string> parts;
    if (suggestion.lengthSlip)
        parts.push_back(suggestion.change);
    for (FlagNumber number : distinction.flags)
        parts.push_back((suggestion.content.flags.isSet(number) ? u"＋" : u"－") +
                        std::u16string(flagInfo(number).caption));
    std::u16string text;
    for (const std::u16string& part : parts)
        text += (text.empty() ? u"" : u"　") + part;
    return text;
}

MemoFix fixFor(const MemoSuggestion& suggestion, const Distinction& distinction) {
    MemoFix fix;
    fix.memo = memoText(MemoSymbols{suggestion.codes, 0});
    // The memo text puts a space after each group of kana.
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        if (suggestion.changed.test(n))
            fix.marked |= 1u << (n + n / kMemoGroupLength);
    }
    const ProgressFlags& flags = suggestion.content.flags;
    fix.details = u"なまえ「" + nameText(suggestion.content.name) + u"」　チェック" +
                  fullWidthNumber(static_cast<std::size_t>(flags.count())) + u"こ　ランク" +
                  fullWidthNumber(static_cast<std::size_t>(adviceRank(flags)));
    fix.differences = differencesText(suggestion, distinction);
    fix.spoken = fix.memo + u"。" + fix.details + u"。";
    if (!fix.differences.empty())
        fix.spoken += fix.differences + u"。";
    if (!suggestion.lengthSlip)
        fix.spoken += suggestion.change;
    return fix;
}

// "５つ", and from ten on "１２こ".
std::u16string counted(std::size_t count) {
    return fullWidthNumber(count) + (count < 10 ? u"つ" : u"こ");
}

void offer(MemoOutcome& outcome, const Suggestions& suggestions, bool filled) {
    const std::vector<Distinction> distinctions =
        distinguish(suggestions.offered, kDistinguishingBoxes);
    for (std::size_t i = 0; i < suggestions.offered.size(); ++i)
        outcome.fixes.push_back(fixFor(suggestions.offered[i], distinctions[i]));
    const std::size_t shown = outcome.fixes.size();
    if (filled && shown == 0)
        outcome.reason += u"。あてはまるそうさめもはありません";
    if (shown > 0) {
        outcome.heading = (filled ? u"あてはまるそうさめもが" : u"近いそうさめもが") +
                          counted(suggestions.found) + u"あります";
        if (suggestions.found > shown)
            outcome.heading += u"（上から" + fullWidthNumber(shown) + u"つ）";
    }
    if (shown > 1)
        outcome.hint = u"どれかわからないときは、ゲームでそうさめもをもう一度見てください";
}

// "４文字目は「あ」としてそうさめもに入りました": name slots whose box shows nothing still
// go into the memo, with the code they hold (that of a slot never written is "あ").
std::u16string unshownSlotsNote(const StateRecord& state) {
    std::u16string slots;
    for (std::size_t slot = 0; slot < kNameSlots; ++slot) {
        if (state.nameShown[slot])
            continue;
        slots += (slots.empty() ? u"" : u"、") + fullWidthNumber(slot + 1) + u"文字目は「" +
                 kanaSymbol(state.nameKeyIndex[slot]) + u"」";
    }
    if (std::none_of(state.nameShown.begin(), state.nameShown.end(), [](bool b) { return b; }))
        slots = u"なまえは「" + nameText(state.nameKeyIndex) + u"」";
    return slots.empty() ? slots : slots + u"としてそうさめもに入りました";
}

void announce(MemoOutcome& outcome) {
    std::u16string& said = outcome.announced;
    if (outcome.kind == MemoOutcome::Kind::Read)
        said = u"そうさめもを読み取りました。";
    if (outcome.kind == MemoOutcome::Kind::Read || outcome.kind == MemoOutcome::Kind::Completed)
        said += spokenResults(outcome.results) + u"。";
    for (const std::u16string* part : {&outcome.reason, &outcome.heading}) {
        if (!part->empty())
            said += *part + u"。";
    }
}

MemoOutcome completed(StateRecord& state, MemoOutcome::Kind kind) {
    MemoOutcome outcome;
    outcome.kind = kind;
    outcome.results = complete(state);
    if (kind == MemoOutcome::Kind::Completed)
        outcome.reason = unshownSlotsNote(state);
    announce(outcome);
    return outcome;
}

// Reads the box as it is: a memo that reads replaces the entry and completes; one that does
// not stays, with why. Either way, memos near it are offered where it looks like a slip.
MemoOutcome readBox(StateRecord& state, std::u16string_view box) {
    const SuggestionContext context{playerName(state), contentOf(state.writtenMemo)};
    const MemoReading reading = readMemo(box);
    if (const auto* error = std::get_if<MemoError>(&reading)) {
        MemoOutcome outcome;
        outcome.kind = MemoOutcome::Kind::Refused;
        outcome.reason = error->message;
        offer(outcome, suggestMemos(box, context, SuggestionScope::Refused),
              error->kind == MemoErrorKind::UnknownKana);
        announce(outcome);
        return outcome;
    }
    const MemoContent& content = std::get<MemoContent>(reading);
    enterMemo(state, content);
    MemoOutcome outcome = completed(state, MemoOutcome::Kind::Read);
    const KnownName& entered = state.enteredName;
    if (!entered.heldBy(content.name)) {
        outcome.reason = u"読み取ったなまえ「" + nameText(content.name) + u"」は、入力した「" +
                         keyedText(entered) + u"」とちがいます";
        offer(outcome,
              suggestMemos(box, {entered, context.earlier}, SuggestionScope::KnownNameOnly), false);
        outcome.announced.clear();
        announce(outcome);
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
    if (!memoIsUnread(state, box))
        return {};
    StateRecord untouched = state;
    MemoOutcome outcome = readBox(untouched, box);
    return outcome.kind == MemoOutcome::Kind::Refused ? outcome : MemoOutcome{};
}

} // namespace pelio
