#include "delivery/ExportOutcome.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

int ExportOutcome::filesWritten() const
{
    int count = 0;
    for (const FacilityDelivery &facility : facilities)
        count += facility.written ? 1 : 0;
    return count;
}

int ExportOutcome::guestsWritten() const
{
    int count = 0;
    for (const FacilityDelivery &facility : facilities)
        count += facility.written ? facility.guestsWritten : 0;
    return count;
}

int ExportOutcome::guestsLeftOut() const
{
    int count = 0;
    for (const FacilityDelivery &facility : facilities)
        count += int(facility.leftOut.size());
    return count;
}

bool ExportOutcome::allDelivered() const
{
    if (!ran)
        return false;
    for (const FacilityDelivery &facility : facilities) {
        if (!facility.complete())
            return false;
    }
    return true;
}

int ExportOutcome::exitStatus() const
{
    if (!ran)
        return kCouldNotRun;
    return allDelivered() ? kAllDelivered : kPartlyDelivered;
}

QString ExportOutcome::summaryLine() const
{
    if (!ran)
        return QStringLiteral("Selvane: Özet: bildirim yapılamadı, hiçbir dosya yazılmadı.");
    return QStringLiteral("Selvane: Özet: %1 etkin tesis, %2 dosya yazıldı, %3 misafir bildirildi, "
                          "%4 misafir bildirime yazılmadı.")
        .arg(facilities.size())
        .arg(filesWritten())
        .arg(guestsWritten())
        .arg(guestsLeftOut());
}

QString ExportOutcome::summaryText() const
{
    if (!ran)
        return QStringLiteral("Bildirim yapılamadı: %1").arg(failure);
    QStringList lines;
    if (facilities.isEmpty())
        lines << QStringLiteral("İşlem Tamamlandı. Etkin tesis yok, dosya yazılmadı.");
    else if (allDelivered())
        lines << QStringLiteral("İşlem Tamamlandı. Bütün bildirim dosyaları yazıldı.");
    else
        lines << QStringLiteral("Bildirim eksik kaldı: bazı tesislerin dosyası yazılmadı ya da misafirleri eksik.");
    lines << QString();
    for (const FacilityDelivery &facility : facilities) {
        if (facility.written)
            lines << QStringLiteral("%1: %2, %3 misafir.")
                         .arg(facility.facilityName, QFileInfo(facility.path).fileName())
                         .arg(facility.guestsWritten);
        else
            lines << facility.reason; // the message shown during the run, which names the facility
        for (const LeftOutGuest &guest : facility.leftOut)
            lines << QStringLiteral("    ") + guest.report();
    }
    lines << QString() << summaryLine().mid(QStringLiteral("Selvane: ").size());
    return lines.join(QLatin1Char('\n'));
}
