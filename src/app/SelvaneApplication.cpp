#include "app/SelvaneApplication.h"

#include "db/AppError.h"
#include "db/ErrorSink.h"

#include <QScopedValueRollback>
#include <cstdio>
#include <exception>

SelvaneApplication::SelvaneApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool SelvaneApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportEscapedError();
        return false;
    }
}

// Call from inside a catch block. While one error box is open, an error raised by the events it
// lets through (a repaint that fails again) goes to standard error instead of stacking boxes.
void SelvaneApplication::reportEscapedError()
{
    if (m_reporting) {
        try {
            throw;
        } catch (const SilentAbort &) {
        } catch (const AppError &error) {
            std::fprintf(stderr, "Selvane: %s\n", error.message().toUtf8().constData());
        } catch (const std::exception &error) {
            std::fprintf(stderr, "Selvane: %s\n", error.what());
        } catch (...) {
            std::fprintf(stderr, "Selvane: %s\n", "Beklenmeyen bir hata oluştu.");
        }
        return;
    }
    const QScopedValueRollback<bool> reporting(m_reporting, true);
    try {
        throw;
    } catch (const std::exception &) {
        ErrorSink::reportCurrentException();
    } catch (...) {
        ErrorSink::report(QStringLiteral("Beklenmeyen bir hata oluştu."));
    }
}
