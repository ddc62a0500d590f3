#include "app/SelvaneApplication.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"

#include "TestSupport.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <stdexcept>

namespace {

using Thrower = std::function<void()>;

// The program's wiring: what reaches the error sink is shown in an error box.
struct ErrorBoxWiring {
    ErrorBoxWiring()
    {
        ErrorSink::setHandler([](const QString &message) { MessageBoxes::showError(QApplication::activeWindow(), message); });
    }
    ~ErrorBoxWiring() { ErrorSink::setHandler({}); }
};

// Records every box instead of showing it.
struct CapturedBoxes {
    QList<MessageBoxes::Request> requests;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        requests << request;
        return QMessageBox::Ok;
    }};
};

// Answers the next real message box once it is on screen, after handing it to `inspect`.
void answerNextBox(std::function<void(QMessageBox *)> inspect, int key)
{
    QTimer::singleShot(0, [inspect, key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(inspect, key);
            return;
        }
        inspect(box);
        QTest::keyClick(box, Qt::Key(key));
    });
}

} // namespace

class TestErrorHandler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void errorFromSlot_data()
    {
        QTest::addColumn<Thrower>("thrower");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("AppError") << Thrower([] { throw AppError("Ayar satiri bulunamadi."); })
                                  << QStringList{"Ayar satiri bulunamadi."};
        QTest::newRow("engine error text") << Thrower([] { throw std::runtime_error("database is locked"); })
                                           << QStringList{"database is locked"};
        QTest::newRow("silent abort") << Thrower([] { throw SilentAbort(); }) << QStringList{};
    }
    // An error that leaves a slot is shown once, in an error box with its own text, and the loop
    // goes on: a second click is handled the same way.
    void errorFromSlot()
    {
        QFETCH(Thrower, thrower);
        QFETCH(QStringList, shown);
        ErrorBoxWiring wiring;
        CapturedBoxes boxes;
        QPushButton button("Dosyaları Kaydet");
        connect(&button, &QPushButton::clicked, &button, thrower);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));

        for (int click = 1; click <= 2; ++click) {
            QTest::mouseClick(&button, Qt::LeftButton);
            QCOMPARE(boxes.requests.size(), shown.size() * click);
        }
        for (const MessageBoxes::Request &request : boxes.requests) {
            QCOMPARE(request.kind, MessageBoxes::Kind::Error);
            QCOMPARE(request.text, shown.first());
            QCOMPARE(request.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
    }

    void errorFromQueuedCallIsShown()
    {
        ErrorBoxWiring wiring;
        CapturedBoxes boxes;
        QTimer::singleShot(0, [] { throw AppError("Ayar girişi eksik."); });
        QTRY_COMPARE(boxes.requests.size(), 1);
        QCOMPARE(boxes.requests[0].text, QString("Ayar girişi eksik."));
    }

    // One real box: it shows the error's own text and closes with OK.
    void realErrorBoxShowsTheText()
    {
        ErrorBoxWiring wiring;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        answerNextBox([&](QMessageBox *box) { text = box->text(); icon = box->icon(); }, Qt::Key_Return);
        QTimer::singleShot(0, [] { throw AppError("Jpg Load Error"); });
        QTRY_COMPARE(text, QString("Jpg Load Error"));
        QCOMPARE(icon, QMessageBox::Critical);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    // A confirmation is a warning box whose default button is Cancel: Enter does not confirm.
    void confirmationDefaultsToCancel_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void confirmationDefaultsToCancel()
    {
        QFETCH(int, key);
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString defaultText;
        answerNextBox([&](QMessageBox *box) {
            icon = box->icon();
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            QCOMPARE(box->standardButton(box->defaultButton()), QMessageBox::Cancel);
        }, key);
        const bool confirmed = MessageBoxes::confirm(nullptr, "Devam etmek istiyormusunuz?");
        QVERIFY(!confirmed);
        QCOMPARE(icon, QMessageBox::Warning);
    }

    void confirmationIsTrueOnlyForItsButton()
    {
        QList<MessageBoxes::Request> requests;
        MessageBoxes::ScopedPresenter presenter([&](const MessageBoxes::Request &request) {
            requests << request;
            return QMessageBox::Yes;
        });
        QVERIFY(MessageBoxes::confirm(nullptr, "Bu tesis kaydını silmek istediğinizden emin misiniz?", QMessageBox::Yes));
        QVERIFY(!MessageBoxes::confirm(nullptr, "Devam etmek istiyormusunuz?"));
        QCOMPARE(requests[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(requests[0].defaultButton, QMessageBox::Cancel);
        QCOMPARE(requests[1].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(requests[1].kind, MessageBoxes::Kind::Warning);
    }
};

int main(int argc, char *argv[])
{
    SelvaneApplication application(argc, argv);
    TestErrorHandler test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_errorhandler.moc"
