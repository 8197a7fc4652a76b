#include "persistence/ReaderWarnings.h"

#include "model/LineStructure.h"
#include "model/NumberFormat.h"
#include "model/Units.h"
#include "persistence/RecordFields.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ReaderWarnings {
namespace {

struct Aligned {
    const char* Field;
    double TLodoComp::*Value;
    std::string TLodoComp::*Unit;
    double (*ToWorking)(double, const std::string&);
    const char* Metric;
    const char* English;
    bool Diameter;
};

// The values AlignList may replace, in the order of the file's elements.
constexpr std::array<Aligned, 4> AlignedFields{{
    {"Press", &TLodoComp::Press, &TLodoComp::PressUnit, Units::PressToKPa, "kPa", "psi", false},
    {"Dia1", &TLodoComp::Dia1, &TLodoComp::Dia1Unit, Units::DiaToMm, "mm", "in", true},
    {"Dia2", &TLodoComp::Dia2, &TLodoComp::Dia2Unit, Units::DiaToMm, "mm", "in", true},
    {"Flow", &TLodoComp::Flow, &TLodoComp::FlowUnit, Units::FlowToLpm, "L/min", "ft\u00B3/min",
     false},
}};

std::string WithUnit(const Aligned& f, double v, const std::string& unit) {
    return NumberFormat::General(v, 6) + " " + (Units::IsMetric(unit) ? f.Metric : f.English);
}

// Stored with 15 digits, a ratio carried along the line moves the last bits: only a
// change an entry could make is one.
bool Changed(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) != std::isnan(b);
    return !(std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b)));
}

} // namespace

std::vector<std::string> AlignmentChanges(const LodoList& asRead, const LodoList& aligned) {
    std::vector<std::string> out;
    const std::size_t n = std::min(asRead.size(), aligned.size());
    for (std::size_t i = 0; i < n; ++i) {
        const TLodoComp &was = asRead[i], &now = aligned[i];
        for (const Aligned& f : AlignedFields) {
            if (f.Diameter && now.NTypeInt == NodeShroud)
                continue;
            const double a = f.ToWorking(was.*f.Value, was.*f.Unit);
            const double b = f.ToWorking(now.*f.Value, now.*f.Unit);
            if (!Changed(a, b))
                continue;
            out.push_back(RecordFields::ComponentLabel(i, was.Name) + ", \"" + f.Field +
                          "\": " + WithUnit(f, was.*f.Value, was.*f.Unit) + " in the file, " +
                          WithUnit(f, now.*f.Value, now.*f.Unit) +
                          (f.Diameter ? " used (diameters follow the neighbours')"
                                      : " used (one flow and pressure for the whole line)"));
        }
    }
    return out;
}

std::vector<std::string> StructureFindings(const LodoList& line) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < line.size(); ++i)
        for (const LineStructure::Rule* r : LineStructure::BrokenRules(line[i], i))
            out.push_back(RecordFields::ComponentLabel(i, line[i].Name) + ": " +
                          std::string(r->Text) +
                          "; the line is opened and evaluated, but its result does not "
                          "describe it");
    return out;
}

std::vector<std::string> Capped(const std::vector<std::string>& warnings, std::size_t max) {
    if (warnings.size() <= max)
        return warnings;
    std::vector<std::string> out(warnings.begin(), warnings.begin() + static_cast<long>(max));
    out.push_back("and " + std::to_string(warnings.size() - max) + " more");
    return out;
}

} // namespace ReaderWarnings
