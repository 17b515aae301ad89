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

std::optional<MemoCodes> codesOf(std::u16string_view memo) {
    const std::optional<MemoContent> content = contentOf(memo);
    if (!content)
        return std::nullopt;
    return encodeMemo(content->name, content->flags).codes;
}

// The memo the player had before, which tells equally likely slips apart: the one in the memo
// box last, or else the notebook's newest of the player's name, or its newest of all.
std::optional<MemoContent> earlierMemo(const StateRecord& state, const Notebook* notebook) {
    if (std::optional<MemoContent> written = contentOf(state.writtenMemo))
        return written;
    if (!notebook || notebook->empty())
        return std::nullopt;
    const KnownName name = playerName(state);
    for (const NoteEntry& entry : notebook->entries()) {
        const MemoContent content = std::get<MemoContent>(decodeMemo(entry.codes));
        if (!name.any() || name.heldBy(content.name))
            return content;
    }
    return std::get<MemoContent>(decodeMemo(notebook->entries().front().codes));
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

MemoOutcome completed(StateRecord& state, MemoOutcome::Kind kind, Keeping keeping) {
    MemoOutcome outcome;
    outcome.kind = kind;
    outcome.results = complete(state);
    if (keeping.notebook)
        keeping.notebook->add(*codesOf(state.writtenMemo), keeping.now);
    if (kind == MemoOutcome::Kind::Completed)
        outcome.reason = unshownSlotsNote(state);
    announce(outcome);
    return outcome;
}

// The memos within one slip of `box` that hold the name of `earlier` and keep its boxes.
Suggestions keepingBoxesOf(std::u16string_view box, const NoteEntry& earlier) {
    const MemoContent content = std::get<MemoContent>(decodeMemo(earlier.codes));
    return suggestMemos(box, {KnownName{content.name, std::bitset<kNameSlots>().set()}, content},
                        SuggestionScope::KeepsEarlierBoxes);
}

// A memo of a name the notebook does not know may be a slip in a memo of a name it does: the
// newest entry of the newest name with a memo one slip from `box` that keeps its boxes.
std::optional<NoteEntry> otherGameNear(const Notebook& notebook, std::u16string_view box,
                                       const MemoCodes& codes) {
    constexpr std::size_t kNamesLookedAt = 8;
    const NameCodes read = std::get<MemoContent>(decodeMemo(codes)).name;
    if (notebook.newestOf(read, codes))
        return std::nullopt;
    std::vector<NameCodes> tried;
    for (const NoteEntry& entry : notebook.entries()) {
        const NameCodes name = std::get<MemoContent>(decodeMemo(entry.codes)).name;
        if (name == read || std::find(tried.begin(), tried.end(), name) != tried.end())
            continue;
        if (tried.size() == kNamesLookedAt)
            break;
        tried.push_back(name);
        if (!keepingBoxesOf(box, entry).offered.empty())
            return entry;
    }
    return std::nullopt;
}

// Reads the box as it is: a memo that reads replaces the entry and completes; one that does
// not stays, with why. Either way, memos near it are offered where it looks like a slip.
MemoOutcome readBox(StateRecord& state, std::u16string_view box, Keeping keeping,
                    const ReaderDoubts& read = {}) {
    const SuggestionContext context{playerName(state), earlierMemo(state, keeping.notebook), read};
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
    const MemoCodes codes = encodeMemo(content.name, content.flags).codes;
    // What the notebook held before this memo went into it.
    const std::optional<GoingBack> back =
        keeping.notebook ? goingBack(*keeping.notebook, codes) : std::nullopt;
    const std::optional<NoteEntry> otherGame =
        keeping.notebook ? otherGameNear(*keeping.notebook, box, codes) : std::nullopt;
    enterMemo(state, content);
    MemoOutcome outcome = completed(state, MemoOutcome::Kind::Read, keeping);
    const KnownName& entered = state.enteredName;
    if (!entered.heldBy(content.name)) {
        outcome.reason = u"読み取ったなまえ「" + nameText(content.name) + u"」は、入力した「" +
                         keyedText(entered) + u"」とちがいます";
        offer(outcome,
              suggestMemos(box, {entered, context.earlier}, SuggestionScope::KnownNameOnly), false);
    } else if (back) {
        outcome.reason = back->reason;
        offer(outcome, keepingBoxesOf(box, back->earlier), false);
    } else if (otherGame) {
        const MemoContent earlier = std::get<MemoContent>(decodeMemo(otherGame->codes));
        outcome.reason = u"なまえ「" + nameText(content.name) +
                         u"」のそうさめもはノートにありません。前のそうさめも（" +
                         shownNoteTime(otherGame->time) + u"）のなまえは「" +
                         nameText(earlier.name) + u"」です。写しまちがいかもしれません";
        offer(outcome, keepingBoxesOf(box, *otherGame), false);
    } else if (!read.odds.empty()) {
        const Suggestions doubts = suggestMemos(box, context, SuggestionScope::Doubtful);
        if (!doubts.offered.empty()) {
            outcome.reason =
                u"読み取りに自信のない文字があります。ちがうときは下から選んでください";
            offer(outcome, doubts, false);
        }
    }
    if (!outcome.reason.empty()) {
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

MemoOutcome pressEnterInMemo(StateRecord& state, std::u16string_view box, Keeping keeping) {
    // An empty box is read too: the reason says what it wants.
    if (!memoKana(box).empty() && !memoIsUnread(state, box))
        return {};
    return readBox(state, box, keeping);
}

MemoOutcome answer(StateRecord& state, std::u16string_view box, Keeping keeping) {
    return memoIsUnread(state, box) ? readBox(state, box, keeping)
                                    : completed(state, MemoOutcome::Kind::Completed, keeping);
}

MemoOutcome readFromPicture(StateRecord& state, std::u16string_view text, Keeping keeping,
                            const ReaderDoubts& read) {
    if (!memoIsUnread(state, text)) {
        MemoOutcome same;
        same.kind = MemoOutcome::Kind::NoMemo;
        same.reason = u"画像のそうさめもは、いま表示しているものと同じです";
        announce(same);
        return same;
    }
    return readBox(state, text, keeping, read);
}

MemoOutcome refusalOf(const StateRecord& state, std::u16string_view box, const Notebook* notebook) {
    if (!memoIsUnread(state, box))
        return {};
    // Read into copies: a refusal changes nothing, and anything else is not wanted here.
    StateRecord untouched = state;
    Notebook unwritten = notebook ? *notebook : Notebook();
    MemoOutcome outcome = readBox(untouched, box, {&unwritten, {}});
    return outcome.kind == MemoOutcome::Kind::Refused ? outcome : MemoOutcome{};
}

} // namespace pelio
