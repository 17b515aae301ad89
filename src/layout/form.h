#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// What every control of the windows and the page is measured and coloured in.
namespace pelio::layout {

// Places and sizes in twips (1440 to the inch) from the top-left corner of the client area.
// At 96 dots per inch 15 twips make one pixel.
struct Rect {
    int left;
    int top;
    int width;
    int height;
    constexpr bool operator==(const Rect&) const = default;
};
inline constexpr int kTwipsPerPixel = 15;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    constexpr bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kHighlight{0, 255, 255}; // the current name slot
inline constexpr Rgb kWarning{255, 96, 96};   // a typed memo that does not read, and why

enum class Align : std::uint8_t { Left, Centre };

// A check box's box, in pixels, as a classic desktop draws it.
inline constexpr int kFlagBoxPixels = 13;

// The window's font: the first of these families that is installed, at 11 pixels. Their kana
// are proportional: fonts with full-width kana overflow the longest check-box captions at any
// size that stays legible. Debian's faces, then those of other systems the page runs on, and
// a face with full-width kana last.
inline constexpr std::array<std::u16string_view, 9> kFontFamilies{
    u"IPAPGothic",    u"IPA Pゴシック", u"VL PGothic", u"Noto Sans CJK JP", u"Noto Sans JP",
    u"Hiragino Sans", u"Yu Gothic UI",  u"Meiryo",     u"IPAGothic"};
inline constexpr int kFontPixels = 11;

inline constexpr std::u16string_view kWindowTitle = u"ぺりおのひらき";
inline constexpr int kClientWidth = 9705;
inline constexpr int kClientHeight = 5670;

} // namespace pelio::layout
