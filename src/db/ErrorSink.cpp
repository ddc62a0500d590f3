#include "db/ErrorSink.h"

#include "db/AppError.h"
#include "db/DatabaseError.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace ErrorSink {

namespace {
Handler &currentHandler()
{
    static Handler handler;
    return handler;
}

// The last message shown, until the event loop runs again; empty when there is none.
QString &shownThisTurn()
{
    static QString message;
    return message;
}

bool isRepeatOfThisTurn(const QString &message)
{
    return QCoreApplication::instance() && shownThisTurn() == message;
}

// Called after the message was shown: a box runs an event loop of its own while it is open, so
// the turn ends only with the next pass of the loop that follows it.
void rememberUntilNextTurn(const QString &message)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return;
    shownThisTurn() = message;
    QTimer::singleShot(0, application, [] { shownThisTurn().clear(); });
}
} // namespace

void setHandler(Handler handler) { currentHandler() = std::move(handler); }

void report(const QString &message)
{
    if (currentHandler())
        currentHandler()(message);
    else
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    rememberUntilNextTurn(message);
}

void reportCurrentException()
{
    try {
        throw;
    } catch (const SilentAbort &) {
    } catch (const DatabaseError &error) {
        if (!error.repeatsFailedOpening() || !isRepeatOfThisTurn(error.message()))
            report(error.message());
    } catch (const AppError &error) {
        report(error.message());
    } catch (const std::exception &error) {
        report(QString::fromUtf8(error.what()));
    }
}

} // namespace ErrorSink
