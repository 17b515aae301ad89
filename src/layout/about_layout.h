#pragma once

#include "layout/version.h"
#include "layout/window_layout.h"

#include <string_view>

// The version dialog's form, for every front end.
namespace pelio::layout::about {

inline constexpr std::u16string_view kTitle = u"ばーじょん";
inline constexpr int kClientWidth = 5910;
inline constexpr int kClientHeight = 2475;

// The 40 x 40 picture (pixel_art.h), at one pixel per 15 twips.
inline constexpr Rect kPictureCell{240, 120, 600, 600};

struct Text {
    std::string_view name;
    std::u16string_view text;
    Rect cell;
};

// The program's title, in a bold 12-point Japanese gothic.
inline constexpr Text kProgramTitle{"Pel_Vti", kWindowTitle, {2160, 120, 1695, 255}};
// "Version " and the program's version, in a playful 9.75-point Latin face, reddish brown.
inline constexpr Text kVersion{"Pel_Vlb1", u"Version " PELIO_VERSION_U16, {4440, 480, 1215, 255}};
inline constexpr Rgb kVersionColour{192, 64, 0};
inline constexpr Text kNotice{
    "Pel_Vlb2",
    u"本ソフトは、家庭用探偵ゲームの「そうさめも」を解読するためのアプリケーションです。"
    u"同ゲームの権利者の許可を得ずに作成したものです。"
    u"プレイヤーの皆さんのお役に立てれば幸いです。",
    {120, 840, 5655, 855}};
inline constexpr Text kRelease{"Pel_Qor", u"2000/04/05\u3000ぽむた", {3960, 1680, 1815, 255}};
// The only control that takes focus; it hides the dialog.
inline constexpr Text kButton{
    "Pel_Vbt",
    u"そんなもん\u3000ようしらんわ。もうええねん\u3000わいは\u3000どうなってもいいんや。",
    {120, 2040, 5655, 375}};

} // namespace pelio::layout::about
