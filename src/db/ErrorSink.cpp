#include "db/ErrorSink.h"

#include "db/AppError.h"

#include <cstdio>

namespace ErrorSink {

namespace {
Handler &currentHandler()
{
    static Handler handler;
    return handler;
}
} // namespace

void setHandler(Handler handler) { currentHandler() = std::move(handler); }

void report(const QString &message)
{
    if (currentHandler()) {
        currentHandler()(message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

void reportCurrentException()
{
    try {
        throw;
    } catch (const SilentAbort &) {
    } catch (const AppError &error) {
        report(error.message());
    } catch (const std::exception &error) {
        report(QString::fromUtf8(error.what()));
    }
}

} // namespace ErrorSink
