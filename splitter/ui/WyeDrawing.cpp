#include "splitter/ui/WyeDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A tube from `from` along `direction` (degrees, y down) of the given length and
// width, as a closed outline.
QPainterPath tube(QPointF from, double direction, double length, double width) {
    QPainterPath p;
    p.addRect(QRectF(0.0, -width / 2.0, length, width));
    QTransform t;
    t.translate(from.x(), from.y());
    t.rotate(direction);
    return t.map(p);
}

void arrow(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const double head = 7.0;
    QPolygonF tip;
    tip << to << to - u * head * 1.6 + n * head * 0.6 << to - u * head * 1.6 - n * head * 0.6;
    painter.drawPolygon(tip);
}

// A dimension line with end ticks and its label at the middle, offset along n.
void dimension(QPainter& painter, QPointF a, QPointF b, const QString& label, QPointF labelOffset) {
    painter.drawLine(a, b);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    if (len > 0) {
        const QPointF n = QPointF(-d.y(), d.x()) / len * 5.0;
        painter.drawLine(a - n, a + n);
        painter.drawLine(b - n, b + n);
    }
    const QPointF mid = (a + b) / 2.0 + labelOffset;
    painter.drawText(QRectF(mid.x() - 20, mid.y() - 10, 40, 20), Qt::AlignCenter, label);
}

} // namespace

WyeDrawing::WyeDrawing(QWidget* parent) : QWidget(parent) {
    setMinimumSize(380, 330);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void WyeDrawing::setAngle(double degrees) {
    angle_ = degrees;
    update();
}

void WyeDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const double w = width();
    const double h = height() - 80.0; // room for the table below
    const double half = std::clamp(angle_, 0.0, 180.0) / 2.0;
    const double rad = half * std::numbers::pi / 180.0;

    // Proportions: the branches are 0.7 of the inlet's width; the lengths follow
    // 10.5 : 13 but shortened to fit.
    const double di = std::clamp(h / 9.0, 18.0, 34.0);
    const double dO = 0.7 * di;
    const double li = w * 0.36;
    const double lo = li * 13.0 / 10.5 * 0.8;
    const QPointF start(24.0, h / 2.0 + 10.0);
    const QPointF joint = start + QPointF(li, 0.0);

    QPainterPath body = tube(start, 0.0, li + di * 0.1, di);
    body = body.united(tube(joint, -half, lo, dO));
    body = body.united(tube(joint, half, lo, dO));
    painter.setPen(QPen(QColor(40, 40, 40), 1.6));
    painter.setBrush(QColor(215, 225, 235));
    painter.drawPath(body.simplified());

    // Flow arrows along the tube axes.
    painter.setPen(QPen(QColor(0, 0, 139), 1.6));
    painter.setBrush(QColor(0, 0, 139));
    arrow(painter, start + QPointF(li * 0.15, 0), start + QPointF(li * 0.75, 0));
    for (const double s : {-1.0, 1.0}) {
        const QPointF u(std::cos(rad), s * std::sin(rad));
        arrow(painter, joint + u * (lo * 0.3), joint + u * (lo * 0.85));
    }

    // Dimensions and names.
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::NoBrush);
    QFont f = painter.font();
    f.setItalic(true);
    painter.setFont(f);
    dimension(painter, start + QPointF(-12, -di / 2), start + QPointF(-12, di / 2),
              QStringLiteral("Di"), QPointF(-2, -di / 2 - 14));
    dimension(painter, start + QPointF(0, di / 2 + 14), joint + QPointF(0, di / 2 + 14),
              QStringLiteral("Li"), QPointF(0, 12));
    const QPointF upper(std::cos(rad), -std::sin(rad));
    const QPointF normal(std::sin(rad), std::cos(rad)); // below the upper branch
    const QPointF endUpper = joint + upper * lo;
    dimension(painter, endUpper + normal * (dO / 2) + upper * 10.0,
              endUpper - normal * (dO / 2) + upper * 10.0, QStringLiteral("Do"), upper * 16.0);
    const QPointF off = -normal * (dO / 2 + 12);
    dimension(painter, joint + off, endUpper + off, QStringLiteral("Lo"), -normal * 12.0);

    // The angle between the branches.
    const double r = lo * 0.55;
    painter.setPen(QPen(QColor(160, 0, 0), 1.2));
    painter.drawArc(QRectF(joint.x() - r, joint.y() - r, 2 * r, 2 * r),
                    static_cast<int>(-half * 16), static_cast<int>(2 * half * 16));
    painter.drawText(QRectF(joint.x() + r + 4, joint.y() - 10, 30, 20),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("\u03B8"));

    // Table of the relative dimensions.
    painter.setPen(Qt::black);
    f.setItalic(false);
    painter.setFont(f);
    const QStringList rows{QStringLiteral("Do = 0.7 Di"), QStringLiteral("Li = 10.5 Di"),
                           QStringLiteral("Lo = 13 Di"), QStringLiteral("\u03B8 = 30 to 90\u00B0")};
    const double rowH = 17.0;
    const QRectF table(w / 2.0 - 90.0, height() - 4 * rowH - 8.0, 180.0, 4 * rowH);
    painter.drawRect(table);
    for (int i = 0; i < rows.size(); ++i) {
        const QRectF cell(table.left(), table.top() + i * rowH, table.width(), rowH);
        if (i > 0)
            painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawText(cell, Qt::AlignCenter, rows[i]);
    }
}
