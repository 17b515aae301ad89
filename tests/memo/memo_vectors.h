#pragma once

#include "memo/memo_encoder.h"
#include "support/flags.h"

#include <string>
#include <vector>

namespace pelio::test {

// Known name and progress states with the memo the game expects for each.
struct MemoVector {
    const char* what;
    NameCodes name;
    ProgressFlags flags;
    int checkSum;
    std::u16string text;
};

// One vector a row, its memo below it. Made once, so that a reference into it stays good.
// clang-format off
inline const std::vector<MemoVector>& memoVectors() {
    static const std::vector<MemoVector> vectors{
        {"no name, no flag", {0, 0, 0, 0}, {}, 0,
         u"あああああ\u3000あああああ\u3000あああああ\u3000あああああ\u3000"},
        {"no name, only Chk_Lgt", {0, 0, 0, 0}, flagsWith({"Chk_Lgt"}), 1,
         u"あああああ\u3000ああちあい\u3000あああああ\u3000ちああああ\u3000"},
        {"no name, all flags", {0, 0, 0, 0}, allFlags(), 46,
         u"ああちあち\u3000ちみたたた\u3000みきへねに\u3000たたたつた\u3000"},
        {"name いうえお, no flag", {1, 2, 3, 4}, {}, 5,
         u"いあうえあ\u3000なあちああ\u3000あああちあ\u3000ちああああ\u3000"},
        {"four ideographic spaces, all flags", {63, 63, 63, 63}, allFlags(), 70,
         u"たたたたた\u3000みみたたた\u3000たきすねに\u3000たたたいた\u3000"},
    };
    return vectors;
}
// clang-format on

} // namespace pelio::test
