#pragma once
#include "notify/PresentGuests.h"

#include <QDate>
#include <QString>

#include <memory>

class Database;

// The present guests found by one statement per facility code: the statement's text selects the
// guests of :tesiskodu present on :tarih, in the order they are written.
class PresentGuestsPerCode : public PresentGuests {
public:
    PresentGuestsPerCode(Database &db, const QDate &day, QString sql);
    ~PresentGuestsPerCode() override;

    const Statement &start(qint64 tesisKodu) override;
    bool next() override;

private:
    Database &m_db;
    QDate m_day;
    QString m_sql;
    std::unique_ptr<Statement> m_guests;
};
