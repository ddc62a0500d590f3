#include "mrz/TMrzCozucu.h"

#include "gen/KimlikNo.h"
#include "mrz/MrzCheckDigit.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kTd1Length = 30;
constexpr int kTd2Length = 36;
constexpr int kTd3Length = 44;

enum class Format { Td1, Td2, Td3 };

// Upper case, without blanks, one entry per non-empty line. A zone sent as one run of
// characters is cut into the lines of the format its length fits.
QStringList zoneLines(const QString &text)
{
    QStringList lines;
    const QStringList raw = text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")));
    for (QString line : raw) {
        line.remove(QRegularExpression(QStringLiteral("\\s")));
        if (!line.isEmpty())
            lines << line.toUpper();
    }
    if (lines.size() != 1)
        return lines;
    const QString run = lines.front();
    for (int length : {kTd1Length, kTd2Length, kTd3Length}) {
        const int count = length == kTd1Length ? 3 : 2;
        if (run.size() == length * count) {
            lines.clear();
            for (int i = 0; i < count; ++i)
                lines << run.mid(i * length, length);
        }
    }
    return lines;
}

QString withoutFillers(const QString &text)
{
    QString plain = text;
    plain.replace(QLatin1Char('<'), QLatin1Char(' '));
    return plain.simplified();
}

QString lineLengths(const QStringList &lines)
{
    QStringList lengths;
    for (const QString &line : lines)
        lengths << QString::number(line.size());
    return lengths.join(QStringLiteral(", "));
}

} // namespace

// The parts of a zone, wherever its format puts them.
struct TMrzCozucu::Zone {
    Format format = Format::Td3;
    QString documentCode;
    QString issuingState;
    QString documentNumber;      // the whole number, also when it runs on into the optional data
    QChar documentNumberCheck;
    QString birthDate;
    QChar birthDateCheck;
    QChar sex;
    QString expiryDate;
    QChar expiryDateCheck;
    QString nationality;
    QString optionalData1;
    QString optionalData2;
    bool hasPersonalNumberCheck = false; // passports: the personal number has a digit of its own
    QChar personalNumberCheck;
    QString compositeData;
    QChar compositeCheck;
    QString nameField;
};

bool TMrzCozucu::coz(const QString &text)
{
    m_alanlar.clear();
    m_hata.clear();
    Zone zone;
    if (!readZone(zoneLines(text), zone) || !checkDigits(zone))
        return false;
    readFields(zone);
    return true;
}

bool TMrzCozucu::readZone(const QStringList &lines, Zone &zone)
{
    if (lines.size() == 3 && lines[0].size() == kTd1Length && lines[1].size() == kTd1Length
        && lines[2].size() == kTd1Length)
        zone.format = Format::Td1;
    else if (lines.size() == 2 && lines[0].size() == kTd3Length && lines[1].size() == kTd3Length)
        zone.format = Format::Td3;
    else if (lines.size() == 2 && lines[0].size() == kTd2Length && lines[1].size() == kTd2Length)
        zone.format = Format::Td2;
    else {
        m_hata = lines.isEmpty()
            ? QStringLiteral("Okunacak bir alan yok.")
            : QStringLiteral("Alan tanınmadı: %1 satır (%2 karakter). Pasaportta 2 × 44, kimlik kartında "
                             "3 × 30 ya da 2 × 36 karakter olmalı.")
                  .arg(lines.size())
                  .arg(lineLengths(lines));
        return false;
    }
    static const QRegularExpression allowed(QStringLiteral("^[A-Z0-9<]*$"));
    for (const QString &line : lines) {
        if (!allowed.match(line).hasMatch()) {
            const auto bad = std::find_if(line.cbegin(), line.cend(), [](QChar c) {
                return !(c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('<'));
            });
            m_hata = QStringLiteral("Alanda geçersiz karakter: \"%1\".").arg(*bad);
            return false;
        }
    }

    const QString &first = lines[0];
    const QString &second = lines[1];
    zone.documentCode = first.left(2);
    zone.issuingState = first.mid(2, 3);
    if (zone.format == Format::Td1) {
        zone.documentNumber = first.mid(5, 9);
        zone.documentNumberCheck = first[14];
        zone.optionalData1 = first.mid(15, 15);
        zone.birthDate = second.left(6);
        zone.birthDateCheck = second[6];
        zone.sex = second[7];
        zone.expiryDate = second.mid(8, 6);
        zone.expiryDateCheck = second[14];
        zone.nationality = second.mid(15, 3);
        zone.optionalData2 = second.mid(18, 11);
        zone.compositeData = first.mid(5) + second.left(7) + second.mid(8, 7) + second.mid(18, 11);
        zone.compositeCheck = second[29];
        zone.nameField = lines[2];
    } else {
        const int length = zone.format == Format::Td3 ? kTd3Length : kTd2Length;
        zone.nameField = first.mid(5);
        zone.documentNumber = second.left(9);
        zone.documentNumberCheck = second[9];
        zone.nationality = second.mid(10, 3);
        zone.birthDate = second.mid(13, 6);
        zone.birthDateCheck = second[19];
        zone.sex = second[20];
        zone.expiryDate = second.mid(21, 6);
        zone.expiryDateCheck = second[27];
        if (zone.format == Format::Td3) {
            zone.optionalData2 = second.mid(28, 14);
            zone.hasPersonalNumberCheck = true;
            zone.personalNumberCheck = second[42];
            zone.compositeData = second.left(10) + second.mid(13, 7) + second.mid(21, 22);
        } else {
            zone.optionalData2 = second.mid(28, 7);
            zone.compositeData = second.left(10) + second.mid(13, 7) + second.mid(21, 14);
        }
        zone.compositeCheck = second[length - 1];
    }
    // A number longer than nine characters: a filler in place of its check digit, the rest of
    // the number in the optional data, followed by the check digit of the whole number.
    if (zone.format != Format::Td3 && zone.documentNumberCheck == QLatin1Char('<')) {
        QString &optional = zone.format == Format::Td1 ? zone.optionalData1 : zone.optionalData2;
        const qsizetype end = optional.indexOf(QLatin1Char('<'));
        const QString rest = end < 0 ? optional : optional.left(end);
        if (!rest.isEmpty()) {
            zone.documentNumber += rest.chopped(1);
            zone.documentNumberCheck = rest.back();
            optional = optional.mid(rest.size());
        }
    }
    return true;
}

bool TMrzCozucu::checkDigits(const Zone &zone)
{
    const auto fails = [this](QStringView data, QChar digit, const QString &what) {
        if (MrzCheckDigit::holds(data, digit))
            return false;
        m_hata = QStringLiteral("%1 denetim hanesi tutmuyor (okunan \"%2\", olması gereken %3); hiçbir alan "
                                "aktarılmadı.")
                     .arg(what, QString(digit))
                     .arg(MrzCheckDigit::of(data));
        return true;
    };
    if (fails(zone.documentNumber, zone.documentNumberCheck, QStringLiteral("Belge numarasının")))
        return false;
    if (fails(zone.birthDate, zone.birthDateCheck, QStringLiteral("Doğum tarihinin")))
        return false;
    if (fails(zone.expiryDate, zone.expiryDateCheck, QStringLiteral("Geçerlilik tarihinin")))
        return false;
    // A personal number left empty may carry a filler in place of its digit.
    const bool emptyPersonalNumber = zone.optionalData2.count(QLatin1Char('<')) == zone.optionalData2.size()
                                     && zone.personalNumberCheck == QLatin1Char('<');
    if (zone.hasPersonalNumberCheck && !emptyPersonalNumber
        && fails(zone.optionalData2, zone.personalNumberCheck, QStringLiteral("Kişisel numaranın")))
        return false;
    if (fails(zone.compositeData, zone.compositeCheck, QStringLiteral("Bileşik")))
        return false;
    return true;
}

void TMrzCozucu::readFields(const Zone &zone)
{
    readName(zone.nameField);
    m_alanlar.insert(QStringLiteral("KIMLIKSERINO"), QString(zone.documentNumber).remove(QLatin1Char('<')));

    const QString uyruk = m_uyruklar.uyrukKodu(zone.nationality);
    if (!uyruk.isEmpty())
        m_alanlar.insert(QStringLiteral("UYRUGU"), uyruk);
    else
        note(QStringLiteral("Uyruk kodu \"%1\" uyruk listesinde yok; uyruk boş bırakıldı.")
                 .arg(MrzUyruk::temizKod(zone.nationality)));

    // Passports are passports; identity cards are Turkish ones, the European Union's, or other.
    QString kimlikTuru = QStringLiteral("D");
    const QString issuer = MrzUyruk::temizKod(zone.issuingState).isEmpty() ? zone.nationality : zone.issuingState;
    if (zone.documentCode.startsWith(QLatin1Char('P')))
        kimlikTuru = QStringLiteral("P");
    else if (zone.documentCode.startsWith(QLatin1Char('I')) || zone.documentCode.startsWith(QLatin1Char('A'))
             || zone.documentCode.startsWith(QLatin1Char('C'))) {
        if (MrzUyruk::turkiye(issuer))
            kimlikTuru = QStringLiteral("N");
        else if (MrzUyruk::avrupaBirligiUyesi(issuer))
            kimlikTuru = QStringLiteral("A");
    }
    m_alanlar.insert(QStringLiteral("KIMLIKTURU"), kimlikTuru);

    readBirthDate(zone.birthDate);
    if (zone.sex == QLatin1Char('M'))
        m_alanlar.insert(QStringLiteral("CINSIYET"), QStringLiteral("E"));
    else if (zone.sex == QLatin1Char('F'))
        m_alanlar.insert(QStringLiteral("CINSIYET"), QStringLiteral("K"));
    if (MrzUyruk::turkiye(zone.issuingState) || MrzUyruk::turkiye(zone.nationality))
        readTcNo(zone);
}

// "<<" separates the surname from the given names; a single "<" is a blank between names.
void TMrzCozucu::readName(const QString &nameField)
{
    const qsizetype separator = nameField.indexOf(QStringLiteral("<<"));
    const QString surname = separator < 0 ? nameField : nameField.left(separator);
    const QString givenNames = separator < 0 ? QString() : nameField.mid(separator + 2);
    m_alanlar.insert(QStringLiteral("SOYADI"), withoutFillers(surname));
    if (!withoutFillers(givenNames).isEmpty())
        m_alanlar.insert(QStringLiteral("ADI"), withoutFillers(givenNames));
}

// The zone gives two digits of the year: the century is the one that does not put the birth
// into the future.
void TMrzCozucu::readBirthDate(const QString &yymmdd)
{
    bool ok = false;
    const int year = yymmdd.left(2).toInt(&ok);
    const int month = ok ? yymmdd.mid(2, 2).toInt(&ok) : 0;
    const int day = ok ? yymmdd.mid(4, 2).toInt(&ok) : 0;
    QDate date = ok ? QDate(2000 + year, month, day) : QDate();
    if (date.isValid() && date > QDate::currentDate())
        date = QDate(1900 + year, month, day);
    if (!date.isValid()) {
        note(QStringLiteral("Doğum tarihi \"%1\" bir tarih değil; boş bırakıldı.").arg(yymmdd));
        return;
    }
    m_alanlar.insert(QStringLiteral("DOGUMTARIHI"), date);
}

// A Turkish document carries the TC number in its optional data; an eleven-digit run is taken
// only when it passes the TC check.
void TMrzCozucu::readTcNo(const Zone &zone)
{
    static const QRegularExpression elevenDigits(QStringLiteral("(?<!\\d)\\d{11}(?!\\d)"));
    QStringList refused;
    for (const QString &data : {zone.optionalData1, zone.optionalData2}) {
        auto it = elevenDigits.globalMatch(data);
        while (it.hasNext()) {
            const QString candidate = it.next().captured();
            if (tcKimlikNoGecerli(candidate.toULongLong())) {
                m_alanlar.insert(QStringLiteral("TCNO"), candidate);
                return;
            }
            refused << candidate;
        }
    }
    if (!refused.isEmpty())
        note(QStringLiteral("Belgedeki %1 numarası TC kimlik numarası denetimini geçmedi; TC no boş bırakıldı.")
                 .arg(refused.join(QStringLiteral(", "))));
}

void TMrzCozucu::note(const QString &text)
{
    m_hata = m_hata.isEmpty() ? text : m_hata + QLatin1Char(' ') + text;
}
