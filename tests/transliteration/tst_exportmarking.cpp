// Rows stored before the save check refused such characters: the export window marks them like
// incomplete rows, while the file still carries them with "?".
#include "data/Tdm1.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormAyar.h"
#include "forms/TFormXmlKaydet.h"
#include "gen/TransientMessage.h"

#include "TestSupport.h"

#include <QtTest>

class TestExportMarking : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void rowsTheFileCannotHoldAreMarked_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("marked");
        QTest::newRow("Turkish letters") << "SOYADI" << "Çağlayan Işık" << false;
        QTest::newRow("Latin-5 letters") << "IKAMETADRESI" << "Ørstedsvej 3, Århus" << false;
        QTest::newRow("Cyrillic surname") << "SOYADI" << "Иванова" << true;
        QTest::newRow("Polish given name") << "ADI" << "Łucja" << true;
        QTest::newRow("decomposed Turkish letter") << "DOGUMYERI" << QStringLiteral("S\u0327ile") << true;
        QTest::newRow("plate") << "ARACPLAKANO" << "Þ 123" << true;
        // The notes never go into the file.
        QTest::newRow("notes") << "NOTLAR" << "Иванова" << false;
    }

    void rowsTheFileCannotHoldAreMarked()
    {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(bool, marked);
        testsupport::ScopedWorkDir dir;
        MessageBoxes::ScopedPresenter boxes{[](const MessageBoxes::Request &) { return QMessageBox::Ok; }};
        ScopedMesajGosterHook flashes{[](const QString &, const QString &) {}};
        Tdm1 module;
        Database &db = *module.dbMain();
        db.execute("INSERT INTO TESISLER (IDTESISLER,TESISKODU,TESISBOLGE,TESISADI) VALUES (1,5,'P','Deniz Otel')");
        db.execute("INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES (1,1,'7')");
        // A complete foreign guest staying today.
        db.execute("INSERT INTO MISAFIR (_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,BABAADI,CINSIYET,"
                   "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH,GELISSAAT) VALUES "
                   "(1,'P','RU1','RUS','Anna','Petrova','Ivan','K','B','Moskva','1980-01-02','Tverskaya 1',"
                   "DATE('now','localtime'),'10:00:00.000')");
        db.execute(QString("UPDATE MISAFIR SET %1=:v").arg(column), {{"v", value}});
        TFormAyar settings{module.dbMain(), module.il_db()};
        TFormXmlKaydet form{module.dbMain(), module.il_db(), module.FDT(), &settings};
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.satirEksik(0), marked);
        form.close();
    }
};

QTEST_MAIN(TestExportMarking)
#include "tst_exportmarking.moc"
