#include "controls/FieldCellDelegate.h"

#include "db/Field.h"
#include "db/Query.h"
#include "db/QueryTableModel.h"

#include <QLineEdit>

FieldCellDelegate::FieldCellDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QWidget *FieldCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    const auto *rows = qobject_cast<const QueryTableModel *>(index.model());
    const Field *field = rows ? rows->fieldAt(index.column()) : nullptr;
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (edit && field && isTextType(field->type()) && field->size() > 0)
        edit->setMaxLength(field->size());
    return editor;
}
