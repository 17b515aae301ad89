#include "ui/spoken_notice.h"

#include <QAccessibleWidget>

namespace pelio::ui {

// Its text is its name for assistive technology, set without telling of a change: the notice
// is told of as it is shown.
class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    QString text;
};

namespace {

class NoticeInterface : public QAccessibleWidget {
public:
    explicit NoticeInterface(Notice* notice)
        : QAccessibleWidget(notice, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<Notice*>(widget())->text
                                         : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* noticeInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(Notice::staticMetaObject.className()))
        return nullptr;
    return new NoticeInterface(static_cast<Notice*>(object));
}

} // namespace

SpokenNotices::SpokenNotices(QWidget* parent)
    : QObject(parent)
    , parent_(parent) {}

void SpokenNotices::say(const QString& text) {
    // Made when first needed, as the list of memos near a slip is: start-up has enough to do.
    if (!notices_[0]) {
        static const bool installed = (QAccessible::installFactory(noticeInterface), true);
        Q_UNUSED(installed);
        for (Notice*& notice : notices_) {
            notice = new Notice(parent_);
            notice->setObjectName("Pel_Said");
            notice->setFixedSize(0, 0);
        }
    }
    notices_[last_]->hide();
    last_ = (last_ + 1) % notices_.size();
    Notice* notice = notices_[last_];
    notice->hide();
    notice->text = text;
    notice->show();
}

} // namespace pelio::ui

#include "spoken_notice.moc"
