// The picture recognizer under arbitrary pixels. The first four bytes choose a small picture's
// width, height, format and row padding, the rest are its pixels (zeros where they run out);
// they also stand for a file's stated size. Whatever comes back must keep the promises of
// memo_picture.h. A broken promise aborts, which both libFuzzer and the replay report.

#include "memo/memo_reader.h"
#include "memo/memo_text.h"
#include "picture/memo_picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <variant>
#include <vector>

namespace {

void require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "picture reader broke a promise: %s\n", promise);
        std::abort();
    }
}

void checkDecodeSize(long long width, long long height) {
    const auto size = pelio::pictureDecodeSize(width, height);
    if (const auto* refusal = std::get_if<pelio::PictureRefusal>(&size)) {
        require(!refusal->reason.empty(), "a refused size says why");
        return;
    }
    const auto& decoded = std::get<pelio::DecodeSize>(size);
    require(decoded.width >= 1 && decoded.height >= 1 && decoded.width <= width &&
                decoded.height <= height,
            "a picture is decoded at its size or smaller");
    require(static_cast<long long>(decoded.width) * decoded.height <= pelio::kDecodePixels ||
                (decoded.width == width && decoded.height == height &&
                 width * height <= pelio::kDecodePixels),
            "a picture is decoded within the pixels the reader takes");
}

void checkReading(const pelio::PixelView& view, const pelio::PictureReading& reading) {
    using Status = pelio::PictureReading::Status;
    if (reading.status != Status::Found) {
        require(!reading.reason.empty(), "a picture without a memo says why");
        require(reading.memos.empty(), "no memo is offered from a picture without one");
        return;
    }
    require(reading.reason.empty(), "a memo found has no reason against it");
    require(reading.text.size() == static_cast<std::size_t>(pelio::kMemoTextLength),
            "the memo read is written as the memo box shows a memo");
    pelio::MemoCodes best{};
    for (std::size_t n = 0; n < reading.kana.size(); ++n) {
        const auto& alternatives = reading.kana[n].alternatives;
        require(!alternatives.empty(), "each kana read has a reading");
        for (std::size_t k = 0; k < alternatives.size(); ++k) {
            require(alternatives[k].code < pelio::kMemoKanaCount, "a reading is a memo kana");
            require(alternatives[k].likelihood >= 0 && alternatives[k].likelihood <= 1,
                    "a likelihood is between 0 and 1");
            require(k == 0 || alternatives[k].likelihood <= alternatives[k - 1].likelihood,
                    "a kana's readings come likeliest first");
        }
        best[n] = alternatives.front().code;
    }
    require(reading.text == pelio::memoText({best, 0}), "the text is the likeliest readings");
    const pelio::PictureRect& at = reading.where;
    require(at.width > 0 && at.height > 0 && at.x >= 0 && at.y >= 0 &&
                at.x + at.width <= view.width && at.y + at.height <= view.height,
            "the memo's place is within the picture");
    require(reading.memos.size() <= pelio::kPictureMemos, "a handful of memos is offered");
    for (std::size_t i = 0; i < reading.memos.size(); ++i) {
        require(
            std::holds_alternative<pelio::MemoContent>(pelio::decodeMemo(reading.memos[i].codes)),
            "a memo offered is one the game accepts");
        require(i == 0 || reading.memos[i].likelihood <= reading.memos[i - 1].likelihood,
                "the memos offered come likeliest first");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const int width = (data[0] | data[1] << 8) % 321;
    const int height = data[2] % 241;
    const bool rgba = (data[3] & 8) != 0;
    const std::size_t padding = data[3] >> 5;
    const std::size_t stride = static_cast<std::size_t>(width) * (rgba ? 4 : 1) + padding;
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(height) + 1);
    std::memcpy(pixels.data(), data + 4, std::min(size - 4, pixels.size()));
    // A stride one short of the row, now and then, which must be refused.
    const std::size_t given = (data[3] & 7) == 7 && stride > 0 ? stride - 1 : stride;
    const pelio::PixelView view{pixels.data(), width, height, given,
                                rgba ? pelio::PixelView::Format::Rgba
                                     : pelio::PixelView::Format::Grey};
    checkReading(view, pelio::readMemoPicture(view));

    long long stated[2] = {};
    std::memcpy(stated, data, std::min(size, sizeof stated));
    checkDecodeSize(stated[0] >> (data[0] % 48), stated[1] >> (data[1] % 48));
    return 0;
}
