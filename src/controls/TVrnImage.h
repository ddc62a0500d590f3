#pragma once
#include <QImage>
#include <QLabel>
#include <QString>

// Kinds of picture that a control loads from the program's resources.
enum class TVrnImageResType { rit_jpg = 0, rit_png = 1 };

// A picture control that can take its picture from a JPEG or PNG resource of the program.
class TVrnImage : public QLabel {
    Q_OBJECT
public:
    explicit TVrnImage(QWidget *parent = nullptr);

    TVrnImageResType ImageLoadResType() const { return m_imageLoadResType; }
    void setImageLoadResType(TVrnImageResType type) { m_imageLoadResType = type; }
    const QString &ImageLoadResString() const { return m_imageLoadResString; }
    // Stores the resource name and, when it is not empty, loads the picture at once; an empty
    // name keeps the current picture. Throws AppError when the picture cannot be loaded.
    void setImageLoadResString(const QString &name);

    // Reads a picture resource: a name starting with ':' is a resource path, any other name is
    // looked up at the resource root. A missing JPEG resource raises "Jpg Load Error"; a missing
    // PNG resource or a picture that does not decode raises the image reader's own message.
    static QImage loadResourcePicture(TVrnImageResType type, const QString &name);

private:
    TVrnImageResType m_imageLoadResType = TVrnImageResType::rit_jpg;
    QString m_imageLoadResString;
};
