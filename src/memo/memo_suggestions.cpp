#include "memo/memo_suggestions.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_layout.h"
#include "memo/wording.h"

#include <algorithm>
#include <bit>
#include <cstdint>
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
    if (typed == kNotMemoKana)
        return kLookAlikeSlip;
    if ((kLookAlikeCodes[code] >> typed & 1u) != 0)
        return kLookAlikeSlip / std::popcount(kLookAlikeCodes[code]);
    return kOtherKanaSlip / (kMemoKanaCount - 1);
}

// A slip as the search undoes it: which places it touched in the memo (an extra kana: in what
// was typed) and what the memo has there instead.
struct Slip {
    enum class Kind : std::uint8_t { Replaced, Swapped, Dropped, Extra, TwoReplaced };
    Kind kind;
    std::uint8_t at;
    std::uint8_t second = 0; // the other place two replaced kana touch
};

struct Candidate {
    MemoCodes codes;
    double likelihood;
    bool holdsName;
    Slip slip;
};

class Search {
public:
    // Only texts of 19 to 21 kana are one slip or two replaced kana from a memo.
    Search(const std::vector<TypedSymbol>& symbols, const KnownName& name, SuggestionScope scope)
        : name_(name)
        , knownNameOnly_(scope == SuggestionScope::KnownNameOnly)
        , length_(symbols.size() <= typed_.size() ? symbols.size() : 0) {
        for (std::size_t n = 0; n < length_; ++n)
            typed_[n] = symbols[n].code;
    }

    // The memos one slip away: only slips that make 20 kana of what was typed are tried.
    void oneSlip() {
        using enum Slip::Kind;
        for (std::uint8_t n = 0; n < kMemoLength; ++n) {
            for (std::uint8_t code = 0; code < kMemoKanaCount; ++code) {
                if (length_ == kMemoLength && code != typed_[n])
                    consider({Replaced, n}, code, replacementLikelihood(typed_[n], code));
                if (length_ + 1 == kMemoLength)
                    consider({Dropped, n}, code, kLengthSlip);
            }
            if (length_ == kMemoLength && n + 1 < kMemoLength && typed_[n] != typed_[n + 1])
                consider({Swapped, n}, 0, kSwapSlip);
        }
        for (std::uint8_t n = 0; length_ == kMemoLength + 1 && n < length_; ++n)
            consider({Extra, n}, 0, kLengthSlip);
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

    // The best `limit` suggestions, with what each changed in words.
    std::vector<MemoSuggestion> best(std::size_t limit) {
        limit = std::min(limit, found_.size());
        std::partial_sort(found_.begin(), found_.begin() + static_cast<std::ptrdiff_t>(limit),
                          found_.end(), [](const Candidate& a, const Candidate& b) {
                              if (a.holdsName != b.holdsName)
                                  return a.holdsName;
                              if (a.likelihood != b.likelihood)
                                  return a.likelihood > b.likelihood;
                              return a.codes < b.codes;
                          });
        std::vector<MemoSuggestion> suggestions(limit);
        for (std::size_t i = 0; i < limit; ++i) {
            const Candidate& candidate = found_[i];
            MemoSuggestion& suggestion = suggestions[i];
            suggestion.codes = candidate.codes;
            suggestion.content = std::get<MemoContent>(decodeMemo(candidate.codes));
            suggestion.change = describe(candidate);
            suggestion.changed = changed(candidate.slip);
        }
        return suggestions;
    }

private:
    // Adds typed position `n` to, or with `sign` -1 takes it from, the counts of faulty
    // positions, of the check count and of the check digits' copies.
    void count(std::size_t n, int sign, int& faulty, int& checkCount,
               std::array<std::array<int, 2>, kCheckDigits + 1>& copies) const {
        if (typed_[n] == kNotMemoKana || !fitsFormat(n, static_cast<std::uint8_t>(typed_[n]))) {
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
                found_.push_back(
                    {codes,
                     replacementLikelihood(typed_[p], a) * replacementLikelihood(typed_[q], b),
                     name_.heldBy(nameOf(codes)),
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
            if (typed == kNotMemoKana)
                return std::nullopt;
            codes[n] = static_cast<std::uint8_t>(typed);
        }
        return codes;
    }

    void consider(Slip slip, std::uint8_t code, double likelihood) {
        const std::optional<MemoCodes> codes = undo(slip, code);
        if (!codes || !accepted(*codes))
            return;
        const bool holdsName = name_.heldBy(nameOf(*codes));
        if (knownNameOnly_ && !holdsName)
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

    static std::bitset<kMemoLength> changed(Slip slip) {
        std::bitset<kMemoLength> changed;
        if (slip.kind != Slip::Kind::Extra)
            changed.set(slip.at);
        if (slip.kind == Slip::Kind::Swapped)
            changed.set(slip.at + 1u);
        if (slip.kind == Slip::Kind::TwoReplaced)
            changed.set(slip.second);
        return changed;
    }

    // "８番目の「ほ」を「は」に", as the player would say it; places count memo kana from 1.
    std::u16string describe(const Candidate& candidate) const {
        const auto place = [](std::size_t n) { return fullWidthNumber(n + 1) + u"番目"; };
        const auto kana = [](int code) {
            return std::u16string{u'「', kanaSymbol(static_cast<KanaCode>(code)), u'」'};
        };
        // What was typed at `n`, if it was a memo kana: "の「ほ」".
        const auto typedKana = [&](std::size_t n) {
            return typed_[n] == kNotMemoKana ? std::u16string()
                                             : std::u16string(u"の") + kana(typed_[n]);
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
            return place(slip.at) +
                   (typed_[slip.at] == kNotMemoKana ? u"の文字" : typedKana(slip.at)) + u"をのぞく";
        }
        return {};
    }

    const KnownName& name_;
    const bool knownNameOnly_;
    std::array<std::int8_t, kMemoLength + 1> typed_{};
    const std::size_t length_;
    std::vector<Candidate> found_;
};

// Whether a refused text was refused for a fault a slip could have made.
bool looksLikeASlip(const std::vector<TypedSymbol>& symbols) {
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

std::vector<MemoSuggestion> suggestMemos(std::u16string_view text, const KnownName& name,
                                         SuggestionScope scope, std::size_t limit) {
    if (text.size() > kMemoInputLimit)
        return {};
    const std::vector<TypedSymbol> symbols = typedSymbols(text);
    const bool reads = std::holds_alternative<MemoContent>(readMemo(text));
    if (scope == SuggestionScope::KnownNameOnly ? !name.any() || !reads
                                                : reads || !looksLikeASlip(symbols))
        return {};
    Search search(symbols, name, scope);
    search.oneSlip();
    if (scope == SuggestionScope::Refused && !search.foundAny())
        search.twoReplaced();
    return search.best(limit);
}

} // namespace pelio
