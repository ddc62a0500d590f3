#include "controls/FilterGrid.h"

#include "controls/CheckIndicatorHeader.h"
#include "controls/FilterHeader.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <algorithm>
#include <QScrollBar>

namespace {

void setColorInUse(QPalette &palette, QPalette::ColorRole role, const QColor &color)
{
    // Active and inactive alike, so the grid keeps its look when the focus is elsewhere.
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
}

} // namespace

FilterGrid::FilterGrid(QWidget *parent)
    : DbGrid(parent),
      m_titles(new FilterHeader(this)),
      m_indicator(new CheckIndicatorHeader(this)),
      m_cellPainter(new RowColorDelegate(this))
{
    replaceHorizontalHeader(m_titles);
    setVerticalHeader(m_indicator);
    m_indicator->hide();
    m_indicator->setCheckedTest([this](int row) { return isChecked(row); });
    setItemDelegate(m_cellPainter);
    setTabKeyNavigation(true);

    connect(m_titles, &FilterHeader::filterChanged, this, &FilterGrid::announceFilterChange);
    connect(m_titles, &QHeaderView::sectionClicked, this, &FilterGrid::onTitleClicked);
    connect(m_indicator, &CheckIndicatorHeader::rowToggled, this,
            [this](int row) { setChecked(row, !isChecked(row)); });
    connect(model(), &QAbstractItemModel::modelReset, this, &FilterGrid::onRowsReread);
}

// The window's handler runs the query again; whatever it throws is reported here, because the
// change may come from a timer or a key press with no caller to pass it to. A cell that cannot be
// translated is marked first; the handler leaves it out and the other cells still filter.
void FilterGrid::announceFilterChange()
{
    markUntranslatableCells();
    ErrorSink::guard([this] { emit filterChanged(); });
}

void FilterGrid::markUntranslatableCells()
{
    for (int column = 0; column < model()->columns().size(); ++column) {
        // Calculated and lookup columns are never filtered, so their cells have nothing to mark.
        const Field *field = model()->fieldAt(column);
        const bool filtered = field && field->columnIndex() >= 0;
        m_titles->setFilterCellProblem(column, filtered ? filterCellProblem(filterText(column), field->type()) : QString());
    }
}

QString FilterGrid::filterText(int column) const
{
    return m_titles->filterText(column);
}

QStringList FilterGrid::filterTexts() const
{
    return m_titles->filterTexts();
}

bool FilterGrid::hasFilterText() const
{
    const QStringList texts = filterTexts();
    return std::any_of(texts.begin(), texts.end(), [](const QString &text) { return !text.isEmpty(); });
}

void FilterGrid::setFilterText(int column, const QString &text)
{
    m_titles->setFilterText(column, text);
}

void FilterGrid::setFilterTexts(const QStringList &texts)
{
    m_titles->setFilterTexts(texts);
}

void FilterGrid::clearFilters()
{
    m_titles->clearFilters();
}

void FilterGrid::setFilterDelay(int milliseconds)
{
    m_titles->setFilterDelay(milliseconds);
}

QList<FilterColumn> FilterGrid::filterColumns() const
{
    QList<FilterColumn> columns;
    for (int visual = 0; visual < m_titles->count(); ++visual) {
        const int column = m_titles->logicalIndex(visual);
        if (column < 0 || column >= model()->columns().size())
            continue;
        const Field *field = model()->fieldAt(column);
        FilterColumn filterColumn;
        filterColumn.fieldName = model()->columns()[column].fieldName;
        filterColumn.filterText = filterText(column);
        filterColumn.type = field ? field->type() : FieldType::Unknown;
        filterColumn.isDataField = field && field->columnIndex() >= 0;
        columns << filterColumn;
    }
    return columns;
}

void FilterGrid::setCheckBoxes(bool enabled)
{
    m_checkBoxes = enabled;
    m_indicator->setVisible(enabled);
    updateGeometries();
}

void FilterGrid::setKeyFieldName(const QString &fieldName)
{
    m_keyFieldName = fieldName;
    clearChecks();
}

QString FilterGrid::tickKey(int row) const
{
    const Query *rows = query();
    if (!rows || !rows->isOpen() || row < 0 || row >= rows->loadedCount())
        return {};
    const Field *key = m_keyFieldName.isEmpty() ? nullptr : rows->findField(m_keyFieldName);
    if (!key || key->columnIndex() < 0)
        return QLatin1Char('#') + QString::number(row);
    // The query knows its own key without reading the row, which matters for a windowed list.
    const bool queryKey = key->isKey() && key->originTable().compare(rows->updateTable(), Qt::CaseInsensitive) == 0;
    const QVariant value = queryKey ? rows->keyAt(row) : rows->rawValue(row, key->columnIndex());
    return value.isNull() ? QString() : value.toString();
}

bool FilterGrid::isChecked(int row) const
{
    const QString key = tickKey(row);
    return !key.isEmpty() && m_ticks.contains(key);
}

void FilterGrid::setChecked(int row, bool checked)
{
    const QString key = tickKey(row);
    if (key.isEmpty() || m_ticks.contains(key) == checked)
        return;
    if (checked)
        m_ticks.insert(key);
    else
        m_ticks.remove(key);
    m_indicator->viewport()->update();
    emit checksChanged();
}

QList<int> FilterGrid::checkedRows()
{
    QList<int> rows;
    Query *list = query();
    if (m_ticks.isEmpty() || !list || !list->isOpen())
        return rows;
    list->fetchAll();
    for (int row = 0; row < list->loadedCount(); ++row) {
        if (isChecked(row))
            rows << row;
    }
    return rows;
}

QStringList FilterGrid::checkedKeys() const
{
    QStringList keys(m_ticks.begin(), m_ticks.end());
    keys.sort();
    return keys;
}

void FilterGrid::clearChecks()
{
    if (m_ticks.isEmpty())
        return;
    m_ticks.clear();
    m_indicator->viewport()->update();
    emit checksChanged();
}

// Without a key field a tick names a row position, which means nothing once the rows are read
// again or reordered.
void FilterGrid::onRowsReread()
{
    const Field *key = m_keyFieldName.isEmpty() || !query() ? nullptr : query()->findField(m_keyFieldName);
    if (!key)
        clearChecks();
}

SortMark FilterGrid::sortMark(int column) const
{
    return m_titles->sortMark(column);
}

void FilterGrid::onTitleClicked(int column)
{
    emit titleClicked(column);
    if (m_titleSort)
        ErrorSink::guard([&] { gridBaslikSirala(column); });
}

void FilterGrid::gridBaslikSirala(int column)
{
    for (int other = 0; other < model()->columnCount(); ++other) {
        if (other != column)
            m_titles->setSortMark(other, SortMark::None);
    }
    const Field *clicked = model()->fieldAt(column);
    const bool sortable = clicked && clicked->columnIndex() >= 0;
    m_titles->setSortMark(column, sortable ? nextSortMark(m_titles->sortMark(column)) : SortMark::None);

    Query *list = query();
    if (!list || list->master())
        return;
    QList<QPair<QString, SortMark>> marks;
    for (int each = 0; each < model()->columnCount(); ++each) {
        const Field *field = model()->fieldAt(each);
        if (field && field->columnIndex() >= 0)
            marks.append({field->name(), m_titles->sortMark(each)});
    }
    list->setSortOrder(siralamaMetni(marks));
}

void FilterGrid::setDefaultRowHeight(int pixels)
{
    QHeaderView *rows = verticalHeader();
    rows->setMinimumSectionSize(qMin(pixels, rows->minimumSectionSize()));
    rows->setDefaultSectionSize(pixels);
}

void FilterGrid::setTitleHeight(int pixels)
{
    m_titles->setTitleHeight(pixels);
}

void FilterGrid::setGridColors(const QColor &background, const QColor &text)
{
    QPalette colours = palette();
    setColorInUse(colours, QPalette::Base, background);
    setColorInUse(colours, QPalette::Window, background);
    setColorInUse(colours, QPalette::Text, text);
    setPalette(colours);
}

void FilterGrid::setOddRowColor(const QColor &color)
{
    QPalette colours = palette();
    if (color.isValid())
        setColorInUse(colours, QPalette::AlternateBase, color);
    setPalette(colours);
    setAlternatingRowColors(color.isValid());
}

void FilterGrid::setSelectionColors(const QColor &background, const QColor &text)
{
    QPalette colours = palette();
    setColorInUse(colours, QPalette::Highlight, background);
    setColorInUse(colours, QPalette::HighlightedText, text);
    setPalette(colours);
}

void FilterGrid::setTitleColors(const QColor &background, const QColor &text)
{
    // The corner above the check boxes is a button of the view's own; it belongs with the titles.
    QWidget *corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    const QList<QWidget *> titleParts{m_titles, m_indicator, corner};
    for (QWidget *part : titleParts) {
        if (!part)
            continue;
        QPalette colours = part->palette();
        setColorInUse(colours, QPalette::Button, background);
        setColorInUse(colours, QPalette::ButtonText, text);
        // Some styles draw the sort mark in the window text colour.
        setColorInUse(colours, QPalette::WindowText, text);
        part->setPalette(colours);
    }
}

void FilterGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed);
}

void FilterGrid::setRowBackground(RowColor hook)
{
    m_cellPainter->setRowBackground(std::move(hook));
    viewport()->update();
}

void FilterGrid::setRowTextColor(RowColor hook)
{
    m_cellPainter->setRowTextColor(std::move(hook));
    viewport()->update();
}

void FilterGrid::moveToNextCell()
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    DbGrid::keyPressEvent(&tab);
}

void FilterGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_End && (event->modifiers() & Qt::ControlModifier) && query())
        ErrorSink::guard([&] { query()->fetchAll(); }); // the last row is the last of the whole list
    const bool plainKey = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plainKey && state() != QAbstractItemView::EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            moveToNextCell();
            event->accept();
            return;
        case Qt::Key_Space:
            if (m_checkBoxes && currentIndex().isValid()) {
                setChecked(currentIndex().row(), !isChecked(currentIndex().row()));
                event->accept();
                return;
            }
            break;
        default:
            break;
        }
    }
    DbGrid::keyPressEvent(event);
}

void FilterGrid::scrollContentsBy(int dx, int dy)
{
    DbGrid::scrollContentsBy(dx, dy);
    if (dx != 0)
        m_titles->layoutFilterEdits();
}

void FilterGrid::updateGeometries()
{
    DbGrid::updateGeometries();
    m_titles->layoutFilterEdits();
}
