#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pelio {

// One character of a UTF-16 text: its code point and the units it takes. An unpaired surrogate
// stands for itself, one unit long, so that every text can be walked to its end.
struct CodePoint {
    char32_t value;
    std::size_t units;
};

constexpr bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character that starts at `index`, which must lie within `text`.
constexpr CodePoint codePointAt(std::u16string_view text, std::size_t index) {
    const char16_t unit = text[index];
    if (isHighSurrogate(unit) && index + 1 < text.size() && isLowSurrogate(text[index + 1]))
        return {0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[index + 1] - 0xDC00u), 2};
    return {unit, 1};
}

// `text` in UTF-8, for files and tools outside the program. A lone surrogate, which UTF-8
// cannot hold, becomes U+FFFD.
inline std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const CodePoint point = codePointAt(text, i);
        i += point.units;
        const char32_t c = point.value >= 0xD800 && point.value <= 0xDFFF ? U'\uFFFD' : point.value;
        // The lead byte holds the top bits, each following byte six more.
        const int following = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr std::array<char32_t, 4> kLead{0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[static_cast<std::size_t>(following)] | c >> (6 * following));
        for (int shift = 6 * (following - 1); shift >= 0; shift -= 6)
            out += static_cast<char>(0x80 | (c >> shift & 0x3F));
    }
    return out;
}

// `bytes` as UTF-16, where they are well-formed UTF-8: none for a byte out of place, an
// overlong form, a surrogate or a code point beyond U+10FFFF.
inline std::optional<std::u16string> fromUtf8(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int following = lead < 0x80   ? 0
                              : lead < 0xC2 ? -1
                              : lead < 0xE0 ? 1
                              : lead < 0xF0 ? 2
                              : lead < 0xF5 ? 3
                                            : -1;
        if (following < 0 || bytes.size() - i <= static_cast<std::size_t>(following))
            return std::nullopt;
        char32_t c = following == 0 ? char32_t{lead} : char32_t{lead} & (0x3Fu >> following);
        for (int k = 1; k <= following; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = c << 6 | (next & 0x3F);
        }
        constexpr std::array<char32_t, 4> kLeast{0, 0x80, 0x800, 0x10000};
        if (c < kLeast[static_cast<std::size_t>(following)] || c > 0x10FFFF ||
            (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
        i += 1 + static_cast<std::size_t>(following);
    }
    return text;
}

} // namespace pelio
