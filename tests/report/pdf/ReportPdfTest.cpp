#include "report/pdf/ReportPdf.h"

#include "analysis/LimitFindings.h"
#include "analysis/SizeResolvedText.h"
#include "model/NumberFormat.h"
#include "persistence/LineFile.h"
#include "report/core/ReportTestLines.h"
#include "session/testing/ScriptedUi.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfWord {
    int Page = 0;
    double Left = 0, Top = 0, Right = 0, Bottom = 0; // [pt] from the page's top-left corner
    QString Text;
};

struct PdfPages {
    double Width = 0, Height = 0;
    int Count = 0;
    std::vector<PdfWord> Words;
};

PdfPages Read(const QString& pdf) {
    const QString html =
        Run(Tool("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression token(QStringLiteral(
        "<page width=\"([^\"]+)\" height=\"([^\"]+)\">|<word xMin=\"([^\"]+)\" yMin=\"([^\"]+)\" "
        "xMax=\"([^\"]+)\" yMax=\"([^\"]+)\">([^<]*)</word>"));
    PdfPages out;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            out.Width = m.captured(1).toDouble();
            out.Height = m.captured(2).toDouble();
            ++out.Count;
            continue;
        }
        out.Words.push_back({out.Count - 1, m.captured(3).toDouble(), m.captured(4).toDouble(),
                             m.captured(5).toDouble(), m.captured(6).toDouble(), m.captured(7)});
    }
    return out;
}

QString Flat(const QString& pdf) {
    return Run(Tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .simplified();
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

const EngReport::Source Here{"Long line", "/data/long.lxl", "2026-12-10 09:30 UTC"};

} // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (Tool("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void longLineSpansPagesWithHeadersAndEveryComponent() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
        const LodoModel m = ReportTest::LongLine(150, 10.0f, 0.0f, 7);
        const EngReport::Report report = EngReport::BuildReport(m, Here);
        QCOMPARE(ReportPdf::WriteReport(report, pdf, QPageSize::A4), QString());

        const PdfPages pages = Read(pdf);
        QVERIFY2(pages.Count >= 4, qPrintable(QString::number(pages.Count)));
        QVERIFY(qAbs(pages.Width - 595.3) < 1 && qAbs(pages.Height - 841.9) < 1);
        const ReportPdf::PageGeometry g = ReportPdf::GeometryOf(QPageSize::A4);

        // Nothing outside the page's frame: the header from its top, the body down
        // to the bottom margin, within the left and right margins.
        for (const PdfWord& w : pages.Words) {
            const QString where = QStringLiteral("'%1' page %2 at (%3, %4)-(%5, %6)")
                                      .arg(w.Text)
                                      .arg(w.Page + 1)
                                      .arg(w.Left)
                                      .arg(w.Top)
                                      .arg(w.Right)
                                      .arg(w.Bottom);
            QVERIFY2(w.Top >= g.HeaderTop - 1 && w.Bottom <= g.Bottom + 0.5, qPrintable(where));
            QVERIFY2(w.Left >= g.Left - 0.5 && w.Right <= g.Right + 0.5, qPrintable(where));
        }

        // The header block on every page: line, file, date, program, page n of m.
        const QString text =
            Run(Tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages.Count);
        for (int i = 0; i < pages.Count; ++i) {
            const QString head = pageTexts[i].simplified().left(400);
            QVERIFY2(head.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.Count)),
                     qPrintable(head));
            for (const char* part :
                 {"Sample line: Long line", "File: /data/long.lxl", "2026-12-10 09:30 UTC",
                  "Lodo Calculator, Version 2.0 Beta (2.0.0, ", "Sample Line Engineering Report"})
                QVERIFY2(head.contains(QString::fromUtf8(part)), part);
        }

        // Every component once in the table, in order, with its penetration on its row,
        // and the penetration column right-aligned.
        std::map<std::pair<int, int>, std::vector<const PdfWord*>> rows; // (page, top) -> words
        for (const PdfWord& w : pages.Words)
            rows[{w.Page, qRound(w.Top)}].push_back(&w);
        for (auto& [key, words] : rows)
            std::sort(words.begin(), words.end(),
                      [](const PdfWord* a, const PdfWord* b) { return a->Left < b->Left; });
        std::vector<double> rightEdges;
        int lastPage = 0;
        for (std::size_t i = 1; i < m.List.size(); ++i) {
            const QString name = Q(EvalFrame::StripMark(m.List[i].Name));
            const QString pen = Q(NumberFormat::Fixed(100 * m.List[i].TransM1, 2));
            const PdfWord* found = nullptr;
            for (const auto& [key, words] : rows) {
                if (key.first < lastPage || words.size() < 3 || words[1]->Text != name ||
                    words[0]->Text != QString::number(i))
                    continue;
                found = words[1];
                lastPage = key.first;
                const auto value = std::find_if(words.begin() + 2, words.end(),
                                                [&](const PdfWord* w) { return w->Text == pen; });
                QVERIFY2(value != words.end(), qPrintable(name + QLatin1Char(' ') + pen));
                rightEdges.push_back((*value)->Right);
                break;
            }
            QVERIFY2(found, qPrintable(name));
        }
        const auto [lo, hi] = std::minmax_element(rightEdges.begin(), rightEdges.end());
        QVERIFY2(*hi - *lo < 0.6, qPrintable(QStringLiteral("%1 to %2").arg(*lo).arg(*hi)));
        QVERIFY(lastPage >= 2);

        // The bend requirement and the nomenclature.
        const QString flat = Flat(pdf);
        QVERIFY(flat.contains(
            QStringLiteral("Bend curvature ratio Ro (radius / tube diameter) lowest 1.43 "
                           "at least 3.0 FAIL Below it: B-7 (Ro 1.43).")));
        QVERIFY(flat.contains(
            QStringLiteral("Ro = Curvature Ratio = Radius of Curvature/Tube Diameter")));
        QVERIFY(flat.contains(QStringLiteral("B-7 (")));
    }

    // What a reviewer reads first: who and what, the file and its checksum, the program,
    // the verdict with each criterion and the operating range.
    void pageOneHoldsTheConclusion() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("one.pdf"));
        const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl", 5.0f, 2.5f);
        EngReport::Source s = Here;
        s.FilePath = "stack2.lxl";
        s.Sha256 = std::string(64, 'b');
        s.Design.Id.Facility = "Plant 4";
        s.Design.Id.LineId = "SL-12";
        s.Design.Range.Flow = Design::Interval{90, 130};
        QCOMPARE(ReportPdf::WriteReport(EngReport::BuildReport(m, s), pdf, QPageSize::Letter),
                 QString());
        const QString text =
            Run(Tool("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-l"),
                                    QStringLiteral("1"), pdf, QStringLiteral("-")})
                .simplified();
        for (const QString& part :
             {QStringLiteral("Facility Plant 4"), QStringLiteral("Line identifier SL-12"),
              QStringLiteral("Input file stack2.lxl"),
              QStringLiteral("SHA-256 of the file ") + Q(s.Sha256), Q(ProgramVersion::Full()),
              QStringLiteral("Design verdict: ANSI N13.1 at 10 \u00B5m"),
              QStringLiteral("Inlet aspiration ratio"), QStringLiteral("Transport penetration"),
              QStringLiteral("System penetration"), QStringLiteral("Operating range"),
              QStringLiteral("Ranges set: sample flow 90 to 130 L/min"), QStringLiteral("nominal"),
              QStringLiteral("Prepared by"), QStringLiteral("Approved by")})
            QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral("\n") + text));
        QVERIFY(!text.contains(QStringLiteral("specified method")));
    }

    // The report's figures are lodo-cli's for the same line and particles.
    void figuresEqualLodoCliJson() {
        struct Case {
            const char* file;
            QStringList particles;
        } cases[] = {
            {"stack-nozzle-line.lxl", {}},
            {"stack-nozzle-line.lxl",
             {QStringLiteral("--lognormal"), QStringLiteral("5"), QStringLiteral("2.5")}},
            {"shrouded-probe-line.lxl", {QStringLiteral("--mono"), QStringLiteral("1")}},
            {"contraction-expansion-line.lxl",
             {QStringLiteral("--lognormal"), QStringLiteral("20"), QStringLiteral("3")}},
            {"english-units-line.lxl", {}},
        };
        QTemporaryDir dir;
        for (const Case& c : cases) {
            const QString line = Q(ReportTest::Example(c.file).string());
            const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
            QProcess p;
            p.start(QStringLiteral(LODO_CALCULATOR),
                    QStringList{QStringLiteral("--export-report"), line, pdf} + c.particles);
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
            const QJsonObject json =
                QJsonDocument::fromJson(
                    Run(QStringLiteral(LODO_CLI),
                        QStringList{QStringLiteral("evaluate"), line, QStringLiteral("--json")} +
                            c.particles)
                        .toUtf8())
                    .object();
            QVERIFY(!json.isEmpty());
            const QString flat = Flat(pdf);
            const auto pct = [](double f) { return Q(NumberFormat::Fixed(100 * f, 2)); };
            const bool logNormal =
                !c.particles.isEmpty() && c.particles[0] == QStringLiteral("--lognormal");
            const QJsonObject sr = json[QStringLiteral("SizeResolved")].toObject();
            if (logNormal) {
                QVERIFY2(
                    flat.contains(QStringLiteral("Mass penetration, size-resolved %1 %")
                                      .arg(pct(sr[QStringLiteral("MassPenetration")].toDouble()))),
                    c.file);
                QVERIFY(flat.contains(QStringLiteral("Mass penetration, specified method %1 %")
                                          .arg(pct(json[QStringLiteral("System")]
                                                       .toObject()[QStringLiteral("MassTrans")]
                                                       .toDouble()))));
            } else {
                QVERIFY2(flat.contains(QStringLiteral("%1 %").arg(
                             pct(json[QStringLiteral("System")]
                                     .toObject()[QStringLiteral("SystemTrans")]
                                     .toDouble()))),
                         c.file);
            }
            const QJsonArray comps = json[QStringLiteral("Components")].toArray();
            const QJsonArray srComps = sr[QStringLiteral("Components")].toArray();
            for (int i = 0; i < comps.size(); ++i) {
                const QJsonObject comp = comps[i].toObject();
                const QString name =
                    comp[QStringLiteral("Name")].toString().remove(QStringLiteral(" *"));
                // Mono: the component's row holds its penetration; log-normal: the
                // size-resolved table holds its mass penetration.
                const QString row =
                    logNormal
                        ? QStringLiteral("%1 %2 %3 ")
                              .arg(i)
                              .arg(name, pct(srComps[i]
                                                 .toObject()[QStringLiteral("MassPenetration")]
                                                 .toDouble()))
                        : QStringLiteral("%1 %2 %3 %4")
                              .arg(i)
                              .arg(name, comp[QStringLiteral("NType")].toString(),
                                   pct(comp[QStringLiteral("TransM1")].toDouble()));
                QVERIFY2(flat.contains(row),
                         qPrintable(QString::fromLatin1(c.file) + QStringLiteral(": ") + row));
            }
            QVERIFY(flat.contains(
                QStringLiteral("Cut size d50 %1 \u00B5m")
                    .arg(Q(Analysis::DiameterText(sr[QStringLiteral("D50")].toDouble())))));
        }
    }

    void textTallerThanAPageContinuesAndStaysInsideTheMargins() {
        // A name and a line name of thousands of words (a file may hold them).
        LodoModel m = ReportTest::Load("stack-nozzle-line.lxl");
        QString words;
        for (int i = 0; i < 1500; ++i)
            words += QStringLiteral("zq%1 ").arg(i);
        m.List[1].Name = words.trimmed().toStdString();
        const EngReport::Source source{words.trimmed().toStdString(), "/data/x.lxl",
                                       "2026-12-10 09:30 UTC"};
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("tall.pdf"));
        QCOMPARE(ReportPdf::WriteReport(EngReport::BuildReport(m, source), pdf, QPageSize::A4),
                 QString());

        const PdfPages pages = Read(pdf);
        const ReportPdf::PageGeometry g = ReportPdf::GeometryOf(QPageSize::A4);
        std::map<QString, int> seen;
        for (const PdfWord& w : pages.Words) {
            QVERIFY2(w.Top >= g.HeaderTop - 1 && w.Bottom <= g.Bottom + 0.5 &&
                         w.Right <= g.Right + 0.5,
                     qPrintable(QStringLiteral("'%1' page %2 at %3")
                                    .arg(w.Text)
                                    .arg(w.Page + 1)
                                    .arg(w.Bottom)));
            if (w.Text.startsWith(QStringLiteral("zq")))
                ++seen[w.Text];
        }
        // Every word of the name in the title and in the table (the header elides it).
        for (int i = 0; i < 1500; ++i)
            QVERIFY2(seen[QStringLiteral("zq%1").arg(i)] >= 2, qPrintable(QString::number(i)));
    }

    void paperFollowsTheLocale() {
        QCOMPARE(ReportPdf::PaperFor(QLocale(QLocale::English, QLocale::UnitedStates)),
                 QPageSize::Letter);
        QCOMPARE(ReportPdf::PaperFor(QLocale(QLocale::French, QLocale::Canada)), QPageSize::Letter);
        QCOMPARE(ReportPdf::PaperFor(QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 QPageSize::A4);
        QCOMPARE(ReportPdf::PaperFor(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("letter.pdf"));
        const LodoModel m = ReportTest::Load("shrouded-probe-line.lxl", 5.0f, 2.5f);
        QCOMPARE(ReportPdf::WriteReport(EngReport::BuildReport(m, Here), pdf, QPageSize::Letter),
                 QString());
        const PdfPages pages = Read(pdf);
        QVERIFY(qAbs(pages.Width - 612) < 1 && qAbs(pages.Height - 792) < 1);
        const ReportPdf::PageGeometry g = ReportPdf::GeometryOf(QPageSize::Letter);
        for (const PdfWord& w : pages.Words)
            QVERIFY2(w.Bottom <= g.Bottom + 0.5, qPrintable(w.Text));
        const QString flat = Flat(pdf);
        QVERIFY(flat.contains(QStringLiteral("Number penetration, specified method %1 %")
                                  .arg(Q(NumberFormat::Fixed(100 * m.Ctx.PartTrans, 2)))));
    }

    void menuCommandAsksForTheFileAndNeverReplacesTheLine() {
        QTemporaryDir dir;
        const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl");
        ScriptedUi ui;

        // An empty line: explained, nothing asked.
        ReportPdf::ExportReportPdf(ui, LodoModel{}, "Empty", "", "Empty.pdf");
        QCOMPARE(ui.Messages.size(), std::size_t(1));
        QVERIFY(ui.SaveRequests.empty());

        // Cancelled: nothing written, nothing said.
        ui.ClearRecord();
        ReportPdf::ExportReportPdf(ui, m, "Stack", "", "Stack.pdf");
        QCOMPARE(ui.SaveRequests.size(), std::size_t(1));
        QCOMPARE(Q(ui.SaveRequests[0].InitialName), QStringLiteral("Stack.pdf"));
        QVERIFY(ui.Errors.empty() && ui.Messages.empty());
        QVERIFY(QDir(dir.path()).isEmpty());

        // The chosen name without extension gets ".pdf".
        ui.ClearRecord();
        ui.SaveFiles.push_back(
            std::filesystem::path(dir.filePath(QStringLiteral("stack")).toStdString()));
        ReportPdf::ExportReportPdf(ui, m, "Stack", "", "Stack.pdf");
        QVERIFY(ui.Errors.empty());
        QVERIFY(Flat(dir.filePath(QStringLiteral("stack.pdf")))
                    .contains(QStringLiteral("Sample line: Stack")));

        // The line's own file chosen as the report: refused, the file untouched.
        const QString line = dir.filePath(QStringLiteral("line.lxl"));
        QVERIFY(!WriteLxlFile(line.toStdString(), m.List, "Stack"));
        QFile f(line);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        ui.ClearRecord();
        ui.SaveFiles.push_back(std::filesystem::path(line.toStdString()));
        ReportPdf::ExportReportPdf(ui, m, "Stack", line.toStdString(), "line.pdf");
        QCOMPARE(ui.Errors.size(), std::size_t(1));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);

        // A folder that does not exist: an error, no file.
        ui.ClearRecord();
        const QString missing = dir.filePath(QStringLiteral("no/such/r.pdf"));
        ui.SaveFiles.push_back(std::filesystem::path(missing.toStdString()));
        ReportPdf::ExportReportPdf(ui, m, "Stack", "", "r.pdf");
        QCOMPARE(ui.Errors.size(), std::size_t(1));
        QVERIFY(!QFileInfo::exists(missing));
    }

    void headlessExportExitCodesAndMessages() {
        QTemporaryDir dir;
        const QString exe = QStringLiteral(LODO_CALCULATOR);
        // A copy: one case names it as the output too.
        const QString line = dir.filePath(QStringLiteral("line.lxl"));
        QVERIFY(QFile::copy(Q(ReportTest::Example("stack-nozzle-line.lxl").string()), line));
        // A shrouded probe in still air has no defined aspiration.
        const QString stillAir = dir.filePath(QStringLiteral("still-air.lxl"));
        {
            QFile in(Q(ReportTest::Example("shrouded-probe-line.lxl").string()));
            QVERIFY(in.open(QIODevice::ReadOnly));
            QByteArray text = in.readAll();
            text.replace("<FStream>12</FStream>", "<FStream>0</FStream>");
            QFile out(stillAir);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
        }
        struct Case {
            QStringList args;
            int status;
            const char* message; // the start of the one stderr line, or nothing
        } cases[] = {
            {{line, dir.filePath(QStringLiteral("mono.pdf"))}, 0, nullptr},
            {{line, dir.filePath(QStringLiteral("ln.pdf")), QStringLiteral("--lognormal"),
              QStringLiteral("5"), QStringLiteral("2.5")},
             0,
             nullptr},
            {{line}, 2, "lodo-calculator: --export-report needs LINE.lxl and OUT.pdf"},
            {{dir.filePath(QStringLiteral("none.lxl")), dir.filePath(QStringLiteral("x.pdf"))},
             1,
             "lodo-calculator: "},
            {{line, dir.filePath(QStringLiteral("y.pdf")), QStringLiteral("--mono"),
              QStringLiteral("abc")},
             2,
             "lodo-calculator: --mono: the particle diameter must be a number"},
            {{line, dir.filePath(QStringLiteral("z.pdf")), QStringLiteral("--color")},
             2,
             "lodo-calculator: unexpected argument '--color'"},
            {{line, dir.filePath(QStringLiteral("no/such/folder/r.pdf"))},
             1,
             "lodo-calculator: The report could not be written"},
            {{line, line}, 1, "lodo-calculator: "},
            // Written, but with a result that is no number: the batch must know.
            {{stillAir, dir.filePath(QStringLiteral("still.pdf"))},
             4,
             "lodo-calculator: the report was written, but "},
        };
        QFile original(line);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray lineBytes = original.readAll();
        for (const Case& c : cases) {
            QProcess p;
            // No display: the export must not need one.
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            p.setProcessEnvironment(env);
            p.start(exe, QStringList{QStringLiteral("--export-report")} + c.args);
            QVERIFY(p.waitForFinished(60000));
            const QString err = QString::fromUtf8(p.readAllStandardError());
            const QString what = c.args.join(QLatin1Char(' ')) + QStringLiteral(" -> ") + err;
            QCOMPARE(p.exitCode(), c.status);
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            // Qt's own notes (fonts, runtime dir) aside, exactly one line of ours.
            const QStringList ours =
                err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                    .filter(QRegularExpression(QStringLiteral("^lodo-calculator: ")));
            if (c.message) {
                QCOMPARE(ours.size(), 1);
                QVERIFY2(ours[0].startsWith(QString::fromUtf8(c.message)), qPrintable(what));
            } else {
                QVERIFY2(ours.isEmpty(), qPrintable(what));
            }
            if (c.status == 0 || c.status == 4)
                QVERIFY(Flat(c.args[1]).contains(QStringLiteral("Page 1 of")));
        }
        QVERIFY(Flat(dir.filePath(QStringLiteral("ln.pdf")))
                    .contains(QStringLiteral(
                        "log-normal distribution: mass median aerodynamic diameter (MMAD) 5")));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("x.pdf"))));
        QFile after(line);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), lineBytes);
    }

    // The export writes as the line file is written: into a pipe with a reader, never
    // replacing it, refusing one nobody reads and a read-only file, with status 1.
    void headlessExportOntoAPipeAndAReadOnlyFile() {
        QTemporaryDir dir;
        const QString exe = QStringLiteral(LODO_CALCULATOR);
        const QString line = Q(ReportTest::Example("stack-nozzle-line.lxl").string());
        const auto run = [&](const QString& out, QProcess& p) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            p.setProcessEnvironment(env);
            p.start(exe, {QStringLiteral("--export-report"), line, out});
        };
        const QString fifo = dir.filePath(QStringLiteral("pipe.pdf"));
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
        {
            QProcess p;
            run(fifo, p);
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 1);
            QVERIFY2(QString::fromUtf8(p.readAllStandardError())
                         .contains(QStringLiteral("it is a pipe that nobody reads from")),
                     "no reader");
        }
        {
            const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
            QVERIFY(reader >= 0);
            QProcess p;
            run(fifo, p);
            QByteArray got;
            char buffer[1 << 16];
            for (;;) {
                const ssize_t n = ::read(reader, buffer, sizeof buffer);
                if (n > 0) {
                    got.append(buffer, n);
                    continue;
                }
                if (p.state() == QProcess::NotRunning)
                    break;
                p.waitForFinished(10);
            }
            for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
                got.append(buffer, n);
            ::close(reader);
            QCOMPARE(p.exitCode(), 0);
            QVERIFY(got.startsWith("%PDF"));
            struct stat st {};
            QCOMPARE(::stat(fifo.toLocal8Bit().constData(), &st), 0);
            QVERIFY(S_ISFIFO(st.st_mode)); // still the pipe, not replaced
        }
        const QString locked = dir.filePath(QStringLiteral("locked.pdf"));
        {
            QFile f(locked);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
        QProcess p;
        run(locked, p);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("read-only")));
        QFile after(locked);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("old"));
        QCOMPARE(QFile::permissions(locked) &
                     (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther | QFile::ReadOther),
                 QFileDevice::Permissions());
    }
};

QTEST_MAIN(ReportPdfTest)
#include "ReportPdfTest.moc"
