#pragma once
#include <QLocale>
#include <QString>

// The shape of a sample database: how many stays over how many facilities, how many present today.
struct SampleSize {
    qint64 stays = 0;
    int facilities = 0;
    qint64 present = 0;

    static SampleSize small() { return {200000, 3, 300}; }
    static SampleSize large() { return {1000000, 200, 50000}; }

    QString label() const
    {
        const QLocale c(QLocale::English, QLocale::UnitedStates);
        return QStringLiteral("%1 stays, %2 facilities, %3 present")
            .arg(c.toString(stays), c.toString(facilities), c.toString(present));
    }
};
