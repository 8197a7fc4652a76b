#pragma once

#include <array>
#include <string>

// Values the study windows exchange: the study settings and results. Plain data; the
// windows own one. The particle description is the session's (Distribution()).

inline constexpr int MaxStudyPoints = 50; // the study window bounds the count to 1..50
inline constexpr int LNPointCount = 50;   // points of the log-normal plot

// One study point: a row of FArr, DArr, PArr or FSArr.
struct StudyRow {
    double Value = 0; // varied input: flow [L/min], tube diameter [mm], particle size [um]
                      // or free-stream velocity [m/s]
    double Pent = 0;  // system penetration [%]
    double Asp = 0;   // aspiration ratio of the inlet (free-stream study only) [-]
    bool operator==(const StudyRow&) const = default;
};

// One point of the log-normal plot: a row of LNArr.
struct LNPoint {
    double Dp = 0;      // particle size [um]
    double Density = 0; // log-normal density per um, times 100
    bool operator==(const LNPoint&) const = default;
};

using StudyArray = std::array<StudyRow, MaxStudyPoints>;

struct DataPass {
    // Study settings; the study window opens with the values of the previous study.
    bool SizeResolved = false;         // record the size-resolved mass penetration (log-normal)
    float InitialVal = 1.0f;           // first value of the varied input
    float FinalVal = 50.0f;            // last value of the varied input
    int NoOfSteps = 50;                // number of points, 1..50
    std::string VaryType = "Diameter"; // "Diameter", "Flow", "Particle" or "Free_Stream"

    // Results; row K-1 holds point K. Never cleared: a study overwrites its first
    // NoOfSteps rows and the chart reads the array of the study that ran last.
    StudyArray FArr{};
    StudyArray DArr{};
    StudyArray PArr{};
    StudyArray FSArr{};
    std::array<LNPoint, LNPointCount> LNArr{};
};
