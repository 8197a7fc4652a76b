#include "report/core/ResultsReport.h"

#include "model/LodoError.h"
#include "model/Units.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace {

const std::string Deg = " \u00B0";
const std::string Phi = "\u03A6";
const std::string Theta = "\u0398";

std::string WithUnit(double v, const std::string& unit, const char* metric, const char* english) {
    return FixedPD(v, 4, 2) + (Units::IsMetric(unit) ? metric : english);
}

std::string ComponentRow(const TLodoComp& c) {
    const std::string p = FixedPD(c.TransM1 * 100.0, 3, 1);
    const std::string s = p.size() > 4 ? " %      " : " %        ";
    const std::string head = " " + c.Name + "        " + p + s + c.NType;
    const std::string di = WithUnit(c.Dia1, c.Dia1Unit, " mm", " in");
    const std::string phi = FixedPD(c.Ang1, 6, 1) + Deg;
    const std::string ae = FixedPD(c.TransM2, 8, 2);
    const std::string wl = FixedPD(c.TransM3, 8, 2);
    switch (c.NTypeInt) {
    case NodeTube:
        return head + "; Di = " + di + "; L = " + WithUnit(c.Len, c.LenUnit, " m", " ft") + "; " +
               Phi + " = " + phi;
    case NodeBend: {
        // Curvature ratio as the nomenclature defines it: radius over tube diameter.
        const double radiusM = Units::RadiusToM(c.Brd, c.RadiusUnit);
        const double diaM = Units::DiaToMm(c.Dia1, c.Dia1Unit) / 1000.0;
        return head + "; " + Theta + " = " + FixedPD(c.Ang2, 6, 1) + Deg +
               "; Ro= " + FixedPD(radiusM / diaM, 4, 1) + "; " + Phi + " = " + phi;
    }
    case NodeContraction:
    case NodeExpansion:
        return head + "; Di = " + di + "; Do = " + WithUnit(c.Dia2, c.Dia2Unit, " mm", " in") +
               "; " + Phi + " = " + phi;
    case NodeNozzle:
        return head + "; Di= " + di + "; Ae= " + ae + "; WL= " + wl + "; " + Phi + " = " + phi;
    case NodeShroud:
        return head + "; Ae = " + ae + "; WL = " + wl + "; " + Phi + " =" + phi;
    default:
        return {};
    }
}

} // namespace

std::string FixedPD(double x, int precision, int digits) {
    if (!std::isfinite(x))
        return "invalid";
    if (x == 0.0)
        return fmt::format("{:.{}f}", 0.0, digits);
    // The exponent after rounding to `precision` significant digits decides.
    const std::string sci = fmt::format("{:.{}e}", x, precision - 1);
    const int exponent = std::stoi(sci.substr(sci.find('e') + 1));
    if (exponent + 1 > precision)
        return fmt::format("{:.{}E}", x, precision - 1);
    const int decimals = std::clamp(precision - 1 - exponent, 0, digits);
    std::string s = fmt::format("{:.{}f}", x, decimals);
    if (decimals < digits) {
        if (decimals == 0)
            s += '.';
        s.append(static_cast<std::size_t>(digits - decimals), '0');
    }
    // A negative value that rounds to zero is written without its sign.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

ReportResult BuildPr(const LodoList& list, const std::string& lineName,
                     const std::string& systemPenetrationText) {
    if (list.empty())
        return ReportNotice{9, std::string(LodoErrorText(9))};
    const TLodoComp& first = list.front();
    std::vector<std::string> lines = {
        "Results Report",
        "Sample Line Name: " + lineName,
        "Total System Penetration " + systemPenetrationText,
        "Sample Flow Rate = " + WithUnit(first.Flow, first.FlowUnit, " LPM", " CFM"),
        "Free Stream Velocity = " + WithUnit(first.FStream, first.FStreamUnit, " m/s", " ft/s"),
        "Node  Penetration   Component",
    };
    for (const TLodoComp& c : list) {
        std::string row = ComponentRow(c);
        if (!row.empty())
            lines.push_back(std::move(row));
    }
    lines.insert(lines.end(), {" ", "Notes:"});
    lines.insert(lines.end(), ResultsNotes().begin(), ResultsNotes().end());
    lines.insert(lines.end(), {" ", "Nomenclature:"});
    lines.insert(lines.end(), ResultsNomenclature().begin(), ResultsNomenclature().end());
    return lines;
}

const std::vector<std::string>& ResultsNotes() {
    static const std::vector<std::string> notes = {
        "1) The values of % Penetration are estimates based upon correlations.",
        "2) Calculations were made with the best possible extrapolations of the models.",
        "3) ANSI N13.1-2011 states that the Curvature Ratio (Ro) shall be at least 3.0",
        "4) The flow in Components with an \"*\" is in the transition range. The Transmission "
        "calculated "
        "for such components is an estimate based on selecting the best transmission using both "
        "the "
        "Laminar and the Turbulent models.",
    };
    return notes;
}

const std::vector<std::string>& ResultsNomenclature() {
    static const std::vector<std::string> nomenclature = {
        "Di = Inlet Diameter          Do = Outlet Diameter",
        Theta + " = Bend Angle               " + Phi + " = Inclination from Horizontal",
        "Ae = Aspiration ratio       WL = Wall Loss Fraction",
        "L = Length",
        "Ro = Curvature Ratio = Radius of Curvature/Tube Diameter",
    };
    return nomenclature;
}
