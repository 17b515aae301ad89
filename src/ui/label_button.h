#pragma once

#include <QAbstractButton>
#include <QColor>

namespace pelio::ui {

// A label that acts as a button: it reacts to a left click and never shows a pressed look.
// A click does not take focus; Tab reaches it where it is in the tab order, and there Space
// or Enter presses it, with a ring in its text colour showing the focus. Being a button
// underneath, assistive technology announces it as one, with its caption, and can press it.
class LabelButton : public QAbstractButton {
    Q_OBJECT
public:
    LabelButton(const QString& caption, QColor background, QColor foreground,
                QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Where the focus ring goes, where neighbours overlap the label's edges: keys of the
    // keyboard overlap the next key by a pixel, and each key paints over the one before.
    void setRingMargins(QMargins margins) { ringMargins_ = margins; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor background_;
    QColor foreground_;
    QMargins ringMargins_;
};

} // namespace pelio::ui
