#include "design/ui/DesignMapWindow.h"

#include "design/map/Contours.h"
#include "design/map/MapCsv.h"
#include "design/ui/ColourMapView.h"
#include "gui/QtText.h"
#include "persistence/FileIo.h"
#include "session/LodoSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>
#include <fmt/format.h>

using namespace DesignMap;

namespace {

constexpr int DefaultPoints = 60;

// Four significant digits: what a click sets on the line, and what the question shows.
double Rounded(double v) {
    if (!(v != 0) || !std::isfinite(v))
        return v;
    const double scale = std::pow(10.0, 3 - std::floor(std::log10(std::fabs(v))));
    return std::round(v * scale) / scale;
}

// A default range around the line's own value: a third to three times it, on a log
// axis; a fixed one where the line has no value.
Axis AroundCurrent(Variable v, const std::optional<double>& current) {
    switch (v) {
    case Variable::StackVelocity:
        return {v, 2.0, 30.0, DefaultPoints, false};
    case Variable::Temperature:
        return {v, 0.0, 100.0, DefaultPoints, false};
    case Variable::Flow:
    case Variable::Diameter:
        break;
    }
    const double c = current && *current > 0 ? *current : (v == Variable::Flow ? 30.0 : 10.0);
    return {v, Rounded(c / 3), Rounded(c * 3), DefaultPoints, true};
}

QPen ContourPen(Qt::PenStyle style, const QColor& colour = Qt::white, double width = 2.2) {
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

DesignMapWindow::DesignMapWindow(LodoSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("DesignMapWindow"));
    setWindowTitle(QStringLiteral("Design Map"));
    setModal(false);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Colour:")));
    quantityBox_ = new QComboBox;
    quantityBox_->setObjectName(QStringLiteral("MapQuantity"));
    for (DesignMap::Quantity q : Quantities)
        quantityBox_->addItem(qs(QuantityTitle(q)), int(q));
    top->addWidget(quantityBox_);
    top->addStretch();
    layout->addLayout(top);
    xControls_ = makeAxisControls(QStringLiteral("x"));
    yControls_ = makeAxisControls(QStringLiteral("y"));
    for (auto* c : {&xControls_, &yControls_}) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(c == &xControls_ ? QStringLiteral("Across (x):")
                                                   : QStringLiteral("Up (y):")));
        row->addWidget(c->Quantity);
        row->addWidget(new QLabel(QStringLiteral("from")));
        row->addWidget(c->Min);
        row->addWidget(new QLabel(QStringLiteral("to")));
        row->addWidget(c->Max);
        row->addWidget(new QLabel(QStringLiteral("points")));
        row->addWidget(c->Points);
        row->addWidget(c->Log);
        row->addStretch();
        layout->addLayout(row);
    }

    view_ = new ColourMapView;
    layout->addWidget(view_, 1);
    readout_ = new QLabel;
    readout_->setObjectName(QStringLiteral("MapReadout"));
    readout_->setWordWrap(true);
    readout_->setTextFormat(Qt::PlainText); // component names are the user's text
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("MapSummary"));
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    layout->addWidget(readout_);

    auto* buttons = new QHBoxLayout;
    applyBest_ = new QPushButton(QStringLiteral("Apply Widest Margin..."));
    saveImage_ = new QPushButton(QStringLiteral("Save Image..."));
    exportCsv_ = new QPushButton(QStringLiteral("Export CSV..."));
    copyData_ = new QPushButton(QStringLiteral("Copy Data"));
    auto* close = new QPushButton(QStringLiteral("Close"));
    for (QPushButton* b : {applyBest_, saveImage_, exportCsv_, copyData_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(quantityBox_, &QComboBox::currentIndexChanged, this, [this] {
        quantity_ = DesignMap::Quantity(quantityBox_->currentData().toInt());
        updatePicture();
    });
    connect(view_, &ColourMapView::hovered, this, &DesignMapWindow::hovered);
    connect(view_, &ColourMapView::clicked, this, &DesignMapWindow::clicked);
    connect(applyBest_, &QPushButton::clicked, this, &DesignMapWindow::applyBest);
    connect(saveImage_, &QPushButton::clicked, this, &DesignMapWindow::askSaveImage);
    connect(exportCsv_, &QPushButton::clicked, this, &DesignMapWindow::askExportCsv);
    connect(copyData_, &QPushButton::clicked, this, &DesignMapWindow::copyData);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    questions = DialogQuestions(this);
    confirmApply = [this](const QString& text) {
        return QMessageBox::question(this, windowTitle(), text) == QMessageBox::Yes;
    };
    resize(980, 860);
    sessionChanged();
}

DesignMapWindow::~DesignMapWindow() {
    if (job_)
        job_->Cancel = true;
    worker_ = {}; // joins: the worker only touches this window through queued calls
}

DesignMapWindow::AxisControls DesignMapWindow::makeAxisControls(const QString& name) {
    AxisControls c;
    c.Quantity = new QComboBox;
    c.Quantity->setObjectName(QStringLiteral("MapQuantity_") + name);
    for (Variable v : Variables)
        c.Quantity->addItem(
            QStringLiteral("%1 (%2)").arg(qs(VariableTitle(v)), qs(VariableUnit(v))), int(v));
    c.Min = new QDoubleSpinBox;
    c.Max = new QDoubleSpinBox;
    for (QDoubleSpinBox* b : {c.Min, c.Max}) {
        b->setDecimals(3);
        b->setRange(-273.15, 100000);
        b->setKeyboardTracking(false);
        b->setMinimumWidth(90);
    }
    c.Min->setObjectName(QStringLiteral("MapMin_") + name);
    c.Max->setObjectName(QStringLiteral("MapMax_") + name);
    c.Points = new QSpinBox;
    c.Points->setObjectName(QStringLiteral("MapPoints_") + name);
    c.Points->setRange(MinAxisPoints, 200);
    c.Points->setKeyboardTracking(false);
    c.Log = new QCheckBox(QStringLiteral("logarithmic"));
    c.Log->setObjectName(QStringLiteral("MapLog_") + name);
    connect(c.Quantity, &QComboBox::activated, this, [this, which = c.Quantity] {
        // A new quantity starts from its default range around the line's value.
        AxisControls& ctl = which == xControls_.Quantity ? xControls_ : yControls_;
        const Variable v = Variable(ctl.Quantity->currentData().toInt());
        Axis a = AroundCurrent(v, CurrentValue(session_.List(), v));
        a.Points = ctl.Points->value();
        showAxis(ctl, a);
        controlsEdited();
    });
    for (QDoubleSpinBox* b : {c.Min, c.Max})
        connect(b, &QDoubleSpinBox::valueChanged, this, &DesignMapWindow::controlsEdited);
    connect(c.Points, &QSpinBox::valueChanged, this, &DesignMapWindow::controlsEdited);
    connect(c.Log, &QCheckBox::toggled, this, &DesignMapWindow::controlsEdited);
    return c;
}

Axis DesignMapWindow::axisOf(const AxisControls& c) const {
    return {Variable(c.Quantity->currentData().toInt()), c.Min->value(), c.Max->value(),
            c.Points->value(), c.Log->isChecked()};
}

void DesignMapWindow::showAxis(const AxisControls& c, const Axis& a) {
    const QSignalBlocker b0(c.Quantity), b1(c.Min), b2(c.Max), b3(c.Points), b4(c.Log);
    c.Quantity->setCurrentIndex(c.Quantity->findData(int(a.Quantity)));
    c.Min->setValue(a.Min);
    c.Max->setValue(a.Max);
    c.Points->setValue(a.Points);
    c.Log->setChecked(a.Log);
}

void DesignMapWindow::chooseDefaultAxes() {
    const LodoList& line = session_.List();
    const Variable x = Variable::Flow;
    const Variable y = CurrentValue(line, Variable::Diameter)        ? Variable::Diameter
                       : CurrentValue(line, Variable::StackVelocity) ? Variable::StackVelocity
                                                                     : Variable::Temperature;
    x_ = AroundCurrent(x, CurrentValue(line, x));
    y_ = AroundCurrent(y, CurrentValue(line, y));
    showAxis(xControls_, x_);
    showAxis(yControls_, y_);
    axesChosen_ = true;
}

bool DesignMapWindow::setAxes(const Axis& x, const Axis& y) {
    showAxis(xControls_, x);
    showAxis(yControls_, y);
    x_ = x;
    y_ = y;
    axesChosen_ = true;
    recompute();
    return !MapRefusal(session_.List(), x, y);
}

void DesignMapWindow::setQuantity(DesignMap::Quantity q) {
    quantityBox_->setCurrentIndex(quantityBox_->findData(int(q)));
}

void DesignMapWindow::controlsEdited() {
    const Axis x = axisOf(xControls_), y = axisOf(yControls_);
    if (x == x_ && y == y_)
        return;
    x_ = x;
    y_ = y;
    recompute();
}

void DesignMapWindow::bringToFront() {
    sessionChanged();
    show();
    raise();
    activateWindow();
}

void DesignMapWindow::sessionChanged(unsigned) {
    if (map_ && session_.Revision() == revision_ && !computing_)
        return;
    if (session_.Revision() == revision_ && computing_)
        return;
    revision_ = session_.Revision();
    if (!axesChosen_ && !session_.List().empty())
        chooseDefaultAxes();
    recompute();
}

// The line's own criteria when its design case sets them, ANSI N13.1's otherwise.
Design::Criteria DesignMapWindow::criteria() const {
    return session_.DesignCase().Limits;
}

void DesignMapWindow::recompute() {
    sinceChange_.start();
    if (job_)
        job_->Cancel = true;
    worker_ = {}; // joins: at most the points already started finish
    const std::uint64_t generation = ++generation_;
    if (session_.List().empty()) {
        computing_ = false;
        deliver(generation, nullptr);
        return;
    }
    if (const auto refusal = MapRefusal(session_.List(), x_, y_)) {
        computing_ = false;
        map_.reset();
        ColourMapPicture p;
        p.Note = QStringLiteral("No map: %1.").arg(qs(*refusal));
        summary_->setText(p.Note);
        view_->setPicture(std::move(p));
        readout_->clear();
        updateSummary();
        return;
    }
    computing_ = true;
    auto job = std::make_shared<Job>();
    job_ = job;
    LineMapRequest request;
    request.X = x_;
    request.Y = y_;
    request.Limits = criteria();
    request.Particles = session_.Distribution();
    worker_ = std::jthread([this, job, generation, request, line = session_.List()] {
        auto map = std::make_shared<const LineMap>(ComputeLineMap(
            line, request, [job](std::size_t, std::size_t) { return !job->Cancel.load(); }));
        if (job->Cancel)
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, map] { deliver(generation, map); }, Qt::QueuedConnection);
    });
}

void DesignMapWindow::deliver(std::uint64_t generation, std::shared_ptr<const LineMap> map) {
    if (generation != generation_)
        return; // a newer map is on its way
    computing_ = false;
    map_ = std::move(map);
    updatePicture();
    updateSummary();
    view_->repaint();
    lastUpdateMs_ = sinceChange_.nsecsElapsed() / 1e6;
    emit mapShown();
}

void DesignMapWindow::waitForMap() {
    QElapsedTimer t;
    t.start();
    while (computing_ && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void DesignMapWindow::updatePicture() {
    ColourMapPicture p;
    if (!map_) {
        p.Note = session_.List().empty() ? QStringLiteral("The line has no components.")
                                         : QStringLiteral("Computing the map…");
        view_->setPicture(std::move(p));
        return;
    }
    const LineMap& m = *map_;
    const MapGrid& g = m.Grid;
    p.X = g.X;
    p.Y = g.Y;
    p.XTitle = QStringLiteral("%1 (%2)").arg(qs(VariableTitle(g.X.Quantity)),
                                             qs(VariableUnit(g.X.Quantity)));
    p.YTitle = QStringLiteral("%1 (%2)").arg(qs(VariableTitle(g.Y.Quantity)),
                                             qs(VariableUnit(g.Y.Quantity)));
    p.ValueTitle =
        qs(QuantityTitle(quantity_)) + (IsPercent(quantity_) ? QStringLiteral(" (%)") : QString());
    p.Percent = IsPercent(quantity_);
    p.Diverging = quantity_ == DesignMap::Quantity::Margin;
    if (!g.Complete) {
        p.Note = QStringLiteral("Computing the map…");
        view_->setPicture(std::move(p));
        return;
    }
    p.Values.reserve(g.Points.size());
    for (const MapPoint& pt : g.Points)
        p.Values.push_back(ValueOf(pt, quantity_));
    const ScaleRange s = ScaleOf(g, quantity_, m.Request.Limits);
    p.Lo = s.Lo;
    p.Hi = s.Hi;

    const Design::Criteria& c = m.Request.Limits;
    const auto field = [&](DesignMap::Quantity q) {
        std::vector<double> v;
        v.reserve(g.Points.size());
        for (const MapPoint& pt : g.Points)
            v.push_back(ValueOf(pt, q));
        return v;
    };
    const auto system = field(DesignMap::Quantity::SystemPenetration);
    const auto transport = field(DesignMap::Quantity::TransportPenetration);
    const auto aspiration = field(DesignMap::Quantity::AspirationRatio);
    const auto pct = [](double f) {
        return QString::number(100 * f, 'g', 4) + QStringLiteral(" %");
    };
    p.Contours.push_back({Contours(system, g.X.Points, g.Y.Points, c.MinSystemPenetration),
                          ContourPen(Qt::SolidLine),
                          QStringLiteral("system %1").arg(pct(c.MinSystemPenetration))});
    p.Contours.push_back({Contours(transport, g.X.Points, g.Y.Points, c.MinTransportPenetration),
                          ContourPen(Qt::DashLine),
                          QStringLiteral("transport %1").arg(pct(c.MinTransportPenetration))});
    p.Contours.push_back(
        {Contours(aspiration, g.X.Points, g.Y.Points, c.MinAspirationRatio),
         ContourPen(Qt::DotLine, QColor(20, 20, 20)),
         QStringLiteral("aspiration ratio %1").arg(QString::number(c.MinAspirationRatio, 'g', 4))});
    p.Contours.push_back(
        {Contours(aspiration, g.X.Points, g.Y.Points, c.MaxAspirationRatio),
         ContourPen(Qt::DashDotLine, QColor(20, 20, 20)),
         QStringLiteral("aspiration ratio %1").arg(QString::number(c.MaxAspirationRatio, 'g', 4))});

    p.Band.reserve(g.Points.size());
    bool anyBand = false;
    for (const MapPoint& pt : g.Points) {
        p.Band.push_back(pt.WorstRegime == FlowRegime::Transition);
        anyBand = anyBand || p.Band.back();
    }
    p.BandLabel = QStringLiteral("transition flow in the component that loses most");
    if (!anyBand)
        p.Band.clear();

    if (m.CurrentX && m.CurrentY)
        p.Current = GridPoint{AxisIndexOf(g.X, *m.CurrentX), AxisIndexOf(g.Y, *m.CurrentY)};
    if (p.Current && (p.Current->I < -0.5 || p.Current->I > g.X.Points - 0.5 ||
                      p.Current->J < -0.5 || p.Current->J > g.Y.Points - 0.5))
        p.Current.reset(); // off the map
    if (m.Best)
        p.Best = GridPoint{AxisIndexOf(g.X, m.Best->Point.X), AxisIndexOf(g.Y, m.Best->Point.Y)};
    view_->setPicture(std::move(p));
}

void DesignMapWindow::updateSummary() {
    const bool ready = map_ && map_->Grid.Complete;
    for (QPushButton* b : {saveImage_, exportCsv_, copyData_})
        b->setEnabled(ready);
    applyBest_->setEnabled(ready && map_->Best.has_value());
    if (!ready) {
        if (!map_ && !computing_ && session_.List().empty())
            summary_->setText(QStringLiteral("The line has no components."));
        return;
    }
    const LineMap& m = *map_;
    std::size_t passing = 0;
    for (const MapPoint& p : m.Grid.Points)
        passing += p.Verdict == PointVerdict::Pass;
    QString text;
    if (!m.Withheld.empty())
        text += QStringLiteral("No verdict: %1. ").arg(qs(m.Withheld));
    text += QStringLiteral("%1 of %2 points pass.").arg(passing).arg(m.Grid.Points.size());
    if (m.Best)
        text += QStringLiteral(" Widest margin: %1.").arg(qs(PointText(m, m.Best->Point)));
    else
        text += QStringLiteral(" No point has a margin (the aspiration criterion needs an inlet).");
    summary_->setText(text);
}

void DesignMapWindow::hovered(std::optional<GridPoint> at) {
    if (!at || !map_ || !map_->Grid.Complete) {
        readout_->clear();
        return;
    }
    const int i = int(std::lround(at->I)), j = int(std::lround(at->J));
    readout_->setText(qs(PointText(*map_, map_->Grid.At(i, j))));
}

void DesignMapWindow::clicked(GridPoint at) {
    if (!map_ || !map_->Grid.Complete)
        return;
    const MapPoint& p = map_->Grid.At(int(std::lround(at.I)), int(std::lround(at.J)));
    applyPoint(p.X, p.Y);
}

void DesignMapWindow::applyBest() {
    if (map_ && map_->Best)
        applyPoint(map_->Best->Point.X, map_->Best->Point.Y);
}

bool DesignMapWindow::applyPoint(double x, double y) {
    if (!map_)
        return false;
    const double vx = Rounded(x), vy = Rounded(y);
    const QString question =
        QStringLiteral("Set the line to %1?\n\nThis is one edit: Undo takes it back.")
            .arg(qs(PointValuesText(*map_, vx, vy)));
    if (!confirmApply(question))
        return false;
    return session_.ApplyOperatingPoint(
        PointAt(map_->Grid.X.Quantity, vx, map_->Grid.Y.Quantity, vy));
}

bool DesignMapWindow::saveImage(const QString& path) const {
    const QSize size = view_->size().isEmpty() ? view_->sizeHint() : view_->size();
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(QStringLiteral("Design Map"));
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        view_->paint(painter, QRect(QPoint(0, 0), size));
        return painter.end();
    }
    QImage image(size * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    QPainter painter(&image);
    view_->paint(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return image.save(path, "PNG");
}

QString DesignMapWindow::csvText() const {
    if (!map_ || !map_->Grid.Complete)
        return {};
    return qs(MapCsv(map_->Grid, map_->Best, map_->Names));
}

QString DesignMapWindow::dataText() const {
    QString csv = csvText();
    // The same table with tabs, as spreadsheets take it from the clipboard.
    QString out;
    bool quoted = false;
    for (const QChar ch : csv) {
        if (ch == QLatin1Char('"'))
            quoted = !quoted;
        out += ch == QLatin1Char(',') && !quoted ? QLatin1Char('\t') : ch;
    }
    return out;
}

namespace {
QString ProposedName(const std::string& dFileName, const QString& suffix) {
    const QString word = QStringLiteral("Map");
    if (dFileName.empty())
        return word + suffix;
    const QFileInfo file(qs(dFileName));
    return file.dir().filePath(file.completeBaseName() + word + suffix);
}
} // namespace

void DesignMapWindow::askSaveImage() {
    const QString path =
        AskSavePath(questions, QStringLiteral("Save Image"),
                    ProposedName(session_.DFileName(), QStringLiteral(".png")),
                    {{QStringLiteral("PNG image (*.png)"), QStringLiteral(".png")},
                     {QStringLiteral("SVG drawing (*.svg)"), QStringLiteral(".svg")}});
    if (path.isEmpty())
        return;
    if (!saveImage(path))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The map could not be saved as %1.").arg(path));
}

void DesignMapWindow::askExportCsv() {
    const QString path =
        AskSavePath(questions, QStringLiteral("Export CSV"),
                    ProposedName(session_.DFileName(), QStringLiteral(".csv")),
                    {{QStringLiteral("CSV file (*.csv)"), QStringLiteral(".csv")}});
    if (path.isEmpty())
        return;
    if (const auto error = FileIo::WriteFileAtomically(std::filesystem::path(path.toStdString()),
                                                       csvText().toStdString()))
        QMessageBox::warning(this, windowTitle(), qs(error->Message));
}

void DesignMapWindow::copyData() {
    QApplication::clipboard()->setText(dataText());
}
