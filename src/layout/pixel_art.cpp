#include "layout/pixel_art.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace pelio::layout {
namespace {

// One character of a picture table and the colour it stands for.
struct Ink {
    char symbol;
    Argb colour;
};

template <std::size_t Inks>
constexpr int inkIndex(const std::array<Ink, Inks>& palette, char symbol) {
    for (std::size_t i = 0; i < Inks; ++i) {
        if (palette[i].symbol == symbol)
            return static_cast<int>(i);
    }
    return -1;
}

// Every row `width` characters long, every character one of the palette's, no symbol used
// twice in the palette. Checked at compile time, so a mistyped table does not build.
template <std::size_t Rows, std::size_t Inks>
constexpr bool isWellFormed(const std::array<std::string_view, Rows>& rows, std::size_t width,
                            const std::array<Ink, Inks>& palette) {
    for (std::size_t i = 0; i < Inks; ++i) {
        if (inkIndex(palette, palette[i].symbol) != static_cast<int>(i))
            return false;
    }
    for (std::string_view row : rows) {
        if (row.size() != width)
            return false;
        for (char symbol : row) {
            if (inkIndex(palette, symbol) < 0)
                return false;
        }
    }
    return true;
}

// The window icon: a memo pad under a magnifying glass. The table's order is the colour
// table's order; '.' is see-through.
constexpr std::array<Ink, 15> kIconInks{{
    {'.', 0},                  // see-through
    {'k', rgb(28, 28, 44)},    // outline
    {'w', rgb(255, 255, 255)}, // paper
    {'p', rgb(200, 200, 196)}, // paper shadow
    {'r', rgb(210, 48, 40)},   // the pad's glued top
    {'R', rgb(140, 24, 24)},
    {'l', rgb(160, 190, 235)}, // ruled lines
    {'i', rgb(40, 48, 128)},   // writing
    {'I', rgb(20, 40, 150)},   // writing under the lens
    {'c', rgb(200, 238, 255)}, // lens
    {'y', rgb(246, 200, 48)},  // brass rim
    {'Y', rgb(255, 236, 150)},
    {'o', rgb(176, 112, 16)},
    {'h', rgb(120, 60, 24)}, // wooden handle
    {'H', rgb(196, 120, 56)},
}};
// clang-format off
constexpr std::array<std::string_view, kIconSize> kIconRows{
    "................................",
    ".kkkkkkkkkkkkkkkkkkkkk..........",
    ".krrrrrrrrrrrrrrrrrrrk..........",
    ".kRRRRRRRRRRRRRRRRRRRk..........",
    ".kwwwwwwwwwwwwwwwwwwpk..........",
    ".kwwwwwwwwwwwwwwwwwwpk..........",
    ".kwiiiwiiwiiiwiiwikkkkkk........",
    ".kwlllllllllllllkkyyyyyykk......",
    ".kwwwwwwwwwwwwwkyyyyyyyyyyk.....",
    ".kwiiwiiiwiiwikyywwoooooyyyk....",
    ".kwllllllllllkyywoccccccooyyk...",
    ".kwwwwwwwwwwwkywoIIIcIIIIoyyk...",
    ".kwiiiwiiiwikyywcIIIcIIIIcoyyk..",
    ".kwlllllllllkyyolllllllllloyyk..",
    ".kwwwwwwwwwwkyyoccccccccccoyyk..",
    ".kwiiwiiwiiikyyoIIcIIIIcIIoyyk..",
    ".kwlllllllllkyyoIIcIIIIcIIoyyk..",
    ".kwwwwwwwwwwkyyolllllllllloyyk..",
    ".kwiiiwiiwwiikyyoccccccccoyyk...",
    ".kwllllllllllkyyooIIIcIIooyyk...",
    ".kwwwwwwwwwwwwkyyyooooooyyyk....",
    ".kwiiwiiiwiiwwwkyyyyyyyyyykk....",
    ".kwlllllllllllllkkyyyyyykkyYk...",
    ".kwwwwwwwwwwwwwwwwkkkkkk.kyhHk..",
    ".kwiiiwiiwiiiwwwwwwwpk....khhHk.",
    ".kwlllllllllllllllllpk.....khhHk",
    ".kwwwwwwwwwwwwwwwwwwpk......khhH",
    ".kwiiwiiiwiiwwwwwwwwpk.......khh",
    ".kwlllllllllllllllllpk........kh",
    ".kpppppppppppppppppppk.........k",
    ".kkkkkkkkkkkkkkkkkkkkk..........",
    "................................",
};
// clang-format on
static_assert(kIconInks.size() <= 16);
static_assert(isWellFormed(kIconRows, kIconSize, kIconInks));

// The version dialog's picture: a detective in a hat and coat, seen from the front on a
// light cyan field inside a red and yellow frame. Only the left half is drawn; the right
// half is its mirror image.
constexpr std::array<Ink, 14> kAboutInks{{
    {'R', rgb(208, 24, 24)}, // frame
    {'Y', rgb(255, 216, 0)},
    {'.', rgb(200, 248, 255)}, // field
    {'k', rgb(40, 28, 28)},    // outline
    {'h', rgb(110, 80, 60)},   // hat
    {'b', rgb(40, 30, 30)},    // hat band
    {'s', rgb(255, 210, 170)}, // skin
    {'S', rgb(226, 166, 126)},
    {'n', rgb(255, 160, 160)}, // cheeks
    {'w', rgb(255, 255, 255)},
    {'e', rgb(20, 20, 20)},    // eyes
    {'c', rgb(210, 180, 120)}, // coat
    {'C', rgb(160, 128, 80)},
    {'t', rgb(200, 30, 30)}, // tie
}};
// clang-format off
constexpr std::array<std::string_view, kAboutPictureSize> kAboutLeftHalf{
    "RRRRRRRRRRRRRRRRRRRR",
    "RRRRRRRRRRRRRRRRRRRR",
    "RRYYYYYYYYYYYYYYYYYY",
    "RRYYYYYYYYYYYYYYYYYY",
    "RRYY................",
    "RRYY................",
    "RRYY................",
    "RRYY..........kkkkkk",
    "RRYY.........khhhhhh",
    "RRYY........khhhhhhh",
    "RRYY........khhhhhhh",
    "RRYY........khhhhhhh",
    "RRYY........kbbbbbbb",
    "RRYY........kbbbbbbb",
    "RRYY....kkkkkhhhhhhh",
    "RRYY..kkhhhhhhhhhhhh",
    "RRYY...kkkkkkkkkkkkk",
    "RRYY.......kSSSSSSSS",
    "RRYY......kssssssssS",
    "RRYY......kssskkksss",
    "RRYY......ksssswesss",
    "RRYY.....kssssseesss",
    "RRYY.....ksnnsseesss",
    "RRYY......knnssssssS",
    "RRYY......kssssssSSS",
    "RRYY.......kssssskkk",
    "RRYY........kSsssssk",
    "RRYY.........kkSssss",
    "RRYY..........kkSSSS",
    "RRYY.......kkkkwwkkt",
    "RRYY.....kkccccwwwkt",
    "RRYY....kcccccCkwwkt",
    "RRYY...kcccccccCkwkt",
    "RRYY..kcccccccckCkkt",
    "RRYY..kcccccccckcCkt",
    "RRYY..kccccccccckCkt",
    "RRYYYYYYYYYYYYYYYYYY",
    "RRYYYYYYYYYYYYYYYYYY",
    "RRRRRRRRRRRRRRRRRRRR",
    "RRRRRRRRRRRRRRRRRRRR",
};
// clang-format on
static_assert(isWellFormed(kAboutLeftHalf, kAboutPictureSize / 2, kAboutInks));

} // namespace

std::span<const Argb> windowIconColours() {
    static constexpr std::array<Argb, kIconInks.size()> kColours = [] {
        std::array<Argb, kIconInks.size()> colours{};
        for (std::size_t i = 0; i < kIconInks.size(); ++i)
            colours[i] = kIconInks[i].colour;
        return colours;
    }();
    return kColours;
}

int windowIconColourIndex(int x, int y) {
    return inkIndex(kIconInks,
                    kIconRows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)));
}

std::vector<Argb> windowIconPixels(int size) {
    const std::span<const Argb> colours = windowIconColours();
    const int factor = size / kIconSize;
    std::vector<Argb> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            pixels.push_back(
                colours[static_cast<std::size_t>(windowIconColourIndex(x / factor, y / factor))]);
    }
    return pixels;
}

Argb aboutPicturePixel(int x, int y) {
    const int drawnX = x < kAboutPictureSize / 2 ? x : kAboutPictureSize - 1 - x;
    const char symbol =
        kAboutLeftHalf.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(drawnX));
    return kAboutInks[static_cast<std::size_t>(inkIndex(kAboutInks, symbol))].colour;
}

std::vector<Argb> aboutPicturePixels() {
    std::vector<Argb> pixels;
    for (int y = 0; y < kAboutPictureSize; ++y) {
        for (int x = 0; x < kAboutPictureSize; ++x)
            pixels.push_back(aboutPicturePixel(x, y));
    }
    return pixels;
}

} // namespace pelio::layout
