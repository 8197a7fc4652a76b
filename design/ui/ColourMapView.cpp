#include "design/ui/ColourMapView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

using DesignMap::GridPoint;

// A perceptually even scale from dark blue to yellow (the viridis stops), for values
// that only grow or fall.
constexpr QRgb Sequential[] = {0xFF440154, 0xFF482878, 0xFF3E4A89, 0xFF31688E, 0xFF26828E,
                               0xFF1F9E89, 0xFF35B779, 0xFF6DCD59, 0xFFFDE725};
// Red through near-white to green around 0, for a margin.
constexpr QRgb Diverging[] = {0xFFB2182B, 0xFFD6604D, 0xFFF4A582, 0xFFF7F7F7,
                              0xFFA6D96A, 0xFF66BD63, 0xFF1A9850};
constexpr QRgb NoValue = 0xFFB0B0B0;

QColor Interpolate(const QRgb* stops, int count, double t) {
    t = std::clamp(t, 0.0, 1.0) * (count - 1);
    const int k = std::min(static_cast<int>(t), count - 2);
    const double f = t - k;
    const QColor a = QColor::fromRgb(stops[k]), b = QColor::fromRgb(stops[k + 1]);
    return QColor::fromRgbF(float(a.redF() + f * (b.redF() - a.redF())),
                            float(a.greenF() + f * (b.greenF() - a.greenF())),
                            float(a.blueF() + f * (b.blueF() - a.blueF())));
}

// Tick values of an axis between lo and hi: 1-2-5 steps, per decade on a log axis.
std::vector<double> Ticks(double lo, double hi, bool log) {
    if (lo > hi)
        std::swap(lo, hi);
    std::vector<double> ticks;
    if (log && lo > 0) {
        const int d0 = static_cast<int>(std::floor(std::log10(lo)));
        const int d1 = static_cast<int>(std::ceil(std::log10(hi)));
        const std::vector<double> mantissas =
            d1 - d0 <= 1 ? std::vector<double>{1, 2, 3, 5, 7}
                         : (d1 - d0 <= 3 ? std::vector<double>{1, 2, 5} : std::vector<double>{1});
        for (int d = d0; d <= d1; ++d)
            for (double m : mantissas) {
                const double v = m * std::pow(10.0, d);
                if (v >= lo * (1 - 1e-9) && v <= hi * (1 + 1e-9))
                    ticks.push_back(v);
            }
        if (ticks.size() >= 2)
            return ticks;
        ticks.clear();
    }
    const double span = hi - lo;
    if (!(span > 0))
        return {lo};
    const double raw = span / 5;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    double step = mag;
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * mag >= raw) {
            step = m * mag;
            break;
        }
    for (double v = std::ceil(lo / step - 1e-9) * step; v <= hi + step * 1e-9; v += step)
        ticks.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    return ticks;
}

QString TickText(double v) {
    return QString::number(v, 'g', 4);
}

constexpr double LeftMargin = 78, RightMargin = 120, TopMargin = 12, BottomMargin = 100;

// The widest-margin mark: a gold star.
void DrawStar(QPainter& p, const QPointF& c, double outer) {
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 ? outer * 0.4 : outer;
        const double a = -M_PI / 2 + k * M_PI / 5;
        star << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 215, 0));
    p.drawPolygon(star);
}

} // namespace

ColourMapView::ColourMapView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(420, 320);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourMapView::setPicture(ColourMapPicture picture) {
    picture_ = std::move(picture);
    rebuildImage();
    update();
}

QColor ColourMapView::colourOf(double v) const {
    if (std::isnan(v))
        return QColor::fromRgb(NoValue);
    const ColourMapPicture& p = picture_;
    if (p.Diverging) {
        // 0 stays at the middle of the scale, whatever the ends.
        const double t = v < 0 ? (p.Lo < 0 ? 0.5 - 0.5 * v / p.Lo : 0.5)
                               : (p.Hi > 0 ? 0.5 + 0.5 * v / p.Hi : 0.5);
        return Interpolate(Diverging, int(std::size(Diverging)), t);
    }
    const double t = p.Hi > p.Lo ? (v - p.Lo) / (p.Hi - p.Lo) : 0.5;
    return Interpolate(Sequential, int(std::size(Sequential)), t);
}

void ColourMapView::rebuildImage() {
    const int nx = picture_.X.Points, ny = picture_.Y.Points;
    if (nx < 1 || ny < 1 || picture_.Values.size() != std::size_t(nx) * ny) {
        image_ = QImage();
        return;
    }
    image_ = QImage(nx, ny, QImage::Format_RGB32);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            image_.setPixel(i, ny - 1 - j,
                            colourOf(picture_.Values[std::size_t(j) * nx + i]).rgb());
}

QRectF ColourMapView::plotArea(const QSize& size) const {
    return QRectF(LeftMargin, TopMargin, std::max(10.0, size.width() - LeftMargin - RightMargin),
                  std::max(10.0, size.height() - TopMargin - BottomMargin));
}

QPointF ColourMapView::toPixel(const GridPoint& g, const QRectF& plot) const {
    const double cw = plot.width() / std::max(1, picture_.X.Points);
    const double ch = plot.height() / std::max(1, picture_.Y.Points);
    return {plot.left() + (g.I + 0.5) * cw, plot.bottom() - (g.J + 0.5) * ch};
}

std::optional<GridPoint> ColourMapView::toGrid(const QPointF& pixel, const QRectF& plot) const {
    if (image_.isNull() || !plot.contains(pixel))
        return std::nullopt;
    const double cw = plot.width() / picture_.X.Points;
    const double ch = plot.height() / picture_.Y.Points;
    const double i = std::clamp((pixel.x() - plot.left()) / cw - 0.5, 0.0, picture_.X.Points - 1.0);
    const double j =
        std::clamp((plot.bottom() - pixel.y()) / ch - 0.5, 0.0, picture_.Y.Points - 1.0);
    return GridPoint{i, j};
}

void ColourMapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint(p, rect());
}

void ColourMapView::paint(QPainter& p, const QRect& target) const {
    p.save();
    p.translate(target.topLeft());
    p.fillRect(QRect(QPoint(0, 0), target.size()), palette().window());
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = plotArea(target.size());

    if (image_.isNull()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(plot);
        p.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, picture_.Note);
        p.restore();
        return;
    }

    p.drawImage(plot, image_);

    const double cw = plot.width() / picture_.X.Points;
    const double ch = plot.height() / picture_.Y.Points;
    if (!picture_.Band.empty()) {
        const QBrush hatch(QColor(0, 0, 0, 110), Qt::BDiagPattern);
        p.setPen(Qt::NoPen);
        for (int j = 0; j < picture_.Y.Points; ++j)
            for (int i = 0; i < picture_.X.Points; ++i)
                if (picture_.Band[std::size_t(j) * picture_.X.Points + i])
                    p.fillRect(QRectF(plot.left() + i * cw, plot.bottom() - (j + 1) * ch, cw, ch),
                               hatch);
    }

    p.save();
    p.setClipRect(plot);
    p.setBrush(Qt::NoBrush);
    for (const auto& c : picture_.Contours) {
        p.setPen(c.Pen);
        for (const DesignMap::ContourLine& line : c.Lines) {
            QPolygonF poly;
            for (const GridPoint& g : line)
                poly << toPixel(g, plot);
            p.drawPolyline(poly);
        }
    }
    p.restore();

    if (picture_.Current) {
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::white);
        p.drawEllipse(toPixel(*picture_.Current, plot), 6, 6);
    }
    if (picture_.Best)
        DrawStar(p, toPixel(*picture_.Best, plot), 10);

    p.setBrush(Qt::NoBrush);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(plot);
    paintAxes(p, plot);
    paintColourBar(p, QRectF(plot.right() + 18, plot.top(), 16, plot.height()));
    paintLegend(p, QRectF(8, plot.bottom() + 52, target.width() - 16, BottomMargin - 54));
    p.restore();
}

void ColourMapView::paintAxes(QPainter& p, const QRectF& plot) const {
    const QFontMetricsF fm(p.font());
    const auto& X = picture_.X;
    const auto& Y = picture_.Y;
    for (double v : Ticks(X.Min, X.Max, X.Log)) {
        const double x = toPixel({DesignMap::AxisIndexOf(X, v), 0}, plot).x();
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 5));
        const QString t = TickText(v);
        p.drawText(QPointF(x - fm.horizontalAdvance(t) / 2, plot.bottom() + 7 + fm.ascent()), t);
    }
    for (double v : Ticks(Y.Min, Y.Max, Y.Log)) {
        const double y = toPixel({0, DesignMap::AxisIndexOf(Y, v)}, plot).y();
        p.drawLine(QPointF(plot.left() - 5, y), QPointF(plot.left(), y));
        const QString t = TickText(v);
        p.drawText(QPointF(plot.left() - 8 - fm.horizontalAdvance(t), y + fm.ascent() / 2 - 1), t);
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 8 + fm.height(), plot.width(), fm.height() + 4),
               Qt::AlignHCenter, picture_.XTitle);
    p.save();
    p.translate(14, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, -fm.height() / 2 - 2, plot.height(), fm.height() + 4),
               Qt::AlignCenter, picture_.YTitle);
    p.restore();
}

void ColourMapView::paintColourBar(QPainter& p, const QRectF& bar) const {
    const int steps = 64;
    for (int k = 0; k < steps; ++k) {
        const double v = picture_.Lo + (picture_.Hi - picture_.Lo) * (k + 0.5) / steps;
        const double y0 = bar.bottom() - bar.height() * (k + 1) / steps;
        p.fillRect(QRectF(bar.left(), y0, bar.width(), bar.height() / steps + 0.5), colourOf(v));
    }
    p.drawRect(bar);
    const QFontMetricsF fm(p.font());
    if (picture_.Hi > picture_.Lo)
        for (double v : Ticks(picture_.Lo, picture_.Hi, false)) {
            const double y =
                bar.bottom() - bar.height() * (v - picture_.Lo) / (picture_.Hi - picture_.Lo);
            p.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
            const QString t =
                picture_.Percent ? TickText(100 * v) + QStringLiteral(" %") : TickText(v);
            p.drawText(QPointF(bar.right() + 6, y + fm.ascent() / 2 - 1), t);
        }
    p.save();
    p.translate(bar.right() + 66, bar.center().y());
    p.rotate(90);
    p.drawText(QRectF(-bar.height() / 2, -fm.height() / 2 - 2, bar.height(), fm.height() + 4),
               Qt::AlignCenter, picture_.ValueTitle);
    p.restore();
}

void ColourMapView::paintLegend(QPainter& p, const QRectF& area) const {
    const QFontMetricsF fm(p.font());
    double x = area.left();
    double y = area.top() + fm.ascent();
    const auto advance = [&](double width) {
        if (x + width > area.right() && x > area.left()) {
            x = area.left();
            y += fm.height() + 6;
        }
    };
    const QPen text(palette().color(QPalette::WindowText));
    for (const auto& c : picture_.Contours) {
        const double w = 34 + fm.horizontalAdvance(c.Label) + 18;
        advance(w);
        // On a mid grey, as the lines stand on the map's colours.
        p.fillRect(QRectF(x - 2, y - fm.ascent() - 1, 32, fm.ascent() + 3), QColor(120, 120, 120));
        p.setPen(c.Pen);
        p.drawLine(QPointF(x, y - fm.ascent() / 3), QPointF(x + 28, y - fm.ascent() / 3));
        p.setPen(text);
        p.drawText(QPointF(x + 34, y), c.Label);
        x += w;
    }
    if (!picture_.BandLabel.isEmpty()) {
        const double w = 34 + fm.horizontalAdvance(picture_.BandLabel) + 18;
        advance(w);
        const QRectF box(x, y - fm.ascent(), 28, fm.ascent());
        p.fillRect(box, QColor(235, 235, 235));
        p.fillRect(box, QBrush(QColor(0, 0, 0, 110), Qt::BDiagPattern));
        p.setPen(text);
        p.drawText(QPointF(x + 34, y), picture_.BandLabel);
        x += w;
    }
    const QString current = QStringLiteral("current design");
    double w = 34 + fm.horizontalAdvance(current) + 18;
    advance(w);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(x + 14, y - fm.ascent() / 3), 5, 5);
    p.setPen(text);
    p.drawText(QPointF(x + 34, y), current);
    x += w;
    const QString best = QStringLiteral("widest margin");
    w = 34 + fm.horizontalAdvance(best) + 18;
    advance(w);
    DrawStar(p, QPointF(x + 14, y - fm.ascent() / 3), 7);
    p.setPen(text);
    p.drawText(QPointF(x + 34, y), best);
    p.setBrush(Qt::NoBrush);
}

void ColourMapView::mouseMoveEvent(QMouseEvent* event) {
    emit hovered(toGrid(event->position(), plotArea(size())));
}

void ColourMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto g = toGrid(event->position(), plotArea(size())))
        emit clicked(*g);
}

void ColourMapView::leaveEvent(QEvent*) {
    emit hovered(std::nullopt);
}
