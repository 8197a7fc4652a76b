#include "report/print/LodoPrint.h"

#include "gui/ExportFile.h"
#include "persistence/FileIo.h"
#include "session/SessionUi.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextLayout>
#include <cmath>
#include <filesystem>
#include <memory>

namespace LodoPrint {
namespace {

constexpr double InPerPt = 0.014; // inches per point of the printed report
constexpr int PrintDpi = 1200;
constexpr int SmallLines = 10; // the notes' tail and the nomenclature

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

QFont ReportFont(const QString& family, const ReportLineStyle& style) {
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPointSize(style.PointSize);
    font.setBold(style.Bold);
    font.setUnderline(style.Underline);
    return font;
}

// A report line's text starts at its top-left point and wraps at the right margin.
// A wrapped line pushes the lines after it down by the extra rows it took, so long
// notes never print over the next line; lines that do not fit continue on further
// pages, and nothing is drawn below the bottom margin.
void PaintReport(QPrinter& printer, QPainter& painter, const std::vector<std::string>& lines,
                 int dpi) {
    const int pageWidth = painter.device()->width();
    const int pageHeight = painter.device()->height();
    const std::vector<ReportLineStyle> styles = ReportLayout(static_cast<int>(lines.size()), dpi);
    const QString family = ReportFontFamily();
    const qreal width = std::max(pageWidth - 2 * dpi, 1);

    std::vector<std::unique_ptr<QTextLayout>> layouts;
    std::vector<ReportLineBox> boxes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QFont font = ReportFont(family, styles[i]);
        auto layout =
            std::make_unique<QTextLayout>(QString::fromStdString(lines[i]), font, painter.device());
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        // A word longer than the line is broken rather than run past the right margin.
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
            row.setLineWidth(width);
            row.setPosition(QPointF(0, y));
            y += row.height();
        }
        layout->endLayout();
        const int rowHeight = QFontMetrics(font, painter.device()).lineSpacing();
        boxes.push_back({std::max(layout->lineCount(), 1), rowHeight});
        layouts.push_back(std::move(layout));
    }

    painter.setPen(QPen(QColor(Qt::black)));
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    painter.setOpacity(1.0);
    int page = 0;
    for (const ReportPlacement& place : PaginateReport(boxes, dpi, pageHeight)) {
        while (page < place.Page) {
            printer.newPage();
            ++page;
        }
        const QTextLayout& layout = *layouts[static_cast<std::size_t>(place.Line)];
        const int rowHeight = boxes[static_cast<std::size_t>(place.Line)].RowHeight;
        for (int r = 0; r < place.Rows && place.FirstRow + r < layout.lineCount(); ++r) {
            const QTextLine row = layout.lineAt(place.FirstRow + r);
            // Each row at its own pitch from the placement's top, whatever the rows
            // above it took on an earlier page.
            row.draw(&painter, QPointF(dpi, place.Top + r * rowHeight - row.y()));
        }
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

std::vector<ReportPlacement> PaginateReport(const std::vector<ReportLineBox>& boxes, int dpi,
                                            int pageHeight) {
    const int count = static_cast<int>(boxes.size());
    const int firstSmall = count - SmallLines;
    const double ppl = PixelsPerLine(dpi);
    const int bottom = pageHeight - dpi;
    const auto pitchOf = [&](int i) { return i >= firstSmall ? ppl : ppl * 1.3; };
    const auto rowsOf = [&](int i) { return std::max(boxes[static_cast<std::size_t>(i)].Rows, 1); };
    const auto heightOf = [&](int i) { return boxes[static_cast<std::size_t>(i)].RowHeight; };

    std::vector<ReportPlacement> out;
    int page = 0;
    double used = 0; // [pixels] advanced by the lines already on this page
    bool pageHasLines = false;
    const auto newPage = [&] {
        ++page;
        used = 0;
        pageHasLines = false;
    };
    for (int i = 0; i < count; ++i) {
        const double pitch = pitchOf(i);
        if (i == std::max(firstSmall, 0) && pageHasLines) {
            // The notes' tail and the nomenclature stay together.
            double y = used;
            bool fits = true;
            for (int j = i; j < count; ++j) {
                const int top = RoundHalfEven(dpi + y + pitchOf(j));
                fits = fits && top + rowsOf(j) * heightOf(j) <= bottom;
                y += rowsOf(j) * pitchOf(j);
            }
            if (!fits)
                newPage();
        }
        int row = 0;
        int left = rowsOf(i);
        while (left > 0) {
            const int top = RoundHalfEven(dpi + used + pitch);
            const int room = heightOf(i) > 0 ? (bottom - top) / heightOf(i) : left;
            if (room >= left) {
                out.push_back({i, page, top, row, left});
                used += left * pitch;
                pageHasLines = true;
                break;
            }
            if (pageHasLines) {
                newPage();
                continue;
            }
            // Taller than a page: as many rows as fit (at least one, so a page too
            // small for any row still ends), the rest on the next pages.
            const int take = std::max(room, 1);
            out.push_back({i, page, top, row, take});
            row += take;
            left -= take;
            newPage();
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
                  [&](QPainter& painter, int dpi) { PaintReport(printer, painter, lines, dpi); });
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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QStringLiteral("The drawing could not be written to %1.").arg(path);
    // Through the program's one writer, as the line file is written.
    if (const auto error = FileIo::WriteFileAtomically(
            std::filesystem::path(path.toStdU16String()),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return QStringLiteral("The drawing could not be written to %1: %2")
            .arg(path, QString::fromStdString(error->Message));
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

void ExportDrawingPng(SessionUi& ui, const QImage& drawing, const std::string& lineFile,
                      const std::string& proposedName) {
    if (drawing.isNull()) {
        ui.ShowError("The drawing could not be captured.");
        return;
    }
    ExportFile(ui, {"Export Drawing as PNG", ".png", "PNG images|*.png", proposedName, true},
               QStringLiteral("png"), lineFile, "The drawing",
               [&](const QString& path) { return WriteDrawingPng(path, drawing); });
}

} // namespace LodoPrint
