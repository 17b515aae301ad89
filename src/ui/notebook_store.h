#pragma once

#include "entry/notebook.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace pelio::ui {

// The files the program keeps on the desktop, in the user's data folder: the notebook, a
// plain UTF-8 text that the player may read and keep, and the entry of the last run. Each is
// written whole or not at all whenever it changes; nothing is written on the way out.
class NotebookStore {
public:
    // `folder` empty: the user's data folder for the program.
    explicit NotebookStore(QString folder = {});

    // The notebook, read from its file the first time it is needed: start-up never waits for it.
    Notebook& notebook();

    // Writes the notebook as it was changed here, merged under a lock with whatever another
    // window wrote since it was read, so that no entry of either is lost; then holds that.
    // False where the file could not be written, with a notice that says so.
    bool save();

    // Reads again what another window may have written, keeping what was changed here.
    void refresh();

    // Once, after a file was put aside or could not be written: what to tell the player.
    QString takeNotice();

    // The entry of the last run as a saved line and the memo box's text, and keeping it.
    struct LastEntry {
        QString line;
        QString box;
    };
    std::optional<LastEntry> lastEntry() const;
    void keepLastEntry(const LastEntry& entry);
    void forgetLastEntry();

    QString notebookPath() const;

private:
    // The notebook file as it stands, read under the lock the caller holds; a file that cannot
    // be read is put aside under another name and counts as empty.
    Notebook readFile();
    bool writeText(const QString& path, const QByteArray& bytes);
    void putAside(const QString& why);

    QString folder_;
    bool loaded_ = false;
    Notebook base_;        // as the file held it when last read or written here
    QByteArray baseBytes_; // the file's bytes then
    QByteArray lastRead_;  // the bytes readFile() read
    Notebook notebook_;
    QString notice_;
};

// The time it is now, as the notebook keeps it.
NoteTime noteTimeNow();

} // namespace pelio::ui
