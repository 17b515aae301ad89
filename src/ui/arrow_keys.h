#pragma once

#include "layout/window_layout.h"

#include <Qt>

#include <optional>

namespace pelio::ui {

// The way an arrow key points, for a key that is one.
inline std::optional<layout::Direction> arrowDirection(int key) {
    switch (key) {
    case Qt::Key_Left:
        return layout::Direction::Left;
    case Qt::Key_Right:
        return layout::Direction::Right;
    case Qt::Key_Up:
        return layout::Direction::Up;
    case Qt::Key_Down:
        return layout::Direction::Down;
    default:
        return std::nullopt;
    }
}

} // namespace pelio::ui
