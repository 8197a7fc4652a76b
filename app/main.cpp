#include "ui/MainWindow.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lodo-calculator"));

    MainWindow window;
    window.show();

    // A sample-line file named on the command line (or by the desktop's file
    // association) is opened once the window is up.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        const QString path = args.at(1);
        QTimer::singleShot(0, &window, [&window, path] { window.openPath(path); });
    }
    return QApplication::exec();
}
