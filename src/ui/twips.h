#pragma once

#include "layout/window_layout.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QWidget>

namespace pelio::ui {

// The layout is drawn in twips; at 96 dots per inch fifteen of them make one pixel. Qt
// scales these logical pixels on high-density screens.
constexpr int px(int twips) {
    return twips / layout::kTwipsPerPixel;
}

constexpr QRect toPixels(const layout::Rect& cell) {
    return QRect(px(cell.left), px(cell.top), px(cell.width), px(cell.height));
}

inline QColor toColour(layout::Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

inline void setColour(QWidget* widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace pelio::ui
