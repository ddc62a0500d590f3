#include "delivery/DeliveryGaps.h"

#include "db/Database.h"
#include "db/Statement.h"

#include <QStringList>

namespace {

// Per active facility: the files written for yesterday, and the result and the guests left out
// of its last run.
const char *const kGapSql =
    "SELECT T.IDTESISLER, T.TESISADI, "
    "(SELECT COUNT(*) FROM BILDIRIMLER B WHERE B._IDTESISLER=T.IDTESISLER AND B.GUN=:dun AND B.SONUC=1), "
    "(SELECT B.SONUC FROM BILDIRIMLER B WHERE B._IDTESISLER=T.IDTESISLER ORDER BY B.IDBILDIRIMLER DESC LIMIT 1), "
    "(SELECT B.EKSIKSAYISI FROM BILDIRIMLER B WHERE B._IDTESISLER=T.IDTESISLER ORDER BY B.IDBILDIRIMLER DESC LIMIT 1) "
    "FROM TESISLER T WHERE T.TESISAKTIF=1 ORDER BY T.TESISADI, T.IDTESISLER";

QString problemOf(qint64 yesterdaysFiles, const QVariant &lastResult, const QVariant &lastLeftOut)
{
    QStringList problems;
    if (yesterdaysFiles == 0)
        problems << QStringLiteral("dün için dosya yok");
    if (!lastResult.isNull() && lastResult.toLongLong() == 0)
        problems << QStringLiteral("son bildirimde dosya yazılamadı");
    if (!lastLeftOut.isNull() && lastLeftOut.toLongLong() > 0)
        problems << QStringLiteral("son bildirimde %1 misafir yazılmadı").arg(lastLeftOut.toLongLong());
    return problems.join(QStringLiteral(", "));
}

} // namespace

QList<DeliveryGaps::Gap> DeliveryGaps::find(Database &db, const QDate &today)
{
    Statement statement(db, QString::fromLatin1(kGapSql));
    statement.bind(QStringLiteral("dun"), today.addDays(-1));
    QList<Gap> gaps;
    while (statement.step()) {
        const QString problem =
            problemOf(statement.columnValue(2).toLongLong(), statement.columnValue(3), statement.columnValue(4));
        if (!problem.isEmpty())
            gaps << Gap{statement.columnValue(0).toLongLong(), statement.columnValue(1).toString(), problem};
    }
    return gaps;
}

QString DeliveryGaps::describe(const QList<Gap> &gaps)
{
    // An agency with hundreds of houses would otherwise get a bar that fills the window; the
    // history behind "Ayrıntılar" names every facility.
    constexpr int kNamed = 5;
    QStringList parts;
    for (const Gap &gap : gaps.mid(0, kNamed))
        parts << QStringLiteral("%1 (%2)").arg(gap.facilityName, gap.problem);
    QString text = QStringLiteral("Bildirimi eksik tesisler: %1").arg(parts.join(QStringLiteral(", ")));
    if (gaps.size() > kNamed)
        text += QStringLiteral(" ve %1 tesis daha").arg(gaps.size() - kNamed);
    return text;
}
