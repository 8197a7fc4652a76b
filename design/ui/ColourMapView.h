#pragma once

#include "design/map/Contours.h"
#include "design/map/MapAxis.h"

#include <QColor>
#include <QImage>
#include <QPen>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class QPainter;

// What the colour map shows: values on a grid of two axes, coloured by a scale, with
// contour lines, a shaded band and two marked points over them. Plain data.
struct ColourMapPicture {
    DesignMap::Axis X, Y;
    QString XTitle, YTitle, ValueTitle;
    // Row-major, y outer (as MapGrid's points); NaN: no value (drawn grey).
    std::vector<double> Values;
    double Lo = 0, Hi = 1;  // the colour scale's ends
    bool Diverging = false; // red below 0, green above (a margin); else a sequential scale
    bool Percent = false;   // scale labels as percentages of a fraction

    struct Contour {
        std::vector<DesignMap::ContourLine> Lines;
        QPen Pen;
        QString Label; // in the legend
    };
    std::vector<Contour> Contours;

    std::vector<bool> Band; // grid points inside the shaded band (may be empty)
    QString BandLabel;

    std::optional<DesignMap::GridPoint> Current, Best; // fractional grid indexes
    QString Note; // shown across the plot when there is nothing to draw ("Computing…")
};

// Draws a ColourMapPicture with QPainter (Qt Charts has no colour map): cells centred
// on the grid points, axes in each axis's own spacing, a colour bar and a legend. Reports
// the grid point under the pointer and a click on one.
class ColourMapView : public QWidget {
    Q_OBJECT
public:
    explicit ColourMapView(QWidget* parent = nullptr);

    void setPicture(ColourMapPicture picture);
    const ColourMapPicture& picture() const { return picture_; }

    // Paints everything into `target` (the widget, an image, an SVG file).
    void paint(QPainter& p, const QRect& target) const;

    // The plot area within a target of `size`, and conversions between its pixels and
    // fractional grid indexes.
    QRectF plotArea(const QSize& size) const;
    QPointF toPixel(const DesignMap::GridPoint& g, const QRectF& plot) const;
    std::optional<DesignMap::GridPoint> toGrid(const QPointF& pixel, const QRectF& plot) const;

    // Colour of a value on the picture's scale.
    QColor colourOf(double v) const;

    QSize sizeHint() const override { return {760, 560}; }

signals:
    void hovered(std::optional<DesignMap::GridPoint> at);
    void clicked(DesignMap::GridPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void rebuildImage();
    void paintAxes(QPainter& p, const QRectF& plot) const;
    void paintColourBar(QPainter& p, const QRectF& bar) const;
    void paintLegend(QPainter& p, const QRectF& area) const;

    ColourMapPicture picture_;
    QImage image_; // one pixel per grid point
};
