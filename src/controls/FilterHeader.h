#pragma once
#include "gen/GridFilter.h"

#include <QHeaderView>
#include <QList>
#include <QStringList>

class QLineEdit;
class QTimer;

// The title row of a filter grid, with a free-text filter cell under every column title. The
// cells are laid over the header itself and placed from the header's own section geometry, so
// they follow their columns when these are resized, moved, hidden or scrolled sideways.
// Typing announces a change once the user pauses, Enter at once; texts set from code announce
// at once, with one announcement per call. A title shows the sort mark of its column.
// Columns are the model's (logical) column numbers.
class FilterHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit FilterHeader(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // 0 gives the style's own height for the titles.
    void setTitleHeight(int pixels);
    int titleHeight() const;
    int filterRowHeight() const;

    QLineEdit *filterEdit(int column) const;
    QString filterText(int column) const;
    QStringList filterTexts() const;
    void setFilterText(int column, const QString &text);
    // Texts for the first columns in order; the cells beyond the list are emptied.
    void setFilterTexts(const QStringList &texts);
    void clearFilters();
    // How long typing has to pause before the change is announced.
    void setFilterDelay(int milliseconds);
    int filterDelay() const;

    // Marks a cell that could not be translated: a red frame and the reason as its tool tip. An
    // empty problem takes the mark away.
    void setFilterCellProblem(int column, const QString &problem);
    QString filterCellProblem(int column) const;

    SortMark sortMark(int column) const;
    void setSortMark(int column, SortMark mark);

    // Places the filter cells on their columns again.
    void layoutFilterEdits();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void filterChanged();

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void syncWithColumns();
    QLineEdit *createFilterEdit();
    void announceNow();
    // Sets the texts of all cells; announces once when a text changed or typing was pending.
    void applyTexts(const QStringList &texts);

    // One cell per model column, children of this header; deleted with it.
    QList<QLineEdit *> m_edits;
    QList<SortMark> m_marks;
    QList<QMetaObject::Connection> m_modelConnections;
    QTimer *m_pause;
    int m_titleHeight = 0;
};
