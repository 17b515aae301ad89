#include "ui/fix_panel.h"

#include "layout/controls.h"
#include "ui/control_names.h"
#include "ui/fix_list.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QVBoxLayout>

namespace pelio::ui {

FixPanel::FixPanel(QWidget* parent)
    : QWidget(parent)
    , heading_(new QLabel(this))
    , list_(new FixList(this))
    , hint_(new QLabel(this)) {
    setObjectName("Fix_Panel");
    setAutoFillBackground(true);
    heading_->setObjectName("Fix_Head");
    list_->setObjectName(controlName(layout::controlOf(layout::Role::FixList).id));
    hint_->setObjectName("Fix_Hint");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(heading_);
    column->addWidget(list_, 1);
    column->addWidget(hint_);
    hide();
}

void FixPanel::show(const MemoOutcome& outcome) {
    list_->show(outcome.fixes);
    heading_->setText(qs(outcome.heading));
    hint_->setText(qs(outcome.hint));
    hint_->setVisible(!outcome.hint.empty());
    // The list is called by what its heading says, which a screen reader speaks as it enters.
    list_->setAccessibleName(qs(outcome.heading));
    setVisible(!outcome.fixes.empty());
}

} // namespace pelio::ui
