#pragma once

#include "model/Units.h"
#include "physics/ParticleProperties.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// The kind of particle description: one size, or a log-normal distribution.
enum class Distribution { Mono, LogNormal };

// "Mono" and "LogNormal": its text in files, windows and lodo-cli.
std::string_view DistributionText(Distribution d);
std::optional<Distribution> DistributionFromText(std::string_view text);
std::ostream& operator<<(std::ostream& os, Distribution d);

// The particle description the user chose: the values of the "Particle Distribution"
// window. Single precision on purpose: the evaluation uses floats.
struct DistributionSetting {
    float PartSize = 10.0f; // [um] monodisperse aerodynamic diameter
    float MeanPart = 5.0f;  // [um] mass median aerodynamic diameter
    float PartSD = 2.5f;    // [-] geometric standard deviation
    Distribution TypeDist = Distribution::Mono;
    // Density, shape, which diameter the sizes above are, and thermal conductivity;
    // the defaults are the unit-density spheres every result assumed before.
    LodoMath::ParticleProperties Particle;
    bool operator==(const DistributionSetting&) const = default;
};

// The codes of RefNum, the operation in progress; the numbers are those of the
// original program.
enum class Operation : int {
    Adding = 0,   // adding a component, starting a line, running a study
    Moving = 1,   // moving a component
    Editing = 2,  // editing a component
    Deleting = 4, // deleting a component
};

// The values shared by the editor and evaluation: the component being added or
// edited, the particle description, the log-normal step control and the latest
// results. Particle sizes and the step control are single precision on purpose:
// that decides which sizes the log-normal integration visits.
struct EvalContext {
    // Component being added or edited.
    std::string NodeName;
    std::string NodeType = " ";
    int NodeInt = 0;
    int CurrRow = 0; // 1-based; 0 = none
    double T = 25.0, P = Units::Po, L = 1.0;
    double A1 = 0.0, A2 = 90.0, A3 = 0.0;
    double D1 = 34.9, D2 = 34.9;
    double Qa = 57.0, Ve = 10.0, Rd = 0.1016;
    std::string TU = Units::Metric, LU = Units::Metric, PU = Units::Metric, D1U = Units::Metric,
                D2U = Units::Metric, FU = Units::Metric, RU = Units::Metric, FSU = Units::Metric;

    // Particle description (set once at start-up, not by a new line).
    Distribution DType = Distribution::Mono;
    float Dp = 10.0f;  // [um]
    float MDp = 5.0f;  // [um]
    float DpSD = 2.5f; // [-]
    Distribution TypeDist = Distribution::Mono;
    LodoMath::ParticleProperties Particle; // what the sizes above describe

    // Log-normal step control.
    float LowV = 0.0f, HighV = 0.0f, DpStep = 0.0f;
    int NumSteps1 = 0;
    float NewHighV = 0.0f;

    // Latest results.
    double NodeTrans = 0, TubeDT = 0, TubeST = 0, TubeIT = 0;
    double TubeTh = 1; // thermophoretic transmission of the last tube or bend
    double MNodeTrans = 0, PNodeTrans = 0;
    double SystemTrans = 0, MassTrans = 0, PartTrans = 0;

    // Name counters.
    int TINo = 0, BINo = 0, CINo = 0, EINo = 0, NINo = 0, SINo = 0;

    // Operation in progress (RefNum): it decides what SetNodeValues loads and whether
    // AlignList warns about a resized fitting.
    Operation RefNum = Operation::Adding;

    // Values a new line starts with; the particle description is kept.
    void ResetForNewLine();
};

// Puts a particle description into the evaluation: Dp, MDp, DpSD, DType, TypeDist, the
// particle properties and
// the log-normal range (a log-normal description also starts NewHighV at HighV). The
// evaluation's own copies move while it runs (Dp in log-normal mode, during a particle
// study); the description itself stays with whoever applied it.
void ApplyDistribution(EvalContext& c, const DistributionSetting& s);
