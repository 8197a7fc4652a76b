#pragma once

#include "gui/SavePath.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class PointTableModel;
class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QScatterSeries;
class QTableView;
class QValueAxis;

// What the two chart windows share: a top panel with a bold title and two read-out
// labels, a two-dimensional chart of point series drawn as circles (no legend, no
// chart title, no zooming or panning) beside a table of the same points, and the
// commands to save the chart as a picture, copy the points and close.
class ChartWindow : public QDialog {
    Q_OBJECT
public:
    QLabel* titleLabel() const { return label1_; }
    QLabel* subtitleLabel() const { return subtitle_; }
    QLabel* readout1() const { return label2_; }
    QLabel* readout2() const { return label3_; }
    QChart* chart() const { return chart_; }
    QChartView* chartView() const { return view_; }
    QTableView* tableView() const { return table_; }
    PointTableModel* model() const { return model_; }
    QValueAxis* bottomAxis() const { return axisX_; }
    QValueAxis* leftAxis() const { return axisY_; }

    // The name "Save Image..." proposes, without extension; may include a folder.
    void setImageName(const QString& name) { imageBaseName = name; }

    // Writes the chart as SVG when the name ends in ".svg", as PNG otherwise.
    bool saveChartImage(const QString& path);
    // The points as tab-separated text with a header line; also put on the clipboard
    // by "Copy Data".
    QString dataText() const;

    // The questions of "Save Image...", replaceable by a test.
    SaveQuestions saveQuestions;

protected:
    ChartWindow(const QString& caption, const QStringList& headers, const QString& readout1,
                const QString& readout2, QWidget* parent);

    // A circle series over the model's column 0 (x) and column yColumn, on the
    // bottom axis and yAxis; with yColumn -1 the series stays empty.
    QScatterSeries* addSeries(int yColumn, QValueAxis* yAxis, const QColor& colour);
    QValueAxis* addRightAxis();
    // Sets the axes to span the points with a margin.
    void fitAxes();
    // The point `index` of series `series` (0 first) was clicked.
    virtual void pointClicked(int series, int index) = 0;

    QString imageBaseName; // proposed file name of a saved picture

private:
    void askSaveImage();

    QLabel* label1_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QTableView* table_ = nullptr;
    PointTableModel* model_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    QList<QPair<QValueAxis*, int>> yAxes_; // each y axis with its model column
};
