#pragma once

#include <QAbstractButton>
#include <QColor>

namespace pelio::ui {

// A label that acts as a button: it reacts to a left click, takes no focus and never
// shows a pressed look. Being a button underneath, assistive technology announces it as
// one, with its caption, and can press it.
class ClickableLabel : public QAbstractButton {
    Q_OBJECT
public:
    ClickableLabel(const QString& caption, QColor background, QColor foreground,
                   QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
    QColor foreground_;
};

} // namespace pelio::ui
