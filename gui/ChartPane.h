#pragma once

class QAbstractItemModel;
class QChart;
class QChartView;
class QLabel;
class QSize;
class QTableView;
class QWidget;

// A chart window's title above its chart: bold, 1.3 times the normal size, centred.
QLabel* MakeChartTitle(QWidget* parent);

// The chart and the table of a chart window, both showing one model: the chart with
// square corners, antialiased, never zoomed by dragging, at least `minimumSize`; the
// table with numbers in the C locale, whole rows selected, nothing editable.
struct ChartPane {
    QChart* Chart = nullptr;
    QChartView* View = nullptr;
    QTableView* Table = nullptr;
};
ChartPane MakeChartPane(QAbstractItemModel* model, const QSize& minimumSize, QWidget* parent);
