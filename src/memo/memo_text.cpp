#include "memo/memo_text.h"

namespace pelio {

std::u16string memoText(const MemoSymbols& memo) {
    std::u16string text;
    text.reserve(kMemoTextLength);
    for (std::size_t n = 0; n < memo.codes.size(); ++n) {
        text += kanaSymbol(memo.codes[n]);
        if ((n + 1) % kMemoGroupLength == 0)
            text += kIdeographicSpace;
    }
    return text;
}

} // namespace pelio
