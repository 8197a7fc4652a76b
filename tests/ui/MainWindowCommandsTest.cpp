#include "ShowActive.h"
#include "analysis/ui/PenetrationCurveModel.h"
#include "analysis/ui/PenetrationCurveWindow.h"
#include "drawing/view/LineView.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"
#include "splitter/ui/SplitterCommand.h"
#include "splitter/ui/SplitterWindow.h"
#include "studies/ui/ParticleDistributionWindow.h"
#include "studies/ui/StudyChartWindow.h"
#include "studies/ui/StudyCommands.h"
#include "studies/ui/VaryParameterWindow.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// The three commands as the main window's menu starts them.
class MainWindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void actionsAreEnabled();
    void distributionSwitchesTheMainWindowLabels();
    void studyFromTheMenu();
    void splitterFromTheMenu();
    void penetrationCurveFollowsTheLine();

private:
    QLabel* label(const char* name) const {
        return window->findChild<QLabel*>(QLatin1String(name));
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedUi> ui;
    std::unique_ptr<MainWindow> window;
};

void MainWindowCommandsTest::init() {
    dir = std::make_unique<QTemporaryDir>();
    ui = std::make_unique<ScriptedUi>();
    MainWindow::Options o;
    o.showSplash = false;
    o.ui = ui.get();
    o.positionFile = dir->filePath(QStringLiteral("lodo.INI"));
    o.positionFallback = dir->filePath(QStringLiteral("fallback/lodo.INI"));
    window = std::make_unique<MainWindow>(o);
    QVERIFY(ShowActive(*window));
    window->session().TubeMenuClick();
    ui->ClearRecord();
}

void MainWindowCommandsTest::cleanup() {
    window.reset();
    ui.reset();
    dir.reset();
}

// Right after construction, on an empty line: nothing waits for a later pass.
void MainWindowCommandsTest::actionsAreEnabled() {
    MainWindow::Options o;
    o.showSplash = false;
    o.ui = ui.get();
    o.positionFile = dir->filePath(QStringLiteral("fresh.INI"));
    o.positionFallback = dir->filePath(QStringLiteral("fallback/fresh.INI"));
    MainWindow fresh(o);
    QCOMPARE(fresh.session().Count(), 0);
    for (const char* name :
         {"MenuItemDist", "MenuVary", "MenuItemWye", "MenuItemDraw", "MenuItemResult", "MenuRedraw",
          "ExportReportPdf", "ExportDrawingPng"}) {
        QAction* a = fresh.action(QLatin1String(name));
        QVERIFY2(a && a->isEnabled(), name);
    }
    QVERIFY(fresh.lineView() && fresh.viewPanel()->isAncestorOf(fresh.lineView()));
}

void MainWindowCommandsTest::distributionSwitchesTheMainWindowLabels() {
    StudyCommands& cmd = window->studyCommands();
    cmd.showModal = [](QDialog& d) {
        auto* w = qobject_cast<ParticleDistributionWindow*>(&d);
        if (!w)
            return int(QDialog::Rejected);
        w->RadioButton2->setChecked(true);
        w->accept();
        return w->result();
    };
    window->action(QStringLiteral("MenuItemDist"))->trigger();
    QCOMPARE(label("LabelPent")->text(), QStringLiteral("Particle Penetration (%): "));
    QCOMPARE(label("LabelANSI1")->text(), QStringLiteral("Mass Penetration (%): "));
    QVERIFY(label("LNStr1")->isVisibleTo(window.get()));
    QVERIFY(!label("MassPent")->text().isEmpty());

    cmd.showModal = [](QDialog& d) {
        auto* w = qobject_cast<ParticleDistributionWindow*>(&d);
        if (!w)
            return int(QDialog::Rejected);
        w->RadioButton1->setChecked(true);
        w->accept();
        return w->result();
    };
    window->action(QStringLiteral("MenuItemDist"))->trigger();
    QCOMPARE(label("LabelPent")->text(), QStringLiteral("Total System Penetration % "));
    QVERIFY(label("MassPent")->text().isEmpty());
    QVERIFY(!label("LNStr1")->isVisibleTo(window.get()));
}

void MainWindowCommandsTest::studyFromTheMenu() {
    StudyCommands& cmd = window->studyCommands();
    int points = -1;
    cmd.showModal = [&](QDialog& d) {
        if (auto* v = qobject_cast<VaryParameterWindow*>(&d)) {
            v->RadioButton3->setChecked(true);
            v->accept();
            return v->result();
        }
        if (auto* c = qobject_cast<StudyChartWindow*>(&d))
            points = c->series1()->count();
        return int(QDialog::Accepted);
    };
    ui->Answers = {Answer::No};
    const LodoList before = window->session().List();
    window->action(QStringLiteral("MenuVary"))->trigger();
    QCOMPARE(points, 50);
    QCOMPARE(cmd.data().VaryType, std::string("Particle"));
    QVERIFY(window->session().List() == before);
    QCOMPARE(window->session().Ctx().Dp, 10.0f);
    QCOMPARE(ui->Questions.size(), std::size_t(1));
}

void MainWindowCommandsTest::splitterFromTheMenu() {
    QString result;
    QTimer::singleShot(0, this, [&] {
        auto* w = qobject_cast<SplitterWindow*>(QApplication::activeModalWidget());
        if (!w)
            return;
        result = w->Label1->text();
        w->accept();
    });
    window->action(QStringLiteral("MenuItemWye"))->trigger();
    // It opens with the conditions where the line ends, not the fixed start values.
    const std::optional<Wye::WyeInputs> start = SplitterStartOf(window->session());
    QVERIFY(start);
    const TLodoComp& tube = window->session().List().back();
    QCOMPARE(start->YDi, tube.Dia2);
    QCOMPARE(start->YFlow, tube.Flow);
    QCOMPARE(result, QString::fromStdString(
                         Wye::CalcT(*start, window->session().Distribution().PartSize).Label1));
    QVERIFY(ui->Silent());
    // Without a line, the specified start values.
    QVERIFY(!SplitterStartOf(LodoSession(*ui)));
}

// Studies > Penetration Curve (Ctrl+Shift+C) opens one modeless window that
// re-reads the line after every change the main window shows.
void MainWindowCommandsTest::penetrationCurveFollowsTheLine() {
    QAction* a = window->action(QStringLiteral("MenuPenetrationCurve"));
    QVERIFY(a && a->isEnabled());
    QCOMPARE(a->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    auto* curve = window->findChild<PenetrationCurveWindow*>();
    QVERIFY(curve);
    QVERIFY(curve->isVisible());
    QVERIFY(!curve->isModal());
    QCOMPARE(curve->componentSeries().size(), std::size_t(1));
    QCOMPARE(curve->model()->columnCount(), 3);

    window->session().BendMenuClick();
    QCOMPARE(curve->componentSeries().size(), std::size_t(2));
    window->session().ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    QVERIFY(curve->massArea());
    QVERIFY(curve->summaryLabel()->text().startsWith(label("SizeResolvedT")->text()));
    // Again, once closed and behind the main window: the same window comes to the front.
    curve->close();
    QVERIFY(ShowActive(*window));
    a->trigger();
    QCOMPARE(window->findChildren<PenetrationCurveWindow*>().size(), 1);
    QVERIFY(curve->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(curve));
    QVERIFY(ui->Silent());
}

QTEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
