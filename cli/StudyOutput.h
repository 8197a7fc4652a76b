#pragma once

#include "cli/CliCommon.h"
#include "studies/engine/ParameterStudy.h"

#include <string>

// Machine-readable forms of a study's points for `lodo-cli study --json | --csv`.
// The default output stays the study's own tab-delimited export.
namespace Cli {

struct StudyDescription {
    std::string LineName;
    StudyKind Kind = StudyKind::Flow;
    ParticleSpec Particles; // as applied; a particle-size study is one size, varied
};

// {"LineName", "Vary", "Quantity", "Unit", "Particles": {...}, "Points": [{"Value",
// "Penetration" (fraction), "AspirationRatio" (free-stream studies, else null)}]}
std::string StudyJson(const StudyDescription& study, const StudyOutcome& outcome);

// A header naming the quantity with its unit, then one row per point; a value that is
// not a finite number is an empty cell.
std::string StudyCsv(const StudyDescription& study, const StudyOutcome& outcome);

} // namespace Cli
