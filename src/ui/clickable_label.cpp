#include "ui/clickable_label.h"

#include <QPainter>

namespace pelio::ui {

ClickableLabel::ClickableLabel(const QString& caption, QColor background, QColor foreground,
                               QWidget* parent)
    : QAbstractButton(parent)
    , background_(background)
    , foreground_(foreground) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
}

QSize ClickableLabel::sizeHint() const {
    return fontMetrics().size(Qt::TextSingleLine, text());
}

void ClickableLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(foreground_);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

} // namespace pelio::ui
