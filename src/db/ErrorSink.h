#pragma once
#include <QString>
#include <exception>
#include <functional>

// Where an error ends up when it reaches code that cannot pass it on (a Qt slot, an event
// handler): the program installs a handler that shows it in an error box; the default writes it
// to standard error. A SilentAbort is never reported.
namespace ErrorSink {

using Handler = std::function<void(const QString &message)>;
void setHandler(Handler handler);
void report(const QString &message);
// Reports the exception currently being handled; call from inside a catch block.
void reportCurrentException();

// Runs an action and reports what it throws.
template <typename Action>
bool guard(Action &&action)
{
    try {
        action();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

} // namespace ErrorSink
