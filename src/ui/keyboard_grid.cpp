#include "ui/keyboard_grid.h"

#include "ui/clickable_label.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>
#include <optional>

namespace pelio::ui {
namespace {

std::optional<layout::Direction> arrowDirection(int key) {
    switch (key) {
    case Qt::Key_Left:
        return layout::Direction::Left;
    case Qt::Key_Right:
        return layout::Direction::Right;
    case Qt::Key_Up:
        return layout::Direction::Up;
    case Qt::Key_Down:
        return layout::Direction::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

KeyboardGrid::KeyboardGrid(const Members& members, QObject* parent)
    : QObject(parent)
    , members_(members) {
    for (ClickableLabel* member : members_) {
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
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (const std::optional<layout::Direction> direction = arrowDirection(key->key())) {
        static const auto kCells = layout::keyboardCells();
        makeCurrent(
            static_cast<int>(moves_.move(kCells, static_cast<std::size_t>(member), *direction)));
        current()->setFocus(Qt::TabFocusReason);
        return true;
    }
    const bool pressKey =
        key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (pressKey && member < kKanaCount) {
        // Held down, the key would type its kana over and over into the name.
        if (!key->isAutoRepeat())
            emit keyTyped(static_cast<KanaCode>(member));
        return true;
    }
    return false;
}

} // namespace pelio::ui
