#include "layout/png_file.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace pelio::layout {
namespace {

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < table.size(); ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes)
        crc = kTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(std::vector<std::uint8_t>& out, std::string_view type,
                 const std::vector<std::uint8_t>& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, crc32(std::span(out).subspan(typeStart)));
}

// Writes bits least significant first, as deflate packs them.
class BitWriter {
public:
    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (used_ == 0)
                bytes_.push_back(0);
            bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | ((value >> i) & 1) << used_);
            used_ = (used_ + 1) % 8;
        }
    }
    // A Huffman code, which deflate packs most significant bit first.
    void code(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i)
            bits(value >> i, 1);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
    int used_ = 0;
};

// A literal byte or a length code (257..285) in deflate's fixed Huffman code.
void fixedCode(BitWriter& out, int symbol) {
    if (symbol < 144)
        out.code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        out.code(symbol - 256, 7);
    else
        out.code(0xC0 + symbol - 280, 8);
}

// A copy of `length` (3..258) bytes from `distance` (1 to 4) bytes back.
void copyBack(BitWriter& out, int length, int distance) {
    static constexpr std::array<int, 29> kBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                               15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                               67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<int, 29> kExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    std::size_t code = kBase.size() - 1;
    while (kBase[code] > length)
        --code;
    fixedCode(out, 257 + static_cast<int>(code));
    out.bits(static_cast<std::uint32_t>(length - kBase[code]), kExtra[code]);
    out.code(static_cast<std::uint32_t>(distance - 1), 5); // distances 1 to 4 need no extra bits
}

// How many bytes from `at` on repeat those `distance` bytes back, up to deflate's 258.
std::size_t repeated(const std::vector<std::uint8_t>& raw, std::size_t at, std::size_t distance) {
    std::size_t length = 0;
    while (at >= distance && at + length < raw.size() && length < 258 &&
           raw[at + length] == raw[at + length - distance])
        ++length;
    return length;
}

// A zlib stream in one block of deflate's fixed code, with copies of the byte or the pixel
// before: pixel art filtered row against row is nearly all such runs.
std::vector<std::uint8_t> zlibStream(const std::vector<std::uint8_t>& raw) {
    BitWriter out;
    out.bits(0x78, 8);
    out.bits(0x01, 8);
    out.bits(1, 1); // the last block
    out.bits(1, 2); // fixed Huffman code
    constexpr std::size_t kPixelBytes = 4;
    for (std::size_t i = 0; i < raw.size();) {
        const std::size_t byteRun = repeated(raw, i, 1);
        const std::size_t pixelRun = repeated(raw, i, kPixelBytes);
        const std::size_t run = std::max(byteRun, pixelRun);
        if (run >= 3) {
            copyBack(out, static_cast<int>(run), byteRun >= pixelRun ? 1 : kPixelBytes);
            i += run;
        } else {
            fixedCode(out, raw[i]);
            ++i;
        }
    }
    fixedCode(out, 256); // end of block
    std::vector<std::uint8_t> stream = out.take();
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(stream, b << 16 | a);
    return stream;
}

} // namespace

std::vector<std::uint8_t> pngFile(int width, int height, std::span<const Argb> pixels) {
    std::vector<std::uint8_t> header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace

    // Each row after the first as its difference from the row above: PNG's "up" filter.
    std::vector<std::uint8_t> rows;
    const auto byteAt = [&](int x, int y, int shift) {
        return static_cast<std::uint8_t>(pixels[static_cast<std::size_t>(y * width + x)] >> shift);
    };
    for (int y = 0; y < height; ++y) {
        rows.push_back(y == 0 ? 0 : 2);
        for (int x = 0; x < width; ++x) {
            for (int shift : {16, 8, 0, 24})
                rows.push_back(static_cast<std::uint8_t>(byteAt(x, y, shift) -
                                                         (y == 0 ? 0 : byteAt(x, y - 1, shift))));
        }
    }

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", zlibStream(rows));
    appendChunk(file, "IEND", {});
    return file;
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

std::vector<Argb> aboutPicturePixels() {
    std::vector<Argb> pixels;
    for (int y = 0; y < kAboutPictureSize; ++y) {
        for (int x = 0; x < kAboutPictureSize; ++x)
            pixels.push_back(aboutPicturePixel(x, y));
    }
    return pixels;
}

} // namespace pelio::layout
