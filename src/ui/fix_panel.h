#pragma once

#include "entry/memo_entry.h"

#include <QWidget>

class QLabel;

namespace pelio::ui {

class FixList;

// The memos offered in place of what the memo box holds: the list under a heading that says how
// many there are, and under it what to do when none is recognisable. Opaque, over the hint
// lines, and there only while memos are offered.
class FixPanel : public QWidget {
    Q_OBJECT
public:
    explicit FixPanel(QWidget* parent = nullptr);

    // Shows the memos `outcome` offers, or hides the panel where it offers none.
    void show(const MemoOutcome& outcome);

    FixList* list() const { return list_; }

private:
    QLabel* heading_;
    FixList* list_;
    QLabel* hint_;
};

} // namespace pelio::ui
