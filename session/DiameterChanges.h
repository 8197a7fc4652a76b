#pragma once

#include "model/TLodoComp.h"

#include <cstddef>
#include <string>
#include <vector>

// The components whose diameters an edit changed through the line's alignment, so
// that a resize the user did not type is said rather than done silently.
struct DiameterChange {
    std::size_t Row = 0;
    std::string Name;                            // without the transition mark
    double In0 = 0, Out0 = 0, In1 = 0, Out1 = 0; // [mm] before and after
    bool English = false;                        // shown in inches (the record's unit now)
};

// Components other than `except` whose inlet or outlet diameter differs, in mm,
// between two lines of the same components (nothing when the lines differ in length).
std::vector<DiameterChange> DiameterChanges(const LodoList& before, const LodoList& after,
                                            int except);

// "T-1 (Index 1): 21.2 → 10.1 mm", one line per component; a fitting shows its inlet
// and outlet: "C-1 (Index 3): 21.2 to 14.133 → 10.1 to 6.7333 mm".
std::string DescribeDiameterChanges(const std::vector<DiameterChange>& changes);
