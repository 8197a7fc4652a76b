#include "studies/engine/ParameterStudy.h"

#include "model/LodoError.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <functional>
#include <tuple>

namespace {

// The fields a user enters; results and the transition mark on the name are left
// out because evaluation rewrites them.
auto Inputs(const TLodoComp& c) {
    return std::tie(c.NType, c.NTypeInt, c.Temp, c.Press, c.Len, c.Brd, c.Dia1, c.Dia2, c.Dia3,
                    c.Ang1, c.Ang2, c.Ang3, c.Flow, c.FStream, c.TempUnit, c.PressUnit, c.LenUnit,
                    c.Dia1Unit, c.Dia2Unit, c.Dia3Unit, c.FlowUnit, c.RadiusUnit, c.FStreamUnit);
}

bool SameInputs(const LodoList& a, const LodoList& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        // Bitwise for doubles: a study must not leave even a rounding change behind.
        if (!(Inputs(a[i]) == Inputs(b[i])))
            return false;
    }
    return true;
}

void EvaluateLine(LodoModel& m) {
    const int count = static_cast<int>(m.List.size());
    for (int J = 0; J < count; ++J)
        CalcNodeTrans(m, J);
}

// Holds what a study borrows (the line, Dp, DType) and gives it back, also when the
// study ends early.
class LineLoan {
public:
    explicit LineLoan(LodoModel& m) : m_(m), list_(m.List), dp_(m.Ctx.Dp), dtype_(m.Ctx.DType) {}
    LineLoan(const LineLoan&) = delete;
    LineLoan& operator=(const LineLoan&) = delete;

    // Puts the inputs back and re-evaluates the line through AlignList(CR).
    void Return(int CR) {
        m_.List = list_;
        m_.Ctx.Dp = dp_;
        m_.Ctx.DType = dtype_;
        AlignList(m_, CR);
        // Re-alignment recomputes fitting diameters from their ratio, which need not
        // give back the last bit; the user's inputs win over that round trip.
        if (!SameInputs(m_.List, list_)) {
            m_.List = list_;
            EvaluateLine(m_);
        }
        // Log-normal evaluation moves the running size; the user's size stays.
        m_.Ctx.Dp = dp_;
        m_.Ctx.DType = dtype_;
        returned_ = true;
    }

    ~LineLoan() {
        if (returned_)
            return;
        m_.List = list_;
        m_.Ctx.Dp = dp_;
        m_.Ctx.DType = dtype_;
    }

private:
    LodoModel& m_;
    LodoList list_;
    float dp_;
    Distribution dtype_;
    bool returned_ = false;
};

std::string G15(double x) {
    return NumberFormat::General15(x);
}

std::optional<StudyMessage> CheckPoints(int Z, double IVal, double FVal) {
    if (Z < 1 || Z > MaxStudyPoints)
        return StudyMessage{0, "The number of points must be from 1 to 50."};
    if (!std::isfinite(IVal) || !std::isfinite(FVal))
        return StudyMessage{0, "The start and end values must be numbers."};
    return std::nullopt;
}

StudyOutcome Failed(StudyKind kind, StudyMessage msg) {
    StudyOutcome o;
    o.Kind = kind;
    o.Error = std::move(msg);
    return o;
}

StudyMessage NoComponents() {
    return {9, std::string(LodoErrorText(9))};
}

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

// What distinguishes one study from another once it is known to run.
struct StudyPlan {
    std::string_view Header;
    int CR = 0; // the row AlignList starts from when the line is given back
    // Sets the varied input to a value and leaves rows 0..Count-1 evaluated in order.
    std::function<void(double)> EvaluateAt;
    // The point's row from the evaluated line.
    std::function<StudyRow(double)> Point;
    bool WithAsp = false; // the export's third column
};

// The skeleton every study shares. `prepare` runs on the borrowed line (it may force
// the varied input's unit) and returns the plan. The values advance by repeated
// addition of the step, as the table has always been written.
template <class Prepare>
StudyOutcome Study(LodoModel& m, StudyOutcome o, int Z, double IVal, double FVal,
                   const StudyProgress& progress, Prepare prepare) {
    // No resize warning while the study re-aligns the line.
    m.Ctx.RefNum = Operation::Adding;
    LineLoan loan(m);
    const StudyPlan plan = prepare();
    o.Lines.emplace_back(plan.Header);
    const double VStep = Z > 1 ? (FVal - IVal) / (Z - 1) : 0.0;
    double VValue = IVal;
    for (int K = 1; K <= Z; ++K) {
        plan.EvaluateAt(VValue);
        const StudyRow row = plan.Point(VValue);
        o.Rows.push_back(row);
        std::string line = G15(row.Value) + "\t" + G15(row.Pent / 100.0);
        if (plan.WithAsp)
            line += "\t" + G15(row.Asp);
        o.Lines.push_back(std::move(line));
        VValue += VStep;
        if (progress && !progress(K, Z)) {
            o.Cancelled = true;
            break;
        }
    }
    loan.Return(plan.CR);
    return o;
}

// Why a study cannot run on this line with these points, in the order the checks
// have always been made: no components, no inlet in front (where it needs one),
// points out of range.
std::optional<StudyOutcome> Refused(const LodoModel& m, StudyKind kind, int Z, double IVal,
                                    double FVal, bool needsInlet = false) {
    if (m.List.empty())
        return Failed(kind, NoComponents());
    if (needsInlet && !IsInlet(m.List[0]))
        return Failed(kind, StudyMessage{12, std::string(LodoErrorText(12))});
    if (auto e = CheckPoints(Z, IVal, FVal))
        return Failed(kind, *e);
    return std::nullopt;
}

StudyOutcome Started(StudyKind kind) {
    StudyOutcome o;
    o.Kind = kind;
    return o;
}

} // namespace

std::vector<std::string> StudyNotices(const LodoModel& m, StudyKind kind, int Z, double IVal,
                                      double FVal) {
    if (kind != StudyKind::Diameter || Refused(m, kind, Z, IVal, FVal) || !IsInlet(m.List[0]) ||
        m.List.size() == 1)
        return {};
    return {std::string(m.List[0].NTypeInt == NodeNozzle ? NozzleNotice : ProbeNotice)};
}

std::string_view VaryTypeText(StudyKind kind) {
    switch (kind) {
    case StudyKind::Flow:
        return "Flow";
    case StudyKind::Diameter:
        return "Diameter";
    case StudyKind::Particle:
        return "Particle";
    case StudyKind::FreeStream:
        return "Free_Stream";
    }
    return "";
}

std::optional<StudyKind> StudyKindFromVaryType(std::string_view varyType) {
    for (StudyKind k :
         {StudyKind::Flow, StudyKind::Diameter, StudyKind::Particle, StudyKind::FreeStream}) {
        if (VaryTypeText(k) == varyType)
            return k;
    }
    return std::nullopt;
}

double SpecifiedPenetration(const LodoModel& m, std::size_t first) {
    return first == 0 ? m.Ctx.SystemTrans : m.Ctx.SystemTrans / m.List[0].TransM1;
}

namespace {
double Measured(const StudyMeasure& measure, const LodoModel& m, std::size_t first) {
    return measure ? measure(m, first) : SpecifiedPenetration(m, first);
}
} // namespace

StudyOutcome FlowAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                          const StudyMeasure& measure, const StudyProgress& progress) {
    constexpr StudyKind kind = StudyKind::Flow;
    if (auto refused = Refused(m, kind, Z, IVal, FVal))
        return *refused;
    const StudyInput input = *StudyInputOf(m.List, kind);
    return Study(m, Started(kind), Z, IVal, FVal, progress, [&] {
        StudyPlan p;
        p.Header = FlowHeader;
        // AlignList ends by evaluating every row in order: that is the point's
        // evaluation, and a second pass would only repeat it.
        p.EvaluateAt = [&](double v) {
            SetStudyInput(m.List, input, v);
            AlignList(m, input.CR);
        };
        p.Point = [&](double v) { return StudyRow{v, Measured(measure, m, 0) * 100.0, 0.0}; };
        return p;
    });
}

StudyOutcome DiaAnalysis(LodoModel& m, int Z, double IVal, double FVal, const StudyMeasure& measure,
                         const StudyProgress& progress) {
    constexpr StudyKind kind = StudyKind::Diameter;
    if (auto refused = Refused(m, kind, Z, IVal, FVal))
        return *refused;

    StudyOutcome o = Started(kind);
    const std::optional<StudyInput> input = StudyInputOf(m.List, kind);
    if (!input)
        return Failed(kind, StudyMessage{0, std::string(InletOnlyText)});
    o.Notices = StudyNotices(m, kind, Z, IVal, FVal);
    const int BGin = static_cast<int>(input->Row);

    return Study(m, std::move(o), Z, IVal, FVal, progress, [&] {
        StudyPlan p;
        p.Header = DiaHeader;
        p.CR = input->CR;
        p.EvaluateAt = [&](double v) {
            SetStudyInput(m.List, *input, v);
            AlignList(m, input->CR);
        };
        p.Point = [&](double v) {
            // With an inlet in front, the penetration of the line behind it.
            const double pent = Measured(measure, m, static_cast<std::size_t>(BGin)) * 100.0;
            return StudyRow{v, pent, 0.0};
        };
        return p;
    });
}

StudyOutcome PartAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                          const StudyProgress& progress) {
    constexpr StudyKind kind = StudyKind::Particle;
    if (auto refused = Refused(m, kind, Z, IVal, FVal))
        return *refused;
    return Study(m, Started(kind), Z, IVal, FVal, progress, [&] {
        // Monodisperse whatever distribution is selected: the study asks about one size.
        m.Ctx.DType = Distribution::Mono;
        StudyPlan p;
        p.Header = PartHeader;
        // The evaluation's size is single precision; the table keeps the exact value.
        p.EvaluateAt = [&](double v) {
            m.Ctx.Dp = static_cast<float>(v);
            EvaluateLine(m);
        };
        p.Point = [&](double v) { return StudyRow{v, m.Ctx.SystemTrans * 100.0, 0.0}; };
        return p;
    });
}

StudyOutcome FreeStreamAnalysis(LodoModel& m, int Z, double IVal, double FVal,
                                const StudyMeasure& measure, const StudyProgress& progress) {
    constexpr StudyKind kind = StudyKind::FreeStream;
    if (auto refused = Refused(m, kind, Z, IVal, FVal, true))
        return *refused;
    const StudyInput input = *StudyInputOf(m.List, kind);
    return Study(m, Started(kind), Z, IVal, FVal, progress, [&] {
        StudyPlan p;
        p.Header = FreeStreamHeader;
        p.WithAsp = true;
        p.EvaluateAt = [&](double v) {
            SetStudyInput(m.List, input, v);
            AlignList(m, input.CR);
        };
        p.Point = [&](double v) {
            return StudyRow{v, Measured(measure, m, 0) * 100.0, m.List[0].TransM2};
        };
        return p;
    });
}

StudyOutcome RunStudy(LodoModel& m, StudyKind kind, int Z, double IVal, double FVal,
                      const StudyMeasure& measure, const StudyProgress& progress) {
    switch (kind) {
    case StudyKind::Flow:
        return FlowAnalysis(m, Z, IVal, FVal, measure, progress);
    case StudyKind::Diameter:
        return DiaAnalysis(m, Z, IVal, FVal, measure, progress);
    case StudyKind::Particle:
        return PartAnalysis(m, Z, IVal, FVal, progress);
    case StudyKind::FreeStream:
        return FreeStreamAnalysis(m, Z, IVal, FVal, measure, progress);
    }
    return Failed(kind, StudyMessage{0, "Unknown study."});
}

std::string StudyFileName(std::string_view DFileName, StudyKind kind) {
    std::string_view word;
    switch (kind) {
    case StudyKind::Flow:
        word = "Flow";
        break;
    case StudyKind::Diameter:
        word = "Tube";
        break;
    case StudyKind::Particle:
        word = "PSiz";
        break;
    case StudyKind::FreeStream:
        word = "Free_Stream";
        break;
    }
    // Only a dot in the last path element starts an extension.
    const std::size_t slash = DFileName.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = DFileName.rfind('.');
    std::string name(DFileName);
    if (dot != std::string_view::npos && dot >= nameStart)
        name.erase(dot);
    return name + std::string(word);
}

void StoreRows(DataPass& data, const StudyOutcome& outcome) {
    if (!outcome.Ran())
        return;
    StudyArray* target = nullptr;
    switch (outcome.Kind) {
    case StudyKind::Flow:
        target = &data.FArr;
        break;
    case StudyKind::Diameter:
        target = &data.DArr;
        break;
    case StudyKind::Particle:
        target = &data.PArr;
        break;
    case StudyKind::FreeStream:
        target = &data.FSArr;
        break;
    }
    for (std::size_t K = 0; K < outcome.Rows.size() && K < target->size(); ++K)
        (*target)[K] = outcome.Rows[K];
}
