#include "design/OperatingPoint.h"

#include "model/Units.h"
#include "studies/engine/StudyInput.h"

namespace Design {
namespace {

// The inputs a point sets through the studies' own rules, with their values.
struct Setting {
    StudyKind Kind;
    const std::optional<double>& Value;
};

} // namespace

std::optional<std::string> PointRefusal(const LodoList& line, const OperatingPoint& point) {
    if (line.empty())
        return "the line has no components";
    if (point.StackVelocity && !StudyInputOf(line, StudyKind::FreeStream))
        return "a stack velocity needs a nozzle or shrouded probe as the first component";
    if (point.Diameter && !StudyInputOf(line, StudyKind::Diameter))
        return "a diameter needs a component behind the inlet";
    return std::nullopt;
}

int SetOperatingPoint(LodoList& line, const OperatingPoint& point) {
    int CR = 0;
    for (const Setting& s :
         {Setting{StudyKind::Flow, point.Flow}, Setting{StudyKind::FreeStream, point.StackVelocity},
          Setting{StudyKind::Diameter, point.Diameter}}) {
        if (!s.Value)
            continue;
        const StudyInput in = *StudyInputOf(line, s.Kind);
        SetStudyInput(line, in, *s.Value);
        if (s.Kind == StudyKind::Diameter)
            CR = in.CR;
    }
    // No study varies the temperature; re-alignment leaves it alone, so it is set on
    // every component.
    if (point.Temperature) {
        for (TLodoComp& c : line) {
            c.Temp = *point.Temperature;
            c.TempUnit = Units::Metric;
        }
    }
    return CR;
}

std::variant<LodoModel, std::string> ModelAt(const LodoList& line, const OperatingPoint& point,
                                             const DistributionSetting& particles) {
    if (auto refusal = PointRefusal(line, point))
        return *refusal;
    LodoModel m;
    m.List = line;
    ApplyDistribution(m.Ctx, particles);
    m.Ctx.RefNum = Operation::Adding; // no resize warning: nobody is editing
    AlignList(m, SetOperatingPoint(m.List, point));
    return m;
}

OperatingPoint ValuesOf(const LodoList& line) {
    OperatingPoint p;
    if (line.empty())
        return p;
    const TLodoComp& c = line[0];
    p.StackVelocity = Units::VelToMs(c.FStream, c.FStreamUnit);
    p.Flow = Units::FlowToLpm(c.Flow, c.FlowUnit);
    p.Temperature = Units::TempToC(c.Temp, c.TempUnit);
    return p;
}

} // namespace Design
