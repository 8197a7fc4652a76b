#pragma once

#include <QDialog>
#include <functional>

struct DistributionSetting;
class NumberBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// "Particle Distribution": the monodisperse size and the log-normal median and
// geometric standard deviation, and which of the two describes the aerosol. Only
// "Confirm" stores the window values; closing otherwise discards the edits. "Plot"
// plots the numbers in the boxes without storing them.
class ParticleDistributionWindow : public QDialog {
    Q_OBJECT
public:
    explicit ParticleDistributionWindow(DistributionSetting& data, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    NumberBox* NumberBox1 = nullptr;      // monodisperse diameter [um]
    NumberBox* NumberBox2 = nullptr;      // mass median diameter [um]
    NumberBox* NumberBox3 = nullptr;      // geometric standard deviation [-]
    QRadioButton* RadioButton1 = nullptr; // "Monodispersed"
    QRadioButton* RadioButton2 = nullptr; // "Polydispersed Lognormal"
    // Particle properties.
    NumberBox* DensityBox = nullptr;      // [kg/m3]
    NumberBox* ShapeFactorBox = nullptr;  // dynamic shape factor [-]
    QComboBox* SizeTypeBox = nullptr;     // aerodynamic or volume-equivalent sizes
    NumberBox* ConductivityBox = nullptr; // particle thermal conductivity [W/(m K)]
    QPushButton* Button1 = nullptr;       // "Confirm"
    QPushButton* Button2 = nullptr;       // "Plot"

    // How a refused entry is shown; a warning box unless replaced.
    void setMessageHandler(std::function<void(const QString&)> show) { show_ = std::move(show); }

    // "Confirm": stores the boxes and the choice in the window values and closes.
    void accept() override;
    // "Plot": opens the log-normal plot of the numbers in the boxes.
    void Button2Click();

private:
    void FormCreate();
    void FormClose();
    // Takes what is typed in every box; false when an entry was refused.
    bool commitBoxes();

    DistributionSetting& data_;
    float PDia = 0;
    float MDia = 0;
    float SDDia = 0;
    // What the property boxes showed when the window opened: a box left alone keeps the
    // stored value exactly (a box rounds to its decimals).
    double shownDensity_ = 0, shownShape_ = 0, shownConductivity_ = 0;
    std::function<void(const QString&)> show_;
};
