// Writes sample pictures of a memo on a game-like screen, to look at or to try a reader on:
//   memo_pictures FOLDER [COUNT] [screenshot|photo] [held-out|training] [FIRST-SEED]
// Each picture's memo, font and effects go to FOLDER/memos.txt, one line a picture.

#include "memo_pictures.h"

#include "memo/memo_text.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | unit >> 6);
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | unit >> 12);
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace memo_pictures;
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: %s FOLDER [COUNT] [screenshot|photo] [held-out|training] [FIRST-SEED]\n",
            argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int count = argc > 2 ? std::stoi(argv[2]) : 10;
    Options options;
    options.kind = argc > 3 && std::string(argv[3]) == "photo" ? Kind::Photo : Kind::Screenshot;
    const bool heldOut = argc > 4 && std::string(argv[4]) == "held-out";
    const auto firstSeed = static_cast<std::uint32_t>(argc > 5 ? std::stoul(argv[5]) : 1);

    const std::vector<FontStyle> styles = fontStyles(heldOut);
    if (styles.empty()) {
        std::fprintf(stderr, "no font of that set is installed\n");
        return 1;
    }
    std::filesystem::create_directories(folder);
    std::ofstream memos(folder / "memos.txt");
    FontRenderer fonts;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(i);
        const Sample sample = makeSample(fonts, styles[seed % styles.size()], seed, options);
        char name[32];
        std::snprintf(name, sizeof name, "%04d.png", i);
        const std::vector<std::uint8_t> bytes = encodePng(sample.image);
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        memos << name << '\t' << utf8(pelio::memoText({sample.memo, 0})) << '\t'
              << sample.description << '\n';
    }
    return 0;
}
