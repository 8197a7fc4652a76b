#include "drawing/view/LineView.h"
#include "report/core/ResultsReport.h"
#include "report/print/LodoPrint.h"
#include "session/testing/ScriptedUi.h"

#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>

namespace {

TLodoComp Comp(int type, const char* name, const char* ntype) {
    TLodoComp c;
    c.NTypeInt = type;
    c.Name = name;
    c.NType = ntype;
    c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
        c.FStreamUnit = "Metric";
    c.Dia1 = c.Dia2 = 34.9;
    c.Flow = 57.0;
    c.FStream = 10.0;
    c.TransM1 = 0.9537;
    return c;
}

LodoList ReportLine() {
    TLodoComp nozzle = Comp(NodeNozzle, "N-1", "Nozzle");
    nozzle.TransM1 = 1.0;
    nozzle.TransM2 = 1.01;
    TLodoComp tube = Comp(NodeTube, "T-1", "Tube");
    tube.Len = 2.5;
    TLodoComp bend = Comp(NodeBend, "B-1 *", "Bend");
    bend.Ang2 = 90;
    bend.Brd = 0.1016;
    return {nozzle, tube, bend};
}

std::vector<std::string> ReportLines() {
    return std::get<std::vector<std::string>>(BuildPr(ReportLine(), "Stack 2 line", "= 85.23"));
}

// A nozzle and then tubes and bends by turns: `count` components in all.
LodoList LongLine(int count) {
    LodoList line = {ReportLine()[0]};
    for (int i = 1; i < count; ++i) {
        TLodoComp c = i % 2 ? ReportLine()[1] : ReportLine()[2];
        c.Name = (i % 2 ? "T-" : "B-") + std::to_string(i);
        line.push_back(c);
    }
    return line;
}

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The words of a PDF page with their top edges [pt], from `pdftotext -bbox`.
std::multimap<double, QString> WordsByTop(const QString& pdf) {
    const QString html =
        Run(Tool("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"[^\"]+\" yMin=\"([^\"]+)\"[^>]*>([^<]*)</word>"));
    std::multimap<double, QString> out;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.emplace(m.captured(1).toDouble(), m.captured(2));
    }
    return out;
}

struct PdfWord {
    int Page = 0;               // 0-based
    double Top = 0, Bottom = 0; // [pt] from the page's top edge
    QString Text;
    double Right = 0; // [pt] from the page's left edge
};

// Every word of the PDF with its page and vertical extent, from `pdftotext -bbox`.
std::vector<PdfWord> Words(const QString& pdf, double* pageHeight = nullptr) {
    const QString html =
        Run(Tool("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression token(QStringLiteral(
        "<page width=\"[^\"]+\" height=\"([^\"]+)\">|<word xMin=\"[^\"]+\" yMin=\"([^\"]+)\" "
        "xMax=\"([^\"]+)\" yMax=\"([^\"]+)\">([^<]*)</word>"));
    std::vector<PdfWord> out;
    int page = -1;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            ++page;
            if (pageHeight)
                *pageHeight = m.captured(1).toDouble();
            continue;
        }
        out.push_back({page, m.captured(2).toDouble(), m.captured(4).toDouble(), m.captured(5),
                       m.captured(3).toDouble()});
    }
    return out;
}

// The lowest occurrence of a word on the page, or -1.
double TopOf(const std::multimap<double, QString>& words, const QString& text) {
    double found = -1;
    for (const auto& [top, w] : words)
        if (w == text)
            found = top;
    return found;
}

// Answers the print dialog once it is up: prints to the PDF file `path`, or
// cancels when `path` is empty. `answered` stays false when no dialog came up or
// it had no print-to-file field (it is then cancelled).
void AnswerPrintDialog(const QString& path, bool* answered, int tries = 50) {
    QTimer::singleShot(200, [path, answered, tries] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            if (path.isEmpty()) {
                dialog->reject();
                *answered = true;
                return;
            }
            // The platform dialog's "print to file" name field.
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) {
                name->setText(path);
                dialog->accept();
                *answered = true;
                return;
            }
            dialog->reject();
            return;
        }
        if (tries > 1)
            AnswerPrintDialog(path, answered, tries - 1); // not up yet
    });
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheLinePitches() {
        QCOMPARE(LodoPrint::PixelsPerLine(1200), 202); // round(1200 * 0.014 * 12) = round(201.6)
        QCOMPARE(LodoPrint::PixelsPerLine(600), 101);  // 100.8
        const auto layout = LodoPrint::ReportLayout(24, 1200);
        QCOMPARE(int(layout.size()), 24);
        QCOMPARE(layout[0].Top, 1463); // 202 * 1.3 + 1200 = 1462.6
        QCOMPARE(layout[0].PointSize, 16);
        QVERIFY(layout[0].Bold);
        QCOMPARE(layout[2].PointSize, 14);
        QVERIFY(layout[2].Bold);
        QCOMPARE(layout[3].PointSize, 12);
        QVERIFY(!layout[3].Bold);
        QVERIFY(layout[4].Bold && layout[4].Underline);
        QCOMPARE(layout[5].Top, 2776); // 6 * 202 * 1.3 + 1200 = 2775.6
        // The last ten lines: 11 pt at single pitch, one pitch after the body.
        QCOMPARE(layout[13].PointSize, 12);
        QCOMPARE(layout[14].PointSize, 11);
        QCOMPARE(layout[14].Top - layout[13].Top, 202);
        QCOMPARE(layout[23].Top - layout[14].Top, 9 * 202);
    }

    void reportPdfHasOnePageWithTheReportLines() {
        if (Tool("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        const std::vector<std::string> lines = ReportLines();
        QCOMPARE(LodoPrint::WriteReportPdf(pdf, lines), QString());

        const QString text =
            Run(Tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QCOMPARE(text.count(QLatin1Char('\f')), 1); // one page
        const QString flat = text.simplified();
        for (const char* expected :
             {"Results Report", "Sample Line Name: Stack 2 line",
              "Total System Penetration = 85.23", "Sample Flow Rate = 57.00 LPM",
              "Free Stream Velocity = 10.00 m/s", "Node Penetration Component",
              "N-1 100.0 % Nozzle; Di= 34.90 mm; Ae= 1.01",
              "T-1 95.4 % Tube; Di = 34.90 mm; L = 2.50 m; \u03A6 = 0.0 \u00B0",
              "B-1 * 95.4 % Bend; \u0398 = 90.0 \u00B0; Ro= 2.9", "Notes:", "Nomenclature:",
              "Ro = Curvature Ratio = Radius of Curvature/Tube Diameter"}) {
            QVERIFY2(flat.contains(QString::fromUtf8(expected)), expected);
        }

        // Line pitches on the page: 1.3 x 202 px at 1200 dpi in the body, 202 px in
        // the last ten lines [pt = px * 72 / 1200].
        const auto words = WordsByTop(pdf);
        const double sample = TopOf(words, QStringLiteral("Name:")); // line 1
        const double total = TopOf(words, QStringLiteral("Total"));  // line 2, same face
        QVERIFY(sample > 0 && total > 0);
        QVERIFY2(qAbs((total - sample) - 202 * 1.3 * 72 / 1200) < 0.5,
                 qPrintable(QString::number(total - sample)));
        const double ae = TopOf(words, QStringLiteral("Ae"));   // "Ae = Aspiration ratio ..."
        const double lLine = TopOf(words, QStringLiteral("L")); // "L = Length", next line
        QVERIFY(ae > 0 && lLine > 0);
        QVERIFY2(qAbs((lLine - ae) - 202 * 72.0 / 1200) < 0.5,
                 qPrintable(QString::number(lLine - ae)));
        // The long fourth note wraps; the lines after it are pushed down, so nothing
        // prints over it.
        const double nomenclature = TopOf(words, QStringLiteral("Nomenclature:"));
        const double noteBottom = TopOf(words, QStringLiteral("Turbulent"));
        QVERIFY(noteBottom > 0 && nomenclature > noteBottom + 202 * 72.0 / 1200 - 0.5);
    }

    void paginationKeepsThePitchesAndBreaksBeforeTheMargin() {
        // 1200 dpi, a page of 11 in: the bottom margin lies at 12000 px.
        const int dpi = 1200, height = 13200;
        const auto tops = [](const std::vector<LodoPrint::ReportPlacement>& p) {
            std::vector<std::pair<int, int>> out;
            for (const auto& x : p)
                out.emplace_back(x.Page, x.Top);
            return out;
        };
        // Everything fits: one page, the specified positions.
        std::vector<LodoPrint::ReportLineBox> fit(24, {1, 230});
        const auto one = LodoPrint::PaginateReport(fit, dpi, height);
        const auto spec = LodoPrint::ReportLayout(24, dpi);
        QCOMPARE(int(one.size()), 24);
        for (int i = 0; i < 24; ++i)
            QCOMPARE(tops(one)[std::size_t(i)], std::make_pair(0, spec[std::size_t(i)].Top));

        // 60 lines: body lines run to the margin, the next page starts again one
        // pitch below the top margin, and the last ten lines stay together.
        std::vector<LodoPrint::ReportLineBox> many(60, {1, 230});
        const auto p = LodoPrint::PaginateReport(many, dpi, height);
        QCOMPARE(int(p.size()), 60);
        int firstOnPage2 = -1;
        for (int i = 0; i < 60; ++i) {
            QVERIFY(p[std::size_t(i)].Top + 230 <= height - dpi);
            if (p[std::size_t(i)].Page == 1 && firstOnPage2 < 0)
                firstOnPage2 = i;
        }
        // round(k * 262.6 + 1200) + 230 <= 12000 for k up to 40.
        QCOMPARE(firstOnPage2, 40);
        QCOMPARE(p[40].Top, 1463);
        QVERIFY(qAbs(p[41].Top - p[40].Top - 262.6) < 1);
        for (int i = 50; i < 60; ++i)
            QCOMPARE(p[std::size_t(i)].Page, p[50].Page);
        QCOMPARE(p[51].Top - p[50].Top, 202);

        // The tail does not fit below a full body: it moves as a whole.
        std::vector<LodoPrint::ReportLineBox> full(48, {1, 230});
        const auto q = LodoPrint::PaginateReport(full, dpi, height);
        QCOMPARE(q[37].Page, 0); // the last body line still fits
        QCOMPARE(q[38].Page, 1);
        QCOMPARE(q[38].Top, 1402); // one single pitch below the top margin
        QCOMPARE(q[47].Page, 1);

        // A wrapped line pushes the next one down by a pitch per extra row; a line
        // taller than a page is split, never drawn past the margin.
        std::vector<LodoPrint::ReportLineBox> tall(40, {1, 230});
        tall[1] = {3, 230};
        tall[3] = {100, 230};
        const auto t = LodoPrint::PaginateReport(tall, dpi, height);
        QCOMPARE(t[2].Line, 2);
        QVERIFY2(qAbs(t[2].Top - t[1].Top - 3 * 262.6) < 1,
                 qPrintable(QString::number(t[2].Top - t[1].Top)));
        int rows = 0;
        for (const auto& x : t) {
            QVERIFY(x.Top + x.Rows * 230 <= height - dpi);
            if (x.Line == 3)
                rows += x.Rows;
        }
        QCOMPARE(rows, 100);
        QVERIFY(t.back().Page >= 2);
    }

    void longReportContinuesOnFurtherPagesAndNothingBelowTheMargin() {
        if (Tool("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
        // A line name with no blank to wrap at.
        const std::string name = "Long-line-" + std::string(300, 'x');
        const auto lines =
            std::get<std::vector<std::string>>(BuildPr(LongLine(150), name, "= 12.34"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QCOMPARE(LodoPrint::PrintReport(printer, lines), QString());

        double pageHeight = 0;
        const std::vector<PdfWord> words = Words(pdf, &pageHeight);
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        const double bottomMargin = area.top() + area.height() - 72.0;
        const double rightMargin = area.left() + area.width() - 72.0;
        int pages = 0;
        for (const PdfWord& w : words) {
            pages = std::max(pages, w.Page + 1);
            QVERIFY2(w.Bottom <= bottomMargin + 0.5,
                     qPrintable(QStringLiteral("%1 on page %2 ends at %3 pt, margin %4")
                                    .arg(w.Text)
                                    .arg(w.Page + 1)
                                    .arg(w.Bottom)
                                    .arg(bottomMargin)));
            QVERIFY(w.Bottom <= pageHeight);
            QVERIFY2(w.Right <= rightMargin + 0.5, qPrintable(w.Text));
        }
        QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));

        // Every component's row, once, in order.
        const QString text =
            Run(Tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QCOMPARE(text.count(QLatin1Char('\f')), pages);
        qsizetype at = 0;
        for (int i = 1; i < 150; ++i) {
            const QString name = QString::fromLatin1(i % 2 ? "T-%1 " : "B-%1 ").arg(i);
            const qsizetype found = text.indexOf(name, at);
            QVERIFY2(found > at, qPrintable(name));
            at = found;
        }
        // The first page starts as the specified one does; the last ten lines share a
        // page, in the smaller face at single pitch.
        QCOMPARE(words.front().Text, QStringLiteral("Results"));
        QCOMPARE(words.front().Page, 0);
        int tailPage = -1;
        for (const PdfWord& w : words) {
            if (w.Text == QStringLiteral("2)"))
                tailPage = w.Page;
            if (w.Text == QStringLiteral("Ro") && tailPage >= 0)
                QCOMPARE(w.Page, tailPage);
        }
        QVERIFY(tailPage >= 1);
    }

    void resultsCommandPrintsThroughTheDialogOrNothingWhenCancelled() {
        if (Tool("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        ScriptedUi ui;
        bool answered = false;
        AnswerPrintDialog(QString(), &answered);
        LodoPrint::MenuItemResultClick(nullptr, ui, ReportLines());
        QVERIFY(answered);
        QVERIFY(ui.Silent());
        QVERIFY(QDir(dir.path()).isEmpty());

        const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
        answered = false;
        AnswerPrintDialog(pdf, &answered);
        LodoPrint::MenuItemResultClick(nullptr, ui, ReportLines());
        if (!answered)
            QSKIP("the platform print dialog has no print-to-file field");
        QVERIFY(ui.Silent());
        const QString text = Run(Tool("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("Sample Line Name: Stack 2 line")));
        QCOMPARE(text.count(QLatin1Char('\f')), 1);
    }

    void emptyLineIsNotPrintedButExplained() {
        // Message 9, and no print dialog.
        ScriptedUi ui;
        LodoPrint::MenuItemResultClick(nullptr, ui, BuildPr({}, "Sample Line 1", ""));
        QCOMPARE(ui.Messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(ui.Messages[0]),
                 QStringLiteral("There are no components in sample system."));
        QVERIFY(ui.Errors.empty());
    }

    void exportsWriteWhereTheUserChoseAndReportFailures() {
        QTemporaryDir dir;
        ScriptedUi ui;
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGray);

        // Without an extension the format's own is added.
        ui.SaveFiles.push_back(
            std::filesystem::path(dir.filePath(QStringLiteral("drawing")).toStdString()));
        LodoPrint::ExportDrawingPng(ui, image, "", "drawing.png");
        QVERIFY(ui.Errors.empty());
        QCOMPARE(QImage(dir.filePath(QStringLiteral("drawing.png"))).size(), image.size());
        QCOMPARE(QString::fromStdString(ui.SaveRequests.at(0).DefaultExt), QStringLiteral(".png"));

        // A folder that does not exist: an error box, nothing written, nothing else.
        const QString missing = dir.filePath(QStringLiteral("no/x.png"));
        ui.SaveFiles.push_back(std::filesystem::path(missing.toStdString()));
        LodoPrint::ExportDrawingPng(ui, image, "", "x.png");
        QCOMPARE(ui.Errors.size(), std::size_t(1));
        QVERIFY(!QFileInfo::exists(missing));

        // A cancelled dialog does nothing.
        ui.ClearRecord();
        LodoPrint::ExportDrawingPng(ui, image, "", "x.png");
        QVERIFY(ui.Errors.empty() && ui.Messages.empty());

        // No captured image: an error, no dialog.
        ui.ClearRecord();
        LodoPrint::ExportDrawingPng(ui, QImage(), "", "x.png");
        QCOMPARE(ui.Errors.size(), std::size_t(1));
        QVERIFY(ui.SaveRequests.empty());
    }

    // Chosen as the PNG's name, the line's own file is refused, by its own name or
    // another path to it, and stays as it was.
    void drawingNeverReplacesTheLineFile() {
        QTemporaryDir dir;
        const QString line = dir.filePath(QStringLiteral("line.lxl"));
        {
            QFile f(line);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<Nodes/>");
        }
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkGray);
        for (const QString& chosen : {line, dir.filePath(QStringLiteral("sub/../line.lxl"))}) {
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
            ScriptedUi ui;
            ui.SaveFiles.push_back(std::filesystem::path(chosen.toStdString()));
            LodoPrint::ExportDrawingPng(ui, image, line.toStdString(), "line.png");
            QCOMPARE(ui.Errors.size(), std::size_t(1));
            QVERIFY(QString::fromStdString(ui.Errors[0])
                        .endsWith(QStringLiteral(" is the line's own file.")));
            QFile f(line);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("<Nodes/>"));
        }
    }

    void proposedNamesFollowTheFileOrTheLineName() {
        QCOMPARE(LodoPrint::ProposedName("/data/stack.lxl", "Stack", ".pdf"),
                 std::string("/data/stack.pdf"));
        QCOMPARE(LodoPrint::ProposedName("", "Stack 2.1 a/b", ".png"),
                 std::string("Stack 2.1 a_b.png"));
        QCOMPARE(LodoPrint::ProposedName("", "", ".pdf"), std::string("Sample Line.pdf"));
    }

    void drawingIsPrintedStretchedOnOnePage() {
        if (Tool("pdftoppm").isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        QTemporaryDir dir;
        LineView view;
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        TLodoComp tube;
        tube.NTypeInt = NodeTube;
        tube.Len = 4.0;
        tube.LenUnit = "Metric";
        view.DrawSampleLine({tube});
        const QImage shot = view.Capture();
        QVERIFY(!shot.isNull());

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath(QStringLiteral("drawing.pdf"));
        printer.setOutputFileName(pdf);
        QCOMPARE(LodoPrint::PrintImage(printer, shot), QString());
        QCOMPARE(printer.resolution(), 1200);

        // Rendered back, the page is the picture: whitesmoke nearly everywhere,
        // right up to the edges of the printable area. The view frames the tube
        // across its middle, so the background is sampled above it.
        Run(Tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                               pdf, dir.filePath(QStringLiteral("page"))});
        const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*.png")});
        QCOMPARE(pages.size(), 1);
        const QImage page(dir.filePath(pages.first()));
        const QRect area = printer.pageLayout().paintRectPixels(20);
        const QRgb centre = page.pixel(area.center().x(), area.top() + area.height() / 8);
        QVERIFY2(qAbs(qRed(centre) - 245) < 8 && qAbs(qBlue(centre) - 245) < 8,
                 qPrintable(QString::number(centre, 16)));
        const QRgb corner = page.pixel(area.topLeft() + QPoint(2, 2));
        QVERIFY2(qAbs(qRed(corner) - 245) < 8, qPrintable(QString::number(corner, 16)));
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
