#pragma once

class QChartView;
class QString;
class QWidget;
struct SaveQuestions;

// Writes what a chart view shows: SVG when the path ends in ".svg" (titled `title`),
// PNG otherwise. False when the file could not be written.
bool SaveChartImage(QChartView* view, const QString& title, const QString& path);

// "Save Image...": asks for a PNG or SVG file through `questions`, proposing `proposed`
// (with its ".png"), writes the chart and says so over `window` when it could not.
void AskSaveChartImage(QWidget* window, const SaveQuestions& questions, QChartView* view,
                       const QString& title, const QString& proposed);
