#pragma once

#include "layout/window_layout.h"

#include <QObject>

#include <array>

namespace pelio::ui {

class LabelButton;

// Makes the kana keys, backspace and input one stop for the Tab key: only the member last
// visited takes focus, and the arrow keys move between members as they stand on screen.
// Enter or Space on a kana key types its kana; on backspace and input they press them.
class KeyboardGrid : public QObject {
    Q_OBJECT
public:
    using Members = std::array<LabelButton*, layout::kKeyboardMembers>;

    // `members` in the layout's order: the kana keys by code, then backspace and input.
    KeyboardGrid(const Members& members, QObject* parent);

    // The member the Tab key stops at.
    LabelButton* current() const { return members_[static_cast<std::size_t>(current_)]; }

signals:
    void keyTyped(pelio::KanaCode code);
    // Text an input method committed while the grid had focus.
    void textTyped(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeCurrent(int member);

    Members members_;
    int current_ = 0;
    layout::ArrowMoves moves_;
};

} // namespace pelio::ui
