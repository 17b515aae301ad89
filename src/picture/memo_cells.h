#pragma once

// The recognizer's steps up to the glyphs' features, shared with the tool that trains the
// glyph classifier on the same features the reader sees.

#include "memo/memo_layout.h"
#include "picture/memo_picture.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pelio::picture {

// A picture in grey at the size the reader works at.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    // Each of these pixels stands for `shrink` x `shrink` of the picture's.
    int shrink = 1;
    int toPicture(int coordinate) const { return coordinate * shrink; }
    std::uint8_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The working picture is at most this many pixels on its longer side: enough for the smallest
// memo a photo of a whole television shows, and a bound on time and memory.
inline constexpr int kWorkingSide = 1600;

// `picture` in grey, shrunk by a whole factor to fit the working size.
GreyImage workingGrey(const PixelView& picture);

struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // x1, y1 past the end
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
};

// Gradient directions in zones plus the ink itself, both on a normalised glyph.
inline constexpr int kFeatureSide = 32;
inline constexpr int kDirections = 8;
inline constexpr int kZones = 4;
inline constexpr int kInkZones = 8;
inline constexpr int kFeatureCount = kDirections * kZones * kZones + kInkZones * kInkZones;
using GlyphFeatures = std::array<float, kFeatureCount>;

GlyphFeatures glyphFeatures(const GreyImage& grey, const Box& ink, float lineHeight, bool darkText);

// A line that holds four groups of five glyphs, as the memo is written.
struct MemoCandidate {
    std::array<GlyphFeatures, kMemoLength> glyphs{};
    // What the features were taken from, in the working picture.
    std::array<Box, kMemoLength> ink{};
    float lineHeight = 0;
    bool darkText = false;
    Box where;
};

std::vector<MemoCandidate> memoCandidates(const GreyImage& grey);

inline constexpr int kClassCount = kMemoKanaCount;
// Each memo kana's likelihood for one glyph, summing to 1.
std::array<float, kClassCount> classifyGlyph(const GlyphFeatures& features);

} // namespace pelio::picture
