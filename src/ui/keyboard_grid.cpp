#include "ui/keyboard_grid.h"

#include "ui/arrow_keys.h"
#include "ui/label_button.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

namespace pelio::ui {

KeyboardGrid::KeyboardGrid(const Members& members, QObject* parent)
    : QObject(parent)
    , members_(members) {
    for (LabelButton* member : members_) {
        member->setFocusPolicy(Qt::NoFocus);
        member->installEventFilter(this);
        member->setAttribute(Qt::WA_InputMethodEnabled);
    }
    makeCurrent(0);
}

void KeyboardGrid::makeCurrent(int member) {
    current()->setFocusPolicy(Qt::NoFocus);
    current_ = member;
    current()->setFocusPolicy(Qt::TabFocus);
}

bool KeyboardGrid::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(members_.begin(), members_.end(), watched);
    if (found == members_.end())
        return false;
    const int member = static_cast<int>(found - members_.begin());

    if (event->type() == QEvent::InputMethod) {
        const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
        if (!text.isEmpty())
            emit textTyped(text);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const std::optional<layout::Direction> direction = arrowDirection(key->key());
    if (direction && !plain)
        return true; // a button would take it for a step along the tab order, out of the grid
    if (!plain)
        return false;
    if (direction) {
        static const auto kCells = layout::keyboardCells();
        makeCurrent(
            static_cast<int>(moves_.move(kCells, static_cast<std::size_t>(member), *direction)));
        current()->setFocus(Qt::TabFocusReason);
        return true;
    }
    const bool pressKey =
        key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (pressKey && member < kKanaCount) {
        emit keyTyped(static_cast<KanaCode>(member));
        return true;
    }
    return false;
}

} // namespace pelio::ui
