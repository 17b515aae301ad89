#include "memo_pictures.h"

#include "memo/kana_alphabet.h"
#include "memo/memo_reader.h"
#include "memo/memo_text.h"
#include "model/flag_catalogue.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <numbers>
#include <stdexcept>

namespace memo_pictures {

namespace {

struct FontFile {
    const char* family;
    const char* package;
    const char* path;
    int faceIndex;
    std::vector<int> monoSizes;
    std::vector<int> smoothSizes;
};

// The vector fonts go in at small sizes as pixel fonts and larger ones smoothed; the pixel
// fonts at their own size.
const std::vector<FontFile>& fontFiles() {
    static const std::vector<FontFile> files{
        {"unifont", "fonts-unifont", "/usr/share/fonts/opentype/unifont/unifont.otf", 0, {16}, {}},
        {"unifont-jp",
         "fonts-unifont",
         "/usr/share/fonts/opentype/unifont/unifont_jp.otf",
         0,
         {16},
         {}},
        {"ipag",
         "fonts-ipafont-gothic",
         "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
         0,
         {8, 9, 10, 11, 12, 14},
         {10, 12, 16, 24}},
        {"ipam",
         "fonts-ipafont-mincho",
         "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
         0,
         {8, 9, 10, 11, 12, 14},
         {10, 12, 16, 24}},
        {"noto-sans",
         "fonts-noto-cjk",
         "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
         0,
         {8, 9, 10, 11, 12, 14},
         {10, 12, 16, 24}},
        {"noto-sans-bold",
         "fonts-noto-cjk",
         "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc",
         0,
         {9, 11, 13},
         {12, 16}},
        {"noto-serif",
         "fonts-noto-cjk",
         "/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc",
         0,
         {9, 10, 11, 12, 14},
         {10, 12, 16, 24}},
        {"noto-serif-bold",
         "fonts-noto-cjk",
         "/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc",
         0,
         {11, 13},
         {12, 16}},
        {"misaki",
         "fonts-misaki",
         "/usr/share/fonts/truetype/misaki/misaki_gothic.ttf",
         0,
         {8},
         {}},
        {"misaki",
         "fonts-misaki",
         "/usr/share/fonts/truetype/misaki/misaki_mincho.ttf",
         0,
         {8},
         {}},
        {"vlgothic",
         "fonts-vlgothic",
         "/usr/share/fonts/truetype/vlgothic/VL-Gothic-Regular.ttf",
         0,
         {10, 12, 14},
         {12, 16, 24}},
    };
    return files;
}

} // namespace

bool isHeldOut(std::string_view family) {
    return family == "misaki" || family == "vlgothic";
}

std::vector<FontStyle> fontStyles(bool heldOut) {
    std::vector<FontStyle> styles;
    for (const FontFile& file : fontFiles()) {
        if (isHeldOut(file.family) != heldOut || !std::filesystem::exists(file.path))
            continue;
        for (const bool smooth : {false, true})
            for (const int size : smooth ? file.smoothSizes : file.monoSizes)
                styles.push_back(
                    {file.family, file.package, file.path, file.faceIndex, size, smooth});
    }
    return styles;
}

std::vector<std::string> missingFontPackages() {
    std::vector<std::string> missing;
    for (const FontFile& file : fontFiles())
        if (!std::filesystem::exists(file.path) &&
            std::find(missing.begin(), missing.end(), file.package) == missing.end())
            missing.emplace_back(file.package);
    return missing;
}

pelio::PixelView Image::view() const {
    return {pixels.data(), width, height, static_cast<std::size_t>(width * channels),
            channels == 4 ? pelio::PixelView::Format::Rgba : pelio::PixelView::Format::Grey};
}

struct FontRenderer::Impl {
    FT_Library library = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> faces;

    FT_Face face(const FontStyle& style) {
        const auto key = std::make_pair(style.path, style.faceIndex);
        if (auto found = faces.find(key); found != faces.end())
            return found->second;
        FT_Face face = nullptr;
        if (FT_New_Face(library, style.path.c_str(), style.faceIndex, &face) != 0)
            throw std::runtime_error("cannot open the font " + style.path);
        faces.emplace(key, face);
        return face;
    }
};

FontRenderer::FontRenderer()
    : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0)
        throw std::runtime_error("cannot start FreeType");
}

FontRenderer::~FontRenderer() {
    for (auto& [key, face] : impl_->faces)
        FT_Done_Face(face);
    FT_Done_FreeType(impl_->library);
}

void FontRenderer::draw(const FontStyle& style, std::u16string_view text, int x, int y, int pitch,
                        Image& canvas) {
    FT_Face face = impl_->face(style);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.pixelSize));
    // The baseline sits where the font's ascent, scaled into the cell, puts it.
    const double ascent =
        static_cast<double>(face->ascender) / static_cast<double>(face->ascender - face->descender);
    const int baseline = y + static_cast<int>(std::lround(ascent * style.pixelSize));
    const FT_Int32 flags =
        FT_LOAD_RENDER |
        (style.smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME);
    for (std::size_t i = 0; i < text.size(); ++i, x += pitch) {
        if (text[i] == pelio::kIdeographicSpace || text[i] == u' ')
            continue;
        // A character the font lacks is left out rather than drawn as the font's empty box.
        if (FT_Get_Char_Index(face, text[i]) == 0 || FT_Load_Char(face, text[i], flags) != 0)
            continue;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        // Full-width glyphs are drawn where the font puts them in their advance; the narrower
        // ones centred in the cell, as a console centres them.
        const int advance = static_cast<int>(glyph->advance.x >> 6);
        const int left = x + glyph->bitmap_left + std::max(0, (style.pixelSize - advance) / 2);
        const int top = baseline - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int py = top + static_cast<int>(row);
            if (py < 0 || py >= canvas.height)
                continue;
            const unsigned char* line =
                bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int px = left + static_cast<int>(column);
                if (px < 0 || px >= canvas.width)
                    continue;
                const int ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? ((line[column / 8] >> (7 - column % 8)) & 1) * 255
                                    : line[column];
                std::uint8_t& pixel =
                    canvas.pixels[static_cast<std::size_t>(py * canvas.width + px)];
                pixel = std::max(pixel, static_cast<std::uint8_t>(ink));
            }
        }
    }
}

pelio::MemoCodes randomMemo(std::mt19937& random) {
    auto below = [&random](int bound) {
        return std::uniform_int_distribution<int>(0, bound - 1)(random);
    };
    pelio::NameCodes name{};
    for (pelio::KanaCode& code : name)
        code = static_cast<pelio::KanaCode>(below(pelio::kKanaCount));
    pelio::ProgressFlags flags;
    const int percent = below(101);
    for (int number = 1; number <= pelio::kFlagCount; ++number)
        flags.set(number, below(100) < percent);
    return pelio::encodeMemo(name, flags).codes;
}

namespace {

struct Colour {
    float r, g, b;
};

class Random {
public:
    explicit Random(std::uint32_t seed)
        : engine_(seed) {}
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(engine_); }
    double between(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    bool chance(double p) { return between(0, 1) < p; }
    std::mt19937& engine() { return engine_; }

private:
    std::mt19937 engine_;
};

// Hiragana, kanji from the progress captions and punctuation: the other lines of a window.
std::u16string otherLine(Random& random, int longest) {
    const int kind = random.below(5);
    if (kind == 0) {
        const auto& flag =
            pelio::kFlagCatalogue[static_cast<std::size_t>(random.below(pelio::kFlagCount))];
        std::u16string caption(flag.caption);
        return caption.size() <= static_cast<std::size_t>(longest) ? caption : caption.substr(0, 4);
    }
    if (kind == 1) {
        std::u16string name = u"なまえ：";
        for (int slot = 0; slot < 4; ++slot)
            name += pelio::kKanaRows[0][static_cast<std::size_t>(random.below(16))];
        return name;
    }
    // Kana of every row, with punctuation now and then, of any length; at times exactly 20
    // memo kana without groups.
    const bool ungroupedMemo = kind == 2;
    const int length = ungroupedMemo ? 20 : 3 + random.below(std::max(1, longest - 3));
    std::u16string line;
    for (int i = 0; i < length; ++i) {
        if (!ungroupedMemo && i > 0 && random.chance(0.08)) {
            line += u"。、！？「」"[random.below(6)];
            continue;
        }
        const int row = ungroupedMemo ? random.below(2) : random.below(3);
        line += pelio::kKanaRows[static_cast<std::size_t>(row)]
                                [static_cast<std::size_t>(random.below(row == 2 ? 14 : 16))];
    }
    return std::u16string(line.substr(0, static_cast<std::size_t>(longest)));
}

// The game's screen at its own resolution, as RGBA, and where the memo is on it.
struct Screen {
    Image image;
    pelio::PictureRect where;
};

// Twenty memo kana in groups that the game refuses.
std::u16string decoyText(Random& random) {
    pelio::MemoCodes codes{};
    do
        for (std::uint8_t& code : codes)
            code = static_cast<std::uint8_t>(random.below(pelio::kMemoKanaCount));
    while (std::holds_alternative<pelio::MemoContent>(pelio::decodeMemo(codes)));
    return pelio::memoText({codes, 0});
}

Screen drawScreen(FontRenderer& fonts, const FontStyle& style, Random& random,
                  const pelio::MemoCodes& memo, const Options& options) {
    const int cell = style.pixelSize;
    const int pitch = cell + (random.chance(0.4) ? std::max(1, cell / 8) : 0);
    const int columns = 32;
    const int lineStep = random.chance(0.5) ? 2 * cell : cell + cell / 2;
    Image ink{columns * pitch, 28 * cell, 1, {}};
    ink.pixels.assign(static_cast<std::size_t>(ink.width * ink.height), 0);

    const int lines = 2 + random.below(4);
    const int memoLine = options.withMemo ? random.below(lines) : -1;
    const int decoyLine = options.decoy ? (memoLine + 1) % lines : -1;
    const int windowTop = ink.height - (lines + 1) * lineStep - cell;
    const int textLeft = pitch + cell / 2;
    Screen screen;
    for (int line = 0; line < lines; ++line) {
        const int y = windowTop + cell + line * lineStep;
        if (line == memoLine) {
            const int column = random.below(columns - 2 - 23);
            fonts.draw(style, pelio::memoText({memo, 0}), textLeft + column * pitch, y, pitch, ink);
            screen.where = {textLeft + column * pitch, y, 23 * pitch - (pitch - cell), cell};
        } else if (line == decoyLine) {
            fonts.draw(style, decoyText(random), textLeft + random.below(4) * pitch, y, pitch, ink);
        } else {
            fonts.draw(style, otherLine(random, columns - 3), textLeft, y, pitch, ink);
        }
    }

    // A scene above the window, the window dark with a light frame, the text light.
    auto colour = [&random](double low, double high) {
        return Colour{static_cast<float>(random.between(low, high)),
                      static_cast<float>(random.between(low, high)),
                      static_cast<float>(random.between(low, high))};
    };
    const Colour window = random.chance(0.5) ? Colour{0, 0, 0} : colour(0, 90);
    const Colour text = colour(200, 255);
    std::vector<std::pair<pelio::PictureRect, Colour>> blocks;
    blocks.push_back({{0, 0, ink.width, ink.height}, colour(0, 255)});
    for (int i = 0; i < 8; ++i)
        blocks.push_back({{random.below(ink.width), random.below(windowTop), 8 + random.below(80),
                           4 + random.below(60)},
                          colour(0, 255)});
    const int frame = std::max(1, cell / 8);
    blocks.push_back(
        {{pitch / 2, windowTop, ink.width - pitch, ink.height - windowTop - cell / 2}, text});
    blocks.push_back({{pitch / 2 + frame, windowTop + frame, ink.width - pitch - 2 * frame,
                       ink.height - windowTop - cell / 2 - 2 * frame},
                      window});

    screen.image = {ink.width, ink.height, 4, {}};
    screen.image.pixels.resize(static_cast<std::size_t>(ink.width * ink.height * 4));
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x) {
            Colour base{};
            for (const auto& [rect, fill] : blocks)
                if (x >= rect.x && x < rect.x + rect.width && y >= rect.y &&
                    y < rect.y + rect.height)
                    base = fill;
            const float a = ink.pixels[static_cast<std::size_t>(y * ink.width + x)] / 255.0f;
            std::uint8_t* out =
                &screen.image.pixels[static_cast<std::size_t>(y * ink.width + x) * 4];
            out[0] = static_cast<std::uint8_t>(base.r + a * (text.r - base.r));
            out[1] = static_cast<std::uint8_t>(base.g + a * (text.g - base.g));
            out[2] = static_cast<std::uint8_t>(base.b + a * (text.b - base.b));
            out[3] = 255;
        }
    return screen;
}

// Reads an RGBA image at a fractional place, bilinearly, clamped at the edges.
void sample(const Image& image, double x, double y, float out[3]) {
    x = std::clamp(x - 0.5, 0.0, image.width - 1.0);
    y = std::clamp(y - 0.5, 0.0, image.height - 1.0);
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, image.width - 1);
    const int y1 = std::min(y0 + 1, image.height - 1);
    const float fx = static_cast<float>(x - x0);
    const float fy = static_cast<float>(y - y0);
    auto at = [&image](int px, int py, int c) {
        return static_cast<float>(image.pixels[static_cast<std::size_t>(py * image.width + px) * 4 +
                                               static_cast<std::size_t>(c)]);
    };
    for (int c = 0; c < 3; ++c)
        out[c] = (at(x0, y0, c) * (1 - fx) + at(x1, y0, c) * fx) * (1 - fy) +
                 (at(x0, y1, c) * (1 - fx) + at(x1, y1, c) * fx) * fy;
}

Image scaled(const Image& image, double scale, bool smooth) {
    Image out{static_cast<int>(image.width * scale), static_cast<int>(image.height * scale), 4, {}};
    out.pixels.resize(static_cast<std::size_t>(out.width * out.height * 4));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            std::uint8_t* pixel = &out.pixels[static_cast<std::size_t>(y * out.width + x) * 4];
            if (smooth) {
                float colour[3];
                sample(image, (x + 0.5) / scale, (y + 0.5) / scale, colour);
                for (int c = 0; c < 3; ++c)
                    pixel[c] = static_cast<std::uint8_t>(std::lround(colour[c]));
            } else {
                const int sx = std::min(image.width - 1, static_cast<int>(x / scale));
                const int sy = std::min(image.height - 1, static_cast<int>(y / scale));
                std::memcpy(pixel,
                            &image.pixels[static_cast<std::size_t>(sy * image.width + sx) * 4], 3);
            }
            pixel[3] = 255;
        }
    return out;
}

void invert(Image& image) {
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        if (i % 4 != 3)
            image.pixels[i] = static_cast<std::uint8_t>(255 - image.pixels[i]);
}

// A Gaussian blur of deviation `sigma` on each colour channel: by its kernel where it is
// narrow, by three box blurs (near enough the same) where it is wide.
void blur(Image& image, double sigma) {
    if (sigma < 0.2)
        return;
    const int boxRadius = static_cast<int>(std::lround((std::sqrt(1 + 4 * sigma * sigma) - 1) / 2));
    std::vector<float> kernel;
    if (sigma < 2) {
        const int reach = static_cast<int>(std::ceil(3 * sigma));
        for (int i = -reach; i <= reach; ++i)
            kernel.push_back(static_cast<float>(std::exp(-i * i / (2 * sigma * sigma))));
        float total = 0;
        for (const float k : kernel)
            total += k;
        for (float& k : kernel)
            k /= total;
    }
    std::vector<float> line;
    auto pass = [&](int count, int length, std::size_t step, std::size_t lineStep) {
        for (int l = 0; l < count; ++l)
            for (int c = 0; c < 3; ++c) {
                std::uint8_t* base = image.pixels.data() + static_cast<std::size_t>(l) * lineStep +
                                     static_cast<std::size_t>(c);
                line.assign(static_cast<std::size_t>(length), 0);
                for (int i = 0; i < length; ++i)
                    line[static_cast<std::size_t>(i)] = base[static_cast<std::size_t>(i) * step];
                auto at = [&](int i) {
                    return line[static_cast<std::size_t>(std::clamp(i, 0, length - 1))];
                };
                if (!kernel.empty()) {
                    const int reach = static_cast<int>(kernel.size() / 2);
                    for (int i = 0; i < length; ++i) {
                        float sum = 0;
                        for (int k = -reach; k <= reach; ++k)
                            sum += kernel[static_cast<std::size_t>(k + reach)] * at(i + k);
                        base[static_cast<std::size_t>(i) * step] =
                            static_cast<std::uint8_t>(sum + 0.5f);
                    }
                    continue;
                }
                float sum = 0;
                for (int i = -boxRadius; i <= boxRadius; ++i)
                    sum += at(i);
                for (int i = 0; i < length; ++i) {
                    base[static_cast<std::size_t>(i) * step] = static_cast<std::uint8_t>(
                        sum / static_cast<float>(2 * boxRadius + 1) + 0.5f);
                    sum += at(i + boxRadius + 1) - at(i - boxRadius);
                }
            }
    };
    const auto width = static_cast<std::size_t>(image.width);
    for (int repeat = 0; repeat < (kernel.empty() ? 3 : 1); ++repeat) {
        pass(image.height, image.width, 4, width * 4);
        pass(image.width, image.height, width * 4, 4);
    }
}

struct Homography {
    std::array<double, 9> m{};
    std::array<double, 2> apply(double x, double y) const {
        const double w = m[6] * x + m[7] * y + m[8];
        return {(m[0] * x + m[1] * y + m[2]) / w, (m[3] * x + m[4] * y + m[5]) / w};
    }
};

// The homography taking the unit square's corners (0,0), (1,0), (1,1), (0,1) to `corners`.
Homography squareTo(const std::array<std::array<double, 2>, 4>& q) {
    const double dx1 = q[1][0] - q[2][0], dx2 = q[3][0] - q[2][0];
    const double dy1 = q[1][1] - q[2][1], dy2 = q[3][1] - q[2][1];
    const double sx = q[0][0] - q[1][0] + q[2][0] - q[3][0];
    const double sy = q[0][1] - q[1][1] + q[2][1] - q[3][1];
    const double det = dx1 * dy2 - dx2 * dy1;
    const double g = (sx * dy2 - dx2 * sy) / det;
    const double h = (dx1 * sy - sx * dy1) / det;
    return {{q[1][0] - q[0][0] + g * q[1][0], q[3][0] - q[0][0] + h * q[3][0], q[0][0],
             q[1][1] - q[0][1] + g * q[1][1], q[3][1] - q[0][1] + h * q[3][1], q[0][1], g, h, 1}};
}

Homography inverse(const Homography& h) {
    const auto& m = h.m;
    Homography r;
    r.m = {m[4] * m[8] - m[5] * m[7], m[2] * m[7] - m[1] * m[8], m[1] * m[5] - m[2] * m[4],
           m[5] * m[6] - m[3] * m[8], m[0] * m[8] - m[2] * m[6], m[2] * m[3] - m[0] * m[5],
           m[3] * m[7] - m[4] * m[6], m[1] * m[6] - m[0] * m[7], m[0] * m[4] - m[1] * m[3]};
    return r;
}

// A television on a wall, photographed: the screen in perspective and tilted, its scanlines,
// moiré, glare, light falling off, the camera's blur and noise, and JPEG.
Sample photograph(const Screen& screen, Random& random, const Options& options,
                  std::string& description) {
    static constexpr std::array<std::array<int, 2>, 7> kSizes{{{640, 480},
                                                               {800, 600},
                                                               {1024, 768},
                                                               {1600, 1200},
                                                               {2048, 1536},
                                                               {3264, 2448},
                                                               {4000, 3000}}};
    int width = options.photoWidth;
    int height = options.photoHeight;
    if (width == 0) {
        std::array<int, 2> size{};
        do
            size = kSizes[static_cast<std::size_t>(random.below(kSizes.size()))];
        while (options.largestSide > 0 && size[0] > options.largestSide);
        width = size[0];
        height = size[1];
        if (random.chance(0.2))
            std::swap(width, height);
    }

    // The screen shows the game's picture in 4:3, filling much of the photo.
    const double fill = random.between(0.5, 0.92);
    double screenWidth = fill * width;
    double screenHeight = screenWidth * 0.75;
    if (screenHeight > 0.92 * height) {
        screenHeight = 0.92 * height;
        screenWidth = screenHeight / 0.75;
    }
    const double angle = random.between(-4, 4) * std::numbers::pi / 180;
    const double cx = width / 2.0 + random.between(-0.04, 0.04) * width;
    const double cy = height / 2.0 + random.between(-0.04, 0.04) * height;
    std::array<std::array<double, 2>, 4> corners{};
    const std::array<std::array<double, 2>, 4> unit{
        {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}};
    const double keystone = random.between(-0.06, 0.06);
    for (std::size_t i = 0; i < 4; ++i) {
        double ux = unit[i][0] * screenWidth * (1 + (unit[i][1] < 0 ? keystone : -keystone));
        double uy = unit[i][1] * screenHeight;
        ux += random.between(-0.02, 0.02) * screenWidth;
        uy += random.between(-0.02, 0.02) * screenHeight;
        corners[i] = {cx + ux * std::cos(angle) - uy * std::sin(angle),
                      cy + ux * std::sin(angle) + uy * std::cos(angle)};
    }
    const Homography toPhoto = squareTo(corners);
    const Homography toScreen = inverse(toPhoto);

    // The television's own picture: slightly soft, with its scanlines.
    Image soft = screen.image;
    blur(soft, random.between(0, 0.5));
    const double scanlines = random.chance(0.7) ? random.between(0.1, 0.45) : 0;
    const double moire = random.chance(0.5) ? random.between(0.03, 0.12) : 0;
    const double moireAngle = random.between(0, std::numbers::pi);
    const double moirePeriod = random.between(3, 9);
    const double light = random.between(0.55, 1.1);
    const double fallOff = random.between(0, 0.5);
    const double fallAngle = random.between(0, 2 * std::numbers::pi);
    const bool glare = random.chance(0.6);
    const double glareX = random.between(0.1, 0.9) * width;
    const double glareY = random.between(0.1, 0.9) * height;
    const double glareRadius = random.between(0.08, 0.3) * std::max(width, height);
    const double glareStrength = random.between(40, 150);
    const Colour cast{static_cast<float>(random.between(0.85, 1.1)),
                      static_cast<float>(random.between(0.85, 1.1)),
                      static_cast<float>(random.between(0.85, 1.1))};
    const Colour wall{static_cast<float>(random.between(20, 120)),
                      static_cast<float>(random.between(20, 120)),
                      static_cast<float>(random.between(20, 120))};

    Sample sample_;
    Image& photo = sample_.image;
    photo = {width, height, 4, {}};
    photo.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const double cw = screen.image.width;
    const double ch = screen.image.height;
    const double diagonal = std::hypot(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto [u, v] = toScreen.apply(x + 0.5, y + 0.5);
            float colour[3];
            if (u >= 0 && u < 1 && v >= 0 && v < 1) {
                sample(soft, u * cw, v * ch, colour);
                const double row = v * ch;
                const double scan =
                    1 - scanlines * (0.5 + 0.5 * std::cos(2 * std::numbers::pi * row));
                for (float& c : colour)
                    c = static_cast<float>(c * scan);
            } else {
                // The bezel around the screen, then the wall.
                const bool bezel = u > -0.06 && u < 1.06 && v > -0.08 && v < 1.08;
                const Colour base = bezel ? Colour{18, 18, 20} : wall;
                colour[0] = base.r;
                colour[1] = base.g;
                colour[2] = base.b;
            }
            const double along = ((x - width / 2.0) * std::cos(fallAngle) +
                                  (y - height / 2.0) * std::sin(fallAngle)) /
                                 diagonal;
            double gain = light * (1 + fallOff * along * 2);
            if (moire > 0)
                gain *= 1 + moire * std::sin(2 * std::numbers::pi *
                                             (x * std::cos(moireAngle) + y * std::sin(moireAngle)) /
                                             moirePeriod);
            double add = 0;
            if (glare) {
                const double d = std::hypot(x - glareX, y - glareY) / glareRadius;
                add = glareStrength * std::exp(-d * d);
            }
            std::uint8_t* out =
                &photo.pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x)) *
                              4];
            const std::array<float, 3> gains{cast.r, cast.g, cast.b};
            for (std::size_t c = 0; c < 3; ++c)
                out[c] = static_cast<std::uint8_t>(
                    std::clamp(colour[c] * gain * gains[c] + add, 0.0, 255.0));
            out[3] = 255;
        }

    // The camera: focus, then noise, then its JPEG.
    const double scale = screenWidth / cw;
    const double focus = random.between(0.2, 0.5) * scale;
    blur(photo, focus);
    const double noise = random.between(2, 10);
    std::normal_distribution<double> grain(0, noise);
    std::uint32_t state = static_cast<std::uint32_t>(random.below(1 << 30)) | 1;
    for (std::size_t i = 0; i < photo.pixels.size(); ++i) {
        if (i % 4 == 3)
            continue;
        // A cheap generator: a 12-megapixel photo has 36 million draws.
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double n =
            ((state & 0xFFFF) / 65536.0 + ((state >> 16) & 0xFFFF) / 65536.0 - 1) * noise * 2.45;
        photo.pixels[i] = static_cast<std::uint8_t>(std::clamp(photo.pixels[i] + n, 0.0, 255.0));
    }
    const int quality = 30 + random.below(50);
    if (auto decoded = decode(encodeJpeg(photo, quality)))
        photo = std::move(*decoded);

    double left = width, top = height, right = 0, bottom = 0;
    const pelio::PictureRect& w = screen.where;
    for (const auto& [px, py] :
         std::array<std::array<double, 2>, 4>{{{1.0 * w.x, 1.0 * w.y},
                                               {1.0 * (w.x + w.width), 1.0 * w.y},
                                               {1.0 * (w.x + w.width), 1.0 * (w.y + w.height)},
                                               {1.0 * w.x, 1.0 * (w.y + w.height)}}}) {
        const auto [X, Y] = toPhoto.apply(px / cw, py / ch);
        left = std::min(left, X);
        top = std::min(top, Y);
        right = std::max(right, X);
        bottom = std::max(bottom, Y);
    }
    sample_.where = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top)};
    char text[200];
    std::snprintf(
        text, sizeof text,
        "photo %dx%d, screen %.0f%%, tilt %.1f deg, scanlines %.2f, moire %.2f, glare %s, "
        "focus %.1f px, noise %.1f, JPEG %d",
        width, height, fill * 100, angle * 180 / std::numbers::pi, scanlines, moire,
        glare ? "yes" : "no", focus, noise, quality);
    description += text;
    return sample_;
}

} // namespace

Sample makeSample(FontRenderer& fonts, const FontStyle& style, std::uint32_t seed,
                  const Options& options) {
    Random random(seed);
    const pelio::MemoCodes memo = randomMemo(random.engine());
    const Screen screen = drawScreen(fonts, style, random, memo, options);
    std::string description = style.family + " " + std::to_string(style.pixelSize) + " px " +
                              (style.smooth ? "smooth" : "mono") + ", ";
    Sample result;
    if (options.kind == Kind::Photo) {
        result = photograph(screen, random, options, description);
    } else {
        // Up to six times, as far as a screenshot stays within a large monitor's width.
        const int scale = 1 + random.below(std::clamp(2048 / screen.image.width, 1, 6));
        const bool smooth = scale > 1 && random.chance(0.4);
        result.image = scaled(screen.image, scale, smooth);
        const bool darkOnLight = random.chance(0.25);
        if (darkOnLight)
            invert(result.image);
        const bool jpeg = random.chance(0.4);
        const int quality = 70 + random.below(26);
        // PNG keeps every pixel, so only a JPEG is written and read back.
        if (jpeg)
            if (auto decoded = decode(encodeJpeg(result.image, quality)))
                result.image = std::move(*decoded);
        const pelio::PictureRect& w = screen.where;
        result.where = {w.x * scale, w.y * scale, w.width * scale, w.height * scale};
        description += "screenshot x" + std::to_string(scale) + (smooth ? " smoothed" : "") +
                       (darkOnLight ? ", dark on light" : "") +
                       (jpeg ? ", JPEG " + std::to_string(quality) : ", PNG");
    }
    result.memo = memo;
    result.description = description + ", seed " + std::to_string(seed);
    return result;
}

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* begin = static_cast<const std::uint8_t*>(data);
    bytes->insert(bytes->end(), begin, begin + size);
}

} // namespace

std::vector<std::uint8_t> encodePng(const Image& image) {
    std::vector<std::uint8_t> bytes;
    stbi_write_png_to_func(appendBytes, &bytes, image.width, image.height, image.channels,
                           image.pixels.data(), image.width * image.channels);
    return bytes;
}

std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality) {
    std::vector<std::uint8_t> bytes;
    stbi_write_jpg_to_func(appendBytes, &bytes, image.width, image.height, image.channels,
                           image.pixels.data(), quality);
    return bytes;
}

std::optional<Image> decode(const std::vector<std::uint8_t>& bytes) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                            &height, &channels, 4);
    if (pixels == nullptr)
        return std::nullopt;
    Image image{width, height, 4, {}};
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) *
                                             static_cast<std::size_t>(height) * 4);
    stbi_image_free(pixels);
    return image;
}

} // namespace memo_pictures
