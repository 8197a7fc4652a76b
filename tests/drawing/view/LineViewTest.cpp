#include "drawing/view/LineView.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <Qt3DCore/QEntity>
#include <Qt3DRender/QCamera>
#include <algorithm>
#include <cmath>

namespace {

TLodoComp Comp(int type, double ang1 = 0, double len = 0, double ang2 = 0, double ang3 = 0) {
    TLodoComp c;
    c.NTypeInt = type;
    c.Ang1 = ang1;
    c.Len = len;
    c.Ang2 = ang2;
    c.Ang3 = ang3;
    c.LenUnit = "Metric";
    return c;
}

const LodoList SmallLine = {Comp(NodeNozzle), Comp(NodeTube, 0, 3.0), Comp(NodeBend, 0, 0, 90, 0),
                            Comp(NodeTube, 90, 1.0), Comp(NodeContraction, 90)};

// Pixels that are clearly not the whitesmoke background.
int InkedPixels(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (std::abs(qRed(row[x]) - 245) + std::abs(qGreen(row[x]) - 245) +
                    std::abs(qBlue(row[x]) - 245) >
                60)
                ++n;
    }
    return n;
}

// Mean row of the inked pixels, to tell where on screen the drawing lies.
double InkedMeanY(const QImage& image, int x0, int x1) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = x0; x < x1; ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - 245) + std::abs(qGreen(p) - 245) + std::abs(qBlue(p) - 245) >
                60) {
                sum += y;
                ++n;
            }
        }
    return n ? sum / n : -1;
}

// The smallest rectangle holding every inked pixel.
QRect InkedBox(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - 245) + std::abs(qGreen(p) - 245) + std::abs(qBlue(p) - 245) > 60)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

int DifferentPixels(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) >
                30)
                ++n;
        }
    return n;
}

QVector3D Expected(double alphaDeg, double betaDeg, double z) {
    // Camera at R_Y(beta)·R_X(alpha)·(0, 0, z).
    const double a = qDegreesToRadians(alphaDeg), b = qDegreesToRadians(betaDeg);
    const double y1 = -std::sin(a) * z, z1 = std::cos(a) * z;
    return QVector3D(float(std::sin(b) * z1), float(y1), float(std::cos(b) * z1));
}

bool Near(QVector3D a, QVector3D b) {
    return (a - b).length() < 1e-4f;
}

} // namespace

class LineViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        view_ = new LineView;
        view_->resize(400, 400);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_));
    }
    void cleanup() { delete view_; }

    void rendersTheLineOverTheBackground() {
        const QImage empty = view_->Capture();
        QVERIFY(!empty.isNull());
        QCOMPARE(empty.size(),
                 view_->RenderWindow()->size() * view_->RenderWindow()->devicePixelRatio());
        const int axisOnly = InkedPixels(empty);
        QVERIFY2(axisOnly > 50, "the axis marker is drawn");
        // Y points down the screen: the marker (y = -1.5 .. -1.8) lies above the middle.
        const int w = empty.width(), h = empty.height();
        const double axisY = InkedMeanY(empty, w / 2 - 5, w / 2 + 5);
        QVERIFY2(axisY > 0 && axisY < h / 2.0, qPrintable(QString::number(axisY)));

        view_->DrawSampleLine(SmallLine);
        QCOMPARE(view_->ShapeCount(), 2 + 1 + 16 + 1 + 1);
        const QImage drawn = view_->Capture();
        QVERIFY(!drawn.isNull());
        QVERIFY2(InkedPixels(drawn) > axisOnly + 500, "the line adds visible shapes");
    }

    // Short or long, the line fills the view about its middle: the box of its
    // pixels spans most of the narrower side and is centred.
    void everyRebuildFramesTheWholeLine() {
        TLodoComp feet = Comp(NodeTube, 0, 120.0);
        feet.LenUnit = "English";
        const struct {
            const char* what;
            LodoList line;
        } cases[] = {
            {"fittings only", {Comp(NodeNozzle), Comp(NodeContraction), Comp(NodeExpansion)}},
            {"small line", SmallLine},
            {"long line in feet",
             {Comp(NodeNozzle), feet, Comp(NodeBend, 0, 0, 90, 0), Comp(NodeTube, 90, 30.0),
              Comp(NodeTube, 0, 20.0)}},
        };
        for (const auto& c : cases) {
            view_->DrawSampleLine(c.line);
            const QRect box = InkedBox(view_->Capture());
            const QSize size =
                view_->RenderWindow()->size() * view_->RenderWindow()->devicePixelRatio();
            const double span =
                std::max(double(box.width()) / size.width(), double(box.height()) / size.height());
            QVERIFY2(span > 0.6, qPrintable(QStringLiteral("%1: %2").arg(c.what).arg(span)));
            QVERIFY2(box.left() >= 0 && box.right() < size.width() && box.top() >= 0 &&
                         box.bottom() < size.height(),
                     c.what);
            const QPointF middle = QRectF(box).center();
            QVERIFY2(std::abs(middle.x() - size.width() / 2.0) < size.width() * 0.2 &&
                         std::abs(middle.y() - size.height() / 2.0) < size.height() * 0.2,
                     c.what);
        }
    }

    void newLineHidesTheModelUntilTheNextRebuild() {
        view_->DrawSampleLine(SmallLine);
        const int withModel = InkedPixels(view_->Capture());
        view_->HideModel();
        QVERIFY(!view_->ModelVisible());
        const int hidden = InkedPixels(view_->Capture());
        QVERIFY(hidden < withModel);
        view_->DrawSampleLine({});
        QVERIFY(view_->ModelVisible());
        QCOMPARE(view_->ShapeCount(), 0);
        view_->DrawSampleLine(SmallLine);
        const int again = InkedPixels(view_->Capture());
        QVERIFY2(qAbs(again - withModel) <= withModel / 100,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(withModel).arg(hidden).arg(again)));
    }

    // Rebuilding keeps the shapes already in the scene and changes them in place;
    // the picture must be the one a fresh view draws, whatever kinds, meshes and
    // materials the reused shapes had before.
    void reusedShapesDrawWhatAFreshViewDraws() {
        const LodoList other = {Comp(NodeShroud, 10), Comp(NodeExpansion, 0),
                                Comp(NodeBend, 0, 0, 45, 90), Comp(NodeTube, -30, 2.0)};
        view_->DrawSampleLine(SmallLine);
        const auto shapes = [this] {
            return view_->ModelContainer()->findChildren<Qt3DCore::QEntity*>(
                QString(), Qt::FindDirectChildrenOnly);
        };
        const auto before = shapes();
        view_->DrawSampleLine(other);
        QCOMPARE(view_->ShapeCount(), 2 + 1 + 16 + 1);
        const auto after = shapes();
        int kept = 0;
        for (Qt3DCore::QEntity* e : after)
            kept += before.contains(e) ? 1 : 0;
        QVERIFY2(kept >= after.size() - 1, "the shapes are reused, not rebuilt");
        const QImage reused = view_->Capture();

        LineView fresh;
        fresh.resize(view_->size());
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        fresh.DrawSampleLine(other);
        const QImage expected = fresh.Capture();
        QVERIFY(!reused.isNull() && !expected.isNull());
        QCOMPARE(reused.size(), expected.size());
        const int differing = DifferentPixels(reused, expected);
        QVERIFY2(differing < 20, qPrintable(QString::number(differing)));

        // Growing again after shrinking gives the first drawing back.
        view_->DrawSampleLine(SmallLine);
        QCOMPARE(view_->ShapeCount(), 2 + 1 + 16 + 1 + 1);
    }

    void leftDragOrbitsAndRedrawResets() {
        QWindow* w = view_->RenderWindow();
        QSignalSpy moved(view_, &LineView::CameraChanged);
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(100, 100));
        QMouseEvent drag(QEvent::MouseMove, QPointF(110, 90), w->mapToGlobal(QPointF(110, 90)),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(w, &drag);
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(110, 90));
        QCOMPARE(moved.count(), 1);
        QVERIFY(qAbs(view_->Rig().Alpha() - 3.0) < 1e-4); // 0 - 0.3 * (90 - 100)
        QVERIFY(qAbs(view_->Rig().Beta() - 3.0) < 1e-4);  // 0 + 0.3 * (110 - 100)
        QVERIFY(Near(view_->Camera()->position(), Expected(3.0, 3.0, -5.0)));

        // A move without the left button leaves the camera alone.
        QMouseEvent hover(QEvent::MouseMove, QPointF(300, 300), w->mapToGlobal(QPointF(300, 300)),
                          Qt::NoButton, Qt::NoButton, {});
        QCoreApplication::sendEvent(w, &hover);
        QVERIFY(Near(view_->Camera()->position(), Expected(3.0, 3.0, -5.0)));

        view_->MenuRedrawClick();
        QCOMPARE(view_->Rig().Alpha(), 0.0);
        QCOMPARE(view_->Rig().Beta(), 0.0);
        QVERIFY(Near(view_->Camera()->position(), QVector3D(0, 0, -5)));
    }

    // What is printed and exported is the framed view at the orbit on screen.
    void capturedDrawingIsFramedWhateverTheZoom() {
        view_->DrawSampleLine(SmallLine);
        const QImage framed = view_->Capture();
        for (int i = 0; i < 8; ++i)
            view_->Viewport3D1MouseWheel(-120);
        const double zoomed = view_->Rig().Distance();
        QVERIFY(DifferentPixels(view_->Capture(), framed) > 100);
        QVERIFY(DifferentPixels(view_->CaptureFramed(), framed) < 20);
        QCOMPARE(view_->Rig().Distance(), zoomed);
    }

    // The wheel moves towards the line's centre and stops before the line could
    // be lost; Redraw brings back the framed view.
    void wheelZoomsTowardsTheLineAndRedrawFrames() {
        QWindow* w = view_->RenderWindow();
        auto wheel = [w](int delta) {
            QWheelEvent e(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w, &e);
        };
        wheel(120); // away from the user: closer
        QVERIFY(Near(view_->Camera()->position(), QVector3D(0, 0, float(-5.0 / 1.15))));
        wheel(-120);
        QVERIFY(Near(view_->Camera()->position(), QVector3D(0, 0, -5)));
        QVERIFY(Near(view_->Camera()->viewVector().normalized(), QVector3D(0, 0, 1)));
        QVERIFY(Near(view_->Camera()->upVector(), QVector3D(0, -1, 0)));

        view_->DrawSampleLine(SmallLine);
        const int framed = InkedPixels(view_->Capture());
        for (int i = 0; i < 60; ++i)
            wheel(120);
        const Drawing::ViewRig& rig = view_->Rig();
        QVERIFY(view_->Camera()->nearPlane() < rig.Distance() - rig.Target().Radius);
        QVERIFY2(InkedPixels(view_->Capture()) > framed, "closest: the line still shows, larger");
        for (int i = 0; i < 120; ++i)
            wheel(-120);
        const int far = InkedPixels(view_->Capture());
        QVERIFY2(far > 100 && far < framed, qPrintable(QString::number(far)));

        view_->Viewport3D1MouseDown({0, 0});
        view_->Viewport3D1MouseMove({100, 0}, Qt::LeftButton); // beta = 30
        view_->MenuRedrawClick();
        QCOMPARE(rig.Beta(), 0.0);
        QCOMPARE(rig.Distance(), rig.FramedDistance());
        QVERIFY(qAbs(InkedPixels(view_->Capture()) - framed) <= framed / 100);
    }

private:
    LineView* view_ = nullptr;
};

QTEST_MAIN(LineViewTest)
#include "LineViewTest.moc"
