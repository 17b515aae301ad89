#pragma once

#include <QCheckBox>

namespace pelio::ui {

// A progress check box that reacts to a click anywhere in its rectangle, as the boxes of the
// platform the layout was drawn on do, not only on its square and caption.
class FlagBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

} // namespace pelio::ui
