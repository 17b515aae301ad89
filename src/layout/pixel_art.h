#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The program's own pictures, drawn from small character tables, for every front end.
namespace pelio::layout {

// A colour as 0xAARRGGBB; alpha 0 is see-through.
using Argb = std::uint32_t;

constexpr Argb rgb(int red, int green, int blue) {
    return 0xFF000000u | static_cast<Argb>(red) << 16 | static_cast<Argb>(green) << 8 |
           static_cast<Argb>(blue);
}

// The window icon: 32 x 32 pixels in at most 16 colours. Icon files enlarge it by whole
// factors to the other sizes, every pixel becoming a square block: the desktop's icon theme
// gets kIconFileSizes, the web page kPageIconSizes (the browser tab's, then the two sizes a
// home screen asks a web app for).
inline constexpr int kIconSize = 32;
inline constexpr std::array<int, 4> kIconFileSizes{32, 64, 128, 256};
inline constexpr std::array<int, 3> kPageIconSizes{32, 192, 512};

std::span<const Argb> windowIconColours();
// The entry of windowIconColours() that pixel (x, y) shows.
int windowIconColourIndex(int x, int y);
// The icon enlarged to `size`, a whole multiple of kIconSize, row by row.
std::vector<Argb> windowIconPixels(int size);

// The version dialog's picture: 40 x 40 pixels, fully opaque.
inline constexpr int kAboutPictureSize = 40;
Argb aboutPicturePixel(int x, int y);
// The whole picture, row by row.
std::vector<Argb> aboutPicturePixels();

} // namespace pelio::layout
