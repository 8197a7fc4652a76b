#include "app/ExportReport.h"

#include "cli/CliCommon.h"
#include "model/LodoError.h"
#include "persistence/FileIo.h"
#include "report/pdf/ReportPdf.h"

#include <QDir>
#include <QFileInfo>

int ExportReportCommand(const std::vector<std::string>& args, std::string& err) {
    static const std::string usage = "usage: lodo-calculator --export-report LINE.lxl OUT.pdf "
                                     "[--mono DP | --lognormal MMAD GSD]";
    if (args.size() < 2) {
        err = "--export-report needs LINE.lxl and OUT.pdf (" + usage + ")";
        return 1;
    }
    Cli::ParticleSpec particles;
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::string error;
        if (Cli::ParseParticleOption(args, i, particles, error)) {
            if (!error.empty()) {
                err = error;
                return 1;
            }
            continue;
        }
        err = "unexpected argument '" + Cli::Quote(args[i]) + "' (" + usage + ")";
        return 1;
    }
    const std::string& linePath = args[0];
    const QString out = QString::fromStdString(args[1]);
    if (FileIo::SameFile(linePath, args[1])) {
        err = Cli::Quote(args[1]) + " is the line file itself; the report was not written";
        return 1;
    }
    auto loaded = Cli::LoadLine(linePath, particles);
    if (auto* e = std::get_if<std::string>(&loaded)) {
        err = *e;
        return 1;
    }
    const Cli::LoadedLine& line = std::get<Cli::LoadedLine>(loaded);
    if (line.Model.List.empty()) {
        err = Cli::Quote(linePath) + ": " + std::string(LodoErrorText(9));
        return 1;
    }
    const std::string absolute =
        QFileInfo(QString::fromStdString(linePath)).absoluteFilePath().toStdString();
    const EngReport::Report report =
        EngReport::BuildReport(line.Model, ReportPdf::SourceNow(line.LineName, absolute));
    if (const QString error =
            ReportPdf::WriteReport(report, out, ReportPdf::PaperFor(QLocale::system()));
        !error.isEmpty()) {
        err = error.toStdString();
        return 1;
    }
    return 0;
}
