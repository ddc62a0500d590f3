#include "privacy/PrivacySchema.h"

#include "db/Database.h"

void PrivacySchema::ensure(Database &db)
{
    // A register whose script stopped early has no settings table to extend.
    if (db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='AYAR'")).toInt() == 0)
        return;
    // SQLite has no ADD COLUMN IF NOT EXISTS; a second ALTER would fail with "duplicate column".
    if (!hasColumn(db, "AYAR", kKeepingYearsColumn))
        db.execute(QStringLiteral("ALTER TABLE AYAR ADD COLUMN %1 INT").arg(QLatin1String(kKeepingYearsColumn)));
    if (!hasColumn(db, "AYAR", kLastCheckColumn))
        db.execute(QStringLiteral("ALTER TABLE AYAR ADD COLUMN %1 DATE").arg(QLatin1String(kLastCheckColumn)));
}

bool PrivacySchema::hasColumn(Database &db, const char *table, const char *column)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info(:t) WHERE name=:c"),
                     {{QStringLiteral("t"), QLatin1String(table)}, {QStringLiteral("c"), QLatin1String(column)}})
               .toInt()
           > 0;
}
