#pragma once

#include "model/DesignCase.h"
#include "persistence/LineFile.h"

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

// The design case in the line file: one "Design" element inside the first "Node"
// (readers of earlier versions take every child of the root for a component, but look
// up a Node's elements by name and pass over the rest). Each part is written only
// when it holds something: identification, "Particles", "Criteria" and
// "OperatingRange". Numbers in working units (um, m/s, L/min, degC, fractions), "."
// as separator, read back to the same bits.
namespace DesignElement {

inline constexpr const char* Name = "Design";

// Appends the element under `node`; nothing for an empty design case. The error
// when a text cannot be stored.
std::optional<FileError> Append(pugi::xml_node node, const Design::DesignCase& design);

// The design case the element holds (an absent element: the empty case). What it
// cannot take keeps the default and is named in `warnings`.
Design::DesignCase Read(pugi::xml_node design, std::vector<std::string>& warnings);

} // namespace DesignElement
