#include "report/core/EngineeringReport.h"

#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeResolvedText.h"
#include "model/EvalFrame.h"
#include "model/EvalTerms.h"
#include "model/LodoError.h"
#include "model/NumberFormat.h"
#include "model/Units.h"
#include "physics/LodoMath.h"
#include "report/core/DesignRecord.h"
#include "report/core/MassBalance.h"
#include "report/core/MethodsAppendix.h"
#include "report/core/ReportFormat.h"
#include "report/core/ResultsReport.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace EngReport {
namespace {

using namespace Format;

const std::string Phi = "\u03A6";
const std::string Theta = "\u0398";

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

// An entered value with its unit, written as entered.
std::string WithUnit(double v, const std::string& unit, const std::string& metric,
                     const std::string& english) {
    return Entered(v) + " " + (Units::IsMetric(unit) ? metric : english);
}

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

bool Marked(const TLodoComp& c) {
    return EvalFrame::StripMark(c.Name) != c.Name;
}

// An entered value in its own unit, and in working units when it was entered in
// English units.
std::string Condition(double v, const std::string& unit, const std::string& metric,
                      const std::string& english, double inMetric, int decimals) {
    std::string s = WithUnit(v, unit, metric, english);
    if (!Units::IsMetric(unit))
        s += " (" + Num(inMetric, decimals) + " " + metric + ")";
    return s;
}

FieldList ParticlesAndConditions(const LodoModel& m) {
    const TLodoComp& first = m.List.front();
    FieldList f;
    if (EvalFrame::IsLogNormal(m.Ctx))
        f.Fields.push_back(
            {"Particles",
             std::string("log-normal distribution: mass median ") +
                 (m.Ctx.Particle.Sizes == LodoMath::SizeType::Physical ? "volume-equivalent"
                                                                       : "aerodynamic") +
                 " diameter (MMAD) " + Size(m.Ctx.MDp) + ", geometric standard deviation (GSD) " +
                 Entered(m.Ctx.DpSD)});
    else
        f.Fields.push_back({"Particles", std::string("one size: ") +
                                             (m.Ctx.Particle.Sizes == LodoMath::SizeType::Physical
                                                  ? "volume-equivalent"
                                                  : "aerodynamic") +
                                             " diameter " + Size(m.Ctx.Dp)});
    const LodoMath::ParticleProperties& pp = m.Ctx.Particle;
    if (pp == LodoMath::ParticleProperties{})
        f.Fields.push_back(
            {"Particle density", "1000 kg/m\u00B3 (sizes are aerodynamic diameters)"});
    else
        f.Fields.push_back(
            {"Particle properties",
             fmt::format("density {:g} kg/m\u00B3, dynamic shape factor {:g}, thermal "
                         "conductivity {:g} W/(m K); sizes are {} diameters",
                         pp.Density, pp.ShapeFactor, pp.ThermalConductivity,
                         pp.Sizes == LodoMath::SizeType::Physical ? "volume-equivalent"
                                                                  : "aerodynamic")});
    f.Fields.push_back(
        {"Sample flow rate", Condition(first.Flow, first.FlowUnit, "L/min", "ft\u00B3/min",
                                       Units::FlowToLpm(first.Flow, first.FlowUnit), 2)});
    f.Fields.push_back({"Temperature", Condition(first.Temp, first.TempUnit, Deg + "C", Deg + "F",
                                                 Units::TempToC(first.Temp, first.TempUnit), 1)});
    f.Fields.push_back({"Pressure", Condition(first.Press, first.PressUnit, "kPa", "psi",
                                              Units::PressToKPa(first.Press, first.PressUnit), 3) +
                                        " absolute"});
    f.Fields.push_back(
        {"Free-stream velocity", Condition(first.FStream, first.FStreamUnit, "m/s", "ft/s",
                                           Units::VelToMs(first.FStream, first.FStreamUnit), 2)});

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

// The aerosol's results: in log-normal mode the size-resolved ones first, the
// specified method's after them and labelled as such; information, not a verdict.
FieldList AerosolResults(const LodoModel& m, const std::optional<Analysis::SizeResolvedResult>& sr,
                         const std::optional<double>& d50) {
    FieldList f;
    if (EvalFrame::IsLogNormal(m.Ctx)) {
        f.Fields.push_back(
            {"Mass penetration, size-resolved", sr ? PctUnit(sr->MassPenetration) : "none"});
        f.Fields.push_back(
            {"Number penetration, size-resolved", sr ? PctUnit(sr->NumberPenetration) : "none"});
        f.Fields.push_back(
            {"MMAD leaving the line, size-resolved",
             sr && std::isfinite(sr->PenetratedMMAD) ? FoundSize(sr->PenetratedMMAD) : "none"});
        f.Fields.push_back({"System penetration, specified method",
                            HasInvalidSystem(m.Ctx) ? "invalid" : PctUnit(m.Ctx.SystemTrans)});
        f.Fields.push_back({"Mass penetration, specified method", PctUnit(m.Ctx.MassTrans)});
        f.Fields.push_back({"Number penetration, specified method", PctUnit(m.Ctx.PartTrans)});
        f.Fields.push_back({"Largest size transmitted, specified method", SizeOf(m.Ctx.NewHighV)});
    } else {
        f.Fields.push_back({"System penetration at " + Size(m.Ctx.Dp),
                            HasInvalidSystem(m.Ctx) ? "invalid" : PctUnit(m.Ctx.SystemTrans)});
    }
    f.Fields.push_back({"Cut size d50", d50 ? FoundSize(*d50) : "none"});
    return f;
}

std::string Geometry(const TLodoComp& c) {
    const std::string di = "Di " + WithUnit(c.Dia1, c.Dia1Unit, "mm", "in");
    const std::string phi = Phi + " " + Entered(c.Ang1) + Deg;
    switch (c.NTypeInt) {
    case NodeTube:
        return di + ", L " + WithUnit(c.Len, c.LenUnit, "m", "ft") + ", " + phi;
    case NodeBend:
        return di + ", " + Theta + " " + Entered(c.Ang2) + Deg + ", radius " +
               WithUnit(c.Brd, c.RadiusUnit, "m", "in") + ", Ro " +
               Num(ReportCurvatureRatio(c), 2) + ", " + phi;
    case NodeContraction:
    case NodeExpansion:
        return di + ", Do " + WithUnit(c.Dia2, c.Dia2Unit, "mm", "in") + ", half angle " +
               Entered(c.Ang2) + Deg;
    case NodeNozzle:
        return di + ", L " + WithUnit(c.Len, c.LenUnit, "mm", "in") + ", " + phi;
    case NodeShroud:
        // The probe's dimensions are the catalogue's.
        return "catalogue dimensions, " + phi;
    default:
        return Dash;
    }
}

std::string RegimeOf(double re) {
    if (!std::isfinite(re))
        return "invalid";
    if (re <= 2100)
        return "laminar";
    return re < 4000 ? "transition *" : "turbulent";
}

// The size every row of the component tables is evaluated at.
double TableSize(const LodoModel& m) {
    return EvalFrame::IsLogNormal(m.Ctx) ? m.Ctx.MDp : m.Ctx.Dp;
}

// Penetration and its mechanisms, all at one particle size, so a row's penetration is
// the product of its mechanism columns.
Table MechanismTable(const LodoModel& m) {
    const bool logNormal = EvalFrame::IsLogNormal(m.Ctx);
    const double dp = TableSize(m);
    Table t;
    t.Columns = {{"Node", Align::Right},
                 {"Component", Align::Left},
                 {"Type", Align::Left},
                 {"Penetration %", Align::Right},
                 {"Diffusion %", Align::Right},
                 {"Settling %", Align::Right},
                 {"Inertial %", Align::Right},
                 {"Fitting %", Align::Right},
                 {"Aspiration ratio", Align::Right},
                 {"Wall %", Align::Right}};
    for (std::size_t i = 0; i < m.List.size(); ++i) {
        const TLodoComp& c = m.List[i];
        std::vector<std::string> row(t.Columns.size(), Dash);
        row[0] = std::to_string(i);
        row[1] = EvalFrame::StripMark(c.Name) + (Marked(c) ? " *" : "");
        row[2] = c.NType;
        // In Mono mode the line's own results are at this size; in log-normal mode the
        // stored ones mix bases, so the row is evaluated at the MMAD alone.
        const ComponentTerms terms = TermsAt(c, dp);
        switch (c.NTypeInt) {
        case NodeTube: {
            const auto& k = std::get<LodoMath::Kernels::TubeTerms>(terms.Model);
            const double dt = logNormal ? k.DT : c.TransM2, st = logNormal ? k.ST : c.TransM3,
                         it = logNormal ? k.IT : c.TransM4;
            row[3] = Pct(logNormal ? dt * st * it : c.TransM1);
            row[4] = Pct(dt);
            row[5] = Pct(st);
            row[6] = Pct(it);
            break;
        }
        case NodeBend:
        case NodeContraction:
        case NodeExpansion: {
            const double p = logNormal ? terms.Trans : c.TransM1;
            row[3] = row[7] = Pct(p);
            break;
        }
        case NodeNozzle:
        case NodeShroud: {
            double asp = c.TransM2, wl = c.TransM3;
            if (logNormal) {
                if (const auto* n = std::get_if<NozzleTerms>(&terms.Model)) {
                    asp = n->Asp.Asp;
                    wl = n->Wall.WL;
                } else if (const auto* s = std::get_if<ShroudTerms>(&terms.Model)) {
                    asp = s->Asp.Asp;
                    wl = s->Wall.WL;
                }
            }
            row[3] = Pct(InletPenetration(asp, wl));
            row[8] = Num(asp, 4);
            row[9] = Pct(1 - wl);
            break;
        }
        default:
            row[3] = "not evaluated";
            break;
        }
        t.Rows.push_back(std::move(row));
    }
    t.Legend = "Every figure at " + Size(dp) +
               (logNormal ? " (the MMAD), each component evaluated for particles of that one "
                            "size: the size-resolved table below gives the aerosol's"
                          : "") +
               ". Penetration: percent of what enters the component, the product of its "
               "mechanism columns: a tube's diffusion, settling and inertial deposition; a bend's, "
               "contraction's or expansion's one inertial model (fitting); an inlet's aspiration "
               "ratio \u00D7 wall transmission (1 \u2212 wall loss), which may exceed 100 %. "
               "* transition flow (Reynolds number between 2100 and 4000).";
    return t;
}

// The flow and the particles in each component: velocity, Reynolds and Stokes numbers,
// regime and temperature, with the geometry.
Table ConditionTable(const LodoModel& m) {
    const double dp = TableSize(m);
    Table t;
    t.Columns = {{"Node", Align::Right},         {"Component", Align::Left},
                 {"Velocity m/s", Align::Right}, {"Reynolds", Align::Right},
                 {"Stokes", Align::Right},       {"Regime", Align::Left},
                 {"T \u00B0C", Align::Right},    {"Geometry", Align::Left, true}};
    for (std::size_t i = 0; i < m.List.size(); ++i) {
        const TLodoComp& c = m.List[i];
        const ComponentTerms terms = TermsAt(c, dp);
        // The velocity the component's model is driven by: the free stream for an inlet's
        // Stokes number, the mean velocity in the tube otherwise.
        const double v = terms.Flow.V1, re = terms.Flow.Re1;
        const double stk =
            IsInlet(c) ? LodoMath::StkNo(terms.In.T, terms.In.P, dp, terms.In.Uo, terms.In.D1)
                       : LodoMath::StkNo(terms.In.T, terms.In.P, dp, v, terms.In.D1);
        const bool known = c.NTypeInt >= NodeTube && c.NTypeInt <= NodeShroud;
        t.Rows.push_back({std::to_string(i), EvalFrame::StripMark(c.Name) + (Marked(c) ? " *" : ""),
                          known ? Num(v, 2) : Dash, known ? Sig3(re) : Dash,
                          known ? Sig3(stk) : Dash,
                          c.NTypeInt == NodeTube || c.NTypeInt == NodeBend ? RegimeOf(re) : Dash,
                          Num(terms.In.T, 1), Geometry(c)});
    }
    t.Legend = "Mean air velocity and Reynolds number at the component's inlet; Stokes number "
               "at " +
               Size(dp) +
               " on that velocity and diameter (an inlet's on the free-stream velocity). The "
               "regime of a tube or bend by its Reynolds number: laminar up to 2100, transition "
               "to 4000, turbulent above. Entered values as entered; diameters as the line is "
               "evaluated (each takes the outlet diameter of the component before it).";
    return t;
}

// The size-resolved result per component; the specified method's figures beside it,
// labelled as such.
Table SizeResolvedTable(const LodoModel& m, const std::optional<Analysis::SizeResolvedResult>& sr) {
    Table t;
    t.Columns = {{"Node", Align::Right},
                 {"Component", Align::Left},
                 {"Mass %, size-resolved", Align::Right},
                 {"Number %, size-resolved", Align::Right},
                 {"Mass %, specified method", Align::Right},
                 {"Number %, specified method", Align::Right}};
    for (std::size_t i = 0; i < m.List.size(); ++i) {
        const TLodoComp& c = m.List[i];
        std::vector<std::string> row = {
            std::to_string(i), EvalFrame::StripMark(c.Name), Dash, Dash, Pct(c.MTrans),
            Pct(c.PTrans)};
        if (sr && i < sr->Components.size()) {
            const Analysis::ComponentSizeResolved& x = sr->Components[i];
            row[2] = std::isfinite(x.MassPenetration) ? Pct(x.MassPenetration) : "nothing arrives";
            row[3] =
                std::isfinite(x.NumberPenetration) ? Pct(x.NumberPenetration) : "nothing arrives";
        }
        t.Rows.push_back(std::move(row));
    }
    t.Legend = "Size-resolved: of the aerosol that actually arrives at the component, so the "
               "components' values multiply to the line's. Specified method: weighted by the "
               "inlet distribution cut at the largest size transmitted upstream, as the main "
               "window shows them; they do not multiply to a penetration of the aerosol.";
    return t;
}

// Where the mass goes, on the basis of the mass in the stack; the shares sum to 100 %.
std::vector<Block> MassSection(const LodoModel& m, const Analysis::SizeResolvedResult& sr) {
    std::vector<std::string> names;
    for (const TLodoComp& c : m.List)
        names.push_back(EvalFrame::StripMark(c.Name));
    const MassBalance b = BalanceOf(sr, names);
    std::vector<Block> out;
    out.push_back(Heading{"Where the mass goes"});
    Table t;
    t.Columns = {
        {"Node", Align::Right}, {"Where", Align::Left}, {"% of the stack's mass", Align::Right}};
    const bool inlet = IsInlet(m.List.front());
    if (inlet)
        t.Rows.push_back({Dash, b.NotAspirated.Label, Pct(b.NotAspirated.Fraction)});
    for (const MassShare& d : b.Deposits)
        t.Rows.push_back({std::to_string(d.Row), "deposited in " + d.Label, Pct(d.Fraction)});
    t.Rows.push_back({Dash, b.Leaving.Label, Pct(b.Leaving.Fraction)});
    t.Rows.push_back({"", "total", Pct(b.Sum())});
    t.Legend = std::string(EvalFrame::IsLogNormal(m.Ctx)
                               ? "Size-resolved, over the aerosol's mass distribution. "
                               : "At " + Size(m.Ctx.Dp) + ". ") +
               "Basis: the mass in the stack that the sample flow corresponds to" +
               (inlet ? "; the inlet aspirates " + PctUnit(sr.AspiratedMass) +
                            " of it (a negative share not aspirated is what an over-sampling "
                            "inlet draws in beyond it)"
                      : "; the line has no inlet, so all of it enters") +
               ".";

    // The largest deposits by name; the rest together.
    std::vector<const MassShare*> order;
    for (const MassShare& d : b.Deposits)
        order.push_back(&d);
    std::stable_sort(order.begin(), order.end(), [](const MassShare* x, const MassShare* y) {
        const auto key = [](const MassShare* s) {
            return std::isfinite(s->Fraction) ? s->Fraction : -1.0;
        };
        return key(x) > key(y);
    });
    constexpr std::size_t Named = 10;
    ShareChart chart;
    if (inlet && b.NotAspirated.Fraction > 0)
        chart.Bars.push_back({"not aspirated", 100.0 * b.NotAspirated.Fraction});
    double rest = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k < Named)
            chart.Bars.push_back({std::to_string(order[k]->Row) + " " + order[k]->Label,
                                  100.0 * order[k]->Fraction});
        else if (std::isfinite(order[k]->Fraction))
            rest += order[k]->Fraction;
    }
    if (order.size() > Named)
        chart.Bars.push_back(
            {"the other " + std::to_string(order.size() - Named) + " components", 100.0 * rest});
    chart.Bars.push_back({"leaving the line", 100.0 * b.Leaving.Fraction});
    chart.Caption = "Where the mass goes, in percent of the mass in the stack; deposits largest "
                    "first.";
    out.push_back(std::move(chart));
    out.push_back(std::move(t));
    return out;
}

// ANSI N13.1-2011's curvature ratio for bends, a requirement of the geometry alone.
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
        v.Result = Outcome::NotApplicable;
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
    for (const std::string& n : below)
        names += (names.empty() ? "" : ", ") + n;
    v.Detail =
        std::string(below.size() == 1 ? "Below it: "
                                      : "Below it (" + std::to_string(below.size()) + " bends): ") +
        names + ".";
    return v;
}

std::vector<Block> CurveSection(const LodoList& list, const std::optional<double>& d50,
                                const LodoMath::ParticleProperties& particle) {
    // The curve reaches past d50 when the cut lies above the usual range.
    const double to = d50 && *d50 > Analysis::CurveTo ? std::min(2.0 * *d50, Analysis::SizeCeil)
                                                      : Analysis::CurveTo;
    const std::vector<float> sizes =
        Analysis::LogSpacedSizes(Analysis::CurveFrom, to, Analysis::CurvePoints);
    const Analysis::PenetrationCurve curve =
        Analysis::ComputePenetrationCurve(list, sizes, particle);
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

// The specified nomenclature, as the results report prints it, and this report's own
// symbols. (The specified notes are not repeated: the methods say what the program does.)
std::vector<Block> Nomenclature() {
    TextLines nom{ResultsNomenclature()};
    nom.Lines.push_back(
        "MMAD = Mass median aerodynamic diameter     GSD = Geometric standard deviation");
    nom.Lines.push_back("d50 = Cut size: the diameter above the curve's maximum at which the "
                        "penetration falls to 50 %");
    nom.Lines.push_back("Re = Reynolds number     Stk = Stokes number     * = transition flow");
    return {Heading{"Nomenclature"}, std::move(nom)};
}

std::string OutcomeText(Outcome o) {
    switch (o) {
    case Outcome::Pass:
        return "PASS";
    case Outcome::Fail:
        return "FAIL";
    case Outcome::NotJudged:
        return "no verdict";
    case Outcome::NotApplicable:
        return "not applicable";
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
                      : source.ChangedSinceSaved ? source.FilePath + " (edited since saved)"
                                                 : source.FilePath;
    r.Head.DateTime = source.DateTime;
    if (m.List.empty()) {
        r.Blocks.push_back(Paragraph{std::string(LodoErrorText(9))});
        return r;
    }
    const bool logNormal = EvalFrame::IsLogNormal(m.Ctx);
    const DistributionSetting particles{m.Ctx.Dp, m.Ctx.MDp, m.Ctx.DpSD,
                                        logNormal ? Distribution::LogNormal : Distribution::Mono};
    const Design::Verdict verdict =
        Design::DesignVerdict(m.List, source.Design.Limits, source.Design.Range, particles);
    for (Block& b : DesignRecordPage(m, source, verdict))
        r.Blocks.push_back(std::move(b));

    r.Blocks.push_back(Heading{"The aerosol of this report (information)"});
    r.Blocks.push_back(ParticlesAndConditions(m));
    // The monodisperse aerosol is the size-resolved one of a GSD of 1.
    const std::optional<Analysis::SizeResolvedResult> sr = Analysis::ComputeSizeResolved(
        m.List, logNormal ? m.Ctx.MDp : m.Ctx.Dp, logNormal ? m.Ctx.DpSD : 1.0, m.Ctx.Particle);
    const std::optional<double> d50 = Analysis::CutSizeD50(m.List, m.Ctx.Particle);
    r.Blocks.push_back(Heading{"Results for this aerosol"});
    r.Blocks.push_back(AerosolResults(m, sr, d50));
    if (logNormal)
        r.Blocks.push_back(Paragraph{
            "The specified method, which the main window shows, takes the mass median as the "
            "median of the number distribution and multiplies per-component averages; the "
            "size-resolved values integrate the line's penetration at each particle size over "
            "the aerosol's mass and number distributions and are the penetration of the aerosol "
            "as described. Neither is a verdict: the verdict is on the first page."});

    r.Blocks.push_back(Heading{"Components: penetration by mechanism"});
    r.Blocks.push_back(MechanismTable(m));
    r.Blocks.push_back(Heading{"Components: flow and particles"});
    r.Blocks.push_back(ConditionTable(m));
    if (logNormal) {
        r.Blocks.push_back(Heading{"Components: the aerosol, size-resolved"});
        r.Blocks.push_back(SizeResolvedTable(m, sr));
    }
    r.Blocks.push_back(Heading{"Bends"});
    r.Blocks.push_back(VerdictList{{BendVerdict(m)}});

    if (sr)
        for (Block& b : MassSection(m, *sr))
            r.Blocks.push_back(std::move(b));
    for (Block& b : CurveSection(m.List, d50, m.Ctx.Particle))
        r.Blocks.push_back(std::move(b));

    r.Blocks.push_back(Heading{"Drawing"});
    r.Blocks.push_back(
        LinePicture{Drawing::DrawSampleLine(m.List),
                    "The line as the 3-D view draws it, schematic: tube lengths to "
                    "scale, every tube the same diameter, every bend the same radius."});

    r.Blocks.push_back(PageBreak{});
    for (Block& b : MethodsAppendix(m))
        r.Blocks.push_back(std::move(b));
    for (Block& b : Nomenclature())
        r.Blocks.push_back(std::move(b));
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
                } else if constexpr (std::is_same_v<T, Signatures>) {
                    for (const Signatures::Role& role : b.Roles)
                        out.push_back(role.Title + ": " + role.Name + " — signature, date");
                } else if constexpr (std::is_same_v<T, PageBreak>) {
                    out.push_back("\f");
                }
            },
            block);
        out.emplace_back();
    }
    return out;
}

} // namespace EngReport
