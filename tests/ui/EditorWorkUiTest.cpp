// The editor at the keyboard: every menu with a mnemonic and every command of the
// keyboard table with a shortcut; the grid as the selection; Ctrl+Z undoing typing
// before the line; a comma refused with its note, never dropped.
#include "UiTestSupport.h"
#include "session/CurrentComponent.h"
#include "session/LodoSession.h"
#include "ui/GridModel.h"
#include "ui/KeyboardMap.h"
#include "ui/PropertyPagesWidget.h"

#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

class EditorWorkUiTest : public QObject {
    Q_OBJECT
private slots:
    void everyMenuHasAMnemonicAndEveryCommandItsShortcut();
    void shortcutsAreUnique();
    void aComponentIsAddedFromTheKeyboard();
    void theGridRowIsTheCurrentComponent();
    void ctrlZUndoesTypingThenTheLine();
    void aCommaIsRefusedWithItsNoteNotDropped();
    void theLineNameIsOneStepPerEnteredName();
    void everyBoxHasATooltipWithItsRange();
};

namespace {

void buildLine(WindowUnderTest& w) {
    LodoSession& s = w->session();
    s.NozzleMenuClick();
    s.TubeMenuClick();
    s.BendMenuClick();
    s.TubeMenuClick();
    w.ui.ClearRecord();
}

} // namespace

void EditorWorkUiTest::everyMenuHasAMnemonicAndEveryCommandItsShortcut() {
    WindowUnderTest w;
    for (QMenuBar* bar : {w->menuBar(), w->componentMenuBar()})
        for (QAction* a : bar->actions())
            QVERIFY2(a->text().contains(QLatin1Char('&')), qPrintable(a->text()));
    for (QMenu* menu : w->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && !a->text().isEmpty() &&
                menu->objectName() != QStringLiteral("RecentFilesMenu"))
                QVERIFY2(a->text().contains(QLatin1Char('&')),
                         qPrintable(menu->objectName() + QStringLiteral(": ") + a->text()));
    QVERIFY2(KeyboardMap::Apply(w.window.get()).isEmpty(),
             qPrintable(KeyboardMap::Apply(w.window.get()).join(QLatin1Char(' '))));
    const char* commands[] = {"TubeMenu",         "BendMenu",
                              "ContractMenu",     "ExpandMenu",
                              "ShroudMenu",       "NozzleMenu",
                              "MenuItemDist",     "MenuVary",
                              "MenuModelLimits",  "MenuPenetrationCurve",
                              "MenuItemWye",      "ExportReportPdf",
                              "MenuItemResult",   "MenuItemDraw",
                              "MenuItemEditComp", "MenuItemMoveComp",
                              "MenuItemDelComp",  "MenuUserGuide",
                              "MenuItemUndo",     "MenuItemRedo"};
    for (const char* name : commands) {
        QAction* a = w->action(QLatin1String(name));
        QVERIFY2(a, name);
        QVERIFY2(!a->shortcut().isEmpty(), name);
    }
    QCOMPARE(w->action(QStringLiteral("MenuUserGuide"))->shortcut(), QKeySequence(Qt::Key_F1));
    const QList<QKeySequence> redo = w->action(QStringLiteral("MenuItemRedo"))->shortcuts();
    QVERIFY(redo.contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    QVERIFY(redo.contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
}

void EditorWorkUiTest::shortcutsAreUnique() {
    WindowUnderTest w;
    QHash<QString, QString> seen;
    for (QAction* a : w.window->findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) {
            const QString key = k.toString();
            QVERIFY2(!seen.contains(key) || seen.value(key) == a->objectName(),
                     qPrintable(key + QStringLiteral(": ") + seen.value(key) +
                                QStringLiteral(" and ") + a->objectName()));
            seen.insert(key, a->objectName());
        }
}

void EditorWorkUiTest::aComponentIsAddedFromTheKeyboard() {
    WindowUnderTest w;
    w->grid()->setFocus();
    QTest::keyClick(w.window.get(), Qt::Key_6, Qt::ControlModifier); // Nozzle
    QTest::keyClick(w.window.get(), Qt::Key_1, Qt::ControlModifier); // Tube
    QCOMPARE(w->session().Count(), 2);
    QCOMPARE(w->session().List()[0].NTypeInt, NodeNozzle);
    QCOMPARE(w->session().List()[1].NTypeInt, NodeTube);
}

void EditorWorkUiTest::theGridRowIsTheCurrentComponent() {
    WindowUnderTest w;
    buildLine(w);
    QTableView* grid = w->grid();
    grid->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(w->gridModel()->index(1, 1)).center());
    QCOMPARE(CurrentComponent::Row(w->session()), 1);
    QCOMPARE(w->pages()->shownPage(), Page::Tube);
    QVERIFY(w.label("NodeNameL")->text().startsWith(QStringLiteral("Component: T-1")));
    QVERIFY(w.label("ShownComponent")->text().startsWith(QStringLiteral("T-1")));
    QVERIFY(w.label("ShownComponent")->text().contains(QStringLiteral("(Index 1)")));
    QVERIFY(grid->hasFocus()); // the keyboard stays in the grid
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(CurrentComponent::Row(w->session()), 2);
    QCOMPARE(w->pages()->shownPage(), Page::Bend);
    QVERIFY(w.label("ShownComponent")->text().startsWith(QStringLiteral("B-1")));
    // Enter goes to the page.
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(w.box("BendAngleEdit")->hasFocus());
    // Another component made current elsewhere moves the grid's row.
    w->session().EditComp(3);
    QCOMPARE(grid->selectionModel()->currentIndex().row(), 3);
    // Delete asks first.
    grid->setFocus();
    w.ui.Answers.push_back(Answer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(w.ui.Questions.size(), std::size_t(1));
    QCOMPARE(w->session().Count(), 3);
    QCOMPARE(grid->selectionModel()->currentIndex().row(), 2);
}

void EditorWorkUiTest::ctrlZUndoesTypingThenTheLine() {
    WindowUnderTest w;
    buildLine(w);
    w.type("TubeLenEdit", QStringLiteral("50"));
    QCOMPARE(w->session().List()[3].Len, 50.0);
    QLineEdit* len = w.box("TubeLenEdit");
    len->setFocus();
    len->selectAll();
    QTest::keyClicks(len, QStringLiteral("7"));
    QCOMPARE(len->text(), QStringLiteral("7"));
    // First Ctrl+Z: the typing, the line untouched.
    QTest::keyClick(len, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(len->text(), QStringLiteral("50"));
    QCOMPARE(w->session().List()[3].Len, 50.0);
    // Second: the last line edit; the box shows the value it gives back.
    QTest::keyClick(len, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->session().List()[3].Len, 1.0);
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("1"));
    // Ctrl+Y and Ctrl+Shift+Z redo.
    QTest::keyClick(w.box("TubeLenEdit"), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w->session().List()[3].Len, 50.0);
    QTest::keyClick(w.box("TubeLenEdit"), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.box("TubeLenEdit"), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w->session().List()[3].Len, 50.0);
}

void EditorWorkUiTest::aCommaIsRefusedWithItsNoteNotDropped() {
    WindowUnderTest w;
    buildLine(w);
    w.type("TubeLenEdit", QStringLiteral("2,5"));
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("2,5"));
    QCOMPARE(w->session().List()[3].Len, 1.0); // never 25
    QCOMPARE(w.ui.Messages.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(w.ui.Messages[0]).contains(QStringLiteral("Type \".\"")));
    QVERIFY(w.box("TubeLenEdit")->hasFocus());
}

void EditorWorkUiTest::theLineNameIsOneStepPerEnteredName() {
    WindowUnderTest w;
    buildLine(w);
    const int steps = w->undoStack()->count();
    QLineEdit* name = w.find<QLineEdit>(QStringLiteral("LineName"));
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Stack 3"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(w->session().LineName(), std::string("Stack 3"));
    QCOMPARE(w->undoStack()->count(), steps + 1);
    // Typing, then Ctrl+Z: the typing goes, then the name.
    QTest::keyClicks(name, QStringLiteral("x"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->text(), QStringLiteral("Stack 3"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->text(), QStringLiteral("Sample Line 1"));
}

void EditorWorkUiTest::everyBoxHasATooltipWithItsRange() {
    WindowUnderTest w;
    for (const BoxInfo& info : Boxes) {
        const QString tip = w->pages()->box(info.Id)->toolTip();
        QVERIFY2(!tip.isEmpty(), info.Name.data());
        if (info.Focusable && info.CheckCode != 0)
            QVERIFY2(tip.contains(QStringLiteral("Allowed: ")), qPrintable(tip));
    }
    QVERIFY(w.box("BendAngleEdit")->toolTip().contains(QStringLiteral("from 0 to 180")));
    QVERIFY(w.box("TubeLenEdit")->toolTip().contains(QStringLiteral("m or ft")));
}

QTEST_MAIN(EditorWorkUiTest)
#include "EditorWorkUiTest.moc"
