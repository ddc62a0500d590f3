// The notification document: its text, its ISO-8859-9 bytes, the hash line and the file on disk.
#include "TestSupport.h"

#include "db/AppError.h"
#include "notify/Iso88599Codec.h"
#include "notify/KonaklamaDocument.h"
#include "notify/NotificationFileWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A root with the four attributes the export always sets.
std::unique_ptr<IXMLKonaklamaJ> facilityRoot()
{
    auto root = NewKonaklama();
    root->setTesisKodu(u"1234"_s);
    root->setTarih(u"2017-05-01 14:03:07"_s);
    root->setGonderenProgram(u"Morvanta Selvane"_s);
    root->setGonderenProgramVersiyon(u"1.0"_s);
    return root;
}

// Runs the writer and returns the AppError's message, or a null string when nothing was thrown.
QString writeError(const QString &path, const IXMLKonaklamaJ &root)
{
    try {
        NotificationFileWriter::write(path, root);
    } catch (const AppError &error) {
        return error.message();
    }
    return {};
}

// Lowers the process's file size limit, so that writing a larger file fails part-way with EFBIG
// (also for root, unlike a read-only folder). The signal the kernel sends then is ignored.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~ScopedFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit &) = delete;
    ScopedFileSizeLimit &operator=(const ScopedFileSizeLimit &) = delete;

private:
    rlimit m_previous {};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace

class TestKonaklamaDocument : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void fileIsByteExact();
    void facilityWithoutGuestsIsEmptyElement();
    void attributeValueEscaping_data();
    void attributeValueEscaping();
    void iso88599Encoding_data();
    void iso88599Encoding();
    void xmlHash_data();
    void xmlHash();
    void hashLineMatchesBody_data();
    void hashLineMatchesBody();
    void attributesKeepFixedOrder();
    void onlySetAttributesAreWritten();
    void guestsKeepTheirPositions();
    void indexOutsideListThrows();
    void missingFolderThrowsAndLeavesNothing();
    void failurePartWayLeavesNoFile();
    void failedRenameLeavesNoTemporaryFile();
    void existingFileIsNeverReplaced();
    void ownTemporaryNames_data();
    void ownTemporaryNames();
};

void TestKonaklamaDocument::fileIsByteExact()
{
    testsupport::ScopedWorkDir workDir;
    auto root = facilityRoot();
    IXMLKonaklamaJ_Kisi &first = root->Add();
    first.setSiraNo(u"1"_s);
    first.setTCKimlikNo(u"10000000146"_s);
    first.setAdi(u"Ayşe"_s);
    first.setSoyadi(u"Öztürk & Şahin"_s);
    first.setBabaAdi(u"İsmail"_s);
    first.setAnaAdi(u"Gülşen"_s);
    first.setDogumYeri(u"Iğdır"_s);
    first.setDogumTarihi(u"1980-02-29"_s);
    first.setUyrugu(u"TC"_s);
    first.setKimlikBelgesiTuru(u"N"_s);
    first.setKimlikSeriNo(u"A12"_s);
    first.setNufusaKayitliOlduguIl(u"Çanakkale"_s);
    first.setNufusaKayitliOlduguIlce(u"Ezine"_s);
    first.setNufusaKayitliOlduguMahalle(u"Geyikli"_s);
    first.setNufusCilt(u"12"_s);
    first.setNufusAileSira(u"34"_s);
    first.setNufusSiraNo(u"56"_s);
    first.setCinsiyet(u"K"_s);
    first.setMedeniHali(u"E"_s);
    first.setIsi(u"Öğretmen"_s);
    first.setIkametAdresi(u"Atatürk Cd. No:5 \"B\" Blok"_s);
    first.setGelisTarihi(u"2017-05-01 10:30:00"_s);
    first.setAyrilisTarihi(QString());
    first.setVerilenOdaNo(u"101"_s);
    first.setAracPlakaNo(QString());
    IXMLKonaklamaJ_Kisi &second = root->Add();
    second.setSiraNo(u"2"_s);
    second.setAdi(u"Łukasz"_s);

    // Written out by hand; a literal is split after each \x escape that a hex digit follows.
    // The hash is the MD5 of line 3 as given here, computed outside the program.
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>\r\n"
        "<?hash 08859D08F5E7FB896D38FAD7444D04AD?>\r\n"
        "<Konaklama TesisKodu=\"1234\" Tarih=\"2017-05-01 14:03:07\" GonderenProgram=\"Morvanta Selvane\""
        " GonderenProgramVersiyon=\"1.0\">"
        "<Kisi SiraNo=\"1\" TCKimlikNo=\"10000000146\" Adi=\"Ay\xFE" "e\" Soyadi=\"\xD6zt\xFCrk &amp; \xDE" "ahin\""
        " BabaAdi=\"\xDDsmail\" AnaAdi=\"G\xFCl\xFE" "en\" DogumYeri=\"I\xF0" "d\xFDr\" DogumTarihi=\"1980-02-29\""
        " Uyrugu=\"TC\" KimlikBelgesiTuru=\"N\" KimlikSeriNo=\"A12\" NufusaKayitliOlduguIl=\"\xC7" "anakkale\""
        " NufusaKayitliOlduguIlce=\"Ezine\" NufusaKayitliOlduguMahalle=\"Geyikli\" NufusCilt=\"12\""
        " NufusAileSira=\"34\" NufusSiraNo=\"56\" Cinsiyet=\"K\" MedeniHali=\"E\" Isi=\"\xD6\xF0retmen\""
        " IkametAdresi=\"Atat\xFCrk Cd. No:5 &quot;B&quot; Blok\" GelisTarihi=\"2017-05-01 10:30:00\""
        " AyrilisTarihi=\"\" VerilenOdaNo=\"101\" AracPlakaNo=\"\"/>"
        "<Kisi SiraNo=\"2\" Adi=\"?ukasz\"/>"
        "</Konaklama>";

    const QString path = workDir.filePath(u"20170501_140307T1234P20170501_140308.xml"_s);
    NotificationFileWriter::write(path, *root);
    QCOMPARE(readFile(path), expected);
    QCOMPARE(entriesOf(workDir.path()), QStringList {u"20170501_140307T1234P20170501_140308.xml"_s});
}

void TestKonaklamaDocument::facilityWithoutGuestsIsEmptyElement()
{
    testsupport::ScopedWorkDir workDir;
    const QString text = u"<Konaklama TesisKodu=\"1234\" Tarih=\"2017-05-01 14:03:07\""
                         " GonderenProgram=\"Morvanta Selvane\" GonderenProgramVersiyon=\"1.0\"/>"_s;
    auto root = facilityRoot();
    QCOMPARE(root->xml(), text);

    // A document whose guests were all removed is empty again.
    root->Add().setSiraNo(u"1"_s);
    root->clear();
    QCOMPARE(root->count(), 0);
    QCOMPARE(root->xml(), text);

    const QString path = workDir.filePath(u"bos.xml"_s);
    NotificationFileWriter::write(path, *root);
    const QByteArray hashOfText = QCryptographicHash::hash(text.toLatin1(), QCryptographicHash::Md5).toHex().toUpper();
    QCOMPARE(readFile(path), "<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>\r\n<?hash " + hashOfText + "?>\r\n"
                                 + text.toLatin1());
}

void TestKonaklamaDocument::attributeValueEscaping_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written");

    QTest::newRow("ampersand") << u"A&B"_s << u"A&amp;B"_s;
    QTest::newRow("entity-like text") << u"&amp;"_s << u"&amp;amp;"_s;
    QTest::newRow("less-than") << u"a<b"_s << u"a&lt;b"_s;
    QTest::newRow("quotation mark") << u"\"x\""_s << u"&quot;x&quot;"_s;
    QTest::newRow("greater-than as is") << u"a>b"_s << u"a>b"_s;
    QTest::newRow("apostrophe as is") << u"O'Neil"_s << u"O'Neil"_s;
    QTest::newRow("tab") << u"a\tb"_s << u"a&#9;b"_s;
    QTest::newRow("line break CR LF") << u"Sok.\r\nNo:1"_s << u"Sok.&#13;&#10;No:1"_s;
    QTest::newRow("control character") << u"a\u0001b"_s << u"a?b"_s;
    QTest::newRow("NUL") << QString(QChar(u'\0')) << u"?"_s;
    QTest::newRow("escape character") << u"\u001B[0m"_s << u"?[0m"_s;
    QTest::newRow("U+FFFE and U+FFFF") << u"\uFFFE\uFFFF"_s << u"??"_s;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u"x"_s << u"?x"_s;
    QTest::newRow("lone low surrogate") << u"x"_s + QChar(0xDE00) << u"x?"_s;
    QTest::newRow("surrogate pair kept for the encoding") << u"a😀b"_s << u"a😀b"_s;
    QTest::newRow("Turkish letters as is") << u"ĞğİıŞş"_s << u"ĞğİıŞş"_s;
}

void TestKonaklamaDocument::attributeValueEscaping()
{
    QFETCH(QString, value);
    QFETCH(QString, written);
    auto root = NewKonaklama();
    root->Add().setAdi(value);
    QCOMPARE(root->xml(), u"<Konaklama><Kisi Adi=\""_s + written + u"\"/></Konaklama>"_s);
    QCOMPARE(root->Kisi(0).Adi(), value);
}

void TestKonaklamaDocument::iso88599Encoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ASCII") << u"Kisi 12 <&>"_s << QByteArray("Kisi 12 <&>");
    QTest::newRow("Turkish letters") << u"ĞğİıŞşÇçÖöÜü"_s
                                     << QByteArray("\xD0\xF0\xDD\xFD\xDE\xFE\xC7\xE7\xD6\xF6\xDC\xFC");
    QTest::newRow("Latin-1 letters that stay") << u"éàßÆ×÷ÿ"_s << QByteArray("\xE9\xE0\xDF\xC6\xD7\xF7\xFF");
    QTest::newRow("Latin-1 letters Turkish took the place of") << u"ÐÝÞðýþ"_s << QByteArray("??????");
    QTest::newRow("outside the code page") << u"Łódź €5"_s << QByteArray("?\xF3" "d? ?5");
    QTest::newRow("emoji is one character") << u"a😀b"_s << QByteArray("a?b");
    QTest::newRow("two emoji") << u"😀😀"_s << QByteArray("??");
    QTest::newRow("lone surrogate") << QString(QChar(0xDC00)) << QByteArray("?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestKonaklamaDocument::iso88599Encoding()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Iso88599Codec::encode(text), bytes);
}

void TestKonaklamaDocument::xmlHash_data()
{
    // Digests computed outside the program over the ISO-8859-9 bytes of each text.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hash");

    QTest::newRow("empty") << QString() << u"D41D8CD98F00B204E9800998ECF8427E"_s;
    QTest::newRow("abc") << u"abc"_s << u"900150983CD24FB0D6963F7D28E17F72"_s;
    QTest::newRow("one Turkish letter") << u"ğ"_s << u"8C493A43D8C1EF798860BB02B62E8E79"_s;
    QTest::newRow("Turkish letters") << u"ĞğİıŞşÇçÖöÜü"_s << u"5D050DCD6E93ACCC3141C0F1DA95F90D"_s;
    QTest::newRow("substitutes") << u"Ł€😀"_s << u"0D1B08C34858921BC7C662B228ACB7BA"_s;
}

void TestKonaklamaDocument::xmlHash()
{
    QFETCH(QString, text);
    QFETCH(QString, hash);
    QCOMPARE(XmlHash(text), hash);
}

void TestKonaklamaDocument::hashLineMatchesBody_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("guests");

    QTest::newRow("no guests") << QString() << 0;
    QTest::newRow("plain") << u"Ali"_s << 2;
    QTest::newRow("Turkish letters") << u"Işıl Güneş Çağrı"_s << 1;
    QTest::newRow("escaped") << u"\"Can\" & <Ece>\r\n\t"_s << 3;
    QTest::newRow("substitutes") << u"Łukasz € 😀 \u0007 Ýý"_s << 2;
}

void TestKonaklamaDocument::hashLineMatchesBody()
{
    QFETCH(QString, name);
    QFETCH(int, guests);
    testsupport::ScopedWorkDir workDir;
    auto root = facilityRoot();
    for (int i = 1; i <= guests; ++i) {
        IXMLKonaklamaJ_Kisi &kisi = root->Add();
        kisi.setSiraNo(QString::number(i));
        kisi.setAdi(name);
        kisi.setIkametAdresi(name);
    }
    const QString path = workDir.filePath(u"a.xml"_s);
    NotificationFileWriter::write(path, *root);
    const QByteArray file = readFile(path);

    // Read the file the way the client does: three lines, the hash over everything after the second.
    const qsizetype firstBreak = file.indexOf("\r\n");
    const qsizetype secondBreak = file.indexOf("\r\n", firstBreak + 2);
    QVERIFY(firstBreak > 0 && secondBreak > firstBreak);
    QCOMPARE(file.left(firstBreak), QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>"));
    const QByteArray hashLine = file.mid(firstBreak + 2, secondBreak - firstBreak - 2);
    const QByteArray body = file.mid(secondBreak + 2);
    QVERIFY(!body.contains('\r') && !body.contains('\n'));
    QVERIFY(body.startsWith("<Konaklama "));
    QCOMPARE(body.back(), '>');
    QCOMPARE(hashLine, "<?hash " + QCryptographicHash::hash(body, QCryptographicHash::Md5).toHex().toUpper() + "?>");
}

void TestKonaklamaDocument::attributesKeepFixedOrder()
{
    auto root = NewKonaklama();
    root->setGonderenProgramVersiyon(u"1.0"_s);
    root->setGonderenProgram(u"P"_s);
    root->setTarih(u"T"_s);
    root->setTesisKodu(u"7"_s);
    IXMLKonaklamaJ_Kisi &kisi = root->Add();
    kisi.setAracPlakaNo(u"25"_s);
    kisi.setVerilenOdaNo(u"24"_s);
    kisi.setAyrilisTarihi(u"23"_s);
    kisi.setGelisTarihi(u"22"_s);
    kisi.setIkametAdresi(u"21"_s);
    kisi.setIsi(u"20"_s);
    kisi.setMedeniHali(u"19"_s);
    kisi.setCinsiyet(u"18"_s);
    kisi.setNufusSiraNo(u"17"_s);
    kisi.setNufusAileSira(u"16"_s);
    kisi.setNufusCilt(u"15"_s);
    kisi.setNufusaKayitliOlduguMahalle(u"14"_s);
    kisi.setNufusaKayitliOlduguIlce(u"13"_s);
    kisi.setNufusaKayitliOlduguIl(u"12"_s);
    kisi.setKimlikSeriNo(u"11"_s);
    kisi.setKimlikBelgesiTuru(u"10"_s);
    kisi.setUyrugu(u"9"_s);
    kisi.setDogumTarihi(u"8"_s);
    kisi.setDogumYeri(u"7"_s);
    kisi.setAnaAdi(u"6"_s);
    kisi.setBabaAdi(u"5"_s);
    kisi.setSoyadi(u"4"_s);
    kisi.setAdi(u"3"_s);
    kisi.setTCKimlikNo(u"2"_s);
    kisi.setSiraNo(u"1"_s);

    QCOMPARE(root->xml(),
             u"<Konaklama TesisKodu=\"7\" Tarih=\"T\" GonderenProgram=\"P\" GonderenProgramVersiyon=\"1.0\">"
             "<Kisi SiraNo=\"1\" TCKimlikNo=\"2\" Adi=\"3\" Soyadi=\"4\" BabaAdi=\"5\" AnaAdi=\"6\" DogumYeri=\"7\""
             " DogumTarihi=\"8\" Uyrugu=\"9\" KimlikBelgesiTuru=\"10\" KimlikSeriNo=\"11\" NufusaKayitliOlduguIl=\"12\""
             " NufusaKayitliOlduguIlce=\"13\" NufusaKayitliOlduguMahalle=\"14\" NufusCilt=\"15\" NufusAileSira=\"16\""
             " NufusSiraNo=\"17\" Cinsiyet=\"18\" MedeniHali=\"19\" Isi=\"20\" IkametAdresi=\"21\" GelisTarihi=\"22\""
             " AyrilisTarihi=\"23\" VerilenOdaNo=\"24\" AracPlakaNo=\"25\"/></Konaklama>"_s);

    // Each getter reads its own attribute.
    const QStringList read {kisi.SiraNo(), kisi.TCKimlikNo(), kisi.Adi(), kisi.Soyadi(), kisi.BabaAdi(),
                            kisi.AnaAdi(), kisi.DogumYeri(), kisi.DogumTarihi(), kisi.Uyrugu(),
                            kisi.KimlikBelgesiTuru(), kisi.KimlikSeriNo(), kisi.NufusaKayitliOlduguIl(),
                            kisi.NufusaKayitliOlduguIlce(), kisi.NufusaKayitliOlduguMahalle(), kisi.NufusCilt(),
                            kisi.NufusAileSira(), kisi.NufusSiraNo(), kisi.Cinsiyet(), kisi.MedeniHali(),
                            kisi.Isi(), kisi.IkametAdresi(), kisi.GelisTarihi(), kisi.AyrilisTarihi(),
                            kisi.VerilenOdaNo(), kisi.AracPlakaNo()};
    for (int i = 0; i < read.size(); ++i)
        QCOMPARE(read[i], QString::number(i + 1));
    QCOMPARE(QStringList({root->TesisKodu(), root->Tarih(), root->GonderenProgram(), root->GonderenProgramVersiyon()}),
             QStringList({u"7"_s, u"T"_s, u"P"_s, u"1.0"_s}));
}

void TestKonaklamaDocument::onlySetAttributesAreWritten()
{
    auto root = NewKonaklama();
    QCOMPARE(root->xml(), u"<Konaklama/>"_s);
    QCOMPARE(root->TesisKodu(), QString());

    root->setTarih(QString());
    IXMLKonaklamaJ_Kisi &kisi = root->Add();
    QCOMPARE(kisi.xml(), u"<Kisi/>"_s);
    kisi.setTCKimlikNo(u""_s);
    kisi.setAyrilisTarihi(QString());
    kisi.setAdi(u"Eski"_s);
    kisi.setAdi(u"Yeni"_s);
    QCOMPARE(kisi.xml(), u"<Kisi TCKimlikNo=\"\" Adi=\"Yeni\" AyrilisTarihi=\"\"/>"_s);
    QCOMPARE(root->xml(), u"<Konaklama Tarih=\"\"><Kisi TCKimlikNo=\"\" Adi=\"Yeni\" AyrilisTarihi=\"\"/></Konaklama>"_s);
}

void TestKonaklamaDocument::guestsKeepTheirPositions()
{
    auto root = NewKonaklama();
    IXMLKonaklamaJ_Kisi &b = root->Add();
    b.setSiraNo(u"B"_s);
    root->Add().setSiraNo(u"D"_s);
    root->Insert(0).setSiraNo(u"A"_s);
    root->Insert(2).setSiraNo(u"C"_s);
    root->Insert(4).setSiraNo(u"E"_s);
    QCOMPARE(root->xml(), u"<Konaklama><Kisi SiraNo=\"A\"/><Kisi SiraNo=\"B\"/><Kisi SiraNo=\"C\"/>"
                          "<Kisi SiraNo=\"D\"/><Kisi SiraNo=\"E\"/></Konaklama>"_s);
    // A reference handed out earlier still reaches its own node after insertions before it.
    QCOMPARE(&root->Kisi(1), &b);
    QCOMPARE(root->Kisi(3).SiraNo(), u"D"_s);

    root->removeAt(0);
    QCOMPARE(root->remove(b), 0);
    QCOMPARE(root->remove(b), -1);
    QCOMPARE(root->count(), 3);
    QCOMPARE(root->xml(), u"<Konaklama><Kisi SiraNo=\"C\"/><Kisi SiraNo=\"D\"/><Kisi SiraNo=\"E\"/></Konaklama>"_s);
}

void TestKonaklamaDocument::indexOutsideListThrows()
{
    auto root = NewKonaklama();
    root->Add();
    QVERIFY_THROWS_EXCEPTION(AppError, root->Kisi(1));
    QVERIFY_THROWS_EXCEPTION(AppError, root->Kisi(-1));
    QVERIFY_THROWS_EXCEPTION(AppError, root->Insert(2));
    QVERIFY_THROWS_EXCEPTION(AppError, root->removeAt(1));
    QCOMPARE(root->count(), 1);
}

void TestKonaklamaDocument::missingFolderThrowsAndLeavesNothing()
{
    testsupport::ScopedWorkDir workDir;
    const QString message = writeError(workDir.filePath(u"AKBS/a.xml"_s), *facilityRoot());
    QVERIFY2(message.contains(qt_error_string(ENOENT)), qPrintable(message));
    QVERIFY2(message.contains(u"a.xml"_s), qPrintable(message));
    QCOMPARE(entriesOf(workDir.path()), QStringList());
}

void TestKonaklamaDocument::failurePartWayLeavesNoFile()
{
    testsupport::ScopedWorkDir workDir;
    const QString path = workDir.filePath(u"a.xml"_s);
    // An earlier file of the same name stays whole when its replacement cannot be written.
    writeFile(path, "eski");
    auto root = facilityRoot();
    for (int i = 0; i < 60; ++i)
        root->Add().setAdi(u"Misafir"_s);
    QVERIFY(NotificationFileWriter::fileBytes(*root).size() > 1000);

    QString message;
    {
        ScopedFileSizeLimit limit(200);
        message = writeError(path, *root);
    }
    QVERIFY2(message.contains(qt_error_string(EFBIG)), qPrintable(message));
    QCOMPARE(entriesOf(workDir.path()), QStringList {u"a.xml"_s});
    QCOMPARE(readFile(path), QByteArray("eski"));
}

void TestKonaklamaDocument::failedRenameLeavesNoTemporaryFile()
{
    testsupport::ScopedWorkDir workDir;
    // A folder in the way of the only name offered lets everything but the last step succeed.
    QVERIFY(QDir(workDir.path()).mkpath(u"a.xml/icerik"_s));
    const QString message = writeError(workDir.filePath(u"a.xml"_s), *facilityRoot());
    QVERIFY2(message.contains(qt_error_string(EEXIST)), qPrintable(message));
    QCOMPARE(entriesOf(workDir.path()), QStringList {u"a.xml"_s});
    QCOMPARE(entriesOf(workDir.filePath(u"a.xml"_s)), QStringList {u"icerik"_s});
}

// An existing file is never replaced: the writer moves on to the next name it is offered, and
// reports the name it used and the value of its hash line. A temporary file of the first name
// left over from before is overwritten and gone afterwards.
void TestKonaklamaDocument::existingFileIsNeverReplaced()
{
    testsupport::ScopedWorkDir workDir;
    const QString first = workDir.filePath(u"a.xml"_s);
    const QString second = workDir.filePath(u"b.xml"_s);
    const QString third = workDir.filePath(u"c.xml"_s);
    writeFile(first, QByteArray(5000, 'x'));
    writeFile(second, "ikinci");
    writeFile(NotificationFileWriter::temporaryPathFor(first), "yarim kalmis");
    const auto root = facilityRoot();
    const NotificationFileWriter::WrittenFile written = NotificationFileWriter::write(
        [&](int attempt) { return QStringList{first, second, third}.value(attempt); }, *root);
    QCOMPARE(written.path, third);
    QCOMPARE(written.hash, XmlHash(root->xml()));
    QCOMPARE(readFile(first), QByteArray(5000, 'x'));
    QCOMPARE(readFile(second), QByteArray("ikinci"));
    QCOMPARE(readFile(third), NotificationFileWriter::fileBytes(*root));
    QCOMPARE(entriesOf(workDir.path()), (QStringList {u"a.xml"_s, u"b.xml"_s, u"c.xml"_s}));
}

// Only the writer's own temporary names count as stale: the export's name with ".tmp".
void TestKonaklamaDocument::ownTemporaryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("own");
    QTest::newRow("police") << u"20170501_140307T1234P20170501_140308.xml.tmp"_s << true;
    QTest::newRow("gendarmerie") << u"20170501_140307T7J20170501_140308.xml.tmp"_s << true;
    QTest::newRow("negative code of an older run") << u"20170501_140307T-9223372036854775808P20170501_140308.xml.tmp"_s
                                                  << true;
    QTest::newRow("finished file") << u"20170501_140307T1234P20170501_140308.xml"_s << false;
    QTest::newRow("another program's") << u"rapor.xml.tmp"_s << false;
    QTest::newRow("stamp cut short") << u"20170501_1403T1234P20170501_140308.xml.tmp"_s << false;
    QTest::newRow("more after it") << u"20170501_140307T1234P20170501_140308.xml.tmp.bak"_s << false;
}

void TestKonaklamaDocument::ownTemporaryNames()
{
    QFETCH(QString, name);
    QFETCH(bool, own);
    QCOMPARE(NotificationFileWriter::isOwnTemporaryName(name), own);
}

QTEST_GUILESS_MAIN(TestKonaklamaDocument)
#include "tst_konaklamadocument.moc"
