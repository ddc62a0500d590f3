#include "privacy/RecordedErasures.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "privacy/OwnerOnlyFileCreation.h"
#include "privacy/ScrubbingScope.h"
#include "privacy/StayErasure.h"

#include <QFileInfo>
#include <QList>

const QString RecordedErasures::kCreateTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS SILINENLER(IDSILINENLER INTEGER PRIMARY KEY AUTOINCREMENT, _IDMISAFIR INT, "
    "TARIH DATETIME, NEDEN CHAR(1))");

namespace {

struct Erasure {
    QVariant stayId;
    QVariant moment;
    QVariant reason;
};

QList<Erasure> recordedIn(Database &db)
{
    QList<Erasure> erasures;
    Statement statement(db, QStringLiteral("SELECT _IDMISAFIR,TARIH,NEDEN FROM SILINENLER ORDER BY IDSILINENLER"));
    while (statement.step())
        erasures << Erasure{statement.columnValue(0), statement.columnValue(1), statement.columnValue(2)};
    return erasures;
}

void requireFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw AppError(QStringLiteral("Kayıt dosyası bulunamadı: %1").arg(path));
}

// A stay already erased in the copy keeps its own record; a stay the copy does not have yet
// (it came after the copy was taken) needs nothing.
int applyTo(Database &copy, const QList<Erasure> &erasures)
{
    copy.execute(RecordedErasures::kCreateTable);
    const QString anonymise = StayErasure::anonymiseStatement();
    const QString present = QStringLiteral("SELECT count(*) FROM MISAFIR WHERE IDMISAFIR=:id AND %1")
                                .arg(QLatin1String(StayErasure::kNotErasedCondition));
    const QString record = QStringLiteral("INSERT INTO SILINENLER(_IDMISAFIR,TARIH,NEDEN) VALUES(:id,:tarih,:neden)");
    ScrubbingScope scrubbing(copy);
    int applied = 0;
    copy.beginTransaction();
    try {
        for (const Erasure &erasure : erasures) {
            if (copy.scalar(present, {{QStringLiteral("id"), erasure.stayId}}).toInt() == 0)
                continue;
            copy.execute(anonymise, {{QStringLiteral("id"), erasure.stayId}});
            copy.execute(record, {{QStringLiteral("id"), erasure.stayId}, {QStringLiteral("tarih"), erasure.moment},
                                  {QStringLiteral("neden"), erasure.reason}});
            ++applied;
        }
        copy.commit();
    } catch (...) {
        copy.rollback();
        throw;
    }
    // The copy's free pages may hold values from before it was taken; the rebuild drops them.
    scrubbing.compact();
    return applied;
}

int applyToCopyFile(const QList<Erasure> &erasures, const QString &copyPath)
{
    requireFile(copyPath);
    const OwnerOnlyFileCreation ownerOnly;
    Database copy;
    copy.open(copyPath);
    return applyTo(copy, erasures);
}

} // namespace

int RecordedErasures::applyRecordedErasures(Database &currentRegister, const QString &restoredCopyPath)
{
    return applyToCopyFile(recordedIn(currentRegister), restoredCopyPath);
}

int RecordedErasures::applyRecordedErasures(const QString &currentRegisterPath, const QString &restoredCopyPath)
{
    requireFile(currentRegisterPath);
    QList<Erasure> erasures;
    {
        Database current;
        current.open(currentRegisterPath);
        // A register from before erasures were recorded has none to apply.
        if (current.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name='SILINENLER'")).toInt() > 0)
            erasures = recordedIn(current);
    }
    return applyToCopyFile(erasures, restoredCopyPath);
}
