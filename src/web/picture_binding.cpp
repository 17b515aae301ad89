// The picture's module, which the page loads into a worker of its own when it is first given a
// picture: the recognizer and the rule for the size a picture is decoded at, as plain C
// functions. The browser decodes the picture into the pixels this module hands out; the
// reading comes back as the words that the core's binding reads (picture_wire.h).

#include "picture/memo_picture.h"
#include "picture_wire.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <variant>
#include <vector>

namespace {

using namespace pelio;

std::vector<std::uint8_t> pixels;
std::vector<std::uint32_t> wire;
// The size to decode at, or where the memo was found.
std::array<int, 4> place{};

void give(const PictureReading& reading) {
    wire = web::wireReading(reading);
    place = {reading.where.x, reading.where.y, reading.where.width, reading.where.height};
}

// A size as the page hands it over, which may be any number.
long long side(double stated) {
    return std::isfinite(stated) ? static_cast<long long>(std::clamp(stated, -1.0, 1e9)) : -1;
}

} // namespace

extern "C" {

// The size to decode a picture at, for the size its file states (with its orientation
// applied): where it is read at all, its width and height; otherwise null, and its reading says
// why.
EMSCRIPTEN_KEEPALIVE const int* pelio_picture_decode_size(double width, double height) {
    const auto size = pictureDecodeSize(side(width), side(height));
    if (const auto* refusal = std::get_if<PictureRefusal>(&size)) {
        PictureReading refused;
        refused.status = PictureReading::Status::Refused;
        refused.reason = refusal->reason;
        give(refused);
        return nullptr;
    }
    const DecodeSize decode = std::get<DecodeSize>(size);
    place = {decode.width, decode.height, 0, 0};
    return place.data();
}

// Room for the decoded picture's pixels, RGBA, rows one after the other.
EMSCRIPTEN_KEEPALIVE std::uint8_t* pelio_picture_pixels(int width, int height) {
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    return pixels.data();
}

// Reads the memo off the pixels, which are then let go of; the reading's words, where the memo
// was found (four ints: left, top, width, height).
EMSCRIPTEN_KEEPALIVE void pelio_picture_read(int width, int height) {
    give(readMemoPicture({pixels.data(), width, height, static_cast<std::size_t>(width) * 4,
                          PixelView::Format::Rgba}));
    pixels = {};
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t* pelio_picture_wire() {
    return wire.data();
}
EMSCRIPTEN_KEEPALIVE int pelio_picture_wire_words() {
    return static_cast<int>(wire.size());
}
EMSCRIPTEN_KEEPALIVE const int* pelio_picture_where() {
    return place.data();
}

} // extern "C"
