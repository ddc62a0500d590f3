#pragma once
#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QSize>

// The shared icon list: pictures of buttons, actions and header panels, referred to by index.
// The list has room for 125 icons of 16 x 16 pixels; an index without a picture gives a null
// icon and an empty pixmap.
class IconList : public QObject {
    Q_OBJECT
public:
    static constexpr int kCount = 125;

    explicit IconList(QObject *parent = nullptr);

    int count() const { return kCount; }
    QSize iconSize() const { return {16, 16}; }
    int width() const { return iconSize().width(); }
    int height() const { return iconSize().height(); }

    bool hasPicture(int index) const;
    QIcon icon(int index) const;
    // The picture at the list's icon size.
    QPixmap pixmap(int index) const;

private:
    mutable QHash<int, QIcon> m_icons;
};
