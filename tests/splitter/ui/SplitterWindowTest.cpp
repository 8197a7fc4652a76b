#include "splitter/ui/SplitterWindow.h"

#include "ShowActive.h"
#include "gui/NumberBox.h"
#include "model/EvalContext.h"
#include "splitter/ui/WyeDrawing.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class SplitterWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startValues();
    void angleOf90RecalculatesAndMovesOn();
    void ringFocusOrder();
    void particleSizeOfTheDistributionWindow();
    void outOfRangeIsRefusedAndOutsideResultsAreMarked();
    void resultTextsShowWhole();
};

namespace {

void enter(NumberBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

void SplitterWindowTest::startValues() {
    // The published example: start values and the start-up particle size of 10 um.
    DistributionSetting data;
    SplitterWindow w(data);
    QCOMPARE(w.windowTitle(), QStringLiteral("Split/Combine"));
    QCOMPARE(w.Tabs->tabText(0), QStringLiteral("Splitter"));
    QCOMPARE(w.Tabs->tabText(1), QStringLiteral("Combiner"));
    QCOMPARE(w.Tabs->currentIndex(), 0);
    QCOMPARE(w.NBFlow->text(), QStringLiteral("57.00"));
    QCOMPARE(w.NBAngle->text(), QStringLiteral("30.0"));
    QCOMPARE(w.NBDi->text(), QStringLiteral("38.10"));
    QCOMPARE(w.NBTemp->text(), QStringLiteral("25.00"));
    QCOMPARE(w.NBPress->text(), QStringLiteral("101.3250"));
    QCOMPARE(w.Label1->text(), QStringLiteral("98.944"));
    QCOMPARE(w.Label7->text(), QStringLiteral("Do: Theoretical Outlet Tube Dia (mm): 26.67"));
    QCOMPARE(w.Label9->text(), QStringLiteral("Li: Minimum Inlet Tube Length (mm): 400.05"));
    QCOMPARE(w.Label10->text(), QStringLiteral("Lo: Minimum outlet Tube Length (mm): 495.3"));
    QCOMPARE(w.Label15->text(), QStringLiteral("Stokes Number: 0.0134"));
    QCOMPARE(w.Label16->text(), QStringLiteral("Reynolds Number: 2045.4"));
    QCOMPARE(
        w.Label17->text(),
        QStringLiteral("0.034 \u2264 Stk \u2264 1.248\n30\u00B0 \u2264 \u03B8 \u2264 90\u00B0\n"
                       "2560 \u2264 Re \u2264 13,600"));
    // Limits of the boxes.
    QCOMPARE(w.NBFlow->minimum(), 0.001);
    QCOMPARE(w.NBFlow->maximum(), 200.0);
    QCOMPARE(w.NBAngle->minimum(), 30.0);
    QCOMPARE(w.NBAngle->maximum(), 90.0);
    QCOMPARE(w.NBPress->decimals(), 4);
}

void SplitterWindowTest::angleOf90RecalculatesAndMovesOn() {
    DistributionSetting data;
    SplitterWindow w(data);
    QVERIFY(ShowActive(w));
    enter(w.NBAngle, QStringLiteral("90"));
    QCOMPARE(w.inputs().YAngle, 90.0);
    QCOMPARE(w.Label1->text(), QStringLiteral("98.246"));
    QCOMPARE(w.Drawing->angle(), 90.0);
    QCOMPARE(QApplication::focusWidget(), w.NBDi);
    // Out of its limits the angle is refused with its range and keeps the focus.
    QStringList shown;
    w.ShowMessage = [&shown](const QString& m) { shown << m; };
    enter(w.NBAngle, QStringLiteral("120"));
    QCOMPARE(shown,
             QStringList{QStringLiteral("Bifurcation angle must be between 30 and 90 degrees.")});
    QCOMPARE(w.inputs().YAngle, 90.0);
    QCOMPARE(QApplication::focusWidget(), w.NBAngle);
    enter(w.NBAngle, QStringLiteral("30"));
    QCOMPARE(w.inputs().YAngle, 30.0);
    QCOMPARE(w.Label1->text(), QStringLiteral("98.944"));
}

void SplitterWindowTest::ringFocusOrder() {
    DistributionSetting data;
    SplitterWindow w(data);
    QVERIFY(ShowActive(w));
    QCOMPARE(QApplication::focusWidget(), w.NBFlow);
    // Enter and Down go round flow, angle, diameter, temperature, pressure.
    const auto ring = w.ring();
    for (int i = 1; i <= 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Return : Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), ring[static_cast<std::size_t>(i % 5)]);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w.NBPress);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w.NBTemp);
    // The arrows never changed a value.
    QCOMPARE(w.inputs(), Wye::WyeInputs{});
    // A value entered in the flow box moves to the angle box and recalculates.
    enter(w.NBFlow, QStringLiteral("100"));
    QCOMPARE(QApplication::focusWidget(), w.NBAngle);
    QCOMPARE(w.inputs().YFlow, 100.0);
    QVERIFY(w.Label16->text() != QStringLiteral("Reynolds Number: 2045.4"));
    enter(w.NBPress, QStringLiteral("90"));
    QCOMPARE(QApplication::focusWidget(), w.NBFlow);
}

void SplitterWindowTest::particleSizeOfTheDistributionWindow() {
    DistributionSetting data;
    data.PartSize = 1.0f;
    SplitterWindow w(data);
    // Smaller particles pass the wye better than 10 um ones.
    QVERIFY(w.Label1->text().toDouble() > 98.944);
    QCOMPARE(w.Label15->text(), QString::fromStdString(Wye::CalcT({}, 1.0f).Label15));
    QVERIFY(w.Label15->text() != QStringLiteral("Stokes Number: 0.0134"));
}

// A number outside a box's limits is refused with a message naming the range and
// never taken as the nearest limit; the results say when they lie outside the
// model limitations and which particle size they use.
void SplitterWindowTest::outOfRangeIsRefusedAndOutsideResultsAreMarked() {
    DistributionSetting data;
    data.TypeDist = Distribution::LogNormal;
    SplitterWindow w(data);
    QStringList shown;
    w.ShowMessage = [&shown](const QString& m) { shown << m; };
    QVERIFY(ShowActive(w));
    QVERIFY(w.ParticleSizeLabel->text().contains(QStringLiteral("10 \u00b5m")));
    QVERIFY(w.ParticleSizeLabel->text().contains(QStringLiteral("log-normal")));
    QVERIFY(w.LimitsNote->isVisible());
    QVERIFY(w.LimitsNote->text().contains(QStringLiteral("Stk 0.0134, Re 2045.4")));

    enter(w.NBDi, QStringLiteral("0"));
    QCOMPARE(shown,
             QStringList{QStringLiteral("Inlet internal diameter must be at least 0.01 mm.")});
    QCOMPARE(w.inputs().YDi, 38.1);
    QVERIFY(w.NBDi->hasFocus());
    QCOMPARE(w.Label1->text(), QStringLiteral("98.944"));
    enter(w.NBFlow, QStringLiteral("500"));
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.last(), QStringLiteral("Inlet flow rate must be between 0.001 and 200 LPM."));
    QCOMPARE(w.inputs().YFlow, 57.0);
    // The refusal said in a message box leaves the entry to be corrected.
    QString textWhileShown;
    w.ShowMessage = [&](const QString& m) {
        shown << m;
        QTimer::singleShot(50, &w, [&] {
            textWhileShown = w.NBFlow->text();
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        QMessageBox::information(&w, QStringLiteral("Split/Combine"), m);
    };
    enter(w.NBFlow, QStringLiteral("500"));
    QCOMPARE(shown.size(), 3);
    QCOMPARE(textWhileShown, QStringLiteral("500"));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.NBFlow->hasFocus());
    QCOMPARE(w.NBFlow->text(), QStringLiteral("500"));
    // Leaving by Tab with the refused entry: the box shows the value the results are for.
    QTest::keyClick(&w, Qt::Key_Tab);
    QVERIFY(!w.NBFlow->hasFocus());
    QCOMPARE(w.NBFlow->text(), QStringLiteral("57.00"));
    QCOMPARE(w.Label1->text(), QStringLiteral("98.944"));

    enter(w.NBFlow, QStringLiteral("150"));
    enter(w.NBDi, QStringLiteral("25"));
    QCOMPARE(shown.size(), 3);
    QVERIFY(!w.LimitsNote->isVisible());
}

// Every result line shows whole, the wrapped note on the model limitations too,
// when the window opens with it and when it comes back after an entry.
void SplitterWindowTest::resultTextsShowWhole() {
    DistributionSetting data;
    SplitterWindow w(data);
    w.ShowMessage = [](const QString&) {};
    QVERIFY(ShowActive(w));
    const auto whole = [&w] {
        for (QLabel* l : {w.Label7, w.Label9, w.Label10, w.Label15, w.Label16, w.LimitsNote}) {
            if (!l->isVisible())
                continue;
            const QRect need = l->fontMetrics().boundingRect(
                QRect(0, 0, l->contentsRect().width(), 10000), Qt::TextWordWrap, l->text());
            if (need.height() > l->contentsRect().height() ||
                need.width() > l->contentsRect().width())
                return false;
        }
        return true;
    };
    QVERIFY(w.LimitsNote->isVisible());
    QTRY_VERIFY(whole());
    enter(w.NBFlow, QStringLiteral("150"));
    enter(w.NBDi, QStringLiteral("25"));
    QVERIFY(!w.LimitsNote->isVisible());
    enter(w.NBDi, QStringLiteral("60"));
    QVERIFY(w.LimitsNote->isVisible());
    QTRY_VERIFY(whole());
}

QTEST_MAIN(SplitterWindowTest)
#include "SplitterWindowTest.moc"
