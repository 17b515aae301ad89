#pragma once

#include <cstddef>
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

} // namespace pelio
