#include "picture/memo_picture.h"

#include "memo/memo_reader.h"
#include "memo/memo_text.h"
#include "picture/glyph_model.inc"
#include "picture/memo_cells.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <queue>

namespace pelio {

namespace {

constexpr std::u16string_view kEmptyPicture = u"画像が空です";
constexpr std::u16string_view kTooLarge = u"画像が大きすぎます（6400万画素まで）";
constexpr std::u16string_view kMalformed = u"画像の形が正しくありません";
constexpr std::u16string_view kNoMemo = u"画像からそうさめもが見つかりません";

std::optional<std::u16string_view> sizeRefusal(long long width, long long height) {
    if (width <= 0 || height <= 0)
        return kEmptyPicture;
    if (width > kLargestPictureSide || height > kLargestPictureSide ||
        width * height > kLargestPicturePixels)
        return kTooLarge;
    return std::nullopt;
}

} // namespace

std::variant<DecodeSize, PictureRefusal> pictureDecodeSize(long long statedWidth,
                                                           long long statedHeight) {
    if (const auto refusal = sizeRefusal(statedWidth, statedHeight))
        return PictureRefusal{std::u16string(*refusal)};
    const long long pixels = statedWidth * statedHeight;
    if (pixels <= kDecodePixels)
        return DecodeSize{static_cast<int>(statedWidth), static_cast<int>(statedHeight)};
    const double scale =
        std::sqrt(static_cast<double>(kDecodePixels) / static_cast<double>(pixels));
    return DecodeSize{std::max(1, static_cast<int>(static_cast<double>(statedWidth) * scale)),
                      std::max(1, static_cast<int>(static_cast<double>(statedHeight) * scale))};
}

namespace picture {

std::array<float, kClassCount> classifyGlyph(const GlyphFeatures& features) {
    using namespace model;
    std::array<float, kHidden> hidden{};
    for (int h = 0; h < kHidden; ++h) {
        float sum = 0;
        const auto row = static_cast<std::size_t>(h) * kFeatureCount;
        for (std::size_t i = 0; i < features.size(); ++i)
            sum += static_cast<float>(kHiddenWeights[row + i]) * features[i];
        const auto u = static_cast<std::size_t>(h);
        hidden[u] = std::max(0.0f, sum * kHiddenScales[u] + kHiddenBiases[u]);
    }
    std::array<float, kClassCount> scores{};
    for (std::size_t c = 0; c < scores.size(); ++c) {
        float sum = 0;
        for (std::size_t h = 0; h < hidden.size(); ++h)
            sum += static_cast<float>(kOutputWeights[c * hidden.size() + h]) * hidden[h];
        scores[c] = sum * kOutputScales[c] + kOutputBiases[c];
    }
    const float top = *std::max_element(scores.begin(), scores.end());
    float total = 0;
    for (float& score : scores)
        total += score = std::exp(score - top);
    for (float& score : scores)
        score /= total;
    return scores;
}

} // namespace picture

namespace {

using Likelihoods = std::array<std::array<float, picture::kClassCount>, kMemoLength>;

// A kana whose best reading is less likely than this is marked for the player to check.
constexpr float kCertain = 0.9f;
// Readings less likely than this are left out of a kana's alternatives.
constexpr float kUnlikely = 0.002f;
constexpr std::size_t kAlternatives = 5;
// How many combinations of the kana's readings are tried for memos the game accepts.
constexpr int kSearchLimit = 5000;

// The combinations of the kana's alternatives, likeliest first, that the game accepts: a
// best-first walk in which each combination has one parent (its last changed kana one
// reading back), so none is tried twice.
std::vector<PictureMemo> acceptedMemos(const std::array<ReadKana, kMemoLength>& kana) {
    using Choice = std::array<std::uint8_t, kMemoLength>;
    struct State {
        double cost;
        Choice choice;
        int last;
        bool operator>(const State& other) const { return cost > other.cost; }
    };
    auto costOf = [&kana](std::size_t n, std::size_t k) {
        return -std::log(std::max(kana[n].alternatives[k].likelihood, 1e-9f));
    };
    std::priority_queue<State, std::vector<State>, std::greater<>> queue;
    State start{0, {}, 0};
    for (std::size_t n = 0; n < kana.size(); ++n)
        start.cost += costOf(n, 0);
    queue.push(start);
    std::vector<PictureMemo> memos;
    for (int tried = 0; tried < kSearchLimit && !queue.empty() && memos.size() < kPictureMemos;
         ++tried) {
        const State state = queue.top();
        queue.pop();
        MemoCodes codes{};
        for (std::size_t n = 0; n < codes.size(); ++n)
            codes[n] = kana[n].alternatives[state.choice[n]].code;
        if (std::holds_alternative<MemoContent>(decodeMemo(codes)))
            memos.push_back({codes, static_cast<float>(std::exp(-state.cost))});
        for (auto n = static_cast<std::size_t>(state.last); n < kana.size(); ++n) {
            const std::size_t next = state.choice[n] + 1u;
            if (next >= kana[n].alternatives.size())
                continue;
            State child = state;
            child.choice[n] = static_cast<std::uint8_t>(next);
            child.cost += costOf(n, next) - costOf(n, next - 1);
            child.last = static_cast<int>(n);
            queue.push(child);
        }
    }
    return memos;
}

PictureReading refused(std::u16string_view reason) {
    PictureReading reading;
    reading.status = PictureReading::Status::Refused;
    reading.reason = reason;
    return reading;
}

} // namespace

PictureReading readMemoPicture(const PixelView& picture) {
    if (picture.pixels == nullptr)
        return refused(kEmptyPicture);
    if (const auto refusal = sizeRefusal(picture.width, picture.height))
        return refused(*refusal);
    const std::size_t pixelBytes = picture.format == PixelView::Format::Rgba ? 4 : 1;
    if (picture.stride < static_cast<std::size_t>(picture.width) * pixelBytes)
        return refused(kMalformed);

    const picture::GreyImage grey = picture::workingGrey(picture);
    PictureReading best;
    best.reason = kNoMemo;
    double bestScore = -1e30;
    for (const picture::MemoCandidate& candidate : picture::memoCandidates(grey)) {
        PictureReading reading;
        reading.status = PictureReading::Status::Found;
        double readingCost = 0;
        for (std::size_t n = 0; n < reading.kana.size(); ++n) {
            const auto likelihoods = picture::classifyGlyph(candidate.glyphs[n]);
            std::array<std::uint8_t, picture::kClassCount> order{};
            std::iota(order.begin(), order.end(), std::uint8_t{0});
            std::sort(order.begin(), order.end(), [&](std::uint8_t a, std::uint8_t b) {
                return likelihoods[a] > likelihoods[b];
            });
            ReadKana& kana = reading.kana[n];
            for (const std::uint8_t code : order) {
                if (kana.alternatives.size() == kAlternatives ||
                    (!kana.alternatives.empty() && likelihoods[code] < kUnlikely))
                    break;
                kana.alternatives.push_back({code, likelihoods[code]});
            }
            kana.uncertain = kana.alternatives.front().likelihood < kCertain;
            readingCost -= std::log(std::max(kana.alternatives.front().likelihood, 1e-9f));
        }
        reading.memos = acceptedMemos(reading.kana);
        // A line the game accepts beats one it does not; among either, the likelier reading.
        const double score =
            reading.memos.empty() ? -1e6 - readingCost : std::log(reading.memos.front().likelihood);
        if (score <= bestScore)
            continue;
        bestScore = score;
        MemoCodes codes{};
        for (std::size_t n = 0; n < codes.size(); ++n)
            codes[n] = reading.kana[n].alternatives.front().code;
        reading.text = memoText({codes, 0});
        const picture::Box& box = candidate.where;
        const int margin = box.height() / 3 + 1;
        const int x0 = std::max(0, grey.toPicture(box.x0 - margin));
        const int y0 = std::max(0, grey.toPicture(box.y0 - margin));
        reading.where = {x0, y0, std::min(picture.width, grey.toPicture(box.x1 + margin)) - x0,
                         std::min(picture.height, grey.toPicture(box.y1 + margin)) - y0};
        best = std::move(reading);
    }
    return best;
}

} // namespace pelio
