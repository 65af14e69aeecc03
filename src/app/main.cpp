#include "esettings.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Every data file of the program lives relative to its own folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    // The window hides to the tray; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    window.InitWindow();
    int code = 0;
    {
        ESettings options;
        window.ShowAtStart(options.GetMinStart());
        code = app.exec();
    }
    return code;
}
