#include "memo/memo_suggestions.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_layout.h"
#include "memo/memo_text.h"
#include "memo/wording.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace pelio {
namespace {

// How likely each slip is, for one place in the memo. A suggestion is as likely as the slips
// that lead to it from what was typed: the product of two replaced kana, the sum over the places
// where a kana left out or doubled gives the same memo.
constexpr double kLookAlikeSlip = 1.0; // shared among the look-alikes of the kana meant
constexpr double kSwapSlip = 0.5;
constexpr double kOtherKanaSlip = 0.05; // shared among the 31 other kana
constexpr double kLengthSlip = 1.0;     // a kana left out or one too many
// A player who copies the memo in its groups of five slips inside a group: a kana left out or
// doubled shows as a group of four or six, and two kana are seldom swapped across a gap.
constexpr double kOutsideTheGroup = 0.1;
// A reading of a picture is worth offering in place of the one taken at this much of its odds.
constexpr double kDoubt = 0.1;

// A memo position's five binary digits as masks (weight 16 is 0x10): those the format leaves
// 0, the name digits and flags, which make up the check count, and the copy of a check digit.
struct PositionDigits {
    std::uint8_t empty = 0;
    std::uint8_t content = 0;
    std::uint8_t check = 0;
    std::uint8_t checkDigit = 0; // which one, 1..6, where `check` is set
};

constexpr std::array<PositionDigits, kMemoLength> kPositionDigits = [] {
    std::array<PositionDigits, kMemoLength> positions{};
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        PositionDigits& position = positions[n];
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w) {
            const auto bit = static_cast<std::uint8_t>(kSymbolWeights[w]);
            const DigitSource& source = kMemoLayout[n][w];
            if (source.kind == DigitSource::Kind::Empty) {
                position.empty |= bit;
            } else if (source.kind != DigitSource::Kind::CheckDigit) {
                position.content |= bit;
            } else if (position.check == 0) {
                position.check = bit;
                position.checkDigit = source.digit;
            } else {
                throw "a position repeats one check digit at most";
            }
        }
    }
    return positions;
}();

int contentCount(std::size_t n, std::uint8_t code) {
    return std::popcount(static_cast<unsigned>(code & kPositionDigits[n].content));
}
bool fitsFormat(std::size_t n, std::uint8_t code) {
    return (code & kPositionDigits[n].empty) == 0;
}
bool checkAgrees(std::size_t n, std::uint8_t code, int checkCount) {
    const PositionDigits& position = kPositionDigits[n];
    return position.check == 0 ||
           ((code & position.check) != 0) == (binaryDigit(checkCount, position.checkDigit) == 1);
}

// Whether the game takes the memo: what decodeMemo checks, without building its content.
bool accepted(const MemoCodes& codes) {
    int checkCount = 0;
    for (std::size_t n = 0; n < kMemoLength; ++n)
        checkCount += contentCount(n, codes[n]);
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        if (!fitsFormat(n, codes[n]) || !checkAgrees(n, codes[n], checkCount))
            return false;
    }
    return true;
}

NameCodes nameOf(const MemoCodes& codes) {
    NameCodes name{};
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w) {
            const DigitSource& source = kMemoLayout[n][w];
            if (source.kind == DigitSource::Kind::NameDigit && codes[n] / kSymbolWeights[w] % 2)
                name[source.slot - 1] |= static_cast<KanaCode>(1 << (source.digit - 1));
        }
    }
    return name;
}

// Which memo kana look alike, by code: bit b of entry a for codes a and b.
constexpr auto kLookAlikeCodes = [] {
    std::array<std::uint32_t, kMemoKanaCount> alike{};
    const auto code = [](char16_t kana) {
        unsigned found = 0;
        while (kanaSymbol(static_cast<KanaCode>(found)) != kana)
            ++found;
        return found;
    };
    for (const auto& [a, b] : kLookAlikeKana) {
        alike[code(a)] |= 1u << code(b);
        alike[code(b)] |= 1u << code(a);
    }
    return alike;
}();

// How likely the player typed `typed` where the memo has `code`. A look-alike is likelier the
// fewer look-alikes the kana meant has; a character that is no memo kana at all was a slip,
// whatever it stands for.
double replacementLikelihood(std::int8_t typed, std::uint8_t code) {
    if (typed < 0)
        return kLookAlikeSlip;
    if ((kLookAlikeCodes[code] >> typed & 1u) != 0)
        return kLookAlikeSlip / std::popcount(kLookAlikeCodes[code]);
    return kOtherKanaSlip / (kMemoKanaCount - 1);
}

// A slip as the search undoes it: which places it touched in the memo (an extra kana: in what
// was typed) and what the memo has there instead.
struct Slip {
    enum class Kind : std::uint8_t {
        Replaced,
        Swapped,
        Dropped,
        Extra,
        TwoReplaced,
        Filled,
        Reread
    };
    Kind kind;
    std::uint8_t at;
    std::uint8_t second = 0; // the other place two replaced kana touch
};

struct Candidate {
    MemoCodes codes;
    double likelihood;
    bool holdsName;
    Slip slip;
    int storyCost = 0; // how far the memo is from the one the player had before
};

// How badly a memo's boxes follow on from those of the player's earlier memo of the same name:
// a box unticked since counts far more than one ticked since. A memo of another name follows
// on from nothing.
int storyCost(const MemoContent& memo, const std::optional<MemoContent>& earlier) {
    if (!earlier)
        return 0;
    if (earlier->name != memo.name)
        return (kFlagCount + 1) * (kFlagCount + 1);
    int cost = 0;
    for (FlagNumber number = 1; number <= kFlagCount; ++number) {
        const bool before = earlier->flags.isSet(number), now = memo.flags.isSet(number);
        cost += before && !now ? kFlagCount + 1 : now && !before ? 1 : 0;
    }
    return cost;
}

// The runs of kana the player typed between spaces: where all four are groups of five but one
// that is a kana short or long, that one holds the slip.
struct Groups {
    std::array<std::uint8_t, kMemoLength + 1> run{}; // of each kana typed
    int slipped = -1;     // the run that is a kana short or long, if the runs are the memo's groups
    bool inFives = false; // the runs are the memo's four groups of five
};

Groups groupsOf(const std::vector<TypedSymbol>& symbols) {
    Groups groups;
    std::array<int, kMemoLength + 1> lengths{};
    std::size_t runs = 0;
    for (std::size_t n = 0; n < symbols.size() && n < groups.run.size(); ++n) {
        // Whatever the reader skipped between two kana (a space, mostly) ends a run.
        if (n > 0 && symbols[n].index > symbols[n - 1].index + 1)
            ++runs;
        groups.run[n] = static_cast<std::uint8_t>(runs);
        ++lengths[runs];
    }
    if (runs + 1 != kMemoLength / kMemoGroupLength)
        return groups;
    int odd = -1, oddRuns = 0;
    for (std::size_t r = 0; r <= runs; ++r) {
        if (lengths[r] != kMemoGroupLength) {
            odd = static_cast<int>(r);
            ++oddRuns;
        }
    }
    groups.inFives = oddRuns == 0;
    if (oddRuns == 1 && std::abs(lengths[static_cast<std::size_t>(odd)] - kMemoGroupLength) == 1)
        groups.slipped = odd;
    return groups;
}

class Search {
public:
    // Only texts of 19 to 21 kana are one slip or two replaced kana from a memo.
    Search(const std::vector<TypedSymbol>& symbols, const SuggestionContext& context,
           SuggestionScope scope)
        : context_(context)
        , scope_(scope)
        , length_(symbols.size() <= typed_.size() ? symbols.size() : 0)
        , groups_(groupsOf(symbols)) {
        for (std::size_t n = 0; n < length_; ++n)
            typed_[n] = symbols[n].code;
    }

    // Every memo that the kana the player could not make out can stand for.
    void fillUnknown() {
        std::vector<std::uint8_t> unknown;
        for (std::uint8_t n = 0; n < length_; ++n) {
            if (typed_[n] == kUnknownKana)
                unknown.push_back(n);
        }
        if (length_ != kMemoLength || unknown.empty() || unknown.size() > kMostUnknownKana)
            return;
        MemoCodes codes{};
        std::copy_n(typed_.begin(), kMemoLength, codes.begin());
        fill(codes, unknown, 0);
    }

    // The memos one slip away: only slips that make 20 kana of what was typed are tried.
    void oneSlip() {
        using enum Slip::Kind;
        for (std::uint8_t n = 0; n < kMemoLength; ++n) {
            for (std::uint8_t code = 0; code < kMemoKanaCount; ++code) {
                if (length_ == kMemoLength && code != typed_[n])
                    consider({Replaced, n}, code, replaced(n, code));
                // Put in before typed place n: in the group of the kana before or after it.
                if (length_ + 1 == kMemoLength && !fromPicture())
                    consider({Dropped, n}, code,
                             kLengthSlip * std::max(n > 0 ? inGroup(n - 1u) : 0.0,
                                                    n < length_ ? inGroup(n) : 0.0));
            }
            if (length_ == kMemoLength && n + 1 < kMemoLength && typed_[n] != typed_[n + 1] &&
                !fromPicture())
                consider({Swapped, n}, 0,
                         groups_.inFives && groups_.run[n] != groups_.run[n + 1]
                             ? kSwapSlip * kOutsideTheGroup
                             : kSwapSlip);
        }
        for (std::uint8_t n = 0; length_ == kMemoLength + 1 && n < length_ && !fromPicture(); ++n)
            consider({Extra, n}, 0, kLengthSlip * inGroup(n));
    }

    // The memos two replaced kana away. There are some 180,000 such texts; each position pair
    // is ruled out at once where the other 18 positions break the format or disagree on a
    // check digit, and the rest is sums of small counts.
    void twoReplaced() {
        if (length_ != kMemoLength)
            return;
        int checkCount = 0, faulty = 0;
        std::array<std::array<int, 2>, kCheckDigits + 1> copies{}; // [digit][value]
        for (std::size_t n = 0; n < kMemoLength; ++n)
            count(n, 1, faulty, checkCount, copies);
        for (std::uint8_t p = 0; p < kMemoLength; ++p) {
            for (std::uint8_t q = p + 1; q < kMemoLength; ++q) {
                int othersFaulty = faulty, othersCount = checkCount;
                std::array<std::array<int, 2>, kCheckDigits + 1> others = copies;
                count(p, -1, othersFaulty, othersCount, others);
                count(q, -1, othersFaulty, othersCount, others);
                // The check count's low digits that the other positions' copies demand.
                int demanded = 0, values = 0;
                bool agree = othersFaulty == 0;
                for (std::size_t k = 1; k <= kCheckDigits; ++k) {
                    agree = agree && (others[k][0] == 0 || others[k][1] == 0);
                    demanded |= (others[k][0] + others[k][1] > 0) << (k - 1);
                    values |= (others[k][1] > 0) << (k - 1);
                }
                if (agree)
                    replaceBoth(p, q, othersCount, demanded, values);
            }
        }
    }

    bool foundAny() const { return !found_.empty(); }

    // The memos the reader of a picture found among its readings, as likely as the readings
    // that differ from the text read.
    void readAlternatives() {
        if (!fromPicture())
            return;
        for (const MemoCodes& codes : context_.read.alternatives) {
            double likelihood = 1;
            bool changed = false;
            for (std::uint8_t n = 0; n < kMemoLength; ++n) {
                if (codes[n] != typed_[n]) {
                    likelihood *= replaced(n, codes[n]);
                    changed = true;
                }
            }
            const bool known = std::any_of(found_.begin(), found_.end(),
                                           [&](const Candidate& c) { return c.codes == codes; });
            if (!changed || known || !accepted(codes) ||
                (scope_ == SuggestionScope::Doubtful && likelihood < kDoubt))
                continue;
            found_.push_back(
                {codes, likelihood, context_.name.heldBy(nameOf(codes)), {Slip::Kind::Reread, 0}});
        }
    }

    // The best `limit` suggestions, with what each changed in words. Equally likely slips are
    // told apart by how well each memo follows on from the player's earlier one.
    Suggestions best(std::size_t limit) {
        if (context_.earlier) {
            for (Candidate& candidate : found_)
                candidate.storyCost = storyCost(content(candidate.codes), context_.earlier);
        }
        limit = std::min(limit, found_.size());
        std::partial_sort(found_.begin(), found_.begin() + static_cast<std::ptrdiff_t>(limit),
                          found_.end(), [](const Candidate& a, const Candidate& b) {
                              if (a.holdsName != b.holdsName)
                                  return a.holdsName;
                              if (a.likelihood != b.likelihood)
                                  return a.likelihood > b.likelihood;
                              if (a.storyCost != b.storyCost)
                                  return a.storyCost < b.storyCost;
                              return a.codes < b.codes;
                          });
        Suggestions suggestions{std::vector<MemoSuggestion>(limit), found_.size()};
        for (std::size_t i = 0; i < limit; ++i) {
            const Candidate& candidate = found_[i];
            MemoSuggestion& suggestion = suggestions.offered[i];
            suggestion.codes = candidate.codes;
            suggestion.content = content(candidate.codes);
            suggestion.change = describe(candidate);
            suggestion.changed = changed(candidate);
            suggestion.lengthSlip = candidate.slip.kind == Slip::Kind::Dropped ||
                                    candidate.slip.kind == Slip::Kind::Extra;
        }
        return suggestions;
    }

private:
    // Whether a memo holds the earlier memo's name and every box it ticked.
    bool keepsEarlierBoxes(const MemoCodes& codes) const {
        const MemoContent memo = content(codes);
        const MemoContent& earlier = *context_.earlier;
        if (memo.name != earlier.name)
            return false;
        for (FlagNumber number = 1; number <= kFlagCount; ++number) {
            if (earlier.flags.isSet(number) && !memo.flags.isSet(number))
                return false;
        }
        return true;
    }

    static MemoContent content(const MemoCodes& codes) {
        return std::get<MemoContent>(decodeMemo(codes));
    }

    // Tries every kana that fits the format at the unknown places from `next` on.
    void fill(MemoCodes& codes, const std::vector<std::uint8_t>& unknown, std::size_t next) {
        if (next == unknown.size()) {
            if (accepted(codes))
                found_.push_back({codes,
                                  kLengthSlip,
                                  context_.name.heldBy(nameOf(codes)),
                                  {Slip::Kind::Filled, unknown.front()}});
            return;
        }
        const std::uint8_t n = unknown[next];
        for (std::uint8_t code = 0; code < kMemoKanaCount; ++code) {
            if (fitsFormat(n, code)) {
                codes[n] = code;
                fill(codes, unknown, next + 1);
            }
        }
    }

    bool fromPicture() const { return context_.read.odds.size() == kMemoLength; }

    // How likely the kana typed or read at `n` stands for `code`.
    double replaced(std::size_t n, std::uint8_t code) const {
        if (!fromPicture())
            return replacementLikelihood(typed_[n], code);
        const KanaOdds& odds = context_.read.odds[n];
        const float read = typed_[n] < 0 ? 0.0f : odds[static_cast<std::size_t>(typed_[n])];
        return kLookAlikeSlip * odds[code] / std::max(read, 1e-6f);
    }

    // How likely a slip at typed place `n` is, given the groups the player typed in.
    double inGroup(std::size_t n) const {
        return groups_.slipped < 0 || groups_.run[n] == groups_.slipped ? 1.0 : kOutsideTheGroup;
    }

    // Adds typed position `n` to, or with `sign` -1 takes it from, the counts of faulty
    // positions, of the check count and of the check digits' copies.
    void count(std::size_t n, int sign, int& faulty, int& checkCount,
               std::array<std::array<int, 2>, kCheckDigits + 1>& copies) const {
        if (typed_[n] < 0 || !fitsFormat(n, static_cast<std::uint8_t>(typed_[n]))) {
            faulty += sign;
            return;
        }
        const auto code = static_cast<std::uint8_t>(typed_[n]);
        checkCount += sign * contentCount(n, code);
        if (kPositionDigits[n].check != 0)
            copies[kPositionDigits[n].checkDigit][(code & kPositionDigits[n].check) != 0] += sign;
    }

    void replaceBoth(std::uint8_t p, std::uint8_t q, int othersCount, int demanded, int values) {
        for (std::uint8_t a = 0; a < kMemoKanaCount; ++a) {
            if (a == typed_[p] || !fitsFormat(p, a))
                continue;
            for (std::uint8_t b = 0; b < kMemoKanaCount; ++b) {
                if (b == typed_[q] || !fitsFormat(q, b))
                    continue;
                const int count = othersCount + contentCount(p, a) + contentCount(q, b);
                if (((count ^ values) & demanded) != 0 || !checkAgrees(p, a, count) ||
                    !checkAgrees(q, b, count))
                    continue;
                MemoCodes codes{};
                std::copy_n(typed_.begin(), kMemoLength, codes.begin());
                codes[p] = a;
                codes[q] = b;
                found_.push_back({codes,
                                  replaced(p, a) * replaced(q, b),
                                  context_.name.heldBy(nameOf(codes)),
                                  {Slip::Kind::TwoReplaced, p, q}});
            }
        }
    }

    // What was typed with `slip` undone, `code` being the kana it puts in; none where a
    // character that is no memo kana stays.
    std::optional<MemoCodes> undo(Slip slip, std::uint8_t code) const {
        MemoCodes codes{};
        for (std::size_t n = 0; n < kMemoLength; ++n) {
            std::size_t from = n;
            switch (slip.kind) {
            case Slip::Kind::Swapped:
                from = n == slip.at ? n + 1 : n == slip.at + 1u ? n - 1 : n;
                break;
            case Slip::Kind::Dropped:
                from = n < slip.at ? n : n - 1;
                break;
            case Slip::Kind::Extra:
                from = n < slip.at ? n : n + 1;
                break;
            default:
                break;
            }
            const bool putIn =
                slip.kind != Slip::Kind::Swapped && slip.kind != Slip::Kind::Extra && n == slip.at;
            const int typed = putIn ? code : typed_[from];
            if (typed < 0)
                return std::nullopt;
            codes[n] = static_cast<std::uint8_t>(typed);
        }
        return codes;
    }

    void consider(Slip slip, std::uint8_t code, double likelihood) {
        const std::optional<MemoCodes> codes = undo(slip, code);
        if (!codes || !accepted(*codes))
            return;
        const bool holdsName = context_.name.heldBy(nameOf(*codes));
        if ((scope_ == SuggestionScope::KnownNameOnly && !holdsName) ||
            (scope_ == SuggestionScope::KeepsEarlierBoxes && !keepsEarlierBoxes(*codes)) ||
            (scope_ == SuggestionScope::Doubtful && likelihood < kDoubt))
            return;
        // A kana left out of a run of its twins, or doubled, gives the same memo from every
        // place in the run: each is a way the slip could have happened.
        const auto same = std::find_if(found_.begin(), found_.end(),
                                       [&](const Candidate& c) { return c.codes == *codes; });
        if (same != found_.end())
            same->likelihood += likelihood;
        else
            found_.push_back({*codes, likelihood, holdsName, slip});
    }

    std::bitset<kMemoLength> changed(const Candidate& candidate) const {
        const Slip slip = candidate.slip;
        if (slip.kind == Slip::Kind::Filled)
            return filled();
        std::bitset<kMemoLength> changed;
        for (std::size_t n = 0; slip.kind == Slip::Kind::Reread && n < kMemoLength; ++n)
            changed.set(n, candidate.codes[n] != typed_[n]);
        if (slip.kind == Slip::Kind::Reread)
            return changed;
        if (slip.kind != Slip::Kind::Extra)
            changed.set(slip.at);
        if (slip.kind == Slip::Kind::Swapped)
            changed.set(slip.at + 1u);
        if (slip.kind == Slip::Kind::TwoReplaced)
            changed.set(slip.second);
        return changed;
    }

    // The unknown places a filled memo put kana into.
    std::bitset<kMemoLength> filled() const {
        std::bitset<kMemoLength> places;
        for (std::size_t n = 0; n < kMemoLength; ++n)
            places.set(n, typed_[n] == kUnknownKana);
        return places;
    }

    // "８番目の「ほ」を「は」に", as the player would say it; places count memo kana from 1.
    std::u16string describe(const Candidate& candidate) const {
        const auto place = [](std::size_t n) { return fullWidthNumber(n + 1) + u"番目"; };
        const auto kana = [](int code) {
            return std::u16string{u'「', kanaSymbol(static_cast<KanaCode>(code)), u'」'};
        };
        // What was typed at `n`, if it was a memo kana: "の「ほ」".
        const auto typedKana = [&](std::size_t n) {
            return typed_[n] < 0 ? std::u16string() : std::u16string(u"の") + kana(typed_[n]);
        };
        const auto replacement = [&](std::size_t n) {
            return place(n) + typedKana(n) + u"を" + kana(candidate.codes[n]) + u"に";
        };
        const Slip slip = candidate.slip;
        switch (slip.kind) {
        case Slip::Kind::Replaced:
            return replacement(slip.at);
        case Slip::Kind::TwoReplaced:
            return replacement(slip.at) + u"、" + replacement(slip.second);
        case Slip::Kind::Swapped:
            return place(slip.at) + u"と" + place(slip.at + 1u) + u"を入れかえ";
        case Slip::Kind::Dropped:
            return place(slip.at) + u"に" + kana(candidate.codes[slip.at]) + u"を足す";
        case Slip::Kind::Extra:
            return place(slip.at) + (typed_[slip.at] < 0 ? u"の文字" : typedKana(slip.at)) +
                   u"をのぞく";
        case Slip::Kind::Filled: {
            std::u16string filledIn;
            for (std::size_t n = 0; n < kMemoLength; ++n) {
                if (typed_[n] == kUnknownKana)
                    filledIn += (filledIn.empty() ? u"" : u"、") + place(n) + u"は" +
                                kana(candidate.codes[n]);
            }
            return filledIn;
        }
        case Slip::Kind::Reread: {
            std::u16string rereads;
            for (std::size_t n = 0; n < kMemoLength; ++n) {
                if (candidate.codes[n] != typed_[n])
                    rereads += (rereads.empty() ? u"" : u"、") + replacement(n);
            }
            return rereads;
        }
        }
        return {};
    }

    const SuggestionContext& context_;
    const SuggestionScope scope_;
    std::array<std::int8_t, kMemoLength + 1> typed_{};
    const std::size_t length_;
    const Groups groups_;
    std::vector<Candidate> found_;
};

// Whether a refused text was refused for a fault a slip could have made.
// How many of the kana typed the player could not make out; -1 where some other character
// is no memo kana at all.
int unknownCount(const std::vector<TypedSymbol>& symbols) {
    int unknown = 0;
    for (const TypedSymbol& symbol : symbols) {
        if (symbol.code == kNotMemoKana)
            return -1;
        unknown += symbol.code == kUnknownKana;
    }
    return unknown;
}

// Whether a refused text was refused for a fault a slip could have made, or for kana the
// player could not make out that can be filled in.
bool worthSearching(const std::vector<TypedSymbol>& symbols) {
    const int unknown = unknownCount(symbols);
    if (unknown > 0)
        return symbols.size() == kMemoLength && unknown <= static_cast<int>(kMostUnknownKana);
    const auto notKana = std::count_if(symbols.begin(), symbols.end(),
                                       [](const TypedSymbol& s) { return s.code == kNotMemoKana; });
    if (notKana != 0)
        return notKana == 1;
    return symbols.size() + 1 >= kMemoLength && symbols.size() <= kMemoLength + 1;
}

} // namespace

bool KnownName::heldBy(const NameCodes& name) const {
    for (std::size_t slot = 0; slot < name.size(); ++slot) {
        if (written.test(slot) && name[slot] != codes[slot])
            return false;
    }
    return true;
}

Suggestions suggestMemos(std::u16string_view text, const SuggestionContext& context,
                         SuggestionScope scope, std::size_t limit) {
    if (text.size() > kMemoInputLimit)
        return {};
    const std::vector<TypedSymbol> symbols = typedSymbols(text);
    const bool reads = std::holds_alternative<MemoContent>(readMemo(text));
    const bool fromPicture = context.read.odds.size() == kMemoLength;
    bool worth = !reads && worthSearching(symbols);
    if (scope == SuggestionScope::KnownNameOnly)
        worth = reads && context.name.any();
    else if (scope == SuggestionScope::KeepsEarlierBoxes)
        worth = reads && context.earlier.has_value();
    else if (scope == SuggestionScope::Doubtful)
        worth = reads && fromPicture;
    if (!worth)
        return {};
    Search search(symbols, context, scope);
    if (unknownCount(symbols) > 0) {
        search.fillUnknown();
    } else {
        search.oneSlip();
        if (scope == SuggestionScope::Refused && !search.foundAny())
            search.twoReplaced();
        search.readAlternatives();
    }
    return search.best(limit);
}

std::vector<Distinction> distinguish(std::span<const MemoSuggestion> offered,
                                     std::size_t mostFlags) {
    std::vector<Distinction> distinctions(offered.size());
    // How many of those offered tick each box: a box few tick, or few leave, is the telling one.
    std::array<std::size_t, kFlagCount + 1> ticking{};
    for (const MemoSuggestion& suggestion : offered) {
        for (FlagNumber number = 1; number <= kFlagCount; ++number)
            ticking[static_cast<std::size_t>(number)] += suggestion.content.flags.isSet(number);
    }
    for (std::size_t i = 0; i < offered.size(); ++i) {
        const MemoContent& memo = offered[i].content;
        Distinction& distinction = distinctions[i];
        std::vector<const MemoContent*> sameName;
        for (std::size_t j = 0; j < offered.size(); ++j) {
            if (j == i)
                continue;
            if (offered[j].content.name == memo.name)
                sameName.push_back(&offered[j].content);
            else
                distinction.name = true;
        }
        const auto separated = [&](FlagNumber number, const std::vector<const MemoContent*>& from) {
            return static_cast<std::size_t>(std::count_if(from.begin(), from.end(), [&](auto* o) {
                return o->flags.isSet(number) != memo.flags.isSet(number);
            }));
        };
        // Few of those offered share its value of a box that is telling.
        const auto sharing = [&](FlagNumber number) {
            const std::size_t ticks = ticking[static_cast<std::size_t>(number)];
            return memo.flags.isSet(number) ? ticks : offered.size() - ticks;
        };
        const auto chosen = [&](FlagNumber number) {
            return std::find(distinction.flags.begin(), distinction.flags.end(), number) !=
                   distinction.flags.end();
        };
        // First the boxes that tell it from the most of the others not yet told apart.
        std::vector<const MemoContent*> untold = sameName;
        while (!untold.empty() && distinction.flags.size() < mostFlags) {
            FlagNumber best = 0;
            std::size_t most = 0;
            for (FlagNumber number = 1; number <= kFlagCount; ++number) {
                const std::size_t count = chosen(number) ? 0 : separated(number, untold);
                if (count > most ||
                    (count == most && count > 0 && sharing(number) < sharing(best))) {
                    best = number;
                    most = count;
                }
            }
            if (best == 0)
                break;
            distinction.flags.push_back(best);
            std::erase_if(untold,
                          [&](auto* o) { return o->flags.isSet(best) != memo.flags.isSet(best); });
        }
        // Then, while there is room, boxes that alone tell it from every other of its name: two
        // memos that differ in a pair of boxes are best told apart by both.
        for (FlagNumber number = 1; number <= kFlagCount && !sameName.empty(); ++number) {
            if (distinction.flags.size() < mostFlags && !chosen(number) &&
                separated(number, sameName) == sameName.size())
                distinction.flags.push_back(number);
        }
    }
    return distinctions;
}

} // namespace pelio
