#include "controls/RowColorDelegate.h"

#include <QAbstractItemView>

RowColorDelegate::RowColorDelegate(QObject *parent) : FieldCellDelegate(parent) {}

void RowColorDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    FieldCellDelegate::initStyleOption(option, index);
    const auto *view = qobject_cast<const QAbstractItemView *>(option->widget);
    if (view && view->currentIndex() == index)
        return;
    const QColor background = m_background ? m_background(index.row()) : QColor();
    if (background.isValid()) {
        // The row's own colour wins over the selection in every cell but the current one.
        option->backgroundBrush = background;
        option->state &= ~QStyle::State_Selected;
    }
    const QColor text = m_textColor ? m_textColor(index.row()) : QColor();
    if (text.isValid()) {
        option->palette.setColor(QPalette::Text, text);
        option->palette.setColor(QPalette::HighlightedText, text);
    }
}
