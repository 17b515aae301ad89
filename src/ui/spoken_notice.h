#pragma once

#include <QWidget>

#include <array>

namespace pelio::ui {

class Notice;

// What a screen reader is told of a result, wherever focus is: a notification shown with the
// text. Orca speaks a notification as it becomes showing. Qt 6.4's bridge to the accessibility
// bus sends a changed name or description without its text, so a screen reader cannot speak
// those. The notices have no size: the window shows the same results in its own controls.
class SpokenNotices : public QObject {
public:
    explicit SpokenNotices(QWidget* parent);

    void say(const QString& text);

private:
    // Orca reads a notice's text when it comes to it, which may be seconds later: each text
    // has a notice of its own until several more have been said.
    QWidget* parent_;
    std::array<Notice*, 8> notices_{};
    std::size_t last_ = 0;
};

} // namespace pelio::ui
