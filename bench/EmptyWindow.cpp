// The least a Qt Widgets program does to show a window as large as
// Testarion's: the yardstick its start-up is measured against.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(908, 616);
    window.show();
    return application.exec();
}
