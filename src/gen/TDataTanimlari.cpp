#include "gen/TDataTanimlari.h"

#include "db/BooleanWords.h"

namespace {

bool isBlank(QChar c) { return c.unicode() <= ' '; }

// Field names are plain ASCII words; only ASCII letters are folded, so a Turkish dotted or
// dotless i never matches a plain one.
bool sameFieldName(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= 'a' && x <= 'z')
            x -= 'a' - 'A';
        if (y >= 'a' && y <= 'z')
            y -= 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

// Reads a quoted item starting at the opening quote; pos ends after the closing quote.
QString readQuotedItem(const QString &list, qsizetype &pos)
{
    QString item;
    ++pos;
    while (pos < list.size()) {
        const QChar c = list[pos++];
        if (c != QLatin1Char('"')) {
            item += c;
        } else if (pos < list.size() && list[pos] == QLatin1Char('"')) {
            item += c;
            ++pos;
        } else {
            break;
        }
    }
    return item;
}

} // namespace

void TDataTanimlari::fieldSetEkle(const QString &tabloadi, const Tmyfieldset &fieldset)
{
    FFieldSets.insert(tabloadi, fieldset);
}

void TDataTanimlari::fieldSetSil(const QString &tabloadi, const Tmyfieldset &)
{
    FFieldSets.remove(tabloadi);
}

void TDataTanimlari::Temizle()
{
    FFieldSets.clear();
}

void TDataTanimlari::fieldSetVer(const QString &tabloadi, Tmyfieldset &fieldset,
                                 const QString &alanListesiVirgullu) const
{
    const auto stored = FFieldSets.constFind(tabloadi);
    if (stored == FFieldSets.constEnd())
        return;
    if (alanListesiVirgullu.isEmpty()) {
        fieldset = stored.value();
        return;
    }
    const Tmyfieldset source = stored.value();
    fieldset.clear();
    int next = 0;
    for (const QString &name : commaListItems(alanListesiVirgullu)) {
        const int index = MyfieldAlanAdiIndexi(name, source);
        if (index < 0)
            continue;
        if (next >= Tmyfieldset::EntryCount)
            break;
        fieldset.copyEntry(next++, source, index);
    }
}

int TDataTanimlari::MyfieldAlanAdiIndexi(const QString &Alan, const Tmyfieldset &fieldset)
{
    for (int i = 0; i < Tmyfieldset::EntryCount && !fieldset.isEndOfSet(i); ++i) {
        if (sameFieldName(fieldset.alanadi(i), Alan))
            return i;
    }
    return -1;
}

QString TDataTanimlari::GosterilenAlanListesiVer(const QString &tabloadi) const
{
    const auto stored = FFieldSets.constFind(tabloadi);
    if (stored == FFieldSets.constEnd())
        return QString();
    const Tmyfieldset &fieldset = stored.value();
    QStringList shown;
    for (int i = 0; i < Tmyfieldset::EntryCount && !fieldset.alanadi(i).isEmpty(); ++i) {
        const QString &goster = fieldset.goster(i);
        if (!goster.isEmpty() && BooleanWords::toBool(goster))
            shown << fieldset.alanadi(i);
    }
    return shown.join(QLatin1Char(','));
}

QStringList TDataTanimlari::commaListItems(const QString &list)
{
    QStringList items;
    qsizetype pos = 0;
    while (pos < list.size()) {
        const QChar c = list[pos];
        if (isBlank(c) || c == QLatin1Char(',')) {
            ++pos;
            continue;
        }
        QString item;
        if (c == QLatin1Char('"')) {
            item = readQuotedItem(list, pos);
        } else {
            const qsizetype start = pos;
            while (pos < list.size() && !isBlank(list[pos]) && list[pos] != QLatin1Char(','))
                ++pos;
            item = list.mid(start, pos - start);
        }
        if (!item.isEmpty())
            items << item;
    }
    return items;
}
