#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Selvane");
    QMainWindow window;
    window.setWindowTitle("Selvane");
    window.show();
    return app.exec();
}
