#pragma once

#include <string>
#include <string_view>

namespace pelio::site {

// Bytes as base64 text, the alphabet and padding of atob() and Uint8Array.fromBase64().
std::string base64(std::string_view bytes);

} // namespace pelio::site
