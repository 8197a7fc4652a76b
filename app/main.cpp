#include "app/ExportReport.h"
#include "ui/MainWindow.h"
#include "version/ProgramVersion.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "Usage: lodo-calculator [LINE.lxl | LINE.lpl]\n"
    "       lodo-calculator --export-report LINE.lxl OUT.pdf [--mono DP | --lognormal MMAD GSD]\n"
    "\n"
    "Opens the sample line in the window (a new line without one).\n"
    "\n"
    "Options:\n"
    "  --export-report  write the engineering report of LINE.lxl to OUT.pdf without opening\n"
    "                   a window\n"
    "  -h, --help       show this help\n"
    "  --version        show the version and build id\n"
    "\n"
    "Exit status of --export-report:\n"
    "  0  the report is written\n"
    "  1  it is not: the line file could not be read, or the report not written\n"
    "  2  the command line was wrong\n"
    "  4  the report is written, but a result in it is not a finite number (the reason\n"
    "     is on stderr)\n";

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
    // Answered before any window system is touched: they work without a display.
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << Usage << std::flush;
        return std::cout ? 0 : 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << ProgramVersion::VersionLine("lodo-calculator") << '\n' << std::flush;
        return std::cout ? 0 : 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "--export-report") == 0)
        return ExportReport(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lodo-calculator"));
    QApplication::setApplicationVersion(QString::fromStdString(ProgramVersion::Number()));

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
