#include "report/core/MethodsAppendix.h"

#include "analysis/LimitFindings.h"
#include "model/EvalFrame.h"
#include "report/core/ReportFormat.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace EngReport {
namespace {

using namespace Format;

bool Applies(const ModelLimits::LimitRange& r, const ModelLimits::ComponentQuantities& q) {
    return (r.Types & ModelLimits::TypeBit(q.NTypeInt)) != 0 &&
           (q.ModelBranch == ModelLimits::NoBranch || (r.Branches & q.ModelBranch) != 0);
}

std::string Names(const std::vector<std::string>& names, std::size_t shown = 12) {
    std::string s;
    for (std::size_t i = 0; i < names.size() && i < shown; ++i)
        s += (s.empty() ? "" : ", ") + names[i];
    if (names.size() > shown)
        s += " and " + std::to_string(names.size() - shown) + " more";
    return s;
}

// The correlations with no row in the range table, by the component type they serve.
struct Unranged {
    int Type;
    const char* Model;
};
constexpr Unranged UnrangedModels[] = {
    {NodeTube, "tube diffusion (laminar and turbulent Sherwood numbers)"},
    {NodeTube, "tube settling in turbulent flow"},
    {NodeExpansion, "expansion model"},
    {NodeNozzle, "nozzle wall-loss correlation"},
    {NodeShroud, "shrouded-probe aspiration and wall-loss models of the probe catalogue"},
};

Table CorrelationTable(const LodoModel& m,
                       const std::vector<ModelLimits::ComponentQuantities>& quantities) {
    Table t;
    t.Columns = {{"Model", Align::Left, true},     {"Quantity", Align::Left},
                 {"Published range", Align::Left}, {"Components", Align::Right},
                 {"In this line", Align::Left},    {"Outside the range", Align::Left, true},
                 {"Reference", Align::Left, true}};
    for (const ModelLimits::LimitRange& r : ModelLimits::LimitTable) {
        double lo = INFINITY, hi = -INFINITY;
        int count = 0;
        std::vector<std::string> outside;
        for (std::size_t i = 0; i < quantities.size(); ++i) {
            const ModelLimits::ComponentQuantities& q = quantities[i];
            if (!Applies(r, q))
                continue;
            ++count;
            const double x = q[r.Of];
            if (!std::isfinite(x))
                continue;
            lo = std::min(lo, x);
            hi = std::max(hi, x);
            for (const ModelLimits::Finding& f : ModelLimits::FindLimits(q))
                if (f.Range == &r)
                    outside.push_back(EvalFrame::StripMark(m.List[i].Name));
        }
        if (count == 0)
            continue;
        const int d = r.Decimals;
        const std::string unit(r.Unit);
        const std::string span = !std::isfinite(lo) ? Dash
                                 : Num(lo, d) == Num(hi, d)
                                     ? Num(lo, d) + unit
                                     : Num(lo, d) + unit + " to " + Num(hi, d) + unit;
        t.Rows.push_back({std::string(r.Model), std::string(r.Name), ModelLimits::RangeText(r),
                          std::to_string(count), span, outside.empty() ? "none" : Names(outside),
                          std::string(r.Reference)});
    }
    for (const Unranged& u : UnrangedModels) {
        int count = 0;
        for (const TLodoComp& c : m.List)
            count += c.NTypeInt == u.Type ? 1 : 0;
        if (count > 0)
            t.Rows.push_back({u.Model, Dash, "no published range found", std::to_string(count),
                              Dash, Dash, "none recorded: no range is stated for this model"});
    }
    t.Legend = "Each correlation the line's components use, the quantity its published range "
               "is stated in (as the program computes it), the lowest and highest value in this "
               "line and the components outside the range. A value outside changes no number: "
               "the correlation is used beyond the conditions it was fitted on.";
    return t;
}

// One finding per range crossed, with every component it concerns.
std::vector<Block> FindingList(const LodoModel& m) {
    std::vector<Block> out;
    const auto findings = ModelLimits::LineFindings(m);
    std::map<const ModelLimits::LimitRange*, std::vector<std::string>> byRange;
    std::vector<const ModelLimits::LimitRange*> order;
    for (std::size_t i = 0; i < findings.size() && i < m.List.size(); ++i)
        for (const ModelLimits::Finding& f : findings[i]) {
            if (!byRange.count(f.Range))
                order.push_back(f.Range);
            byRange[f.Range].push_back(EvalFrame::StripMark(m.List[i].Name) + " (" +
                                       ModelLimits::ValueText(f) + std::string(f.Range->Unit) +
                                       ")");
        }
    if (order.empty()) {
        out.push_back(Paragraph{std::string(ModelLimits::NoFindingsText) + "."});
        return out;
    }
    // Listed in the order of the range table.
    std::sort(order.begin(), order.end());
    Table t;
    t.Columns = {{"Finding", Align::Left, true}, {"Components (value)", Align::Left, true}};
    for (const ModelLimits::LimitRange* r : order) {
        const std::vector<std::string>& names = byRange[r];
        t.Rows.push_back({std::string(r->Name) + " outside " + ModelLimits::RangeText(*r) +
                              ", the range of the " + std::string(r->Model) + " (" +
                              std::string(r->Source) + ")",
                          std::to_string(names.size()) +
                              (names.size() == 1 ? " component: " : " components: ") +
                              Names(names, 40)});
    }
    out.push_back(std::move(t));
    return out;
}

} // namespace

std::vector<Block> MethodsAppendix(const LodoModel& m) {
    std::vector<Block> out;
    out.push_back(Heading{"Methods: the correlations and their validity ranges"});
    std::vector<ModelLimits::ComponentQuantities> quantities;
    for (std::size_t i = 0; i < m.List.size(); ++i)
        quantities.push_back(ModelLimits::QuantitiesOf(m, static_cast<int>(i)));
    out.push_back(CorrelationTable(m, quantities));
    if (EvalFrame::IsLogNormal(m.Ctx))
        out.push_back(Paragraph{std::string(ModelLimits::LogNormalNote)});

    out.push_back(Heading{"Findings"});
    for (Block& b : FindingList(m))
        out.push_back(std::move(b));

    out.push_back(Heading{"Transition flow"});
    out.push_back(Paragraph{
        "Between Reynolds numbers 2100 and 4000 (components marked * in the tables) the flow is "
        "in transition and neither model was fitted there. A tube takes, for each of its "
        "mechanisms, the lower of the laminar and the turbulent model's values: the "
        "conservative one. A bend takes its laminar model up to Reynolds number 4000, and "
        "contractions, expansions and inlets have one model for every flow. (The printed "
        "results report keeps its own note 4 as specified.)"});

    out.push_back(Heading{"Assumptions"});
    out.push_back(TextLines{{
        "\u2022 Steady flow at the sample flow rate and the conditions entered; flow and "
        "pressure are the same in every component.",
        "\u2022 Particles are spheres of unit density (1000 kg/m\u00B3): sizes are aerodynamic "
        "diameters.",
        "\u2022 Clean, dry, smooth walls; a particle that touches a wall stays there (no "
        "re-entrainment, no bounce).",
        "\u2022 No thermophoretic, electrostatic, diffusiophoretic or condensation losses, and "
        "no growth or evaporation of particles.",
        "\u2022 Every model is an empirical correlation; no uncertainty is stated for its "
        "results, and outside its published range its result is an extrapolation.",
        "\u2022 The verdict of the first page is taken at the reference size; the other figures "
        "describe the aerosol selected.",
    }});
    return out;
}

} // namespace EngReport
