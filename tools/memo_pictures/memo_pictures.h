#pragma once

// Pictures of a game-like screen showing a memo among other text, drawn from Debian's fonts:
// screenshots at several scales and photos of a television. Seeded, so that the same seed
// always gives the same picture, for the recognizer's tests, its training and its benchmark.

#include "memo/memo_encoder.h"
#include "picture/memo_picture.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace memo_pictures {

// One way of drawing a font: its file, the pixel size of its cell, and whether FreeType
// smooths it or draws it as a pixel font.
struct FontStyle {
    std::string family;  // a short name, e.g. "ipag"
    std::string package; // the Debian package the file comes from
    std::string path;
    int faceIndex = 0;
    int pixelSize = 16;
    bool smooth = false;
};

// The fonts of the given families that are installed, in every style drawn from them. The
// families held out of training are never tuned on; `heldOut` picks them or the others.
std::vector<FontStyle> fontStyles(bool heldOut);
bool isHeldOut(std::string_view family);
// The packages whose fonts are missing here, for a reason to skip with.
std::vector<std::string> missingFontPackages();

struct Image {
    int width = 0;
    int height = 0;
    int channels = 1; // 1 grey, 3 RGB, 4 RGBA
    std::vector<std::uint8_t> pixels;

    pelio::PixelView view() const;
};

// A picture with the memo drawn in it and where that memo is.
struct Sample {
    Image image;
    pelio::MemoCodes memo{};
    pelio::PictureRect where; // the memo's line, in the picture's pixels
    std::string description;  // font, kind and effects, for a failure report
};

enum class Kind : std::uint8_t { Screenshot, Photo };

struct Options {
    Kind kind = Kind::Screenshot;
    bool withMemo = true;
    // Another line of four groups of five memo kana, which the game refuses.
    bool decoy = false;
    // Photos: the largest side at most this many pixels (0: any size the seed picks).
    int largestSide = 0;
    // Photos: exactly this size, when not 0.
    int photoWidth = 0;
    int photoHeight = 0;
};

// Draws text with FreeType. Shared by the pictures and the classifier's training.
class FontRenderer {
public:
    FontRenderer();
    ~FontRenderer();
    FontRenderer(const FontRenderer&) = delete;
    FontRenderer& operator=(const FontRenderer&) = delete;

    // Draws `text` from (x, y), the cell's top left, one cell a character, `pitch` pixels
    // apart, into a grey canvas (255 ink), max-combining with what is there.
    void draw(const FontStyle& style, std::u16string_view text, int x, int y, int pitch,
              Image& canvas);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A random state of play as a player might reach it, and its memo.
pelio::MemoCodes randomMemo(std::mt19937& random);

// The picture of seed `seed` in `style`.
Sample makeSample(FontRenderer& fonts, const FontStyle& style, std::uint32_t seed,
                  const Options& options);

// The picture as a PNG or JPEG file's bytes, and back.
std::vector<std::uint8_t> encodePng(const Image& image);
std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality);
std::optional<Image> decode(const std::vector<std::uint8_t>& bytes);

} // namespace memo_pictures
