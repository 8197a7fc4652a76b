#include "design/map/LineMap.h"

#include "design/DesignVerdict.h"
#include "design/map/MapMargin.h"
#include "model/EvalTerms.h"
#include "model/InputRules.h"
#include "model/LineStructure.h"
#include "model/LodoModel.h"
#include "model/Units.h"
#include "physics/LodoMath.h"
#include "studies/engine/StudyInput.h"

#include <cmath>
#include <limits>

namespace DesignMap {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

void Set(Design::OperatingPoint& p, Variable v, double value) {
    switch (v) {
    case Variable::Flow:
        p.Flow = value;
        break;
    case Variable::Diameter:
        p.Diameter = value;
        break;
    case Variable::StackVelocity:
        p.StackVelocity = value;
        break;
    case Variable::Temperature:
        p.Temperature = value;
        break;
    }
}

InputRules::RuleId RuleOf(Variable v) {
    switch (v) {
    case Variable::Flow:
        return InputRules::RuleId::Flow;
    case Variable::Diameter:
        return InputRules::RuleId::Diameter;
    case Variable::StackVelocity:
        return InputRules::RuleId::FreeStream;
    case Variable::Temperature:
        return InputRules::RuleId::Temperature;
    }
    return InputRules::RuleId::Flow;
}

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

// The component that loses most at the point, aspiration aside (the inlet counts with
// its wall loss, as the transport penetration takes it), and its flow regime.
void MarkWorst(const LodoList& list, MapPoint& p) {
    double lowest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TLodoComp& c = list[i];
        const double t = i == 0 && IsInlet(c) ? 1.0 - c.TransM3 : c.TransM1;
        if (t < lowest) {
            lowest = t;
            p.WorstComponent = static_cast<int>(i);
        }
    }
    if (p.WorstComponent < 0)
        return;
    const ComponentInputs in = InputsOf(list[static_cast<std::size_t>(p.WorstComponent)]);
    p.WorstReynolds = LodoMath::ReynoldsNo(LodoMath::Vel(in.D1, in.Q), in.D1, in.T, in.P);
    p.WorstRegime = RegimeOf(p.WorstReynolds);
}

} // namespace

Design::OperatingPoint PointAt(Variable x, double vx, Variable y, double vy) {
    Design::OperatingPoint p;
    Set(p, x, vx);
    Set(p, y, vy);
    return p;
}

std::optional<double> CurrentValue(const LodoList& line, Variable v) {
    if (line.empty())
        return std::nullopt;
    const Design::OperatingPoint own = Design::ValuesOf(line);
    switch (v) {
    case Variable::Flow:
        return own.Flow;
    case Variable::StackVelocity:
        if (!StudyInputOf(line, StudyKind::FreeStream))
            return std::nullopt;
        return own.StackVelocity;
    case Variable::Temperature:
        return own.Temperature;
    case Variable::Diameter:
        if (const auto in = StudyInputOf(line, StudyKind::Diameter)) {
            const TLodoComp& c = line[in->Row];
            return Units::DiaToMm(c.Dia1, c.Dia1Unit);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> MapRefusal(const LodoList& line, const Axis& x, const Axis& y) {
    for (const Axis* a : {&x, &y}) {
        if (const auto problem = AxisProblem(*a))
            return std::string(VariableName(a->Quantity)) + ": " + std::string(*problem);
        const InputRules::Rule& rule = InputRules::RuleOf(RuleOf(a->Quantity));
        if (!InputRules::Allows(rule, a->Min) || !InputRules::Allows(rule, a->Max))
            return std::string(VariableName(a->Quantity)) + ": " + std::string(rule.Message);
    }
    if (x.Quantity == y.Quantity)
        return "the two axes must vary different quantities";
    return Design::PointRefusal(line, PointAt(x.Quantity, x.Min, y.Quantity, y.Min));
}

PointEvaluator LineEvaluator(const LodoList& line, Variable x, Variable y,
                             const Design::Criteria& limits, const DistributionSetting& particles) {
    const bool withheld = !LineStructure::Findings(line).empty();
    return [&line, x, y, limits, particles, withheld](double vx, double vy) {
        MapPoint p;
        p.X = vx;
        p.Y = vy;
        LodoModel evaluated;
        const Design::PointVerdict v =
            Design::VerdictAt(line, PointAt(x, vx, y, vy), limits, particles, &evaluated);
        p.AspirationRatio = v.AspirationRatio.value_or(NaN);
        p.TransportPenetration =
            v.Result == Design::Outcome::NoVerdict ? NaN : v.TransportPenetration;
        p.SystemPenetration = v.SystemPenetration.value_or(NaN);
        if (v.Result == Design::Outcome::NoVerdict || withheld) {
            p.Verdict = PointVerdict::None;
            p.Margin = NaN;
        } else {
            p.Verdict = v.Result == Design::Outcome::Pass ? PointVerdict::Pass : PointVerdict::Fail;
            p.Margin = CriteriaMargin(p.AspirationRatio, p.TransportPenetration,
                                      p.SystemPenetration, limits);
        }
        MarkWorst(evaluated.List, p);
        return p;
    };
}

LineMap ComputeLineMap(const LodoList& line, const LineMapRequest& request,
                       const GridProgress& progress) {
    LineMap map;
    map.Request = request;
    map.Grid.X = request.X;
    map.Grid.Y = request.Y;
    for (const TLodoComp& c : line)
        map.Names.push_back(c.Name);
    map.CurrentX = CurrentValue(line, request.X.Quantity);
    map.CurrentY = CurrentValue(line, request.Y.Quantity);
    if (const auto findings = LineStructure::Findings(line); !findings.empty())
        map.Withheld = "the line's geometry is inconsistent: " + findings.front().Text;
    if (MapRefusal(line, request.X, request.Y))
        return map;
    const PointEvaluator evaluate = LineEvaluator(line, request.X.Quantity, request.Y.Quantity,
                                                  request.Limits, request.Particles);
    map.Grid = EvaluateGrid(request.X, request.Y, evaluate, request.Threads, progress);
    map.Best = FindBestPoint(map.Grid, evaluate);
    return map;
}

} // namespace DesignMap
