#pragma once

#include "report/core/ResultsReport.h"

#include <QImage>
#include <QString>
#include <string>
#include <vector>

class QPrinter;
class QWidget;
class SessionUi;

// Printing of the results report and the drawing, and their export to files.
namespace LodoPrint {

// Position and face of one report line on the page.
struct ReportLineStyle {
    int Top = 0;        // [device pixels] from the printable area's top edge
    int PointSize = 12; // [pt]
    bool Bold = false;
    bool Underline = false;
};

// Pixels per 12-point line at `dpi` dots per inch (0.014 in per point), rounded
// half to even: 202 at 1200 dpi.
int PixelsPerLine(int dpi);

// Where each of `lineCount` report lines goes on a page tall enough for all of them:
// the body from one inch below the top at 1.3 line pitches (title 16 pt bold, name
// and penetration 14 pt bold, the free-stream velocity underlined), the last ten
// lines at single pitch in 11 pt.
std::vector<ReportLineStyle> ReportLayout(int lineCount, int dpi);

// One report line as it is set: how many rows it wraps to and how tall a row is.
struct ReportLineBox {
    int Rows = 1;
    int RowHeight = 0; // [device pixels]
};

// Where a run of rows of one report line is drawn.
struct ReportPlacement {
    int Line = 0;     // index of the report line
    int Page = 0;     // 0-based
    int Top = 0;      // [device pixels] of the first row
    int FirstRow = 0; // of the line's rows
    int Rows = 1;
};

// The report over as many pages as it needs, each with the same margins (one inch
// all round): the lines keep the pitches of ReportLayout, restarted from the top on
// every page; a line that would end below the bottom margin starts the next page,
// and the last ten lines move to a new page together when they do not fit below the
// body. Only a line taller than a whole page is split between pages. A wrapped line
// pushes the lines after it down by a pitch for each extra row.
std::vector<ReportPlacement> PaginateReport(const std::vector<ReportLineBox>& boxes, int dpi,
                                            int pageHeight);

// Times New Roman where installed, otherwise a serif with the same metrics.
QString ReportFontFamily();

// Prints on a printer already chosen: selects 1200 dpi, begins the document,
// paints, ends it. On failure the job is aborted and the error text returned;
// empty on success.
QString PrintReport(QPrinter& printer, const std::vector<std::string>& lines);
// The image stretched over the whole printable area.
QString PrintImage(QPrinter& printer, const QImage& image);

// Without a printer: the printed report as a PDF file (what Print > Results puts on
// paper), the drawing as a PNG file. The exported engineering report is report/pdf's.
QString WriteReportPdf(const QString& path, const std::vector<std::string>& lines);
QString WriteDrawingPng(const QString& path, const QImage& image);

// The name offered for an export: the line's file with the export's extension
// (".pdf", ".png"), or the line name when the line has not been saved.
std::string ProposedName(const std::string& dFileName, const std::string& lineName,
                         const char* ext);

// The menu commands. Notices and errors go to the user through `ui`; the print
// dialog is the platform's. A cancelled dialog does nothing.
void MenuItemResultClick(QWidget* parent, SessionUi& ui, const ReportResult& report);
void MenuItemDrawClick(QWidget* parent, SessionUi& ui, const QImage& drawing);
// `proposedName` is the file name offered in the save dialog (may be empty);
// `lineFile` is the line's own file (empty when not saved), never written over.
void ExportDrawingPng(SessionUi& ui, const QImage& drawing, const std::string& lineFile,
                      const std::string& proposedName);

} // namespace LodoPrint
