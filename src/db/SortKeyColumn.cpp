#include "db/SortKeyColumn.h"

SortKeyColumn::SortKeyColumn(const std::vector<QVector<QVariant>> &rows, int column, FieldType type,
                             const QCollator &collator)
    : m_collated(isTextType(type) || type == FieldType::Unknown), m_collator(collator)
{
    m_cells.resize(rows.size());
    bool anyText = false;
    for (size_t row = 0; row < rows.size(); ++row) {
        const QVariant &value = rows[row].at(column);
        Cell &cell = m_cells[row];
        cell.isNull = value.isNull();
        if (cell.isNull)
            continue;
        cell.isText = value.typeId() == QMetaType::QString;
        if (cell.isText) {
            cell.text = *static_cast<const QString *>(value.constData());
            anyText = true;
        } else {
            cell.number = value.toDouble();
        }
    }
    // A number meeting a text is compared as text, so numbers need their text form only then.
    if (anyText) {
        for (size_t row = 0; row < rows.size(); ++row) {
            Cell &cell = m_cells[row];
            if (!cell.isNull && !cell.isText)
                cell.text = rows[row].at(column).toString();
        }
    }
}

int SortKeyColumn::compare(int a, int b) const
{
    const Cell &x = m_cells[size_t(a)];
    const Cell &y = m_cells[size_t(b)];
    if (x.isNull || y.isNull)
        return x.isNull == y.isNull ? 0 : (x.isNull ? -1 : 1);
    if (!x.isText && !y.isText)
        return x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
    if (m_collated)
        return m_collator.compare(x.text, y.text);
    return x.text.compare(y.text);
}
