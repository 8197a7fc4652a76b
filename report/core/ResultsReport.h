#pragma once

#include "model/TLodoComp.h"

#include <string>
#include <variant>
#include <vector>

// Why a report was not built: the message number and text the caller shows.
struct ReportNotice {
    int MessageNo = 0;
    std::string Text;
};

using ReportResult = std::variant<std::vector<std::string>, ReportNotice>;

// The results report, one text per printed line: header, one row per component,
// notes and nomenclature. `systemPenetrationText` is the system-penetration label's
// text as evaluation left it ("= 85.23"). An empty line gives message 9.
ReportResult BuildPr(const LodoList& list, const std::string& lineName,
                     const std::string& systemPenetrationText);

// The report's notes and nomenclature, one text per printed line (the engineering
// report prints them too).
const std::vector<std::string>& ResultsNotes();
const std::vector<std::string>& ResultsNomenclature();

// fixed(P, D): rounded to P significant digits but to no more than D decimals,
// written with exactly D decimals; scientific ("1.235E+04") when the value has more
// than P digits before the point. Not-finite values read "invalid".
std::string FixedPD(double x, int precision, int digits);
