#include "mrz/TMrzCozucu.h"

#include "TestSupport.h"

#include <QtTest>

namespace {

// The fields as one text, sorted by name, dates in ISO form, so that a table row states them all.
QString describe(const QVariantMap &fields)
{
    QStringList parts;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const QVariant &value = it.value();
        const QString text = value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate) : value.toString();
        parts << it.key() + u'=' + text;
    }
    return parts.join(u';');
}

QString zone(const QStringList &lines)
{
    return lines.join(u'\n');
}

// The standard's specimen zones of the fictitious state Utopia.
const QStringList kTd3Specimen{QStringLiteral("P<UTOERIKSSON<<ANNA<MARIA<<<<<<<<<<<<<<<<<<<"),
                               QStringLiteral("L898902C36UTO7408122F1204159ZE184226B<<<<<10")};
const QStringList kTd2Specimen{QStringLiteral("I<UTOERIKSSON<<ANNA<MARIA<<<<<<<<<<<"),
                               QStringLiteral("D231458907UTO7408122F1204159<<<<<<<6")};
const QStringList kTd1Specimen{QStringLiteral("I<UTOD231458907<<<<<<<<<<<<<<<"),
                               QStringLiteral("7408122F1204159UTO<<<<<<<<<<<6"),
                               QStringLiteral("ERIKSSON<<ANNA<MARIA<<<<<<<<<<")};
// A Turkish identity card whose optional data holds a TC number that passes the check, and the
// same card (check digits made right again) with a number that does not.
const QStringList kTurkishCard{QStringLiteral("I<TURA12B34567510000000146<<<<"),
                               QStringLiteral("8503150F3103153TUR<<<<<<<<<<<0"),
                               QStringLiteral("YILMAZ<<AYSE<NUR<<<<<<<<<<<<<<")};
const QStringList kTurkishCardWrongTcNo{QStringLiteral("I<TURA12B34567510000000147<<<<"),
                                        QStringLiteral("8503150F3103153TUR<<<<<<<<<<<1"),
                                        QStringLiteral("YILMAZ<<AYSE<NUR<<<<<<<<<<<<<<")};

QStringList withCharacter(QStringList lines, int line, int position)
{
    const QChar digit = lines[line][position];
    lines[line][position] = QChar(u'0' + (digit.digitValue() + 1) % 10);
    return lines;
}

} // namespace

class TestMrzCozucu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void readsZones_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("notice");

        const auto anna = [&](const char *kind, const char *number) {
            return QStringLiteral("ADI=ANNA MARIA;CINSIYET=K;DOGUMTARIHI=1974-08-12;KIMLIKSERINO=%1;KIMLIKTURU=%2;"
                                  "SOYADI=ERIKSSON")
                .arg(QLatin1String(number), QLatin1String(kind));
        };
        // Utopia is no state of the nationality list: the nationality is left out and named.
        QTest::newRow("passport specimen") << zone(kTd3Specimen) << anna("P", "L898902C3") << "\"UTO\"";
        QTest::newRow("two-line card specimen") << zone(kTd2Specimen) << anna("D", "D23145890") << "\"UTO\"";
        QTest::newRow("identity card specimen") << zone(kTd1Specimen) << anna("D", "D23145890") << "\"UTO\"";

        QTest::newRow("Turkish card with TC number")
            << zone(kTurkishCard)
            << "ADI=AYSE NUR;CINSIYET=K;DOGUMTARIHI=1985-03-15;KIMLIKSERINO=A12B34567;KIMLIKTURU=N;SOYADI=YILMAZ;"
               "TCNO=10000000146;UYRUGU=TC"
            << "";
        QTest::newRow("Turkish card, TC number fails its check")
            << zone(kTurkishCardWrongTcNo)
            << "ADI=AYSE NUR;CINSIYET=K;DOGUMTARIHI=1985-03-15;KIMLIKSERINO=A12B34567;KIMLIKTURU=N;SOYADI=YILMAZ;"
               "UYRUGU=TC"
            << "10000000147";
        QTest::newRow("Turkish passport, TC number as personal number")
            << zone({QStringLiteral("P<TURDEMIR<<MEHMET<ALI<<<<<<<<<<<<<<<<<<<<<<"),
                     QStringLiteral("U123456784TUR8001014M300101910000000146<<<42")})
            << "ADI=MEHMET ALI;CINSIYET=E;DOGUMTARIHI=1980-01-01;KIMLIKSERINO=U12345678;KIMLIKTURU=P;SOYADI=DEMIR;"
               "TCNO=10000000146;UYRUGU=TC"
            << "";
        // Germany is "D" in the zone; its card is a European Union identity card.
        QTest::newRow("German identity card")
            << zone({QStringLiteral("IDD<<T220001293<<<<<<<<<<<<<<<"), QStringLiteral("6408125F3107313D<<<<<<<<<<<<<4"),
                     QStringLiteral("MUSTERMANN<<ERIKA<<<<<<<<<<<<<")})
            << "ADI=ERIKA;CINSIYET=K;DOGUMTARIHI=1964-08-12;KIMLIKSERINO=T22000129;KIMLIKTURU=A;SOYADI=MUSTERMANN;"
               "UYRUGU=DEU"
            << "";
        // A card of a state outside the Union is "Diğer"; 29 February 1995 is no date.
        QTest::newRow("other state's card, birth date not a date")
            << zone({QStringLiteral("I<USASMITH<<JOHN<<<<<<<<<<<<<<<<<<<<"),
                     QStringLiteral("C01X00T478USA9502297M3001019<<<<<<<4")})
            << "ADI=JOHN;CINSIYET=E;KIMLIKSERINO=C01X00T47;KIMLIKTURU=D;SOYADI=SMITH;UYRUGU=USA"
            << "950229";
        QTest::newRow("sex unspecified, born 1 January 2000")
            << zone({QStringLiteral("P<GBRSMITH<<JOHN<PAUL<<<<<<<<<<<<<<<<<<<<<<<"),
                     QStringLiteral("1234567897GBR0001018<3001019<<<<<<<<<<<<<<<6")})
            << "ADI=JOHN PAUL;DOGUMTARIHI=2000-01-01;KIMLIKSERINO=123456789;KIMLIKTURU=P;SOYADI=SMITH;UYRUGU=GBR"
            << "";
        // Thirteen characters: the number runs on into the optional data, with its check digit.
        QTest::newRow("long document number")
            << zone({QStringLiteral("I<UTOABC123456<78902<<<<<<<<<<"), QStringLiteral("7408122X1204159UTO<<<<<<<<<<<4"),
                     QStringLiteral("ERIKSSON<<ANNA<MARIA<<<<<<<<<<")})
            << "ADI=ANNA MARIA;DOGUMTARIHI=1974-08-12;KIMLIKSERINO=ABC1234567890;KIMLIKTURU=D;SOYADI=ERIKSSON"
            << "\"UTO\"";
        // As typed by hand: lower case, blanks, Windows line ends, an empty line at the end.
        QTest::newRow("typed loosely")
            << QStringLiteral("p<uto eriksson<<anna<maria<<<<<<<<<<<<<<<<<<<\r\n  l898902c36 uto7408122f1204159ze184226b<<<<<10\r\n\r\n")
            << anna("P", "L898902C3") << "\"UTO\"";
        QTest::newRow("sent as one run") << kTd1Specimen.join(QString()) << anna("D", "D23145890") << "\"UTO\"";
    }

    void readsZones()
    {
        QFETCH(QString, text);
        QFETCH(QString, fields);
        QFETCH(QString, notice);
        TMrzCozucu cozucu;
        QVERIFY2(cozucu.coz(text), qPrintable(cozucu.hata()));
        QCOMPARE(describe(cozucu.alanlar()), fields);
        if (notice.isEmpty())
            QCOMPARE(cozucu.hata(), QString());
        else
            QVERIFY2(cozucu.hata().contains(notice), qPrintable(cozucu.hata()));
    }

    void wrongCheckDigitFillsNothing_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("named");
        const QString number = QStringLiteral("Belge numarasının");
        const QString birth = QStringLiteral("Doğum tarihinin");
        const QString expiry = QStringLiteral("Geçerlilik tarihinin");
        const QString personal = QStringLiteral("Kişisel numaranın");
        const QString composite = QStringLiteral("Bileşik");
        QTest::newRow("passport, document number") << withCharacter(kTd3Specimen, 1, 9) << number;
        QTest::newRow("passport, birth date") << withCharacter(kTd3Specimen, 1, 19) << birth;
        QTest::newRow("passport, expiry date") << withCharacter(kTd3Specimen, 1, 27) << expiry;
        QTest::newRow("passport, personal number") << withCharacter(kTd3Specimen, 1, 42) << personal;
        QTest::newRow("passport, composite") << withCharacter(kTd3Specimen, 1, 43) << composite;
        QTest::newRow("two-line card, document number") << withCharacter(kTd2Specimen, 1, 9) << number;
        QTest::newRow("two-line card, birth date") << withCharacter(kTd2Specimen, 1, 19) << birth;
        QTest::newRow("two-line card, expiry date") << withCharacter(kTd2Specimen, 1, 27) << expiry;
        QTest::newRow("two-line card, composite") << withCharacter(kTd2Specimen, 1, 35) << composite;
        QTest::newRow("identity card, document number") << withCharacter(kTd1Specimen, 0, 14) << number;
        QTest::newRow("identity card, birth date") << withCharacter(kTd1Specimen, 1, 6) << birth;
        QTest::newRow("identity card, expiry date") << withCharacter(kTd1Specimen, 1, 14) << expiry;
        QTest::newRow("identity card, composite") << withCharacter(kTd1Specimen, 1, 29) << composite;
        QTest::newRow("Turkish card, composite") << withCharacter(kTurkishCard, 1, 29) << composite;
        // A misread data character, not a check digit: the number's own check catches it.
        QStringList misread = kTd3Specimen;
        misread[1][3] = u'9';
        QTest::newRow("passport, misread number") << misread << number;
        // The TC number counts in the card's composite check.
        QStringList tcChanged = kTurkishCard;
        tcChanged[0][20] = u'1';
        QTest::newRow("Turkish card, TC number changed") << tcChanged << composite;
    }

    void wrongCheckDigitFillsNothing()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, named);
        TMrzCozucu cozucu;
        QVERIFY(!cozucu.coz(zone(lines)));
        QVERIFY(cozucu.alanlar().isEmpty());
        QVERIFY2(cozucu.hata().startsWith(named), qPrintable(cozucu.hata()));
    }

    void refusesWhatIsNoZone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("nothing") << "  \n " << "Okunacak";
        QTest::newRow("a line short") << kTd3Specimen.front() << "1 satır (44";
        QTest::newRow("line lengths of no format") << zone({kTd3Specimen[0], kTd2Specimen[1]}) << "(44, 36";
        QTest::newRow("foreign character") << zone({kTd3Specimen[0], QString(kTd3Specimen[1]).replace(0, 1, u'Ö')})
                                           << "\"Ö\"";
    }

    void refusesWhatIsNoZone()
    {
        QFETCH(QString, text);
        QFETCH(QString, named);
        TMrzCozucu cozucu;
        QVERIFY(!cozucu.coz(text));
        QVERIFY(cozucu.alanlar().isEmpty());
        QVERIFY2(cozucu.hata().contains(named), qPrintable(cozucu.hata()));
    }

    // The two digits of the year: last year's 2-digit year is in this century, next year's in
    // the last one.
    void birthCenturyNeverInTheFuture_data()
    {
        QTest::addColumn<QDate>("birth");
        const QDate today = QDate::currentDate();
        QTest::newRow("today") << today;
        QTest::newRow("tomorrow, a century ago") << today.addDays(1).addYears(-100);
        QTest::newRow("a year ago") << today.addYears(-1);
        QTest::newRow("in a year, a century ago") << today.addYears(1).addYears(-100);
    }

    void birthCenturyNeverInTheFuture()
    {
        QFETCH(QDate, birth);
        const QString yymmdd = birth.toString(QStringLiteral("yyMMdd"));
        // The check digits are taken from a zone made by hand for each date.
        QString line2 = QStringLiteral("D231458907UTO") + yymmdd + u'0' + QStringLiteral("F1204159<<<<<<<0");
        line2[19] = QChar(u'0' + checkDigit(yymmdd));
        line2[35] = QChar(u'0' + checkDigit(line2.left(10) + line2.mid(13, 7) + line2.mid(21, 14)));
        TMrzCozucu cozucu;
        QVERIFY2(cozucu.coz(zone({kTd2Specimen[0], line2})), qPrintable(cozucu.hata()));
        QCOMPARE(cozucu.alanlar().value(QStringLiteral("DOGUMTARIHI")).toDate(), birth);
    }

    void nationalityFromOwnList()
    {
        TMrzCozucu cozucu(MrzUyruk(QSet<QString>{QStringLiteral("UTO")}));
        QVERIFY(cozucu.coz(zone(kTd3Specimen)));
        QCOMPARE(cozucu.alanlar().value(QStringLiteral("UYRUGU")).toString(), QStringLiteral("UTO"));
        QCOMPARE(cozucu.hata(), QString());
    }

    void aNewZoneForgetsTheLastOne()
    {
        TMrzCozucu cozucu;
        QVERIFY(cozucu.coz(zone(kTurkishCard)));
        QVERIFY(!cozucu.coz(zone(withCharacter(kTd3Specimen, 1, 19))));
        QVERIFY(cozucu.alanlar().isEmpty());
        QVERIFY(cozucu.coz(zone(kTurkishCard)));
        QCOMPARE(cozucu.hata(), QString());
    }

private:
    // Written apart from the parser's own, for the dates made up above.
    static int checkDigit(const QString &characters)
    {
        int sum = 0;
        for (int i = 0; i < characters.size(); ++i) {
            const QChar c = characters[i];
            const int value = c.isDigit() ? c.digitValue() : c == u'<' ? 0 : c.unicode() - u'A' + 10;
            sum += value * (i % 3 == 0 ? 7 : i % 3 == 1 ? 3 : 1);
        }
        return sum % 10;
    }
};

QTEST_GUILESS_MAIN(TestMrzCozucu)
#include "tst_mrzcozucu.moc"
