#include "ui/label_button.h"

#include <QKeyEvent>
#include <QPainter>

namespace pelio::ui {

LabelButton::LabelButton(const QString& caption, QColor background, QColor foreground,
                         QWidget* parent)
    : QAbstractButton(parent)
    , background_(background)
    , foreground_(foreground) {
    setText(caption);
    setFocusPolicy(Qt::TabFocus);
}

QSize LabelButton::sizeHint() const {
    return fontMetrics().size(Qt::TextSingleLine, text());
}

void LabelButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(foreground_);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        // Two rings: a white one outside, which stands out from the black window around every
        // label, and one in the text colour inside, which stands out from the label's own fill
        // by design. Each keeps at least 3:1 against what it borders.
        const QRectF ring = QRectF(rect().marginsRemoved(ringMargins_));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(ring.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(QPen(foreground_, 2));
        painter.drawRect(ring.adjusted(2, 2, -2, -2));
    }
}

void LabelButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace pelio::ui
