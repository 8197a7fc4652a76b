#pragma once

#include "model/LodoModel.h"
#include "studies/engine/DataPass.h"
#include "studies/engine/StudyInput.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Parameter studies: the whole line is evaluated while one input steps through a
// range. A study borrows the line and gives it back unchanged: every input, unit,
// Dp and DType is as it was, and the line has been re-evaluated with its own values.

// "Flow", "Diameter", "Particle", "Free_Stream" (the VaryType texts).
std::string_view VaryTypeText(StudyKind kind);
std::optional<StudyKind> StudyKindFromVaryType(std::string_view varyType);

// Export header lines.
inline constexpr std::string_view FlowHeader = "Flow Rate (LPM)\tTransmission Ratio";
inline constexpr std::string_view DiaHeader = "Tube Diameter (mm)\t Transmission Ratio";
inline constexpr std::string_view PartHeader = "Particle Size (um)\t Transmission Ratio";
inline constexpr std::string_view FreeStreamHeader =
    "Free Stream Velocity (m/s)\t Transmission Ratio\tAspiration Ratio";

// Messages a study returns for the caller to show.
inline constexpr std::string_view InletOnlyText =
    "There are no components after the inlet to vary.";
inline constexpr std::string_view NozzleNotice =
    "This anaylsis will not include the nozzle component.";
inline constexpr std::string_view ProbeNotice =
    "This anaylsis will not include the probe component.";

struct StudyMessage {
    int Number = 0; // number of the fixed error message; 0 for an unnumbered text
    std::string Text;
    bool operator==(const StudyMessage&) const = default;
};

struct StudyOutcome {
    StudyKind Kind = StudyKind::Flow;
    std::optional<StudyMessage> Error; // the study did not run; show this instead
    std::vector<std::string> Notices;  // information boxes to show the user
    std::vector<StudyRow> Rows;        // point K in Rows[K-1]
    std::vector<std::string> Lines;    // export: the header, then one line per point
    bool Cancelled = false;            // stopped by its progress callback: no result

    bool Ran() const { return !Error.has_value() && !Cancelled; }
};

// Told after each point of a running study (done of total, 1..total); returning
// false stops the study there. The line is given back as after a whole study.
using StudyProgress = std::function<bool(int done, int total)>;

// What a study records at each point [fraction]: the penetration of rows `first` to
// the end of the evaluated line (`first` is 1 behind an inlet in a diameter study).
// Without one, a study records the specified value, SpecifiedPenetration.
using StudyMeasure = std::function<double(const LodoModel& m, std::size_t first)>;

// SystemTrans; from row 1, SystemTrans divided by the inlet's TransM1.
double SpecifiedPenetration(const LodoModel& m, std::size_t first);

// Z points (1..50) from IVal to FVal; the values advance by repeated addition of
// (FVal - IVal) / (Z - 1), and a single point evaluates IVal. RefNum is Adding
// during and after a study that runs.
StudyOutcome FlowAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                          const StudyMeasure& measure = {},
                          const StudyProgress& progress = {}); // Flow [L/min]
StudyOutcome DiaAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                         const StudyMeasure& measure = {},
                         const StudyProgress& progress = {}); // [mm]
StudyOutcome PartAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                          const StudyProgress& progress = {}); // Dp [um]
StudyOutcome FreeStreamAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                                const StudyMeasure& measure = {},
                                const StudyProgress& progress = {}); // [m/s]

// The information boxes the study of `kind` brings (its outcome's Notices), known
// before it runs so that they can be shown first: a diameter study behind an inlet
// leaves the inlet out.
std::vector<std::string> StudyNotices(const LodoModel& m, StudyKind kind, int Z, double IVal,
                                      double FVal);

// The study of `kind`, as the "Vary Parameters" command dispatches it.
// The particle study is monodisperse and always records the specified value.
StudyOutcome RunStudy(LodoModel& m, StudyKind kind, int Z, double IVal, double FVal,
                      const StudyMeasure& measure = {}, const StudyProgress& progress = {});

// The name proposed for the export: DFileName with its extension replaced by "Flow",
// "Tube", "PSiz" or "Free_Stream" (line.lxl -> lineFlow; "" -> "Flow").
std::string StudyFileName(std::string_view DFileName, StudyKind kind);

// Copies the rows of a study that ran into its array (FArr, DArr, PArr or FSArr);
// rows beyond the study's points keep their old values.
void StoreRows(DataPass& data, const StudyOutcome& outcome);
