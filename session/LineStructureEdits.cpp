#include "session/LineStructureEdits.h"

#include "model/CreateComp.h"
#include "model/LodoError.h"
#include "model/Units.h"
#include "session/ComponentTypes.h"
#include "session/CurrentComponent.h"
#include "session/DiameterChanges.h"
#include "session/OperationScope.h"
#include "session/SessionAccess.h"

namespace {

std::string Label(const TLodoComp& c, std::size_t index) {
    std::string name = c.Name;
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
        name.resize(name.size() - 2);
    return name + " (Index " + std::to_string(index) + ")";
}

std::string NewName(EvalContext& c, const LodoList& list, const ComponentType& type) {
    return type.Prefix + std::to_string(NextNameNumber(c.*type.Counter, list, type.Prefix));
}

// Default outlet of a new cone, as the component menu bar gives it: a 1.5 ratio.
double ConeOutlet(int code, double inlet) {
    return code == NodeContraction ? inlet / 1.5 : code == NodeExpansion ? inlet * 1.5 : inlet;
}

} // namespace

namespace LineStructureEdits {

bool ReplaceInlet(LodoSession& s, int code) {
    OperationScope op(s);
    const ComponentType* type = TypeOf(code);
    if (!type || !type->InletOnly)
        return false;
    if (!s.EnterPendingValue())
        return false;
    LodoModel& m = SessionAccess::Model(s);
    ComponentEditor& editor = SessionAccess::Editor(s);
    SessionUi& ui = SessionAccess::Ui(s);
    LodoList& list = m.List;
    EvalContext& c = m.Ctx;
    if (list.empty()) {
        editor.AddComponent(code);
        return true;
    }
    const bool hasInlet = IsInlet(list[0]);
    if (hasInlet && list[0].NTypeInt == code) {
        editor.EditComp(0);
        ui.ShowStatus(
            code == NodeShroud
                ? "The inlet is a shrouded probe already: its model is chosen on its page."
                : "The inlet is a nozzle already.");
        return false;
    }

    // The conditions of the inlet there was, or of the first component; the
    // diameter of the line where the new inlet meets it.
    const TLodoComp& from = list[0];
    const std::size_t next = hasInlet ? 1 : 0;
    const TLodoComp& meets = next < list.size() ? list[next] : from;
    const double dia = next < list.size() ? meets.Dia1 : from.Dia2;
    const std::string diaUnit = next < list.size() ? meets.Dia1Unit : from.Dia2Unit;

    TLodoComp r;
    r.Name = NewName(c, list, *type);
    r.NType = type->NType;
    r.NTypeInt = code;
    r.Temp = from.Temp;
    r.TempUnit = from.TempUnit;
    r.Press = from.Press;
    r.PressUnit = from.PressUnit;
    r.Flow = from.Flow;
    r.FlowUnit = from.FlowUnit;
    r.Ang1 = from.Ang1;
    r.Ang2 = from.Ang2;
    r.Ang3 = from.Ang3;
    r.Brd = from.Brd;
    r.RadiusUnit = from.RadiusUnit;
    r.FStream = from.FStream;
    r.FStreamUnit = from.FStreamUnit;
    // A nozzle keeps the length it had; a new one starts at 10 mm as on an empty line.
    const bool keepsLength = from.NTypeInt == NodeNozzle;
    r.Len = keepsLength ? from.Len : 10.0;
    r.LenUnit = keepsLength ? from.LenUnit : Units::Metric;
    // Matching the line, the inlet resizes nothing: a probe's own outlet is the
    // catalogue's, which its note names.
    r.Dia1 = r.Dia2 = dia;
    r.Dia1Unit = r.Dia2Unit = diaUnit;

    const std::string replaced = hasInlet ? Label(from, 0) + " (" + from.NType + ")" : "";
    if (hasInlet)
        list[0] = r;
    else
        list.insert(list.begin(), r);
    c.NodeType = r.NType;
    c.NodeInt = code;
    c.NodeName = r.Name;
    c.RefNum = Operation::Adding;
    // The line downstream leads: its flow, pressure and diameters stay.
    SessionAccess::Align(s, list.size() > 1 ? 1 : 0);
    editor.EditComp(0);
    ui.ShowStatus(hasInlet ? "Replaced the inlet " + replaced + " with " + Label(list[0], 0) +
                                 " (" + list[0].NType + "); the rest of the line is kept"
                           : "Put " + Label(list[0], 0) + " (" + list[0].NType +
                                 ") in front of the line as its inlet");
    return true;
}

bool InsertComponent(LodoSession& s, int code, InsertPlace where) {
    OperationScope op(s);
    const ComponentType* type = TypeOf(code);
    if (!type)
        return false;
    if (type->InletOnly)
        return ReplaceInlet(s, code);
    if (!s.EnterPendingValue())
        return false;
    LodoModel& m = SessionAccess::Model(s);
    ComponentEditor& editor = SessionAccess::Editor(s);
    SessionUi& ui = SessionAccess::Ui(s);
    LodoList& list = m.List;
    EvalContext& c = m.Ctx;
    if (list.empty()) {
        editor.AddComponent(code);
        return true;
    }
    int current = CurrentComponent::Row(s);
    if (current < 0)
        current = static_cast<int>(list.size()) - 1;
    const int at = where == InsertPlace::Before ? current : current + 1;
    if (at == 0 && IsInlet(list[0])) {
        ui.ShowMessage(std::string(LodoErrorText(6)));
        return false;
    }

    c.NodeType = type->NType;
    c.NodeInt = code;
    if (at > 0) {
        // As a component appended after the one upstream starts.
        c.RefNum = Operation::Adding;
        c.CurrRow = at + 1;
        SetNodeValues(m);
    } else {
        // In front of the line: the first component's conditions and inlet.
        c.RefNum = Operation::Editing;
        c.CurrRow = 1;
        SetNodeValues(m);
        c.RefNum = Operation::Adding;
        c.D2 = c.D1 = list[0].Dia1;
        c.D2U = c.D1U = list[0].Dia1Unit;
        if (code == NodeContraction || code == NodeExpansion) {
            c.D2 = ConeOutlet(code, c.D1);
            c.A2 = 45.0;
        }
    }
    c.L = 1.0;
    if (code == NodeBend)
        c.LU = Units::Metric;
    if (code == NodeContraction || code == NodeExpansion) {
        c.A3 = 0.0;
        c.Rd = 0.1;
        // Between two components a cone joins their diameters when they differ the
        // way its name says; otherwise it starts at the usual ratio.
        if (static_cast<std::size_t>(at) < list.size()) {
            const TLodoComp& down = list[static_cast<std::size_t>(at)];
            const double inMm = Units::DiaToMm(c.D1, c.D1U);
            const double outMm = Units::DiaToMm(down.Dia1, down.Dia1Unit);
            if (code == NodeContraction ? outMm < inMm : outMm > inMm)
                c.D2 = Units::IsEnglish(c.D1U) ? outMm / Units::DConv : outMm;
        }
    } else {
        c.D2 = c.D1;
        c.D2U = c.D1U;
    }
    c.NodeName = NewName(c, list, *type);
    const std::string neighbour = where == InsertPlace::Before
                                      ? "before " + Label(list[static_cast<std::size_t>(at)], at)
                                      : "after " + Label(list[static_cast<std::size_t>(at - 1)],
                                                         static_cast<std::size_t>(at - 1));
    list.insert(list.begin() + at, CreateComp(c));
    const LodoList before = list;
    SessionAccess::Align(s, at);
    editor.EditComp(at);
    std::string status =
        "Inserted " + Label(list[static_cast<std::size_t>(at)], at) + " " + neighbour;
    const std::vector<DiameterChange> resized = DiameterChanges(before, list, at);
    if (!resized.empty()) {
        std::string names;
        for (const DiameterChange& d : resized)
            names += (names.empty() ? "" : ", ") + d.Name;
        status += "; its outlet carried along the line to " + names;
    }
    ui.ShowStatus(status);
    return true;
}

} // namespace LineStructureEdits
