#pragma once
#include <QColor>
#include "controls/FieldCellDelegate.h"
#include <functional>

// Draws a grid's cells with the colours a window chooses per row (grey for departed guests,
// orange-red text for incomplete rows). The current cell of the view is drawn as usual, so the
// cell the operator is on keeps the normal selection colours. A hook that gives an invalid
// colour leaves the row as it is.
class RowColorDelegate : public FieldCellDelegate {
    Q_OBJECT
public:
    using RowColor = std::function<QColor(int row)>;

    explicit RowColorDelegate(QObject *parent = nullptr);

    void setRowBackground(RowColor hook) { m_background = std::move(hook); }
    void setRowTextColor(RowColor hook) { m_textColor = std::move(hook); }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    RowColor m_background;
    RowColor m_textColor;
};
