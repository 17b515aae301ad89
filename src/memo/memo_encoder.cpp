#include "memo/memo_encoder.h"

#include <bit>

namespace pelio {
namespace {

constexpr int kNameCodeMask = (1 << kNameDigits) - 1;

int sourceDigit(const DigitSource& source, const NameCodes& name, const ProgressFlags& flags,
                int checkSum) {
    switch (source.kind) {
    case DigitSource::Kind::Empty:
        return 0;
    case DigitSource::Kind::NameDigit:
        return binaryDigit(name[source.slot - 1], source.digit);
    case DigitSource::Kind::CheckDigit:
        return binaryDigit(checkSum, source.digit);
    case DigitSource::Kind::Flag:
        return flags.isSet(source.flag) ? 1 : 0;
    }
    return 0;
}

} // namespace

int memoCheckSum(const NameCodes& name, const ProgressFlags& flags) {
    int sum = flags.count();
    for (KanaCode code : name)
        sum += std::popcount(static_cast<unsigned>(code & kNameCodeMask));
    return sum;
}

MemoSymbols encodeMemo(const NameCodes& name, const ProgressFlags& flags) {
    MemoSymbols memo;
    memo.checkSum = memoCheckSum(name, flags);
    for (std::size_t n = 0; n < kMemoLayout.size(); ++n) {
        int symbol = 0;
        for (std::size_t w = 0; w < kSymbolWeights.size(); ++w)
            symbol +=
                kSymbolWeights[w] * sourceDigit(kMemoLayout[n][w], name, flags, memo.checkSum);
        memo.codes[n] = static_cast<std::uint8_t>(symbol);
    }
    return memo;
}

} // namespace pelio
