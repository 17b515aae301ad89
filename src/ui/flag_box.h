#pragma once

#include "ui/arrow_keys.h"

#include <QCheckBox>
#include <QKeyEvent>

namespace pelio::ui {

// A progress check box that reacts to a click anywhere in its rectangle, as the boxes of the
// platform the layout was drawn on do, not only on its square and caption. The arrow keys ask
// for the box that way on screen rather than the next in the tab order, as a button moves.
class FlagBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

signals:
    void arrowPressed(pelio::layout::Direction direction);

protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
    void keyPressEvent(QKeyEvent* event) override {
        if (const auto direction = arrowDirection(event->key())) {
            if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
                emit arrowPressed(*direction);
            return;
        }
        QCheckBox::keyPressEvent(event);
    }
};

} // namespace pelio::ui
