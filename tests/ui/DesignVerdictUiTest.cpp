// The design verdict in the main window: the strip's text and colour follow the line
// and its design case, a click shows every point, and the Design Case dialog edits
// through the session (one undo step; a refused entry keeps the dialog open).
#include "UiTestSupport.h"
#include "gui/StyledLabel.h"
#include "session/LodoSession.h"
#include "ui/DesignCaseDialog.h"
#include "ui/DesignVerdictDetails.h"
#include "ui/DesignVerdictStrip.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QTimer>

class DesignVerdictUiTest : public QObject {
    Q_OBJECT

private slots:
    void stripShowsTheVerdictInItsColour();
    void clickShowsEveryPointOfTheRange();
    void dialogEditIsOneUndoStep();
};

namespace {
const QString Example = QStringLiteral(LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl");
}

void DesignVerdictUiTest::stripShowsTheVerdictInItsColour() {
    WindowUnderTest w;
    auto* strip = w.find<DesignVerdictStrip>(QStringLiteral("DesignVerdict"));
    QVERIFY(strip);
    QVERIFY(w->session().OpenFile(Example.toStdString()));
    QVERIFY(strip->isVisible());
    const QString passed = strip->nominalLabel()->text();
    QVERIFY2(passed.startsWith(
                 QStringLiteral("ANSI N13.1 at 10 \u00B5m: PASS \u2014 aspiration ratio ")),
             qPrintable(passed));
    QCOMPARE(labelColour(strip->nominalLabel()), QRgb(Argb::Green));
    QVERIFY(!strip->rangeLabel()->isVisible());

    // The example over-samples at 22 m/s: the aspiration ratio fails at 10 um.
    LodoSession& s = w->session();
    s.EditComp(0);
    s.FocusBox(Box::NozFreeEdit);
    s.SetBoxText(Box::NozFreeEdit, "22");
    QVERIFY(s.BoxKey(Box::NozFreeEdit, EditKey::Enter));
    const QString failed = strip->nominalLabel()->text();
    QVERIFY2(failed.startsWith(QStringLiteral("ANSI N13.1 at 10 \u00B5m: FAIL (aspiration ratio)")),
             qPrintable(failed));
    QCOMPARE(labelColour(strip->nominalLabel()), QRgb(Argb::Red));

    // Log-normal: the specified totals keep their numbers, coloured as no verdict.
    DistributionSetting d;
    d.TypeDist = Distribution::LogNormal;
    w->session().ApplyDistribution(d);
    QCOMPARE(labelColour(w.label("SystemT")), QRgb(Argb::Black));
    QVERIFY(w.label("LNStr3")->isVisible());
    QCOMPARE(strip->nominalLabel()->text(), failed); // taken at 10 um whatever the description
}

void DesignVerdictUiTest::clickShowsEveryPointOfTheRange() {
    WindowUnderTest w;
    QVERIFY(w->session().OpenFile(Example.toStdString()));
    Design::DesignCase d;
    d.Range.StackVelocity = Design::Interval{5, 20};
    d.Range.Flow = Design::Interval{100, 120};
    QVERIFY(!w->session().SetDesignCase(d));
    auto* strip = w.find<DesignVerdictStrip>(QStringLiteral("DesignVerdict"));
    QVERIFY(strip->rangeLabel()->isVisible());
    QVERIFY2(strip->rangeLabel()->text().startsWith(QStringLiteral("over the operating range: ")),
             qPrintable(strip->rangeLabel()->text()));
    int rows = 0;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<DesignVerdictDetails*>(QApplication::activeModalWidget());
        QTRY_VERIFY(dlg ||
                    (dlg = qobject_cast<DesignVerdictDetails*>(QApplication::activeModalWidget())));
        rows = dlg->table()->rowCount();
        dlg->close();
    });
    QTest::mouseClick(strip, Qt::LeftButton);
    QCOMPARE(rows, 9); // 3 stack velocities x 3 flows
}

void DesignVerdictUiTest::dialogEditIsOneUndoStep() {
    WindowUnderTest w;
    LodoSession& s = w->session();
    QVERIFY(s.OpenFile(Example.toStdString()));
    {
        DesignCaseDialog dlg(s.DesignCase(), Design::ValuesOf(s.List()),
                             [&s](const Design::DesignCase& d) { return s.SetDesignCase(d); });
        dlg.textEdit(0)->setText(QStringLiteral("Plant A"));
        dlg.criterionEdit(4)->setText(QStringLiteral("60")); // least system penetration, %
        dlg.rangeCheck(2)->setChecked(true);
        dlg.rangeMin(2)->setText(QStringLiteral("40"));
        dlg.rangeMax(2)->setText(QStringLiteral("20"));
        dlg.accept();
        QVERIFY(dlg.result() != QDialog::Accepted);
        QVERIFY(dlg.error()->isVisibleTo(&dlg));
        QCOMPARE(dlg.error()->text(),
                 QStringLiteral("The least gas temperature 40 \u00B0C is above the greatest, "
                                "20 \u00B0C."));
        QVERIFY(s.DesignCase().IsEmpty());
        dlg.rangeMax(2)->setText(QStringLiteral("60"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
    QCOMPARE(s.DesignCase().Id.Facility, std::string("Plant A"));
    QCOMPARE(s.DesignCase().Limits.MinSystemPenetration, 0.6);
    QVERIFY(s.DesignCase().Range.Temperature == (Design::Interval{40, 60}));
    auto* strip = w.find<DesignVerdictStrip>(QStringLiteral("DesignVerdict"));
    QVERIFY2(strip->nominalLabel()->text().startsWith(
                 QStringLiteral("criteria of this line (not the ANSI N13.1 defaults)")),
             qPrintable(strip->nominalLabel()->text()));
    QVERIFY(s.Undo());
    QVERIFY(s.DesignCase().IsEmpty());
    QVERIFY(strip->nominalLabel()->text().startsWith(QStringLiteral("ANSI N13.1 at 10")));
}

QTEST_MAIN(DesignVerdictUiTest)
#include "DesignVerdictUiTest.moc"
