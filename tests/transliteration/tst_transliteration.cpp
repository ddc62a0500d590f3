#include "transliteration/Latin5Charset.h"
#include "transliteration/LatinTransliterator.h"
#include "transliteration/UnwritableCharacters.h"

#include "TestSupport.h"

#include <QStringEncoder>
#include <QtTest>

class TestTransliteration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    // The table of the code page agrees with the encoder that writes the file, character by
    // character, over Latin-1 and Latin Extended-A.
    void charsetAgreesWithTheFileEncoder()
    {
        for (char32_t c = 0x20; c < 0x180; ++c) {
            const QString text = QString::fromUcs4(&c, 1);
            QStringEncoder encoder("ISO-8859-9", QStringEncoder::Flag::Stateless);
            const QByteArray bytes = encoder.encode(text);
            const bool written = !encoder.hasError() && bytes.size() == 1
                                 && (bytes != "?" || c == U'?');
            QVERIFY2(Latin5Charset::encodable(c) == written, qPrintable(QStringLiteral("U+%1").arg(uint(c), 4, 16)));
        }
    }

    void firstUnencodable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("Turkish letters") << "ŞĞİÇÖÜ şğıçöü" << "";
        QTest::newRow("other Latin-5 letters") << "Ørsted Ærø ÿ ñ ß" << "";
        QTest::newRow("Polish L") << "Łukasz" << "Ł";
        QTest::newRow("Icelandic eth, not the first letter") << "Guðrún" << "ð";
        QTest::newRow("decomposed S with cedilla") << QStringLiteral("S\u0327ahin") << QStringLiteral("\u0327");
        QTest::newRow("Cyrillic") << "Иван" << "И";
        QTest::newRow("outside the basic plane, kept whole") << QStringLiteral("a\U0001F600b") << QStringLiteral("\U0001F600");
        QTest::newRow("euro sign") << "100 €" << "€";
    }

    void firstUnencodable()
    {
        QFETCH(QString, text);
        QFETCH(QString, found);
        QCOMPARE(Latin5Charset::firstUnencodable(text), found);
    }

    void describeNamesTheCodePoint_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("described");
        QTest::newRow("small letter stays small") << "ł" << "\"ł\" (U+0142)";
        QTest::newRow("combining mark on a circle") << QStringLiteral("\u0327") << QStringLiteral("\"\u25CC\u0327\" (U+0327)");
        QTest::newRow("outside the basic plane") << QStringLiteral("\U0001F600") << QStringLiteral("\"\U0001F600\" (U+1F600)");
    }

    void describeNamesTheCodePoint()
    {
        QFETCH(QString, character);
        QFETCH(QString, described);
        QCOMPARE(Latin5Charset::describe(character), described);
    }

    void toLatin5_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("latin");
        QTest::newRow("Polish") << "Łukasz Łódź" << "Lukasz Lódz";
        QTest::newRow("Icelandic thorn before a small letter") << "Þór Þorsteinsson" << "Thór Thorsteinsson";
        QTest::newRow("Icelandic thorn in capitals") << "ÞÓR" << "THÓR";
        QTest::newRow("Icelandic eth and y acute") << "Guðrún Ýr" << "Gudrún Yr";
        QTest::newRow("Russian") << "Иван Щукин" << "Ivan Shchukin";
        QTest::newRow("Cyrillic beside Latin") << "Anna Петрова-Smith" << "Anna Petrova-Smith";
        QTest::newRow("Greek") << "Νίκος" << "Nikos";
        // Composed first: the Turkish letter comes back, nothing is transliterated.
        QTest::newRow("decomposed Turkish letters") << QStringLiteral("S\u0327ahin C\u0327ag\u0306r\u0131 Gu\u0308l")
                                                    << "Şahin Çağrı Gül";
        QTest::newRow("Turkish and Latin-5 untouched") << "Şahin Çağrı İğde ıışğ Müller Ørsted ñ" << "Şahin Çağrı İğde ıışğ Müller Ørsted ñ";
        QTest::newRow("no Latin form stays") << QStringLiteral("Ali \U0001F600") << QStringLiteral("Ali \U0001F600");
    }

    void toLatin5()
    {
        QFETCH(QString, text);
        QFETCH(QString, latin);
        QCOMPARE(LatinTransliterator::toLatin5(text), latin);
    }

    void exportNoticeNamesGuestFieldsAndCharacters()
    {
        const QHash<QString, QString> row{{"ADI", "Łukasz"}, {"SOYADI", "Иванов"}, {"DOGUMYERI", "Kraków"},
                                          {"IKAMETADRESI", "ul. Żółta 5"}, {"NOTLAR", "Þ"}};
        const auto textOf = [&row](const QString &column) { return row.value(column); };
        QCOMPARE(UnwritableCharacters::exportNotice(textOf),
                 QStringLiteral("Łukasz Иванов: Adı alanındaki \"Ł\" (U+0141), Soyadı alanındaki \"И\" (U+0418), "
                                "İkamet adresi alanındaki \"Ż\" (U+017B) dosyaya \"?\" olarak yazıldı."));
        const QHash<QString, QString> clean{{"ADI", "Ayşe"}, {"SOYADI", "Öztürk"}};
        QCOMPARE(UnwritableCharacters::exportNotice([&clean](const QString &c) { return clean.value(c); }), QString());
    }
};

QTEST_GUILESS_MAIN(TestTransliteration)
#include "tst_transliteration.moc"
