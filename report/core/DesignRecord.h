#pragma once

#include "design/DesignVerdict.h"
#include "report/core/EngineeringReport.h"

#include <vector>

// The report's first page, the conclusion: who and what the design is for, where its
// line comes from (file, checksum, program), the design verdict at the reference size
// with each criterion, the operating range with its worst points, and the signatures.
namespace EngReport {

std::vector<Block> DesignRecordPage(const LodoModel& m, const Source& source,
                                    const Design::Verdict& verdict);

// The identification and traceability fields of the first page.
FieldList Identification(const Source& source);

} // namespace EngReport
