#pragma once
#include <QDateTime>
#include <QString>

// Display formats of fields, written the classic desktop way: "hh:nn" or "dd.mm.yyyy" for dates
// and times (nn are minutes, mm months unless they follow an hour), "0.00" or "#,##0.00" for
// numbers. Numbers use the separators of the user's locale.
namespace DisplayFormat {

QString formatDateTime(const QString &format, const QDateTime &moment);
QString formatNumber(const QString &format, double value);

} // namespace DisplayFormat
