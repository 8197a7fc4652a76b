#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>

// The flow splitter (wye) calculator: a symmetric split of one inlet tube into two
// equal outlet branches, sized by the empirical relative dimensions and rated by the
// flow-split penetration correlation.
namespace Wye {

// The five inputs, with the values every new splitter window starts from.
struct WyeInputs {
    double YFlow = 57.0;     // inlet flow rate [L/min], actual conditions
    double YAngle = 30.0;    // bifurcation angle between the branches [deg]
    double YDi = 38.1;       // inlet internal diameter [mm]
    double YTemp = 25.0;     // temperature [degC]
    double YPress = 101.325; // absolute pressure [kPa]
    bool operator==(const WyeInputs&) const = default;
};

// Bounds of the window's number boxes; the calculation relies on them to stay
// clear of divisions by zero.
struct InputLimit {
    double Min;
    double Max; // +inf: no upper bound
};
inline constexpr InputLimit FlowLimit{0.001, 200.0};
inline constexpr InputLimit AngleLimit{30.0, 90.0};
inline constexpr InputLimit DiLimit{0.01, std::numeric_limits<double>::infinity()};
inline constexpr InputLimit TempLimit{0.01, 1000.0};
inline constexpr InputLimit PressLimit{0.01, 1000.0};

enum class Input { Flow, Angle, Di, Temp, Press };

// The message that refuses a typed value outside its box's limits, naming the
// range; nothing for a value within them. A number is never pulled silently to a
// limit: a diameter of 0 would otherwise be taken as 0.01 mm and give a plausible
// penetration.
std::optional<std::string> CheckInput(Input which, double value);

// The validity ranges of the correlation (the "Model Limitations" panel).
inline constexpr InputLimit StokesRange{0.034, 1.248};
inline constexpr InputLimit ReynoldsRange{2560.0, 13600.0};

struct WyeResults {
    double YDo = 0;      // outlet tube diameter [mm]
    double YLi = 0;      // minimum inlet tube length [mm]
    double YLo = 0;      // minimum outlet tube length [mm]
    double YVel = 0;     // inlet velocity [m/s]; computed, not shown
    double Stoke = 0;    // Stokes number of the inlet flow [-]
    double Reynolds = 0; // Reynolds number of the inlet flow [-]
    double YTrans = 0;   // splitter penetration, fraction
    // The label texts as the window shows them.
    std::string Label1;  // penetration in percent
    std::string Label7;  // outlet diameter
    std::string Label9;  // inlet length
    std::string Label10; // outlet length
    std::string Label15; // Stokes number
    std::string Label16; // Reynolds number
    // Beside the specified texts: which results lie outside the model limitations.
    bool StokesOutside = false;
    bool ReynoldsOutside = false;
    std::string LimitsNote; // empty when every result is within the limits
};

// Recalculates every result from the inputs and the monodisperse particle size of
// the distribution window, PartSize [um].
WyeResults CalcT(const WyeInputs& in, float PartSize);

// Which particle size the calculation uses, said plainly: the monodisperse size of
// the distribution window, also while the line is evaluated for a log-normal
// distribution (the correlation is for one size).
std::string ParticleSizeText(float PartSize, bool logNormal);

// The "Model Limitations" text (Label17), one entry per line. The limits are shown
// only; no input is held against them.
std::array<std::string, 3> LimitsLines();
// The same three lines joined by line breaks, for a multi-line label.
std::string LimitsText();

// General number text with at most `digits` significant digits, trailing zeros
// dropped, "." as separator; scientific ("1.5E-7") below 0.00001 or when the
// integer part needs more digits than allowed.
std::string GeneralDigits(double x, int digits);

} // namespace Wye
