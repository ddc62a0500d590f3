#pragma once
#include "controls/DbGrid.h"
#include "controls/RowColorDelegate.h"
#include "gen/GridFilter.h"

#include <QSet>
#include <QStringList>

class CheckIndicatorHeader;
class FilterHeader;

// The guest grids' widget: a data grid with a filter bar (a free-text cell under every column
// title), optional check boxes for ticking any number of rows, sort marks on the titles, and a
// look that each window sets (row and title heights, colours, per-row colouring). Enter moves
// to the next cell like Tab.
//
// The grid never filters the loaded rows itself: it announces filterChanged and the window
// turns filterColumns() into its query's conditions and runs the query again. Ticks are kept by
// the value of a key field, so they survive that re-run. Columns are the model's column
// numbers; rows are the query's loaded rows.
class FilterGrid : public DbGrid {
    Q_OBJECT
public:
    using RowColor = RowColorDelegate::RowColor;

    explicit FilterGrid(QWidget *parent = nullptr);

    FilterHeader *filterHeader() const { return m_titles; }

    // Filter bar. Texts set from code announce filterChanged at once, once per call, and only
    // when a text changed (or typing was still waiting to be announced).
    QString filterText(int column) const;
    QStringList filterTexts() const;
    bool hasFilterText() const;
    void setFilterText(int column, const QString &text);
    void setFilterTexts(const QStringList &texts);
    void clearFilters();
    void setFilterDelay(int milliseconds);
    // Every column in the order shown, with its cell text, field type and whether its field is a
    // column of the query's result (only those are filtered).
    QList<FilterColumn> filterColumns() const;

    // Multi-row selection.
    void setCheckBoxes(bool enabled);
    bool hasCheckBoxes() const { return m_checkBoxes; }
    // The field whose value identifies a row across re-runs of the query. Without one, ticks
    // are kept by row number and dropped whenever the rows are read again.
    void setKeyFieldName(const QString &fieldName);
    const QString &keyFieldName() const { return m_keyFieldName; }
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // The ticked rows among the query's rows, in the order shown; reads the rest of the rows
    // first, so that a ticked row that has not been loaded yet is not missed.
    QList<int> checkedRows();
    // The key values of all ticks, also of rows the current filter leaves out.
    QStringList checkedKeys() const;
    void clearChecks();

    // Title-click sort: when on, a click on a title runs gridBaslikSirala for its column.
    void setTitleSort(bool enabled) { m_titleSort = enabled; }
    bool titleSort() const { return m_titleSort; }
    SortMark sortMark(int column) const;
    // Clears the other titles' marks, moves the column's mark none -> ascending -> descending
    // -> none, and orders the loaded rows of the query by the marks (the query's own order when
    // none is left). The ordering stays on the query across re-runs.
    void gridBaslikSirala(int column);

    // Look.
    void setDefaultRowHeight(int pixels);
    void setTitleHeight(int pixels);
    void setGridColors(const QColor &background, const QColor &text);
    // Every second row (the second, fourth, ...) in this colour; an invalid colour turns it off.
    void setOddRowColor(const QColor &color);
    void setSelectionColors(const QColor &background, const QColor &text);
    void setTitleColors(const QColor &background, const QColor &text);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // Per-row colours; the current cell always keeps the normal colours.
    void setRowBackground(RowColor hook);
    void setRowTextColor(RowColor hook);

signals:
    void filterChanged();
    void titleClicked(int column);
    void checksChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void announceFilterChange();
    void markUntranslatableCells();
    void onTitleClicked(int column);
    void onRowsReread();
    // The identity of a loaded row for its tick; empty when the row cannot be ticked.
    QString tickKey(int row) const;
    void moveToNextCell();

    FilterHeader *m_titles;
    CheckIndicatorHeader *m_indicator;
    RowColorDelegate *m_cellPainter;
    QSet<QString> m_ticks;
    QString m_keyFieldName;
    bool m_checkBoxes = false;
    bool m_titleSort = false;
    bool m_readOnly = false;
};
