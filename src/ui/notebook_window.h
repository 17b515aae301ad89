#pragma once

#include "entry/notebook.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace pelio::ui {

class NotebookStore;

// The notebook's window, ノート: every memo written or read, newest first, each with its time,
// name, ticks and rank and what changed since the memo before it of its name. One chosen (読む,
// Enter or a double click) is read as Enter in the memo box would read it; entries are deleted
// one by one (削除, Delete) or all at once, and the last delete is undone (もとにもどす,
// Ctrl+Z); the notebook is saved to a text file and memos are read in from one. Modeless,
// made once and then shown again; Escape closes it.
class NotebookWindow : public QDialog {
    Q_OBJECT
public:
    NotebookWindow(NotebookStore& store, QWidget* parent = nullptr);

    // Lists the notebook as it stands, after it was changed elsewhere.
    void showEntries();

signals:
    // An entry was chosen, to be read.
    void chosen(const QString& memo);
    // The notebook was changed here, and is to be saved.
    void changed();
    // What a screen reader is to say.
    void said(const QString& text);

public slots:
    void Log_Read_Click();
    void Log_Del_Click();
    void Log_Clr_Click();
    void Log_Undo_Click();
    void Log_Save_Click();
    void Log_Load_Click();

protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const char* name, const QString& caption, void (NotebookWindow::*)());
    void deleted(std::vector<NoteEntry> taken);
    void showButtons();
    void tell(const QString& message);

    NotebookStore& store_;
    QLabel* empty_;
    QListWidget* list_;
    QPlainTextEdit* message_;
    QPushButton* read_;
    QPushButton* delete_;
    QPushButton* deleteAll_;
    QPushButton* undo_;
    std::vector<NoteEntry> taken_; // what the last delete took, for もとにもどす
    std::optional<Notebook> listed_;
};

} // namespace pelio::ui
