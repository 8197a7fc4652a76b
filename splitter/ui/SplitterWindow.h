#pragma once

#include "splitter/core/Wye.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

struct DistributionSetting;
class NumberBox;
class QLabel;
class QShowEvent;
class QTabWidget;
class WyeDrawing;

// "Split/Combine": sizes the outlet tubes of a symmetric wye and estimates its
// penetration for the monodisperse size of the distribution window. The inputs
// start from the same values every time the window is created; every change
// recalculates at once.
class SplitterWindow : public QDialog {
    Q_OBJECT
public:
    // `start`: the values the five boxes open with (the line's conditions); the
    // specified start values without it.
    SplitterWindow(const DistributionSetting& data, QWidget* parent = nullptr,
                   std::optional<Wye::WyeInputs> start = std::nullopt);

    NumberBox* NBFlow = nullptr;
    NumberBox* NBAngle = nullptr;
    NumberBox* NBDi = nullptr;
    NumberBox* NBTemp = nullptr;
    NumberBox* NBPress = nullptr;
    QLabel* Label1 = nullptr;            // penetration [%]
    QLabel* Label7 = nullptr;            // outlet diameter
    QLabel* Label9 = nullptr;            // inlet length
    QLabel* Label10 = nullptr;           // outlet length
    QLabel* Label15 = nullptr;           // Stokes number
    QLabel* Label16 = nullptr;           // Reynolds number
    QLabel* Label17 = nullptr;           // model limitations
    QLabel* ParticleSizeLabel = nullptr; // which size the calculation uses
    QLabel* LimitsNote = nullptr;        // results outside the model limitations
    QTabWidget* Tabs = nullptr;
    WyeDrawing* Drawing = nullptr;

    const Wye::WyeInputs& inputs() const { return in_; }
    // The boxes in focus order: flow, angle, diameter, temperature, pressure.
    std::array<NumberBox*, 5> ring() const { return {NBFlow, NBAngle, NBDi, NBTemp, NBPress}; }

    // Recalculates and shows the results.
    void CalcT();

    // Shows a refusal (an OK box); tests replace it.
    std::function<void(const QString&)> ShowMessage;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Grows the window to the height its wrapped texts need at its width.
    void fitHeight();
    void FormCreate();
    void ChangeW(NumberBox* box, double value);
    void MoveW(NumberBox* box, int step);

    const DistributionSetting& data_;
    Wye::WyeInputs in_;
    std::optional<Wye::WyeInputs> start_;
};
