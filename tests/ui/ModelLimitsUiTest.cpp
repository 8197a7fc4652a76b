// The model-limit findings in the main window: the grid's mark and tooltip, the
// Intermediate Values tab and the "Model limits" window.
#include "UiTestSupport.h"
#include "model/ModelTestLines.h"
#include "session/LodoSession.h"
#include "ui/GridModel.h"
#include "ui/ModelLimitsWindow.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

class ModelLimitsUiTest : public QObject {
    Q_OBJECT

private slots:
    void gridMarksTheComponentWithFindings();
    void panelListsTheFindingsOfTheComponentShown();
    void windowListsEveryFindingOrSaysThereAreNone();
    void menuCommandOpensTheWindow();
};

// Default tube and bend at 57 L/min in 34.9 mm: Re about 2300, far above the
// laminar bend model's measured 1000; the tube is inside its models' ranges.
void ModelLimitsUiTest::gridMarksTheComponentWithFindings() {
    WindowUnderTest w;
    QAbstractItemModelTester tester(w->gridModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    w.clickComponent("TubeMenu");
    w.clickComponent("BendMenu");
    GridModel* grid = w->gridModel();
    QCOMPARE(grid->rowCount(), 2);
    const QModelIndex tube = grid->index(0, 1), bend = grid->index(1, 1);
    QVERIFY(grid->data(tube, Qt::DecorationRole).isNull());
    QVERIFY(grid->data(tube, Qt::ToolTipRole).isNull());
    QVERIFY(!grid->data(bend, Qt::DecorationRole).isNull());
    // The specified cell texts stay as they are.
    QCOMPARE(grid->data(bend, Qt::DisplayRole).toString(),
             QStringLiteral("B-1 *")); // transition flow
    for (int c = 0; c < GridModel::ColumnCount; ++c) {
        const QString tip = grid->data(grid->index(1, c), Qt::ToolTipRole).toString();
        QVERIFY2(tip.startsWith(QStringLiteral("Reynolds number ")), qPrintable(tip));
        QVERIFY2(tip.contains(
                     QStringLiteral("is outside 100 to 1000, the range of the laminar bend model "
                                    "(Pui, Romay-Novas & Liu 1987)")),
                 qPrintable(tip));
    }
    // The mark follows the edits: at 10 L/min the bend's Re is about 400, inside.
    w->session().EditComp(1);
    w.type("BendFlowEdit", QStringLiteral("10"));
    QVERIFY(grid->data(grid->index(1, 1), Qt::DecorationRole).isNull());
    QVERIFY(grid->data(grid->index(1, 3), Qt::ToolTipRole).isNull());
}

void ModelLimitsUiTest::panelListsTheFindingsOfTheComponentShown() {
    WindowUnderTest w;
    QLabel* limits = w.label("ModelLimitsText");
    QVERIFY(limits);
    QVERIFY(limits->isHidden());
    w.clickComponent("TubeMenu");
    QCOMPARE(limits->text(),
             QStringLiteral("Model limits: T-1 * is within the published ranges of its models."));
    w.clickComponent("BendMenu"); // evaluated last: the panel shows the bend
    QVERIFY2(limits->text().startsWith(
                 QStringLiteral("Model limits of B-1 *:\n\u2022 Reynolds number ")),
             qPrintable(limits->text()));
    QVERIFY(!limits->text().contains(QStringLiteral("mass median")));
    QVERIFY(!limits->isHidden());
    w->session().EditComp(0);
    w.type("TubeLenEdit", QStringLiteral("2")); // the edited tube is evaluated last
    QCOMPARE(limits->text(),
             QStringLiteral("Model limits: T-1 * is within the published ranges of its models."));
    // On the tab, below the rows and inside the window.
    w->tabControl1()->setCurrentIndex(1);
    QApplication::processEvents();
    QVERIFY(limits->isVisible());
    QVERIFY(limits->mapTo(w.window.get(), QPoint(0, limits->height())).y() < w->height());
}

void ModelLimitsUiTest::windowListsEveryFindingOrSaysThereAreNone() {
    using namespace TestLines;
    LodoModel none = Model({Tube(10, 1, 5)}, "Mono", 1.0f);
    AlignList(none, 0);
    ModelLimitsWindow quiet(none);
    QCOMPARE(quiet.windowTitle(), QStringLiteral("Model limits"));
    QCOMPARE(quiet.summary()->text(),
             QStringLiteral("All components are within the published ranges of their models"));
    QCOMPARE(quiet.table()->rowCount(), 0);
    QVERIFY(!quiet.table()->isVisibleTo(&quiet));

    // A nozzle far from isokinetic (velocity ratio and entrance Stokes number) and a
    // 5 degree contraction; the tube between them is inside.
    for (const char* dtype : {"Mono", "LogNormal"}) {
        LodoModel m =
            Model({Nozzle(10, 10, 50, 10, 40), Tube(10, 1, 10), Cone(false, 10, 5, 10, 5)}, dtype);
        m.Ctx.MDp = 10.0f; // the entrance Stokes number is checked at the median
        AlignList(m, 0);
        ModelLimitsWindow w(m);
        QTableWidget* t = w.table();
        QCOMPARE(t->rowCount(), 3);
        QCOMPARE(t->item(0, 0)->text(), QStringLiteral("0")); // the grid's Index
        QCOMPARE(t->item(0, 1)->text(), QStringLiteral("N-1 (Nozzle)"));
        QVERIFY(t->item(0, 2)->text().startsWith(QStringLiteral("Stokes number ")));
        QVERIFY(t->item(1, 2)->text().startsWith(QStringLiteral("Velocity ratio ")));
        QCOMPARE(t->item(2, 0)->text(), QStringLiteral("2"));
        QCOMPARE(
            t->item(2, 2)->text(),
            QStringLiteral("Half angle 5.0\u00B0 is outside 12\u00B0 to 90\u00B0, the range of "
                           "the contraction model (Muyshondt, McFarland & Anand 1996)"));
        QCOMPARE(w.note()->isVisibleTo(&w), QByteArray(dtype) == "LogNormal");
        QVERIFY(w.note()->text().contains(QStringLiteral("mass median diameter")));
    }
}

void ModelLimitsUiTest::menuCommandOpensTheWindow() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    w.clickComponent("BendMenu");
    QAction* a = w->action(QStringLiteral("MenuModelLimits"));
    QVERIFY(a && a->isEnabled());
    QCOMPARE(a->text(), QStringLiteral("&Model limits")); // Alt+M, F8
    int rows = -1;
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<ModelLimitsWindow*>(QApplication::activeModalWidget());
        QTRY_VERIFY(dlg ||
                    (dlg = qobject_cast<ModelLimitsWindow*>(QApplication::activeModalWidget())));
        rows = dlg->table()->rowCount();
        dlg->close();
    });
    a->trigger();
    QCOMPARE(rows, 1);
}

QTEST_MAIN(ModelLimitsUiTest)
#include "ModelLimitsUiTest.moc"
