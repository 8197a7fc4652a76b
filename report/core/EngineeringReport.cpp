#include "report/core/EngineeringReport.h"

#include "analysis/CutSize.h"
#include "analysis/LimitFindings.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeResolvedText.h"
#include "model/EvalFrame.h"
#include "model/LodoError.h"
#include "model/NumberFormat.h"
#include "model/Units.h"
#include "report/core/ResultsReport.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace EngReport {
namespace {

const std::string Deg = "\u00B0";
const std::string Phi = "\u03A6";
const std::string Theta = "\u0398";
const std::string Micro = "\u00B5m";
const std::string Dash = "\u2013";

std::string Num(double x, int decimals) {
    return std::isfinite(x) ? NumberFormat::Fixed(x, decimals) : "invalid";
}

// A fraction as a percentage with two decimals, the totals' precision.
std::string Pct(double fraction) {
    return Num(100.0 * fraction, 2);
}

std::string PctUnit(double fraction) {
    const std::string p = Pct(fraction);
    return p == "invalid" ? p : p + " %";
}

std::string Size(double um) {
    return std::isfinite(um) ? fmt::format("{:g} ", um) + Micro : "invalid";
}

// A computed size: three significant digits are what the models support.
std::string SizeOf(double um) {
    return std::isfinite(um) ? fmt::format("{:.3g} ", um) + Micro : "invalid";
}

// A size the analysis found (0.001 to 1000 um), written as lodo-cli and the main
// window write it: "%g" would give 999.7 as "1e+03".
std::string FoundSize(double um) {
    const std::string d = Analysis::DiameterText(um);
    return d == "invalid" ? d : d + " " + Micro;
}

std::string WithUnit(double v, int decimals, const std::string& unit, const std::string& metric,
                     const std::string& english) {
    return Num(v, decimals) + " " + (Units::IsMetric(unit) ? metric : english);
}

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

bool Marked(const TLodoComp& c) {
    return EvalFrame::StripMark(c.Name) != c.Name;
}

// An entered value in its own unit, and in working units when it was entered in
// English units.
std::string Condition(double v, int decimals, const std::string& unit, const std::string& metric,
                      const std::string& english, double inMetric) {
    std::string s = WithUnit(v, decimals, unit, metric, english);
    if (!Units::IsMetric(unit))
        s += " (" + Num(inMetric, decimals) + " " + metric + ")";
    return s;
}

FieldList ParticlesAndConditions(const LodoModel& m) {
    const TLodoComp& first = m.List.front();
    FieldList f;
    if (EvalFrame::IsLogNormal(m.Ctx))
        f.Fields.push_back(
            {"Particles", "log-normal distribution: mass median aerodynamic diameter "
                          "(MMAD) " +
                              Size(m.Ctx.MDp) + ", geometric standard deviation (GSD) " +
                              fmt::format("{:g}", m.Ctx.DpSD)});
    else
        f.Fields.push_back({"Particles", "one size: aerodynamic diameter " + Size(m.Ctx.Dp)});
    f.Fields.push_back({"Particle density", "1000 kg/m\u00B3 (sizes are aerodynamic diameters)"});
    f.Fields.push_back(
        {"Sample flow rate", Condition(first.Flow, 2, first.FlowUnit, "L/min", "ft\u00B3/min",
                                       Units::FlowToLpm(first.Flow, first.FlowUnit))});
    f.Fields.push_back(
        {"Temperature", Condition(first.Temp, 1, first.TempUnit, Deg + "C", Deg + "F",
                                  Units::TempToC(first.Temp, first.TempUnit))});
    f.Fields.push_back({"Pressure", Condition(first.Press, 2, first.PressUnit, "kPa", "psi",
                                              Units::PressToKPa(first.Press, first.PressUnit)) +
                                        " absolute"});
    f.Fields.push_back(
        {"Free-stream velocity", Condition(first.FStream, 2, first.FStreamUnit, "m/s", "ft/s",
                                           Units::VelToMs(first.FStream, first.FStreamUnit))});

    // Flow and pressure are made uniform along the line; temperature need not be.
    double lo = INFINITY, hi = -INFINITY;
    for (const TLodoComp& c : m.List) {
        const double t = Units::TempToC(c.Temp, c.TempUnit);
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    if (std::isfinite(lo) && std::isfinite(hi) && Num(lo, 1) != Num(hi, 1))
        f.Fields.push_back(
            {"Temperature along the line", Num(lo, 1) + " to " + Num(hi, 1) + " " + Deg + "C"});
    f.Fields.push_back({"Components", std::to_string(m.List.size())});
    return f;
}

Verdict SystemVerdict(const LodoModel& m) {
    Verdict v;
    v.Limit = "above 50 %";
    if (EvalFrame::IsLogNormal(m.Ctx)) {
        v.Check = "System penetration (product of the component transmissions)";
        v.Detail = "The main window's verdict; by the specified log-normal method each "
                   "transmission is the mass penetration of a tube or inlet and the "
                   "transmission at the mass median diameter of a fitting.";
    } else {
        v.Check = "System penetration at " + Size(m.Ctx.Dp);
    }
    if (HasInvalidSystem(m.Ctx)) {
        v.Value = "invalid";
        v.Detail = "A result of the line is not a number; no verdict.";
        return v;
    }
    v.Value = PctUnit(m.Ctx.SystemTrans);
    // Exactly 50 % passes, as the totals' colour has it.
    v.Result = 100.0 * m.Ctx.SystemTrans >= 50.0 ? Outcome::Pass : Outcome::Fail;
    return v;
}

// ANSI N13.1 sets its criteria at 10 um aerodynamic diameter; the line's curve gives
// the penetration there whatever the particle description in force.
Verdict TenMicronVerdict(const LodoList& list) {
    Verdict v;
    v.Check = "Penetration at 10 " + Micro + " aerodynamic diameter (from the penetration curve)";
    v.Limit = "above 50 %";
    const float tenMicron[] = {10.0f};
    const Analysis::PenetrationCurve curve = Analysis::ComputePenetrationCurve(list, tenMicron);
    const double p = curve.System.empty() ? NAN : curve.System.front();
    v.Value = PctUnit(p);
    if (!std::isfinite(p)) {
        v.Detail = "The penetration at 10 " + Micro + " is not a number; no verdict.";
        return v;
    }
    v.Result = 100.0 * p >= 50.0 ? Outcome::Pass : Outcome::Fail;
    return v;
}

Verdict SizeResolvedVerdict(const std::optional<Analysis::SizeResolvedResult>& sr) {
    Verdict v;
    v.Check = "Size-resolved mass penetration (exact, over the aerosol's size distribution)";
    v.Limit = "above 50 %";
    const double p = sr ? sr->MassPenetration : NAN;
    v.Value = PctUnit(p);
    if (!std::isfinite(p)) {
        v.Detail = "No size-resolved result for this distribution; no verdict.";
        return v;
    }
    v.Result = 100.0 * p >= 50.0 ? Outcome::Pass : Outcome::Fail;
    return v;
}

Verdict InletVerdict(const LodoModel& m) {
    Verdict v;
    v.Limit = "0.8 to 1.5";
    const TLodoComp& first = m.List.front();
    if (!IsInlet(first)) {
        v.Check = "Inlet aspiration ratio";
        v.Value = Dash;
        v.Detail = "The line does not start with a nozzle or a shrouded probe.";
        return v;
    }
    // The evaluation takes it at the particle size, or at the mass median diameter.
    v.Check = "Inlet aspiration ratio (" + EvalFrame::StripMark(first.Name) + ") at " +
              Size(EvalFrame::IsLogNormal(m.Ctx) ? m.Ctx.MDp : m.Ctx.Dp);
    v.Value = Num(first.TransM2, 4);
    if (!std::isfinite(first.TransM2)) {
        v.Detail = "The aspiration ratio is not a number; no verdict.";
        return v;
    }
    v.Result = EvalFrame::AspirationVerdict(first.TransM2).Colour == Argb::Green ? Outcome::Pass
                                                                                 : Outcome::Fail;
    return v;
}

Verdict BendVerdict(const LodoModel& m) {
    Verdict v;
    v.Check = "Bend curvature ratio Ro (radius / tube diameter)";
    v.Limit = "at least " + Num(MinCurvatureRatio, 1);
    int bends = 0;
    double lowest = INFINITY;
    std::vector<std::string> below;
    for (const TLodoComp& c : m.List) {
        if (c.NTypeInt != NodeBend)
            continue;
        ++bends;
        const double ro = ReportCurvatureRatio(c);
        lowest = std::min(lowest, ro);
        // A ratio that is not a number cannot be shown to meet the requirement.
        if (!(ro >= MinCurvatureRatio))
            below.push_back(EvalFrame::StripMark(c.Name) + " (Ro " + Num(ro, 2) + ")");
    }
    if (bends == 0) {
        v.Value = Dash;
        v.Detail = "The line has no bends.";
        return v;
    }
    v.Value = "lowest " + Num(lowest, 2);
    if (below.empty()) {
        v.Result = Outcome::Pass;
        v.Detail =
            bends == 1 ? "The bend meets it." : "All " + std::to_string(bends) + " bends meet it.";
        return v;
    }
    v.Result = Outcome::Fail;
    std::string names;
    for (const std::string& b : below)
        names += (names.empty() ? "" : ", ") + b;
    v.Detail =
        std::string(below.size() == 1 ? "Below it: "
                                      : "Below it (" + std::to_string(below.size()) + " bends): ") +
        names + ".";
    return v;
}

std::string Geometry(const TLodoComp& c) {
    const std::string di = "Di " + WithUnit(c.Dia1, 2, c.Dia1Unit, "mm", "in");
    const std::string phi = Phi + " " + Num(c.Ang1, 1) + Deg;
    switch (c.NTypeInt) {
    case NodeTube:
        return di + ", L " + WithUnit(c.Len, 2, c.LenUnit, "m", "ft") + ", " + phi;
    case NodeBend:
        return di + ", " + Theta + " " + Num(c.Ang2, 1) + Deg + ", radius " +
               WithUnit(c.Brd, 4, c.RadiusUnit, "m", "in") + ", Ro " +
               Num(ReportCurvatureRatio(c), 2) + ", " + phi;
    case NodeContraction:
    case NodeExpansion:
        return di + ", Do " + WithUnit(c.Dia2, 2, c.Dia2Unit, "mm", "in") + ", half angle " +
               Num(c.Ang2, 1) + Deg;
    case NodeNozzle:
        return di + ", L " + WithUnit(c.Len, 2, c.LenUnit, "mm", "in") + ", " + phi;
    case NodeShroud:
        // The probe's dimensions are the catalogue's.
        return "catalogue dimensions, " + phi;
    default:
        return Dash;
    }
}

Table ComponentTable(const LodoModel& m) {
    Table t;
    t.Columns = {{"Node", Align::Right},        {"Component", Align::Left},
                 {"Type", Align::Left},         {"Penetration %", Align::Right},
                 {"Diffusion %", Align::Right}, {"Settling %", Align::Right},
                 {"Inertial %", Align::Right},  {"Aspiration ratio", Align::Right},
                 {"Wall loss", Align::Right},   {"Geometry", Align::Left, true},
                 {"Transition", Align::Centre}};
    for (std::size_t i = 0; i < m.List.size(); ++i) {
        const TLodoComp& c = m.List[i];
        std::vector<std::string> row = {std::to_string(i),
                                        EvalFrame::StripMark(c.Name),
                                        c.NType,
                                        Pct(c.TransM1),
                                        Dash,
                                        Dash,
                                        Dash,
                                        Dash,
                                        Dash,
                                        Geometry(c),
                                        Marked(c) ? "*" : ""};
        switch (c.NTypeInt) {
        case NodeTube:
            row[4] = Pct(c.TransM2);
            row[5] = Pct(c.TransM3);
            row[6] = Pct(c.TransM4);
            break;
        case NodeNozzle:
        case NodeShroud:
            row[7] = Num(c.TransM2, 4);
            row[8] = Num(c.TransM3, 4);
            break;
        case NodeBend:
        case NodeContraction:
        case NodeExpansion:
            break;
        default:
            row[3] = "not evaluated";
            break;
        }
        t.Rows.push_back(std::move(row));
    }
    t.Legend = "Penetration: percent of what enters the component. Diffusion, settling and "
               "inertial: the three mechanisms of a tube; a bend, contraction or expansion has one "
               "inertial model, its penetration. An inlet's penetration is its aspiration ratio "
               "\u00D7 (1 \u2212 wall loss) and may exceed 100 %. Wall loss: the fraction lost "
               "(nozzle) or the wall-loss ratio (shrouded probe). Transition *: Reynolds number "
               "between 2100 and 4000 (note 4).";
    if (EvalFrame::IsLogNormal(m.Ctx))
        t.Legend +=
            " Log-normal mode: tubes and inlets show their mass penetration, fittings their "
            "transmission at the mass median diameter (specified method).";
    return t;
}

std::vector<Block> LogNormalResults(const LodoModel& m,
                                    const std::optional<Analysis::SizeResolvedResult>& sr) {
    std::vector<Block> out;
    out.push_back(Heading{"Log-normal results"});
    FieldList f;
    f.Fields.push_back(
        {"Particle (number) penetration, specified method", PctUnit(m.Ctx.PartTrans)});
    f.Fields.push_back({"Mass penetration, specified method", PctUnit(m.Ctx.MassTrans)});
    f.Fields.push_back({"Largest particle transmitted, specified method", SizeOf(m.Ctx.NewHighV)});
    f.Fields.push_back(
        {"Mass penetration, size-resolved", sr ? PctUnit(sr->MassPenetration) : "none"});
    f.Fields.push_back(
        {"Number penetration, size-resolved", sr ? PctUnit(sr->NumberPenetration) : "none"});
    f.Fields.push_back(
        {"MMAD of the aerosol leaving the line, size-resolved",
         sr && std::isfinite(sr->PenetratedMMAD) ? FoundSize(sr->PenetratedMMAD) : "none"});
    out.push_back(std::move(f));
    out.push_back(Paragraph{
        "The specified method, which the main window shows, takes the mass median as the median "
        "of the number distribution and multiplies per-component averages; the size-resolved "
        "values integrate the line's penetration at each particle size over the aerosol's mass "
        "and number distributions, so the two can differ widely, and the size-resolved ones are "
        "the penetration of the aerosol as described."});
    Table t;
    t.Columns = {{"Node", Align::Right},
                 {"Component", Align::Left},
                 {"Number %, specified", Align::Right},
                 {"Mass %, specified", Align::Right},
                 {"Number %, size-resolved", Align::Right},
                 {"Mass %, size-resolved", Align::Right},
                 {"Mass deposited, % of the mass entering", Align::Right}};
    for (std::size_t i = 0; i < m.List.size(); ++i) {
        const TLodoComp& c = m.List[i];
        std::vector<std::string> row = {std::to_string(i),
                                        EvalFrame::StripMark(c.Name),
                                        Pct(c.PTrans),
                                        Pct(c.MTrans),
                                        Dash,
                                        Dash,
                                        Dash};
        if (sr && i < sr->Components.size()) {
            const Analysis::ComponentSizeResolved& x = sr->Components[i];
            row[4] =
                std::isfinite(x.NumberPenetration) ? Pct(x.NumberPenetration) : "nothing arrives";
            row[5] = std::isfinite(x.MassPenetration) ? Pct(x.MassPenetration) : "nothing arrives";
            row[6] = Pct(x.MassDeposited);
        }
        t.Rows.push_back(std::move(row));
    }
    t.Legend = "Specified: weighted by the inlet distribution cut at the largest size transmitted "
               "upstream. Size-resolved: of the aerosol that actually arrives at the component, so "
               "the components' values multiply to the line's.";
    out.push_back(std::move(t));

    if (sr) {
        // The largest deposits by name; the rest together.
        std::vector<std::size_t> order(sr->Components.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        const auto share = [&](std::size_t i) {
            const double d = sr->Components[i].MassDeposited;
            return std::isfinite(d) ? d : -1.0;
        };
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return share(a) > share(b); });
        constexpr std::size_t Named = 10;
        ShareChart chart;
        double rest = 0;
        for (std::size_t k = 0; k < order.size(); ++k) {
            const std::size_t i = order[k];
            const double d = sr->Components[i].MassDeposited;
            if (k < Named)
                chart.Bars.push_back(
                    {std::to_string(i) + " " + EvalFrame::StripMark(m.List[i].Name), 100.0 * d});
            else if (std::isfinite(d))
                rest += d;
        }
        if (order.size() > Named)
            chart.Bars.push_back(
                {"the other " + std::to_string(order.size() - Named) + " components",
                 100.0 * rest});
        chart.Caption =
            "Where the mass goes: the share of the mass entering the line (for an inlet, the "
            "mass it aspirates) deposited in each component, size-resolved; the largest "
            "first.";
        out.push_back(Heading{"Where the mass goes"});
        out.push_back(std::move(chart));
    }
    return out;
}

std::vector<Block> LimitsSection(const LodoModel& m) {
    std::vector<Block> out;
    out.push_back(Heading{"Model limits"});
    const std::vector<std::vector<std::string>> findings = ModelLimits::LineFindingTexts(m);
    Table t;
    t.Columns = {
        {"Node", Align::Right}, {"Component", Align::Left}, {"Finding", Align::Left, true}};
    std::size_t components = 0;
    for (std::size_t i = 0; i < findings.size() && i < m.List.size(); ++i) {
        if (!findings[i].empty())
            ++components;
        for (const std::string& text : findings[i])
            t.Rows.push_back({std::to_string(i), EvalFrame::StripMark(m.List[i].Name), text});
    }
    if (t.Rows.empty()) {
        out.push_back(Paragraph{std::string(ModelLimits::NoFindingsText) + "."});
    } else {
        out.push_back(Paragraph{
            std::to_string(components) + " of " + std::to_string(m.List.size()) +
            (components == 1
                 ? " component has a result outside the published range of its model"
                 : " components have results outside the published ranges of their models") +
            ". A finding changes no number: it says that the correlation is used beyond the range "
            "it was fitted on."});
        out.push_back(std::move(t));
    }
    if (EvalFrame::IsLogNormal(m.Ctx))
        out.push_back(Paragraph{std::string(ModelLimits::LogNormalNote)});
    return out;
}

std::vector<Block> CurveSection(const LodoList& list) {
    const std::optional<double> d50 = Analysis::CutSizeD50(list);
    // The curve reaches past d50 when the cut lies above the usual range.
    const double to = d50 && *d50 > Analysis::CurveTo ? std::min(2.0 * *d50, Analysis::SizeCeil)
                                                      : Analysis::CurveTo;
    const std::vector<float> sizes =
        Analysis::LogSpacedSizes(Analysis::CurveFrom, to, Analysis::CurvePoints);
    const Analysis::PenetrationCurve curve = Analysis::ComputePenetrationCurve(list, sizes);
    CurveChart chart;
    for (std::size_t k = 0; k < curve.Dp.size() && k < curve.System.size(); ++k) {
        chart.Dp.push_back(curve.Dp[k]);
        chart.System.push_back(100.0 * curve.System[k]);
    }
    chart.D50 = d50;
    chart.Caption = (d50 ? "Cut size d50 = " + FoundSize(*d50) + ". "
                         : "No cut size d50: the curve never rises above 50 %, or does not fall to "
                           "50 % up to 1000 " +
                               Micro + ". ") +
                    "System penetration of the line against aerodynamic diameter, each size "
                    "evaluated as one particle size (inlets with their aspiration); dashed: 50 %.";
    std::vector<Block> out;
    out.push_back(Heading{"Penetration curve"});
    out.push_back(std::move(chart));
    return out;
}

// The specified notes and nomenclature, as the results report prints them.
void NotesAndNomenclature(std::vector<Block>& out) {
    TextLines n{ResultsNotes()}, nom{ResultsNomenclature()};
    // The symbols this report adds to the specified ones.
    nom.Lines.push_back(
        "MMAD = Mass median aerodynamic diameter     GSD = Geometric standard deviation");
    nom.Lines.push_back("d50 = Cut size: the diameter above the curve's maximum at which the "
                        "penetration falls to 50 %");
    out.push_back(Heading{"Notes"});
    out.push_back(std::move(n));
    out.push_back(Heading{"Nomenclature"});
    out.push_back(std::move(nom));
}

std::string OutcomeText(Outcome o) {
    switch (o) {
    case Outcome::Pass:
        return "PASS";
    case Outcome::Fail:
        return "FAIL";
    case Outcome::NotJudged:
        return "not judged";
    }
    return {};
}

} // namespace

double ReportCurvatureRatio(const TLodoComp& bend) {
    const double radiusM = Units::RadiusToM(bend.Brd, bend.RadiusUnit);
    const double diaM = Units::DiaToMm(bend.Dia1, bend.Dia1Unit) / 1000.0;
    return radiusM / diaM;
}

Report BuildReport(const LodoModel& m, const Source& source) {
    Report r;
    r.Title = "Sample Line Engineering Report";
    r.Head.LineName = source.LineName;
    r.Head.FilePath = source.FilePath.empty()    ? std::string("not saved")
                      : source.ChangedSinceSaved ? source.FilePath + " (changed since it was saved)"
                                                 : source.FilePath;
    r.Head.DateTime = source.DateTime;
    if (m.List.empty()) {
        r.Blocks.push_back(Paragraph{std::string(LodoErrorText(9))});
        return r;
    }
    r.Blocks.push_back(Heading{"Particles and conditions"});
    r.Blocks.push_back(ParticlesAndConditions(m));

    r.Blocks.push_back(Heading{"ANSI N13.1 verdicts"});
    const bool logNormal = EvalFrame::IsLogNormal(m.Ctx);
    const std::optional<Analysis::SizeResolvedResult> sr =
        logNormal ? Analysis::ComputeSizeResolved(m.List, m.Ctx.MDp, m.Ctx.DpSD) : std::nullopt;
    VerdictList verdicts;
    verdicts.Items.push_back(SystemVerdict(m));
    if (logNormal)
        verdicts.Items.push_back(SizeResolvedVerdict(sr));
    verdicts.Items.push_back(TenMicronVerdict(m.List));
    verdicts.Items.push_back(InletVerdict(m));
    verdicts.Items.push_back(BendVerdict(m));
    r.Blocks.push_back(std::move(verdicts));

    r.Blocks.push_back(Heading{"Components"});
    r.Blocks.push_back(ComponentTable(m));

    if (logNormal)
        for (Block& b : LogNormalResults(m, sr))
            r.Blocks.push_back(std::move(b));
    for (Block& b : LimitsSection(m))
        r.Blocks.push_back(std::move(b));
    for (Block& b : CurveSection(m.List))
        r.Blocks.push_back(std::move(b));

    r.Blocks.push_back(Heading{"Drawing"});
    r.Blocks.push_back(
        LinePicture{Drawing::DrawSampleLine(m.List),
                    "The line as the 3-D view draws it, schematic: tube lengths to "
                    "scale, every tube the same diameter, every bend the same radius."});

    NotesAndNomenclature(r.Blocks);
    return r;
}

std::vector<std::string> ReportText(const Report& report) {
    std::vector<std::string> out = {report.Title,
                                    "Sample line: " + report.Head.LineName,
                                    "File: " + report.Head.FilePath,
                                    "Date: " + report.Head.DateTime,
                                    report.Head.Program,
                                    ""};
    const auto join = [](const std::vector<std::string>& cells) {
        std::string s;
        for (const std::string& c : cells)
            s += (s.empty() ? "" : " | ") + c;
        return s;
    };
    for (const Block& block : report.Blocks) {
        std::visit(
            [&](const auto& b) {
                using T = std::decay_t<decltype(b)>;
                if constexpr (std::is_same_v<T, Heading> || std::is_same_v<T, Paragraph>) {
                    out.push_back(b.Text);
                } else if constexpr (std::is_same_v<T, FieldList>) {
                    for (const Field& f : b.Fields)
                        out.push_back(f.Label + ": " + f.Value);
                } else if constexpr (std::is_same_v<T, VerdictList>) {
                    for (const Verdict& v : b.Items) {
                        out.push_back(v.Check + ": " + v.Value + " " + OutcomeText(v.Result) +
                                      " (" + v.Limit + ")");
                        if (!v.Detail.empty())
                            out.push_back("  " + v.Detail);
                    }
                } else if constexpr (std::is_same_v<T, Table>) {
                    std::vector<std::string> head;
                    for (const Column& c : b.Columns)
                        head.push_back(c.Title);
                    out.push_back(join(head));
                    for (const auto& row : b.Rows)
                        out.push_back(join(row));
                    if (!b.Legend.empty())
                        out.push_back(b.Legend);
                } else if constexpr (std::is_same_v<T, CurveChart> ||
                                     std::is_same_v<T, ShareChart> ||
                                     std::is_same_v<T, LinePicture>) {
                    out.push_back(b.Caption);
                } else if constexpr (std::is_same_v<T, TextLines>) {
                    out.insert(out.end(), b.Lines.begin(), b.Lines.end());
                }
            },
            block);
        out.emplace_back();
    }
    return out;
}

} // namespace EngReport
