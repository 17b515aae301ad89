#include "ui/pixel_art.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace pelio::ui {
namespace {

// One character of a picture table and the colour it stands for.
struct Ink {
    char symbol;
    QRgb colour;
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
constexpr int kIconSize = 32;
constexpr std::array<Ink, 15> kIconInks{{
    {'.', qRgba(0, 0, 0, 0)},
    {'k', qRgb(28, 28, 44)},    // outline
    {'w', qRgb(255, 255, 255)}, // paper
    {'p', qRgb(200, 200, 196)}, // paper shadow
    {'r', qRgb(210, 48, 40)},   // the pad's glued top
    {'R', qRgb(140, 24, 24)},
    {'l', qRgb(160, 190, 235)}, // ruled lines
    {'i', qRgb(40, 48, 128)},   // writing
    {'I', qRgb(20, 40, 150)},   // writing under the lens
    {'c', qRgb(200, 238, 255)}, // lens
    {'y', qRgb(246, 200, 48)},  // brass rim
    {'Y', qRgb(255, 236, 150)},
    {'o', qRgb(176, 112, 16)},
    {'h', qRgb(120, 60, 24)}, // wooden handle
    {'H', qRgb(196, 120, 56)},
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
constexpr int kAboutSize = 40;
constexpr std::array<Ink, 14> kAboutInks{{
    {'R', qRgb(208, 24, 24)}, // frame
    {'Y', qRgb(255, 216, 0)},
    {'.', qRgb(200, 248, 255)}, // field
    {'k', qRgb(40, 28, 28)},    // outline
    {'h', qRgb(110, 80, 60)},   // hat
    {'b', qRgb(40, 30, 30)},    // hat band
    {'s', qRgb(255, 210, 170)}, // skin
    {'S', qRgb(226, 166, 126)},
    {'n', qRgb(255, 160, 160)}, // cheeks
    {'w', qRgb(255, 255, 255)},
    {'e', qRgb(20, 20, 20)},    // eyes
    {'c', qRgb(210, 180, 120)}, // coat
    {'C', qRgb(160, 128, 80)},
    {'t', qRgb(200, 30, 30)}, // tie
}};
// clang-format off
constexpr std::array<std::string_view, kAboutSize> kAboutLeftHalf{
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
static_assert(isWellFormed(kAboutLeftHalf, kAboutSize / 2, kAboutInks));

} // namespace

QImage windowIconImage() {
    QImage image(kIconSize, kIconSize, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const Ink& ink : kIconInks)
        colours.append(ink.colour);
    image.setColorTable(colours);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x)
            image.setPixel(x, y, inkIndex(kIconInks, kIconRows[y][x]));
    }
    return image;
}

QImage aboutPicture() {
    QImage image(kAboutSize, kAboutSize, QImage::Format_RGB888);
    for (int y = 0; y < kAboutSize; ++y) {
        for (int x = 0; x < kAboutSize / 2; ++x) {
            const QRgb colour = kAboutInks[inkIndex(kAboutInks, kAboutLeftHalf[y][x])].colour;
            image.setPixel(x, y, colour);
            image.setPixel(kAboutSize - 1 - x, y, colour);
        }
    }
    return image;
}

} // namespace pelio::ui
