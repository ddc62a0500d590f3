#pragma once
#include <QDate>
#include <QList>
#include <optional>

class Database;
class QWidget;

// The keeping period of personal data: how many years after a stay's departure its identity data
// is kept (AYAR.SAKLAMASURESI; empty keeps it for ever, which is the default, because the law
// that applies is the operator's to know). When a period is set, the first interactive start of
// each day counts the stays whose departure day lies further back than the period and asks once
// whether to erase them. Stays without a departure are never counted.
class KeepingPeriod {
public:
    struct DueStays {
        QList<qint64> ids;
        QDate firstDeparture;
        QDate lastDeparture;
    };

    // The period in whole years, or nothing when none is set (empty, zero or negative).
    static std::optional<int> years(Database &db);
    // The stays not erased yet whose departure day lies before today less the period.
    static DueStays dueStays(Database &db, int years, const QDate &today);

    // The check of the day's first start: nothing when no period is set or the day was already
    // checked; otherwise the day is marked as checked and, when stays are due, the operator is
    // asked (Cancel the default). On yes the backup is taken first, then the stays are erased
    // and the result shown. Returns the number of stays erased.
    static int checkAtStart(QWidget *parent, Database &db, const QDate &today = QDate::currentDate());

    // The question, with the count and the range of departure days.
    static QString question(int years, const DueStays &due, bool withBackup);

private:
    static bool checkedOn(Database &db, const QDate &today);
    static void markChecked(Database &db, const QDate &today);
};
