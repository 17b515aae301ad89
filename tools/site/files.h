#pragma once

#include "layout/pixel_art.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pelio::site {

// A file's bytes; none where it cannot be read.
std::string contents(const std::filesystem::path& file);
// A file to put inside the page as it is; empty when it cannot be read or would end the
// element it goes in.
std::string contentsFor(const std::filesystem::path& file, std::string_view element);
bool write(const std::filesystem::path& file, std::string_view bytes);

// A square picture as a PNG file.
bool writePng(const std::filesystem::path& file, int size, const std::vector<layout::Argb>& pixels);

} // namespace pelio::site
