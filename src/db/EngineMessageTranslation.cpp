#include "db/EngineMessageTranslation.h"

#include <QList>
#include <QRegularExpression>

namespace {

struct Entry {
    QRegularExpression pattern; // the whole engine text; its groups fill %1, %2 of the sentence
    QString turkish;
};

Entry entry(const char *pattern, const char *turkish)
{
    return {QRegularExpression(QLatin1Char('^') + QString::fromUtf8(pattern) + QLatin1Char('$'),
                               QRegularExpression::DotMatchesEverythingOption),
            QString::fromUtf8(turkish)};
}

const QList<Entry> &table()
{
    static const QList<Entry> entries{
        // The engine (sqlite3_errmsg and sqlite3_errstr).
        entry("database is locked", "Kayıt dosyası başka bir program tarafından kullanılıyor"),
        entry("database table is locked(?:: (.*))?", "Kayıt dosyasındaki bir tablo şu anda kullanımda"),
        entry("file is not a database", "Kayıt dosyası bir veritabanı değil ya da bozuk"),
        entry("file is encrypted or is not a database", "Kayıt dosyası bir veritabanı değil ya da bozuk"),
        entry("database disk image is malformed", "Kayıt dosyası bozulmuş"),
        entry("unable to open database file", "Kayıt dosyası açılamadı"),
        entry("attempt to write a readonly database", "Kayıt dosyası salt okunur, değişiklik yazılamadı"),
        entry("disk I/O error", "Disk okunurken ya da yazılırken hata oluştu"),
        entry("database or disk is full", "Disk dolu, kayıt yazılamadı"),
        entry("out of memory", "Bellek yetersiz"),
        entry("interrupted", "İşlem yarıda kesildi"),
        entry("NOT NULL constraint failed: (?:\\w+\\.)?(\\w+)", "%1 alanı boş bırakılamaz"),
        entry("UNIQUE constraint failed: (.*)", "Bu değer başka bir kayıtta zaten var: %1"),
        entry("CHECK constraint failed: (.*)", "Kayıt bir denetim kuralına uymuyor: %1"),
        entry("FOREIGN KEY constraint failed", "Kayda bağlı başka kayıtlar var"),
        entry("no such table: (.*)", "Kayıt dosyasında %1 tablosu yok"),
        entry("no such column: (.*)", "Kayıt dosyasında %1 sütunu yok"),
        entry("near \"(.*)\": syntax error", "Sorgu metninde yazım hatası (\"%1\" yakınında)"),
        entry("unrecognized token: (.*)", "Sorgu metninde tanınmayan ifade: %1"),
        entry("incomplete input", "Sorgu metni yarım kalmış"),
        entry("SQL logic error", "Sorgu çalıştırılamadı"),
        entry("Database is not open", "Kayıt dosyası açık değil"),
        // The data layer.
        entry("'(.*)' is not a valid integer value", "'%1' geçerli bir tam sayı değil"),
        entry("'(.*)' is not a valid floating point value", "'%1' geçerli bir sayı değil"),
        entry("'(.*)' is not a valid date", "'%1' geçerli bir tarih değil"),
        entry("'(.*)' is not a valid time", "'%1' geçerli bir saat değil"),
        entry("'(.*)' is not a valid date and time", "'%1' geçerli bir tarih ve saat değil"),
        entry("'(.*)' is not a valid boolean value", "'%1' geçerli bir evet/hayır değeri değil"),
        entry("Field '(.*)' must have a value", "%1 alanına bir değer girilmeli"),
        entry("Field '(.*)' not found", "%1 alanı bulunamadı"),
        entry("Cannot perform this operation on a closed dataset(?: \\((.*)\\))?", "Liste kapalıyken bu işlem yapılamaz"),
        entry("Cannot perform this operation on an empty dataset", "Liste boşken bu işlem yapılamaz"),
        entry("Dataset not in edit or insert mode", "Kayıt düzenlenmiyor ya da eklenmiyor"),
        entry("Cannot modify a read-only dataset", "Bu liste yalnızca okunabilir, değiştirilemez"),
        entry("Unable to find the key of table (.*)", "%1 tablosunun anahtar alanı bulunamadı"),
    };
    return entries;
}

} // namespace

QString EngineMessageTranslation::turkishFor(const QString &engineText)
{
    for (const Entry &known : table()) {
        const QRegularExpressionMatch match = known.pattern.match(engineText);
        if (!match.hasMatch())
            continue;
        QString sentence = known.turkish;
        for (int group = 1; group <= known.pattern.captureCount(); ++group) {
            const QString placeholder = QLatin1Char('%') + QString::number(group);
            if (sentence.contains(placeholder))
                sentence.replace(placeholder, match.captured(group));
        }
        return sentence;
    }
    return QString();
}

QString EngineMessageTranslation::operatorText(const QString &engineText)
{
    const QString turkish = turkishFor(engineText);
    if (turkish.isEmpty())
        return engineText;
    return turkish + QStringLiteral(" (") + engineText + QLatin1Char(')');
}
