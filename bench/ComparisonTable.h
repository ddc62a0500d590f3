#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

// The printed result of one benchmark: per database size the medians of both sides' wall and
// processor times, their ratios, the peak resident memory of both, and whether the aims are met. Printed as a Markdown table so
// that it can be pasted into notes as it is.
class ComparisonTable {
public:
    ComparisonTable(QString title, double ratioAim) : m_title(std::move(title)), m_ratioAim(ratioAim) {}

    // memoryAimKb: our peak must stay below it (0: no memory aim for this row). secondsAim: our
    // median wall time must stay below it (0: none). A ratio aim of 0 sets no aim on the ratio.
    void add(const QString &size, const ComparisonResult &result, qint64 memoryAimKb = 0, double secondsAim = 0);
    void print() const;

private:
    QString m_title;
    double m_ratioAim;
    QStringList m_rows;
};
