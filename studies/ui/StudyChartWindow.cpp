#include "studies/ui/StudyChartWindow.h"

#include "gui/ReadoutText.h"
#include "studies/engine/DataPass.h"
#include "studies/ui/PointTableModel.h"

#include <QChart>
#include <QLabel>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace {

struct StudyKind {
    const char* VaryType; // nullptr: any other value (free stream)
    QString Title;
    QString BottomTitle;
    QString Txt2;
    StudyArray DataPass::*Array;
};

StudyKind kindOf(const std::string& varyType) {
    const QString mu = QStringLiteral("\u00B5");
    if (varyType == "Diameter")
        return {"Diameter", QStringLiteral("Varing Tube Diameter"),
                QStringLiteral("Tube Diameter (mm) "), QStringLiteral("Tube Diameter (mm) "),
                &DataPass::DArr};
    if (varyType == "Flow")
        return {"Flow", QStringLiteral("Varing Flow Rate"), QStringLiteral("Flow Rate (lpm)"),
                QStringLiteral("Flow Rate (lpm)"), &DataPass::FArr};
    if (varyType == "Particle")
        return {"Particle", QStringLiteral("Varing Particle Size"),
                QStringLiteral("Particle Size (") + mu + QStringLiteral("m)"),
                QStringLiteral("Particle Size (") + mu + QStringLiteral("m) ="), &DataPass::PArr};
    return {nullptr, QStringLiteral("Varing Free Stream Velocity (m/s)"),
            QStringLiteral("Free Stream (m/s) "), QStringLiteral("Free Stream (m/s) "),
            &DataPass::FSArr};
}

} // namespace

StudyChartWindow::StudyChartWindow(const DataPass& data, QWidget* parent)
    : ChartWindow(QStringLiteral("Plot Data"),
                  kindOf(data.VaryType).VaryType
                      ? QStringList{kindOf(data.VaryType).BottomTitle.trimmed(),
                                    QStringLiteral("% Penetration")}
                      : QStringList{kindOf(data.VaryType).BottomTitle.trimmed(),
                                    QStringLiteral("% Penetration"),
                                    QStringLiteral("Aspiration Ratio")},
                  QStringLiteral("Click a Point"), QStringLiteral("to get values."), parent) {
    const StudyKind kind = kindOf(data.VaryType);
    const bool freeStream = kind.VaryType == nullptr;
    titleLabel()->setText(kind.Title);
    Txt1 = QStringLiteral("% Penetration = ");
    Txt2 = kind.Txt2;
    bottomAxis()->setTitleText(kind.BottomTitle);
    leftAxis()->setTitleText(QStringLiteral("% Penetration"));

    axisRight_ = addRightAxis();
    series1_ = addSeries(1, leftAxis(), QColor(0x1f, 0x5f, 0xbf));
    series2_ = addSeries(freeStream ? 2 : -1, axisRight_, QColor(0xd0, 0x40, 0x20));
    if (freeStream) {
        axisRight_->setTitleText(QStringLiteral("Aspiration Ratio"));
        axisRight_->setGridLineVisible(false);
        // Penetration and aspiration often rise together: the smaller circles stay
        // visible inside the larger ones.
        series2_->setMarkerSize(series1_->markerSize() * 0.6);
        // Two axes: each one takes the colour of its series.
        for (auto [axis, series] :
             {std::pair{leftAxis(), series1_}, std::pair{axisRight_, series2_}}) {
            axis->setTitleBrush(series->color());
            axis->setLabelsColor(series->color().darker(120));
        }
        Txt5 = QStringLiteral("Aspiration Ratio = ");
    } else {
        axisRight_->setVisible(false);
    }

    const auto& array = data.*kind.Array;
    const int count = std::clamp(data.NoOfSteps, 0, MaxStudyPoints);
    std::vector<std::vector<double>> rows;
    for (int k = 0; k < count; ++k) {
        const StudyRow& r = array[static_cast<std::size_t>(k)];
        if (freeStream)
            rows.push_back({r.Value, r.Pent, r.Asp});
        else
            rows.push_back({r.Value, r.Pent});
    }
    model()->setRows(std::move(rows));
    fitAxes();
    imageBaseName = QStringLiteral("Study-") + QString::fromStdString(data.VaryType);
}

void StudyChartWindow::Series1Click(int index) {
    const auto& rows = model()->rows();
    if (index < 0 || index >= static_cast<int>(rows.size()))
        return;
    const auto& row = rows[static_cast<std::size_t>(index)];
    readout1()->setText(Txt2 + FixedFiveTwo(row[0]));
    readout2()->setText(Txt1 + FixedFiveTwo(row[1]));
}

void StudyChartWindow::Series2Click(int index) {
    const auto& rows = model()->rows();
    if (index < 0 || index >= static_cast<int>(rows.size()) || rows[0].size() < 3)
        return;
    const auto& row = rows[static_cast<std::size_t>(index)];
    readout1()->setText(Txt2 + FixedFiveTwo(row[0]));
    readout2()->setText(Txt5 + FixedFiveTwo(row[2]));
}

void StudyChartWindow::pointClicked(int series, int index) {
    if (series == 0)
        Series1Click(index);
    else
        Series2Click(index);
}
