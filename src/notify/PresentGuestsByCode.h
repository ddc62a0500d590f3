#pragma once
#include "notify/PresentGuests.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

class Database;
class PresentGuestsPerCode;

// The present guests of every facility code, found in one pass over the day's stays instead of
// one statement per code (which reads every stay once for each facility). At the first start()
// one statement lists the present guests of all active facilities with their facility code; the
// keys are kept per code in the order the per-code statement gives (ascending IDMISAFIR, the order
// of its GROUP BY), and each guest's row is then read by key with the per-code statement's columns.
//
// The pass gives the same rows only where each stay joins at most one room and one facility and
// the code compares as a number; where this register's schema does not promise that, the
// per-code statement runs as it is.
class PresentGuestsByCode : public PresentGuests {
public:
    // The guests of one code, as the export has always selected them; the reference for the pass.
    static QString perCodeSql();
    // The pass: every present guest of an active facility (TESISKODU, IDMISAFIR) for :tarih.
    static QString onePassSql();
    // One guest's row by key (:idmisafir), with the columns of the per-code statement.
    static QString guestByIdSql();

    PresentGuestsByCode(Database &db, const QDate &day);
    ~PresentGuestsByCode() override;

    const Statement &start(qint64 tesisKodu) override;
    bool next() override;

    // Whether the schema of the register lets the pass stand for the per-code statement.
    static bool onePassGivesSameRows(Database &db);
    // Whether the guests come from the pass (known after the first start()).
    bool usesOnePass() const { return m_ready && !m_perCode; }

private:
    void prepare();
    static QHash<qint64, QList<qint64>> findAll(Database &db, const QDate &day);

    Database &m_db;
    QDate m_day;
    bool m_ready = false;
    std::unique_ptr<PresentGuestsPerCode> m_perCode; // set when the pass would not give the same rows
    QHash<qint64, QList<qint64>> m_guestsByCode;
    std::unique_ptr<Statement> m_guestById;
    QList<qint64> m_current;
    qsizetype m_position = 0;
};
