#include "app/ExportReport.h"

#include "cli/CliCommon.h"
#include "model/LodoError.h"
#include "persistence/FileIo.h"
#include "report/pdf/ReportPdf.h"

int ExportReportCommand(const std::vector<std::string>& args, std::string& err) {
    static const std::string usage = "usage: lodo-calculator --export-report LINE.lxl OUT.pdf "
                                     "[--mono DP | --lognormal MMAD GSD]";
    if (args.size() < 2) {
        err = "--export-report needs LINE.lxl and OUT.pdf (" + usage + ")";
        return Cli::ExitUsage;
    }
    Cli::ParticleSpec particles;
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::string error;
        if (Cli::ParseParticleOption(args, i, particles, error)) {
            if (!error.empty()) {
                err = error;
                return Cli::ExitUsage;
            }
            continue;
        }
        err = "unexpected argument '" + Cli::Quote(args[i]) + "' (" + usage + ")";
        return Cli::ExitUsage;
    }
    const std::string& linePath = args[0];
    const QString out = QString::fromStdString(args[1]);
    if (FileIo::SameFile(linePath, args[1])) {
        err = Cli::Quote(args[1]) + " is the line file itself; the report was not written";
        return Cli::ExitFailure;
    }
    auto loaded = Cli::LoadLine(linePath, particles);
    if (auto* e = std::get_if<std::string>(&loaded)) {
        err = *e;
        return Cli::ExitFailure;
    }
    const Cli::LoadedLine& line = std::get<Cli::LoadedLine>(loaded);
    if (line.Model.List.empty()) {
        err = Cli::Quote(linePath) + ": " + std::string(LodoErrorText(9));
        return Cli::ExitFailure;
    }
    // The file as the user named it: a reviewer knows it by that name, not by the
    // directory the batch happened to run in.
    EngReport::Source source = ReportPdf::SourceNow(line.LineName, linePath);
    source.Warnings = line.Warnings;
    source.Design = line.Design;
    const EngReport::Report report = EngReport::BuildReport(line.Model, source);
    if (const QString error =
            ReportPdf::WriteReport(report, out, ReportPdf::PaperFor(QLocale::system()));
        !error.isEmpty()) {
        err = error.toStdString();
        return Cli::ExitFailure;
    }
    // Written, but a figure in it is "invalid": as lodo-cli, the batch must not take it
    // for a result.
    if (const auto reason = Cli::InvalidReason(line)) {
        err = "the report was written, but " + *reason;
        return Cli::ExitInvalid;
    }
    return Cli::ExitOk;
}
