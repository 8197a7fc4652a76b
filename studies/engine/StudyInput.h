#pragma once

#include "model/TLodoComp.h"

#include <cstddef>
#include <optional>

enum class StudyKind { Flow, Diameter, Particle, FreeStream };

// Where a study of the line's inputs (flow, diameter, free stream) sets the value it
// varies, and how. The studies and the design verdict's operating points set values
// through it, so a point means the same wherever it is evaluated.
struct StudyInput {
    StudyKind Kind = StudyKind::Flow;
    std::size_t Row = 0; // the component whose input is set
    double Ratio = 1.0;  // diameter: outlet over inlet of a fitting, kept at every value
    int CR = 0;          // the row AlignList re-aligns the line from after setting it
};

// How the study of `kind` sets its value on this line; nothing for the particle study
// (not an input of the line) and for a line the study refuses by its shape: empty, a
// free-stream study without an inlet first, a diameter study with nothing behind the
// inlet. A diameter study varies the first component behind an inlet.
std::optional<StudyInput> StudyInputOf(const LodoList& line, StudyKind kind);

// Sets the value [L/min, mm or m/s] and forces its unit to Metric. The flow is set on
// every component, as re-aligning from any row leaves it; the line still has to be
// re-aligned from `in.CR` and evaluated.
void SetStudyInput(LodoList& line, const StudyInput& in, double value);
