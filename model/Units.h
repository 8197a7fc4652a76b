#pragma once

#include <string>

// Unit strings and conversion constants between the user's English entries and
// the working units of evaluation.
namespace Units {

inline const std::string Metric = "Metric";
inline const std::string English = "English";

inline constexpr double PConv = 6.894757; // psi -> kPa
inline constexpr double LConv = 0.3048;   // ft -> m
inline constexpr double FConv = 28.31685; // ft3/min -> L/min
inline constexpr double DConv = 25.4;     // in -> mm
inline constexpr double RConv = 0.0254;   // in -> m
inline constexpr double UConv = 0.3048;   // ft/s -> m/s
inline constexpr double Ts = 298.15;      // standard temperature [K]
inline constexpr double Po = 101.325;     // standard pressure [kPa]
inline constexpr int NumStepsLN = 50;

// Anything but "Metric" reads as English.
inline bool IsMetric(const std::string& unit) {
    return unit == Metric;
}
// Exactly "English": what the grid and the notes name in inches, feet, degF.
inline bool IsEnglish(const std::string& unit) {
    return unit == English;
}

inline double TempToC(double v, const std::string& u) {
    return IsMetric(u) ? v : (v - 32.0) / 1.8;
}
inline double PressToKPa(double v, const std::string& u) {
    return IsMetric(u) ? v : v * PConv;
}
inline double TubeLenToM(double v, const std::string& u) {
    return IsMetric(u) ? v : v * LConv;
}
inline double NozzleLenToMm(double v, const std::string& u) {
    return IsMetric(u) ? v : v * DConv;
}
inline double DiaToMm(double v, const std::string& u) {
    return IsMetric(u) ? v : v * DConv;
}
inline double FlowToLpm(double v, const std::string& u) {
    return IsMetric(u) ? v : v * FConv;
}
inline double RadiusToM(double v, const std::string& u) {
    return IsMetric(u) ? v : v * RConv;
}
inline double VelToMs(double v, const std::string& u) {
    return IsMetric(u) ? v : v * UConv;
}

} // namespace Units
