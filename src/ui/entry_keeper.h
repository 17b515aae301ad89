#pragma once

#include "entry/state_record.h"
#include "entry/undo.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

namespace pelio::ui {

class NoticeBar;
class NotebookStore;

// What the player has entered: the state record and the memo box's text.
struct Entry {
    StateRecord state;
    QString box;
};

// Keeps the player's entry from being lost: an action that replaced it can be undone while its
// notice is up, and it is written down after every change, so that the next run offers it back.
class EntryKeeper : public QObject {
    Q_OBJECT
public:
    // `current` is the window's entry as it stands; `putBack` shows one in its place.
    EntryKeeper(NotebookStore& store, NoticeBar& notices, std::function<Entry()> current,
                std::function<void(const Entry&)> putBack, QObject* parent = nullptr);

    // After `action` changed the entry that was `before`: a notice that can undo it, where it
    // replaced anything.
    void offerUndo(ReplacingAction action, const Entry& before);
    // Ctrl+Z: undoes the action whose notice is up. Whether there was one.
    bool undo();

    // After any change: the entry is written down before the next event is handled.
    void changed();

    // At start: where the last run left an entry, a notice that puts it back. It stays until
    // the player has entered anything, and the file keeps that entry until then.
    void offerLastRun();

private:
    void keep();
    // Puts `entry` back in place of the one shown, and takes down the notice that offered it.
    void putBack(const Entry& entry, int notice);

    NotebookStore& store_;
    NoticeBar& notices_;
    std::function<Entry()> current_;
    std::function<void(const Entry&)> putBack_;
    std::optional<Undo> undo_;
    int undoNotice_ = 0;
    int lastRunNotice_ = 0;
    QTimer keepTimer_;
    QString keptLine_;
    QString keptBox_;
};

} // namespace pelio::ui
