#include "transliteration/UnwritableCharacters.h"

#include "db/Field.h"
#include "db/Query.h"
#include "transliteration/Latin5Charset.h"

namespace {

struct FileTextField {
    const char *name;
    const char *label;
};

// The typed text fields of a stay, in the order the notification file carries them.
const FileTextField kFileTextFields[] = {
    {"ADI", "Adı"},
    {"SOYADI", "Soyadı"},
    {"BABAADI", "Baba adı"},
    {"ANAADI", "Ana adı"},
    {"DOGUMYERI", "Doğumyeri"},
    {"KIMLIKSERINO", "Kimlik serino"},
    {"NUFUSKAYITIL", "Nüfus il"},
    {"NUFUSKAYITILCE", "Nüfus ilçe"},
    {"NUFUSKAYITMAH", "Nüfus mah"},
    {"MESLEGI", "Meslek"},
    {"IKAMETADRESI", "İkamet adresi"},
    {"ARACPLAKANO", "Araç plaka no"},
};

} // namespace

QList<UnwritableCharacters::Finding> UnwritableCharacters::findAll(const TextOf &textOf)
{
    QList<Finding> findings;
    for (const FileTextField &entry : kFileTextFields) {
        const QString name = QString::fromLatin1(entry.name);
        const QString character = Latin5Charset::firstUnencodable(textOf(name));
        if (!character.isEmpty())
            findings.append({name, QString::fromUtf8(entry.label), character});
    }
    return findings;
}

QList<UnwritableCharacters::Finding> UnwritableCharacters::findAll(const Query &row)
{
    return findAll([&row](const QString &column) {
        const Field *field = row.findField(column);
        return field ? field->asString() : QString();
    });
}

bool UnwritableCharacters::anyIn(const Query &row)
{
    return !findAll(row).isEmpty();
}

QString UnwritableCharacters::exportNotice(const TextOf &textOf)
{
    const QList<Finding> findings = findAll(textOf);
    if (findings.isEmpty())
        return {};
    QStringList parts;
    for (const Finding &finding : findings)
        parts << describe(finding);
    const QString guest = (textOf(QStringLiteral("ADI")) + u' ' + textOf(QStringLiteral("SOYADI"))).trimmed();
    return QStringLiteral("%1: %2 dosyaya \"?\" olarak yazıldı.").arg(guest, parts.join(QStringLiteral(", ")));
}

QString UnwritableCharacters::describe(const Finding &finding)
{
    return QStringLiteral("%1 alanındaki %2").arg(finding.label, Latin5Charset::describe(finding.character));
}
