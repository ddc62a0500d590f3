#pragma once
#include <QChar>
#include <QObject>

class Database;
class ExportOutcome;

// The ledger of notification runs, table BILDIRIMLER: one row per active facility per run, with
// the file written (its path and hash line) or the reason there is none, and who was left out.
class NotificationLedger : public QObject {
    Q_OBJECT
public:
    // Who started a run, as KAYNAK records it.
    static constexpr char16_t kExportWindow = u'P';
    static constexpr char16_t kUnattended = u'O';
    static constexpr char16_t kHandedOver = u'D';

    // The one object that announces new rows (the main window's bar listens).
    static NotificationLedger &instance();

    // Writes the rows of a run that ran, in one transaction, after its files. Throws the
    // engine's error; the rows of a failed write are all rolled back, the files stay.
    void record(Database &db, const ExportOutcome &outcome, QChar source);

signals:
    void recorded();

private:
    NotificationLedger() = default;
};
