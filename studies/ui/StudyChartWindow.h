#pragma once

#include "studies/ui/ChartWindow.h"

struct DataPass;
class QScatterSeries;
class QValueAxis;

// "Plot Data": the system penetration of the study that ran last against the varied
// input, and for a free-stream study the inlet's aspiration ratio on a right axis.
// Clicking a point shows its two values.
class StudyChartWindow : public ChartWindow {
    Q_OBJECT
public:
    StudyChartWindow(const DataPass& data, QWidget* parent = nullptr);

    QScatterSeries* series1() const { return series1_; }
    QScatterSeries* series2() const { return series2_; }
    QValueAxis* rightAxis() const { return axisRight_; }

    // A point of the penetration (Series1) or aspiration (Series2) series was clicked.
    void Series1Click(int index);
    void Series2Click(int index);

protected:
    void pointClicked(int series, int index) override;

private:
    QScatterSeries* series1_ = nullptr;
    QScatterSeries* series2_ = nullptr;
    QValueAxis* axisRight_ = nullptr;
    QString Txt1; // prefix of the penetration value
    QString Txt2; // prefix of the varied value
    QString Txt5; // prefix of the aspiration ratio
};
