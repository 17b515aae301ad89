#pragma once

#include <QFrame>

#include <cstdint>

class QLabel;
class QPushButton;

namespace pelio::ui {

// Beside the result of a picture read: the part of the picture where the memo was found and
// the text read, its doubtful kana underlined, for the player to compare. Under the client area,
// and there only until the next picture or とじる, so that no control of the form moves.
class PicturePanel : public QFrame {
    Q_OBJECT
public:
    explicit PicturePanel(QWidget* parent = nullptr);

    // Shows `crop` with `text`, whose kana where bit i of `uncertain` is set were in doubt; hides
    // the panel where there is no crop.
    void show(const QImage& crop, const QString& text, std::uint32_t uncertain);
    // What the keyboard reaches in the panel, in order.
    QList<QWidget*> stops() const;

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* crop_;
    QLabel* text_;
    QLabel* doubt_;
    QPushButton* shut_;
};

} // namespace pelio::ui
