#pragma once

#include "entry/memo_entry.h"

#include <QListWidget>

#include <vector>

namespace pelio::ui {

// The memos offered near a memo the player typed with a slip, best first. Each line begins with
// the memo as the memo box shows it, the kana the fix changed marked, then what it holds. A
// click, Enter or Space chooses one; Escape goes back to the memo box.
class FixList : public QListWidget {
    Q_OBJECT
public:
    explicit FixList(QWidget* parent = nullptr);

    // Shows `fixes`, or hides the list when there are none.
    void show(const std::vector<MemoFix>& fixes);

signals:
    void chosen(const QString& memo);
    void leftForTheMemoBox();
    // Up or Down found no other line; what the current one says.
    void stayedOn(const QString& spoken);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The highlighted line shows where focus is: only while the list has it.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void choose(const QListWidgetItem* item);
    void tellOfCurrentLine();
};

} // namespace pelio::ui
