#include "app/ExportReport.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// lodo-calculator --export-report LINE.lxl OUT.pdf [...]: the engineering report
// without a window, for batch work.
int ExportReport(int argc, char* argv[]) {
    // No display is needed; one the caller has set up is left alone.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lodo-calculator"));
    std::vector<std::string> args;
    for (const QString& a : QApplication::arguments().mid(2))
        args.push_back(a.toStdString());
    std::string error;
    const int status = ExportReportCommand(args, error);
    if (status != 0)
        std::cerr << "lodo-calculator: " << error << '\n';
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--export-report") == 0)
        return ExportReport(argc, argv);

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
