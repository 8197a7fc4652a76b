#pragma once

class QChartView;
class QString;

// Writes what a chart view shows: SVG when the path ends in ".svg" (titled `title`),
// PNG otherwise. False when the file could not be written.
bool SaveChartImage(QChartView* view, const QString& title, const QString& path);
