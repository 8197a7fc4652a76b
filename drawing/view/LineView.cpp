#include "drawing/view/LineView.h"

#include "drawing/geometry/DrawSampleLine.h"
#include "drawing/geometry/Framing.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <Qt3DCore/QEntity>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QConeMesh>
#include <Qt3DExtras/QCylinderMesh>
#include <Qt3DExtras/QExtrudedTextMesh>
#include <Qt3DExtras/QForwardRenderer>
#include <Qt3DExtras/QPhongAlphaMaterial>
#include <Qt3DExtras/QPhongMaterial>
#include <Qt3DExtras/Qt3DWindow>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QDirectionalLight>
#include <Qt3DRender/QRenderCapture>
#include <Qt3DRender/QRenderSettings>
#include <algorithm>

using Drawing::Material;
using Drawing::Primitive;
using Drawing::ShapeKind;
using Drawing::Vec3;

namespace {

QVector3D ToQt(Vec3 v) {
    return {static_cast<float>(v.X), static_cast<float>(v.Y), static_cast<float>(v.Z)};
}

QMatrix4x4 ToQt(const Drawing::Mat3& r) {
    QMatrix4x4 m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m(i, j) = static_cast<float>(r(i, j));
    return m;
}

// Position, then orientation, then scale: the toolkit-independent placement of a
// shape in its parent's frame.
QMatrix4x4 Placement(Vec3 position, const Drawing::Mat3& orientation, Vec3 scale) {
    QMatrix4x4 m;
    m.translate(ToQt(position));
    m *= ToQt(orientation);
    m.scale(ToQt(scale));
    return m;
}

Qt3DCore::QTransform* MakeTransform(const QMatrix4x4& m, Qt3DCore::QNode* parent) {
    auto* t = new Qt3DCore::QTransform(parent);
    t->setMatrix(m);
    return t;
}

// The sans face of the letters and axis labels.
QFont LetterFont() {
    static const QFont font = [] {
        QFont f(QFontDatabase::hasFamily(QStringLiteral("Arial"))
                    ? QStringLiteral("Arial")
                    : QStringLiteral("Liberation Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPointSize(24); // finer outline; the mesh is normalised by the point size
        return f;
    }();
    return font;
}

// Fits an extruded-text mesh into a box of width x height (local X and Y) and
// depth along Z, centred on the origin, tops of the letters towards -Y. The mesh is
// the glyph outline scaled by 1 / point size, with Y up and the extrusion from
// z = 0 to z = 1.
QMatrix4x4 TextFit(const QString& text, const QFont& font, float width, float height, float depth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF r = path.boundingRect();
    const float unit = 1.0f / static_cast<float>(font.pointSizeF());
    const float gw = static_cast<float>(r.width()) * unit;
    const float gh = static_cast<float>(r.height()) * unit;
    const float cx = static_cast<float>(r.center().x()) * unit;
    const float cy = -static_cast<float>(r.center().y()) * unit; // mesh Y is up
    QMatrix4x4 m;
    m.scale(width / std::max(gw, 1e-6f), -height / std::max(gh, 1e-6f), depth);
    m.translate(-cx, -cy, -0.5f);
    return m;
}

// Qt 3D's default renderer in this Qt version is the RHI one, which hands back
// captures of an OpenGL surface upside down; the classic OpenGL renderer does not.
bool CaptureIsUpsideDown() {
    return qEnvironmentVariable("QT3D_RENDERER", QStringLiteral("rhi")) != QLatin1String("opengl");
}

} // namespace

LineView::LineView(QWidget* parent) : QWidget(parent) {
    window_ = new Qt3DExtras::Qt3DWindow(nullptr, Qt3DRender::API::OpenGL);
    window_->defaultFrameGraph()->setClearColor(QColor("whitesmoke"));
    // Culling would test shapes recreated on shared meshes against stale bounds and
    // drop them after the camera moved; the scene is small enough to draw whole.
    window_->defaultFrameGraph()->setFrustumCullingEnabled(false);
    // Render only when something changed: the scene is static between edits.
    window_->renderSettings()->setRenderPolicy(Qt3DRender::QRenderSettings::OnDemand);

    // The capture node sits above the default frame graph so every frame can be read back.
    capture_ = new Qt3DRender::QRenderCapture;
    window_->activeFrameGraph()->setParent(capture_);
    window_->setActiveFrameGraph(capture_);

    // The keyboard belongs to the main window's boxes: neither Tab nor a click
    // (orbit, wheel) may move it into the view. The mouse still reaches the window.
    window_->setFlag(Qt::WindowDoesNotAcceptFocus);
    auto* container = QWidget::createWindowContainer(window_, this);
    container->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
    setMinimumSize(200, 200);

    BuildStaticScene();
    window_->installEventFilter(this);
}

LineView::~LineView() {
    window_->removeEventFilter(this);
}

void LineView::BuildStaticScene() {
    root_ = new Qt3DCore::QEntity;

    Qt3DRender::QCamera* cam = window_->camera();
    cam->lens()->setPerspectiveProjection(static_cast<float>(Drawing::ViewRig::FieldOfViewY), 1.0f,
                                          0.01f, 1000.0f);

    // White directional light shining along the camera's view, so the lighting
    // follows the orbit.
    auto* lightEntity = new Qt3DCore::QEntity(root_);
    light_ = new Qt3DRender::QDirectionalLight(lightEntity);
    light_->setColor(Qt::white);
    light_->setIntensity(1.0f);
    lightEntity->addComponent(light_);

    AddAxisMarker();

    dummy1_ = new Qt3DCore::QEntity(root_);
    window_->setRootEntity(root_);
    UpdateCamera();
}

void LineView::AddAxisMarker() {
    auto plain = [this](QColor c) {
        auto* m = new Qt3DExtras::QPhongMaterial(root_);
        m->setAmbient(c);
        m->setDiffuse(c);
        m->setSpecular(QColor(0x40, 0x40, 0x40));
        return m;
    };
    struct Axis {
        Vec3 position;
        Vec3 angles; // turns the cylinder's Y axis onto the world axis
        QColor colour;
    };
    const Axis axes[] = {
        {{0.1, -1.5, 0.0}, {0, 0, 90}, QColor(Qt::red)},
        {{0.0, -1.5, 0.1}, {90, 0, 0}, QColor(Qt::darkGreen)},
        {{0.0, -1.6, 0.0}, {0, 0, 0}, QColor(Qt::blue)},
    };
    for (const Axis& a : axes) {
        auto* e = new Qt3DCore::QEntity(root_);
        auto* mesh = new Qt3DExtras::QCylinderMesh(e);
        mesh->setRadius(0.005f);
        mesh->setLength(0.2f);
        mesh->setSlices(12);
        e->addComponent(mesh);
        e->addComponent(MakeTransform(
            Placement(a.position, Drawing::FromAngles(a.angles), {1.5, 1.5, 1.5}), e));
        e->addComponent(plain(a.colour));
    }
    // Labels in the sans face of the letters, sized to the marker.
    auto* black = plain(Qt::black);
    const std::pair<const char*, Vec3> labels[] = {
        {"X", {0.3, -1.5, 0.0}}, {"Y", {0.0, -1.8, 0.0}}, {"Z", {0.0, -1.5, 0.3}}};
    for (const auto& [text, pos] : labels) {
        const QString t = QString::fromLatin1(text);
        auto* e = new Qt3DCore::QEntity(root_);
        e->addComponent(TextMesh(t));
        e->addComponent(MakeTransform(Placement(pos, Drawing::Mat3{}, {1, 1, 1}) *
                                          TextFit(t, LetterFont(), 0.07f, 0.1f, 0.01f),
                                      e));
        e->addComponent(black);
    }
}

Qt3DRender::QMaterial* LineView::MaterialFor(Material material, double opacity) {
    const int alpha = static_cast<int>(std::clamp(opacity, 0.0, 1.0) * 255.0 + 0.5);
    const auto key = std::make_pair(static_cast<int>(material), alpha);
    if (auto it = materials_.find(key); it != materials_.end())
        return it->second;

    QColor diffuse, ambient, specular;
    float shininess = 0.0f;
    switch (material) {
    case Material::LightMaterialSource1:
        diffuse = QColor("gray");
        ambient = QColor(0x20, 0x20, 0x20);
        specular = QColor("gainsboro");
        shininess = 50.0f;
        break;
    case Material::LightMaterialSource4:
        diffuse = QColor("darkslategray");
        ambient = QColor(0x20, 0x20, 0x20);
        specular = QColor(0x60, 0x60, 0x60);
        shininess = 30.0f;
        break;
    case Material::ColorMaterialSource1:
        diffuse = ambient = specular = Qt::black;
        break;
    }
    Qt3DRender::QMaterial* result = nullptr;
    if (alpha < 255) {
        auto* m = new Qt3DExtras::QPhongAlphaMaterial(root_);
        m->setDiffuse(diffuse);
        m->setAmbient(ambient);
        m->setSpecular(specular);
        m->setShininess(shininess);
        m->setAlpha(static_cast<float>(alpha) / 255.0f);
        result = m;
    } else {
        auto* m = new Qt3DExtras::QPhongMaterial(root_);
        m->setDiffuse(diffuse);
        m->setAmbient(ambient);
        m->setSpecular(specular);
        m->setShininess(shininess);
        result = m;
    }
    materials_.emplace(key, result);
    return result;
}

Qt3DRender::QGeometryRenderer* LineView::CylinderMesh(float radius, int rings) {
    const MeshKey key{ShapeKind::Cylinder, radius, 1.0f, rings, {}};
    if (auto it = meshes_.find(key); it != meshes_.end())
        return it->second;
    auto* mesh = new Qt3DExtras::QCylinderMesh(root_);
    mesh->setRadius(radius);
    mesh->setLength(1.0f);
    mesh->setRings(rings);
    mesh->setSlices(24);
    meshes_.emplace(key, mesh);
    return mesh;
}

Qt3DRender::QGeometryRenderer* LineView::ConeMesh(float baseRadius, float length, int rings) {
    const MeshKey key{ShapeKind::Cone, baseRadius, length, rings, {}};
    if (auto it = meshes_.find(key); it != meshes_.end())
        return it->second;
    auto* mesh = new Qt3DExtras::QConeMesh(root_);
    // QConeMesh puts its top radius at +Y: that is the base here.
    mesh->setTopRadius(baseRadius);
    mesh->setBottomRadius(0.0f);
    mesh->setLength(length);
    mesh->setRings(rings);
    mesh->setSlices(24);
    mesh->setHasTopEndcap(true);
    meshes_.emplace(key, mesh);
    return mesh;
}

Qt3DRender::QGeometryRenderer* LineView::TextMesh(const QString& text) {
    const MeshKey key{ShapeKind::Letter, 0.0f, 0.0f, 0, text};
    if (auto it = meshes_.find(key); it != meshes_.end())
        return it->second;
    auto* mesh = new Qt3DExtras::QExtrudedTextMesh(root_);
    mesh->setFont(LetterFont());
    mesh->setText(text);
    mesh->setDepth(1.0f);
    meshes_.emplace(key, mesh);
    return mesh;
}

// Shapes of one kind and size share one mesh; a cylinder's mesh has unit length
// and its transform stretches it to the shape's height.
LineView::ShapeLook LineView::LookOf(const Primitive& s) {
    ShapeLook look;
    look.Placement = Placement(s.Position, s.Orientation(), s.Scale);
    switch (s.Kind) {
    case ShapeKind::Cylinder:
        look.Mesh = CylinderMesh(static_cast<float>(s.Width / 2.0), s.HeightSubdivisions + 1);
        // A zero-length tube stays a flat disc rather than a singular transform.
        look.Placement.scale(1.0f, std::max(static_cast<float>(s.Height), 1e-6f), 1.0f);
        break;
    case ShapeKind::Cone:
        look.Mesh = ConeMesh(static_cast<float>(s.Width / 2.0), static_cast<float>(s.Height),
                             s.HeightSubdivisions + 1);
        break;
    case ShapeKind::Letter: {
        // The letter fills its box across and along the line; the depth keeps the
        // box's own scale so the letter stays a thin plate.
        const QString text = QString::fromStdString(s.Text);
        look.Mesh = TextMesh(text);
        look.Placement =
            Placement(s.Position, s.Orientation(), {1, 1, 1}) *
            TextFit(text, LetterFont(), static_cast<float>(s.Width), static_cast<float>(s.Height),
                    static_cast<float>(s.Depth * s.Scale.Z));
        break;
    }
    }
    look.Material = MaterialFor(s.Mat, s.Opacity);
    return look;
}

LineView::ShapeSlot LineView::MakeShape(const ShapeLook& look) {
    ShapeSlot slot;
    slot.Entity = new Qt3DCore::QEntity(dummy1_);
    slot.Transform = MakeTransform(look.Placement, slot.Entity);
    slot.Mesh = look.Mesh;
    slot.Material = look.Material;
    slot.Placement = look.Placement;
    slot.Entity->addComponent(slot.Mesh);
    slot.Entity->addComponent(slot.Transform);
    slot.Entity->addComponent(slot.Material);
    return slot;
}

// Only what differs reaches the scene: an unchanged shape costs one comparison.
void LineView::UpdateShape(ShapeSlot& slot, const ShapeLook& look) {
    if (slot.Mesh != look.Mesh) {
        slot.Entity->removeComponent(slot.Mesh);
        slot.Mesh = look.Mesh;
        slot.Entity->addComponent(slot.Mesh);
    }
    if (slot.Material != look.Material) {
        slot.Entity->removeComponent(slot.Material);
        slot.Material = look.Material;
        slot.Entity->addComponent(slot.Material);
    }
    if (slot.Placement != look.Placement) {
        slot.Placement = look.Placement;
        slot.Transform->setMatrix(look.Placement);
    }
}

// Rebuilding every entity of a long line takes far longer than the evaluation
// that triggered it, so the shapes already in the scene are kept and changed in
// place; only the difference in number is created or deleted.
void LineView::DrawSampleLine(const LodoList& line) {
    dummy1_->setEnabled(true);
    std::vector<Primitive> shapes;
    if (!line.empty())
        shapes = Drawing::DrawSampleLine(line).Shapes;
    const std::size_t kept = std::min(shapes.size(), shapes_.size());
    for (std::size_t i = 0; i < kept; ++i)
        UpdateShape(shapes_[i], LookOf(shapes[i]));
    while (shapes_.size() > shapes.size()) {
        delete shapes_.back().Entity;
        shapes_.pop_back();
    }
    for (std::size_t i = kept; i < shapes.size(); ++i)
        shapes_.push_back(MakeShape(LookOf(shapes[i])));

    // A line whose shape changed is framed afresh; an edit that leaves the drawing
    // as it was (a temperature, a flow) keeps the user's zoom.
    const Drawing::Sphere sphere = Drawing::BoundingSphere(shapes);
    if (!(sphere == rig_.Target())) {
        rig_.Frame(sphere);
        UpdateCamera();
    }
}

void LineView::HideModel() {
    dummy1_->setEnabled(false);
}

bool LineView::ModelVisible() const {
    return dummy1_->isEnabled();
}

int LineView::ShapeCount() const {
    return static_cast<int>(
        dummy1_->findChildren<Qt3DCore::QEntity*>(QString(), Qt::FindDirectChildrenOnly).size());
}

void LineView::MenuRedrawClick() {
    rig_.ResetView();
    UpdateCamera();
}

Qt3DRender::QCamera* LineView::Camera() const {
    return window_->camera();
}

QWindow* LineView::RenderWindow() const {
    return window_;
}

void LineView::UpdateCamera() {
    Qt3DRender::QCamera* cam = window_->camera();
    cam->setAspectRatio(static_cast<float>(rig_.Aspect()));
    cam->setNearPlane(static_cast<float>(rig_.NearPlane()));
    cam->setFarPlane(static_cast<float>(rig_.FarPlane()));
    cam->setPosition(ToQt(rig_.CameraPosition()));
    cam->setUpVector(ToQt(rig_.UpVector()));
    cam->setViewCenter(ToQt(rig_.ViewCentre()));
    light_->setWorldDirection(ToQt(rig_.ViewDirection()));
    emit CameraChanged();
}

void LineView::Viewport3D1MouseDown(QPointF pos) {
    rig_.MouseDown(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

void LineView::Viewport3D1MouseMove(QPointF pos, Qt::MouseButtons buttons) {
    const double alpha = rig_.Alpha(), beta = rig_.Beta();
    rig_.MouseMove(static_cast<float>(pos.x()), static_cast<float>(pos.y()),
                   buttons.testFlag(Qt::LeftButton));
    if (rig_.Alpha() != alpha || rig_.Beta() != beta)
        UpdateCamera();
}

void LineView::Viewport3D1MouseWheel(int delta) {
    if (rig_.MouseWheel(delta))
        UpdateCamera();
}

bool LineView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Viewport3D1MouseDown(static_cast<QMouseEvent*>(event)->position());
            break;
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(event);
            Viewport3D1MouseMove(me->position(), me->buttons());
            break;
        }
        case QEvent::Wheel:
            Viewport3D1MouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
            break;
        case QEvent::Resize: {
            const QSize size = static_cast<QResizeEvent*>(event)->size();
            if (size.width() > 0 && size.height() > 0) {
                rig_.SetAspect(static_cast<double>(size.width()) / size.height());
                UpdateCamera();
            }
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QImage LineView::Capture(int timeoutMs) {
    // Meshes are built asynchronously, so the first frame after a change may still
    // miss some shapes: take frames until two in a row agree.
    QDeadlineTimer deadline(timeoutMs);
    QImage last = CaptureFrame(timeoutMs);
    for (int i = 0; i < 20 && !last.isNull() && !deadline.hasExpired(); ++i) {
        QImage next = CaptureFrame(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
        if (next.isNull() || next == last)
            break;
        last = std::move(next);
    }
    return last;
}

QImage LineView::CaptureFramed(int timeoutMs) {
    const Drawing::ViewRig shown = rig_;
    rig_.ResetZoom();
    UpdateCamera();
    QImage image = Capture(timeoutMs);
    rig_ = shown;
    UpdateCamera();
    return image;
}

QImage LineView::CaptureFrame(int timeoutMs) {
    QPointer<Qt3DRender::QRenderCaptureReply> reply = capture_->requestCapture();
    if (!reply)
        return {};
    if (!reply->isComplete()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(reply.data(), &Qt3DRender::QRenderCaptureReply::completed, &loop,
                &QEventLoop::quit);
        timer.start(timeoutMs);
        loop.exec();
    }
    QImage image;
    if (reply && reply->isComplete())
        image = reply->image();
    delete reply.data();
    // The RHI renderer reads OpenGL frames back bottom row first.
    if (!image.isNull() && CaptureIsUpsideDown())
        image = image.mirrored(false, true);
    return image;
}
