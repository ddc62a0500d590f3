#pragma once
#include <QString>
#include <exception>
#include <functional>

// Where an error ends up when it reaches code that cannot pass it on (a Qt slot, an event
// handler): the program installs a handler that shows it in an error box; the default writes it
// to standard error. A SilentAbort is never reported.
//
// A register that cannot be opened at start-up fails the data module and then every query the
// first window opens, all before the program reaches its event loop. The operator sees that
// failure once: an error that only repeats the failed opening is not shown again until the
// event loop has run. Any other error is always shown.
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
