#include "controls/TVrnImage.h"

#include "db/AppError.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace {
QString resourcePath(const QString &name)
{
    return name.startsWith(QLatin1Char(':')) ? name : QStringLiteral(":/") + name;
}
} // namespace

TVrnImage::TVrnImage(QWidget *parent) : QLabel(parent) {}

void TVrnImage::setImageLoadResString(const QString &name)
{
    m_imageLoadResString = name;
    if (!name.isEmpty())
        setPixmap(QPixmap::fromImage(loadResourcePicture(m_imageLoadResType, name)));
}

QImage TVrnImage::loadResourcePicture(TVrnImageResType type, const QString &name)
{
    const QString path = resourcePath(name);
    if (type == TVrnImageResType::rit_jpg && !QFile::exists(path))
        throw AppError(QStringLiteral("Jpg Load Error"));
    QImageReader reader(path, type == TVrnImageResType::rit_jpg ? "jpeg" : "png");
    const QImage picture = reader.read();
    if (picture.isNull())
        throw AppError(reader.errorString());
    return picture;
}
