#include "analysis/LimitFindings.h"

#include "analysis/SettlingSwitch.h"
#include "model/EvalTerms.h"
#include "model/LineStructure.h"
#include "physics/LodoMath.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace ModelLimits {
namespace {

namespace K = LodoMath::Kernels;

// Speed of sound in air, sqrt(gamma R Tk) with gamma 1.4 and R 287.05 J/(kg K).  [m/s]
double SpeedOfSound(double Tk /*[K]*/) {
    return std::sqrt(1.4 * 287.05 * Tk);
}

// The tube's regime rule: laminar up to 2100 and at exactly 4000, transition
// strictly between, turbulent above 4000.
std::uint8_t TubeBranch(double Re) {
    if (Re > LodoMath::ReMin && Re < LodoMath::ReMax)
        return Transition;
    return Re > LodoMath::ReMax ? Turbulent : Laminar;
}

struct Fill {
    ComponentQuantities& q;
    const ComponentTerms& t;

    void operator()(std::monostate) const {}
    void operator()(const K::TubeTerms& k) const {
        q.ModelBranch = TubeBranch(k.Re);
        q[Quantity::Reynolds] = k.Re;
        // Settling along the axis against the centre-line velocity of laminar flow.
        q[Quantity::SettlingParameter] = k.Vt * std::fabs(std::sin(t.In.Theta)) / (2 * t.Flow.V1);
        q[Quantity::ParticleReynolds] = Analysis::StokesParticleReynolds(t.Air.T, t.Air.P, t.Dp);
    }
    void operator()(const K::BendTerms& k) const {
        q.ModelBranch = k.Turbulent ? Turbulent : Laminar;
        q[Quantity::Reynolds] = k.Re;
        q[Quantity::CurvatureRatio] = k.CurvatureRatio;
    }
    void operator()(const K::ConeTerms& k) const {
        if (t.In.Type == NodeExpansion)
            q[Quantity::ExpansionPx] = k.Px;
        if (t.In.Type != NodeContraction)
            return;
        q[Quantity::ContractionPx] = k.Px;
        q[Quantity::HalfAngle] = k.HalfAngle;
    }
    void operator()(const NozzleTerms& k) const {
        q[Quantity::EntranceStokes] = k.Asp.Stk;
        q[Quantity::VelocityRatio] = k.Asp.R;
    }
    void operator()(const ShroudTerms&) const {}
};

} // namespace

ComponentQuantities QuantitiesOf(const LodoModel& m, int Row) {
    ComponentQuantities q;
    const std::optional<ComponentTerms> t = TermsOf(m, Row);
    // A record the evaluation ignores has no quantities.
    if (!t || std::holds_alternative<std::monostate>(t->Model))
        return q;
    q.NTypeInt = t->In.Type;
    std::visit(Fill{q, *t}, t->Model);
    if (t->Thermo && t->Thermo->Gas.Turbulent && t->Thermo->Gas.Ratio != 1.0)
        q[Quantity::HeatReynolds] = t->Flow.Re1;
    // The fastest mean velocity the component's models take: inlet, outlet and, for
    // an inlet, the free stream it samples from.
    double v = std::max(std::fabs(t->Flow.V1), std::fabs(t->Flow.V2));
    if (t->In.Type == NodeNozzle || t->In.Type == NodeShroud)
        v = std::max(v, std::fabs(t->In.Uo));
    q[Quantity::Mach] = v / SpeedOfSound(t->Air.Tk);
    return q;
}

std::vector<Finding> ComponentFindings(const LodoModel& m, int Row) {
    return FindLimits(QuantitiesOf(m, Row));
}

std::vector<std::vector<Finding>> LineFindings(const LodoModel& m) {
    std::vector<std::vector<Finding>> out;
    out.reserve(m.List.size());
    for (std::size_t i = 0; i < m.List.size(); ++i)
        out.push_back(ComponentFindings(m, static_cast<int>(i)));
    return out;
}

bool AnyFinding(const LodoModel& m) {
    if (!LineStructure::Findings(m.List).empty())
        return true;
    for (std::size_t i = 0; i < m.List.size(); ++i)
        if (!ComponentFindings(m, static_cast<int>(i)).empty())
            return true;
    return false;
}

std::vector<std::string> AllFindingTexts(const LodoModel& m, int Row) {
    std::vector<std::string> out;
    if (Row < 0 || static_cast<std::size_t>(Row) >= m.List.size())
        return out;
    const auto row = static_cast<std::size_t>(Row);
    for (LineStructure::Finding& f : LineStructure::ComponentFindings(m.List[row], row))
        out.push_back(std::move(f.Text));
    for (std::string& text : FindingTexts(ComponentFindings(m, Row)))
        out.push_back(std::move(text));
    return out;
}

std::vector<std::vector<std::string>> LineFindingTexts(const LodoModel& m) {
    std::vector<std::vector<std::string>> out;
    out.reserve(m.List.size());
    for (std::size_t i = 0; i < m.List.size(); ++i)
        out.push_back(AllFindingTexts(m, static_cast<int>(i)));
    return out;
}

int LastEvaluatedRow(const LodoModel& m) {
    const int row = m.Display.ShownRow;
    return row >= 0 && static_cast<std::size_t>(row) < m.List.size() ? row : -1;
}

std::vector<std::string> FindingTexts(const std::vector<Finding>& findings) {
    std::vector<std::string> out;
    out.reserve(findings.size());
    for (const Finding& f : findings)
        out.push_back(FindingText(f));
    return out;
}

} // namespace ModelLimits
