// Writes the window icon as PNG files for the desktop's hicolor icon theme:
//   pelio_write_icons DIRECTORY NAME
// puts DIRECTORY/SIZExSIZE/apps/NAME.png for each size an icon file has. Run at build time,
// so the installed icons are drawn from the same table as the window's.

#include "layout/png_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DIRECTORY NAME\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    using namespace pelio::layout;
    for (int size : kIconFileSizes) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const fs::path folder = fs::path(argv[1]) / sizeName / "apps";
        const fs::path file = folder / (std::string(argv[2]) + ".png");
        const std::vector<std::uint8_t> png = pngFile(size, size, windowIconPixels(size));
        std::error_code error;
        fs::create_directories(folder, error);
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (error || !out) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], file.c_str());
            return 1;
        }
    }
    return 0;
}
