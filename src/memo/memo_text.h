#pragma once

#include "memo/memo_encoder.h"

#include <string>

namespace pelio {

inline constexpr int kMemoGroupLength = 5;
// Four groups of five kana, each followed by an ideographic space.
inline constexpr int kMemoTextLength = kMemoLength + kMemoLength / kMemoGroupLength;

std::u16string memoText(const MemoSymbols& memo);

} // namespace pelio
