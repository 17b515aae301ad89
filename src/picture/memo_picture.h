#pragma once

#include "memo/memo_encoder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace pelio {

// Pixels a front end decoded: 8-bit grey (one byte a pixel) or 8-bit RGBA (four), rows
// `stride` bytes apart. The recognizer only reads them.
struct PixelView {
    enum class Format : std::uint8_t { Grey, Rgba };
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    Format format = Format::Grey;
};

// The size a front end decodes a picture at, given the size its file states.
struct DecodeSize {
    int width;
    int height;
    bool operator==(const DecodeSize&) const = default;
};
struct PictureRefusal {
    std::u16string reason; // for the player, in Japanese
};
// The largest picture read at all, by the size its file states: more is no photo of a screen
// but a mistake or a decompression bomb. Anything larger than kDecodePixels is decoded scaled
// down to fit, which the recognizer loses nothing by: it reads at a smaller working size anyway.
inline constexpr long long kLargestPicturePixels = 64'000'000;
inline constexpr int kLargestPictureSide = 20'000;
inline constexpr long long kDecodePixels = 16'000'000;
std::variant<DecodeSize, PictureRefusal> pictureDecodeSize(long long statedWidth,
                                                           long long statedHeight);

struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PictureRect&) const = default;
};

struct KanaAlternative {
    std::uint8_t code; // 0..31, the memo kana
    float likelihood;  // 0..1
};

// One kana of the memo as read: its likeliest readings, best first.
struct ReadKana {
    std::vector<KanaAlternative> alternatives;
    bool uncertain = false;
};

struct PictureMemo {
    MemoCodes codes{};
    float likelihood = 0; // of the 20 readings together
};

struct PictureReading {
    enum class Status : std::uint8_t { Found, NoMemo, Refused };
    Status status = Status::NoMemo;
    std::u16string reason; // why nothing was read, for the player; empty when Found
    // Found: the likeliest reading of each kana, as the memo box shows a memo.
    std::u16string text;
    std::array<ReadKana, kMemoLength> kana{};
    // Where in the picture the memo was found, in the picture's own pixels.
    PictureRect where;
    // Memos the game accepts that the kana's alternatives give, likeliest first.
    std::vector<PictureMemo> memos;
};

inline constexpr std::size_t kPictureMemos = 5;

// Reads the memo that a picture of the game's screen shows: a screenshot or a photo of a
// television. Where several lines of text look like a memo, the one the game accepts wins.
PictureReading readMemoPicture(const PixelView& picture);

} // namespace pelio
