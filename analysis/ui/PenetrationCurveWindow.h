#pragma once

#include "gui/SavePath.h"
#include "persistence/LineFile.h"

#include <QDialog>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class LodoSession;
class PenetrationCurveModel;
class QAbstractSeries;
class QAreaSeries;
class QChart;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QLogValueAxis;
class QPointF;
class QScatterSeries;
class QSpinBox;
class QTabWidget;
class QTableView;
class QValueAxis;
class QXYSeries;
class SizeResolvedComponentsModel;

// "Penetration Curve": the line's penetration against particle size, every
// component evaluated at each size on its own, as in Mono mode. One curve per
// component, the system bold, the 50 % line and the cut size d50; in log-normal
// mode the aerosol's number and mass distributions shaded on a right axis. A table
// tab shows the same model. The window is modeless and follows the line: the main
// window calls sessionChanged() after every change it renders.
class PenetrationCurveWindow : public QDialog {
    Q_OBJECT
public:
    explicit PenetrationCurveWindow(const LodoSession& session, QWidget* parent = nullptr);
    ~PenetrationCurveWindow() override;

    // Shows the window up to date and in front, whether it was hidden, behind or new.
    void bringToFront();
    // The size it opens with on a screen whose free area is `available` (empty: not
    // known): 1000 x 700, less where the screen and the window frame leave less.
    static QSize StartSize(const QSize& available);

    // Re-reads the line and the particle description when they changed; `mask` is
    // what the session reported (focus and page changes leave the curve alone).
    void sessionChanged(unsigned mask = ~0u);
    // Re-reads them in any case.
    void refresh();
    // Sizes of the curve [um]: `points` log-spaced from `from` to `to`. Returns false
    // (and changes nothing) unless 0.001 <= from < to <= 1000 and 2 <= points.
    bool setRange(double from, double to, int points);

    PenetrationCurveModel* model() const { return model_; }
    QChart* chart() const { return chart_; }
    QChartView* chartView() const { return view_; }
    QTableView* tableView() const { return table_; }
    // "Where the mass goes" (log-normal mode): the size-resolved result by component.
    SizeResolvedComponentsModel* componentsModel() const { return componentsModel_; }
    QTableView* componentsView() const { return componentsView_; }
    QTabWidget* tabs() const { return tabs_; }
    QLabel* titleLabel() const { return title_; }
    QLabel* summaryLabel() const { return summary_; }
    QLabel* readout() const { return readout_; }
    QLogValueAxis* sizeAxis() const { return axisX_; }
    QValueAxis* penetrationAxis() const { return axisY_; }
    QValueAxis* distributionAxis() const { return axisDist_; }
    const std::vector<QLineSeries*>& componentSeries() const { return components_; }
    QLineSeries* systemSeries() const { return system_; }
    QLineSeries* halfLine() const { return half_; }
    QScatterSeries* d50Marker() const { return d50Marker_; }
    QAreaSeries* numberArea() const { return numberArea_; } // null in Mono mode
    QAreaSeries* massArea() const { return massArea_; }
    std::optional<double> d50() const { return d50_; }

    // Writes the chart as SVG when the name ends in ".svg", as PNG otherwise.
    bool saveChartImage(const QString& path);
    // The table as tab-separated text; "Copy Data" puts it on the clipboard.
    QString dataText() const;
    // The curve as CSV, written whole or not at all.
    std::optional<FileError> exportCsv(const QString& path) const;
    // The read-out of the size in `row` on the curve of model column `column`.
    void showReadout(int column, int row);

    // The questions of "Save Image..." and "Export CSV...", replaceable by a test.
    SaveQuestions saveQuestions;

private:
    struct Feed {
        QXYSeries* Series;
        int Column; // of the model
    };
    void feed(QXYSeries* series, int column);
    void readFeed(const Feed& f);
    void rebuildSeries();
    QLineSeries* addCurve(int column, const QColor& colour, double width);
    void addDistribution(int column, const QColor& colour, QAreaSeries*& area);
    void curveClicked(QAbstractSeries* series, const QPointF& p, int column);
    void connectLegend();
    void updateMarks();
    void askSaveImage();
    void askExportCsv();
    void rangeEdited();

    const LodoSession& session_;
    std::uint64_t revision_ = 0;
    bool shown_ = false;        // something has been read yet
    bool rangeRefused_ = false; // the size boxes hold a range that was refused
    double from_;
    double to_;
    int points_;
    std::optional<double> d50_;

    PenetrationCurveModel* model_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* readout_ = nullptr;
    QDoubleSpinBox* fromBox_ = nullptr;
    QDoubleSpinBox* toBox_ = nullptr;
    QSpinBox* pointsBox_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QTableView* table_ = nullptr;
    SizeResolvedComponentsModel* componentsModel_ = nullptr;
    QTableView* componentsView_ = nullptr;
    QLogValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    QValueAxis* axisDist_ = nullptr;
    std::vector<Feed> feeds_; // every series that shows a model column
    std::vector<QLineSeries*> components_;
    QLineSeries* system_ = nullptr;
    QLineSeries* half_ = nullptr;
    QLineSeries* d50Line_ = nullptr;
    QScatterSeries* d50Marker_ = nullptr;
    QAreaSeries* numberArea_ = nullptr;
    QAreaSeries* massArea_ = nullptr;
};
