#pragma once

#include "ui/picture_loader.h"

#include <QClipboard>
#include <QLineEdit>

namespace pelio::ui {

// The memo box. It refuses whole a paste, drop or input-method text that the memo rules say it
// cannot take (too long for it, or with a control character in it), rather than cutting or
// mangling it silently: every way text arrives is checked before the line edit sees it.
class MemoBox : public QLineEdit {
    Q_OBJECT
public:
    explicit MemoBox(QWidget* parent = nullptr);

    // Puts `text` in place of the box's, as a paste would, unless the box refuses it. Whether
    // it took it.
    bool put(const QString& text);

signals:
    // Text was refused, for `reason`.
    void refused(const QString& reason);
    // A picture was pasted or dropped in place of text.
    void pictureGiven(const pelio::ui::LoadedPicture& picture);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Whether the box takes `incoming` in place of the selection; if not, says why.
    bool accepts(const QString& incoming);
    bool acceptsClipboard(QClipboard::Mode mode);
    // Whether the clipboard holds a picture, which is then read.
    bool pastesPicture();
};

} // namespace pelio::ui
