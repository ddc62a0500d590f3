#include "controls/FilterHeader.h"

#include <QEvent>
#include <QLineEdit>
#include <QStyleOptionHeader>
#include <QTimer>

namespace {
// Long enough to let a word be typed in one go, short enough to feel immediate.
constexpr int kDefaultFilterDelayMs = 400;
// Room for the cell's frame and text margins above and below the text.
constexpr int kFilterCellPadding = 8;
// Room for the title text's margins when the style asks for less.
constexpr int kTitlePadding = 6;
} // namespace

FilterHeader::FilterHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent), m_pause(new QTimer(this))
{
    m_pause->setSingleShot(true);
    m_pause->setInterval(kDefaultFilterDelayMs);
    connect(m_pause, &QTimer::timeout, this, &FilterHeader::announceNow);
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    connect(this, &QHeaderView::sectionResized, this, &FilterHeader::layoutFilterEdits);
    connect(this, &QHeaderView::sectionMoved, this, &FilterHeader::layoutFilterEdits);
    connect(this, &QHeaderView::sectionCountChanged, this, &FilterHeader::layoutFilterEdits);
    connect(this, &QHeaderView::geometriesChanged, this, &FilterHeader::layoutFilterEdits);
}

void FilterHeader::setModel(QAbstractItemModel *newModel)
{
    if (newModel == model())
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_modelConnections))
        disconnect(connection);
    m_modelConnections.clear();
    QHeaderView::setModel(newModel);
    if (newModel) {
        // Connected after the header's own handlers, so the sections are up to date when the
        // cells are matched to them.
        m_modelConnections
            << connect(newModel, &QAbstractItemModel::modelReset, this, &FilterHeader::syncWithColumns)
            << connect(newModel, &QAbstractItemModel::columnsInserted, this, &FilterHeader::syncWithColumns)
            << connect(newModel, &QAbstractItemModel::columnsRemoved, this, &FilterHeader::syncWithColumns)
            << connect(newModel, &QAbstractItemModel::layoutChanged, this, &FilterHeader::syncWithColumns);
    }
    syncWithColumns();
}

void FilterHeader::setTitleHeight(int pixels)
{
    m_titleHeight = pixels;
    updateGeometry();
    emit geometriesChanged();
    viewport()->update();
}

int FilterHeader::titleHeight() const
{
    if (m_titleHeight > 0)
        return m_titleHeight;
    return qMax(QHeaderView::sizeHint().height(), fontMetrics().height() + kTitlePadding);
}

int FilterHeader::filterRowHeight() const
{
    return fontMetrics().height() + kFilterCellPadding;
}

QSize FilterHeader::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), titleHeight() + filterRowHeight()};
}

QSize FilterHeader::minimumSizeHint() const
{
    return {QHeaderView::minimumSizeHint().width(), titleHeight() + filterRowHeight()};
}

QLineEdit *FilterHeader::filterEdit(int column) const
{
    return column >= 0 && column < m_edits.size() ? m_edits[column] : nullptr;
}

QString FilterHeader::filterText(int column) const
{
    const QLineEdit *edit = filterEdit(column);
    return edit ? edit->text() : QString();
}

QStringList FilterHeader::filterTexts() const
{
    QStringList texts;
    for (const QLineEdit *edit : m_edits)
        texts << edit->text();
    return texts;
}

void FilterHeader::setFilterText(int column, const QString &text)
{
    if (!filterEdit(column))
        return;
    QStringList texts = filterTexts();
    texts[column] = text;
    applyTexts(texts);
}

void FilterHeader::setFilterTexts(const QStringList &texts)
{
    applyTexts(texts);
}

void FilterHeader::clearFilters()
{
    applyTexts({});
}

void FilterHeader::setFilterDelay(int milliseconds)
{
    m_pause->setInterval(milliseconds);
}

int FilterHeader::filterDelay() const
{
    return m_pause->interval();
}

void FilterHeader::applyTexts(const QStringList &texts)
{
    // Typing that has not been announced yet is part of what the caller applies now.
    bool changed = m_pause->isActive();
    for (int column = 0; column < m_edits.size(); ++column) {
        const QString text = texts.value(column);
        if (m_edits[column]->text() != text) {
            m_edits[column]->setText(text);
            changed = true;
        }
    }
    if (changed)
        announceNow();
}

void FilterHeader::announceNow()
{
    m_pause->stop();
    emit filterChanged();
}

void FilterHeader::setFilterCellProblem(int column, const QString &problem)
{
    QLineEdit *edit = filterEdit(column);
    if (!edit || edit->toolTip() == problem)
        return;
    edit->setToolTip(problem);
    edit->setStyleSheet(problem.isEmpty() ? QString()
                                          : QStringLiteral("QLineEdit { border: 2px solid #d40000; background: #fff0f0; }"));
}

QString FilterHeader::filterCellProblem(int column) const
{
    const QLineEdit *edit = filterEdit(column);
    return edit ? edit->toolTip() : QString();
}

SortMark FilterHeader::sortMark(int column) const
{
    return m_marks.value(column, SortMark::None);
}

void FilterHeader::setSortMark(int column, SortMark mark)
{
    if (column < 0 || column >= m_marks.size() || m_marks[column] == mark)
        return;
    m_marks[column] = mark;
    updateSection(column);
}

void FilterHeader::syncWithColumns()
{
    const int columns = model() ? model()->columnCount(rootIndex()) : 0;
    while (m_edits.size() > columns)
        delete m_edits.takeLast();
    while (m_edits.size() < columns)
        m_edits.append(createFilterEdit());
    m_marks.resize(columns, SortMark::None);
    layoutFilterEdits();
}

QLineEdit *FilterHeader::createFilterEdit()
{
    auto *edit = new QLineEdit(this);
    connect(edit, &QLineEdit::textEdited, m_pause, qOverload<>(&QTimer::start));
    connect(edit, &QLineEdit::returnPressed, this, &FilterHeader::announceNow);
    return edit;
}

void FilterHeader::layoutFilterEdits()
{
    const int top = titleHeight();
    const int height = filterRowHeight();
    const int left = viewport()->x();
    for (int column = 0; column < m_edits.size(); ++column) {
        QLineEdit *edit = m_edits[column];
        if (column >= count() || isSectionHidden(column) || sectionSize(column) <= 0) {
            edit->hide();
            continue;
        }
        edit->setGeometry(left + sectionViewportPosition(column), top, sectionSize(column), height);
        edit->show();
    }
}

void FilterHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    switch (sortMark(logicalIndex)) {
    case SortMark::Ascending:
        option->sortIndicator = QStyleOptionHeader::SortUp;
        break;
    case SortMark::Descending:
        option->sortIndicator = QStyleOptionHeader::SortDown;
        break;
    case SortMark::None:
        option->sortIndicator = QStyleOptionHeader::None;
        break;
    }
}

void FilterHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    // The title takes the top of the section; the filter cell lies over the rest.
    QHeaderView::paintSection(painter, QRect(rect.left(), rect.top(), rect.width(), titleHeight()), logicalIndex);
}

// A quick second click on a title is one more click, so each of them advances the sort mark.
void FilterHeader::mouseDoubleClickEvent(QMouseEvent *event)
{
    QHeaderView::mousePressEvent(event);
}

void FilterHeader::resizeEvent(QResizeEvent *event)
{
    QHeaderView::resizeEvent(event);
    layoutFilterEdits();
}

void FilterHeader::changeEvent(QEvent *event)
{
    QHeaderView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        emit geometriesChanged();
    }
}
