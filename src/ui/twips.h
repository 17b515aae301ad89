#pragma once

#include <QPoint>
#include <QRect>

namespace pelio::ui {

// The layout is drawn in twips; at 96 dots per inch fifteen of them make one pixel. Qt
// scales these logical pixels on high-density screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace pelio::ui
