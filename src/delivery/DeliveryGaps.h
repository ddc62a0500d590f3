#pragma once
#include <QDate>
#include <QList>
#include <QString>

class Database;

// The active facilities whose notification needs the operator: no file written for yesterday,
// or the last run failed or left a guest out.
class DeliveryGaps {
public:
    struct Gap {
        qint64 facilityId = 0;
        QString facilityName;
        QString problem; // "dün için dosya yok"
    };

    // Throws the engine's error.
    static QList<Gap> find(Database &db, const QDate &today);
    // The bar's text: "Bildirimi eksik tesisler: Güneş Pansiyon (dün için dosya yok), ...", the
    // first five facilities by name and the others counted ("ve 195 tesis daha").
    static QString describe(const QList<Gap> &gaps);
};
