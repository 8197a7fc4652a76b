#pragma once

#include "drawing/geometry/ViewRig.h"
#include "model/TLodoComp.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <map>
#include <utility>

namespace Qt3DCore {
class QEntity;
}
namespace Qt3DRender {
class QCamera;
class QGeometryRenderer;
class QDirectionalLight;
class QMaterial;
class QRenderCapture;
} // namespace Qt3DRender
namespace Qt3DExtras {
class Qt3DWindow;
}
namespace Drawing {
struct Primitive;
enum class Material;
} // namespace Drawing

// The 3-D view of the sample line (Viewport3D1): the static scene with the camera
// rig and the axis marker, and the model container (Dummy1) that DrawSampleLine
// fills. Orbit with the left mouse button, zoom with the wheel.
class LineView : public QWidget {
    Q_OBJECT

public:
    explicit LineView(QWidget* parent = nullptr);
    ~LineView() override;

    // Rebuilds the model from the line and shows the container again.
    void DrawSampleLine(const LodoList& line);
    // New Sample Line: the model disappears until the next rebuild.
    void HideModel();
    bool ModelVisible() const;
    int ShapeCount() const;

    // "Redraw": back to the start orbit; zoom and model stay.
    void MenuRedrawClick();

    const Drawing::ViewRig& Rig() const { return rig_; }
    Qt3DRender::QCamera* Camera() const;
    // The window the scene is rendered in; mouse events arrive there.
    QWindow* RenderWindow() const;

    // The view as it is on screen. Waits for the next rendered frame; a null image
    // when none arrives within the timeout (a hidden view renders nothing).
    QImage Capture(int timeoutMs = 5000);

    // The mouse handlers; also reached through the render window's events.
    void Viewport3D1MouseDown(QPointF pos);
    void Viewport3D1MouseMove(QPointF pos, Qt::MouseButtons buttons);
    void Viewport3D1MouseWheel(int delta);

signals:
    // The camera moved (orbit, zoom or Redraw).
    void CameraChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildStaticScene();
    void AddAxisMarker();
    void AddShape(const Drawing::Primitive& shape, Qt3DCore::QEntity* parent);
    Qt3DRender::QMaterial* MaterialFor(Drawing::Material material, double opacity);
    Qt3DRender::QGeometryRenderer* CylinderMesh(float radius, int rings);
    Qt3DRender::QGeometryRenderer* ConeMesh(float baseRadius, float length, int rings);
    Qt3DRender::QGeometryRenderer* TextMesh(const QString& text);
    void UpdateCamera();
    QImage CaptureFrame(int timeoutMs);

    Qt3DExtras::Qt3DWindow* window_ = nullptr;
    Qt3DCore::QEntity* root_ = nullptr;
    Qt3DCore::QEntity* dummy1_ = nullptr;
    Qt3DRender::QDirectionalLight* light_ = nullptr;
    Qt3DRender::QRenderCapture* capture_ = nullptr;
    std::map<std::pair<int, int>, Qt3DRender::QMaterial*> materials_;
    std::map<QString, Qt3DRender::QGeometryRenderer*> meshes_;
    Drawing::ViewRig rig_;
};
