#pragma once
#include <QFrame>

class Database;
class QLabel;
class QPushButton;
class QTimer;

// The strip above the main window's tabs that stays while an active facility has no written
// file for yesterday, or its last run failed or left a guest out. It names the facilities and
// offers the export and the history.
class DeliveryWarningBar : public QFrame {
    Q_OBJECT
public:
    explicit DeliveryWarningBar(Database *db, QWidget *parent = nullptr);

    QLabel *message() const { return m_message; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *detailsButton() const { return m_details; }

public slots:
    // Reads the ledger again; the bar shows only when there is something to say. A ledger that
    // cannot be read is said in the bar as well.
    void refresh();

signals:
    void exportRequested();
    void detailsRequested();

private:
    Database *m_db;
    QLabel *m_message;
    QPushButton *m_export;
    QPushButton *m_details;
    QTimer *m_dayWatch;
};
