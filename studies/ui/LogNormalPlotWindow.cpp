#include "studies/ui/LogNormalPlotWindow.h"

#include "gui/ReadoutText.h"
#include "studies/engine/LogNormalPlot.h"
#include "studies/ui/PointTableModel.h"

#include <QChart>
#include <QLabel>
#include <QScatterSeries>
#include <QValueAxis>

namespace {
const QString Mu = QStringLiteral("\u00B5");
}

LogNormalPlotWindow::LogNormalPlotWindow(float MeanPart, float PartSD, bool logNormal,
                                         QWidget* parent)
    : ChartWindow(QStringLiteral("LogNormal Plot"),
                  {QStringLiteral("Particle Size (") + Mu + QStringLiteral("m)"),
                   QStringLiteral("% In Interval")},
                  QStringLiteral("Click a bar"), QStringLiteral("to values."), parent) {
    series1_ = addSeries(1, leftAxis(), QColor(0x1f, 0x5f, 0xbf));
    bottomAxis()->setTitleText(QStringLiteral("Particle Size (") + Mu + QStringLiteral("m)"));
    leftAxis()->setTitleText(QStringLiteral("% In Interval"));
    imageBaseName = QStringLiteral("LogNormal Plot");
    if (!logNormal) {
        fitAxes();
        return;
    }

    const double MDp = MeanPart;
    const double DpSD = PartSD;
    const auto lnArr = LogNormalPlot(MeanPart, PartSD);
    points_.assign(lnArr.begin(), lnArr.end());
    titleLabel()->setText(QStringLiteral("Lognormal Particle Distribution"));
    subtitleLabel()->setText(QStringLiteral("Median Diameter = ") + FixedFiveTwo(MDp) +
                             QStringLiteral("  Standard Deviation = ") + FixedFiveTwo(DpSD));
    std::vector<std::vector<double>> rows;
    for (const LNPoint& p : points_)
        rows.push_back({p.Dp, p.Density});
    model()->setRows(std::move(rows));
    fitAxes();
}

void LogNormalPlotWindow::Series1Click(int index) {
    if (index < 0 || index >= static_cast<int>(points_.size()))
        return;
    const LNPoint& p = points_[static_cast<std::size_t>(index)];
    readout1()->setText(QStringLiteral("Particle Size (") + Mu + QStringLiteral("m) ") +
                        FixedFiveTwo(p.Dp));
    readout2()->setText(QStringLiteral("% In Interval = ") + FixedFiveTwo(p.Density));
}

void LogNormalPlotWindow::pointClicked(int, int index) {
    Series1Click(index);
}
