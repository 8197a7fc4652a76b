#pragma once

#include "analysis/ModelLimits.h"
#include "model/LodoModel.h"

#include <string>
#include <vector>

// The findings of an evaluated line: the quantities its evaluation computed, held
// against the range table. Reads the line and its evaluation only; changes nothing.
namespace ModelLimits {

// The quantities of the component at Row as its last evaluation computed them (at
// the mass median diameter in log-normal mode). Outside the line: no type, nothing.
ComponentQuantities QuantitiesOf(const LodoModel& m, int Row);

// The findings of the component at Row; empty outside the line.
std::vector<Finding> ComponentFindings(const LodoModel& m, int Row);

// The findings of every component, by row.
std::vector<std::vector<Finding>> LineFindings(const LodoModel& m);

// The row the panel describes: the component evaluated last; -1 when none.
int LastEvaluatedRow(const LodoModel& m);

// True when any component of the line has a finding: a model-limit finding or a
// line-structure finding (LineStructure).
bool AnyFinding(const LodoModel& m);

// The texts of every finding of the component at Row, one a line: its line-structure
// findings first (the line is not what its models describe), then its model-limit
// findings. Every front end shows this list.
std::vector<std::string> AllFindingTexts(const LodoModel& m, int Row);

// AllFindingTexts of every component, by row.
std::vector<std::vector<std::string>> LineFindingTexts(const LodoModel& m);

// The texts of the findings, one a line.
std::vector<std::string> FindingTexts(const std::vector<Finding>& findings);

} // namespace ModelLimits
