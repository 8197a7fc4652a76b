#include "report/pdf/ReportCharts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <map>

namespace ReportCharts {
namespace {

using Drawing::Vec3;

const QColor GridColour(0xD8, 0xD8, 0xD8);
const QColor MinorColour(0xEE, 0xEE, 0xEE);
const QColor CurveColour(0x00, 0x00, 0x8B); // the program's dark blue
const QColor LimitColour(0xFF, 0x00, 0x00);
const QColor BarColour(0x46, 0x82, 0xB4);

// The report's oblique view: turned 35 degrees about the vertical and looking 25
// degrees down, so bends turned out of the drawing plane still show.
constexpr double ViewAlpha = -25.0, ViewBeta = 35.0;

QFont ChartFont(double pt, bool bold = false) {
    QFont f;
    for (const char* family : {"Liberation Sans", "Arimo", "DejaVu Sans"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            f.setFamily(QString::fromLatin1(family));
            break;
        }
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

double Pts(double pt, int dpi) {
    return pt * dpi / 72.0;
}

QString SizeLabel(double um) {
    return QString::fromStdString(fmt::format("{:g}", um));
}

const Drawing::Mat3& View() {
    static const Drawing::Mat3 r = Drawing::RotY(ViewBeta) * Drawing::RotX(ViewAlpha);
    return r;
}

// Camera coordinates: the rows of the view's transpose.
Vec3 ToView(const Vec3& v) {
    const Drawing::Mat3& r = View();
    return {r(0, 0) * v.X + r(1, 0) * v.Y + r(2, 0) * v.Z,
            r(0, 1) * v.X + r(1, 1) * v.Y + r(2, 1) * v.Z,
            r(0, 2) * v.X + r(1, 2) * v.Y + r(2, 2) * v.Z};
}

QColor Colour(Drawing::Material m) {
    switch (m) {
    case Drawing::Material::LightMaterialSource1:
        return QColor(0x90, 0x90, 0x90);
    case Drawing::Material::LightMaterialSource4:
        return QColor(0x2F, 0x4F, 0x4F);
    case Drawing::Material::ColorMaterialSource1:
        return Qt::black;
    }
    return Qt::gray;
}

bool Finite(const Vec3& v) {
    return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

} // namespace

QPointF ViewPoint(const Vec3& v) {
    const Vec3 c = ToView(v);
    return {c.X, c.Y};
}

double ViewDepth(const Vec3& v) {
    return ToView(v).Z;
}

void PaintCurve(QPainter& p, const QRectF& box, const EngReport::CurveChart& chart, int dpi) {
    const QFont font = ChartFont(7.5);
    const QFontMetricsF fm(font, p.device());
    const QRectF plot = box.adjusted(Pts(40, dpi), Pts(8, dpi), -Pts(10, dpi), -Pts(28, dpi));
    p.setFont(font);

    double lo = INFINITY, hi = -INFINITY, top = 0;
    for (std::size_t k = 0; k < chart.Dp.size(); ++k) {
        if (!(chart.Dp[k] > 0) || !std::isfinite(chart.Dp[k]))
            continue;
        lo = std::min(lo, chart.Dp[k]);
        hi = std::max(hi, chart.Dp[k]);
        if (k < chart.System.size() && std::isfinite(chart.System[k]))
            top = std::max(top, chart.System[k]);
    }
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        p.drawText(box, Qt::AlignCenter, QStringLiteral("No curve"));
        return;
    }
    // Sizes are single precision: 0.01 is held a little below it.
    const double d0 = std::floor(std::log10(lo) + 1e-5);
    const double d1 = std::max(std::ceil(std::log10(hi) - 1e-5), d0 + 1);
    // An inlet that over-samples lifts the curve above 100 %.
    const double yMax = top <= 100.0 ? 100.0 : std::min(20.0 * std::ceil(top / 20.0), 1000.0);
    const auto X = [&](double d) {
        return plot.left() + plot.width() * (std::log10(d) - d0) / (d1 - d0);
    };
    // Headroom above the top grid line: a curve at 100 % is not hidden under the frame.
    const auto Y = [&](double pct) { return plot.bottom() - plot.height() * pct / (1.04 * yMax); };

    // Grid: decades and their steps, and every fifth of the percent axis.
    for (double dec = d0; dec < d1; ++dec)
        for (int m = 2; m <= 9; ++m) {
            p.setPen(QPen(MinorColour, Pts(0.4, dpi)));
            const double x = X(m * std::pow(10.0, dec));
            p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    for (double dec = d0; dec <= d1; ++dec) {
        const double x = X(std::pow(10.0, dec));
        p.setPen(QPen(GridColour, Pts(0.5, dpi)));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        const QString label = SizeLabel(std::pow(10.0, dec));
        p.drawText(
            QPointF(x - fm.horizontalAdvance(label) / 2, plot.bottom() + fm.ascent() + Pts(2, dpi)),
            label);
    }
    for (int i = 0; i <= 5; ++i) {
        const double pct = yMax * i / 5.0;
        const double y = Y(pct);
        p.setPen(QPen(GridColour, Pts(0.5, dpi)));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        const QString label = SizeLabel(pct);
        p.drawText(QPointF(plot.left() - fm.horizontalAdvance(label) - Pts(3, dpi),
                           y + fm.ascent() / 2 - Pts(1, dpi)),
                   label);
    }
    p.setPen(QPen(Qt::black, Pts(0.6, dpi)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);

    const QString xTitle = QString::fromUtf8("Aerodynamic diameter (\u00B5m)");
    p.drawText(QPointF(plot.center().x() - fm.horizontalAdvance(xTitle) / 2,
                       plot.bottom() + 2 * fm.lineSpacing() + Pts(3, dpi)),
               xTitle);
    const QString yTitle = QStringLiteral("System penetration (%)");
    p.save();
    p.translate(box.left() + fm.ascent(), plot.center().y() + fm.horizontalAdvance(yTitle) / 2);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), yTitle);
    p.restore();

    p.save();
    p.setClipRect(plot);
    p.setPen(QPen(LimitColour, Pts(0.8, dpi), Qt::DashLine));
    p.drawLine(QPointF(plot.left(), Y(50)), QPointF(plot.right(), Y(50)));
    QPainterPath path;
    bool open = false;
    for (std::size_t k = 0; k < chart.Dp.size() && k < chart.System.size(); ++k) {
        const double d = chart.Dp[k], v = chart.System[k];
        if (!(d > 0) || !std::isfinite(d) || !std::isfinite(v)) {
            open = false;
            continue;
        }
        const QPointF pt(X(d), Y(std::min(v, yMax * 1.05)));
        if (open)
            path.lineTo(pt);
        else
            path.moveTo(pt);
        open = true;
    }
    p.setPen(QPen(CurveColour, Pts(1.6, dpi)));
    p.drawPath(path);
    if (chart.D50 && *chart.D50 > 0 && std::log10(*chart.D50) >= d0 &&
        std::log10(*chart.D50) <= d1) {
        const double x = X(*chart.D50);
        p.setPen(QPen(Qt::black, Pts(0.8, dpi), Qt::DotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(x, Y(50)), Pts(2, dpi), Pts(2, dpi));
        const QString label = QString::fromStdString(fmt::format("d50 = {:.3g} ", *chart.D50)) +
                              QString::fromUtf8("\u00B5m");
        const double w = fm.horizontalAdvance(label);
        const double lx =
            x + Pts(4, dpi) + w < plot.right() ? x + Pts(4, dpi) : x - Pts(4, dpi) - w;
        p.setPen(Qt::black);
        p.drawText(QPointF(lx, Y(50) - Pts(4, dpi)), label);
    }
    p.restore();
}

void PaintShares(QPainter& p, const QRectF& box, const EngReport::ShareChart& chart, int dpi) {
    const QFont font = ChartFont(7.5);
    const QFontMetricsF fm(font, p.device());
    p.setFont(font);
    double top = 0;
    for (const auto& bar : chart.Bars)
        if (std::isfinite(bar.Percent))
            top = std::max(top, bar.Percent);
    // A scale that ends on a round number at or above the largest share.
    double scale = 1;
    for (double s : {1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0, 100.0})
        if (s >= top) {
            scale = s;
            break;
        }
    if (top > 100)
        scale = std::ceil(top / 100.0) * 100.0;
    const double labelW = 0.32 * box.width(), valueW = Pts(44, dpi);
    const double left = box.left() + labelW, width = box.width() - labelW - valueW;
    const double row = Pts(14, dpi);
    double y = box.top() + Pts(4, dpi);
    for (const auto& bar : chart.Bars) {
        p.setPen(Qt::black);
        const QString label =
            fm.elidedText(QString::fromStdString(bar.Label), Qt::ElideRight, labelW - Pts(6, dpi));
        p.drawText(QPointF(box.left(), y + row / 2 + fm.ascent() / 2 - Pts(1, dpi)), label);
        const double v = std::isfinite(bar.Percent) ? std::clamp(bar.Percent, 0.0, scale) : 0.0;
        p.fillRect(QRectF(left, y + Pts(2, dpi), width * v / scale, row - Pts(4, dpi)), BarColour);
        const QString value = std::isfinite(bar.Percent)
                                  ? QString::fromStdString(fmt::format("{:.2f} %", bar.Percent))
                                  : QStringLiteral("invalid");
        p.drawText(QPointF(left + width * v / scale + Pts(3, dpi),
                           y + row / 2 + fm.ascent() / 2 - Pts(1, dpi)),
                   value);
        y += row;
    }
    p.setPen(QPen(Qt::black, Pts(0.5, dpi)));
    p.drawLine(QPointF(left, box.top()), QPointF(left, y + Pts(2, dpi)));
    const QString axis = QStringLiteral("0 to %1 % of the mass in the stack").arg(SizeLabel(scale));
    p.drawText(QPointF(left, y + Pts(2, dpi) + fm.ascent()), axis);
}

void PaintLine(QPainter& p, const QRectF& box, const Drawing::LineDrawing& line, int dpi) {
    p.setPen(QPen(Qt::black, Pts(0.8, dpi)));
    p.setBrush(QColor(0xF5, 0xF5, 0xF5)); // whitesmoke, as the view
    p.drawRect(box);
    p.setBrush(Qt::NoBrush);

    struct Piece {
        const Drawing::Primitive* Shape;
        QPointF A, B; // ends along the shape's axis, in the picture plane
        double Depth;
    };
    std::vector<Piece> pieces;
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    const auto grow = [&](QPointF q, double r) {
        x0 = std::min(x0, q.x() - r);
        y0 = std::min(y0, q.y() - r);
        x1 = std::max(x1, q.x() + r);
        y1 = std::max(y1, q.y() + r);
    };
    for (const Drawing::Primitive& s : line.Shapes) {
        const Vec3 axis = s.Axis();
        const double half =
            0.5 * s.Height * (s.Kind == Drawing::ShapeKind::Letter ? 1.0 : s.Scale.Y);
        const Vec3 a = s.Position - half * axis, b = s.Position + half * axis;
        if (!Finite(a) || !Finite(b))
            continue;
        pieces.push_back({&s, ViewPoint(a), ViewPoint(b), ViewDepth(s.Position)});
        grow(pieces.back().A, s.Width / 2);
        grow(pieces.back().B, s.Width / 2);
    }
    const QRectF inner = box.adjusted(Pts(14, dpi), Pts(14, dpi), -Pts(14, dpi), -Pts(14, dpi));
    if (pieces.empty()) {
        p.drawText(box, Qt::AlignCenter, QStringLiteral("Nothing to draw"));
        return;
    }
    // The whole line in the frame, the same scale both ways; a short line is not
    // blown up beyond a metre or so across the frame.
    const double w = std::max(x1 - x0, 0.3), h = std::max(y1 - y0, 0.3);
    const double s = std::min(inner.width() / w, inner.height() / h);
    const QPointF mid((x0 + x1) / 2, (y0 + y1) / 2);
    const auto map = [&](QPointF q) { return inner.center() + (q - mid) * s; };

    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.Depth > b.Depth; });
    p.save();
    p.setClipRect(box);
    for (const Piece& piece : pieces) {
        const Drawing::Primitive& shape = *piece.Shape;
        const QPointF a = map(piece.A), b = map(piece.B);
        QColor fill = Colour(shape.Mat);
        fill.setAlphaF(static_cast<float>(std::clamp(shape.Opacity, 0.0, 1.0)));
        const double width = std::max(shape.Width * s, Pts(0.8, dpi));
        switch (shape.Kind) {
        case Drawing::ShapeKind::Cylinder: {
            p.setPen(QPen(fill.darker(160), width + Pts(0.8, dpi), Qt::SolidLine, Qt::FlatCap));
            p.drawLine(a, b);
            p.setPen(QPen(fill, width, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(a, b);
            break;
        }
        case Drawing::ShapeKind::Cone: {
            // Apex at the local -Y end, base at +Y.
            const QPointF d = b - a;
            const double len = std::hypot(d.x(), d.y());
            const QPointF n = len > 0 ? QPointF(-d.y() / len, d.x() / len) : QPointF(0, 1);
            const QPolygonF cone({a, b + n * (width / 2), b - n * (width / 2)});
            p.setPen(QPen(fill.darker(160), Pts(0.6, dpi)));
            p.setBrush(fill);
            p.drawPolygon(cone);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case Drawing::ShapeKind::Letter: {
            // The "V" of a contraction or expansion: its point along the letter's +Y.
            const Drawing::Mat3 o = shape.Orientation();
            const Vec3 up = o * Vec3{0, 1, 0}, side = o * Vec3{1, 0, 0};
            // About the tube's width: a mark on the line, not a shape of its own.
            const double r = 0.6 * Drawing::TubeDt;
            const QPointF c = map(ViewPoint(shape.Position));
            const QPointF tip = map(ViewPoint(shape.Position + r * up)) - c;
            const QPointF arm = map(ViewPoint(shape.Position + r * side)) - c;
            p.setPen(QPen(Qt::black, Pts(1.2, dpi), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({c - tip + arm, c + tip, c - tip - arm}));
            break;
        }
        }
    }

    // Component numbers beside their shapes while they stay readable.
    std::map<int, std::pair<QPointF, int>> centres;
    for (const Piece& piece : pieces) {
        auto& [sum, n] = centres[piece.Shape->Component];
        sum += map((piece.A + piece.B) / 2);
        ++n;
    }
    if (centres.size() <= 40) {
        const QFont font = ChartFont(6.5);
        p.setFont(font);
        p.setPen(QColor(0x00, 0x00, 0x8B));
        const QFontMetricsF fm(font, p.device());
        // Each number at the first place around its shape that no number before it
        // took; one that finds none is left out rather than printed over another.
        std::vector<QRectF> taken;
        const double gap = Pts(3, dpi);
        for (const auto& [component, sn] : centres) {
            if (component < 0)
                continue;
            const QPointF at = sn.first / sn.second;
            const QString text = QString::number(component);
            const QSizeF size(fm.horizontalAdvance(text), fm.ascent());
            const QPointF offsets[] = {{gap, -gap - size.height()},
                                       {gap, gap},
                                       {-gap - size.width(), -gap - size.height()},
                                       {-gap - size.width(), gap},
                                       {-size.width() / 2, -2 * gap - size.height()},
                                       {-size.width() / 2, 2 * gap},
                                       {2 * gap, -size.height() / 2},
                                       {-2 * gap - size.width(), -size.height() / 2}};
            for (const QPointF& o : offsets) {
                const QRectF r(at + o, size);
                if (!box.contains(r) ||
                    std::any_of(taken.begin(), taken.end(),
                                [&](const QRectF& t) { return t.intersects(r); }))
                    continue;
                taken.push_back(r.adjusted(-gap / 3, -gap / 3, gap / 3, gap / 3));
                p.drawText(QPointF(r.left(), r.bottom()), text);
                break;
            }
        }
    }

    // Axis marker in the lower left corner.
    const QPointF origin(box.left() + Pts(22, dpi), box.bottom() - Pts(22, dpi));
    const QFont axisFont = ChartFont(6.5, true);
    p.setFont(axisFont);
    const struct {
        Vec3 Dir;
        const char* Name;
    } axes[] = {{{1, 0, 0}, "X"}, {{0, 1, 0}, "Y"}, {{0, 0, 1}, "Z"}};
    for (const auto& ax : axes) {
        const QPointF tip = origin + ViewPoint(ax.Dir) * Pts(14, dpi);
        p.setPen(QPen(Qt::black, Pts(0.6, dpi)));
        p.drawLine(origin, tip);
        p.drawText(tip + (tip - origin) * 0.25 + QPointF(-Pts(2, dpi), Pts(2, dpi)),
                   QString::fromLatin1(ax.Name));
    }
    p.restore();
}

} // namespace ReportCharts
