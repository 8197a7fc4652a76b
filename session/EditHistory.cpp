#include "session/EditHistory.h"

#include "model/NumberFormat.h"
#include "model/Units.h"
#include "persistence/RecordFields.h"
#include "session/DesignCaseEditor.h"

#include <algorithm>
#include <cmath>

namespace {

// A component's name without the transition mark " *" that evaluation adds.
std::string BaseName(std::string name) {
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
        name.resize(name.size() - 2);
    return name;
}

struct FieldText {
    const char* What;
    double TLodoComp::*Value;
    std::string TLodoComp::*Unit; // nullptr: degrees
    const char* Metric;
    const char* English;
};

// In the order an edit is most likely named by.
const FieldText Fields[] = {
    {"length", &TLodoComp::Len, &TLodoComp::LenUnit, "m", "ft"},
    {"inclination", &TLodoComp::Ang1, nullptr, "\u00b0", "\u00b0"},
    {"angle", &TLodoComp::Ang2, nullptr, "\u00b0", "\u00b0"},
    {"orientation", &TLodoComp::Ang3, nullptr, "\u00b0", "\u00b0"},
    {"bend radius", &TLodoComp::Brd, &TLodoComp::RadiusUnit, "m", "in"},
    {"inlet diameter", &TLodoComp::Dia1, &TLodoComp::Dia1Unit, "mm", "in"},
    {"outlet diameter", &TLodoComp::Dia2, &TLodoComp::Dia2Unit, "mm", "in"},
    {"free stream", &TLodoComp::FStream, &TLodoComp::FStreamUnit, "m/s", "ft/s"},
    {"temperature", &TLodoComp::Temp, &TLodoComp::TempUnit, "C", "F"},
    {"flow", &TLodoComp::Flow, &TLodoComp::FlowUnit, "L/min", "CFM"},
    {"pressure", &TLodoComp::Press, &TLodoComp::PressUnit, "kPa", "psi"},
};

std::string UnitOf(const FieldText& f, const TLodoComp& c) {
    if (!f.Unit)
        return f.Metric;
    const bool english = c.*f.Unit == Units::English;
    if (f.Value == &TLodoComp::Len && c.NTypeInt == NodeNozzle)
        return english ? "in" : "mm";
    return english ? f.English : f.Metric;
}

std::string Number(double v) {
    return NumberFormat::General(v, 5);
}

// The change of one component, or empty when it is the same.
std::string DescribeComponent(const TLodoComp& was, const TLodoComp& now) {
    const std::string name = BaseName(now.Name);
    if (was.NType != now.NType)
        return "Probe " + now.NType + " for " + name;
    for (const FieldText& f : Fields)
        if (f.Unit && was.*f.Unit != now.*f.Unit)
            return name + " " + f.What + " in " + UnitOf(f, now);
    for (const FieldText& f : Fields)
        if (was.*f.Value != now.*f.Value) {
            const std::string unit = UnitOf(f, now);
            return "Edit " + name + " " + f.What + " " + Number(was.*f.Value) + " \u2192 " +
                   Number(now.*f.Value) + (unit == "\u00b0" ? unit : " " + unit);
        }
    return {};
}

// Equal records, a result that is not a number matching itself: otherwise a line
// with such a result would differ from itself and every operation become a step.
bool SameRecord(TLodoComp a, TLodoComp b) {
    const auto nanMatchesNan = [&](double TLodoComp::*number) {
        if (std::isnan(a.*number) && std::isnan(b.*number))
            a.*number = b.*number = 0.0;
    };
    for (const RecordFields::Field& f : RecordFields::All)
        if (const auto* number = std::get_if<RecordFields::NumberMember>(&f.Member))
            nanMatchesNan(*number);
    // Not stored, but results all the same.
    nanMatchesNan(&TLodoComp::PTrans);
    nanMatchesNan(&TLodoComp::MTrans);
    nanMatchesNan(&TLodoComp::TransTh);
    return a == b;
}

} // namespace

bool LineChanged(const LineState& a, const LineState& b) {
    const LodoList &x = a.Model.List, &y = b.Model.List;
    return !std::equal(x.begin(), x.end(), y.begin(), y.end(), SameRecord) ||
           a.LineName != b.LineName || !(a.Dist == b.Dist) || a.Design != b.Design;
}

std::string DescribeStep(const LineState& before, const LineState& after) {
    const LodoList &was = before.Model.List, &now = after.Model.List;
    const auto named = [](const LodoList& l, const std::string& n) {
        return std::any_of(l.begin(), l.end(),
                           [&](const TLodoComp& c) { return BaseName(c.Name) == n; });
    };
    if (now.size() == was.size() + 1)
        for (const TLodoComp& c : now)
            if (!named(was, BaseName(c.Name)))
                return (&c == &now.back() ? "Add " : "Insert ") + BaseName(c.Name);
    if (now.size() + 1 == was.size())
        for (const TLodoComp& c : was)
            if (!named(now, BaseName(c.Name)))
                return "Delete " + BaseName(c.Name);
    const int edited = after.Model.Ctx.CurrRow - 1;
    if (now.size() == was.size()) {
        // One component gone and another in its place: the inlet replaced (a probe
        // and a nozzle may carry the same name).
        std::size_t differing = 0, at = 0;
        for (std::size_t i = 0; i < now.size(); ++i)
            if (was[i].NTypeInt != now[i].NTypeInt ||
                BaseName(was[i].Name) != BaseName(now[i].Name)) {
                ++differing;
                at = i;
            }
        if (differing == 1)
            return "Replace " + BaseName(was[at].Name) + " (" + was[at].NType + ") with " +
                   BaseName(now[at].Name) + " (" + now[at].NType + ")";
        // A moved component is the one edited next, at its new place.
        if (edited >= 0 && static_cast<std::size_t>(edited) < now.size() &&
            BaseName(was[edited].Name) != BaseName(now[edited].Name))
            return "Move " + BaseName(now[edited].Name);
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (BaseName(was[i].Name) == BaseName(now[i].Name))
                continue;
            // Moved later, the others shift up one; moved earlier, it arrives here.
            const bool later =
                i + 1 < was.size() && BaseName(now[i].Name) == BaseName(was[i + 1].Name);
            return "Move " + BaseName(later ? was[i].Name : now[i].Name);
        }
        // The component being edited names the step; alignment changes others too.
        if (edited >= 0 && static_cast<std::size_t>(edited) < now.size())
            if (std::string d = DescribeComponent(was[edited], now[edited]); !d.empty())
                return d;
        for (std::size_t i = 0; i < now.size(); ++i)
            if (std::string d = DescribeComponent(was[i], now[i]); !d.empty())
                return d;
    }
    if (before.LineName != after.LineName)
        return "Line name \"" + after.LineName + "\"";
    if (!(before.Dist == after.Dist)) {
        const DistributionSetting& d = after.Dist;
        return d.TypeDist == Distribution::LogNormal
                   ? "Distribution LogNormal " + Number(d.MeanPart) + " \u00b5m, " +
                         Number(d.PartSD)
                   : "Distribution Mono " + Number(d.PartSize) + " \u00b5m";
    }
    if (std::string d = DesignCaseEditor::DescribeChange(before.Design, after.Design); !d.empty())
        return d;
    return "Edit";
}

void EditHistory::Reset(LineState now) {
    steps_.clear();
    index_ = 0;
    current_ = std::move(now);
}

bool EditHistory::Record(LineState now) {
    if (!LineChanged(current_, now)) {
        current_ = std::move(now); // the view moved on: undo returns to it
        return false;
    }
    steps_.resize(index_);
    steps_.push_back(Step{DescribeStep(current_, now), current_, now});
    ++index_;
    current_ = std::move(now);
    return true;
}

const LineState* EditHistory::Undo() {
    if (!CanUndo())
        return nullptr;
    return &steps_[--index_].Before;
}

const LineState* EditHistory::Redo() {
    if (!CanRedo())
        return nullptr;
    return &steps_[index_++].After;
}
