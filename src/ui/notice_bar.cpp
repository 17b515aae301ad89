#include "ui/notice_bar.h"

#include "entry/undo.h"
#include "layout/controls.h"
#include "ui/control_names.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace pelio::ui {

NoticeBar::NoticeBar(QWidget* parent)
    : QFrame(parent)
    , label_(new QLabel(this))
    , button_(new QPushButton(this)) {
    const layout::Control& bar = layout::controlOf(layout::Role::NoticeBar);
    setObjectName(controlName(bar.id));
    setAccessibleName(qs(bar.spoken));
    label_->setObjectName("Pel_Note_Text");
    label_->setWordWrap(true);
    button_->setObjectName("Pel_Note_Button");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 6);
    row->addWidget(label_, 1);
    row->addWidget(button_);
    timer_.setSingleShot(true);
    timer_.setInterval(kUndoSeconds * 1000);
    connect(&timer_, &QTimer::timeout, this, &NoticeBar::next);
    connect(button_, &QPushButton::clicked, this, [this] {
        // The action may put up a notice of its own, which must not be taken for this one.
        const std::function<void()> act = std::exchange(act_, {});
        const int id = shownId_;
        if (act)
            act();
        if (shownId_ == id)
            next();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        focused_ = now && (now == this || isAncestorOf(now));
        if (focused_ && old && old != this && !isAncestorOf(old))
            cameFrom_ = old;
        update();
        wait();
    });
    hide();
}

int NoticeBar::offer(const QString& text, const QString& caption, std::function<void()> act,
                     bool timed) {
    act_ = std::move(act);
    present(text, caption, timed);
    return shownId_;
}

void NoticeBar::tell(const QString& text) {
    told_ << text;
    if (isHidden() || !act_)
        next();
}

void NoticeBar::withdraw(int id) {
    if (showing(id))
        next();
}

void NoticeBar::present(const QString& text, const QString& caption, bool timed) {
    const bool hadFocus = focused_;
    shownId_ = ++lastId_;
    timed_ = timed;
    label_->setText(text);
    button_->setText(caption);
    show();
    // The keyboard stays on the bar when the button it was on goes, before it goes: the toolkit
    // would pass it on to the next control, wherever that is.
    if (hadFocus && caption.isEmpty()) {
        setFocusPolicy(Qt::ClickFocus);
        setFocus();
    }
    button_->setVisible(!caption.isEmpty());
    wait();
    emit shown(text);
}

void NoticeBar::next() {
    act_ = {};
    if (!told_.isEmpty()) {
        present(told_.takeFirst(), {}, true);
        return;
    }
    shownId_ = 0;
    if (focused_ && cameFrom_ && cameFrom_->isVisible())
        cameFrom_->setFocus(Qt::OtherFocusReason);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void NoticeBar::wait() {
    if (!isHidden() && timed_ && !pointed_ && !focused_)
        timer_.start();
    else
        timer_.stop();
}

void NoticeBar::enterEvent(QEnterEvent* event) {
    pointed_ = true;
    wait();
    QFrame::enterEvent(event);
}

void NoticeBar::leaveEvent(QEvent* event) {
    pointed_ = false;
    wait();
    QFrame::leaveEvent(event);
}

void NoticeBar::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    // A line over the bar parts it from the form; a frame shows where the keyboard is.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width() - 1, 0);
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(1, 2, -2, -2));
    }
}

} // namespace pelio::ui
