#include "ui/fix_list.h"

#include "layout/window_layout.h"
#include "ui/qt_text.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace pelio::ui {
namespace {

// Which characters of an item's text a fix changed, one bit each from the first.
constexpr int kMarkedRole = Qt::UserRole;
constexpr int kMemoRole = Qt::UserRole + 1;

// Draws an item's text with the changed kana in the highlight colour and underlined.
class MarkedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        item.widget->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        const bool selected = (item.state & QStyle::State_Selected) != 0;
        const QColor plain =
            item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QColor marked = selected ? plain : toColour(layout::kHighlight);
        const auto marks = index.data(kMarkedRole).toUInt();
        QRect room =
            item.widget->style()->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
        painter->save();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool isMarked = i < 32 && (marks >> i & 1u) != 0;
            QFont font = item.font;
            font.setUnderline(isMarked);
            painter->setFont(font);
            painter->setPen(isMarked ? marked : plain);
            const QString character = text.mid(i, 1);
            painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter, character);
            room.setLeft(room.left() + QFontMetrics(font).horizontalAdvance(character));
        }
        painter->restore();
    }
};

} // namespace

FixList::FixList(QWidget* parent)
    : QListWidget(parent) {
    setItemDelegate(new MarkedTextDelegate(this));
    setAccessibleName(QStringLiteral("近いそうさめも"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, &FixList::choose);
    hide();
}

void FixList::show(const std::vector<MemoFix>& fixes) {
    clear();
    for (const MemoFix& fix : fixes) {
        const QString memo = qs(fix.memo);
        auto* item = new QListWidgetItem(memo + qs(fix.details), this);
        item->setData(kMarkedRole, fix.marked);
        item->setData(kMemoRole, memo);
        item->setData(Qt::AccessibleTextRole, qs(fix.spoken));
        item->setToolTip(qs(fix.spoken));
    }
    setCurrentRow(0, QItemSelectionModel::NoUpdate);
    setVisible(!fixes.empty());
}

void FixList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (currentItem())
        currentItem()->setSelected(true);
}

void FixList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    clearSelection();
}

void FixList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            choose(currentItem());
        return;
    case Qt::Key_Escape:
        emit leftForTheMemoBox();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void FixList::choose(const QListWidgetItem* item) {
    if (item)
        emit chosen(item->data(kMemoRole).toString());
}

} // namespace pelio::ui
