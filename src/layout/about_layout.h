#pragma once

#include "layout/form.h"

#include <array>
#include <span>
#include <string_view>

// The version dialog's picture and fonts, for every front end; its controls are in controls.h.
namespace pelio::layout::about {

// The 40 x 40 picture (pixel_art.h), at one pixel per 15 twips.
inline constexpr Rect kPictureCell{240, 120, 600, 600};

// The title's and the version's fonts are Windows fonts. Where one is missing the next
// installed family of its list stands in; the title's list holds only Japanese gothics so
// that its kana never fall to a font without them.
struct Font {
    std::span<const std::u16string_view> families;
    double points;
    bool bold;
};
inline constexpr std::array<std::u16string_view, 6> kTitleFamilies{
    u"ＭＳ Ｐゴシック", u"MS PGothic", u"IPAPGothic",
    u"IPAexGothic",     u"VL PGothic", u"Noto Sans CJK JP"};
inline constexpr Font kTitleFont{kTitleFamilies, 12, true};
inline constexpr std::array<std::u16string_view, 4> kVersionFamilies{
    u"Comic Sans MS", u"Comic Neue", u"DejaVu Sans", u"Liberation Sans"};
inline constexpr Font kVersionFont{kVersionFamilies, 9.75, false};

} // namespace pelio::layout::about
