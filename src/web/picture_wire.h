#pragma once

#include "picture/memo_picture.h"

#include <cstdint>
#include <span>
#include <vector>

// A picture's reading as it crosses from the picture's module, in its worker, to the core's on
// the page: 32-bit words that the page's script hands on without looking into them.
namespace pelio::web {

std::vector<std::uint32_t> wireReading(const PictureReading& reading);
// Words that wireReading() did not write, none at all among them, stand for a file that the
// browser could not decode: the reading is refused, with kUnreadablePicture as its reason.
PictureReading readingFromWire(std::span<const std::uint32_t> words);

} // namespace pelio::web
