// selvane-gridbench: the guest list's grid on a register, beside the sqlite3 shell. Run by hand on
// a copy of a register: selvane-gridbench FOLDER (the folder holding qrt.db).
#include "GuestGridSession.h"

#include "db/AppError.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <stdexcept>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: selvane-gridbench FOLDER\n");
        return 2;
    }
    try {
        GuestGridSession(app.arguments().at(1)).run();
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
