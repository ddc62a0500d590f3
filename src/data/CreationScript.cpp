#include "data/CreationScript.h"

#include "db/AppError.h"

#include <QFile>
#include <QStringDecoder>

#include <mutex>

// A resource compiled into a static library is not registered by itself: the library's object
// that carries it is only linked in when something refers to it, which this call does.
static void registerDataResources()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(data); });
}

QString creationScriptText()
{
    registerDataResources();
    QFile file(QString::fromLatin1(kCreationScriptResource));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Veritabanı oluşturma betiği okunamadı: %1 (%2)")
                           .arg(file.fileName(), file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        throw AppError(QStringLiteral("Veritabanı oluşturma betiği geçerli UTF-8 değil: %1")
                           .arg(file.fileName()));
    return text;
}
