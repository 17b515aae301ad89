#pragma once

#include <array>
#include <cstdint>
#include <span>

// The program's own pictures, drawn from small character tables, for every front end.
namespace pelio::layout {

// A colour as 0xAARRGGBB; alpha 0 is see-through.
using Argb = std::uint32_t;

constexpr Argb rgb(int red, int green, int blue) {
    return 0xFF000000u | static_cast<Argb>(red) << 16 | static_cast<Argb>(green) << 8 |
           static_cast<Argb>(blue);
}

// The window icon: 32 x 32 pixels in at most 16 colours. Icon files enlarge it by whole
// factors to the other sizes, every pixel becoming a square block.
inline constexpr int kIconSize = 32;
inline constexpr std::array<int, 4> kIconFileSizes{32, 64, 128, 256};

std::span<const Argb> windowIconColours();
// The entry of windowIconColours() that pixel (x, y) shows.
int windowIconColourIndex(int x, int y);

// The version dialog's picture: 40 x 40 pixels, fully opaque.
inline constexpr int kAboutPictureSize = 40;
Argb aboutPicturePixel(int x, int y);

} // namespace pelio::layout
