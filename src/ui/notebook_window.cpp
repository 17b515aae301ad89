#include "ui/notebook_window.h"

#include "entry/undo.h"
#include "layout/controls.h"
#include "memo/utf16.h"
#include "memo/wording.h"
#include "ui/control_names.h"
#include "ui/notebook_store.h"
#include "ui/qt_text.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace pelio::ui {
namespace {

constexpr int kMemoRole = Qt::UserRole;
const QString kTextFiles = QStringLiteral("テキストファイル (*.txt);;すべてのファイル (*)");

QString documents() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// What came of reading memos in from `file`: how many, why it could not be read, and each line
// refused, with why.
QString importReport(const NotebookFile& file) {
    std::u16string report;
    if (file.status == NotebookFile::Status::Read || file.status == NotebookFile::Status::Empty)
        report = u"そうさめもを" + fullWidthNumber(file.reading.notebook.entries().size()) +
                 u"こ読み込みました";
    if (!file.notice.empty())
        report += (report.empty() ? u"" : u"。") + file.notice;
    for (const RefusedLine& line : file.reading.refused)
        report +=
            u"\n" + fullWidthNumber(line.line) + u"行目「" + line.text + u"」：" + line.reason;
    return qs(report);
}

} // namespace

NotebookWindow::NotebookWindow(NotebookStore& store, QWidget* parent)
    : QDialog(parent)
    , store_(store)
    , empty_(new QLabel(QStringLiteral("まだそうさめもはありません。完了で作ったそうさめもと"
                                       "読み取ったそうさめもが、ここに新しい順に入ります。"),
                        this))
    , list_(new QListWidget(this))
    , message_(new QPlainTextEdit(this)) {
    setObjectName("Log_Win");
    setWindowTitle(QStringLiteral("ノート"));
    resize(560, 400);

    empty_->setObjectName("Log_Empty");
    empty_->setWordWrap(true);
    const layout::Control& listed = layout::controlOf(layout::Role::Notebook);
    list_->setObjectName(controlName(listed.id));
    list_->setAccessibleName(qs(listed.spoken));
    // Two lines each, the second cut short where it is long (its tool tip has all of it): a
    // thousand entries laid out each by its own text took the better part of a second.
    list_->setUniformItemSizes(true);
    list_->setAlternatingRowColors(true);
    QPalette rows = list_->palette();
    rows.setColor(QPalette::AlternateBase, rows.color(QPalette::Base).darker(112));
    list_->setPalette(rows);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemDoubleClicked, this, &NotebookWindow::Log_Read_Click);
    connect(list_, &QListWidget::currentRowChanged, this, &NotebookWindow::showButtons);
    message_->setObjectName("Log_Msg");
    message_->setAccessibleName(QStringLiteral("読み込みの結果"));
    message_->setReadOnly(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message_->setMaximumHeight(80);
    message_->hide();

    auto* buttons = new QHBoxLayout;
    auto* column = new QVBoxLayout(this);
    column->addWidget(empty_);
    column->addWidget(list_, 1);
    column->addWidget(message_);
    column->addLayout(buttons);
    read_ = addButton("Log_Read", QStringLiteral("読む"), &NotebookWindow::Log_Read_Click);
    delete_ = addButton("Log_Del", QStringLiteral("削除"), &NotebookWindow::Log_Del_Click);
    deleteAll_ = addButton("Log_Clr", QStringLiteral("全部削除"), &NotebookWindow::Log_Clr_Click);
    undo_ = addButton("Log_Undo", qs(kUndoCaption), &NotebookWindow::Log_Undo_Click);
    for (QPushButton* button : {read_, delete_, deleteAll_, undo_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(
        addButton("Log_Save", QStringLiteral("保存…"), &NotebookWindow::Log_Save_Click));
    buttons->addWidget(
        addButton("Log_Load", QStringLiteral("読み込み…"), &NotebookWindow::Log_Load_Click));
    read_->setToolTip(QStringLiteral("Enter"));
    delete_->setToolTip(QStringLiteral("Delete"));
    undo_->setToolTip(QStringLiteral("Ctrl+Z"));

    auto* undoKeys = new QShortcut(QKeySequence::Undo, this);
    undoKeys->setAutoRepeat(false);
    connect(undoKeys, &QShortcut::activated, this, &NotebookWindow::Log_Undo_Click);
}

QPushButton* NotebookWindow::addButton(const char* name, const QString& caption,
                                       void (NotebookWindow::*handler)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void NotebookWindow::showEntries() {
    // Shown again at every activation, where it has seldom changed.
    const Notebook& notebook = store_.notebook();
    if (listed_ && *listed_ == notebook)
        return;
    listed_ = notebook;
    const int row = std::max(list_->currentRow(), 0);
    list_->clear();
    for (const NoteView& view : notebook.views()) {
        const QString text =
            qs(view.memo + view.time) + '\n' + qs(view.details + u"　" + view.changes);
        auto* item = new QListWidgetItem(text, list_);
        item->setToolTip(text);
        item->setData(kMemoRole, qs(view.memo));
        item->setData(Qt::AccessibleTextRole, qs(view.spoken));
    }
    if (list_->count() > 0)
        list_->setCurrentRow(std::min(row, list_->count() - 1));
    empty_->setVisible(list_->count() == 0);
    showButtons();
}

void NotebookWindow::showButtons() {
    read_->setEnabled(list_->currentItem() != nullptr);
    delete_->setEnabled(list_->currentItem() != nullptr);
    deleteAll_->setEnabled(list_->count() > 0);
    undo_->setEnabled(!taken_.empty());
}

void NotebookWindow::Log_Read_Click() {
    if (const QListWidgetItem* item = list_->currentItem()) {
        hide();
        emit chosen(item->data(kMemoRole).toString());
    }
}

void NotebookWindow::Log_Del_Click() {
    const int row = list_->currentRow();
    if (row < 0)
        return;
    deleted({store_.notebook().remove(static_cast<std::size_t>(row))});
}

void NotebookWindow::Log_Clr_Click() {
    if (list_->count() > 0)
        deleted(store_.notebook().clear());
}

void NotebookWindow::deleted(std::vector<NoteEntry> taken) {
    taken_ = std::move(taken);
    emit changed();
    showEntries();
    // The keyboard stays where the entry was, or, with none left, on what takes it back.
    (list_->count() > 0 ? static_cast<QWidget*>(list_) : undo_)->setFocus();
}

void NotebookWindow::Log_Undo_Click() {
    if (taken_.empty())
        return;
    store_.notebook().restore(std::exchange(taken_, {}));
    emit changed();
    showEntries();
    list_->setFocus();
    emit said(qs(kUndoneNotice));
}

void NotebookWindow::Log_Save_Click() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("ノートを保存"),
        QDir(documents()).filePath(QStringLiteral("pelio-notebook.txt")), kTextFiles);
    if (path.isEmpty())
        return;
    const std::string text = toUtf8(notebookText(store_.notebook()));
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) ==
                           static_cast<qint64>(text.size()) &&
                       file.commit();
    if (!saved)
        tell(QStringLiteral("ノートを保存できませんでした：") + path);
}

void NotebookWindow::Log_Load_Click() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("ノートを読み込む"),
                                                      documents(), kTextFiles);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("ファイルを開けませんでした：") + file.errorString());
        return;
    }
    // One byte past the limit is enough to know the file is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(kNotebookFileLimit) + 1);
    const NotebookFile read =
        readNotebookFile({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    Notebook& notebook = store_.notebook();
    notebook = mergeNotebooks({}, notebook, read.reading.notebook);
    emit changed();
    showEntries();
    tell(importReport(read));
}

void NotebookWindow::tell(const QString& message) {
    message_->setPlainText(message);
    message_->show();
    emit said(message.section('\n', 0, 0));
}

bool NotebookWindow::event(QEvent* event) {
    // Another window may have changed the notebook since this one last showed it.
    if (event->type() == QEvent::WindowActivate) {
        store_.refresh();
        showEntries();
    }
    return QDialog::event(event);
}

void NotebookWindow::hideEvent(QHideEvent* event) {
    // Back to the main window, so that the keyboard carries on there, once this one is gone:
    // while it is going, the window system would give it back to this one.
    QDialog::hideEvent(event);
    if (QWidget* window = parentWidget(); window && window->isVisible())
        QMetaObject::invokeMethod(window, &QWidget::activateWindow, Qt::QueuedConnection);
}

bool NotebookWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter and Delete act on the entry chosen; the dialog would press its default button.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (!key->isAutoRepeat())
                Log_Read_Click();
            return true;
        }
        if (plain && key->key() == Qt::Key_Delete) {
            if (!key->isAutoRepeat())
                Log_Del_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pelio::ui
