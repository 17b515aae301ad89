// Where the toolkit needs help: the menu bar armed from F10, typing that reaches the window, the
// icon handed over after the first frame, and the notebook read again on activation.

#include "ui/pelio.h"

#include "ui/fix_list.h"
#include "ui/memo_box.h"
#include "ui/pictures.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

namespace pelio::ui {

void Pelio::armMenuBar() {
    // As a lone Alt press does. Qt has no call for it: the menu bar watches the keys that
    // reach the focused control for an Alt press and release, so it is sent those.
    QWidget* target = focusWidget() ? focusWidget() : this;
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    for (QKeyEvent* event : {&override, &press, &release})
        QCoreApplication::sendEvent(target, event);
}

void Pelio::keyPressEvent(QKeyEvent* event) {
    // Only what no control took arrives here: the memo box keeps its own typing.
    const bool plain =
        (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Backspace) {
        Nm_Back_Click();
        return;
    }
    if (plain && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        Nm_Typed(event->text());
        return;
    }
    // Down from the memo box goes to the memos offered below it.
    if (event->key() == Qt::Key_Down && focusWidget() == memoBox_ && fixList_ &&
        fixList_->isVisible()) {
        fixList_->setFocus(Qt::TabFocusReason);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The icon at its four sizes, a thirtieth of start-up with handing it to the window system,
// waits until the first frame is out; the desktop shows it a moment later. A window that is
// not painted soon, such as one on a workspace not in view, gets it all the same.
void Pelio::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    QTimer::singleShot(250, this, &Pelio::attachIcon);
}

void Pelio::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!iconAttached_)
        QMetaObject::invokeMethod(this, &Pelio::attachIcon, Qt::QueuedConnection);
}

void Pelio::attachIcon() {
    if (iconAttached_)
        return;
    iconAttached_ = true;
    setWindowIcon(programIcon());
}

void Pelio::changeEvent(QEvent* event) {
    // Another window may have changed the notebook since this one last read it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        store_.refresh();
    QMainWindow::changeEvent(event);
}

} // namespace pelio::ui
