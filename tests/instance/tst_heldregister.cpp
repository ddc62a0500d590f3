// A register held by a program that is not Selvane (a database tool, a backup): nobody answers on
// its name, so the window opens on it and says what the engine said, once.
#include "TestSupport.h"
#include "app/Startup.h"
#include "app/Tmainform.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"

#include <QTabWidget>
#include <QtTest>

#include <sqlite3.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Holds qrt.db of the working directory as another program would: an exclusive lock kept open.
class ForeignHolder {
public:
    ForeignHolder()
    {
        sqlite3 *handle = nullptr;
        sqlite3_open_v2("qrt.db", &handle, SQLITE_OPEN_READWRITE, nullptr);
        m_db.reset(handle);
        m_error = sqlite3_exec(handle, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr);
    }
    bool holds() const { return m_error == SQLITE_OK; }

private:
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> m_db{nullptr, &sqlite3_close};
    int m_error = SQLITE_ERROR;
};

} // namespace

class TestHeldRegister : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }
    void cleanup() { Startup::reportErrorsOnceWhileStarting(false); }

    void heldRegisterShowsEngineErrorOnce();
    void laterErrorsAreShownAgain();
};

// The data module fails on the locked file first; the frame shown with the window fails on it
// again with the same text. The operator sees one box, and the main window still opens.
void TestHeldRegister::heldRegisterShowsEngineErrorOnce()
{
    testsupport::ScopedWorkDir dir;
    { Tdm1 first; } // a register with its tables, closed again
    ForeignHolder holder;
    QVERIFY(holder.holds());

    QStringList boxes;
    MessageBoxes::ScopedPresenter presenter([&](const MessageBoxes::Request &request) {
        if (request.kind == MessageBoxes::Kind::Error)
            boxes << request.text;
        return QMessageBox::Ok;
    });
    Startup::reportErrorsOnceWhileStarting(true);
    Tdm1 dm;
    const std::unique_ptr<Tmainform> mainform = Startup::createWindows(dm);
    mainform->showMaximized();
    Startup::reportErrorsOnceWhileStarting(false);
    QVERIFY(QTest::qWaitForWindowExposed(mainform.get()));
    QCOMPARE(boxes, QStringList{u"Kayıt dosyası başka bir program tarafından kullanılıyor (database is locked)"_s});
    QCOMPARE(mainform->pgc1()->currentIndex(), 0);
}

// Once the program runs, an error is an event of its own: the same text gets its box again.
void TestHeldRegister::laterErrorsAreShownAgain()
{
    QStringList boxes;
    MessageBoxes::ScopedPresenter presenter([&](const MessageBoxes::Request &request) {
        boxes << request.text;
        return QMessageBox::Ok;
    });
    Startup::reportErrorsOnceWhileStarting(true);
    ErrorSink::report(u"database is locked"_s);
    ErrorSink::report(u"database is locked"_s);
    ErrorSink::report(u"disk I/O error"_s);
    Startup::reportErrorsOnceWhileStarting(false);
    ErrorSink::report(u"database is locked"_s);
    ErrorSink::report(u"database is locked"_s);
    QCOMPARE(boxes, (QStringList{u"database is locked"_s, u"disk I/O error"_s, u"database is locked"_s,
                                 u"database is locked"_s}));
}

QTEST_MAIN(TestHeldRegister)
#include "tst_heldregister.moc"
