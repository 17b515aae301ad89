#include "files.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdint>

namespace pelio::site {

// By stb's writer, which takes each pixel as R, G, B, A bytes.
bool writePng(const std::filesystem::path& file, int size,
              const std::vector<layout::Argb>& pixels) {
    std::vector<std::uint8_t> rgba;
    for (layout::Argb pixel : pixels) {
        for (int shift : {16, 8, 0, 24})
            rgba.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
    std::string png;
    const auto append = [](void* context, void* data, int length) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(length));
    };
    return stbi_write_png_to_func(append, &png, size, size, 4, rgba.data(), size * 4) != 0 &&
           write(file, png);
}

} // namespace pelio::site
