#include "controls/TVrnHeaderPanel.h"

#include <QEvent>
#include <QLabel>

TVrnHeaderPanel::TVrnHeaderPanel(QWidget *parent) : TVrnCustomHeaderPanel(parent), m_label(new QLabel(this))
{
    m_label->setObjectName(QStringLiteral("LabelCap"));
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    m_label->adjustSize();
    m_label->move(5, height() / 2 - m_label->height() / 2);
}

// A new title asks the panel for a new layout; the label takes the size of its text and is
// placed again at the repaint that follows.
bool TVrnHeaderPanel::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest) {
        m_label->adjustSize();
        update();
    }
    return TVrnCustomHeaderPanel::event(event);
}

void TVrnHeaderPanel::paintEvent(QPaintEvent *event)
{
    updateIconSize();
    placeLabel();
    TVrnCustomHeaderPanel::paintEvent(event);
}

void TVrnHeaderPanel::placeLabel()
{
    m_label->adjustSize();
    const int left = m_hasIcon ? m_iwidth + 10 : 5;
    m_label->move(left, height() / 2 - m_label->height() / 2);
}
