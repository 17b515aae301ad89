#pragma once

#include "layout/pixel_art.h"

#include <cstdint>
#include <span>
#include <vector>

namespace pelio::layout {

// A picture of `width` x `height` pixels, row by row, as the bytes of a PNG file in 8-bit
// RGBA. The compression is made for pixel art (runs of one colour, rows repeated), and every
// build tool can write the files, the web build's included, with no image library.
std::vector<std::uint8_t> pngFile(int width, int height, std::span<const Argb> pixels);

// The window icon enlarged by the whole factor `size` / 32, every pixel a square block.
std::vector<Argb> windowIconPixels(int size);

// The version dialog's picture, 40 x 40.
std::vector<Argb> aboutPicturePixels();

} // namespace pelio::layout
