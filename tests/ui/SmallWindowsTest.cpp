// The selection window, the splash, the dialog filters and the position file on
// their own.

#include "ui/CompSel.h"
#include "ui/QtSessionUi.h"
#include "ui/SplashWindow.h"
#include "ui/WindowPositionFile.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

// Runs `act` on the selection window once it is up and modal.
template <class Act> void whenSelectionWindowShows(Act act) {
    QTimer::singleShot(0, [act] {
        auto* w = qobject_cast<CompSel*>(QApplication::activeModalWidget());
        QTRY_VERIFY(w || (w = qobject_cast<CompSel*>(QApplication::activeModalWidget())));
        w->activateWindow();
        // Typing needs the focus. The window is closed in any case, also when a check
        // in `act` failed, so that the test goes on.
        if (QTest::qWaitForWindowActive(w))
            act(w);
        else
            QTest::qFail("the selection window did not become active", __FILE__, __LINE__);
        w->close();
    });
}

SelectionRequest moveRequest(int lodoCnt) {
    SelectionRequest r;
    r.Mode = 1;
    r.Title = "Move a Component";
    r.FirstCaption = "Item To Move:";
    r.SecondCaption = "Final Location:";
    r.ShowSecond = true;
    r.LodoCnt = lodoCnt;
    return r;
}

} // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void selectionWindowClampsTypedNumbers();
    void selectionWindowClosedWithoutConfirm();
    void selectionWindowForEditHidesTheSecondBox();
    void selectionWindowTitlesReadOnOneLine();
    void splashFillsItsBarAndClosesItself();
    void filtersBecomeDialogNameFilters();
    void positionFileDefaultsAndRoundTrip();
    void messagesShowTheirTextAsItIs();
};

void SmallWindowsTest::selectionWindowClampsTypedNumbers() {
    QtSessionUi ui(nullptr);
    whenSelectionWindowShows([](CompSel* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("Select Components"));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Move a Component"));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("Item To Move:"));
        QVERIFY(w->numberBox2()->isVisible());
        QCOMPARE(w->numberBox1()->value(), 0);
        QTest::keyClick(w->numberBox1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w->numberBox1(), QStringLiteral("9"));
        QTest::keyClick(w->numberBox1(), Qt::Key_Tab);
        QCOMPARE(w->numberBox1()->value(), 3);        // clamped when the box is left
        QTest::keyClick(w->numberBox2(), Qt::Key_Up); // steps are off: only typing changes it
        QCOMPARE(w->numberBox2()->value(), 0);
        QTest::keyClicks(w->numberBox2(), QStringLiteral("1"));
        QTest::mouseClick(w->confirmButton(), Qt::LeftButton);
    });
    const SelectionReply reply = ui.SelectComponents(moveRequest(3));
    QVERIFY(reply.Confirmed);
    QCOMPARE(reply.Item1, 3);
    QCOMPARE(reply.Item2, 1);
}

void SmallWindowsTest::selectionWindowClosedWithoutConfirm() {
    QtSessionUi ui(nullptr);
    whenSelectionWindowShows([](CompSel* w) {
        QTest::keyClick(w->numberBox1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w->numberBox1(), QStringLiteral("2"));
        w->close();
    });
    const SelectionReply reply = ui.SelectComponents(moveRequest(3));
    QVERIFY(!reply.Confirmed);
    QVERIFY(!reply.Cancelled); // the close box is not Cancel
    QCOMPARE(reply.Item1, 2);  // stored for the next command all the same

    whenSelectionWindowShows([](CompSel* w) {
        QCOMPARE(w->cancelButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(w->rect().contains(w->cancelButton()->geometry()));
        QTest::mouseClick(w->cancelButton(), Qt::LeftButton);
    });
    const SelectionReply cancelled = ui.SelectComponents(moveRequest(3));
    QVERIFY(!cancelled.Confirmed);
    QVERIFY(cancelled.Cancelled);
}

void SmallWindowsTest::selectionWindowForEditHidesTheSecondBox() {
    SelectionRequest r;
    r.Mode = 2;
    r.Title = "Select a Component to Edit";
    r.FirstCaption = "Item Number";
    r.LodoCnt = 5;
    CompSel w(r);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.width() >= 273);
    QCOMPARE(w.height(), 234);
    QVERIFY(!w.numberBox2()->isVisible());
    QVERIFY(!w.findChild<QLabel*>(QStringLiteral("Label3"))->isVisible());
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Be sure to use the Index number"));
    QCOMPARE(w.numberBox1()->maximum(), 5);
    QCOMPARE(w.confirmButton()->text(), QStringLiteral("Confirm"));
}

void SmallWindowsTest::selectionWindowTitlesReadOnOneLine() {
    for (const char* title :
         {"Move a Component", "Select a Component to Edit", "Select a Component to Delete"}) {
        SelectionRequest r;
        r.Mode = 2;
        r.Title = title;
        r.FirstCaption = "Item Number";
        r.LodoCnt = 3;
        CompSel w(r);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QLabel* label1 = w.findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(label1->text(), QString::fromLatin1(title));
        const QFontMetrics fm = label1->fontMetrics();
        QVERIFY2(fm.horizontalAdvance(label1->text()) <= label1->contentsRect().width(), title);
        QVERIFY2(w.rect().contains(label1->geometry()), title);
        QVERIFY(w.width() >= 273);
        QCOMPARE(w.height(), 234);
        QVERIFY(w.rect().contains(w.confirmButton()->geometry()));
    }
}

void SmallWindowsTest::splashFillsItsBarAndClosesItself() {
    SplashWindow splash(nullptr, 1);
    QCOMPARE(splash.windowTitle(), QStringLiteral("Lodo Calculator"));
    QCOMPARE(splash.size(), QSize(640, 452));
    QCOMPARE(splash.bar()->value(), 10);
    QCOMPARE(splash.exec(), int(QDialog::Accepted));
    QCOMPARE(splash.counter(), 100);
    QCOMPARE(splash.bar()->value(), 100);
}

void SmallWindowsTest::filtersBecomeDialogNameFilters() {
    QCOMPARE(toNameFilters("Transport Systems (*.lxl)|*.lxl|all files (*.*)|*.*"),
             (QStringList{"Transport Systems (*.lxl)", "all files (*)"}));
    QCOMPARE(toNameFilters("Lodo files only|*.lxl"), QStringList{"Lodo files only (*.lxl)"});
    QCOMPARE(toNameFilters("Lodo Files (*txt)|*.txt"), QStringList{"Lodo Files (*.txt)"});
    QCOMPARE(
        toNameFilters("Pre Version 2 Transport Systems (*.lpl)|*.lpl|all files (*.*)|*.*").first(),
        QStringLiteral("Pre Version 2 Transport Systems (*.lpl)"));
    const QString odd = QString::fromUtf8("/tmp/\u00E9t\u00E9 line.lxl");
    QCOMPARE(toQString(toPath(odd)), odd);
}

void SmallWindowsTest::positionFileDefaultsAndRoundTrip() {
    QTemporaryDir dir;
    const WindowPositionFile file(dir.filePath(QStringLiteral("a.INI")),
                                  dir.filePath(QStringLiteral("b/a.INI")));
    QCOMPARE(file.readTopLeft(), QPoint(10, 10));
    {
        QSettings ini(file.path(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Form1/Top"), 250); // Left missing
    }
    QCOMPARE(file.readTopLeft(), QPoint(10, 250));
    QVERIFY(file.writeTopLeft(QPoint(33, 44)));
    QCOMPARE(file.readTopLeft(), QPoint(33, 44));
    QVERIFY(file.writeRecentFiles({QStringLiteral("/x/y.lxl")}));
    QCOMPARE(file.readRecentFiles(), QStringList{"/x/y.lxl"});
    QCOMPARE(file.readTopLeft(), QPoint(33, 44));

    QVERIFY(WindowPositionFile::defaultPrimaryPath().endsWith(QStringLiteral(".INI")));
    QVERIFY(WindowPositionFile::defaultPrimaryPath().startsWith(
        QCoreApplication::applicationDirPath()));
}

// A message naming a file or a component with "<" in it is not read as markup.
void SmallWindowsTest::messagesShowTheirTextAsItIs() {
    QtSessionUi ui(nullptr);
    const QString text =
        QStringLiteral("line<A>.lxl: Component 3 (Index 2, T<b>1), element \"Len\"");
    for (int kind = 0; kind < 3; ++kind) {
        bool plain = false;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            plain = box->textFormat() == Qt::PlainText || !Qt::mightBeRichText(box->text());
            shown = box->text();
            box->done(QMessageBox::No);
        });
        if (kind == 0)
            ui.ShowMessage(text.toStdString());
        else if (kind == 1)
            ui.ShowError(text.toStdString());
        else
            ui.YNMessage(text.toStdString(), QuestionButtons::YesNoCancel);
        QCOMPARE(shown, text);
        QVERIFY2(plain, qPrintable(QString::number(kind)));
    }
}

QTEST_MAIN(SmallWindowsTest)
#include "SmallWindowsTest.moc"
