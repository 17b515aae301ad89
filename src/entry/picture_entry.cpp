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
    ReaderDoubts doubts;
    doubts.odds.resize(kMemoLength);
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        for (const KanaAlternative& alternative : reading.kana[n].alternatives)
            doubts.odds[n][alternative.code] = alternative.likelihood;
        // The memo text puts a space after each group of kana.
        if (reading.kana[n].uncertain)
            outcome.uncertain |= 1u << (n + n / kMemoGroupLength);
    }
    for (const PictureMemo& memo : reading.memos)
        doubts.alternatives.push_back(memo.codes);
    outcome.memo = readFromPicture(state, reading.text, keeping, doubts);
    return outcome;
}

} // namespace pelio
