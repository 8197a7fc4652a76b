#include "design/ui/DesignMapWindow.h"

#include "design/map/MapCsv.h"
#include "design/ui/ColourMapView.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace DesignMap;

namespace {
const std::string Nozzle = LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl";
} // namespace

class DesignMapWindowTest : public QObject {
    Q_OBJECT
private slots:
    void mapOfTheLineWithItsMarks();
    void clickSetsTheLineAsOneUndoableEdit();
    void followsTheLineAndTheAxes();
    void exportsWhatItShows();
    void refusedAxesSayWhy();
    void openedFromTheStudiesMenu();
};

void DesignMapWindowTest::mapOfTheLineWithItsMarks() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    DesignMapWindow w(s);
    w.show();
    w.waitForMap();
    const LineMap* m = w.map();
    QVERIFY(m);
    QVERIFY(m->Grid.Complete);
    QCOMPARE(m->Grid.X.Quantity, Variable::Flow);
    QCOMPARE(m->Grid.Y.Quantity, Variable::Diameter);
    QCOMPARE(m->Grid.Points.size(), std::size_t(60 * 60));
    // The map is the line's: a point read back alone is the point on the map.
    const MapPoint& p = m->Grid.At(17, 42);
    const MapPoint alone =
        LineEvaluator(s.List(), Variable::Flow, Variable::Diameter, {}, {})(p.X, p.Y);
    QCOMPARE(alone.SystemPenetration, p.SystemPenetration);

    const ColourMapPicture& pic = w.view()->picture();
    QVERIFY(pic.Current); // the line's own flow and diameter lie inside the default ranges
    QVERIFY(std::fabs(AxisValueAt(m->Grid.X, pic.Current->I) - *m->CurrentX) < 1e-9 * *m->CurrentX);
    QVERIFY(m->Best);
    QVERIFY(pic.Best);
    QCOMPARE(pic.Contours.size(), std::size_t(4)); // system, transport, aspiration low and high
    QVERIFY(!pic.Contours[0].Lines.empty());

    // The read-out under the pointer names the point and its verdict.
    const QRectF plot = w.view()->plotArea(w.view()->size());
    const QPointF at = w.view()->toPixel({17, 42}, plot);
    QTest::mouseMove(w.view(), at.toPoint());
    QTRY_VERIFY(w.readout()->text().startsWith(QStringLiteral("flow ")));
    QVERIFY(w.readout()->text().contains(QStringLiteral("system")));
    QVERIFY(w.summary()->text().contains(QStringLiteral("Widest margin")));
}

void DesignMapWindowTest::clickSetsTheLineAsOneUndoableEdit() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    const LodoList before = s.List();
    DesignMapWindow w(s);
    w.show();
    w.waitForMap();
    QString asked;
    w.confirmApply = [&](const QString& text) {
        asked = text;
        return false;
    };
    const QRectF plot = w.view()->plotArea(w.view()->size());
    QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->toPixel({10, 20}, plot).toPoint());
    QVERIFY(asked.startsWith(QStringLiteral("Set the line to flow ")));
    QCOMPARE(s.List(), before); // declined: nothing changed

    w.confirmApply = [](const QString&) { return true; };
    QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->toPixel({10, 20}, plot).toPoint());
    const MapPoint& p = w.map()->Grid.At(10, 20);
    // Four significant digits of the point, as the question showed them.
    QVERIFY(std::fabs(Units::FlowToLpm(s.List()[0].Flow, s.List()[0].FlowUnit) - p.X) < 1e-3 * p.X);
    QVERIFY(std::fabs(*CurrentValue(s.List(), Variable::Diameter) - p.Y) < 1e-3 * p.Y);
    QCOMPARE(s.History().Steps().size(), std::size_t(1));
    QVERIFY(s.Undo());
    QCOMPARE(s.List(), before);
}

void DesignMapWindowTest::followsTheLineAndTheAxes() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    DesignMapWindow w(s);
    w.waitForMap();
    const Axis x{Variable::StackVelocity, 2, 25, 20, false};
    const Axis y{Variable::Flow, 20, 200, 15, true};
    QVERIFY(w.setAxes(x, y));
    w.waitForMap();
    QCOMPARE(w.map()->Grid.X, x);
    QCOMPARE(w.map()->Grid.Y, y);
    const std::optional<double> before = w.map()->CurrentX;

    Design::OperatingPoint slower;
    slower.StackVelocity = 7.5;
    QVERIFY(s.ApplyOperatingPoint(slower));
    w.sessionChanged();
    w.waitForMap();
    QCOMPARE(*w.map()->CurrentX, 7.5);
    QVERIFY(before != w.map()->CurrentX);
    QVERIFY(w.lastUpdateMs() > 0);

    // Criteria set for the line judge the map.
    Design::DesignCase stricter = s.DesignCase();
    stricter.Limits.MinSystemPenetration = 0.7;
    QVERIFY(!s.SetDesignCase(stricter));
    w.sessionChanged();
    w.waitForMap();
    QCOMPARE(w.map()->Request.Limits.MinSystemPenetration, 0.7);

    w.setQuantity(DesignMap::Quantity::Margin);
    QVERIFY(w.view()->picture().Diverging);
    QCOMPARE(w.view()->picture().Values[5], w.map()->Grid.Points[5].Margin);
}

void DesignMapWindowTest::exportsWhatItShows() {
    ScriptedUi ui;
    LodoSession s(ui);
    QVERIFY(s.OpenFile(Nozzle));
    DesignMapWindow w(s);
    w.resize(900, 800);
    w.show();
    QVERIFY(w.setAxes({Variable::Flow, 20, 120, 8, false}, {Variable::Diameter, 8, 30, 6, false}));
    w.waitForMap();
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("map.png"));
    const QString svg = dir.filePath(QStringLiteral("map.svg"));
    QVERIFY(w.saveImage(png));
    QVERIFY(w.saveImage(svg));
    QVERIFY(!QImage(png).isNull());
    QFile f(svg);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("<svg"));

    const QString csv = dir.filePath(QStringLiteral("map"));
    w.questions.chooseFile = [&](const QString&, const QString&, const QString&, QString*) {
        return csv;
    };
    w.questions.confirmReplace = [](const QString&) { return true; };
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Export CSV..."))
            b->click();
    QFile out(csv + QStringLiteral(".csv"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(out.readAll());
    QCOMPARE(text, QString::fromStdString(MapCsv(w.map()->Grid, w.map()->Best, w.map()->Names)));
    QCOMPARE(text.count(QLatin1Char('\n')), 1 + 8 * 6 + 1);

    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Copy Data"))
            b->click();
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied.count(QLatin1Char('\n')), 1 + 8 * 6 + 1);
    QVERIFY(copied.startsWith(QStringLiteral("Point\tSample flow (L/min)\t")));
}

void DesignMapWindowTest::refusedAxesSayWhy() {
    ScriptedUi ui;
    LodoSession s(ui);
    s.TubeMenuClick();
    DesignMapWindow w(s);
    QVERIFY(
        !w.setAxes({Variable::Flow, 1, 10, 5, false}, {Variable::StackVelocity, 1, 10, 5, false}));
    QVERIFY(!w.map());
    QVERIFY(w.view()->picture().Note.startsWith(QStringLiteral("No map: ")));
    QCOMPARE(w.summary()->text(), w.view()->picture().Note);
}

// Studies > Design Map (Ctrl+Shift+M) opens one modeless window that follows the line.
void DesignMapWindowTest::openedFromTheStudiesMenu() {
    QTemporaryDir dir;
    ScriptedUi ui;
    MainWindow::Options o;
    o.showSplash = false;
    o.ui = &ui;
    o.positionFile = dir.filePath(QStringLiteral("lodo.INI"));
    o.positionFallback = dir.filePath(QStringLiteral("fallback/lodo.INI"));
    MainWindow window(o);
    window.show();
    QVERIFY(window.session().OpenFile(Nozzle));
    QAction* a = window.action(QStringLiteral("MenuDesignMap"));
    QVERIFY(a && a->isEnabled());
    QCOMPARE(a->text().remove(QLatin1Char('&')), QStringLiteral("Design Map"));
    QCOMPARE(a->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+M")));
    a->trigger();
    auto* map = window.findChild<DesignMapWindow*>();
    QVERIFY(map);
    QVERIFY(map->isVisible());
    QVERIFY(!map->isModal());
    map->waitForMap();
    QVERIFY(map->map());
    const double flow = *map->map()->CurrentX;

    // An edit in the main window reaches the map.
    Design::OperatingPoint p;
    p.Flow = flow * 1.25;
    QVERIFY(window.session().ApplyOperatingPoint(p));
    QTRY_VERIFY(!map->computing() && map->map() && *map->map()->CurrentX != flow);
    map->close();
    a->trigger();
    QCOMPARE(window.findChildren<DesignMapWindow*>().size(), 1);
}

QTEST_MAIN(DesignMapWindowTest)
#include "DesignMapWindowTest.moc"
