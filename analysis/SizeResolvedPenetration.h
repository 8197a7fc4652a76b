#pragma once

#include "model/TLodoComp.h"
#include "physics/ParticleProperties.h"

#include <optional>
#include <vector>

namespace Analysis {

class SizeTable;

// The sizes the integration covers: five geometric standard deviations either side
// of each median, held within these bounds.
inline constexpr double SizeFloor = 0.001; // [um]
inline constexpr double SizeCeil = 1000.0; // [um]

/// Hatch-Choate: count median of the number distribution that has mass median MMAD,
/// CMD = MMAD exp(-3 ln^2 GSD).  [um]
double CountMedian(double MMAD /*[um]*/, double GSD /*[-]*/);

struct ComponentSizeResolved {
    // Of the aerosol that actually arrives at the component (after every component
    // upstream of it), so the components' values multiply to the system's. NaN when
    // nothing arrives. An inlet's values carry its aspiration and may exceed 1.
    double MassPenetration = 0;
    double NumberPenetration = 0;
    // Share of the mass entering the line (for an inlet at the head of the line:
    // the mass it aspirates) that is deposited in this component.
    double MassDeposited = 0;
};

// The exact penetration of a log-normal aerosol: the per-size penetration of the
// whole line (the product of the components' at each size, as the monodisperse
// evaluation gives them) integrated over the aerosol's mass and number
// distributions.
struct SizeResolvedResult {
    double MassPenetration = 0;
    double NumberPenetration = 0;
    double PenetratedMMAD = 0; // [um] mass median of what leaves the line; NaN when nothing does
    // Mass the inlet aspirates over the mass in the stack (1 without an inlet): the
    // basis the components' MassDeposited are shares of.
    double AspiratedMass = 1;
    std::vector<ComponentSizeResolved> Components; // line order
};

// Log-normal mass distribution with median MMAD [um] and geometric standard
// deviation GSD; the number distribution has the same GSD and the count median.
// A GSD of 1 (or within 2^-24 of it in ln, nearer than any other float) is the
// monodisperse aerosol at MMAD; a GSD below 1 is the same distribution as its inverse. No result
// for an MMAD or GSD that is not positive and finite, or a size range entirely outside 0.001 to
// 1000 um. The sizes are those of `particle` (by default aerodynamic diameters of
// unit-density spheres). The line is read, never changed.
std::optional<SizeResolvedResult>
ComputeSizeResolved(const LodoList& line, double MMAD, double GSD,
                    const LodoMath::ParticleProperties& particle = {});
// The same on a table of the line's values that other results share.
std::optional<SizeResolvedResult> ComputeSizeResolved(SizeTable& table, double MMAD, double GSD);

} // namespace Analysis
