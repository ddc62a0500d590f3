// selvane-printbench: the grid print preview of the guest list beside the sqlite3 shell. Run by
// hand: selvane-printbench [--rows 10000] [--runs 3] [--folder DIR] [--shots DIR]
#include "PrintPreviewBenchmark.h"

#include "db/AppError.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    try {
        PrintPreviewBenchmark(PrintPreviewBenchmark::fromArguments(app.arguments())).run();
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
