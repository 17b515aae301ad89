#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace pelio::ui {

// The memo box. It holds at most the memo reader's limit of characters, and refuses whole a
// paste, drop or input-method text that would take it past that, rather than cutting it
// silently: every way text arrives is checked before the line edit sees it.
class MemoBox : public QLineEdit {
    Q_OBJECT
public:
    explicit MemoBox(QWidget* parent = nullptr);

signals:
    // Text was refused: with it the box would have held `length` characters.
    void refused(qsizetype length);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Whether `incoming` characters fit in place of the selection; if not, says so.
    bool accepts(qsizetype incoming);
    bool acceptsClipboard(QClipboard::Mode mode);
};

} // namespace pelio::ui
