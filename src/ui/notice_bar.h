#pragma once

#include <QFrame>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class QLabel;
class QPushButton;

namespace pelio::ui {

// The notice bar under the client area: one notice at a time, a label and, where the
// player can do something about it, a button. It is there only while it has a notice, under
// the window's form, so that no control moves or is covered. A notice stays the undo time, and
// longer while the pointer or the keyboard's focus is on the bar.
class NoticeBar : public QFrame {
    Q_OBJECT
public:
    explicit NoticeBar(QWidget* parent = nullptr);

    // Shows `text` with a button `caption` that calls `act`, in place of any notice shown; an
    // offer that is not `timed` stays until another notice replaces it. Which offer it is.
    int offer(const QString& text, const QString& caption, std::function<void()> act,
              bool timed = true);
    // Shows `text` alone, once an offer on show has ended.
    void tell(const QString& text);
    // Whether offer `id` is on show (also in a window not shown yet), and taking it down if it is.
    bool showing(int id) const { return !isHidden() && id == shownId_; }
    void withdraw(int id);

signals:
    // A notice appeared: a screen reader is to say it.
    void shown(const QString& text);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void present(const QString& text, const QString& caption, bool timed);
    void wait();
    void next();

    QLabel* label_;
    QPushButton* button_;
    QTimer timer_;
    std::function<void()> act_;
    QStringList told_;
    int shownId_ = 0;
    int lastId_ = 0;
    bool timed_ = true;
    bool pointed_ = false;
    bool focused_ = false;
    // Where the keyboard was before it came to the bar, and goes back to when the bar goes.
    QPointer<QWidget> cameFrom_;
};

} // namespace pelio::ui
