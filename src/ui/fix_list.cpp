#include "ui/fix_list.h"

#include "layout/window_layout.h"
#include "ui/qt_text.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace pelio::ui {
namespace {

// Which characters of an item's text a fix changed, one bit each from the first.
constexpr int kMarkedRole = Qt::UserRole;
constexpr int kMemoRole = Qt::UserRole + 1;

// Draws an item's lines, the kana a fix changed in the first in the highlight colour and
// underlined; on the highlighted row, where that colour would not stand out, in the row's
// colours the other way round.
class MarkedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QStringList lines =
            item.text.replace('\n', QChar::LineSeparator).split(QChar::LineSeparator);
        item.text.clear();
        item.widget->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        // On the highlighted line the changed kana keeps its mark: the highlight colour behind
        // it, in the window's black, which stand apart from the line's own colours.
        const bool selected = (item.state & QStyle::State_Selected) != 0;
        const QColor plain =
            item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        // A changed kana is underlined in the highlight colour; on the selected line, in black on
        // a block of it.
        const QColor mark = toColour(layout::kHighlight);
        const auto marks = index.data(kMarkedRole).toUInt();
        const QRect room =
            item.widget->style()->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
        const QFontMetrics metrics(item.font);
        QRect line(room.left(),
                   room.center().y() - static_cast<int>(lines.size()) * metrics.lineSpacing() / 2,
                   room.width(), metrics.lineSpacing());
        painter->save();
        for (qsizetype i = 0; i < lines.front().size(); ++i) {
            const bool isMarked = i < 32 && (marks >> i & 1u) != 0;
            QFont font = item.font;
            font.setUnderline(isMarked);
            painter->setFont(font);
            const QString character = lines.front().mid(i, 1);
            const int advance = QFontMetrics(font).horizontalAdvance(character);
            if (isMarked && selected)
                painter->fillRect(QRect(line.left(), line.top(), advance, line.height()), mark);
            painter->setPen(!isMarked ? plain : selected ? toColour(layout::kBlack) : mark);
            painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, character);
            line.setLeft(line.left() + advance);
        }
        painter->setFont(item.font);
        painter->setPen(plain);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            line = QRect(room.left(), line.bottom() + 1, room.width(), metrics.lineSpacing());
            painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
        }
        painter->restore();
    }
};

} // namespace

FixList::FixList(QWidget* parent)
    : QListWidget(parent) {
    setItemDelegate(new MarkedTextDelegate(this));
    setAccessibleName(qs(layout::controlOf(layout::Role::FixList).spoken));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this, &FixList::choose);
    hide();
}

void FixList::show(const std::vector<MemoFix>& fixes) {
    clear();
    for (const MemoFix& fix : fixes) {
        const QString memo = qs(fix.memo);
        QString text = memo + qs(fix.details);
        if (!fix.differences.empty())
            text += '\n' + qs(fix.differences);
        auto* item = new QListWidgetItem(text, this);
        item->setData(kMarkedRole, fix.marked);
        item->setData(kMemoRole, memo);
        item->setData(Qt::AccessibleTextRole, qs(fix.spoken));
        item->setToolTip(qs(fix.spoken));
    }
    // No line is made current here: the list would tell assistive technology that its first
    // line has focus, while the keyboard stays in the memo box. It takes the first one with
    // focus.
    setVisible(!fixes.empty());
}

void FixList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (!currentItem())
        setCurrentRow(0);
    currentItem()->setSelected(true);
    // The toolkit tells of the list's own focus after this, and a screen reader would read the
    // list, not the memo offered: the line is told of once more, last.
    QMetaObject::invokeMethod(this, &FixList::tellOfCurrentLine, Qt::QueuedConnection);
}

void FixList::tellOfCurrentLine() {
    if (!hasFocus() || !currentItem())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(currentRow());
    QAccessible::updateAccessibility(&focus);
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
        choose(currentItem());
        return;
    case Qt::Key_Escape:
        emit leftForTheMemoBox();
        return;
    default: {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        // At either end the line stays, and nothing would be told: with one memo offered,
        // it would never be read again.
        if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
            currentRow() == before && currentItem())
            emit stayedOn(currentItem()->data(Qt::AccessibleTextRole).toString());
    }
    }
}

void FixList::choose(const QListWidgetItem* item) {
    if (item)
        emit chosen(item->data(kMemoRole).toString());
}

} // namespace pelio::ui
