#include "entry/picture_entry.h"

#include "memo/memo_text.h"

namespace pelio {

PictureOutcome readPicture(StateRecord& state, std::u16string_view box,
                           const PictureReading& reading, Keeping keeping) {
    PictureOutcome outcome;
    outcome.where = reading.where;
    if (reading.status != PictureReading::Status::Found) {
        outcome.box = box;
        outcome.memo.kind = MemoOutcome::Kind::NoMemo;
        outcome.memo.reason = reading.reason;
        outcome.memo.announced = reading.reason + u"。";
        return outcome;
    }
    outcome.box = reading.text;
    std::vector<KanaOdds> odds(kMemoLength);
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        for (const KanaAlternative& alternative : reading.kana[n].alternatives)
            odds[n][alternative.code] = alternative.likelihood;
        // The memo text puts a space after each group of kana.
        if (reading.kana[n].uncertain)
            outcome.uncertain |= 1u << (n + n / kMemoGroupLength);
    }
    outcome.memo = readFromPicture(state, reading.text, keeping, odds);
    return outcome;
}

} // namespace pelio
