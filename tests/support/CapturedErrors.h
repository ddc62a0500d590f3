#pragma once
// Collects what reaches the program's error box, instead of showing it, for as long as it lives.
#include "db/ErrorSink.h"

#include <QString>
#include <QStringList>

namespace testsupport {

struct CapturedErrors {
    QStringList messages;
    CapturedErrors() { ErrorSink::setHandler([this](const QString &m) { messages << m; }); }
    ~CapturedErrors() { ErrorSink::setHandler({}); }
    CapturedErrors(const CapturedErrors &) = delete;
    CapturedErrors &operator=(const CapturedErrors &) = delete;
};

} // namespace testsupport
