#include "mrz/MrzUyruk.h"

#include "data/CreationScript.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// Zone codes that differ from the code of the same country in the nationality list.
const QHash<QString, QString> &zoneToListCode()
{
    static const QHash<QString, QString> codes{
        {QStringLiteral("D"), QStringLiteral("DEU")},
        {QStringLiteral("TUR"), QStringLiteral("TC")},
        // Zimbabwe and Romania carry older codes in the list.
        {QStringLiteral("ZWE"), QStringLiteral("ZIM")},
        {QStringLiteral("ROM"), QStringLiteral("ROU")},
    };
    return codes;
}

QSet<QString> seededCodes()
{
    static const QSet<QString> codes = [] {
        QSet<QString> found;
        static const QRegularExpression insert(QStringLiteral(
            "INSERT OR IGNORE INTO UYRUK \\(UYRUKADI,UYRUKKODU\\) VALUES \\('(?:[^']|'')*','([^']*)'\\);"));
        auto it = insert.globalMatch(creationScriptText());
        while (it.hasNext())
            found.insert(it.next().captured(1));
        return found;
    }();
    return codes;
}

} // namespace

MrzUyruk::MrzUyruk() : m_kodlar(seededCodes()) {}

MrzUyruk::MrzUyruk(QSet<QString> uyrukKodlari) : m_kodlar(std::move(uyrukKodlari)) {}

QString MrzUyruk::temizKod(const QString &zoneCode)
{
    QString code = zoneCode;
    code.remove(QLatin1Char('<'));
    return code;
}

QString MrzUyruk::uyrukKodu(const QString &zoneCode) const
{
    const QString code = temizKod(zoneCode);
    const QString listCode = zoneToListCode().value(code, code);
    return m_kodlar.contains(listCode) ? listCode : QString();
}

bool MrzUyruk::avrupaBirligiUyesi(const QString &zoneCode)
{
    static const QSet<QString> members{
        QStringLiteral("AUT"), QStringLiteral("BEL"), QStringLiteral("BGR"), QStringLiteral("HRV"),
        QStringLiteral("CYP"), QStringLiteral("CZE"), QStringLiteral("DNK"), QStringLiteral("EST"),
        QStringLiteral("FIN"), QStringLiteral("FRA"), QStringLiteral("DEU"), QStringLiteral("D"),
        QStringLiteral("GRC"), QStringLiteral("HUN"), QStringLiteral("IRL"), QStringLiteral("ITA"),
        QStringLiteral("LVA"), QStringLiteral("LTU"), QStringLiteral("LUX"), QStringLiteral("MLT"),
        QStringLiteral("NLD"), QStringLiteral("POL"), QStringLiteral("PRT"), QStringLiteral("ROU"),
        QStringLiteral("SVK"), QStringLiteral("SVN"), QStringLiteral("ESP"), QStringLiteral("SWE"),
    };
    return members.contains(temizKod(zoneCode));
}

bool MrzUyruk::turkiye(const QString &zoneCode)
{
    const QString code = temizKod(zoneCode);
    return code == QLatin1String("TUR") || code == QLatin1String("TC");
}
