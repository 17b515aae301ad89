#include "base64.h"

#include <algorithm>
#include <cstdint>

namespace pelio::site {

std::string base64(std::string_view bytes) {
    static constexpr std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::uint8_t byte = i < count ? static_cast<std::uint8_t>(bytes[at + i]) : 0;
            group = (group << 8) | std::uint32_t{byte};
        }
        for (std::size_t i = 0; i < 4; ++i)
            out += i <= count ? kDigits[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return out;
}

} // namespace pelio::site
