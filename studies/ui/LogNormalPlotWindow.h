#pragma once

#include "studies/engine/DataPass.h"
#include "studies/ui/ChartWindow.h"

#include <vector>

class QScatterSeries;

// "LogNormal Plot": the log-normal size distribution of the given median and
// geometric standard deviation in 50 points. With a monodisperse description the
// chart stays empty. Clicking a point shows its size and density.
class LogNormalPlotWindow : public ChartWindow {
    Q_OBJECT
public:
    LogNormalPlotWindow(float MeanPart, float PartSD, bool logNormal, QWidget* parent = nullptr);

    QScatterSeries* series1() const { return series1_; }
    // The plotted points (LNArr); empty for a monodisperse description.
    const std::vector<LNPoint>& points() const { return points_; }

    void Series1Click(int index);

protected:
    void pointClicked(int series, int index) override;

private:
    QScatterSeries* series1_ = nullptr;
    std::vector<LNPoint> points_;
};
