#include "ui/place_beside.h"

#include <QScreen>
#include <QWidget>

namespace pelio::ui {

void placeBeside(QWidget& dialog, const QWidget& window) {
    constexpr int kGap = 8;
    const QRect beside = window.frameGeometry();
    // Before its first showing the dialog has no frame yet; the window's stands in for it.
    const QSize frame = dialog.size() + beside.size() - window.geometry().size();
    const QPoint candidates[]{
        {beside.right() + 1 + kGap, beside.top()},
        {beside.left() - kGap - frame.width(), beside.top()},
        {beside.left(), beside.bottom() + 1 + kGap},
        {beside.left(), beside.top() - kGap - frame.height()},
    };
    const QScreen* screen = window.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    for (const QPoint& corner : candidates) {
        if (room.contains(QRect(corner, frame))) {
            dialog.move(corner);
            return;
        }
    }
    // No side has room: the top right corner of the screen, over the window's progress
    // area rather than its commands and memo.
    dialog.move(room.right() + 1 - frame.width(), room.top());
}

} // namespace pelio::ui
