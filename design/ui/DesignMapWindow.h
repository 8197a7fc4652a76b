#pragma once

#include "design/map/Contours.h"
#include "design/map/LineMap.h"
#include "design/map/MapQuantity.h"
#include "gui/SavePath.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QSize>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class ColourMapView;
class LodoSession;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

// "Design Map": the design verdict over two operating conditions of the line, as a
// colour map of one of its quantities with the criteria's contours, the transition band,
// the current design and the widest-margin point. Modeless; it follows the line (the
// main window calls sessionChanged() after every change it renders) and computes the
// map on worker threads, so the window never waits for it. A click offers to set the
// line to the point, as one edit that Undo takes back.
class DesignMapWindow : public QDialog {
    Q_OBJECT
public:
    explicit DesignMapWindow(LodoSession& session, QWidget* parent = nullptr);
    ~DesignMapWindow() override;

    // Shows the window up to date and in front, whether it was hidden, behind or new.
    void bringToFront();

    // Re-reads the line when it changed; `mask` is what the session reported.
    void sessionChanged(unsigned mask = ~0u);

    // The axes and the coloured quantity; an axis the line cannot take is refused
    // (false, with the reason shown under the map).
    bool setAxes(const DesignMap::Axis& x, const DesignMap::Axis& y);
    void setQuantity(DesignMap::Quantity q);

    // The map shown (nothing while the first is computed), and whether one is on its way.
    const DesignMap::LineMap* map() const { return map_.get(); }
    bool computing() const { return computing_; }
    // Waits until the map on its way is shown (tests and benchmarks).
    void waitForMap();
    // Milliseconds from the last change of the line or the axes to the map painted.
    double lastUpdateMs() const { return lastUpdateMs_; }

    ColourMapView* view() const { return view_; }
    QLabel* readout() const { return readout_; }
    QLabel* summary() const { return summary_; }

    // Sets the line to a point of the map (after asking through confirmApply).
    bool applyPoint(double x, double y);
    // Writes the map as SVG when the name ends in ".svg", as PNG otherwise.
    bool saveImage(const QString& path) const;
    // The map as CSV (grid points and the best point).
    QString csvText() const;
    // The grid as tab-separated text, as "Copy Data" puts it on the clipboard.
    QString dataText() const;

    // The questions the window asks (the file to save, replacing one, setting the line
    // to a point); replaceable by a test.
    SaveQuestions questions;
    std::function<bool(const QString& text)> confirmApply;

signals:
    // A new map is shown.
    void mapShown();

private:
    struct Job {
        std::atomic<bool> Cancel{false};
    };
    struct AxisControls {
        QComboBox* Quantity = nullptr;
        QDoubleSpinBox* Min = nullptr;
        QDoubleSpinBox* Max = nullptr;
        QSpinBox* Points = nullptr;
        QCheckBox* Log = nullptr;
    };
    AxisControls makeAxisControls(const QString& name);
    DesignMap::Axis axisOf(const AxisControls& c) const;
    void showAxis(const AxisControls& c, const DesignMap::Axis& a);
    void chooseDefaultAxes();
    void controlsEdited();
    void recompute();
    void deliver(std::uint64_t generation, std::shared_ptr<const DesignMap::LineMap> map);
    void updatePicture();
    void updateSummary();
    void hovered(std::optional<DesignMap::GridPoint> at);
    void clicked(DesignMap::GridPoint at);
    void applyBest();
    void askSaveImage();
    void askExportCsv();
    void copyData();
    Design::Criteria criteria() const;

    LodoSession& session_;
    std::uint64_t revision_ = 0;
    bool axesChosen_ = false;
    DesignMap::Axis x_, y_;
    DesignMap::Quantity quantity_ = DesignMap::Quantity::SystemPenetration;

    std::shared_ptr<const DesignMap::LineMap> map_;
    std::shared_ptr<Job> job_;
    std::jthread worker_;
    std::uint64_t generation_ = 0;
    bool computing_ = false;
    QElapsedTimer sinceChange_;
    double lastUpdateMs_ = 0;

    AxisControls xControls_, yControls_;
    QComboBox* quantityBox_ = nullptr;
    ColourMapView* view_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* applyBest_ = nullptr;
    QPushButton* saveImage_ = nullptr;
    QPushButton* exportCsv_ = nullptr;
    QPushButton* copyData_ = nullptr;
};
