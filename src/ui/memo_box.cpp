#include "ui/memo_box.h"

#include "memo/memo_reader.h"
#include "ui/qt_text.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace pelio::ui {

MemoBox::MemoBox(QWidget* parent)
    : QLineEdit(parent) {
    setMaxLength(static_cast<int>(kMemoInputLimit));
}

bool MemoBox::accepts(const QString& incoming) {
    const auto length =
        static_cast<std::size_t>(text().size() - selectedText().size() + incoming.size());
    const std::optional<MemoError> refusal = checkMemoInput(u16(incoming), length);
    if (refusal)
        emit refused(qs(refusal->message));
    return !refusal;
}

bool MemoBox::put(const QString& text) {
    selectAll();
    if (!accepts(text))
        return false;
    insert(text);
    return true;
}

bool MemoBox::acceptsClipboard(QClipboard::Mode mode) {
    // The clipboard's own text, shared, not copied: a huge paste costs no memory to look at.
    return accepts(QGuiApplication::clipboard()->text(mode));
}

bool MemoBox::pastesPicture() {
    const QMimeData* clipped = QGuiApplication::clipboard()->mimeData();
    std::optional<LoadedPicture> picture = clipped ? loadPicture(*clipped) : std::nullopt;
    if (picture)
        emit pictureGiven(*picture);
    return picture.has_value();
}

void MemoBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) &&
        (pastesPicture() || !acceptsClipboard(QClipboard::Clipboard)))
        return;
    const bool typesText = !event->text().isEmpty() && event->text().at(0).isPrint();
    if (typesText && !hasSelectedText() && !accepts(event->text()))
        return;
    QLineEdit::keyPressEvent(event);
}

void MemoBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The menu's paste item is the one that shows the paste shortcut after its text.
    const QString pasteKeys =
        '\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (!action->text().endsWith(pasteKeys))
            continue;
        disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this, [this] {
            if (!pastesPicture() && acceptsClipboard(QClipboard::Clipboard))
                paste();
        });
        // The line edit offers to paste text only.
        if (const QMimeData* clipped = QGuiApplication::clipboard()->mimeData();
            clipped && holdsPicture(*clipped))
            action->setEnabled(!isReadOnly());
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void MemoBox::mouseReleaseEvent(QMouseEvent* event) {
    // On X11 a middle click pastes the selection.
    const bool pastesSelection =
        event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection();
    if (pastesSelection && !acceptsClipboard(QClipboard::Selection))
        return;
    QLineEdit::mouseReleaseEvent(event);
}

void MemoBox::dropEvent(QDropEvent* event) {
    if (std::optional<LoadedPicture> picture = loadPicture(*event->mimeData())) {
        event->acceptProposedAction();
        emit pictureGiven(*picture);
        return;
    }
    if (!accepts(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

void MemoBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!accepts(event->commitString())) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

} // namespace pelio::ui
