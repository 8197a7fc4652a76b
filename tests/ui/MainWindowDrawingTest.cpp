// The drawing and printing commands inside the main window: the view follows every
// change of the line, New Sample Line hides the model, Redraw returns to the framed
// view and the exports write their files.

#include "drawing/view/LineView.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

class MainWindowDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        MainWindow::Options o;
        o.showSplash = false;
        o.ui = &ui_;
        o.positionFile = dir_.filePath(QStringLiteral("lodo.INI"));
        o.positionFallback = dir_.filePath(QStringLiteral("fallback.INI"));
        window_ = std::make_unique<MainWindow>(o);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        view_ = window_->viewPanel()->findChild<LineView*>();
        QVERIFY(view_);
        ui_.ClearRecord();
    }
    void cleanup() { window_.reset(); }

    void viewFollowsTheLineAndHidesOnNewLine() {
        for (const char* name : {"MenuItemDraw", "MenuItemResult", "MenuRedraw", "ExportReportPdf",
                                 "ExportDrawingPng"})
            QVERIFY2(window_->action(QLatin1String(name))->isEnabled(), name);

        LodoSession& s = window_->session();
        s.NozzleMenuClick();
        QCOMPARE(view_->ShapeCount(), 2);
        s.TubeMenuClick();
        s.BendMenuClick();
        QCOMPARE(view_->ShapeCount(), 2 + 1 + 16);
        QVERIFY(view_->ModelVisible());

        ui_.Answers.push_back(Answer::No); // do not save the changed line
        QVERIFY(s.NewLineClick());
        QVERIFY(!view_->ModelVisible());
        s.NozzleMenuClick();
        QVERIFY(view_->ModelVisible());
        QCOMPARE(view_->ShapeCount(), 2);
    }

    // Tab, clicks, drags and the wheel in the view leave the keyboard in the box
    // being edited; orbit and zoom still work.
    void viewNeverTakesTheKeyboard() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        LodoSession& s = window_->session();
        s.NozzleMenuClick();
        s.TubeMenuClick();
        auto* box = window_->findChild<QLineEdit*>(QStringLiteral("TubeLenEdit"));
        QTRY_VERIFY(box->hasFocus());

        for (int i = 0; i < 80; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* f = QApplication::focusWidget();
            QVERIFY(f);
            QVERIFY2(!window_->viewPanel()->isAncestorOf(f),
                     qPrintable(f->metaObject()->className()));
            QCOMPARE(QGuiApplication::focusWindow(), window_->windowHandle());
        }

        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QWindow* w = view_->RenderWindow();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("requestActivate\\(\\) called for .*"));
        w->requestActivate(); // what a click on the native window asks for
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(100, 100));
        QMouseEvent drag(QEvent::MouseMove, QPointF(120, 100), w->mapToGlobal(QPointF(120, 100)),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(w, &drag);
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(120, 100));
        QWheelEvent wheel(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &wheel);
        QApplication::processEvents();
        QVERIFY(view_->Rig().Beta() != 0.0);
        QVERIFY(view_->Rig().Distance() < view_->Rig().FramedDistance());
        QVERIFY(box->hasFocus());
        QCOMPARE(QGuiApplication::focusWindow(), window_->windowHandle());
    }

    void redrawReturnsToTheFramedView() {
        LodoSession& s = window_->session();
        s.NozzleMenuClick();
        s.TubeMenuClick();
        const double framed = view_->Rig().Distance();
        view_->Viewport3D1MouseDown({10, 10});
        view_->Viewport3D1MouseMove({40, 30}, Qt::LeftButton);
        view_->Viewport3D1MouseWheel(120);
        QVERIFY(view_->Rig().Alpha() != 0.0 && view_->Rig().Beta() != 0.0);
        QVERIFY(view_->Rig().Distance() < framed);
        window_->action(QStringLiteral("MenuRedraw"))->trigger();
        QCOMPARE(view_->Rig().Alpha(), 0.0);
        QCOMPARE(view_->Rig().Beta(), 0.0);
        QCOMPARE(view_->Rig().Distance(), framed);
    }

    void exportsWriteTheReportAndTheDrawing() {
        LodoSession& s = window_->session();
        // Empty line: message 9, no file dialog.
        window_->action(QStringLiteral("ExportReportPdf"))->trigger();
        QCOMPARE(ui_.Messages.size(), std::size_t(1));
        QVERIFY(ui_.SaveRequests.empty());

        s.NozzleMenuClick();
        s.TubeMenuClick();
        ui_.ClearRecord();
        const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
        const QString png = dir_.filePath(QStringLiteral("drawing.png"));
        ui_.SaveFiles.push_back(std::filesystem::path(pdf.toStdString()));
        ui_.SaveFiles.push_back(std::filesystem::path(png.toStdString()));
        window_->action(QStringLiteral("ExportReportPdf"))->trigger();
        window_->action(QStringLiteral("ExportDrawingPng"))->trigger();
        QVERIFY(ui_.Errors.empty());
        QVERIFY(QFileInfo(pdf).size() > 0);
        // The engineering report, with the window's line name.
        if (const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
            !tool.isEmpty()) {
            QProcess p;
            p.start(tool, {pdf, QStringLiteral("-")});
            QVERIFY(p.waitForFinished(30000));
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY(text.contains(QStringLiteral("Sample Line Engineering Report")));
            QVERIFY(text.contains(QStringLiteral("Sample line: Sample Line 1")));
        }
        QCOMPARE(QString::fromStdString(ui_.SaveRequests.at(0).InitialName),
                 QStringLiteral("Sample Line 1.pdf"));
        const QImage image(png);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(),
                 view_->RenderWindow()->size() * view_->RenderWindow()->devicePixelRatio());
    }

private:
    QTemporaryDir dir_;
    ScriptedUi ui_;
    std::unique_ptr<MainWindow> window_;
    LineView* view_ = nullptr;
};

QTEST_MAIN(MainWindowDrawingTest)
#include "MainWindowDrawingTest.moc"
