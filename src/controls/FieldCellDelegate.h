#pragma once
#include <QStyledItemDelegate>

// The cell editor of a data grid: the usual one, holding no more characters than the column's
// declared size (VARCHAR(n), CHAR(n)), so an over-long room number cannot even be typed.
class FieldCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit FieldCellDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};
