#include "ui/clickable_label.h"

#include <QKeyEvent>
#include <QPainter>

namespace pelio::ui {

ClickableLabel::ClickableLabel(const QString& caption, QColor background, QColor foreground,
                               QWidget* parent)
    : QAbstractButton(parent)
    , background_(background)
    , foreground_(foreground) {
    setText(caption);
    setFocusPolicy(Qt::TabFocus);
}

QSize ClickableLabel::sizeHint() const {
    return fontMetrics().size(Qt::TextSingleLine, text());
}

void ClickableLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(foreground_);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        // The text colour stands out from the label's own background by design, so a ring in
        // it does too: at least 3:1 on every label of the window.
        painter.setPen(QPen(foreground_, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ClickableLabel::focusInEvent(QFocusEvent* event) {
    // Neighbouring keys overlap by a pixel; the focused one comes to the front so that its
    // ring shows whole.
    raise();
    QAbstractButton::focusInEvent(event);
}

} // namespace pelio::ui
