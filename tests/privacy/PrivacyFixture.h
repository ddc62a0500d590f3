#pragma once
// A register in a fresh working directory with one facility and one room, and guests whose every
// identity value is distinctive, so that a search of the file's bytes finds exactly them.
#include "data/Tdm1.h"
#include "db/Database.h"
#include "db/ErrorSink.h"

#include "TestSupport.h"

#include <QDate>
#include <QFile>
#include <QStringList>
#include <QtEndian>
#include <memory>
#include "CapturedErrors.h"

namespace privacytest {

using testsupport::CapturedErrors;

// The identity values of one guest; `tag` makes every text of the guest unique in the file.
struct Identity {
    QString tag;
    qint64 tcNo = 0;
    QString serial;
    QString nationality = QStringLiteral("TC");
    QString givenName;
    QString surname;
    QString birthDate = QStringLiteral("1985-04-23");

    static Identity make(const QString &tag, qint64 tcNo)
    {
        Identity identity;
        identity.tag = tag;
        identity.tcNo = tcNo;
        identity.serial = QStringLiteral("SR") + tag;
        identity.givenName = QStringLiteral("ADI") + tag;
        identity.surname = QStringLiteral("SOYADI") + tag;
        return identity;
    }

    // Every erasable value as the texts a search of the file's bytes looks for.
    QStringList erasableTexts() const
    {
        QStringList texts{serial, givenName, surname, QString::number(tcNo)};
        for (const char *prefix : {"BABA", "ANA", "DOGYER", "NIL", "NILCE", "NMAH", "ADRES", "MESLEK", "PLK", "NOT"})
            texts << QLatin1String(prefix) + tag;
        return texts;
    }
};

class Register {
public:
    Register() { start(); }

    void start()
    {
        module = std::make_unique<Tdm1>();
        Database &d = db();
        if (d.scalar("SELECT count(*) FROM ODAEV").toInt() == 0) {
            d.execute("INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES(7,'P','Otel Çınar')");
            d.execute("INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES(:t,'12')", {{"t", d.lastInsertRowId()}});
        }
        room = d.scalar("SELECT IDODAEV FROM ODAEV").toLongLong();
    }
    // The program ends and starts again on the same file.
    void restart()
    {
        module.reset();
        start();
    }
    Database &db() { return *module->dbMain(); }

    qint64 addStay(const Identity &who, const QVariant &arrival, const QVariant &departure)
    {
        const QString &t = who.tag;
        db().execute(
            "INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,TCNO,ADI,SOYADI,BABAADI,ANAADI,CINSIYET,"
            "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,NUFUSKAYITIL,NUFUSKAYITILCE,NUFUSKAYITMAH,NUFUSCILT,NUFUSAILESIRANO,"
            "NUFUSSIRANO,IKAMETADRESI,MESLEGI,GELISTARIH,GELISSAAT,AYRILISTARIH,AYRILISSAAT,ARACPLAKANO,NOTLAR) "
            "VALUES(:oda,'N',:seri,:uyruk,:tc,:adi,:soyadi,:baba,:ana,'K','E',:dy,:dt,:nil,:nilce,:nmah,731,4242,"
            "5353,:adres,:meslek,:gt,'10:00:00.000',:at,CASE WHEN :at IS NULL THEN NULL ELSE '11:00:00.000' END,"
            ":plaka,:notlar)",
            {{"oda", room}, {"seri", who.serial}, {"uyruk", who.nationality},
             {"tc", who.tcNo ? QVariant(who.tcNo) : QVariant()}, {"adi", who.givenName}, {"soyadi", who.surname},
             {"baba", "BABA" + t}, {"ana", "ANA" + t}, {"dy", "DOGYER" + t}, {"dt", who.birthDate},
             {"nil", "NIL" + t}, {"nilce", "NILCE" + t}, {"nmah", "NMAH" + t}, {"adres", "ADRES" + t},
             {"meslek", "MESLEK" + t}, {"gt", arrival}, {"at", departure}, {"plaka", "PLK" + t},
             {"notlar", "NOT" + t}});
        return db().lastInsertRowId();
    }

    QVariant stored(qint64 stay, const QString &column)
    {
        return db().scalar(QString("SELECT %1 FROM MISAFIR WHERE IDMISAFIR=:id").arg(column), {{"id", stay}});
    }

    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    std::unique_ptr<Tdm1> module;
    qint64 room = 0;
};

inline QString day(int daysFromToday) { return QDate::currentDate().addDays(daysFromToday).toString(Qt::ISODate); }

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The values of `who` found in the bytes: the texts in UTF-8 and the TC number also as the
// engine stores an integer of its size (six bytes, most significant first).
inline QStringList valuesFoundIn(const QByteArray &bytes, const Identity &who)
{
    QStringList found;
    for (const QString &text : who.erasableTexts()) {
        if (bytes.contains(text.toUtf8()))
            found << text;
    }
    if (who.tcNo) {
        const quint64 bigEndian = qToBigEndian(quint64(who.tcNo));
        const QByteArray sixBytes = QByteArray(reinterpret_cast<const char *>(&bigEndian), 8).right(6);
        if (bytes.contains(sixBytes))
            found << QStringLiteral("TC number as an integer");
    }
    return found;
}

// The register and its journal, whichever are there.
inline QByteArray registerBytes(const QString &directory)
{
    return fileBytes(directory + "/qrt.db") + fileBytes(directory + "/qrt.db-journal");
}

} // namespace privacytest
