// The main window driven through its real widgets: component menu bar, entry
// boxes with keys and mouse, unit buttons, Edit menu, File menu and close box.
// Questions and dialogs are answered by the scripted UI.

#include "UiTestSupport.h"
#include "analysis/SizeResolvedText.h"
#include "gui/StyledLabel.h"
#include "model/LodoError.h"
#include "session/LodoSession.h"
#include "ui/GridModel.h"
#include "ui/PropertyPagesWidget.h"
#include "ui/QtSessionUi.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QUndoStack>

QString WindowUnderTest::cell(int row, int col) const {
    return window->gridModel()->index(row, col).data().toString();
}

QStringList WindowUnderTest::column(int col) const {
    QStringList out;
    for (int r = 0; r < window->gridModel()->rowCount(); ++r)
        out << cell(r, col);
    return out;
}

// Names without the transition-flow marker " *", which depends on the flow.
QStringList WindowUnderTest::names() const {
    QStringList out = column(1);
    for (QString& n : out)
        if (n.endsWith(QStringLiteral(" *")))
            n.chop(2);
    return out;
}

namespace {

QString message(int e) {
    return QString::fromUtf8(LodoErrorText(e).data(), qsizetype(LodoErrorText(e).size()));
}

QString lastMessage(const ScriptedUi& ui) {
    return ui.Messages.empty() ? QString() : QString::fromStdString(ui.Messages.back());
}

QString visiblePageTitle(const MainWindow* w) {
    const PropertyPagesWidget* p = w->pages();
    return p->isVisible() ? p->tabText(p->currentIndex()) : QString();
}

QString focusName() {
    const QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() : QString();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsAsAnEmptyLine();
    void addingEachTypeNamesItAndShowsItsPage();
    void secondInletIsRefusedWithMessage6();
    void typingWithKeys_data();
    void typingWithKeys();
    void focusFollowsTheNewComponent();
    void leavingByMouseStoresValidTextSilently();
    void disallowedCharactersAreNeverInserted();
    void unitButtonsConvertTheEditedValue();
    void gridShowsTheCellTexts();
    void editMoveDeleteThroughTheSelectionWindow();
    void probeChoiceChangesTheInletType();
    void newOpenSaveWithScriptedDialogs();
    void recentFilesKeepEverySavedFileAndTellSameNamesApart();
    void closeBoxAsksAndStoresThePosition();
    void nozzleNoteFlashesOnceFilled();
    void logNormalShowsItsNotesAndMass();
    void totalsAndLargestSizeShowWhole_data();
    void totalsAndLargestSizeShowWhole();
    void curvatureNoteIsCrimson();
    void aboutShowsThreeLines();
    void standardShortcutsExistOnEveryPlatform();
    void fitsASmallScreen();
    void undoAndRedoFromTheEditMenu();
    void everyPageFitsItsTab();
    void gridModelPassesTheModelTester();
    void tabLeavesTheGrid();
    void intermediateValuesTabWhileABoxHasTheFocus();
    void intermediateValuesNotesShowWholeOnASmallScreen();
    void componentNameShowsAsItIs();
};

void MainWindowTest::startsAsAnEmptyLine() {
    WindowUnderTest w;
    // The caption, with the place of the unsaved-changes mark; nothing changed yet.
    QCOMPARE(w->windowTitle(), QStringLiteral("Lodo Calculator, v 2.0 Beta[*]"));
    QVERIFY(!w->isWindowModified());
    QCOMPARE(w->size(), QSize(1400, 784));
    QCOMPARE(w.box("LineName")->text(), QStringLiteral("Sample Line 1"));
    QTRY_COMPARE(focusName(), QStringLiteral("LineName"));
    QCOMPARE(w->gridModel()->rowCount(), 0);
    QVERIFY(!w->pages()->isVisible());
    QCOMPARE(w->tabControl1()->currentIndex(), 0);
    QCOMPARE(w.label("LabelPent")->text(), QStringLiteral("Total System Penetration % "));
    QCOMPARE(w.label("LabelANSI1")->text(), QStringLiteral(" ANSI Limit > 50%"));
    QVERIFY(w.label("SystemT")->text().isEmpty());
    QCOMPARE(w.label("StdPressLabel")->text(), QStringLiteral("Standard Pressure = 101.325 kPa"));
    QCOMPARE(w.label("StdTempLabel")->text(), QString::fromUtf8("Standard Temperature = 298.15 K"));
    QVERIFY(!w.label("LNStr1")->isVisible());
    // The windows of later work are present but wait for their owners.
    for (const char* name : {"MenuItemDist", "MenuVary", "MenuItemWye", "MenuItemDraw",
                             "MenuItemResult", "MenuRedraw", "ExportReportPdf", "ExportDrawingPng"})
        QVERIFY2(w->action(QLatin1String(name)) != nullptr, name);
    QVERIFY(w->viewPanel() != nullptr);
    QVERIFY(w.ui.Silent());
}

void MainWindowTest::addingEachTypeNamesItAndShowsItsPage() {
    WindowUnderTest w;
    struct Step {
        const char* action;
        const char* name;
        const char* page;
        const char* type;
    };
    const Step steps[] = {
        {"NozzleMenu", "N-1", "Nozzle Properties", "Nozzle"},
        {"TubeMenu", "T-1", "Tube Properties", "Tube"},
        {"BendMenu", "B-1", "Bend Properties", "Bend"},
        {"ContractMenu", "C-1", "Contraction Properties", "Contraction"},
        {"ExpandMenu", "E-1", "Expansion Properties", "Expansion"},
        {"TubeMenu", "T-2", "Tube Properties", "Tube"},
    };
    QStringList names, types;
    for (const Step& s : steps) {
        w.clickComponent(s.action);
        names << QLatin1String(s.name);
        types << QLatin1String(s.type);
        QCOMPARE(visiblePageTitle(w.window.get()), QLatin1String(s.page));
        QCOMPARE(w->pages()->count(), 6);
        QVERIFY(w.label("NodeNameL")
                    ->text()
                    .startsWith(QStringLiteral("Component: ") + QLatin1String(s.name)));
        QCOMPARE(w.names(), names);
        QCOMPARE(w.column(2), types);
    }
    QCOMPARE(w.column(0), (QStringList{"0", "1", "2", "3", "4", "5"}));
    // Every component has been evaluated: a transmission and a system total.
    for (const QString& t : w.column(3))
        QVERIFY2(QRegularExpression("^\\d+\\.\\d{4}$").match(t).hasMatch(), qPrintable(t));
    QVERIFY(!w.label("SystemT")->text().isEmpty());
    QVERIFY(w.ui.Messages.empty());
}

void MainWindowTest::secondInletIsRefusedWithMessage6() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    // The refusal brings the component's page to the front.
    w->tabControl1()->setCurrentIndex(1);
    w.clickComponent("NozzleMenu");
    QCOMPARE(lastMessage(w.ui), message(6));
    QCOMPARE(w->tabControl1()->currentIndex(), 0);
    // The tube's page stays, boxes and all.
    QVERIFY(w->pages()->isVisible());
    QCOMPARE(w->pages()->shownPage(), Page::Tube);
    QVERIFY(w.box("TubeLenEdit")->isVisible());
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("1"));
    QCOMPARE(w->gridModel()->rowCount(), 1);
    w.clickComponent("ShroudMenu");
    QCOMPARE(int(w.ui.Messages.size()), 2);
    QCOMPARE(w.names(), QStringList{"T-1"});

    // A new line starts the inlet counter again (the refused nozzle used N-1), on the
    // component's page.
    w->tabControl1()->setCurrentIndex(1);
    w.ui.Answers.push_back(Answer::No);
    w->action(QStringLiteral("NewLine"))->trigger();
    QCOMPARE(w->tabControl1()->currentIndex(), 0);
    w.clickComponent("NozzleMenu");
    QCOMPARE(w.names(), QStringList{"N-1"});
}

void MainWindowTest::typingWithKeys_data() {
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("messageNo"); // 0: accepted
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("focus");

    const int enter = Qt::Key_Enter, down = Qt::Key_Down, up = Qt::Key_Up;
    QTest::newRow("length rounded to 6 digits") << "TubeMenu"
                                                << "TubeLenEdit"
                                                << "1.234567" << enter << 0 << "1.23457"
                                                << "TubeAng1Edit";
    QTest::newRow("diameter rounded to 5 digits") << "TubeMenu"
                                                  << "TubeDiaEdit"
                                                  << "34.92345" << down << 0 << "34.923"
                                                  << "TubeFlowEdit";
    QTest::newRow("zero flow") << "TubeMenu"
                               << "TubeFlowEdit"
                               << "0" << enter << 3 << "0"
                               << "TubeFlowEdit";
    QTest::newRow("inclination 360") << "TubeMenu"
                                     << "TubeAng1Edit"
                                     << "360" << enter << 0 << "360"
                                     << "TubeDiaEdit";
    QTest::newRow("inclination -360") << "TubeMenu"
                                      << "TubeAng1Edit"
                                      << "-360" << up << 0 << "-360"
                                      << "TubeLenEdit";
    QTest::newRow("inclination 360.5") << "TubeMenu"
                                       << "TubeAng1Edit"
                                       << "360.5" << enter << 4 << "360.5"
                                       << "TubeAng1Edit";
    QTest::newRow("temperature -40") << "TubeMenu"
                                     << "TubeTempEdit"
                                     << "-40" << up << 0 << "-40"
                                     << "TubeFlowEdit";
    QTest::newRow("two points") << "TubeMenu"
                                << "TubeLenEdit"
                                << "1.2.3" << enter << 1 << "1.2.3"
                                << "TubeLenEdit";
    QTest::newRow("lone minus") << "TubeMenu"
                                << "TubeLenEdit"
                                << "-" << down << 1 << "-"
                                << "TubeLenEdit";
    QTest::newRow("zero length") << "TubeMenu"
                                 << "TubeLenEdit"
                                 << "0" << up << 2 << "0"
                                 << "TubeLenEdit";
    QTest::newRow("zero pressure") << "TubeMenu"
                                   << "TubePressEdit"
                                   << "0" << enter << 5 << "0"
                                   << "TubePressEdit";
    QTest::newRow("pressure wraps to length") << "TubeMenu"
                                              << "TubePressEdit"
                                              << "99" << enter << 0 << "99"
                                              << "TubeLenEdit";
    QTest::newRow("bend angle 180") << "BendMenu"
                                    << "BendAngleEdit"
                                    << "180" << enter << 0 << "180"
                                    << "BendRadiusEdit";
    QTest::newRow("bend angle 181") << "BendMenu"
                                    << "BendAngleEdit"
                                    << "181" << enter << 10 << "181"
                                    << "BendAngleEdit";
    QTest::newRow("probe: up from the first box") << "ShroudMenu"
                                                  << "ShrFreeEdit"
                                                  << "12" << up << 0 << "12"
                                                  << "ShrPressEdit";
    QTest::newRow("nozzle skips its outlet") << "NozzleMenu"
                                             << "NozInDiaEdit"
                                             << "25" << enter << 0 << "25"
                                             << "NozLenEdit";
}

void MainWindowTest::typingWithKeys() {
    QFETCH(QString, component);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, messageNo);
    QFETCH(QString, shown);
    QFETCH(QString, focus);

    WindowUnderTest w;
    w.clickComponent(component.toLatin1().constData());
    w.type(box.toLatin1().constData(), typed, Qt::Key(key));
    if (messageNo == 0) {
        QVERIFY2(w.ui.Messages.empty(), w.ui.Messages.empty() ? "" : w.ui.Messages.back().c_str());
    } else {
        QCOMPARE(int(w.ui.Messages.size()), 1);
        QCOMPARE(lastMessage(w.ui), message(messageNo));
    }
    QCOMPARE(w.box(box.toLatin1().constData())->text(), shown);
    QCOMPARE(focusName(), focus);
}

// Typing goes on in the new component's first box, whatever page had the focus.
void MainWindowTest::focusFollowsTheNewComponent() {
    WindowUnderTest w;
    w.clickComponent("NozzleMenu");
    QCOMPARE(focusName(), QStringLiteral("NozInDiaEdit"));
    w.type("NozInDiaEdit", QStringLiteral("25"));
    QCOMPARE(focusName(), QStringLiteral("NozLenEdit"));
    const char* next[][2] = {{"TubeMenu", "TubeLenEdit"},
                             {"BendMenu", "BendAngleEdit"},
                             {"ContractMenu", "ContDiaEdit"},
                             {"ExpandMenu", "ExpdDiaEdit"},
                             {"TubeMenu", "TubeLenEdit"}};
    for (const auto& [action, box] : next) {
        w.clickComponent(action);
        QCOMPARE(focusName(), QLatin1String(box));
        QVERIFY(w.box(box)->hasSelectedText()); // typing replaces the shown value
    }
    QTest::keyClicks(w.box("TubeLenEdit"), QStringLiteral("2.5"));
    QTest::keyClick(w.box("TubeLenEdit"), Qt::Key_Enter);
    QCOMPARE(w.cell(5, 4), QStringLiteral("2.50 m"));
}

void MainWindowTest::leavingByMouseStoresValidTextSilently() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    const double flow = w->session().List()[0].Flow;

    w.type("TubeFlowEdit", QStringLiteral("0"));
    QCOMPARE(lastMessage(w.ui), message(3));
    QTest::mouseClick(w.box("TubeTempEdit"), Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("TubeTempEdit"));
    QCOMPARE(int(w.ui.Messages.size()), 1); // no second message
    QCOMPARE(w.box("TubeFlowEdit")->text(), QStringLiteral("0"));
    QCOMPARE(w->session().List()[0].Flow, flow);

    w.type("TubeLenEdit", QStringLiteral("2.5"), Qt::Key_unknown);
    QTest::mouseClick(w.box("TubeDiaEdit"), Qt::LeftButton);
    QCOMPARE(int(w.ui.Messages.size()), 1);
    QCOMPARE(w->session().List()[0].Len, 2.5);
    QCOMPARE(w.cell(0, 4), QStringLiteral("2.50 m"));

    // The line name is the session's once entered (one undo step per name).
    w.type("LineName", QStringLiteral("Stack 3"), Qt::Key_unknown);
    QCOMPARE(w->session().LineNameShown(), std::string("Stack 3"));
    QTest::keyClick(w.box("LineName"), Qt::Key_Return);
    QCOMPARE(w->session().LineName(), std::string("Stack 3"));
}

void MainWindowTest::disallowedCharactersAreNeverInserted() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    QLineEdit* len = w.box("TubeLenEdit");
    QTest::mouseClick(len, Qt::LeftButton);
    len->selectAll();
    // (A comma goes in, to be refused with a note on Enter: EditorWorkUiTest.)
    QTest::keyClicks(len, QStringLiteral("a1b"));
    QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\u00E9"));
    QApplication::sendEvent(len, &accented);
    QCOMPARE(len->text(), QStringLiteral("1"));
    QTest::keyClick(len, Qt::Key_Backspace); // editing keys still work
    QCOMPARE(len->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("2x"));
    len->paste();
    QCOMPARE(len->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("-2.5"));
    len->paste();
    QCOMPARE(len->text(), QStringLiteral("-2.5"));
}

void MainWindowTest::unitButtonsConvertTheEditedValue() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    auto button = [&](const char* n) { return w.find<QRadioButton>(QLatin1String(n)); };
    QVERIFY(button("TubeLenMRB")->isChecked());

    QTest::mouseClick(button("TubeLenERB"), Qt::LeftButton);
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("3.2808"));
    QVERIFY(button("TubeLenERB")->isChecked());
    QVERIFY(!button("TubeLenMRB")->isChecked());
    QCOMPARE(w.cell(0, 4), QStringLiteral("3.28 ft"));
    QTest::mouseClick(button("TubeLenMRB"), Qt::LeftButton);
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("1")); // the way back is exact

    QTest::mouseClick(button("TubeFlowERB"), Qt::LeftButton);
    QCOMPARE(w.box("TubeFlowEdit")->text(), QStringLiteral("2.0129"));
    QTest::mouseClick(button("TubeFlowERB"), Qt::LeftButton); // already in force
    QCOMPARE(w.box("TubeFlowEdit")->text(), QStringLiteral("2.0129"));
    QVERIFY(button("TubeFlowERB")->isChecked());

    QTest::mouseClick(button("TubeTempERB"), Qt::LeftButton);
    QCOMPARE(w.box("TubeTempEdit")->text(), QStringLiteral("77"));
    QCOMPARE(w.cell(0, 9), QStringLiteral("77.0 F"));

    QTest::mouseClick(button("TubeDiaERB"), Qt::LeftButton);
    QCOMPARE(w.box("TubeDiaEdit")->text(), QStringLiteral("1.374"));
    QVERIFY(w.cell(0, 7).endsWith(QStringLiteral(" in")));
    QVERIFY(w.cell(0, 8).endsWith(QStringLiteral(" in")));
    QVERIFY(w.ui.Messages.empty());
}

void MainWindowTest::gridShowsTheCellTexts() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    QTest::mouseClick(w.find<QRadioButton>(QStringLiteral("TubeLenERB")), Qt::LeftButton);
    w.type("TubeLenEdit", QStringLiteral("2.5"));
    QTest::mouseClick(w.find<QRadioButton>(QStringLiteral("TubeTempERB")), Qt::LeftButton);
    w.type("TubeTempEdit", QStringLiteral("70"));
    QCOMPARE(w.cell(0, 0), QStringLiteral("0"));
    QCOMPARE(w.names().first(), QStringLiteral("T-1"));
    QCOMPARE(w.cell(0, 2), QStringLiteral("Tube"));
    QVERIFY(QRegularExpression("^\\d+\\.\\d{4}$").match(w.cell(0, 3)).hasMatch());
    QCOMPARE(w.cell(0, 4), QStringLiteral("2.50 ft"));
    QCOMPARE(w.cell(0, 5), QStringLiteral("NA"));
    QCOMPARE(w.cell(0, 6), QStringLiteral("NA"));
    QCOMPARE(w.cell(0, 7), QStringLiteral("34.90 mm"));
    QCOMPARE(w.cell(0, 8), QStringLiteral("34.90 mm"));
    QCOMPARE(w.cell(0, 9), QStringLiteral("70.0 F"));

    w.clickComponent("BendMenu");
    QCOMPARE(w.cell(1, 4), QStringLiteral("NA"));
    QCOMPARE(w.cell(1, 5), QStringLiteral("90.00 Deg"));
    QCOMPARE(w.cell(1, 6), QStringLiteral("0.102 m"));
    QCOMPARE(w.cell(5, 1), QString()); // outside the line

    // Headers as given, leading blanks included; dragging a column keeps its texts.
    QCOMPARE(w->gridModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("   Index"));
    QCOMPARE(w->gridModel()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("     Type"));
    QCOMPARE(w->gridModel()->headerData(9, Qt::Horizontal).toString(),
             QStringLiteral("Temperature"));
    w->grid()->horizontalHeader()->moveSection(9, 0);
    const QModelIndex first = w->grid()->indexAt(QPoint(5, 5));
    QCOMPARE(first.column(), 9);
    QCOMPARE(first.data().toString(), QStringLiteral("70.0 F"));
    QVERIFY(!(w->gridModel()->flags(first) & Qt::ItemIsEditable));
}

void MainWindowTest::editMoveDeleteThroughTheSelectionWindow() {
    WindowUnderTest w;
    for (const char* name : {"MenuItemEditComp", "MenuItemMoveComp", "MenuItemDelComp"}) {
        w->action(QLatin1String(name))->trigger();
        QCOMPARE(lastMessage(w.ui), message(9));
    }
    QVERIFY(w.ui.SelectionRequests.empty());
    w.clickComponent("NozzleMenu");
    w->action(QStringLiteral("MenuItemDelComp"))->trigger();
    QCOMPARE(lastMessage(w.ui), message(8));

    for (const char* name : {"TubeMenu", "BendMenu", "TubeMenu"})
        w.clickComponent(name);
    QCOMPARE(w.names(), (QStringList{"N-1", "T-1", "B-1", "T-2"}));

    w.ui.Selections.push_back({true, 3, 1});
    w->action(QStringLiteral("MenuItemMoveComp"))->trigger();
    QCOMPARE(w.ui.SelectionRequests.back().Mode, 1);
    QCOMPARE(w.ui.SelectionRequests.back().Title, std::string("Move a Component"));
    QCOMPARE(w.ui.SelectionRequests.back().LodoCnt, 3);
    QCOMPARE(w.names(), (QStringList{"N-1", "T-2", "T-1", "B-1"}));
    QVERIFY(
        w.label("NodeNameL")->text().startsWith(QStringLiteral("Component: T-2"))); // the moved one

    const std::size_t before = w.ui.Messages.size();
    w.ui.Selections.push_back({true, 0, 2});
    w->action(QStringLiteral("MenuItemMoveComp"))->trigger();
    QCOMPARE(w.ui.Messages.size(), before + 1);
    QCOMPARE(lastMessage(w.ui), message(6));
    QCOMPARE(w.names(), (QStringList{"N-1", "T-2", "T-1", "B-1"}));

    w.ui.Selections.push_back({true, 2, 0});
    w->action(QStringLiteral("MenuItemDelComp"))->trigger();
    QCOMPARE(w.ui.SelectionRequests.back().Title, std::string("Select a Component to Delete"));
    QCOMPARE(w.names(), (QStringList{"N-1", "T-2", "B-1"}));
    QVERIFY(w.label("NodeNameL")->text().startsWith(QStringLiteral("Component: T-2")));
    QCOMPARE(visiblePageTitle(w.window.get()), QStringLiteral("Tube Properties"));
    w.clickComponent("TubeMenu");
    QCOMPARE(w.names().at(3), QStringLiteral("T-3"));

    w.ui.Selections.push_back({true, 2, 0});
    w->action(QStringLiteral("MenuItemEditComp"))->trigger();
    QVERIFY(w.label("NodeNameL")->text().startsWith(QStringLiteral("Component: B-1")));
    QCOMPARE(visiblePageTitle(w.window.get()), QStringLiteral("Bend Properties"));
    QCOMPARE(focusName(), QStringLiteral("BendAngleEdit"));
    // Closed without Confirm: the numbers of the last Confirm are used again.
    w.clickComponent("ContractMenu");
    w.ui.Selections.push_back({false, 0, 0});
    w->action(QStringLiteral("MenuItemEditComp"))->trigger();
    QVERIFY(w.label("NodeNameL")->text().startsWith(QStringLiteral("Component: B-1")));

    // An entry goes to the component whose page is shown.
    w.type("BendAngleEdit", QStringLiteral("45"));
    QCOMPARE(w.cell(2, 5), QStringLiteral("45.00 Deg"));
    QVERIFY(w.ui.ScriptDone());
}

void MainWindowTest::probeChoiceChangesTheInletType() {
    WindowUnderTest w;
    w.clickComponent("ShroudMenu");
    QCOMPARE(visiblePageTitle(w.window.get()), QStringLiteral("Shrouded Probe Properties"));
    QVERIFY(w.find<QRadioButton>(QStringLiteral("RF2111RB"))->isChecked());
    QVERIFY(w.label("Label8")->text().contains(QStringLiteral("34.9 mm")));
    QCOMPARE(w.names().first(), QStringLiteral("N-1"));
    QVERIFY(!w.label("LabelShrAsp")->text().isEmpty());
    w.clickComponent("TubeMenu");
    w.clickComponent("BendMenu");

    w.ui.Selections.push_back({true, 0, 0});
    w->action(QStringLiteral("MenuItemEditComp"))->trigger();
    QTest::mouseClick(w.find<QRadioButton>(QStringLiteral("WippRB")), Qt::LeftButton);
    QVERIFY(w.find<QRadioButton>(QStringLiteral("WippRB"))->isChecked());
    QVERIFY(!w.find<QRadioButton>(QStringLiteral("RF2111RB"))->isChecked());
    QCOMPARE(w.column(2), (QStringList{"WIPP6CFM", "Tube", "Bend"}));
    QVERIFY(w.label("Label8")->text().contains(QStringLiteral("51.0 mm")));
}

// A save made through the question of Open counts like any other; files of one
// name in two folders show their folders.
void MainWindowTest::recentFilesKeepEverySavedFileAndTellSameNamesApart() {
    WindowUnderTest w;
    QVERIFY(QDir(w.dir.path()).mkpath(QStringLiteral("a")) &&
            QDir(w.dir.path()).mkpath(QStringLiteral("b")));
    const QString first = w.dir.filePath(QStringLiteral("a/line.lxl"));
    const QString second = w.dir.filePath(QStringLiteral("b/line.lxl"));
    const QString other = w.dir.filePath(QStringLiteral("b/R&D stack.lxl"));
    w.clickComponent("NozzleMenu");
    w.ui.SaveFiles.push_back(toPath(first));
    w->action(QStringLiteral("MenuItemSaveAs"))->trigger();

    w.clickComponent("TubeMenu"); // changed: Open asks first, Yes saves elsewhere
    w.ui.Answers.push_back(Answer::Yes);
    w.ui.SaveFiles.push_back(toPath(second));
    w.ui.OpenFiles.push_back(toPath(first));
    w->action(QStringLiteral("OpenFile"))->trigger();
    QVERIFY(QFile::exists(second));
    w.ui.SaveFiles.push_back(toPath(other));
    w->action(QStringLiteral("MenuItemSaveAs"))->trigger();
    QVERIFY(w.ui.Errors.empty());

    QMenu* recent = w.find<QMenu>(QStringLiteral("RecentFilesMenu"));
    QStringList tips, texts;
    for (const QAction* a : recent->actions()) {
        tips << a->toolTip();
        texts << a->text();
    }
    QCOMPARE(tips,
             (QStringList{QFileInfo(other).absoluteFilePath(), QFileInfo(first).absoluteFilePath(),
                          QFileInfo(second).absoluteFilePath()}));
    QCOMPARE(texts.at(0), QStringLiteral("&1 R&&D stack.lxl"));
    for (int i : {1, 2}) {
        const QString folder =
            i == 1 ? QStringLiteral("/a/line.lxl") : QStringLiteral("/b/line.lxl");
        QVERIFY2(texts.at(i).endsWith(folder), qPrintable(texts.at(i)));
        QVERIFY2(texts.at(i).size() > folder.size() + 3, qPrintable(texts.at(i)));
    }
}

void MainWindowTest::newOpenSaveWithScriptedDialogs() {
    WindowUnderTest w;
    const QString path = w.dir.filePath(QStringLiteral("line.lxl"));
    w.clickComponent("NozzleMenu");
    w.clickComponent("TubeMenu");
    w.type("TubeLenEdit", QStringLiteral("3"));

    // Save without a name asks for one; the recent list keeps it.
    w.ui.SaveFiles.push_back(toPath(path));
    w->action(QStringLiteral("MenuItemSave"))->trigger();
    QVERIFY(QFile::exists(path));
    QCOMPARE(w.ui.SaveRequests.back().Title, std::string("Save Sample Line As"));
    QCOMPARE(w->windowTitle(), QString::fromUtf8("line.lxl[*] \u2014 Lodo Calculator, v 2.0 Beta"));
    QVERIFY(!w->isWindowModified());
    QMenu* recent = w.find<QMenu>(QStringLiteral("RecentFilesMenu"));
    QCOMPARE(recent->actions().size(), 1);
    QCOMPARE(recent->actions().first()->toolTip(), QFileInfo(path).absoluteFilePath());

    // New on a saved line asks nothing; a changed line is asked about.
    w.clickComponent("BendMenu");
    QVERIFY(w->isWindowModified());
    w.ui.Answers.push_back(Answer::Cancel);
    w->action(QStringLiteral("NewLine"))->trigger();
    QCOMPARE(w.ui.Questions.size(), std::size_t(1));
    QCOMPARE(w->gridModel()->rowCount(), 3); // cancelled: nothing discarded
    w.ui.Answers.push_back(Answer::No);
    w->action(QStringLiteral("NewLine"))->trigger();
    QCOMPARE(w->gridModel()->rowCount(), 0);
    QVERIFY(!w->pages()->isVisible());
    QCOMPARE(w.box("LineName")->text(), QStringLiteral("Sample Line 1"));

    // Open: cancelled, then a bad file, then the saved one.
    w.clickComponent("TubeMenu");
    w.ui.Answers.push_back(Answer::No);
    w.ui.OpenFiles.push_back(std::nullopt);
    w->action(QStringLiteral("OpenFile"))->trigger();
    QCOMPARE(w.names(), QStringList{"T-1"});
    const QString bad = w.dir.filePath(QStringLiteral("bad.lxl"));
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<Nodes><Node><Name>T-1</Name><Temp>warm</Temp></Node>");
    }
    w.ui.Answers.push_back(Answer::No);
    w.ui.OpenFiles.push_back(toPath(bad));
    w->action(QStringLiteral("OpenFile"))->trigger();
    QCOMPARE(w.ui.Errors.size(), std::size_t(1));
    QCOMPARE(w.names(), QStringList{"T-1"});

    w.ui.Answers.push_back(Answer::No);
    recent->actions().first()->trigger();
    QCOMPARE(w.names(), (QStringList{"N-1", "T-1"}));
    QCOMPARE(w.cell(1, 4), QStringLiteral("3.00 m"));
    QVERIFY(w.ui.ScriptDone());

    // A file named at start-up opens the same way.
    WindowUnderTest second;
    QVERIFY(second->openPath(path));
    QCOMPARE(second.names(), (QStringList{"N-1", "T-1"}));
}

void MainWindowTest::closeBoxAsksAndStoresThePosition() {
    QPoint placed;
    {
        WindowUnderTest w;
        QCOMPARE(w->pos(), QPoint(10, 10)); // no position file yet
        w->move(120, 90);
        w.clickComponent("TubeMenu");
        w.ui.Answers.push_back(Answer::Cancel);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QVERIFY(!QFile::exists(w.positionPath()));

        w.ui.Answers.push_back(Answer::No);
        QVERIFY(w->close());
        placed = w->pos();
        QSettings ini(w.positionPath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Form1/Top")).toInt(), placed.y());
        QCOMPARE(ini.value(QStringLiteral("Form1/Left")).toInt(), placed.x());

        // The next start from the same place comes back there.
        MainWindow::Options o;
        o.showSplash = false;
        o.ui = &w.ui;
        o.positionFile = w.positionPath();
        MainWindow again(o);
        QCOMPARE(again.pos(), placed);
    }
    {
        // Where the file cannot be written, the fallback folder takes it.
        WindowUnderTest w;
        QFile blocker(w.dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        MainWindow::Options o;
        o.showSplash = false;
        o.ui = &w.ui;
        o.positionFile = w.dir.filePath(QStringLiteral("not-a-folder/lodo.INI"));
        o.positionFallback = w.dir.filePath(QStringLiteral("cfg/lodo.INI"));
        auto blocked = std::make_unique<MainWindow>(o);
        blocked->show();
        w.ui.Answers.push_back(Answer::No);
        QVERIFY(blocked->close());
        QVERIFY(QFile::exists(o.positionFallback));
    }
}

void MainWindowTest::nozzleNoteFlashesOnceFilled() {
    WindowUnderTest w;
    w.clickComponent("NozzleMenu");
    QLabel* note = w.label("Label9");
    QCOMPARE(labelColour(note), Argb::Black);
    w.type("NozInDiaEdit", QStringLiteral("25"));
    QCOMPARE(w.box("NozOutDiaEdit")->text(), QStringLiteral("25"));
    QVERIFY(note->text().startsWith(QStringLiteral("The exit diameter of this Nozzle is 25")));
    QTRY_COMPARE_WITH_TIMEOUT(labelColour(note), Argb::Red, 1500);
    QTRY_COMPARE_WITH_TIMEOUT(labelColour(note), QRgb(0xFF0000FF), 1500);
    QCOMPARE(labelColour(w.label("Label8")), Argb::Black);
}

// The distribution window's setting reaches every label it changes.
void MainWindowTest::logNormalShowsItsNotesAndMass() {
    WindowUnderTest w;
    w.clickComponent("NozzleMenu");
    w.clickComponent("TubeMenu");
    w->session().ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    QVERIFY(w.label("LNStr1")->isVisible());
    QVERIFY(w.label("LNStr2")->isVisibleTo(w->tabControl1()->widget(1)));
    QCOMPARE(w.label("LabelPent")->text(), QString::fromStdString(w->session().LabelPent()));
    QCOMPARE(w.label("MassPent")->text(),
             QString::fromStdString(w->session().Model().Display.MassPent));
    QVERIFY(!w.label("MassPent")->text().isEmpty());
    QVERIFY(!w.label("MaxPartSize")->text().isEmpty());
    w->session().ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::Mono});
    QVERIFY(!w.label("LNStr1")->isVisible());
    QVERIFY(w.label("MaxPartSize")->text().isEmpty());
}

// The whole text of a label fits its box (wrapped where the label wraps).
static bool showsWhole(const QLabel* l) {
    const QRect box = l->contentsRect();
    const int flags = l->wordWrap() ? int(Qt::TextWordWrap) : 0;
    const QRect need =
        l->fontMetrics().boundingRect(QRect(0, 0, box.width(), 10000), flags, l->text());
    return l->isVisible() && need.width() <= box.width() && need.height() <= box.height();
}

void MainWindowTest::totalsAndLargestSizeShowWhole_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("mono") << QStringLiteral("Mono");
    QTest::newRow("log-normal") << QStringLiteral("LogNormal");
}

// At the window's own size (1400 x 784) the captions and values of the totals
// strip and the largest transported size show whole, side by side, in their strips.
void MainWindowTest::totalsAndLargestSizeShowWhole() {
    QFETCH(QString, mode);
    WindowUnderTest w;
    QCOMPARE(w->size(), QSize(1400, 784));
    w->session().ApplyDistribution({10.0f, 5.0f, 2.5f, *DistributionFromText(mode.toStdString())});
    w.clickComponent("NozzleMenu");
    w.clickComponent("TubeMenu");
    w.type("TubeLenEdit", QStringLiteral("123.456"));
    QApplication::processEvents();

    QWidget* strip = w.find<QWidget>(QStringLiteral("Panel1"));
    QRect previous;
    for (const char* name : {"LabelPent", "SystemT", "LabelANSI1", "MassPent"}) {
        QLabel* l = w.label(name);
        if (mode == QLatin1String("Mono") && QLatin1String(name) == QLatin1String("MassPent"))
            continue;
        QVERIFY2(!l->text().isEmpty(), name);
        QVERIFY2(showsWhole(l),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), l->text())));
        QVERIFY2(strip->rect().contains(l->geometry()), name);
        QVERIFY2(!l->geometry().intersects(previous), name);
        previous = l->geometry();
    }
    // The size-resolved line sits under the strip, whole, with the texts of the
    // shared helper.
    QLabel* sizeResolved = w.label("SizeResolvedT");
    QCOMPARE(sizeResolved->text(), QString::fromStdString(Analysis::StripLine(
                                       Analysis::SizeResolvedOf(w->session().Model()),
                                       mode == QLatin1String("LogNormal"))));
    QVERIFY(sizeResolved->text().startsWith(mode == QLatin1String("Mono")
                                                ? QStringLiteral("Cut size d50 = ")
                                                : QStringLiteral("Size-resolved: mass ")));
    QVERIFY2(showsWhole(sizeResolved), qPrintable(sizeResolved->text()));
    QVERIFY(sizeResolved->font().pointSizeF() >= 7.0);
    QVERIFY(sizeResolved->geometry().top() >= strip->geometry().bottom());
    QLabel* largest = w.label("MaxPartSize");
    if (mode == QLatin1String("LogNormal")) {
        QVERIFY(largest->text().startsWith(
            QStringLiteral("Maximum particle size that the system can transport = ")));
        QVERIFY2(showsWhole(largest), qPrintable(largest->text()));
        QVERIFY(w.find<QWidget>(QStringLiteral("Panel5"))->rect().contains(largest->geometry()));
        QVERIFY(largest->font().pointSizeF() >= 8.0);
    } else {
        QVERIFY(largest->text().isEmpty());
    }
}

void MainWindowTest::curvatureNoteIsCrimson() {
    WindowUnderTest w;
    w.clickComponent("NozzleMenu");
    w.clickComponent("BendMenu");
    w.type("BendRadiusEdit", QStringLiteral("0.05"));
    QLabel* note = w.label("CRError");
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(),
             QStringLiteral(
                 "Transmission efficiency has been calculated, but the curvature ratio is < 4 "
                 "and outside the range of the models."));
    QCOMPARE(labelColour(note), Argb::Crimson);
}

// The platform's binding where it has one, the usual one otherwise; each key
// reaches its command from a property page box.
void MainWindowTest::standardShortcutsExistOnEveryPlatform() {
    struct Case {
        const char* action;
        QKeySequence::StandardKey key;
        const char* fallback;
    };
    const Case cases[] = {{"NewLine", QKeySequence::New, "Ctrl+N"},
                          {"OpenFile", QKeySequence::Open, "Ctrl+O"},
                          {"MenuItemSave", QKeySequence::Save, "Ctrl+S"},
                          {"MenuItemSaveAs", QKeySequence::SaveAs, "Ctrl+Shift+S"},
                          {"MenuItemExit", QKeySequence::Quit, "Ctrl+Q"}};
    WindowUnderTest w;
    w.clickComponent("NozzleMenu");
    for (const Case& c : cases) {
        QAction* a = w->action(QLatin1String(c.action));
        const QList<QKeySequence> platform = QKeySequence::keyBindings(c.key);
        const QKeySequence expected =
            platform.isEmpty() ? QKeySequence(QString::fromLatin1(c.fallback)) : platform.first();
        QCOMPARE(a->shortcut(), expected);
        if (QLatin1String(c.action) == QLatin1String("MenuItemExit"))
            continue;
        QSignalSpy triggered(a, &QAction::triggered);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keySequence(focus, a->shortcut());
        QCOMPARE(triggered.count(), 1);
        w.ui.ClearRecord(); // unanswered questions and dialogs cancel: the line stays
    }
    QCOMPARE(w->session().Count(), 1);
}

void MainWindowTest::aboutShowsThreeLines() {
    WindowUnderTest w;
    w->action(QStringLiteral("MenuItemAbout"))->trigger();
    QCOMPARE(w.ui.Messages.size(), std::size_t(1));
    const QStringList lines = lastMessage(w.ui).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.first(), QStringLiteral("Lodo Calculator, Version 2.0 Beta"));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("  ")) &&
            lines.at(2).startsWith(QStringLiteral("  ")));
}

// Nothing clipped: every control of every page lies inside the page as the
// window shows it, and no two entry rows overlap.
// Edit > Undo and Redo with the standard keys walk the session's history; the stack
// names each step and its clean state follows saving.
void MainWindowTest::undoAndRedoFromTheEditMenu() {
    WindowUnderTest w;
    QAction* undo = w->action(QStringLiteral("MenuItemUndo"));
    QAction* redo = w->action(QStringLiteral("MenuItemRedo"));
    QVERIFY(undo && redo);
    QVERIFY(undo->shortcuts().contains(QKeySequence(QKeySequence::Undo)) ||
            undo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Z"))));
    QVERIFY(!undo->isEnabled());
    w.clickComponent("NozzleMenu");
    w.clickComponent("TubeMenu");
    w.type("TubeLenEdit", QStringLiteral("3"));
    QCOMPARE(w->undoStack()->count(), 3);
    QCOMPARE(undo->text(), QString::fromUtf8("&Undo Edit T-1 length 1 \u2192 3 m"));
    undo->trigger();
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("1"));
    undo->trigger();
    QCOMPARE(w->gridModel()->rowCount(), 1);
    QCOMPARE(w->pages()->shownPage(), Page::Nozzle);
    redo->trigger();
    redo->trigger();
    QCOMPARE(w->gridModel()->rowCount(), 2);
    QCOMPARE(w.box("TubeLenEdit")->text(), QStringLiteral("3"));
    QVERIFY(!redo->isEnabled());
    w.ui.SaveFiles.push_back(toPath(w.dir.filePath(QStringLiteral("u.lxl"))));
    w->action(QStringLiteral("MenuItemSave"))->trigger();
    QVERIFY(w->undoStack()->isClean());
    undo->trigger();
    QVERIFY(w->isWindowModified());
    redo->trigger();
    QVERIFY(!w->isWindowModified());

    // An "&" in a name is shown, not taken for the item's shortcut mark.
    w.type("LineName", QStringLiteral("R&D stack"), Qt::Key_Tab);
    QCOMPARE(w->undoStack()->text(w->undoStack()->index() - 1),
             QStringLiteral("Line name \"R&D stack\""));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Line name \"R&&D stack\""));
}

// A 1280 x 720 screen with room for the window manager's frame: every pane shows
// whole, no page needs its scroll bar, all six component commands are in sight.
void MainWindowTest::fitsASmallScreen() {
    WindowUnderTest w;
    w->resize(1280 - 16, 720 - 40);
    QApplication::processEvents();
    QCOMPARE(w->size(), QSize(1280 - 16, 720 - 40));
    QMenuBar* bar = w->componentMenuBar();
    for (QAction* a : bar->actions())
        QVERIFY2(bar->rect().contains(bar->actionGeometry(a)), qPrintable(a->text()));
    QVERIFY(w->viewPanel()->width() >= 400 && w->viewPanel()->height() >= 400);
    QVERIFY(w->grid()->width() >= 200);
    PropertyPagesWidget* pages = w->pages();
    for (const PageInfo& info : Pages) {
        pages->showOnly(info.Id);
        QApplication::processEvents();
        auto* scroll = w->findChild<QScrollArea*>(QStringLiteral("ComponentScroll"));
        QVERIFY(scroll);
        QVERIFY2(!scroll->verticalScrollBar()->isVisible(), info.ItemName.data());
    }
    w->tabControl1()->setCurrentIndex(1);
    QApplication::processEvents();
    QVERIFY(!w->findChild<QScrollArea*>(QStringLiteral("InterValuesScroll"))
                 ->verticalScrollBar()
                 ->isVisible());
    // The totals strip keeps its texts whole in the narrower pane.
    for (const char* name : {"LabelPent", "LabelANSI1"}) {
        QLabel* l = w.label(name);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), name);
    }

    struct Case {
        QRect wanted, available;
        QRect placed;
    } const cases[] = {
        // Room enough: as wanted.
        {{10, 10, 1400, 784}, {0, 0, 1920, 1080}, {10, 10, 1400, 784}},
        // 1280 x 720: the size shrinks to leave the frame room; 10, 10 stays.
        {{10, 10, 1400, 784}, {0, 0, 1280, 720}, {0, 0, 1264, 680}},
        {{10, 10, 1400, 784}, {0, 0, 1366, 768}, {0, 0, 1350, 728}},
        // A place too far right or down is moved back just enough.
        {{900, 500, 1400, 784}, {0, 0, 1920, 1080}, {504, 256, 1400, 784}},
        // A panel at the top of the screen.
        {{10, 10, 1400, 784}, {0, 30, 1280, 690}, {0, 30, 1264, 650}},
    };
    for (const Case& c : cases)
        QCOMPARE(MainWindow::FittedGeometry(c.wanted, c.available, QMargins(8, 32, 8, 8)),
                 c.placed);
}

void MainWindowTest::everyPageFitsItsTab() {
    WindowUnderTest w;
    PropertyPagesWidget* pages = w->pages();
    for (const PageInfo& info : Pages) {
        pages->showOnly(info.Id);
        QApplication::processEvents();
        QWidget* page = pages->currentWidget();
        QCOMPARE(page->objectName(),
                 QString::fromLatin1(info.ItemName.data(), qsizetype(info.ItemName.size())));
        const QRect inside = page->rect();
        QRect previousRow;
        for (const BoxInfo& row : info.Rows) {
            QLineEdit* box = pages->box(row.Id);
            QCOMPARE(box->objectName(),
                     QString::fromLatin1(row.Name.data(), qsizetype(row.Name.size())));
            QLabel* caption =
                page->findChild<QLabel*>(box->objectName() + QStringLiteral("Caption"));
            QVERIFY(caption);
            QCOMPARE(caption->text(),
                     QString::fromUtf8(row.Caption.data(), qsizetype(row.Caption.size())));
            QCOMPARE(pages->metricButton(row.Id)->text(),
                     QString::fromUtf8(row.MetricText.data(), qsizetype(row.MetricText.size())));
            QWidget* last = row.EnglishButton.empty()
                                ? static_cast<QWidget*>(pages->metricButton(row.Id))
                                : pages->englishButton(row.Id);
            QRect rowRect = caption->geometry().united(box->geometry()).united(last->geometry());
            QVERIFY2(inside.contains(rowRect), qPrintable(box->objectName()));
            QVERIFY2(last->geometry().right() < inside.right(), qPrintable(box->objectName()));
            QVERIFY2(!rowRect.intersects(previousRow), qPrintable(box->objectName()));
            previousRow = rowRect;
        }
        for (QWidget* extra : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (extra->isVisibleTo(page))
                QVERIFY2(inside.contains(extra->geometry()), qPrintable(extra->objectName()));
    }
    // 29 rows of intermediate values, each name beside its value.
    w->tabControl1()->setCurrentIndex(1);
    QApplication::processEvents();
    for (int i = 1; i <= 24; ++i) {
        QLabel* name = w.label(QStringLiteral("IVN%1").arg(i).toLatin1().constData());
        QLabel* value = w.label(QStringLiteral("IVR%1").arg(i).toLatin1().constData());
        QVERIFY(name && value);
        QCOMPARE(name->mapTo(w.window.get(), QPoint(0, 0)).y(),
                 value->mapTo(w.window.get(), QPoint(0, 0)).y());
        QVERIFY(value->mapTo(w.window.get(), QPoint(0, value->height())).y() < w->height());
    }
}

void MainWindowTest::gridModelPassesTheModelTester() {
    WindowUnderTest w;
    QAbstractItemModelTester tester(w->gridModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    w.clickComponent("NozzleMenu");
    for (int i = 0; i < 4; ++i)
        w.clickComponent("TubeMenu");
    w.type("TubeLenEdit", QStringLiteral("4"));
    w.ui.Selections.push_back({true, 1, 0});
    w->action(QStringLiteral("MenuItemDelComp"))->trigger();
    QCOMPARE(w->gridModel()->rowCount(), 4);
    w.ui.Answers.push_back(Answer::No);
    w->action(QStringLiteral("NewLine"))->trigger();
    QCOMPARE(w->gridModel()->rowCount(), 0);
}

// Keyboard use: the grid is one stop of the Tab chain, whatever its rows and columns.
void MainWindowTest::tabLeavesTheGrid() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    w.clickComponent("BendMenu");
    w->grid()->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), QStringLiteral("Grid1"));
    QTest::keyClick(w->grid(), Qt::Key_Tab);
    QVERIFY(focusName() != QStringLiteral("Grid1"));
    w->grid()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->grid(), Qt::Key_Backtab);
    QCOMPARE(focusName(), QStringLiteral("LineName"));
}

// A click on a tab while a box holds the focus shows that tab, and the tab bar says
// so: a click on the other tab then brings its page back.
void MainWindowTest::intermediateValuesTabWhileABoxHasTheFocus() {
    WindowUnderTest w;
    w.clickComponent("TubeMenu");
    QTRY_COMPARE(focusName(), QStringLiteral("TubeLenEdit"));
    QTabWidget* tabs = w->tabControl1();
    QTabBar* bar = tabs->tabBar();
    for (const int index : {1, 0, 1}) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCOMPARE(tabs->currentIndex(), index);
        QCOMPARE(tabs->currentWidget()->objectName(), index == 0
                                                          ? QStringLiteral("ComponentScroll")
                                                          : QStringLiteral("InterValuesScroll"));
    }
    QVERIFY(!w->session().LineNameFocused());
}

// At 1280 x 720, a log-normal line with findings: the pane scrolls, its columns fit
// beside the scroll bar, and its two wrapped notes show every word.
void MainWindowTest::intermediateValuesNotesShowWholeOnASmallScreen() {
    WindowUnderTest w;
    w->resize(1280 - 16, 720 - 40);
    QVERIFY(w->openPath(QStringLiteral(LODO_EXAMPLES_DIR "/shrouded-probe-line.lxl")));
    w->session().ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    w->tabControl1()->setCurrentIndex(1);
    auto* scroll = w.find<QScrollArea>(QStringLiteral("InterValuesScroll"));
    QWidget* viewport = scroll->viewport();
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QCOMPARE(scroll->widget()->width(), viewport->width()); // the columns show whole too
    for (const char* name : {"LNStr2", "ModelLimitsText"}) {
        QLabel* note = w.label(name);
        QVERIFY2(note->isVisible(), name);
        QTRY_VERIFY2(note->mapTo(viewport, note->rect().topRight()).x() < viewport->width(), name);
        const QRect need = note->fontMetrics().boundingRect(
            QRect(0, 0, note->contentsRect().width(), 10000), Qt::TextWordWrap, note->text());
        QVERIFY2(need.width() <= note->contentsRect().width(), name);
        QVERIFY2(need.height() <= note->contentsRect().height(), name);
    }
}

// A component's name from its file shows as written above its page, "<" and all.
void MainWindowTest::componentNameShowsAsItIs() {
    QFile example(QStringLiteral(LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QByteArray xml = example.readAll();
    xml.replace("<Name>T-3</Name>", "<Name>T&lt;A&gt;3</Name>");
    WindowUnderTest w;
    const QString path = w.dir.filePath(QStringLiteral("named.lxl"));
    QFile named(path);
    QVERIFY(named.open(QIODevice::WriteOnly));
    named.write(xml);
    named.close();
    QVERIFY(w->openPath(path));
    QLabel* shown = w.label("NodeNameL");
    QCOMPARE(shown->text(), QStringLiteral("Component: T<A>3"));
    QVERIFY(shown->textFormat() == Qt::PlainText || !Qt::mightBeRichText(shown->text()));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
