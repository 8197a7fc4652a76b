#pragma once

#include "drawing/geometry/ViewRig.h"
#include "model/TLodoComp.h"

#include <QImage>
#include <QMatrix4x4>
#include <QString>
#include <QWidget>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace Qt3DCore {
class QEntity;
class QTransform;
} // namespace Qt3DCore
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
enum class ShapeKind;
} // namespace Drawing

// The 3-D view of the sample line (Viewport3D1): the static scene with the camera
// rig and the axis marker, and the model container (Dummy1) that DrawSampleLine
// fills. Every rebuild that changes the drawing frames the whole line. Orbit about
// the line's centre with the left mouse button, zoom towards it with the wheel.
class LineView : public QWidget {
    Q_OBJECT

public:
    explicit LineView(QWidget* parent = nullptr);
    ~LineView() override;

    // Rebuilds the model from the line and shows the container again. The shapes
    // already in the scene are reused: only their placement, mesh or material
    // changes where it differs.
    void DrawSampleLine(const LodoList& line);
    // New Sample Line: the model disappears until the next rebuild.
    void HideModel();
    bool ModelVisible() const;
    int ShapeCount() const;
    // Dummy1: every shape of the model is a direct child.
    Qt3DCore::QEntity* ModelContainer() const { return dummy1_; }

    // "Redraw": back to the start orbit and the framed view of the line.
    void MenuRedrawClick();

    const Drawing::ViewRig& Rig() const { return rig_; }
    Qt3DRender::QCamera* Camera() const;
    // The window the scene is rendered in; mouse events arrive there.
    QWindow* RenderWindow() const;

    // The view as it is on screen. Waits for the next rendered frame; a null image
    // when none arrives within the timeout (a hidden view renders nothing).
    QImage Capture(int timeoutMs = 5000);
    // The view at the current orbit with the whole line framed, whatever the zoom
    // on screen: what the printed and exported drawing show.
    QImage CaptureFramed(int timeoutMs = 5000);

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
    // What a primitive looks like in the scene.
    struct ShapeLook {
        QMatrix4x4 Placement;
        Qt3DRender::QGeometryRenderer* Mesh = nullptr;
        Qt3DRender::QMaterial* Material = nullptr;
    };
    // One shape of the model: an entity under Dummy1 with its components.
    struct ShapeSlot {
        Qt3DCore::QEntity* Entity = nullptr;
        Qt3DCore::QTransform* Transform = nullptr;
        Qt3DRender::QGeometryRenderer* Mesh = nullptr;
        Qt3DRender::QMaterial* Material = nullptr;
        QMatrix4x4 Placement; // as last set, compared exactly
    };
    struct MeshKey {
        Drawing::ShapeKind Kind;
        float A;
        float B;
        int Rings;
        QString Text;
        bool operator<(const MeshKey& o) const {
            return std::tie(Kind, A, B, Rings, Text) < std::tie(o.Kind, o.A, o.B, o.Rings, o.Text);
        }
    };

    void BuildStaticScene();
    void AddAxisMarker();
    ShapeLook LookOf(const Drawing::Primitive& shape);
    ShapeSlot MakeShape(const ShapeLook& look);
    void UpdateShape(ShapeSlot& slot, const ShapeLook& look);
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
    std::map<MeshKey, Qt3DRender::QGeometryRenderer*> meshes_;
    std::vector<ShapeSlot> shapes_; // in the order of the primitives
    Drawing::ViewRig rig_;
};
