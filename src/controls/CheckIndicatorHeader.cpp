#include "controls/CheckIndicatorHeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {
// Room beside the check box, so that it does not touch the cell's borders.
constexpr int kIndicatorMargin = 4;
} // namespace

CheckIndicatorHeader::CheckIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void CheckIndicatorHeader::setCheckedTest(CheckedTest test)
{
    m_isChecked = std::move(test);
    viewport()->update();
}

QSize CheckIndicatorHeader::indicatorSize() const
{
    return {style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this),
            style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this)};
}

QSize CheckIndicatorHeader::sizeHint() const
{
    return {indicatorSize().width() + 2 * kIndicatorMargin, QHeaderView::sizeHint().height()};
}

QSize CheckIndicatorHeader::minimumSizeHint() const
{
    return sizeHint();
}

void CheckIndicatorHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();

    QStyleOptionButton box;
    box.initFrom(this);
    box.rect = QRect(QPoint(), indicatorSize().boundedTo(rect.size()));
    box.rect.moveCenter(rect.center());
    const bool checked = m_isChecked && m_isChecked(logicalIndex);
    box.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, this);
}

void CheckIndicatorHeader::toggleAt(const QPoint &position)
{
    const int row = logicalIndexAt(position);
    if (row >= 0)
        emit rowToggled(row);
}

// The header's own press handling would select rows; here a press only turns the tick over.
void CheckIndicatorHeader::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        toggleAt(event->position().toPoint());
    event->accept();
}

// The second click of a double click arrives here instead of as a press.
void CheckIndicatorHeader::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}
