#include "ShowActive.h"
#include "analysis/SizeResolved.h"
#include "gui/NumberBox.h"
#include "gui/ReadoutText.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"
#include "studies/engine/DataPass.h"
#include "studies/engine/ParameterStudy.h"
#include "studies/ui/LogNormalPlotWindow.h"
#include "studies/ui/ParticleDistributionWindow.h"
#include "studies/ui/PointTableModel.h"
#include "studies/ui/StudyChartWindow.h"
#include "studies/ui/StudyCommands.h"
#include "studies/ui/VaryParameterWindow.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <bit>
#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

const QString Mu = QStringLiteral("\u00B5");

std::vector<std::string> ReadLines(const QString& path) {
    std::ifstream in(path.toStdString());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void Type(NumberBox* box, const QString& text) {
    box->selectAll();
    box->setText(text);
}

// Clicks the point `index` of `series` on the screen.
void ClickPoint(ChartWindow& w, QScatterSeries* series, int index) {
    const QPointF scene = w.chart()->mapToPosition(series->at(index), series);
    const QPoint pos = w.chartView()->mapFromScene(scene);
    QTest::mouseClick(w.chartView()->viewport(), Qt::LeftButton, {}, pos);
}

// Everything a cancelled window must leave alone.
struct Before {
    LodoList List;
    std::uint32_t Dp;
    Distribution DType;
    Operation RefNum;
    std::uint64_t Revision;
    DistributionSetting Dist;
    explicit Before(const LodoSession& s)
        : List(s.List()), Dp(std::bit_cast<std::uint32_t>(s.Ctx().Dp)), DType(s.Ctx().DType),
          RefNum(s.Ctx().RefNum), Revision(s.Revision()), Dist(s.Distribution()) {}
    bool Same(const LodoSession& s) const {
        return List == s.List() && Dp == std::bit_cast<std::uint32_t>(s.Ctx().Dp) &&
               DType == s.Ctx().DType && RefNum == s.Ctx().RefNum && Revision == s.Revision() &&
               Dist == s.Distribution();
    }
};

} // namespace

class StudyWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void flowStudyEndToEnd();
    void freeStreamStudyShowsBothSeries();
    void particleStudyReadout();
    void readoutNumberText();
    void sizeResolvedStudy_data();
    void sizeResolvedStudy();
    void studyCancelPathsLeaveEverything_data();
    void studyCancelPathsLeaveEverything();
    void studyMessages();
    void longStudyShowsProgress();
    void cancelledStudyShowsNothing();
    void distributionSwitch();
    void distributionCancelDiscardsEdits();
    void distributionParticleProperties();
    void deviationOfOneIsRefused();
    void plotShowsTheBoxesWithoutStoringThem();
    void monodispersePlotIsEmpty();
    void chartImageAndData();
    void imageSuffixAddedAsksBeforeReplacing();
    void tinyPenetrationsStayOnTheChart();
    void clickAfterAnUndrawnPointReadsItsOwnRow();
    void numberBoxNeverStepsAndUsesPoint();
    void outOfRangeNumbersAreRefusedNamingTheRange();
};

void StudyWindowsTest::flowStudyEndToEnd() {
    ScriptedUi ui;
    LodoSession session(ui);
    session.TubeMenuClick();
    QTemporaryDir dir;
    const std::string stack = dir.filePath(QStringLiteral("stack.lxl")).toStdString();
    ui.SaveFiles = {std::filesystem::path(stack)};
    QVERIFY(session.MenuItemSaveAsClick1());
    const LodoList lineBefore = session.List();
    const QString out = dir.filePath(QStringLiteral("stackFlow.txt"));
    ui.ClearRecord();
    ui.Answers = {Answer::Yes};
    ui.SaveFiles = {std::filesystem::path(out.toStdString())};

    // What the engine exports for this line, from a copy of it.
    LodoModel copy = session.Model();
    const StudyOutcome expected = FlowAnalysis(copy, 10, 10.0, 100.0);

    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    int chartsShown = 0;
    cmd.showModal = [&](QDialog& d) {
        if (auto* v = qobject_cast<VaryParameterWindow*>(&d)) {
            // The window opens with the start-up settings.
            if (!v->RadioButton1->isChecked() || v->NumberBox1->value() != 1.0 ||
                v->NumberBox2->value() != 50.0 || v->NumberBox3->value() != 50.0)
                return int(QDialog::Rejected);
            v->RadioButton2->setChecked(true);
            Type(v->NumberBox1, QStringLiteral("10"));
            Type(v->NumberBox2, QStringLiteral("100"));
            Type(v->NumberBox3, QStringLiteral("10"));
            v->accept();
            return v->result();
        }
        auto* chart = qobject_cast<StudyChartWindow*>(&d);
        if (!chart)
            return int(QDialog::Rejected);
        ++chartsShown;
        [&] {
            QCOMPARE(chart->windowTitle(), QStringLiteral("Plot Data"));
            QCOMPARE(chart->titleLabel()->text(), QStringLiteral("Varing Flow Rate"));
            QCOMPARE(chart->bottomAxis()->titleText(), QStringLiteral("Flow Rate (lpm)"));
            QCOMPARE(chart->leftAxis()->titleText(), QStringLiteral("% Penetration"));
            QVERIFY(!chart->rightAxis()->isVisible());
            QCOMPARE(chart->series1()->count(), 10);
            QCOMPARE(chart->series2()->count(), 0);
            QCOMPARE(chart->series1()->markerShape(), QScatterSeries::MarkerShapeCircle);
            QCOMPARE(chart->series1()->at(0).x(), 10.0);
            QCOMPARE(chart->series1()->at(9).x(), 100.0);
            QCOMPARE(chart->series1()->at(9).y(), expected.Rows[9].Pent);
            QCOMPARE(chart->readout1()->text(), QStringLiteral("Click a Point"));
            QCOMPARE(chart->readout2()->text(), QStringLiteral("to get values."));
            // A real click on the fourth point.
            chart->show();
            QVERIFY(QTest::qWaitForWindowExposed(chart));
            ClickPoint(*chart, chart->series1(), 3);
            QCOMPARE(chart->readout1()->text(), QStringLiteral("Flow Rate (lpm)40.00"));
            // The clicked point is marked.
            QTRY_COMPARE(chart->series1()->selectedPoints(), QList<int>{3});
            QCOMPARE(chart->readout2()->text(), QStringLiteral("% Penetration = ") +
                                                    QString::number(expected.Rows[3].Pent, 'f', 2));
        }();
        return int(QDialog::Accepted);
    };
    cmd.MenuVaryClick();

    QCOMPARE(chartsShown, 1);
    QCOMPARE(cmd.data().VaryType, std::string("Flow"));
    QCOMPARE(cmd.data().NoOfSteps, 10);
    QCOMPARE(cmd.data().InitialVal, 10.0f);
    QCOMPARE(cmd.data().FinalVal, 100.0f);
    QCOMPARE(ui.Questions, std::vector<std::string>{
                               "Would you like to save the data? File will be saved as a tab "
                               "delimited .txt file."});
    QCOMPARE(ui.SaveRequests.size(), std::size_t(1));
    QCOMPARE(ui.SaveRequests[0].InitialName,
             dir.filePath(QStringLiteral("stackFlow")).toStdString());
    QCOMPARE(ui.SaveRequests[0].DefaultExt, std::string("txt"));
    const auto lines = ReadLines(out);
    QCOMPARE(lines.size(), std::size_t(11));
    QCOMPARE(lines[0], std::string("Flow Rate (LPM)\tTransmission Ratio"));
    QVERIFY(lines[1].starts_with("10\t"));
    QVERIFY(lines[10].starts_with("100\t"));
    QCOMPARE(lines, expected.Lines);
    // The line and the file name are as they were.
    QCOMPARE(session.DFileName(), stack);
    QVERIFY(session.List() == lineBefore);
    QVERIFY(session.Ctx().RefNum == Operation::Adding);
    QCOMPARE(ui.Unexpected, 0);
}

void StudyWindowsTest::freeStreamStudyShowsBothSeries() {
    ScriptedUi ui;
    LodoSession session(ui);
    session.NozzleMenuClick();
    session.TubeMenuClick();
    ui.ClearRecord();
    ui.Answers = {Answer::No};

    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    cmd.data().VaryType = "Free_Stream";
    cmd.data().InitialVal = 2.0f;
    cmd.data().FinalVal = 20.0f;
    cmd.data().NoOfSteps = 7;
    bool checked = false;
    cmd.showModal = [&](QDialog& d) {
        if (auto* v = qobject_cast<VaryParameterWindow*>(&d)) {
            if (!v->RadioButton4->isChecked())
                return int(QDialog::Rejected);
            v->accept();
            return v->result();
        }
        auto* chart = qobject_cast<StudyChartWindow*>(&d);
        [&] {
            QVERIFY(chart);
            QCOMPARE(chart->titleLabel()->text(),
                     QStringLiteral("Varing Free Stream Velocity (m/s)"));
            QCOMPARE(chart->bottomAxis()->titleText(), QStringLiteral("Free Stream (m/s) "));
            QVERIFY(chart->rightAxis()->isVisible());
            QCOMPARE(chart->rightAxis()->titleText(), QStringLiteral("Aspiration Ratio"));
            QCOMPARE(chart->series1()->count(), 7);
            QCOMPARE(chart->series2()->count(), 7);
            QCOMPARE(chart->series2()->at(6).x(), 20.0);
            const double asp = cmd.data().FSArr[2].Asp;
            QVERIFY(asp > 0.0);
            QCOMPARE(chart->series2()->at(2).y(), asp);
            chart->show();
            QVERIFY(QTest::qWaitForWindowExposed(chart));
            ClickPoint(*chart, chart->series2(), 2);
            QCOMPARE(chart->readout1()->text(), QStringLiteral("Free Stream (m/s) 8.00"));
            QCOMPARE(chart->readout2()->text(),
                     QStringLiteral("Aspiration Ratio = ") + QString::number(asp, 'f', 2));
            chart->Series1Click(0);
            QVERIFY(chart->readout2()->text().startsWith(QStringLiteral("% Penetration = ")));
            checked = true;
        }();
        return int(QDialog::Accepted);
    };
    cmd.MenuVaryClick();
    QVERIFY(checked);
    // Answered No: nothing written.
    QVERIFY(ui.SaveRequests.empty());
    QCOMPARE(ui.Questions.size(), std::size_t(1));
}

void StudyWindowsTest::sizeResolvedStudy_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("recordsSizeResolved");
    QTest::newRow("log-normal") << QStringLiteral("LogNormal") << true;
    QTest::newRow("mono: the box is closed") << QStringLiteral("Mono") << false;
}

// "Size-resolved mass penetration": a flow study records at each point what the
// engine records with the size-resolved measure, as lodo-cli study --size-resolved.
void StudyWindowsTest::sizeResolvedStudy() {
    QFETCH(QString, mode);
    QFETCH(bool, recordsSizeResolved);
    ScriptedUi ui;
    LodoSession session(ui);
    session.NozzleMenuClick();
    session.TubeMenuClick();
    session.BendMenuClick();
    session.ApplyDistribution({10.0f, 5.0f, 2.5f, *DistributionFromText(mode.toStdString())});
    ui.ClearRecord();
    ui.Answers = {Answer::No};
    LodoModel copy = session.Model();
    const StudyOutcome exact =
        FlowAnalysis(copy, 4, 20.0, 80.0, StudyMeasure(Analysis::SizeResolvedMassPenetration));
    copy = session.Model();
    const StudyOutcome specified = FlowAnalysis(copy, 4, 20.0, 80.0);
    const StudyOutcome& expected = recordsSizeResolved ? exact : specified;
    const LodoList before = session.List();

    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    cmd.data().VaryType = "Flow";
    cmd.data().InitialVal = 20.0f;
    cmd.data().FinalVal = 80.0f;
    cmd.data().NoOfSteps = 4;
    bool shown = false;
    cmd.showModal = [&](QDialog& d) {
        if (auto* v = qobject_cast<VaryParameterWindow*>(&d)) {
            const bool open = v->SizeResolvedBox->isEnabled();
            // A particle study is one size at a time: never size-resolved.
            v->RadioButton3->setChecked(true);
            const bool openForParticles = v->SizeResolvedBox->isEnabled();
            v->RadioButton2->setChecked(true);
            if (open != recordsSizeResolved || openForParticles)
                return int(QDialog::Rejected);
            v->SizeResolvedBox->setChecked(true);
            v->accept();
            return v->result();
        }
        if (auto* chart = qobject_cast<StudyChartWindow*>(&d)) {
            shown = true;
            [&] {
                QCOMPARE(chart->series1()->count(), 4);
                for (int k = 0; k < 4; ++k)
                    QCOMPARE(chart->series1()->at(k).y(), expected.Rows[std::size_t(k)].Pent);
                QCOMPARE(chart->subtitleLabel()->text(),
                         recordsSizeResolved ? QStringLiteral("Size-resolved mass penetration")
                                             : QString());
            }();
        }
        return int(QDialog::Accepted);
    };
    cmd.MenuVaryClick();
    QVERIFY(shown);
    QVERIFY(cmd.data().SizeResolved);
    QVERIFY(session.List() == before);
    // The two measures really differ on this line.
    if (recordsSizeResolved)
        QVERIFY(std::fabs(exact.Rows[0].Pent - specified.Rows[0].Pent) > 1.0);
}

void StudyWindowsTest::particleStudyReadout() {
    DataPass data;
    data.VaryType = "Particle";
    data.NoOfSteps = 3;
    data.PArr[0] = {1.0, 99.5, 0};
    data.PArr[1] = {3.25, 93.456789, 0};
    data.PArr[2] = {5.5, 80.0, 0};
    StudyChartWindow w(data);
    QCOMPARE(w.titleLabel()->text(), QStringLiteral("Varing Particle Size"));
    QCOMPARE(w.bottomAxis()->titleText(),
             QStringLiteral("Particle Size (") + Mu + QStringLiteral("m)"));
    QCOMPARE(w.series1()->count(), 3);
    w.Series1Click(1);
    QCOMPARE(w.readout1()->text(),
             QStringLiteral("Particle Size (") + Mu + QStringLiteral("m) =3.25"));
    QCOMPARE(w.readout2()->text(), QStringLiteral("% Penetration = 93.46"));
    // The table shows the same points as the chart.
    QCOMPARE(w.model()->rowCount(), 3);
    QCOMPARE(w.model()->data(w.model()->index(1, 1)).toDouble(), 93.456789);
}

// Five significant digits shown with two decimals; more than five digits before the
// point, also by rounding, in scientific notation.
void StudyWindowsTest::readoutNumberText() {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.00"},
        {5.0, "5.00"},
        {-3.14159, "-3.14"},
        {12345.678, "12346.00"},
        {99999.4, "99999.00"},
        {99999.6, "1.0000E+05"},
        {123456.0, "1.2346E+05"},
        {0.123456, "0.12"},
    };
    for (const auto& [x, text] : cases)
        QCOMPARE(FixedFiveTwo(x), QString::fromLatin1(text));
}

void StudyWindowsTest::studyCancelPathsLeaveEverything_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box") << true;
}

void StudyWindowsTest::studyCancelPathsLeaveEverything() {
    QFETCH(bool, closeBox);
    ScriptedUi ui;
    LodoSession session(ui);
    session.TubeMenuClick();
    ui.ClearRecord();
    const Before before(session);
    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    const DataPass settings = cmd.data();
    int shown = 0;
    cmd.showModal = [&](QDialog& d) {
        ++shown;
        auto* v = qobject_cast<VaryParameterWindow*>(&d);
        if (!v)
            return int(QDialog::Accepted);
        v->RadioButton4->setChecked(true);
        Type(v->NumberBox1, QStringLiteral("7"));
        Type(v->NumberBox3, QStringLiteral("3"));
        if (closeBox) {
            v->show();
            v->close();
        } else {
            v->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        }
        return v->result();
    };
    cmd.MenuVaryClick();
    QCOMPARE(shown, 1);
    QVERIFY(before.Same(session));
    QCOMPARE(cmd.data().VaryType, settings.VaryType);
    QCOMPARE(cmd.data().InitialVal, settings.InitialVal);
    QCOMPARE(cmd.data().NoOfSteps, settings.NoOfSteps);
    QVERIFY(ui.Silent());
}

void StudyWindowsTest::studyMessages() {
    ScriptedUi ui;
    LodoSession session(ui);
    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    int shown = 0;
    cmd.showModal = [&](QDialog& d) {
        ++shown;
        d.accept();
        return d.result();
    };
    // Empty line: message 9 and nothing else.
    cmd.MenuVaryClick();
    QCOMPARE(shown, 0);
    QCOMPARE(ui.Messages, std::vector<std::string>{"There are no components in sample system."});

    // Free stream without an inlet in first place: message 12, no chart, no question.
    session.TubeMenuClick();
    ui.ClearRecord();
    cmd.data().VaryType = "Free_Stream";
    const LodoList line = session.List();
    cmd.MenuVaryClick();
    QCOMPARE(shown, 1);
    QCOMPARE(ui.Messages, std::vector<std::string>{
                              "The first component must be a probe or nozzle for this analysis"});
    QVERIFY(ui.Questions.empty());
    QVERIFY(session.List() == line);

    // One point: the single start value.
    ui.ClearRecord();
    ui.Answers = {Answer::No};
    cmd.data().VaryType = "Diameter";
    cmd.data().NoOfSteps = 1;
    cmd.data().InitialVal = 12.5f;
    cmd.MenuVaryClick();
    QCOMPARE(shown, 3);
    QCOMPARE(cmd.data().DArr[0].Value, 12.5);
    QVERIFY(std::isfinite(cmd.data().DArr[0].Pent));
}

namespace {
// Counts the progress windows that were shown.
struct ProgressWatch : QObject {
    int Shown = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<QProgressDialog*>(o))
            ++Shown;
        return false;
    }
};
} // namespace

void StudyWindowsTest::longStudyShowsProgress() {
    ScriptedUi ui;
    LodoSession session(ui);
    session.TubeMenuClick();
    session.BendMenuClick();
    ui.ClearRecord();
    ui.Answers = {Answer::No};
    LodoModel copy = session.Model();
    const StudyOutcome expected = DiaAnalysis(copy, 20, 5.0, 50.0);

    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    cmd.progressAfterMs = 0; // every study counts as long
    cmd.data().NoOfSteps = 20;
    cmd.data().InitialVal = 5.0f;
    cmd.data().FinalVal = 50.0f;
    bool progressGone = false;
    cmd.showModal = [&](QDialog& d) {
        if (qobject_cast<StudyChartWindow*>(&d))
            progressGone = parent.findChildren<QProgressDialog*>().isEmpty();
        d.accept();
        return d.result();
    };
    ProgressWatch watch;
    qApp->installEventFilter(&watch);
    cmd.MenuVaryClick();
    qApp->removeEventFilter(&watch);
    QCOMPARE(watch.Shown, 1);
    QVERIFY(progressGone);
    // Showing the progress does not change the study.
    for (int k = 0; k < 20; ++k)
        QCOMPARE(cmd.data().DArr[static_cast<std::size_t>(k)],
                 expected.Rows[static_cast<std::size_t>(k)]);
    QVERIFY(ui.Messages.empty());
}

// Cancel in the progress window stops the study: no chart, no question, and the
// line comes back with its own inputs.
void StudyWindowsTest::cancelledStudyShowsNothing() {
    ScriptedUi ui;
    LodoSession session(ui);
    session.TubeMenuClick();
    session.BendMenuClick();
    ui.ClearRecord();
    const LodoList before = session.List();
    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    cmd.progressAfterMs = 0;
    cmd.data().NoOfSteps = 50;
    int charts = 0;
    cmd.showModal = [&](QDialog& d) {
        if (qobject_cast<StudyChartWindow*>(&d))
            ++charts;
        d.accept();
        return d.result();
    };
    int cancels = 0;
    // The progress window handles events between points: the user's Cancel lands there.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (auto* p : parent.findChildren<QProgressDialog*>()) {
            if (p->value() >= 2 && !p->wasCanceled()) {
                p->cancel();
                ++cancels;
            }
        }
    });
    cancel.start(0);
    cmd.MenuVaryClick();
    cancel.stop();
    QCOMPARE(cancels, 1);
    QCOMPARE(charts, 0);
    QVERIFY(ui.Questions.empty());
    QVERIFY(ui.Messages.empty());
    QVERIFY(session.List() == before);
    QCOMPARE(cmd.data().DArr[10], StudyRow{});
}

void StudyWindowsTest::distributionSwitch() {
    ScriptedUi ui;
    LodoSession session(ui);
    session.TubeMenuClick();
    session.TubeMenuClick();
    ui.ClearRecord();
    QWidget parent;
    StudyCommands cmd(session, ui, &parent);

    // Start-up values, "Polydispersed Lognormal", Confirm.
    cmd.showModal = [](QDialog& d) {
        auto* w = qobject_cast<ParticleDistributionWindow*>(&d);
        if (!w || !w->RadioButton1->isChecked())
            return int(QDialog::Rejected);
        w->RadioButton2->setChecked(true);
        w->Button1->click();
        return w->result();
    };
    cmd.MenuItemDistClick();
    const EvalContext& c = session.Ctx();
    QCOMPARE(c.DType, Distribution::LogNormal);
    QVERIFY(qAbs(c.LowV - 0.32f) < 1e-6f);
    QVERIFY(qAbs(c.HighV - 78.125f) < 1e-4f);
    QVERIFY(qAbs(c.DpStep - 1.55610f) < 1e-5f);
    QCOMPARE(session.LabelPent(), std::string("Particle Penetration (%): "));
    QCOMPARE(session.LabelANSI1(), std::string("Mass Penetration (%): "));
    QVERIFY(session.LNStrVisible());
    QCOMPARE(session.Distribution().TypeDist, Distribution::LogNormal);

    // Back to "Monodispersed" at 3 um: every component re-evaluated at 3 um.
    cmd.showModal = [](QDialog& d) {
        auto* w = qobject_cast<ParticleDistributionWindow*>(&d);
        if (!w || !w->RadioButton2->isChecked())
            return int(QDialog::Rejected);
        w->RadioButton1->setChecked(true);
        Type(w->NumberBox1, QStringLiteral("3"));
        w->Button1->click();
        return w->result();
    };
    cmd.MenuItemDistClick();
    QCOMPARE(c.DType, Distribution::Mono);
    QCOMPARE(c.Dp, 3.0f);
    QCOMPARE(session.LabelPent(), std::string("Total System Penetration % "));
    QCOMPARE(session.LabelANSI1(), std::string(" ANSI Limit > 50%"));
    QVERIFY(session.Model().Display.MassPent.empty());
    QVERIFY(!session.LNStrVisible());
    LodoModel at3 = session.Model();
    for (int i = 0; i < static_cast<int>(at3.List.size()); ++i)
        CalcNodeTrans(at3, i);
    QVERIFY(at3.List == session.List());
}

void StudyWindowsTest::distributionCancelDiscardsEdits() {
    ScriptedUi ui;
    LodoSession session(ui);
    session.TubeMenuClick();
    ui.ClearRecord();
    const Before before(session);
    QWidget parent;
    StudyCommands cmd(session, ui, &parent);
    cmd.showModal = [](QDialog& d) {
        auto* w = qobject_cast<ParticleDistributionWindow*>(&d);
        if (!w)
            return int(QDialog::Accepted);
        Type(w->NumberBox1, QStringLiteral("2"));
        Type(w->NumberBox2, QStringLiteral("4"));
        w->RadioButton2->setChecked(true);
        w->show();
        w->close();
        return w->result();
    };
    cmd.MenuItemDistClick();
    QVERIFY(before.Same(session));
    QCOMPARE(session.LabelPent(), std::string("Total System Penetration % "));
    QVERIFY(!session.LNStrVisible());
    QVERIFY(ui.Silent());
}

// The particle properties: untouched boxes keep the stored values exactly (the boxes
// round), typed ones are taken on Confirm, and a density outside its rule is refused.
void StudyWindowsTest::distributionParticleProperties() {
    DistributionSetting data;
    data.Particle.ShapeFactor = 1.0 / 0.7; // more digits than the box shows
    {
        ParticleDistributionWindow w(data);
        QVERIFY(ShowActive(w));
        Type(w.DensityBox, QStringLiteral("2500"));
        w.SizeTypeBox->setCurrentIndex(1);
        w.Button1->click();
    }
    QCOMPARE(data.Particle.Density, 2500.0);
    QCOMPARE(data.Particle.ShapeFactor, 1.0 / 0.7);
    QVERIFY(data.Particle.Sizes == LodoMath::SizeType::Physical);
    QCOMPARE(data.Particle.ThermalConductivity, LodoMath::DefaultThermalConductivity);

    ParticleDistributionWindow w(data);
    QStringList shown;
    w.setMessageHandler([&](const QString& text) { shown << text; });
    QVERIFY(ShowActive(w));
    Type(w.DensityBox, QStringLiteral("50"));
    w.Button1->click();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(data.Particle.Density, 2500.0);
}

void StudyWindowsTest::deviationOfOneIsRefused() {
    DistributionSetting data;
    ParticleDistributionWindow w(data);
    QStringList shown;
    w.setMessageHandler([&](const QString& text) { shown << text; });
    QVERIFY(ShowActive(w));
    QCOMPARE(w.Label3->text(),
             QStringLiteral("Geometric Standard Deviation (") + Mu + QStringLiteral("m)"));

    // Enter on "1": refused, the box keeps the focus and its text, nothing stored.
    w.NumberBox3->setFocus();
    Type(w.NumberBox3, QStringLiteral("1"));
    QTest::keyClick(w.NumberBox3, Qt::Key_Return);
    QCOMPARE(shown,
             QStringList{QStringLiteral("Geometric Standard Deviation must be greater than 1.")});
    QCOMPARE(QApplication::focusWidget(), w.NumberBox3);
    QCOMPARE(w.NumberBox3->value(), 2.5);

    // Confirm with 0.9 typed: refused again, the window stays open.
    Type(w.NumberBox3, QStringLiteral("0.9"));
    w.Button1->click();
    QCOMPARE(shown.size(), 2);
    QVERIFY(w.isVisible());
    QCOMPARE(data.PartSD, 2.5f);

    // Just above 1 is the lowest deviation the box takes.
    Type(w.NumberBox3, QStringLiteral("1.0004"));
    QCOMPARE(w.NumberBox3->text(), QStringLiteral("1.0004")); // not yet taken
    QTest::keyClick(w.NumberBox3, Qt::Key_Return);
    QCOMPARE(w.NumberBox3->value(), 1.001);
    w.Button1->click();
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(data.PartSD, 1.001f);
}

void StudyWindowsTest::plotShowsTheBoxesWithoutStoringThem() {
    DistributionSetting data;
    ParticleDistributionWindow w(data);
    w.RadioButton2->setChecked(true);
    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto* plot = qobject_cast<LogNormalPlotWindow*>(QApplication::activeModalWidget());
        [&] {
            QVERIFY(plot);
            QCOMPARE(plot->windowTitle(), QStringLiteral("LogNormal Plot"));
            QCOMPARE(plot->series1()->count(), 50);
            QCOMPARE(plot->series1()->markerShape(), QScatterSeries::MarkerShapeCircle);
            QVERIFY(qAbs(plot->series1()->at(0).x() - 0.32) < 1e-6);
            QCOMPARE(plot->titleLabel()->text(), QStringLiteral("Lognormal Particle Distribution"));
            QCOMPARE(plot->subtitleLabel()->text(),
                     QStringLiteral("Median Diameter = 5.00  Standard Deviation = 2.50"));
            QCOMPARE(plot->bottomAxis()->titleText(),
                     QStringLiteral("Particle Size (") + Mu + QStringLiteral("m)"));
            QCOMPARE(plot->leftAxis()->titleText(), QStringLiteral("% In Interval"));
            QCOMPARE(plot->readout1()->text(), QStringLiteral("Click a bar"));
            ClickPoint(*plot, plot->series1(), 1);
            QCOMPARE(plot->readout1()->text(),
                     QStringLiteral("Particle Size (") + Mu + QStringLiteral("m) 1.88"));
            QVERIFY(plot->readout2()->text().startsWith(QStringLiteral("% In Interval = ")));
            checked = true;
        }();
        if (plot)
            plot->accept();
    });
    w.Button2Click();
    QVERIFY(checked);

    // Numbers typed but not confirmed are plotted and not stored.
    Type(w.NumberBox2, QStringLiteral("4"));
    Type(w.NumberBox3, QStringLiteral("2"));
    QString subtitle;
    QTimer::singleShot(0, this, [&] {
        auto* plot = qobject_cast<LogNormalPlotWindow*>(QApplication::activeModalWidget());
        if (!plot)
            return;
        subtitle = plot->subtitleLabel()->text();
        plot->accept();
    });
    w.Button2Click();
    QCOMPARE(subtitle, QStringLiteral("Median Diameter = 4.00  Standard Deviation = 2.00"));
    QCOMPARE(data.MeanPart, 5.0f);
    QCOMPARE(data.PartSD, 2.5f);
    QCOMPARE(data.TypeDist, Distribution::Mono);
}

void StudyWindowsTest::monodispersePlotIsEmpty() {
    LogNormalPlotWindow plot(5.0f, 2.5f, false);
    QCOMPARE(plot.series1()->count(), 0);
    QCOMPARE(plot.readout1()->text(), QStringLiteral("Click a bar"));
    QCOMPARE(plot.readout2()->text(), QStringLiteral("to values."));
    QVERIFY(plot.subtitleLabel()->text().isEmpty());
}

void StudyWindowsTest::chartImageAndData() {
    DataPass data;
    data.VaryType = "Free_Stream";
    data.NoOfSteps = 2;
    data.FSArr[0] = {5.0, 90.5, 1.25};
    data.FSArr[1] = {10.0, 88.0, 1.1};
    StudyChartWindow w(data);
    QAbstractItemModelTester tester(w.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(w.dataText(), QStringLiteral("Free Stream (m/s)\t% Penetration\tAspiration Ratio\n"
                                          "5\t90.5\t1.25\n10\t88\t1.1\n"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    const QString svg = dir.filePath(QStringLiteral("chart.svg"));
    QVERIFY(w.saveChartImage(png));
    QVERIFY(w.saveChartImage(svg));
    const QImage image(png);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), w.chartView()->size() * w.chartView()->devicePixelRatio());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains("Aspiration Ratio"));
}

void StudyWindowsTest::imageSuffixAddedAsksBeforeReplacing() {
    DataPass data;
    data.VaryType = "Flow";
    data.NoOfSteps = 2;
    data.FArr[0] = {10.0, 90.0};
    data.FArr[1] = {20.0, 80.0};
    StudyChartWindow w(data);
    QVERIFY(ShowActive(w));
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("chart.svg"));
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    // The dialog was given "chart" (it asked about that name only) with the SVG filter.
    w.saveQuestions.chooseFile = [&](const QString&, const QString&, const QString&,
                                     QString* filter) {
        *filter = QStringLiteral("SVG drawing (*.svg)");
        return dir.filePath(QStringLiteral("chart"));
    };
    QStringList asked;
    bool replace = false;
    w.saveQuestions.confirmReplace = [&](const QString& path) {
        asked << path;
        return replace;
    };
    QPushButton* save = nullptr;
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Save Image..."))
            save = b;
    QVERIFY(save);
    const auto contents = [&] {
        QFile f(existing);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    save->click();
    QCOMPARE(asked, QStringList{existing});
    QCOMPARE(contents(), QByteArray("keep"));
    replace = true;
    save->click();
    QVERIFY(contents().contains("<svg"));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("chart"))));
}

// A study where next to nothing gets through (one point's penetration underflows to a
// subnormal number, the rest are 0) still draws its points on a usable axis.
void StudyWindowsTest::tinyPenetrationsStayOnTheChart() {
    for (const double tiny : {1e-14, 1e-300, 8.75966087841949E-315}) {
        DataPass data;
        data.VaryType = "Diameter";
        data.NoOfSteps = 3;
        data.DArr[0] = {2.7, tiny};
        data.DArr[1] = {2.3, 0.0};
        data.DArr[2] = {1.9, 0.0};
        StudyChartWindow w(data);
        QVERIFY(ShowActive(w));
        QVERIFY(w.leftAxis()->min() <= 0.0 && w.leftAxis()->max() >= tiny);
        for (int i = 0; i < 3; ++i) {
            const QPointF at = w.chart()->mapToPosition(w.series1()->at(i), w.series1());
            QVERIFY(std::isfinite(at.x()) && std::isfinite(at.y()));
            QVERIFY(w.chart()->plotArea().contains(at));
        }
    }
}

// A point that is no number is not drawn; a click on a later point reads that point,
// not the row at the same place among the drawn ones.
void StudyWindowsTest::clickAfterAnUndrawnPointReadsItsOwnRow() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    DataPass data;
    data.VaryType = "Free_Stream";
    data.NoOfSteps = 4;
    data.FSArr[0] = {1.0, nan, nan};
    data.FSArr[1] = {2.0, std::numeric_limits<double>::infinity(), 1.05};
    data.FSArr[2] = {3.0, 50.0, 1.1};
    data.FSArr[3] = {4.0, 60.0, 1.2};
    StudyChartWindow w(data);
    QVERIFY(ShowActive(w));
    QCOMPARE(w.series1()->count(), 2);
    ClickPoint(w, w.series1(), 0);
    QCOMPARE(w.readout1()->text(), QStringLiteral("Free Stream (m/s) 3.00"));
    QCOMPARE(w.readout2()->text(), QStringLiteral("% Penetration = 50.00"));
    QCOMPARE(w.tableView()->currentIndex().row(), 2);
    QTRY_COMPARE(w.series1()->selectedPoints(), QList<int>{0});
    ClickPoint(w, w.series2(), 0);
    QCOMPARE(w.readout2()->text(), QStringLiteral("Aspiration Ratio = 1.05"));
    QCOMPARE(w.tableView()->currentIndex().row(), 1);
}

void StudyWindowsTest::numberBoxNeverStepsAndUsesPoint() {
    // A comma locale must not change the separator.
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    NumberBox box;
    box.setRange(0.01, 1000.0);
    box.setValue(12.5);
    QCOMPARE(box.text(), QStringLiteral("12.50"));
    QSignalSpy changed(&box, &NumberBox::valueChanged);
    QSignalSpy moved(&box, &NumberBox::moveRequested);
    QVERIFY(ShowActive(box));
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown})
        QTest::keyClick(&box, key);
    QCOMPARE(box.value(), 12.5);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(moved.count(), 2);
    // A comma is not typed; out-of-range values go to the limit.
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("3,5"));
    QCOMPARE(box.text(), QStringLiteral("35"));
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("5000"));
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.value(), 1000.0);
    QCOMPARE(box.text(), QStringLiteral("1000.00"));
    QCOMPARE(changed.count(), 1);
    QLocale::setDefault(old);
}

void StudyWindowsTest::outOfRangeNumbersAreRefusedNamingTheRange() {
    DistributionSetting distribution;
    ParticleDistributionWindow d(distribution);
    QStringList shown;
    d.setMessageHandler([&](const QString& text) { shown << text; });
    QVERIFY(ShowActive(d));
    Type(d.NumberBox2, QStringLiteral("2000"));
    d.Button1->click();
    QCOMPARE(shown, QStringList{QStringLiteral("Enter a number from 0.001 to 1000.")});
    QVERIFY(d.isVisible());
    QCOMPARE(distribution.MeanPart, 5.0f);

    DataPass data;
    VaryParameterWindow v(data);
    QVERIFY(ShowActive(v));
    Type(v.NumberBox3, QStringLiteral("51"));
    v.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    QVERIFY(v.isVisible());
    QVERIFY(v.RangeNote->isVisible());
    QCOMPARE(v.RangeNote->text(), QStringLiteral("Enter a number from 1 to 50."));
    QCOMPARE(data.NoOfSteps, 50);
    // Typing the value the box had leaves no stale note.
    v.NumberBox3->setFocus();
    v.NumberBox3->selectAll();
    QTest::keyClicks(v.NumberBox3, QStringLiteral("50"));
    QTest::keyClick(v.NumberBox3, Qt::Key_Return);
    QVERIFY(!v.RangeNote->isVisible());
    Type(v.NumberBox3, QStringLiteral("12"));
    v.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    QCOMPARE(v.result(), int(QDialog::Accepted));
    QCOMPARE(data.NoOfSteps, 12);
}

QTEST_MAIN(StudyWindowsTest)
#include "StudyWindowsTest.moc"
