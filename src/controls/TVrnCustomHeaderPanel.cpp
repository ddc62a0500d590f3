#include "controls/TVrnCustomHeaderPanel.h"

#include <QHBoxLayout>
#include <QPainter>

TVrnCustomHeaderPanel::TVrnCustomHeaderPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFixedHeight(kDefaultHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TVrnCustomHeaderPanel::setImageLoadResString(const QString &name)
{
    m_imageLoadResString = name;
    if (!name.isEmpty())
        setPicture(TVrnImage::loadResourcePicture(m_imageLoadResType, name));
}

void TVrnCustomHeaderPanel::setImages(IconList *images)
{
    if (m_images == images)
        return;
    m_images = images;
    m_hasIcon = m_images && m_imageIndex >= 0;
    update();
}

void TVrnCustomHeaderPanel::setImageIndex(int index)
{
    m_imageIndex = index;
    m_hasIcon = m_images && m_imageIndex >= 0;
}

void TVrnCustomHeaderPanel::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TVrnCustomHeaderPanel::addRightWidget(QWidget *widget)
{
    if (!m_rightArea) {
        m_rightArea = new QHBoxLayout(this);
        m_rightArea->setContentsMargins(m_ipad, 0, m_ipad, 0);
        m_rightArea->addStretch(1);
    }
    m_rightArea->addWidget(widget, 0, Qt::AlignVCenter);
}

void TVrnCustomHeaderPanel::updateIconSize()
{
    if (!m_images || m_imageIndex < 0) {
        m_hasIcon = false;
        return;
    }
    m_hasIcon = true;
    const int iconHeight = m_images->height();
    const int factor = (height() - 2 * m_ipad) / iconHeight;
    m_iheight = iconHeight * qMax(factor, 0);
    m_iwidth = (m_iheight / iconHeight) * m_images->width();
}

void TVrnCustomHeaderPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawImage(rect(), m_picture);
    if (m_images && m_imageIndex >= 0) {
        updateIconSize();
        const QRect target(m_ipad, (height() - m_iheight) / 2, m_iwidth, m_iheight);
        if (!target.isEmpty())
            m_images->icon(m_imageIndex).paint(&painter, target);
    }
}
