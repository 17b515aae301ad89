#pragma once

#include "memo/kana_alphabet.h"
#include "memo/memo_layout.h"
#include "model/flag_catalogue.h"

#include <array>
#include <cstdint>

namespace pelio {

// The four kana codes of a name, slot 1 first. A slot never written holds 0.
using NameCodes = std::array<KanaCode, kNameSlots>;

// The 20 symbols of a memo, each a code from 0 to 31, first symbol first.
using MemoCodes = std::array<std::uint8_t, kMemoLength>;

struct MemoSymbols {
    MemoCodes codes{};
    int checkSum = 0; // 1-digits in the name codes plus set flags, 0..70
    bool operator==(const MemoSymbols&) const = default;
};

// The 1-digits the check count sees: those of the six low digits of each name code plus
// the set flags. Only its value modulo 64 reaches the memo.
int memoCheckSum(const NameCodes& name, const ProgressFlags& flags);

MemoSymbols encodeMemo(const NameCodes& name, const ProgressFlags& flags);

} // namespace pelio
