// The run mode chosen from the command line: only a dash or a slash followed by "otokaydet", in
// any letter case and with nothing after it, selects the unattended export.
#include "TestSupport.h"

#include "app/CommandLine.h"

#include <QtTest>

#include <vector>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void unattendedSwitch_data();
    void unattendedSwitch();
    void modeForArguments_data();
    void modeForArguments();
    void programNameIsNoSwitch();
};

void TestCommandLine::unattendedSwitch_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("unattended");
    QTest::newRow("dash") << u"-otokaydet"_s << true;
    QTest::newRow("slash") << u"/otokaydet"_s << true;
    QTest::newRow("capitals after dash") << u"-OTOKAYDET"_s << true;
    QTest::newRow("mixed case after slash") << u"/OtoKayDet"_s << true;
    QTest::newRow("no prefix") << u"otokaydet"_s << false;
    QTest::newRow("trailing letter") << u"-otokaydetx"_s << false;
    QTest::newRow("trailing blank") << u"-otokaydet "_s << false;
    QTest::newRow("leading blank") << u" -otokaydet"_s << false;
    QTest::newRow("double dash") << u"--otokaydet"_s << false;
    QTest::newRow("backslash") << u"\\otokaydet"_s << false;
    QTest::newRow("value attached") << u"-otokaydet=1"_s << false;
    QTest::newRow("shortened") << u"-otokayde"_s << false;
    QTest::newRow("prefix alone") << u"-"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestCommandLine::unattendedSwitch()
{
    QFETCH(QString, argument);
    QFETCH(bool, unattended);
    QCOMPARE(CommandLine::isUnattendedSwitch(argument), unattended);
}

void TestCommandLine::modeForArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("unattended");
    QTest::newRow("none") << QStringList() << false;
    QTest::newRow("switch alone") << QStringList{u"-otokaydet"_s} << true;
    QTest::newRow("switch after other arguments") << QStringList{u"belge.txt"_s, u"/x"_s, u"/OTOKAYDET"_s} << true;
    QTest::newRow("switch before other arguments") << QStringList{u"-otokaydet"_s, u"belge.txt"_s} << true;
    QTest::newRow("only near misses") << QStringList{u"otokaydet"_s, u"-otokaydetx"_s} << false;
}

void TestCommandLine::modeForArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, unattended);
    const auto expected = unattended ? CommandLine::Mode::Unattended : CommandLine::Mode::Interactive;
    QCOMPARE(CommandLine::modeFor(arguments), expected);
}

// argv[0] is the program, not an argument: a program that happens to live at /otokaydet does not
// run unattended by its name.
void TestCommandLine::programNameIsNoSwitch()
{
    std::vector<QByteArray> storage = {"/otokaydet", "belge"};
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    QCOMPARE(CommandLine::modeFor(2, argv.data()), CommandLine::Mode::Interactive);

    storage = {"selvane", "-OtoKaydet"};
    argv.clear();
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    QCOMPARE(CommandLine::modeFor(2, argv.data()), CommandLine::Mode::Unattended);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
