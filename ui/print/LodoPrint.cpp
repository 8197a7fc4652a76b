#include "ui/print/LodoPrint.h"

#include "session/SessionUi.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>
#include <filesystem>

namespace LodoPrint {
namespace {

constexpr double InPerPt = 0.014; // inches per point of the printed report
constexpr int PrintDpi = 1200;
constexpr int SmallLines = 10; // the notes' tail and the nomenclature

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

QString FromPath(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.u16string());
}

// A report line's text starts at its top-left point and wraps at the right margin.
// A wrapped line pushes the lines after it down by the extra rows it took, so long
// notes never print over the next line.
void PaintReport(QPainter& painter, const std::vector<std::string>& lines, int dpi) {
    const int pageWidth = painter.device()->width();
    const int pageHeight = painter.device()->height();
    const int ppl = PixelsPerLine(dpi);
    const std::vector<ReportLineStyle> layout = ReportLayout(static_cast<int>(lines.size()), dpi);
    const QString family = ReportFontFamily();
    painter.setPen(QPen(QColor(Qt::black)));
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));

    int shift = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ReportLineStyle& style = layout[i];
        QFont font(family);
        font.setStyleHint(QFont::Serif);
        font.setPointSize(style.PointSize);
        font.setBold(style.Bold);
        font.setUnderline(style.Underline);
        painter.setFont(font);

        const int top = style.Top + shift;
        const int width = std::max(pageWidth - 2 * dpi, 1);
        // Down to the page's bottom edge; a line below it still gets one row and
        // runs off the page, as there is no second page.
        const int rowHeight = QFontMetrics(font, painter.device()).lineSpacing();
        const int height = std::max(pageHeight - top, rowHeight);
        const QRect rect(dpi, top, width, height);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const QString text = QString::fromStdString(lines[i]);
        QRect used;
        painter.drawText(rect, flags, text, &used);

        const int rows =
            std::max(1, static_cast<int>(std::lround(double(used.height()) / rowHeight)));
        const bool small = static_cast<int>(i) >= static_cast<int>(lines.size()) - SmallLines;
        const double pitch = small ? ppl : ppl * 1.3;
        shift += RoundHalfEven((rows - 1) * pitch);
    }
}

// Runs one print job: begin, paint, end; aborts and reports when anything fails.
template <typename Paint> QString RunJob(QPrinter& printer, const QString& what, Paint paint) {
    printer.setResolution(PrintDpi);
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The %1 could not be printed: the printer could not be started.")
            .arg(what);
    paint(painter, printer.resolution());
    if (printer.printerState() == QPrinter::Error) {
        printer.abort();
        if (painter.isActive())
            painter.end();
        return QStringLiteral("The %1 could not be printed: the printer reported an error.")
            .arg(what);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        return QStringLiteral("The %1 could not be printed: the document could not be finished.")
            .arg(what);
    return {};
}

const std::vector<std::string>* LinesOf(SessionUi& ui, const ReportResult& report) {
    if (const auto* notice = std::get_if<ReportNotice>(&report)) {
        ui.ShowMessage(notice->Text);
        return nullptr;
    }
    return &std::get<std::vector<std::string>>(report);
}

QString WithSuffix(QString path, const QString& suffix) {
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

} // namespace

int PixelsPerLine(int dpi) {
    return RoundHalfEven(dpi * InPerPt * 12.0);
}

std::vector<ReportLineStyle> ReportLayout(int lineCount, int dpi) {
    std::vector<ReportLineStyle> out(static_cast<std::size_t>(std::max(lineCount, 0)));
    const int ppl = PixelsPerLine(dpi);
    const int firstSmall = lineCount - SmallLines;
    for (int i = 0; i < lineCount; ++i) {
        ReportLineStyle& s = out[static_cast<std::size_t>(i)];
        if (i >= firstSmall) {
            s.PointSize = 11;
            s.Top = RoundHalfEven(firstSmall * ppl * 0.3 + (i + 1) * ppl + dpi);
            continue;
        }
        s.Top = RoundHalfEven((i + 1) * ppl * 1.3 + dpi);
        switch (i) {
        case 0:
            s.PointSize = 16;
            s.Bold = true;
            break;
        case 1:
        case 2:
            s.PointSize = 14;
            s.Bold = true;
            break;
        case 4:
            s.Bold = true;
            s.Underline = true;
            break;
        default:
            break;
        }
    }
    return out;
}

QString ReportFontFamily() {
    for (const char* family : {"Times New Roman", "Liberation Serif", "Tinos", "Nimbus Roman",
                               "TeX Gyre Termes", "DejaVu Serif"}) {
        const QString f = QString::fromLatin1(family);
        if (QFontDatabase::hasFamily(f))
            return f;
    }
    return QStringLiteral("serif");
}

QString PrintReport(QPrinter& printer, const std::vector<std::string>& lines) {
    return RunJob(printer, QStringLiteral("report"),
                  [&](QPainter& painter, int dpi) { PaintReport(painter, lines, dpi); });
}

QString PrintImage(QPrinter& printer, const QImage& image) {
    if (image.isNull())
        return QStringLiteral("The drawing could not be captured.");
    return RunJob(printer, QStringLiteral("drawing"), [&](QPainter& painter, int) {
        const QRect page(0, 0, painter.device()->width(), painter.device()->height());
        painter.setOpacity(1.0);
        painter.drawImage(page, image, image.rect());
    });
}

QString WriteReportPdf(const QString& path, const std::vector<std::string>& lines) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(QStringLiteral("Results Report"));
    return PrintReport(printer, lines);
}

QString WriteDrawingPng(const QString& path, const QImage& image) {
    if (image.isNull())
        return QStringLiteral("The drawing could not be captured.");
    if (!image.save(path, "PNG"))
        return QStringLiteral("The drawing could not be written to %1.").arg(path);
    return {};
}

std::string ProposedName(const std::string& dFileName, const std::string& lineName,
                         const char* ext) {
    if (!dFileName.empty())
        return std::filesystem::path(dFileName).replace_extension(ext).string();
    // A line name may hold characters no file name can, and dots that are no extension.
    std::string name = lineName.empty() ? std::string("Sample Line") : lineName;
    for (char& ch : name)
        if (ch == '/' || ch == '\\' || ch == ':' || ch == '*' || ch == '?' || ch == '"' ||
            ch == '<' || ch == '>' || ch == '|')
            ch = '_';
    return name + ext;
}

void MenuItemResultClick(QWidget* parent, SessionUi& ui, const ReportResult& report) {
    const std::vector<std::string>* lines = LinesOf(ui, report);
    if (!lines)
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Results"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const QString error = PrintReport(printer, *lines); !error.isEmpty())
        ui.ShowError(error.toStdString());
}

void MenuItemDrawClick(QWidget* parent, SessionUi& ui, const QImage& drawing) {
    if (drawing.isNull()) {
        ui.ShowError("The drawing could not be captured.");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Drawing"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const QString error = PrintImage(printer, drawing); !error.isEmpty())
        ui.ShowError(error.toStdString());
}

void ExportReportPdf(SessionUi& ui, const ReportResult& report, const std::string& proposedName) {
    const std::vector<std::string>* lines = LinesOf(ui, report);
    if (!lines)
        return;
    const auto path = ui.ChooseSaveFile(
        {"Export Report as PDF", ".pdf", "PDF documents|*.pdf", proposedName, true});
    if (!path)
        return;
    if (const QString error =
            WriteReportPdf(WithSuffix(FromPath(*path), QStringLiteral("pdf")), *lines);
        !error.isEmpty())
        ui.ShowError(error.toStdString());
}

void ExportDrawingPng(SessionUi& ui, const QImage& drawing, const std::string& proposedName) {
    if (drawing.isNull()) {
        ui.ShowError("The drawing could not be captured.");
        return;
    }
    const auto path = ui.ChooseSaveFile(
        {"Export Drawing as PNG", ".png", "PNG images|*.png", proposedName, true});
    if (!path)
        return;
    if (const QString error =
            WriteDrawingPng(WithSuffix(FromPath(*path), QStringLiteral("png")), drawing);
        !error.isEmpty())
        ui.ShowError(error.toStdString());
}

} // namespace LodoPrint
