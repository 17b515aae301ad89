#pragma once

#include <QKeySequence>
#include <QObject>
#include <QSet>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace pelio::ui {

// The window's keys in the order they come: its shortcuts, and one act for each press of a key
// however long it is held.
//
// With a screen reader running, the toolkit's bridge to it hands every key press on late, once
// the screen reader has seen it; the toolkit's own shortcuts would act at once, ahead of keys
// pressed before them, and the menu bar would take the Alt of a shortcut, handed on after it,
// for a lone Alt and open. Here a shortcut acts where its keys come.
//
// The bridge also passes a held key's repeats on unmarked. A press of a key that is still down
// is a repeat: that of a shortcut or of a key that acts (Enter, Space, Escape) goes nowhere;
// that of a key that moves or edits (an arrow, Backspace, a typed character) goes on as usual.
class Keystrokes : public QObject {
public:
    // For the keys pressed in `window`.
    explicit Keystrokes(QWidget* window);

    void add(const QKeySequence& keys, std::function<void()> act);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressed(QKeyEvent* key);

    QWidget* window_;
    std::vector<std::pair<QKeySequence, std::function<void()>>> shortcuts_;
    QSet<int> down_;
};

} // namespace pelio::ui
