#pragma once
#include <QChar>
#include <QString>
#include <functional>

// The export for the current moment as a scheduler starts it: every line of its trace goes to
// `trace` (one complete line each, without the line break), and the result is the exit status a
// scheduler can trust. `source` says who asked for it: 'O' a run on its own, 'D' a run handed to
// the open window.
int runUnattendedExport(QChar source, const std::function<void(const QString &line)> &trace);
