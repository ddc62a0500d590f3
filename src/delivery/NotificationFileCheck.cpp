#include "delivery/NotificationFileCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

NotificationFileCheck::Result NotificationFileCheck::verify(const QString &path, const QString &recordedHash)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty())
        return {State::Missing, QStringLiteral("Bu bildirimde dosya yazılmamıştı.")};
    if (!QFileInfo(path).isFile())
        return {State::Missing, QStringLiteral("Dosya yerinde yok: %1").arg(shown)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {State::Unreadable, QStringLiteral("Dosya okunamadı: %1 (%2)").arg(shown, file.errorString())};
    const QByteArray bytes = file.readAll();
    qsizetype contentStart = 0;
    const QString hashLine = hashLineValue(bytes, &contentStart);
    if (hashLine.isEmpty())
        return {State::NoHashLine, QStringLiteral("Dosyada karma satırı yok ya da bozuk: %1").arg(shown)};
    const QString actual = QString::fromLatin1(
        QCryptographicHash::hash(bytes.mid(contentStart), QCryptographicHash::Md5).toHex().toUpper());
    if (actual != hashLine)
        return {State::ContentChanged,
                QStringLiteral("Dosya yerinde, ancak içeriği değişmiş: karma satırı içerikle uyuşmuyor.\n%1").arg(shown)};
    if (!recordedHash.isEmpty() && recordedHash.compare(hashLine, Qt::CaseInsensitive) != 0)
        return {State::DiffersFromLedger,
                QStringLiteral("Dosya yerinde ve karma satırı içerikle uyuşuyor, ancak karma kayıttakinden farklı: "
                               "dosya başka bir bildirimle değiştirilmiş.\n%1")
                    .arg(shown)};
    return {State::Intact, QStringLiteral("Dosya yerinde, karma satırı içerikle uyuşuyor.\n%1").arg(shown)};
}

// The value of line 2 ("<?hash ...?>"), and where the content it covers begins: after the second
// line break.
QString NotificationFileCheck::hashLineValue(const QByteArray &bytes, qsizetype *contentStart)
{
    const qsizetype firstBreak = bytes.indexOf("\r\n");
    if (firstBreak < 0)
        return {};
    const qsizetype secondBreak = bytes.indexOf("\r\n", firstBreak + 2);
    if (secondBreak < 0)
        return {};
    static const QRegularExpression pattern(QStringLiteral("^<\\?hash ([0-9A-Fa-f]{32})\\?>$"));
    const QRegularExpressionMatch match =
        pattern.match(QString::fromLatin1(bytes.mid(firstBreak + 2, secondBreak - firstBreak - 2)));
    if (!match.hasMatch())
        return {};
    *contentStart = secondBreak + 2;
    return match.captured(1).toUpper();
}
