#pragma once

#include "memo/memo_encoder.h"
#include "support/flags.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pelio::test {

// Known name and progress states with the memo the game expects for each.
struct MemoVector {
    const char* what;
    NameCodes name;
    ProgressFlags flags;
    int checkSum;
    std::array<std::uint8_t, kMemoLength> codes;
    std::u16string text;
};

inline std::vector<MemoVector> memoVectors() {
    return {
        {"no name, no flag",
         {0, 0, 0, 0},
         {},
         0,
         {},
         u"あああああ\u3000あああああ\u3000あああああ\u3000あああああ\u3000"},
        {"no name, only Chk_Lgt",
         {0, 0, 0, 0},
         flagsWith({"Chk_Lgt"}),
         1,
         {0, 0, 0, 0, 0, 0, 0, 16, 0, 1, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0},
         u"あああああ\u3000ああちあい\u3000あああああ\u3000ちああああ\u3000"},
        {"no name, all flags",
         {0, 0, 0, 0},
         allFlags(),
         46,
         {0, 0, 16, 0, 16, 16, 31, 15, 15, 15, 31, 6, 28, 23, 21, 15, 15, 15, 17, 15},
         u"ああちあち\u3000ちみたたた\u3000みきへねに\u3000たたたつた\u3000"},
        {"name いうえお, no flag",
         {1, 2, 3, 4},
         {},
         5,
         {1, 0, 2, 3, 0, 20, 0, 16, 0, 0, 0, 0, 0, 16, 0, 16, 0, 0, 0, 0},
         u"いあうえあ\u3000なあちああ\u3000あああちあ\u3000ちああああ\u3000"},
        {"four ideographic spaces, all flags",
         {63, 63, 63, 63},
         allFlags(),
         70,
         {15, 15, 15, 15, 15, 31, 31, 15, 15, 15, 15, 6, 12, 23, 21, 15, 15, 15, 1, 15},
         u"たたたたた\u3000みみたたた\u3000たきすねに\u3000たたたいた\u3000"},
    };
}

} // namespace pelio::test
