#pragma once

#include "report/core/EngineeringReport.h"

#include <QPointF>
#include <QRectF>

class QPainter;

// The figures of the engineering report, painted as vector graphics into a box.
namespace ReportCharts {

// System penetration [%] over a logarithmic size axis, the 50 % line and d50.
void PaintCurve(QPainter& p, const QRectF& box, const EngReport::CurveChart& chart, int dpi);

// One horizontal bar per share, with its percentage.
void PaintShares(QPainter& p, const QRectF& box, const EngReport::ShareChart& chart, int dpi);

// The line's shapes in a fixed oblique parallel view, fitted into the framed box.
void PaintLine(QPainter& p, const QRectF& box, const Drawing::LineDrawing& line, int dpi);

// The view of the line drawing: a model point to the picture plane (x right, y down)
// before fitting, and its depth (larger is farther from the viewer).
QPointF ViewPoint(const Drawing::Vec3& v);
double ViewDepth(const Drawing::Vec3& v);

} // namespace ReportCharts
