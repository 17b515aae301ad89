#pragma once

#include <QDialog>
#include <QImage>

namespace pelio::ui {

// The version dialog: modeless, created once and then only hidden and shown again. Its
// content is fixed at construction.
class Pel_Ver : public QDialog {
    Q_OBJECT
public:
    explicit Pel_Ver(QWidget* parent = nullptr);

    // Moves the dialog next to `window` where the screen has room for it: to its right, else
    // to its left, below or above, so that it does not cover the commands and the memo.
    void placeBeside(const QWidget* window);

public slots:
    // Hides the dialog; it stays alive to be shown again.
    void Pel_Vbt_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QImage picture_;
};

} // namespace pelio::ui
