#pragma once

#include <string>

namespace pelio::site {

// The file of an icon `size` pixels square.
std::string iconFile(int size);

// The web app manifest: the page's name, colours and icons, for a home screen.
std::string manifest();

} // namespace pelio::site
