#include "session/ComponentEditor.h"

#include "model/CreateComp.h"
#include "model/LineStructure.h"
#include "model/LodoError.h"
#include "model/NumberFormat.h"
#include "model/Units.h"
#include "session/ComponentTypes.h"
#include "session/CurrentComponent.h"
#include "session/DiameterChanges.h"
#include "session/EntryMessages.h"
#include "session/LodoSession.h"
#include "session/OperationScope.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// What the shrouded-probe page starts its outlet at: 1.5 in [mm].
constexpr double ShroudPageOutletDia = 38.1;

const std::string& UnitText(UnitChoice c) {
    return c == UnitChoice::English ? Units::English : Units::Metric;
}

double& RecordValue(TLodoComp& r, Quantity q) {
    switch (q) {
    case Quantity::Temp:
        return r.Temp;
    case Quantity::Press:
        return r.Press;
    case Quantity::Flow:
        return r.Flow;
    case Quantity::Dia:
        return r.Dia1;
    case Quantity::Dia2:
        return r.Dia2;
    case Quantity::Len:
        return r.Len;
    case Quantity::Free:
        return r.FStream;
    case Quantity::Radius:
    case Quantity::None:
        break;
    }
    return r.Brd;
}

std::string& RecordUnit(TLodoComp& r, Quantity q) {
    switch (q) {
    case Quantity::Temp:
        return r.TempUnit;
    case Quantity::Press:
        return r.PressUnit;
    case Quantity::Flow:
        return r.FlowUnit;
    case Quantity::Dia:
        return r.Dia1Unit;
    case Quantity::Dia2:
        return r.Dia2Unit;
    case Quantity::Len:
        return r.LenUnit;
    case Quantity::Free:
        return r.FStreamUnit;
    case Quantity::Radius:
    case Quantity::None:
        break;
    }
    return r.RadiusUnit;
}

// The value of quantity q converted into the other unit system.
double Convert(Quantity q, Page page, double v, bool toEnglish) {
    using namespace Units;
    double factor = 1.0;
    switch (q) {
    case Quantity::Temp:
        return toEnglish ? 1.8 * v + 32.0 : (v - 32.0) / 1.8;
    case Quantity::Press:
        factor = PConv;
        break;
    case Quantity::Flow:
        factor = FConv;
        break;
    case Quantity::Dia:
    case Quantity::Dia2:
        factor = DConv;
        break;
    case Quantity::Len:
        factor = page == Page::Nozzle ? DConv : LConv;
        break;
    case Quantity::Free:
        factor = UConv;
        break;
    case Quantity::Radius:
        factor = RConv;
        break;
    case Quantity::None:
        return v;
    }
    return toEnglish ? v / factor : v * factor;
}

std::optional<Box> BoxFor(Page page, Quantity q) {
    if (page == Page::None)
        return std::nullopt;
    for (const BoxInfo& row : InfoOf(page).Rows)
        if (row.Unit == q)
            return row.Id;
    return std::nullopt;
}

Page PageOfCode(int code) {
    const ComponentType* t = TypeOf(code);
    return t ? t->OnPage : Page::None;
}

template <class Ctx> auto& UnitOf(Ctx& c, Quantity q) {
    switch (q) {
    case Quantity::Temp:
        return c.TU;
    case Quantity::Press:
        return c.PU;
    case Quantity::Flow:
        return c.FU;
    case Quantity::Dia:
        return c.D1U;
    case Quantity::Dia2:
        return c.D2U;
    case Quantity::Len:
        return c.LU;
    case Quantity::Free:
        return c.FSU;
    case Quantity::Radius:
    case Quantity::None:
        break;
    }
    return c.RU;
}

int ProbeIndex(const std::string& model) {
    for (std::size_t i = 0; i < ProbeButtons.size(); ++i)
        if (ProbeButtons[i].Model == model)
            return static_cast<int>(i);
    return -1;
}

} // namespace

ComponentEditor::ComponentEditor(LodoSession& session)
    : s_(session), m_(session.m_), ui_(session.ui_) {}

void ComponentEditor::Notify(unsigned mask) {
    s_.Notify(mask);
}
int ComponentEditor::Count() const {
    return s_.Count();
}
void ComponentEditor::Align(int CR) {
    s_.Align(CR);
}
void ComponentEditor::EvaluateRow(int row) {
    s_.EvaluateRow(row);
}
int ComponentEditor::CheckValue(std::string_view S, int Tc, const std::string& unit) {
    return LodoSession::CheckValue(S, Tc, unit);
}

void ComponentEditor::AddComponent(int code) {
    OperationScope op(s_);
    const ComponentType& type = *TypeOf(code);
    EvalContext& c = m_.Ctx;
    if (type.InletOnly && Count() != 0) {
        // Refused: nothing changes (no name used up, nothing to save); the component
        // being edited stays the one whose page is shown, and the page stays.
        ui_.ShowMessage(std::string(LodoErrorText(6)));
        ui_.ShowStatus(
            "To change the inlet, use Edit > Replace Inlet: the rest of the line stays.");
        Notify(RefreshLabels | RefreshComponentTab);
        return;
    }
    c.NodeType = type.NType;
    c.NodeInt = type.Code;
    c.RefNum = Operation::Adding;
    const int number = NextNameNumber(c.*type.Counter, m_.List, type.Prefix);
    c.NodeName = type.Prefix + std::to_string(number);
    Notify(RefreshLabels);
    if (type.InletOnly)
        c.CurrRow = Count();

    m_.List.push_back(CreateComp(c));
    Align(0);
    c.CurrRow = Count();
    SetNodeValues(m_);

    // The new component holds exactly the start values its page shows.
    TLodoComp& r = m_.List.back();
    CopyContextInputs(r, c);

    // What the page reads back: a straight component's outlet is its inlet, and
    // the context keeps the values that page does not show at their type defaults.
    switch (code) {
    case NodeTube:
    case NodeBend:
    case NodeNozzle:
        c.D2 = c.D1;
        c.D2U = c.D1U;
        r.Dia2 = r.Dia1;
        r.Dia2Unit = r.Dia1Unit;
        break;
    default:
        break;
    }
    switch (code) {
    case NodeTube:
        c.L = 1.0;
        break;
    case NodeBend:
        c.L = 1.0;
        c.LU = Units::Metric;
        break;
    case NodeContraction:
    case NodeExpansion:
        c.L = 1.0;
        c.A3 = 0.0;
        c.Rd = 0.1;
        break;
    default:
        break;
    }

    // Showing the shrouded-probe page checks RF2-111, the model of a new probe.
    ShowPage(type.OnPage);
    if (code == NodeShroud)
        c.D2 = ShroudPageOutletDia;
    EvaluateRow(c.CurrRow - 1);
    Notify(RefreshGrid | RefreshPage);
}

void ComponentEditor::EditComp(int CR) {
    OperationScope op(s_);
    if (CR < 0 || CR >= Count())
        return;
    m_.Ctx.CurrRow = CR + 1;
    m_.Ctx.RefNum = Operation::Editing;
    SetNodeValues(m_);
    ShowPage(PageOfCode(m_.List[CR].NTypeInt));
    // The intermediate values name the same component as the page.
    CurrentComponent::ShowValuesOf(m_, CR);
    Notify(RefreshTotals);
}

void ComponentEditor::ShowPage(Page p) {
    page_ = p;
    unitMemo_ = {};
    for (BoxState& b : boxes_)
        b = BoxState{};
    focus_.reset();
    Notify(RefreshPage);
    if (p == Page::None)
        return;

    if (m_.Ctx.CurrRow < 1 || m_.Ctx.CurrRow > Count()) {
        page_ = Page::None;
        return;
    }
    const TLodoComp& r = m_.List[m_.Ctx.CurrRow - 1];
    // Filling the boxes only shows the values; nothing is stored or converted.
    for (Box b : InfoOf(p).WriteOrder)
        WriteBox(b, ContextValue(InfoOf(b).Feeds));

    if (p == Page::Shroud) {
        const int shown = ProbeIndex(r.NType);
        if (shown >= 0 && shown != probe_) {
            probe_ = shown;
            m_.Ctx.NodeType = r.NType;
            label8_ = std::string(ProbeButtons[shown].Note);
            flash8_ = true;
            Notify(RefreshLabels);
        }
    }
    // A note already written describes the nozzle shown, not the one it was written
    // for (undo, another line): it follows the outlet the page shows.
    if (p == Page::Nozzle && !label9_.empty())
        WriteNozzleNote(Units::IsEnglish(r.Dia1Unit) ? 1 : 0);
    focus_ = InfoOf(p).FocusCycle.front();
    lineNameFocused_ = false;
    nodeNameL_ = "Component: " + r.Name;
}

// The heading names the record being edited as it is now: evaluation adds or
// drops the transition mark " *" after the page was shown.
void ComponentEditor::SyncNodeNameL() {
    if (page_ == Page::None || m_.Ctx.CurrRow < 1 || m_.Ctx.CurrRow > Count())
        return;
    std::string name = "Component: " + m_.List[static_cast<std::size_t>(m_.Ctx.CurrRow - 1)].Name;
    if (name == nodeNameL_)
        return;
    nodeNameL_ = std::move(name);
    s_.pending_ |= RefreshPage;
}

void ComponentEditor::WriteBox(Box b, double value) {
    BoxState& s = boxes_[static_cast<std::size_t>(b)];
    s.Text = NumberFormat::General(value, InfoOf(b).Digits);
    s.Committed = s.Text;
}

double& ComponentEditor::ContextValue(Field f) {
    EvalContext& c = m_.Ctx;
    switch (f) {
    case Field::Len:
        return c.L;
    case Field::Ang1:
        return c.A1;
    case Field::Ang2:
        return c.A2;
    case Field::Ang3:
        return c.A3;
    case Field::DiaBoth:
    case Field::Dia1:
        return c.D1;
    case Field::Dia2:
        return c.D2;
    case Field::Flow:
        return c.Qa;
    case Field::Temp:
        return c.T;
    case Field::Press:
        return c.P;
    case Field::FStream:
        return c.Ve;
    case Field::Brd:
        break;
    }
    return c.Rd;
}

std::string& ComponentEditor::ContextUnit(Quantity q) {
    return UnitOf(m_.Ctx, q);
}

UnitChoice ComponentEditor::UnitButton(Quantity q) const {
    if (page_ == Page::None || q == Quantity::None)
        return UnitChoice::Neither;
    // The nozzle's outlet pair takes no clicks but shows the unit of the outlet diameter.
    if (!BoxFor(page_, q))
        return UnitChoice::Neither;
    return Units::IsMetric(UnitOf(m_.Ctx, q)) ? UnitChoice::Metric : UnitChoice::English;
}

const std::string& ComponentEditor::BoxText(Box b) const {
    return boxes_[static_cast<std::size_t>(b)].Text;
}

bool ComponentEditor::BoxPending(Box b) const {
    const BoxState& s = boxes_[static_cast<std::size_t>(b)];
    return s.Text != s.Committed;
}

void ComponentEditor::DiscardBoxTyping(Box b) {
    BoxState& s = boxes_[static_cast<std::size_t>(b)];
    if (s.Text == s.Committed)
        return;
    s.Text = s.Committed;
    Notify(RefreshPage);
}

void ComponentEditor::SetBoxText(Box b, std::string text) {
    if (InfoOf(b).OnPage != page_ || !InfoOf(b).Focusable)
        return;
    boxes_[static_cast<std::size_t>(b)].Text = std::move(text);
}

bool ComponentEditor::ChangeEdit(Box b) {
    const BoxInfo& info = InfoOf(b);
    EvalContext& c = m_.Ctx;
    if (c.CurrRow == 0 || c.CurrRow > Count() || info.OnPage != page_)
        return false;
    BoxState& s = boxes_[static_cast<std::size_t>(b)];
    if (CheckValue(s.Text, info.CheckCode, UnitOf(c, info.Unit)) != 0)
        return false;

    // The stored value is the value of the rewritten (rounded) text, which must obey
    // the rule too: -273.149 rounds to -273.15, absolute zero.
    const std::string rounded =
        NumberFormat::General(*NumberFormat::ParseNumber(s.Text), info.Digits);
    if (CheckValue(rounded, info.CheckCode, UnitOf(c, info.Unit)) != 0)
        return false;
    if (StructureRefusal(b))
        return false;
    s.Text = rounded;
    s.Committed = s.Text;
    StoreEntry(b, *NumberFormat::ParseNumber(s.Text));
    return true;
}

void ComponentEditor::StoreEntry(Box b, double V) {
    const BoxInfo& info = InfoOf(b);
    EvalContext& c = m_.Ctx;
    TLodoComp& r = m_.List[c.CurrRow - 1];
    switch (info.Feeds) {
    case Field::Len:
        c.L = r.Len = V;
        break;
    case Field::Ang1:
        c.A1 = r.Ang1 = V;
        break;
    case Field::Ang2:
        c.A2 = r.Ang2 = V;
        break;
    case Field::Ang3:
        c.A3 = r.Ang3 = V;
        break;
    case Field::DiaBoth:
        c.D1 = c.D2 = r.Dia1 = r.Dia2 = V;
        break;
    case Field::Dia1:
        c.D1 = r.Dia1 = V;
        if (page_ == Page::Nozzle) {
            // The nozzle's outlet is its inlet, in the inlet's unit.
            c.D2 = c.D1;
            r.Dia2 = c.D1;
            c.D2U = c.D1U;
            r.Dia2Unit = r.Dia1Unit;
            WriteBox(Box::NozOutDiaEdit, c.D2);
        }
        break;
    case Field::Dia2:
        c.D2 = r.Dia2 = V;
        break;
    case Field::Flow:
        c.Qa = r.Flow = V;
        break;
    case Field::Temp:
        c.T = r.Temp = V;
        break;
    case Field::Press:
        c.P = r.Press = V;
        break;
    case Field::FStream:
        c.Ve = r.FStream = V;
        break;
    case Field::Brd:
        c.Rd = r.Brd = V;
        break;
    }
    Notify(RefreshPage | RefreshGrid);

    if (page_ == Page::Tube) {
        const auto cycle = InfoOf(page_).FocusCycle;
        const auto at = std::find(cycle.begin(), cycle.end(), b);
        if (at != cycle.end())
            focus_ = cycle[(static_cast<std::size_t>(at - cycle.begin()) + 1) % cycle.size()];
    }
    if (page_ == Page::Nozzle)
        WriteNozzleNote(Units::IsEnglish(r.Dia1Unit) ? 1 : 0);

    const int row = c.CurrRow - 1;
    const LodoList before = m_.List;
    Align(row);
    ReportResized(before, row, info.Feeds == Field::Dia1 && page_ == Page::Nozzle);
    EvaluateRow(row);
}

// The alignment carries a diameter along the line: the components it changed
// besides the edited one are named. The nozzle's inlet sets its outlet, and with it
// the whole line downstream, which nobody expects from an inlet entry: that is
// said in a message; any other resize in the status bar.
void ComponentEditor::ReportResized(const LodoList& before, int row, bool nozzleInlet) {
    const std::vector<DiameterChange> changes = DiameterChanges(before, m_.List, row);
    if (changes.empty())
        return;
    const TLodoComp& r = m_.List[static_cast<std::size_t>(row)];
    std::string name = r.Name;
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
        name.resize(name.size() - 2);
    if (nozzleInlet) {
        ui_.ShowMessage("The outlet of nozzle " + name +
                        " is its inlet diameter, and the line downstream follows the outlet: "
                        "changing the inlet diameter to " +
                        NumberFormat::General(r.Dia1, 5) +
                        (Units::IsEnglish(r.Dia1Unit) ? " in" : " mm") + " also changed\n" +
                        DescribeDiameterChanges(changes) +
                        "\nEdit > Undo (Ctrl+Z) puts them all back in one step.");
        return;
    }
    std::string names;
    for (const DiameterChange& c : changes)
        names += (names.empty() ? "" : ", ") + c.Name;
    ui_.ShowStatus("Diameters carried along the line to " + names +
                   " (Edit > Undo puts them back)");
}

void ComponentEditor::WriteNozzleNote(int variant) {
    // As the outlet box shows it: a converted diameter keeps all its digits.
    const std::string D = NumberFormat::General(m_.Ctx.D2, 5);
    const std::string tail =
        ", then either a Contraction or an Expansion must be the next component";
    switch (variant) {
    case 0: // accepted entry, metric inlet
        label9_ = "The exit diameter of this Nozzle is " + D +
                  "  mm. If the next component's internal diameter is not " + D + " mm" + tail;
        break;
    case 1: // accepted entry or switch, inch inlet
        label9_ = "The exit diameter of this nozzle is " + D +
                  " inch.  If the next component's internal diameter is not " + D + "  inch " +
                  tail;
        break;
    default: // switched to metric
        label9_ = "The exit diameter of this nozzle is " + D +
                  " mm.  If the next component's internal diameter is not " + D + "  mm" + tail;
        break;
    }
    flash9_ = true;
    Notify(RefreshPage | RefreshLabels);
}

void ComponentEditor::MoveFocus(Box from, int step) {
    const auto cycle = InfoOf(page_).FocusCycle;
    const auto at = std::find(cycle.begin(), cycle.end(), from);
    if (at == cycle.end())
        return;
    const auto n = static_cast<long>(cycle.size());
    const long next = ((at - cycle.begin()) + step + n) % n;
    FocusBox(cycle[static_cast<std::size_t>(next)]);
}

bool ComponentEditor::BoxKey(Box b, EditKey key) {
    OperationScope op(s_);
    const BoxInfo& info = InfoOf(b);
    if (info.OnPage != page_ || !info.Focusable)
        return false;
    if (focus_ != b) {
        focus_ = b;
        lineNameFocused_ = false;
        Notify(RefreshPage);
    }
    if (const int cv = EntryCheck(b); cv != 0) {
        ui_.ShowMessage(EntryMessage(cv, BoxText(b)));
        return false;
    }
    if (const auto refusal = StructureRefusal(b)) {
        ui_.ShowMessage(*refusal);
        return false;
    }
    MoveFocus(b, key == EditKey::Up ? -1 : 1);
    return true;
}

int ComponentEditor::EntryCheck(Box b) const {
    const BoxInfo& info = InfoOf(b);
    int cv = CheckValue(BoxText(b), info.CheckCode, UnitOf(m_.Ctx, info.Unit));
    // What would be stored is the rounded text: it must pass as well.
    if (cv == 0)
        cv = CheckValue(NumberFormat::General(*NumberFormat::ParseNumber(BoxText(b)), info.Digits),
                        info.CheckCode, UnitOf(m_.Ctx, info.Unit));
    return cv;
}

namespace {

// The stored fields an entry into a box writes, as the files name them.
std::array<std::string_view, 2> FieldsFed(Field f) {
    switch (f) {
    case Field::Len:
        return {"Len", ""};
    case Field::Ang1:
        return {"Ang1", ""};
    case Field::Ang2:
        return {"Ang2", ""};
    case Field::Ang3:
        return {"Ang3", ""};
    case Field::DiaBoth:
        return {"Dia1", "Dia2"};
    case Field::Dia1:
        return {"Dia1", ""};
    case Field::Dia2:
        return {"Dia2", ""};
    case Field::Flow:
        return {"Flow", ""};
    case Field::Temp:
        return {"Temp", ""};
    case Field::Press:
        return {"Press", ""};
    case Field::FStream:
        return {"FStream", ""};
    case Field::Brd:
        return {"Brd", ""};
    }
    return {"", ""};
}

void Put(TLodoComp& r, Field f, double V) {
    switch (f) {
    case Field::Len:
        r.Len = V;
        break;
    case Field::Ang1:
        r.Ang1 = V;
        break;
    case Field::Ang2:
        r.Ang2 = V;
        break;
    case Field::Ang3:
        r.Ang3 = V;
        break;
    case Field::DiaBoth:
        r.Dia1 = r.Dia2 = V;
        break;
    case Field::Dia1:
        r.Dia1 = V;
        break;
    case Field::Dia2:
        r.Dia2 = V;
        break;
    case Field::Flow:
        r.Flow = V;
        break;
    case Field::Temp:
        r.Temp = V;
        break;
    case Field::Press:
        r.Press = V;
        break;
    case Field::FStream:
        r.FStream = V;
        break;
    case Field::Brd:
        r.Brd = V;
        break;
    }
}

} // namespace

std::optional<std::string> ComponentEditor::StructureRefusal(Box b) const {
    const BoxInfo& info = InfoOf(b);
    const EvalContext& c = m_.Ctx;
    if (c.CurrRow == 0 || c.CurrRow > Count())
        return std::nullopt;
    const auto typed = NumberFormat::ParseNumber(BoxText(b));
    if (!typed)
        return std::nullopt;
    // The record as the entry would leave it (the rounded value is what is stored).
    const std::size_t row = static_cast<std::size_t>(c.CurrRow - 1);
    TLodoComp candidate = m_.List[row];
    Put(candidate, info.Feeds,
        *NumberFormat::ParseNumber(NumberFormat::General(*typed, info.Digits)));
    // Only a rule the entry takes part in refuses it: a line read from a file may
    // break others, which the findings show.
    for (const LineStructure::Rule* r : LineStructure::BrokenRules(candidate, row))
        for (std::string_view field : FieldsFed(info.Feeds))
            if (!field.empty() && LineStructure::ReadsField(*r, field))
                return std::string(r->Refusal);
    return std::nullopt;
}

bool ComponentEditor::EnterPendingValue() {
    OperationScope op(s_);
    if (!focus_)
        return true;
    const Box b = *focus_;
    const BoxState& s = boxes_[static_cast<std::size_t>(b)];
    if (s.Text == s.Committed)
        return true;
    if (const int cv = EntryCheck(b); cv != 0) {
        ui_.ShowMessage(EntryMessage(cv, s.Text));
        return false;
    }
    if (const auto refusal = StructureRefusal(b)) {
        ui_.ShowMessage(*refusal);
        return false;
    }
    ChangeEdit(b);
    return true;
}

void ComponentEditor::FocusBox(std::optional<Box> b) {
    OperationScope op(s_);
    if (b && (InfoOf(*b).OnPage != page_ || !InfoOf(*b).Focusable))
        b.reset();
    if (b == focus_ && !lineNameFocused_)
        return;
    const std::optional<Box> left = focus_;
    if (left && left != b) {
        const BoxState& s = boxes_[static_cast<std::size_t>(*left)];
        if (s.Text != s.Committed)
            ChangeEdit(*left);
    }
    focus_ = b;
    lineNameFocused_ = false;
    Notify(RefreshPage);
}

void ComponentEditor::FocusLineName() {
    OperationScope op(s_);
    FocusBox(std::nullopt);
    lineNameFocused_ = true;
}

void ComponentEditor::ProbeSelect(int index) {
    OperationScope op(s_);
    if (index < 0 || index >= static_cast<int>(ProbeButtons.size()) || page_ != Page::Shroud)
        return;
    probe_ = index;
    m_.Ctx.NodeType = std::string(ProbeButtons[index].Model);
    label8_ = std::string(ProbeButtons[index].Note);
    flash8_ = true;
    Notify(RefreshPage | RefreshLabels);
    const int row = m_.Ctx.CurrRow - 1;
    if (row >= 0 && row < Count()) {
        m_.List[row].NType = m_.Ctx.NodeType;
        EvaluateRow(row);
    }
}

void ComponentEditor::SwitchUnit(Quantity q, UnitChoice target) {
    OperationScope op(s_);
    EvalContext& c = m_.Ctx;
    // Angles have no unit pair (their rows carry no quantity).
    if (target == UnitChoice::Neither || q == Quantity::None || c.CurrRow == 0 ||
        c.CurrRow > Count())
        return;
    const std::optional<Box> box = BoxFor(page_, q);
    if (!box)
        return;
    // The nozzle's outlet buttons take no clicks: the outlet follows the inlet.
    if (page_ == Page::Nozzle && q == Quantity::Dia2)
        return;

    const int row = c.CurrRow - 1;
    const std::string& unit = UnitText(target);
    const bool toEnglish = target == UnitChoice::English;
    std::string prev = RecordUnit(m_.List[row], q);
    ContextUnit(q) = unit;
    RecordUnit(m_.List[row], q) = unit;
    Notify(RefreshPage | RefreshGrid);

    if (prev != unit) {
        TLodoComp& r = m_.List[row];
        BoxState& s = boxes_[static_cast<std::size_t>(*box)];
        const int code = InfoOf(*box).CheckCode;
        // The value keeps its full precision; only the box shows it rounded, so a
        // switch and its way back return exactly the value that was there.
        UnitMemo& memo = unitMemo_[static_cast<std::size_t>(q)];
        double V;
        if (memo.Row == row && memo.Unit == unit && memo.Converted == RecordValue(r, q)) {
            V = memo.Original;
            s.Text = NumberFormat::General(V, InfoOf(*box).Digits);
            memo = UnitMemo{};
        } else {
            V = Convert(q, page_, RecordValue(r, q), toEnglish);
            memo = UnitMemo{row, prev, RecordValue(r, q), V};
            s.Text = NumberFormat::General(V, 5);
        }
        s.Committed = s.Text;
        ContextValue(InfoOf(*box).Feeds) = V;
        RecordValue(r, q) = V;
        if (q == Quantity::Dia && (page_ == Page::Tube || page_ == Page::Bend)) {
            c.D2 = V;
            c.D2U = unit;
            r.Dia2 = V;
            r.Dia2Unit = unit;
        }
        // Stored like an accepted entry; a value that was already invalid stays
        // converted, without a message.
        if (CheckValue(s.Text, code, unit) == 0)
            StoreEntry(*box, V);
        RecordUnit(m_.List[row], q) = unit;
        if (page_ == Page::Nozzle && q == Quantity::Dia)
            WriteNozzleNote(toEnglish ? 1 : 2);
    }
    Align(row);
    EvaluateRow(row);
}
