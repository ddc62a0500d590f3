#include "notify/KonaklamaDocument.h"

#include "notify/Iso88599Codec.h"
#include "notify/TXMLKonaklama.h"

#include <QCryptographicHash>

std::unique_ptr<IXMLKonaklamaJ> NewKonaklama()
{
    return std::make_unique<TXMLKonaklama>();
}

QString XmlHash(const QString &text)
{
    const QByteArray digest = QCryptographicHash::hash(Iso88599Codec::encode(text), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex().toUpper());
}
