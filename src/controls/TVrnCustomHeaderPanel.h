#pragma once
#include "controls/IconList.h"
#include "controls/TVrnImage.h"

#include <QFrame>
#include <QImage>
#include <QPointer>

class QHBoxLayout;

// The header strip at the top of a secondary window: a plain raised panel, 41 pixels high, with
// an optional background picture and an icon of the icon list at its left end. The icon is drawn
// at the largest whole multiple of the list's icon size that fits the strip inside its padding,
// never at a fraction of it.
class TVrnCustomHeaderPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kDefaultHeight = 41;

    explicit TVrnCustomHeaderPanel(QWidget *parent = nullptr);

    TVrnImageResType ImageLoadResType() const { return m_imageLoadResType; }
    void setImageLoadResType(TVrnImageResType type) { m_imageLoadResType = type; }
    const QString &ImageLoadResString() const { return m_imageLoadResString; }
    // Stores the name and, when it is not empty, loads the background picture from the
    // program's resources (see TVrnImage::loadResourcePicture); throws when it cannot.
    void setImageLoadResString(const QString &name);

    // The icon list is not owned; the panel forgets it when it is destroyed.
    IconList *Images() const { return m_images; }
    void setImages(IconList *images);
    // Takes effect at the next repaint.
    int ImageIndex() const { return m_imageIndex; }
    void setImageIndex(int index);
    bool HasIcon() const { return m_hasIcon; }

    const QImage &Picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    // Size of the icon as drawn at the last repaint (0 x 0 before the first one).
    QSize iconDrawSize() const { return {m_iwidth, m_iheight}; }
    int iconPadding() const { return m_ipad; }

    // Places a control at the right end of the strip (a record navigator, a date picker), after
    // the ones placed before, vertically centred.
    void addRightWidget(QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Recomputes the drawn icon size from the panel height and the list's icon size.
    void updateIconSize();

    int m_iwidth = 0;
    int m_iheight = 0;
    quint8 m_ipad = 5;
    bool m_hasIcon = false;

private:
    QImage m_picture;
    int m_imageIndex = -1;
    QPointer<IconList> m_images;
    TVrnImageResType m_imageLoadResType = TVrnImageResType::rit_jpg;
    QString m_imageLoadResString;
    QHBoxLayout *m_rightArea = nullptr;
};
