#pragma once

#include <QDialog>

struct DataPass;
class NumberBox;
class QCheckBox;
class QLabel;
class QRadioButton;

// "Variable Parameters": which input a study varies, from which start value to
// which end value, in how many points. Only "Confirm" stores the choice in the
// study settings; "Cancel" or the close box leaves them as they were.
class VaryParameterWindow : public QDialog {
    Q_OBJECT
public:
    explicit VaryParameterWindow(DataPass& data, QWidget* parent = nullptr);

    QRadioButton* RadioButton1 = nullptr; // "Tube Diameter (mm)"
    QRadioButton* RadioButton2 = nullptr; // "Flow Rate (LPM)"
    QRadioButton* RadioButton3 = nullptr; // "Particle Size (um)"
    QRadioButton* RadioButton4 = nullptr; // "Free Stream (m/s)"
    NumberBox* NumberBox1 = nullptr;      // start value
    NumberBox* NumberBox2 = nullptr;      // end value
    NumberBox* NumberBox3 = nullptr;      // number of points
    // "Size-resolved mass penetration": open only in log-normal mode, and not for a
    // particle-size study, which is one size at a time.
    QCheckBox* SizeResolvedBox = nullptr;
    // Says why a number was refused (outside its box's range); hidden otherwise.
    QLabel* RangeNote = nullptr;

    // Whether the line is evaluated for a log-normal aerosol.
    void setLogNormal(bool logNormal);

    // "Confirm": takes the boxes and the checked input into the study settings.
    void accept() override;

private:
    void FormCreate();
    void FormClose();
    void updateSizeResolvedBox();

    DataPass& data_;
    float IV = 0;
    float FV = 0;
    int Step = 0;
    bool logNormal_ = false;
};
