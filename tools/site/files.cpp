#include "files.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace pelio::site {

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string contentsFor(const std::filesystem::path& file, std::string_view element) {
    std::string text = contents(file);
    if (text.empty() || text.find("</" + std::string(element)) != std::string::npos) {
        std::fprintf(stderr, "pelio_site_writer: cannot put %s in a <%s>\n", file.c_str(),
                     std::string(element).c_str());
        return {};
    }
    return text;
}

bool write(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::fprintf(stderr, "pelio_site_writer: cannot write %s\n", file.c_str());
    return static_cast<bool>(out);
}

} // namespace pelio::site
