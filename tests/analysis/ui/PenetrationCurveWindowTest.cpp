#include "analysis/ui/PenetrationCurveWindow.h"

#include "ShowActive.h"
#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeResolvedText.h"
#include "analysis/ui/PenetrationCurveModel.h"
#include "analysis/ui/SizeResolvedComponentsModel.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QValueAxis>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

const std::string Nozzle = LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl";
const QString Mu = QStringLiteral("\u00B5");

std::string ReadAll(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

class PenetrationCurveWindowTest : public QObject {
    Q_OBJECT
private slots:
    void modelHoldsTheCurve();
    void chartShowsTheModel_data();
    void chartShowsTheModel();
    void followsTheLine();
    void legendTogglesCurves();
    void clickReadsOut_data();
    void clickReadsOut();
    void exports();
    void rangeIsChecked();
    void enterAppliesTheRangeAndKeepsTheWindow();
    void opensWithinTheScreen();
    void namesShowAsTheyAre();
};

void PenetrationCurveWindowTest::modelHoldsTheCurve() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    const auto curve =
        Analysis::ComputePenetrationCurve(s.List(), Analysis::LogSpacedSizes(0.1, 100, 31));
    PenetrationCurveModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setCurve(curve, std::nullopt);
    const int n = int(curve.Components());
    QCOMPARE(model.rowCount(), 31);
    QCOMPARE(model.columnCount(), n + 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Particle Size (") + Mu + "m)");
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(),
             QString::fromStdString(curve.Names[0]) + " (%)");
    QCOMPARE(model.headerData(n + 1, Qt::Horizontal).toString(), QStringLiteral("System (%)"));
    for (int k = 0; k < 31; ++k) {
        QCOMPARE(model.index(k, 0).data().toDouble(), double(curve.Dp[std::size_t(k)]));
        for (int i = 0; i < n; ++i)
            QCOMPARE(model.index(k, i + 1).data().toDouble(),
                     100 * curve.At(std::size_t(k), std::size_t(i)));
        QCOMPARE(model.index(k, n + 1).data().toDouble(), 100 * curve.System[std::size_t(k)]);
    }

    // The distributions: each peaks (at 1) at its own median.
    model.setCurve(curve, PenetrationCurveModel::Aerosol{5.0, 2.5});
    QCOMPARE(model.columnCount(), n + 4);
    QCOMPARE(model.headerData(n + 2, Qt::Horizontal).toString(),
             QStringLiteral("Number distribution"));
    QCOMPARE(model.headerData(n + 3, Qt::Horizontal).toString(),
             QStringLiteral("Mass distribution"));
    auto peakAt = [&](int column) {
        int best = 0;
        for (int k = 1; k < model.rowCount(); ++k)
            if (model.value(k, column) > model.value(best, column))
                best = k;
        return model.value(best, 0);
    };
    // 10 sizes per decade: the peak lies within a twentieth of a decade of the median.
    QVERIFY(std::fabs(std::log10(peakAt(n + 3) / 5.0)) <= 0.051);
    QVERIFY(std::fabs(std::log10(peakAt(n + 2) / Analysis::CountMedian(5.0, 2.5))) <= 0.051);
    // A deviation of 1 has no width to shade.
    model.setCurve(curve, PenetrationCurveModel::Aerosol{5.0, 1.0});
    QVERIFY(!model.hasDistributions());

    // CSV as the command-line tool writes it: fractions, names quoted where needed.
    Analysis::PenetrationCurve small;
    small.Dp = {1.0f, 10.0f};
    small.Names = {"T-1", "odd, \"name\""};
    small.Trans = {0.5, 1.25, 0.25, 1.0};
    small.System = {0.625, 0.25};
    model.setCurve(small, std::nullopt);
    QCOMPARE(model.toCsv(), std::string("Dp_um,T-1,\"odd, \"\"name\"\"\",System\n"
                                        "1,0.5,1.25,0.625\n10,0.25,1,0.25\n"));
    QCOMPARE(model.toTabSeparated(), QStringLiteral("Particle Size (") + Mu +
                                         "m)\tT-1 (%)\todd, \"name\" (%)\tSystem (%)\n"
                                         "1\t50\t125\t62.5\n10\t25\t100\t25\n");
}

void PenetrationCurveWindowTest::chartShowsTheModel_data() {
    QTest::addColumn<bool>("logNormal");
    QTest::newRow("mono") << false;
    QTest::newRow("log-normal") << true;
}

void PenetrationCurveWindowTest::chartShowsTheModel() {
    QFETCH(bool, logNormal);
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    if (logNormal)
        s.ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    PenetrationCurveWindow w(s);
    QAbstractItemModelTester tester(w.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    PenetrationCurveModel* m = w.model();
    const int n = s.Count();

    QCOMPARE(w.componentSeries().size(), std::size_t(n));
    QCOMPARE(m->rowCount(), Analysis::CurvePoints);
    QCOMPARE(w.tableView()->model(), m);
    QVERIFY(w.chart()->axes(Qt::Horizontal).contains(w.sizeAxis()));
    // The axis spans the sizes, a hair wider.
    QVERIFY(w.sizeAxis()->min() <= Analysis::CurveFrom &&
            w.sizeAxis()->min() > 0.999 * Analysis::CurveFrom);
    QVERIFY(w.sizeAxis()->max() >= Analysis::CurveTo &&
            w.sizeAxis()->max() < 1.001 * Analysis::CurveTo);
    // Every curve plots its model column, the system curve bold.
    for (int i = 0; i <= n; ++i) {
        QLineSeries* series = i < n ? w.componentSeries()[std::size_t(i)] : w.systemSeries();
        const int column = i < n ? m->componentColumn(i) : m->systemColumn();
        QCOMPARE(series->count(), m->rowCount());
        for (int k = 0; k < m->rowCount(); k += 37) {
            QCOMPARE(series->at(k).x(), m->value(k, 0));
            QCOMPARE(series->at(k).y(), m->value(k, column));
        }
        if (i < n)
            QVERIFY(series->pen().widthF() < w.systemSeries()->pen().widthF());
    }
    QCOMPARE(w.systemSeries()->name(), QStringLiteral("System"));
    // Every value on the chart, an inlet's above 100 % included, on a round axis.
    double top = 0;
    for (int k = 0; k < m->rowCount(); ++k)
        for (int c = 1; c <= m->systemColumn(); ++c)
            top = std::max(top, m->value(k, c));
    QVERIFY(w.penetrationAxis()->max() >= top);
    QVERIFY(w.penetrationAxis()->max() >= 100);
    QCOMPARE(std::fmod(w.penetrationAxis()->max(), 10.0), 0.0);
    QCOMPARE(w.halfLine()->count(), 2);
    QCOMPARE(w.halfLine()->at(0).y(), 50.0);
    QCOMPARE(w.halfLine()->at(1).y(), 50.0);
    const auto d50 = Analysis::CutSizeD50(s.List());
    QVERIFY(d50);
    QCOMPARE(w.d50(), d50);
    QCOMPARE(w.d50Marker()->count(), 1);
    QCOMPARE(w.d50Marker()->at(0), QPointF(*d50, 50.0));
    QCOMPARE(w.d50Marker()->name(), QStringLiteral("d50 = ") +
                                        QString::fromStdString(Analysis::DiameterText(*d50)) + " " +
                                        Mu + "m");

    const Analysis::SizeResolvedSummary summary = Analysis::SizeResolvedOf(s.Model());
    const QString strip = QString::fromStdString(Analysis::StripLine(summary, logNormal));

    // Where the mass goes: the components, then the line.
    SizeResolvedComponentsModel* where = w.componentsModel();
    QAbstractItemModelTester whereTester(where,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(w.componentsView()->model(), where);
    QCOMPARE(w.tabs()->isTabEnabled(2), logNormal);
    if (logNormal) {
        using C = SizeResolvedComponentsModel;
        const auto text = [&](int row, int column) {
            return where->index(row, column).data().toString();
        };
        const auto percent = [](double f) {
            return QString::fromStdString(Analysis::PercentText(f));
        };
        const auto& r = *summary.Distribution;
        QCOMPARE(where->rowCount(), n + 1);
        QCOMPARE(text(0, C::Name), QString::fromStdString(s.List()[0].Name));
        QCOMPARE(text(1, C::Mass), percent(r.Components[1].MassPenetration));
        QCOMPARE(text(1, C::Number), percent(r.Components[1].NumberPenetration));
        QCOMPARE(text(1, C::Deposited), percent(r.Components[1].MassDeposited));
        QCOMPARE(text(n, C::Name), QStringLiteral("Line"));
        QCOMPARE(text(n, C::Mass), percent(r.MassPenetration));
        double kept = 0;
        for (const auto& c : r.Components)
            kept += c.MassDeposited;
        QCOMPARE(text(n, C::Deposited), percent(kept) + " (" + percent(1 - kept) + " leaves)");
    } else {
        QCOMPARE(where->rowCount(), 0);
    }
    QVERIFY(w.summaryLabel()->text().startsWith(strip));
    if (logNormal) {
        QVERIFY(strip.startsWith(QStringLiteral("Size-resolved: mass ")));
        QVERIFY(w.numberArea() && w.massArea());
        QVERIFY(w.distributionAxis()->isVisible());
        QCOMPARE(w.massArea()->upperSeries()->count(), m->rowCount());
        QCOMPARE(w.massArea()->upperSeries()->at(10).y(), m->value(10, m->massColumn()));
        QCOMPARE(w.numberArea()->upperSeries()->at(10).y(), m->value(10, m->numberColumn()));
        QVERIFY(w.summaryLabel()->text().contains(
            QStringLiteral("mass median of what leaves the line")));
    } else {
        QVERIFY(strip.startsWith(QStringLiteral("Cut size d50 = ")));
        QVERIFY(!w.numberArea() && !w.massArea());
        QVERIFY(!w.distributionAxis()->isVisible());
    }
}

void PenetrationCurveWindowTest::followsTheLine() {
    ScriptedUi ui;
    LodoSession s(ui);
    PenetrationCurveWindow w(s);
    QCOMPARE(w.summaryLabel()->text(), QStringLiteral("The line has no components."));
    QVERIFY(w.componentSeries().empty());
    QCOMPARE(w.systemSeries()->count(), 0);
    QCOMPARE(w.model()->rowCount(), 0);
    QCOMPARE(w.d50Marker()->count(), 0);

    QVERIFY(s.OpenFile(Nozzle));
    w.sessionChanged();
    QCOMPARE(w.componentSeries().size(), std::size_t(s.Count()));
    QLineSeries* system = w.systemSeries();
    const double before = system->at(150).y();
    // Nothing changed: nothing is rebuilt.
    w.sessionChanged();
    QCOMPARE(w.systemSeries(), system);

    // One more tube: a curve more, and a lower system curve.
    s.TubeMenuClick();
    // A report of the page or the focus alone is no reason to re-read the line.
    w.sessionChanged(RefreshPage);
    QCOMPARE(w.componentSeries().size(), std::size_t(s.Count() - 1));
    w.sessionChanged(RefreshGrid | RefreshPage);
    QCOMPARE(w.componentSeries().size(), std::size_t(s.Count()));
    const auto curve = Analysis::ComputePenetrationCurve(s.List(), Analysis::LogSpacedSizes());
    QCOMPARE(w.systemSeries()->at(150).y(), 100 * curve.System[150]);
    QVERIFY(w.systemSeries()->at(150).y() < before);

    // Switching to log-normal adds the distributions.
    s.ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    w.sessionChanged();
    QVERIFY(w.massArea());
    QCOMPARE(w.model()->columnCount(), s.Count() + 4);
}

void PenetrationCurveWindowTest::legendTogglesCurves() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    PenetrationCurveWindow w(s);
    QVERIFY(ShowActive(w));
    QLineSeries* first = w.componentSeries().front();
    const QList<QLegendMarker*> markers = w.chart()->legend()->markers(first);
    QCOMPARE(markers.size(), 1);
    QLegendMarker* marker = markers.front();
    emit marker->clicked();
    QVERIFY(!first->isVisible());
    QVERIFY(marker->isVisible()); // kept, dimmed, to bring the curve back
    QVERIFY(marker->labelBrush().color().alphaF() < 0.5);
    emit marker->clicked();
    QVERIFY(first->isVisible());
    QCOMPARE(marker->labelBrush().color().alphaF(), 1.0);
    // The system curve, the 50 % line and d50 have entries of their own.
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(w.systemSeries()),
                                    static_cast<QAbstractSeries*>(w.halfLine()),
                                    static_cast<QAbstractSeries*>(w.d50Marker())})
        QCOMPARE(w.chart()->legend()->markers(series).size(), 1);
}

void PenetrationCurveWindowTest::clickReadsOut_data() {
    QTest::addColumn<bool>("logNormal");
    QTest::newRow("mono") << false;
    QTest::newRow("log-normal") << true;
}

// A click on the system curve reads it out, also where the curve runs through the
// shaded mass distribution (20 um).
void PenetrationCurveWindowTest::clickReadsOut() {
    QFETCH(bool, logNormal);
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    if (logNormal)
        s.ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    PenetrationCurveWindow w(s);
    QVERIFY(ShowActive(w));
    const int k = 164;
    QVERIFY(std::fabs(w.model()->value(k, 0) - 20.0) < 1.0);
    if (logNormal) {
        const QPointF top = w.chart()->mapToPosition(
            QPointF(w.model()->value(k, 0), w.model()->value(k, w.model()->massColumn())),
            w.massArea());
        const QPointF curve = w.chart()->mapToPosition(w.systemSeries()->at(k), w.systemSeries());
        QVERIFY(curve.y() > top.y() + 5); // below the top of the shading on the screen
    }
    const QPointF scene = w.chart()->mapToPosition(w.systemSeries()->at(k), w.systemSeries());
    QTest::mouseClick(w.chartView()->viewport(), Qt::LeftButton, {},
                      w.chartView()->mapFromScene(scene));
    const PenetrationCurveModel* m = w.model();
    const QString expected = QStringLiteral("System at ") +
                             QString::number(m->value(k, 0), 'g', 4) + " " + Mu +
                             "m: " + QString::number(m->value(k, m->systemColumn()), 'f', 2) + " %";
    QTRY_COMPARE(w.readout()->text(), expected);
    QCOMPARE(w.tableView()->currentIndex().row(), k);

    // In the shading, away from every curve: the distribution there.
    if (logNormal) {
        const int j = 73; // 0.3 um, where only the number distribution is shaded
        const QPointF low = w.chart()->mapToPosition(QPointF(m->value(j, 0), 0.1), w.numberArea());
        QTest::mouseClick(w.chartView()->viewport(), Qt::LeftButton, {},
                          w.chartView()->mapFromScene(low));
        QTRY_VERIFY2(w.readout()->text().startsWith(QStringLiteral("Number distribution at ")),
                     qPrintable(w.readout()->text()));
        QVERIFY(w.readout()->text().endsWith(QStringLiteral(" of its peak")));
    }
}

void PenetrationCurveWindowTest::exports() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    PenetrationCurveWindow w(s);
    QVERIFY(ShowActive(w));
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("curve.png"));
    const QString svg = dir.filePath(QStringLiteral("curve.svg"));
    QVERIFY(w.saveChartImage(png));
    QVERIFY(w.saveChartImage(svg));
    const QImage image(png);
    QCOMPARE(image.size(), w.chartView()->size() * w.chartView()->devicePixelRatio());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("<svg"));

    QCOMPARE(w.dataText(), w.model()->toTabSeparated());
    QPushButton* copy = nullptr;
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Copy Data"))
            copy = b;
    QVERIFY(copy);
    QApplication::clipboard()->clear();
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), w.dataText());
    QCOMPARE(w.dataText().count(QLatin1Char('\n')), Analysis::CurvePoints + 1);

    const QString csv = dir.filePath(QStringLiteral("curve.csv"));
    QVERIFY(!w.exportCsv(csv));
    QCOMPARE(ReadAll(csv), w.model()->toCsv());
    QVERIFY(ReadAll(csv).starts_with("Dp_um,"));
    // A folder that does not exist: an error, and no file.
    const QString missing = dir.filePath(QStringLiteral("no/such/curve.csv"));
    const auto error = w.exportCsv(missing);
    QVERIFY(error);
    QVERIFY(!error->Message.empty());
    QVERIFY(!QFile::exists(missing));

    // A name chosen without its extension: the dialog asked about that name only, so
    // the file the extension makes is asked about before it is replaced.
    QStringList asked;
    bool replace = false;
    w.saveQuestions.confirmReplace = [&](const QString& path) {
        asked << path;
        return replace;
    };
    w.saveQuestions.chooseFile = [&](const QString& title, const QString&, const QString&,
                                     QString* filter) {
        if (title == QStringLiteral("Save Chart"))
            *filter = QStringLiteral("SVG drawing (*.svg)");
        return dir.filePath(QStringLiteral("curve"));
    };
    for (const QString& path : {csv, svg}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    const auto click = [&](const QString& text) {
        for (QPushButton* b : w.findChildren<QPushButton*>())
            if (b->text() == text)
                b->click();
    };
    click(QStringLiteral("Export CSV..."));
    click(QStringLiteral("Save Image..."));
    QCOMPARE(asked, (QStringList{csv, svg}));
    QCOMPARE(ReadAll(csv), std::string("keep"));
    QCOMPARE(ReadAll(svg), std::string("keep"));
    replace = true;
    click(QStringLiteral("Export CSV..."));
    click(QStringLiteral("Save Image..."));
    QCOMPARE(ReadAll(csv), w.model()->toCsv());
    QVERIFY(ReadAll(svg).find("<svg") != std::string::npos);
}

void PenetrationCurveWindowTest::rangeIsChecked() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    PenetrationCurveWindow w(s);
    QVERIFY(!w.setRange(10, 1, 50));
    QVERIFY(!w.setRange(0.0001, 1, 50));
    QVERIFY(!w.setRange(1, 2000, 50));
    QVERIFY(!w.setRange(1, 10, 1));
    QCOMPARE(w.model()->rowCount(), Analysis::CurvePoints);
    QVERIFY(w.setRange(1, 1000, 61));
    QCOMPARE(w.model()->rowCount(), 61);
    QCOMPARE(w.systemSeries()->count(), 61);
    QVERIFY(w.sizeAxis()->max() >= 1000.0 && w.sizeAxis()->max() < 1001.0);
    QCOMPARE(w.halfLine()->at(1).x(), 1000.0);

    // A value read out belongs to the curve it was read from: once the line changes,
    // or the range does, the read-out asks for a click again.
    const QString hint = QStringLiteral("Click a curve to read its value.");
    w.showReadout(w.model()->systemColumn(), 10);
    QVERIFY(w.readout()->text().startsWith(QStringLiteral("System at ")));
    s.TubeMenuClick();
    w.sessionChanged();
    QCOMPARE(w.readout()->text(), hint);
    w.showReadout(w.model()->systemColumn(), 10);
    QVERIFY(w.setRange(2, 500, 40));
    QCOMPARE(w.readout()->text(), hint);
    // A range refused in the boxes is still said while the boxes hold it.
    auto* from = w.findChildren<QDoubleSpinBox*>().value(0);
    QVERIFY(from);
    from->setValue(600);
    const QString refused = QStringLiteral("The first size must be below the last.");
    QCOMPARE(w.readout()->text(), refused);
    s.TubeMenuClick();
    w.sessionChanged();
    QCOMPARE(w.readout()->text(), refused);
    from->setValue(1);
    QCOMPARE(w.readout()->text(), hint);
}

// Keyboard use: Enter in a size box applies what was typed and leaves the window
// open; Escape closes it.
void PenetrationCurveWindowTest::enterAppliesTheRangeAndKeepsTheWindow() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    PenetrationCurveWindow w(s);
    QVERIFY(ShowActive(w));
    auto* points = w.findChild<QSpinBox*>();
    auto* from = w.findChildren<QDoubleSpinBox*>().value(0);
    QVERIFY(points && from);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        points->setFocus();
        points->selectAll();
        QTest::keyClicks(points,
                         key == Qt::Key_Return ? QStringLiteral("61") : QStringLiteral("7"));
        QTest::keyClick(points, key);
        QVERIFY(w.isVisible());
        QCOMPARE(w.model()->rowCount(), key == Qt::Key_Return ? 61 : 7);
    }
    from->setFocus();
    from->selectAll();
    QTest::keyClicks(from, QStringLiteral("0.5"));
    QTest::keyClick(from, Qt::Key_Return);
    QVERIFY(w.isVisible());
    QCOMPARE(w.model()->value(0, PenetrationCurveModel::SizeColumn), 0.5);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

// A 1280 x 720 screen with a panel leaves less than the usual height: the window
// opens no taller than the free area less its frame, so its buttons show.
void PenetrationCurveWindowTest::opensWithinTheScreen() {
    QCOMPARE(PenetrationCurveWindow::StartSize(QSize(1600, 1000)), QSize(1000, 700));
    QCOMPARE(PenetrationCurveWindow::StartSize(QSize()), QSize(1000, 700));
    const QSize small = PenetrationCurveWindow::StartSize(QSize(1280, 680));
    QCOMPARE(small.width(), 1000);
    QVERIFY(small.height() + 32 <= 680);
    ScriptedUi ui;
    LodoSession s(ui);
    PenetrationCurveWindow w(s);
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    QCOMPARE(w.size(), PenetrationCurveWindow::StartSize(available).expandedTo(w.minimumSize()));
}

// Names that hold "<" and ">" show as written, in the title and in the legend.
void PenetrationCurveWindowTest::namesShowAsTheyAre() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("named.lxl"));
    {
        std::string xml = ReadAll(QString::fromStdString(Nozzle));
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"<Name>T-1</Name>", "<Name>T&lt;A&gt;1</Name>"},
              {"Main stack, 4 cfm nozzle line", "Duct &lt;A&gt; probe"}})
            for (std::size_t at = xml.find(from); at != std::string::npos; at = xml.find(from))
                xml.replace(at, from.size(), to);
        std::ofstream(path.toStdString(), std::ios::binary) << xml;
    }
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(path.toStdString()));
    QCOMPARE(s.LineName(), std::string("Duct <A> probe"));
    PenetrationCurveWindow w(s);
    QLabel* title = w.titleLabel();
    QCOMPARE(title->text(), QStringLiteral("Penetration Curve of Duct <A> probe"));
    QVERIFY(title->textFormat() == Qt::PlainText || !Qt::mightBeRichText(title->text()));
    QStringList legend;
    for (QLegendMarker* marker : w.chart()->legend()->markers()) {
        QTextDocument shown;
        shown.setHtml(marker->label());
        legend << shown.toPlainText();
    }
    QVERIFY2(legend.contains(QStringLiteral("T<A>1")), qPrintable(legend.join(QLatin1Char('|'))));
    w.showReadout(w.model()->componentColumn(1), 0);
    QLabel* readout = w.readout();
    QVERIFY(readout->text().startsWith(QStringLiteral("T<A>1 at ")));
    QVERIFY(readout->textFormat() == Qt::PlainText || !Qt::mightBeRichText(readout->text()));
}

QTEST_MAIN(PenetrationCurveWindowTest)
#include "PenetrationCurveWindowTest.moc"
