// One accepted entry in a tube box of a 200-component log-normal line, from the
// Enter key to the refreshed grid and totals on screen; and the same entry through
// the event loop's next pass, which also renders the changed 3-D scene.

#include "analysis/SizeResolvedText.h"
#include "analysis/ui/PenetrationCurveWindow.h"
#include "drawing/view/LineView.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"
#include "ui/GridModel.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <vector>

class EntryBenchmark : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void enterInTubeLengthBox();
    void enterThroughTheNextPass();
    // The parts of that path, to tell where its time goes.
    void redrawOfTheViewAlone();
    void gridRefreshAlone();
    void sizeResolvedLineAlone();
    void enterWithTheCurveWindowOpen();
    void sameEntryInTheSessionAlone(); // last: the window stops rendering
    void cleanupTestCase() { m_window.reset(); }

private:
    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    std::unique_ptr<MainWindow> m_window;
};

void EntryBenchmark::initTestCase() {
    MainWindow::Options o;
    o.showSplash = false;
    o.ui = &m_ui;
    o.positionFile = m_dir.filePath(QStringLiteral("lodo.INI"));
    m_window = std::make_unique<MainWindow>(o);
    LodoSession& s = m_window->session();
    s.ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    s.NozzleMenuClick();
    for (int i = 1; i < 200; ++i)
        (i % 3 == 2) ? s.BendMenuClick() : s.TubeMenuClick();
    QCOMPARE(s.Count(), 200);
    m_window->show();
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    s.EditComp(100); // a tube in the middle of the line
    QCOMPARE(s.List()[100].NTypeInt, 1);
    QVERIFY(m_ui.Messages.empty());
}

// The median over the entries, each timed until the grid and the totals strip are
// painted; the window settles (3-D frame included) between entries, untimed.
void EntryBenchmark::enterInTubeLengthBox() {
    QLineEdit* box = m_window->findChild<QLineEdit*>(QStringLiteral("TubeLenEdit"));
    QTableView* grid = m_window->grid();
    QWidget* totals = m_window->findChild<QWidget*>(QStringLiteral("Panel1"));
    QWidget* sizeResolved = m_window->findChild<QWidget*>(QStringLiteral("SizeResolvedT"));
    QVERIFY(totals && sizeResolved);
    std::vector<double> ms;
    for (int n = 0; n < 25; ++n) {
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, (n % 2) ? QStringLiteral("2.5") : QStringLiteral("3"));
        QTest::keyClick(box, Qt::Key_Enter);
        grid->viewport()->repaint();
        totals->repaint();
        sizeResolved->repaint();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        QTest::qWait(40);
    }
    std::nth_element(ms.begin(), ms.begin() + long(ms.size() / 2), ms.end());
    QTest::setBenchmarkResult(ms[ms.size() / 2], QTest::WalltimeMilliseconds);
    QVERIFY(m_ui.Messages.empty());
    QVERIFY(m_window->gridModel()->index(100, 4).data().toString().endsWith(QStringLiteral(" m")));
}

void EntryBenchmark::enterThroughTheNextPass() {
    QLineEdit* box = m_window->findChild<QLineEdit*>(QStringLiteral("TubeLenEdit"));
    QTableView* grid = m_window->grid();
    int n = 0;
    QBENCHMARK {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, (++n % 2) ? QStringLiteral("2.5") : QStringLiteral("3"));
        QTest::keyClick(box, Qt::Key_Enter);
        grid->viewport()->repaint();
        QApplication::processEvents();
    }
    QVERIFY(m_ui.Messages.empty());
    QVERIFY(m_window->gridModel()->index(100, 4).data().toString().endsWith(QStringLiteral(" m")));
}

void EntryBenchmark::gridRefreshAlone() {
    QTableView* grid = m_window->grid();
    QBENCHMARK {
        m_window->gridModel()->refresh();
        grid->viewport()->repaint();
    }
}

// The exact distribution result and d50 behind the line under the totals strip.
void EntryBenchmark::sizeResolvedLineAlone() {
    const LodoSession& s = m_window->session();
    std::string text;
    QBENCHMARK {
        text = Analysis::StripLine(Analysis::SizeResolvedOf(s.Model()), true);
    }
    QVERIFY(text.starts_with("Size-resolved: mass "));
}

// The same entry while the Penetration Curve window follows the line (a curve per
// component: 201 on this line), until the curve window is painted too.
void EntryBenchmark::enterWithTheCurveWindowOpen() {
    m_window->action(QStringLiteral("MenuPenetrationCurve"))->trigger();
    auto* curve = m_window->findChild<PenetrationCurveWindow*>();
    QVERIFY(curve);
    QVERIFY(QTest::qWaitForWindowExposed(curve));
    QLineEdit* box = m_window->findChild<QLineEdit*>(QStringLiteral("TubeLenEdit"));
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    std::vector<double> ms;
    for (int n = 0; n < 9; ++n) {
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, (n % 2) ? QStringLiteral("2.5") : QStringLiteral("3"));
        QTest::keyClick(box, Qt::Key_Enter);
        curve->chartView()->viewport()->repaint();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        QTest::qWait(40);
    }
    std::nth_element(ms.begin(), ms.begin() + long(ms.size() / 2), ms.end());
    QTest::setBenchmarkResult(ms[ms.size() / 2], QTest::WalltimeMilliseconds);
    QCOMPARE(curve->componentSeries().size(), std::size_t(200));
    curve->close();
}

void EntryBenchmark::sameEntryInTheSessionAlone() {
    LodoSession& s = m_window->session();
    s.SetObserver({});
    int n = 0;
    QBENCHMARK {
        s.FocusBox(Box::TubeLenEdit);
        s.SetBoxText(Box::TubeLenEdit, (++n % 2) ? "2.5" : "3");
        s.BoxKey(Box::TubeLenEdit, EditKey::Enter);
    }
    QVERIFY(m_ui.Messages.empty());
}

// The rebuild after a length change: every shape downstream of the tube moves.
void EntryBenchmark::redrawOfTheViewAlone() {
    LineView* view = m_window->lineView();
    QVERIFY(view);
    const LodoList& line = m_window->session().List();
    LodoList longer = line;
    longer[100].Len += 1.0;
    int n = 0;
    QBENCHMARK {
        view->DrawSampleLine((++n % 2) ? longer : line);
        QApplication::processEvents();
    }
}

QTEST_MAIN(EntryBenchmark)
#include "EntryBenchmark.moc"
