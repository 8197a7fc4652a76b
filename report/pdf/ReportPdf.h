#pragma once

#include "report/core/EngineeringReport.h"

#include <QLocale>
#include <QPageSize>
#include <QString>
#include <string>
#include <vector>

class SessionUi;
struct LodoModel;

// The engineering report laid out on pages and written as a PDF file.
namespace ReportPdf {

// Letter where the locale's country uses it, A4 everywhere else.
QPageSize::PageSizeId PaperFor(const QLocale& locale);

// Where a page's parts lie [pt from the page's top-left corner], for the tests.
struct PageGeometry {
    double Width = 0, Height = 0;
    double Left = 0, Right = 0;     // of the text column
    double HeaderTop = 0;           // the header block starts here
    double BodyTop = 0, Bottom = 0; // the body runs from BodyTop to Bottom
};
PageGeometry GeometryOf(QPageSize::PageSizeId paper);

// Writes the report to `path`, as many pages as it needs, each with the header block
// and "Page n of m". Returns the error text, empty on success.
QString WriteReport(const EngReport::Report& report, const QString& path,
                    QPageSize::PageSizeId paper);

// The source of the report for the line: its name, its file as given (empty when not
// saved) with the SHA-256 of its bytes, and the current local date and time.
EngReport::Source SourceNow(const std::string& lineName, const std::string& filePath);

// The SHA-256 of the file's bytes in lower-case hex; empty when it cannot be read.
std::string Sha256Of(const std::string& path);

// File > Export Report as PDF...: asks for the file through `ui` (proposing
// `proposedName`), then writes the report of the evaluated `model`. An empty line
// is explained and nothing is asked. `changedSinceSaved`: the line differs from the
// file, which the header then says; `design`: the line's design case (identification,
// criteria, operating range).
void ExportReportPdf(SessionUi& ui, const LodoModel& model, const std::string& lineName,
                     const std::string& filePath, const std::string& proposedName,
                     bool changedSinceSaved = false, const Design::DesignCase& design = {});

} // namespace ReportPdf
