#pragma once

#include "model/TLodoComp.h"

#include <string>
#include <vector>

// Lines the program cannot evaluate honestly: an inlet that is not first, a fitting
// that does the opposite of its name, a geometry the models do not describe. A file
// may still hold such a line (stored files keep opening); every front end shows
// these findings, and the design verdict is withheld while there is one.
namespace LineStructure {

struct Finding {
    int Row = 0;      // 0-based index of the component concerned
    std::string Text; // one line, names the component and what is inconsistent
    bool operator==(const Finding&) const = default;
};

// Every structure finding of the line, in line order.
std::vector<Finding> Findings(const LodoList& line);

} // namespace LineStructure
