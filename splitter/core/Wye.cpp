#include "splitter/core/Wye.h"

#include "physics/LodoMath.h"

#include <cmath>
#include <cstdlib>
#include <fmt/format.h>

namespace Wye {

namespace {

// Relative dimensions of the recommended splitter geometry.
constexpr double OutletDiaRatio = 0.7;
constexpr double InletLenRatio = 10.5;
constexpr double OutletLenRatio = 13.0;

constexpr const char* LessEq = "\u2264";

} // namespace

std::string GeneralDigits(double x, int digits) {
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x > 0 ? "INF" : "-INF";
    if (digits < 1)
        digits = 1;
    if (x == 0.0)
        return "0";

    // Round once to the allowed digits; both layouts are built from that digit string
    // so that fixed and scientific texts never round twice.
    const std::string sci = fmt::format("{:.{}e}", std::fabs(x), digits - 1);
    const auto ePos = sci.find('e');
    std::string mantissa = sci.substr(0, ePos);
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    std::string d; // the significant digits
    for (char c : mantissa)
        if (c != '.')
            d += c;

    const std::string sign = x < 0 ? "-" : "";
    const auto trimZeros = [](std::string s) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        return s;
    };

    if (std::fabs(x) >= 1e-5 && exponent < digits) {
        std::string intPart, fracPart;
        if (exponent >= 0) {
            intPart = d.substr(0, exponent + 1);
            fracPart = d.substr(exponent + 1);
        } else {
            intPart = "0";
            fracPart = std::string(-exponent - 1, '0') + d;
        }
        fracPart = trimZeros(fracPart);
        return sign + intPart + (fracPart.empty() ? "" : "." + fracPart);
    }

    std::string frac = trimZeros(d.substr(1));
    return sign + d.substr(0, 1) + (frac.empty() ? "" : "." + frac) + "E" +
           (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
}

WyeResults CalcT(const WyeInputs& in, float PartSize) {
    using namespace LodoMath;
    const double dp = PartSize;
    WyeResults r;
    r.YDo = OutletDiaRatio * in.YDi;
    r.YLi = InletLenRatio * in.YDi;
    r.YLo = OutletLenRatio * in.YDi;
    r.YVel = Vel(in.YDi, in.YFlow);
    r.Stoke = StkNo(in.YTemp, in.YPress, dp, r.YVel, in.YDi);
    r.Reynolds = ReynoldsNo(r.YVel, in.YDi, in.YTemp, in.YPress);
    r.YTrans = SplitR(in.YTemp, in.YPress, dp, r.YVel, in.YDi, in.YAngle);

    r.Label1 = GeneralDigits(r.YTrans * 100.0, 5);
    r.Label7 = "Do: Theoretical Outlet Tube Dia (mm): " + GeneralDigits(r.YDo, 5);
    r.Label9 = "Li: Minimum Inlet Tube Length (mm): " + GeneralDigits(r.YLi, 5);
    r.Label10 = "Lo: Minimum outlet Tube Length (mm): " + GeneralDigits(r.YLo, 5);
    r.Label15 = "Stokes Number: " + GeneralDigits(r.Stoke, 3);
    r.Label16 = "Reynolds Number: " + GeneralDigits(r.Reynolds, 6);

    const auto outside = [](double v, InputLimit l) { return !(v >= l.Min && v <= l.Max); };
    r.StokesOutside = outside(r.Stoke, StokesRange);
    r.ReynoldsOutside = outside(r.Reynolds, ReynoldsRange);
    std::string findings;
    if (r.StokesOutside)
        findings += "Stk " + GeneralDigits(r.Stoke, 3);
    if (r.ReynoldsOutside)
        findings +=
            (findings.empty() ? "" : ", ") + std::string("Re ") + GeneralDigits(r.Reynolds, 6);
    if (!findings.empty())
        r.LimitsNote = "Outside the model limitations (" + findings +
                       "): the penetration is an extrapolation of the correlation.";
    return r;
}

std::optional<std::string> CheckInput(Input which, double value) {
    struct Rule {
        const char* What;
        InputLimit Limit;
        const char* Unit;
    };
    static constexpr Rule rules[] = {
        {"Inlet flow rate", FlowLimit, " LPM"},
        {"Bifurcation angle", AngleLimit, " degrees"},
        {"Inlet internal diameter", DiLimit, " mm"},
        {"Temperature", TempLimit, " C"},
        {"Pressure", PressLimit, " kPa"},
    };
    const Rule& r = rules[static_cast<int>(which)];
    if (value >= r.Limit.Min && value <= r.Limit.Max)
        return std::nullopt;
    if (!std::isfinite(r.Limit.Max))
        return std::string(r.What) + " must be at least " + GeneralDigits(r.Limit.Min, 6) + r.Unit +
               ".";
    return std::string(r.What) + " must be between " + GeneralDigits(r.Limit.Min, 6) + " and " +
           GeneralDigits(r.Limit.Max, 6) + r.Unit + ".";
}

std::string ParticleSizeText(float PartSize, bool logNormal) {
    std::string text = "Particle size: " + GeneralDigits(PartSize, 5) +
                       " \u00b5m, the monodisperse size of the distribution window";
    if (logNormal)
        text += " (the line is evaluated for the log-normal distribution; this splitter model "
                "takes one size)";
    return text + ".";
}

std::array<std::string, 3> LimitsLines() {
    const std::string le = LessEq;
    return {
        "0.034 " + le + " Stk " + le + " 1.248",
        std::string("30") + "\u00b0" + " " + le + " " + "\u03b8" + " " + le + " 90" + "\u00b0",
        "2560 " + le + " Re " + le + " 13,600",
    };
}

std::string LimitsText() {
    const auto lines = LimitsLines();
    return lines[0] + "\n" + lines[1] + "\n" + lines[2];
}

} // namespace Wye
