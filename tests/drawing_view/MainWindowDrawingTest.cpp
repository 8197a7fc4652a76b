// The drawing and printing commands inside the main window: the view follows every
// change of the line, New Sample Line hides the model, Redraw resets the orbit and
// the exports write their files.

#include "drawing/view/LineView.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

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

    void redrawResetsTheOrbitOnly() {
        view_->Viewport3D1MouseDown({10, 10});
        view_->Viewport3D1MouseMove({40, 30}, Qt::LeftButton);
        view_->Viewport3D1MouseWheel(120);
        const double zoom = view_->Rig().CameraInRig().Z;
        QVERIFY(view_->Rig().Alpha() != 0.0 && view_->Rig().Beta() != 0.0);
        window_->action(QStringLiteral("MenuRedraw"))->trigger();
        QCOMPARE(view_->Rig().Alpha(), 0.0);
        QCOMPARE(view_->Rig().Beta(), 0.0);
        QCOMPARE(view_->Rig().CameraInRig().Z, zoom);
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
