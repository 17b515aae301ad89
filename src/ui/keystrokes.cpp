#include "ui/keystrokes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#ifdef PELIO_XKB
#include <xcb/xcb.h>
// The header names a member "explicit", which C++ keeps for itself.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#endif

namespace pelio::ui {
namespace {

// Where a key event goes first, as the toolkit picks it; from there it goes to the parents.
QObject* firstReceiver() {
    if (QWidget* grabber = QWidget::keyboardGrabber())
        return grabber;
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    if (QWidget* focused = QApplication::focusWidget())
        return focused;
    return QApplication::activeWindow();
}

// Keys whose repeats are meant: they move or edit, a step at a time.
bool repeats(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    case Qt::Key_Space:
        return false;
    default:
        return !key.text().isEmpty() && key.text().at(0).isPrint();
    }
}

// By default the X server sends a release before each repeat, which the bridge hands on as
// unmarked as the repeat; asked to, it sends the repeated presses alone.
void askForRepeatsWithoutReleases() {
#ifdef PELIO_XKB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection)
        return;
    // Asked without waiting for the answer, which start-up has no need of.
    const auto flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_discard_reply(connection, xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD,
                                                           flag, flag, 0, 0, 0)
                                      .sequence);
    xcb_flush(connection);
#endif
}

} // namespace

Keystrokes::Keystrokes(QWidget* window)
    : QObject(window)
    , window_(window) {
    askForRepeatsWithoutReleases();
    qApp->installEventFilter(this);
}

void Keystrokes::add(const QKeySequence& keys, std::function<void()> act) {
    shortcuts_.emplace_back(keys, std::move(act));
}

bool Keystrokes::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        // Once a press has reached its first receiver, its parents see the same press.
        return watched == firstReceiver() && pressed(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            return true;
        down_.remove(key->key());
        return false;
    }
    case QEvent::ApplicationStateChange:
        // Keys released in another program are never heard of here.
        if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            down_.clear();
        return false;
    default:
        return false;
    }
}

bool Keystrokes::pressed(QKeyEvent* key) {
    const bool repeat = key->isAutoRepeat() || down_.contains(key->key());
    down_.insert(key->key());
    const auto* receiver = qobject_cast<QWidget*>(firstReceiver());
    if (receiver && receiver->window() == window_) {
        const QKeySequence keys(key->keyCombination().key() |
                                (key->modifiers() & ~Qt::KeypadModifier));
        for (const auto& [shortcut, act] : shortcuts_) {
            if (keys.matches(shortcut) == QKeySequence::ExactMatch) {
                if (!repeat)
                    act();
                return true;
            }
        }
    }
    return repeat && !repeats(*key);
}

} // namespace pelio::ui
