#include "session/LodoSession.h"

#include "model/CreateComp.h"
#include "model/NumberFormat.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "persistence/FileIo.h"
#include "persistence/RecordFields.h"
#include "session/LodoError.h"
#include "model/InputRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <fmt/format.h>
#include <system_error>

// Collects the refresh mask of one user operation and reports it once, when the
// outermost operation ends (operations nest: adding shows a page, ...).
class OperationScope {
public:
    explicit OperationScope(LodoSession& s) : s_(s) { ++s_.depth_; }
    ~OperationScope() {
        if (s_.depth_ == 1) s_.SyncNodeNameL();
        if (--s_.depth_ == 0 && s_.pending_ != 0) {
            const unsigned mask = s_.pending_;
            s_.pending_ = 0;
            ++s_.revision_;
            if (s_.observer_) s_.observer_(mask);
        }
        if (s_.depth_ == 0 && !s_.afterRender_.empty()) {
            const std::vector<std::string> messages = std::move(s_.afterRender_);
            s_.afterRender_.clear();
            for (const std::string& m : messages) s_.ui_.ShowMessage(m);
        }
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    LodoSession& s_;
};

namespace {

const std::string SaveQuestion = "File has not been saved!\nDo You want to save the file";
// What the shrouded-probe page starts its outlet at: 1.5 in [mm].
constexpr double ShroudPageOutletDia = 38.1;

// The boxes show their values in the general number format with their own digits.
std::string GeneralDigits(double x, int digits) { return NumberFormat::General(x, digits); }

bool IsEnglish(const std::string& unit) { return unit == Units::English; }

const std::string& UnitText(UnitChoice c) {
    return c == UnitChoice::English ? Units::English : Units::Metric;
}

struct ComponentType {
    int Code;
    const char* NType;
    const char* Prefix;
    int EvalContext::*Counter;
    Page OnPage;
    bool InletOnly;
};

constexpr ComponentType ComponentTypes[] = {
    {NodeTube, "Tube", "T-", &EvalContext::TINo, Page::Tube, false},
    {NodeBend, "Bend", "B-", &EvalContext::BINo, Page::Bend, false},
    {NodeContraction, "Contraction", "C-", &EvalContext::CINo, Page::Contract, false},
    {NodeExpansion, "Expansion", "E-", &EvalContext::EINo, Page::Expand, false},
    {NodeNozzle, "Nozzle", "N-", &EvalContext::NINo, Page::Nozzle, true},
    {NodeShroud, "RF2-111", "N-", &EvalContext::SINo, Page::Shroud, true},
};

const ComponentType* TypeOf(int code) {
    for (const auto& t : ComponentTypes)
        if (t.Code == code) return &t;
    return nullptr;
}

double& RecordValue(TLodoComp& r, Quantity q) {
    switch (q) {
        case Quantity::Temp: return r.Temp;
        case Quantity::Press: return r.Press;
        case Quantity::Flow: return r.Flow;
        case Quantity::Dia: return r.Dia1;
        case Quantity::Dia2: return r.Dia2;
        case Quantity::Len: return r.Len;
        case Quantity::Free: return r.FStream;
        case Quantity::Radius:
        case Quantity::None: break;
    }
    return r.Brd;
}

std::string& RecordUnit(TLodoComp& r, Quantity q) {
    switch (q) {
        case Quantity::Temp: return r.TempUnit;
        case Quantity::Press: return r.PressUnit;
        case Quantity::Flow: return r.FlowUnit;
        case Quantity::Dia: return r.Dia1Unit;
        case Quantity::Dia2: return r.Dia2Unit;
        case Quantity::Len: return r.LenUnit;
        case Quantity::Free: return r.FStreamUnit;
        case Quantity::Radius:
        case Quantity::None: break;
    }
    return r.RadiusUnit;
}

// The value of quantity q converted into the other unit system.
double Convert(Quantity q, Page page, double v, bool toEnglish) {
    using namespace Units;
    double factor = 1.0;
    switch (q) {
        case Quantity::Temp: return toEnglish ? 1.8 * v + 32.0 : (v - 32.0) / 1.8;
        case Quantity::Press: factor = PConv; break;
        case Quantity::Flow: factor = FConv; break;
        case Quantity::Dia:
        case Quantity::Dia2: factor = DConv; break;
        case Quantity::Len: factor = page == Page::Nozzle ? DConv : LConv; break;
        case Quantity::Free: factor = UConv; break;
        case Quantity::Radius: factor = RConv; break;
        case Quantity::None: return v;
    }
    return toEnglish ? v / factor : v * factor;
}

std::optional<Box> BoxFor(Page page, Quantity q) {
    if (page == Page::None) return std::nullopt;
    for (const BoxInfo& row : InfoOf(page).Rows)
        if (row.Unit == q) return row.Id;
    return std::nullopt;
}

Page PageOfCode(int code) {
    const ComponentType* t = TypeOf(code);
    return t ? t->OnPage : Page::None;
}

template <class Ctx>
auto& UnitOf(Ctx& c, Quantity q) {
    switch (q) {
        case Quantity::Temp: return c.TU;
        case Quantity::Press: return c.PU;
        case Quantity::Flow: return c.FU;
        case Quantity::Dia: return c.D1U;
        case Quantity::Dia2: return c.D2U;
        case Quantity::Len: return c.LU;
        case Quantity::Free: return c.FSU;
        case Quantity::Radius:
        case Quantity::None: break;
    }
    return c.RU;
}

int ProbeIndex(const std::string& model) {
    for (std::size_t i = 0; i < ProbeButtons.size(); ++i)
        if (ProbeButtons[i].Model == model) return static_cast<int>(i);
    return -1;
}

}  // namespace

LodoSession::LodoSession(SessionUi& ui) : ui_(ui) {
    OperationScope op(*this);
    m_.Ctx.DType = dist_.TypeDist;
    m_.Ctx.TypeDist = dist_.TypeDist;
    m_.Ctx.Dp = dist_.PartSize;
    m_.Ctx.MDp = dist_.MeanPart;
    m_.Ctx.DpSD = dist_.PartSD;
    ResetLine();
    TakeReference();
}

NameCounters LodoSession::Counters() const {
    const EvalContext& c = m_.Ctx;
    return NameCounters{c.TINo, c.BINo, c.CINo, c.EINo, c.NINo, c.SINo};
}

void LodoSession::Notify(unsigned mask) {
    pending_ |= mask;
    if (depth_ == 0) OperationScope flush(*this);
}

// ---- Evaluation ---------------------------------------------------------------

void LodoSession::Align(int CR) {
    if (m_.List.empty() || CR < 0 || CR >= Count()) return;
    const AlignResult r = AlignList(m_, CR);
    drawingVisible_ = true;
    Notify(RefreshGrid | RefreshTotals | RefreshDrawing);
    if (r.ShowMessage7) ui_.ShowMessage(std::string(LodoErrorText(7)));
}

void LodoSession::EvaluateRow(int row) {
    if (row < 0 || row >= Count()) return;
    CalcNodeTrans(m_, row);
    Notify(RefreshGrid | RefreshTotals | RefreshDrawing);
}

// ---- Adding and editing components ----------------------------------------------

void LodoSession::TubeMenuClick() { AddComponent(NodeTube); }
void LodoSession::BendMenuClick() { AddComponent(NodeBend); }
void LodoSession::ContractMenuClick() { AddComponent(NodeContraction); }
void LodoSession::ExpandMenuClick() { AddComponent(NodeExpansion); }
void LodoSession::ShroudMenuClick() { AddComponent(NodeShroud); }
void LodoSession::NozzleMenuClick() { AddComponent(NodeNozzle); }

void LodoSession::AddComponent(int code) {
    OperationScope op(*this);
    const ComponentType& type = *TypeOf(code);
    EvalContext& c = m_.Ctx;
    if (type.InletOnly && Count() != 0) {
        // Refused: the counter still counts the attempt, but the component being
        // edited stays the one whose page is shown, and the page stays.
        ++(c.*type.Counter);
        ui_.ShowMessage(std::string(LodoErrorText(6)));
        Notify(RefreshLabels | RefreshComponentTab);
        return;
    }
    c.NodeType = type.NType;
    c.NodeInt = type.Code;
    c.RefNum = Operation::Adding;
    const int number = ++(c.*type.Counter);
    c.NodeName = type.Prefix + std::to_string(number);
    Notify(RefreshLabels);
    if (type.InletOnly) c.CurrRow = Count();

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
        default: break;
    }
    switch (code) {
        case NodeTube: c.L = 1.0; break;
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
        default: break;
    }

    // Showing the shrouded-probe page checks RF2-111, the model of a new probe.
    ShowPage(type.OnPage);
    if (code == NodeShroud) c.D2 = ShroudPageOutletDia;
    EvaluateRow(c.CurrRow - 1);
    Notify(RefreshGrid | RefreshPage);
}

void LodoSession::EditComp(int CR) {
    OperationScope op(*this);
    if (CR < 0 || CR >= Count()) return;
    m_.Ctx.CurrRow = CR + 1;
    m_.Ctx.RefNum = Operation::Editing;
    SetNodeValues(m_);
    ShowPage(PageOfCode(m_.List[CR].NTypeInt));
}

void LodoSession::ShowPage(Page p) {
    page_ = p;
    unitMemo_ = {};
    for (BoxState& b : boxes_) b = BoxState{};
    focus_.reset();
    Notify(RefreshPage);
    if (p == Page::None) return;

    if (m_.Ctx.CurrRow < 1 || m_.Ctx.CurrRow > Count()) {
        page_ = Page::None;
        return;
    }
    const TLodoComp& r = m_.List[m_.Ctx.CurrRow - 1];
    // Filling the boxes only shows the values; nothing is stored or converted.
    for (Box b : InfoOf(p).WriteOrder) WriteBox(b, ContextValue(InfoOf(b).Feeds));

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
    focus_ = InfoOf(p).FocusCycle.front();
    lineNameFocused_ = false;
    nodeNameL_ = "Component: " + r.Name;
}

// The heading names the record being edited as it is now: evaluation adds or
// drops the transition mark " *" after the page was shown.
void LodoSession::SyncNodeNameL() {
    if (page_ == Page::None || m_.Ctx.CurrRow < 1 || m_.Ctx.CurrRow > Count()) return;
    std::string name = "Component: " + m_.List[static_cast<std::size_t>(m_.Ctx.CurrRow - 1)].Name;
    if (name == nodeNameL_) return;
    nodeNameL_ = std::move(name);
    pending_ |= RefreshPage;
}

void LodoSession::WriteBox(Box b, double value) {
    BoxState& s = boxes_[static_cast<std::size_t>(b)];
    s.Text = GeneralDigits(value, InfoOf(b).Digits);
    s.Committed = s.Text;
}

double& LodoSession::ContextValue(Field f) {
    EvalContext& c = m_.Ctx;
    switch (f) {
        case Field::Len: return c.L;
        case Field::Ang1: return c.A1;
        case Field::Ang2: return c.A2;
        case Field::Ang3: return c.A3;
        case Field::DiaBoth:
        case Field::Dia1: return c.D1;
        case Field::Dia2: return c.D2;
        case Field::Flow: return c.Qa;
        case Field::Temp: return c.T;
        case Field::Press: return c.P;
        case Field::FStream: return c.Ve;
        case Field::Brd: break;
    }
    return c.Rd;
}

std::string& LodoSession::ContextUnit(Quantity q) { return UnitOf(m_.Ctx, q); }

UnitChoice LodoSession::UnitButton(Quantity q) const {
    if (page_ == Page::None || q == Quantity::None) return UnitChoice::Neither;
    if (page_ == Page::Nozzle && q == Quantity::Dia2) return UnitChoice::Neither;
    if (!BoxFor(page_, q)) return UnitChoice::Neither;
    return Units::IsMetric(UnitOf(m_.Ctx, q)) ? UnitChoice::Metric : UnitChoice::English;
}

// ---- Boxes ---------------------------------------------------------------------------

int LodoSession::CheckValue(std::string_view S, int Tc, const std::string& unit) {
    // Entries use "." only; the file parser's tolerance of "," does not apply here.
    if (S.find(',') != std::string_view::npos) return 1;
    const std::optional<double> v = NumberFormat::ParseNumber(S);
    if (!v) return 1;
    // The ranges are the shared input rules, so a line the editor accepts always reads back.
    const auto id = InputRules::RuleOfCheckCode(Tc);
    if (!id) return 0;
    const InputRules::Rule& rule = InputRules::RuleOf(*id);
    const double V = *id == InputRules::RuleId::Temperature ? Units::TempToC(*v, unit) : *v;
    return InputRules::Allows(rule, V) ? 0 : rule.MessageNo;
}

// The rules that have an editor message carry its number and its exact text.
static_assert([] {
    for (const InputRules::Rule& r : InputRules::Rules)
        if (r.MessageNo != 0 && LodoErrorText(r.MessageNo) != r.Message) return false;
    return true;
}());

bool LodoSession::myNum(char32_t c) {
    if (c == 0) return false;
    if (c >= 128) return true;
    return !(c == U'-' || c == U'.' || (c >= U'0' && c <= U'9'));
}

const std::string& LodoSession::BoxText(Box b) const {
    return boxes_[static_cast<std::size_t>(b)].Text;
}

void LodoSession::SetBoxText(Box b, std::string text) {
    if (InfoOf(b).OnPage != page_ || !InfoOf(b).Focusable) return;
    boxes_[static_cast<std::size_t>(b)].Text = std::move(text);
}

bool LodoSession::ChangeEdit(Box b) {
    const BoxInfo& info = InfoOf(b);
    EvalContext& c = m_.Ctx;
    if (c.CurrRow == 0 || c.CurrRow > Count() || info.OnPage != page_) return false;
    BoxState& s = boxes_[static_cast<std::size_t>(b)];
    if (CheckValue(s.Text, info.CheckCode, UnitOf(c, info.Unit)) != 0) return false;

    // The stored value is the value of the rewritten (rounded) text, which must obey
    // the rule too: -273.149 rounds to -273.15, absolute zero.
    const std::string rounded = GeneralDigits(*NumberFormat::ParseNumber(s.Text), info.Digits);
    if (CheckValue(rounded, info.CheckCode, UnitOf(c, info.Unit)) != 0) return false;
    s.Text = rounded;
    s.Committed = s.Text;
    StoreEntry(b, *NumberFormat::ParseNumber(s.Text));
    return true;
}

void LodoSession::StoreEntry(Box b, double V) {
    const BoxInfo& info = InfoOf(b);
    EvalContext& c = m_.Ctx;
    TLodoComp& r = m_.List[c.CurrRow - 1];
    switch (info.Feeds) {
        case Field::Len: c.L = r.Len = V; break;
        case Field::Ang1: c.A1 = r.Ang1 = V; break;
        case Field::Ang2: c.A2 = r.Ang2 = V; break;
        case Field::Ang3: c.A3 = r.Ang3 = V; break;
        case Field::DiaBoth: c.D1 = c.D2 = r.Dia1 = r.Dia2 = V; break;
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
        case Field::Dia2: c.D2 = r.Dia2 = V; break;
        case Field::Flow: c.Qa = r.Flow = V; break;
        case Field::Temp: c.T = r.Temp = V; break;
        case Field::Press: c.P = r.Press = V; break;
        case Field::FStream: c.Ve = r.FStream = V; break;
        case Field::Brd: c.Rd = r.Brd = V; break;
    }
    Notify(RefreshPage | RefreshGrid);

    if (page_ == Page::Tube) {
        const auto cycle = InfoOf(page_).FocusCycle;
        const auto at = std::find(cycle.begin(), cycle.end(), b);
        if (at != cycle.end()) focus_ = cycle[(static_cast<std::size_t>(at - cycle.begin()) + 1) % cycle.size()];
    }
    if (page_ == Page::Nozzle) WriteNozzleNote(IsEnglish(r.Dia1Unit) ? 1 : 0);

    const int row = c.CurrRow - 1;
    Align(row);
    EvaluateRow(row);
}

void LodoSession::WriteNozzleNote(int variant) {
    // As the outlet box shows it: a converted diameter keeps all its digits.
    const std::string D = GeneralDigits(m_.Ctx.D2, 5);
    const std::string tail = ", then either a Contraction or an Expansion must be the next component";
    switch (variant) {
        case 0:  // accepted entry, metric inlet
            label9_ = "The exit diameter of this Nozzle is " + D + "  mm. If the next component's internal diameter is not " + D + " mm" + tail;
            break;
        case 1:  // accepted entry or switch, inch inlet
            label9_ = "The exit diameter of this nozzle is " + D + " inch.  If the next component's internal diameter is not " + D + "  inch " + tail;
            break;
        default:  // switched to metric
            label9_ = "The exit diameter of this nozzle is " + D + " mm.  If the next component's internal diameter is not " + D + "  mm" + tail;
            break;
    }
    flash9_ = true;
    Notify(RefreshPage | RefreshLabels);
}

void LodoSession::MoveFocus(Box from, int step) {
    const auto cycle = InfoOf(page_).FocusCycle;
    const auto at = std::find(cycle.begin(), cycle.end(), from);
    if (at == cycle.end()) return;
    const auto n = static_cast<long>(cycle.size());
    const long next = ((at - cycle.begin()) + step + n) % n;
    FocusBox(cycle[static_cast<std::size_t>(next)]);
}

bool LodoSession::BoxKey(Box b, EditKey key) {
    OperationScope op(*this);
    const BoxInfo& info = InfoOf(b);
    if (info.OnPage != page_ || !info.Focusable) return false;
    if (focus_ != b) {
        focus_ = b;
        lineNameFocused_ = false;
        Notify(RefreshPage);
    }
    int cv = CheckValue(BoxText(b), info.CheckCode, UnitOf(m_.Ctx, info.Unit));
    // What would be stored is the rounded text: it must pass as well.
    if (cv == 0)
        cv = CheckValue(GeneralDigits(*NumberFormat::ParseNumber(BoxText(b)), info.Digits), info.CheckCode,
                        UnitOf(m_.Ctx, info.Unit));
    if (cv != 0) {
        ui_.ShowMessage(std::string(LodoErrorText(cv)));
        return false;
    }
    MoveFocus(b, key == EditKey::Up ? -1 : 1);
    return true;
}

void LodoSession::FocusBox(std::optional<Box> b) {
    OperationScope op(*this);
    if (b && (InfoOf(*b).OnPage != page_ || !InfoOf(*b).Focusable)) b.reset();
    if (b == focus_ && !lineNameFocused_) return;
    const std::optional<Box> left = focus_;
    if (left && left != b) {
        const BoxState& s = boxes_[static_cast<std::size_t>(*left)];
        if (s.Text != s.Committed) ChangeEdit(*left);
    }
    focus_ = b;
    lineNameFocused_ = false;
    Notify(RefreshPage);
}

void LodoSession::FocusLineName() {
    OperationScope op(*this);
    FocusBox(std::nullopt);
    lineNameFocused_ = true;
}

void LodoSession::SetLineName(std::string name) {
    OperationScope op(*this);
    if (name == lineName_) return;
    lineName_ = std::move(name);
    Notify(RefreshLabels);
}

// ---- Probe choice ------------------------------------------------------------------

void LodoSession::ProbeSelect(int index) {
    OperationScope op(*this);
    if (index < 0 || index >= static_cast<int>(ProbeButtons.size()) || page_ != Page::Shroud) return;
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

// ---- Unit buttons ------------------------------------------------------------------

void LodoSession::SwitchUnit(Quantity q, UnitChoice target) {
    OperationScope op(*this);
    EvalContext& c = m_.Ctx;
    if (target == UnitChoice::Neither || c.CurrRow == 0 || c.CurrRow > Count()) return;
    const std::optional<Box> box = BoxFor(page_, q);
    if (!box) return;
    // The nozzle's outlet buttons take no clicks: the outlet follows the inlet.
    if (page_ == Page::Nozzle && q == Quantity::Dia2) return;

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
            s.Text = GeneralDigits(V, InfoOf(*box).Digits);
            memo = UnitMemo{};
        } else {
            V = Convert(q, page_, RecordValue(r, q), toEnglish);
            memo = UnitMemo{row, prev, RecordValue(r, q), V};
            s.Text = GeneralDigits(V, 5);
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
        if (CheckValue(s.Text, code, unit) == 0) StoreEntry(*box, V);
        RecordUnit(m_.List[row], q) = unit;
        if (page_ == Page::Nozzle && q == Quantity::Dia) WriteNozzleNote(toEnglish ? 1 : 2);
    }
    Align(row);
    EvaluateRow(row);
}

// ---- Grid ------------------------------------------------------------------------------

std::string LodoSession::Grid1GetValue(int ACol, int ARow) const {
    if (ARow < 0 || ARow >= Count() || ACol < 0 || ACol >= static_cast<int>(GridColumns.size()))
        return {};
    const TLodoComp& r = m_.List[static_cast<std::size_t>(ARow)];
    using PanelText::Fixed;  // "invalid" for a value that is not a number
    switch (static_cast<GridCol>(ACol)) {
        case GridCol::Index: return std::to_string(ARow);
        case GridCol::Component: return r.Name;
        case GridCol::Type: return r.NType;
        case GridCol::Transmission: return Fixed(r.TransM1, 4);
        case GridCol::TubeLength:
            return r.NType == "Tube" ? Fixed(r.Len, 2) + (IsEnglish(r.LenUnit) ? " ft" : " m") : "NA";
        case GridCol::BendAngle: return r.NType == "Bend" ? Fixed(r.Ang2, 2) + " Deg" : "NA";
        case GridCol::BendRadius:
            return r.NType == "Bend" ? Fixed(r.Brd, 3) + (IsEnglish(r.RadiusUnit) ? " in" : " m")
                                     : "NA";
        case GridCol::InletDiameter: return Fixed(r.Dia1, 2) + (IsEnglish(r.Dia1Unit) ? " in" : " mm");
        case GridCol::OutletDiameter: return Fixed(r.Dia2, 2) + (IsEnglish(r.Dia2Unit) ? " in" : " mm");
        case GridCol::Temperature: break;
    }
    return Fixed(r.Temp, 1) + (IsEnglish(r.TempUnit) ? " F" : " C");
}

// ---- Edit menu -----------------------------------------------------------------------

namespace {

struct Selection {
    bool Confirmed;
    bool Cancelled;
    int First, Second;
};

Selection RunSelection(SessionUi& ui, Operation mode, int lodoCnt, int& item1, int& item2) {
    SelectionRequest req;
    req.Mode = static_cast<int>(mode);
    req.LodoCnt = lodoCnt;
    switch (mode) {
        case Operation::Moving:
            req.Title = "Move a Component";
            req.FirstCaption = "Item To Move:";
            req.SecondCaption = "Final Location:";
            req.ShowSecond = true;
            break;
        case Operation::Deleting:
            req.Title = "Select a Component to Delete";
            req.FirstCaption = "Item Number";
            break;
        default:
            req.Title = "Select a Component to Edit";
            req.FirstCaption = "Item Number";
            break;
    }
    const int remembered1 = item1, remembered2 = item2;
    const SelectionReply reply = ui.SelectComponents(req);
    // The boxes clamp to 0..LodoCnt; their numbers are kept however the window closed.
    item1 = std::clamp(reply.Item1, 0, lodoCnt);
    item2 = mode == Operation::Moving ? std::clamp(reply.Item2, 0, lodoCnt) : reply.Item2 < 0 ? 0 : reply.Item2;
    if (reply.Confirmed) return {true, false, item1, item2};
    return {false, reply.Cancelled, remembered1, remembered2};
}

}  // namespace

void LodoSession::MenuItemEditCompClick() {
    OperationScope op(*this);
    if (m_.List.empty()) {
        ui_.ShowMessage(std::string(LodoErrorText(9)));
        return;
    }
    m_.Ctx.RefNum = Operation::Editing;
    lodoCnt_ = Count() - 1;
    const Selection s = RunSelection(ui_, Operation::Editing, lodoCnt_, item1_, item2_);
    // Closed without Confirm: the number of the previous choice, as before; Cancel
    // leaves everything as it is.
    if (s.Cancelled) return;
    if (s.First <= lodoCnt_) EditComp(s.First);
    Notify(RefreshGrid);
}

void LodoSession::MenuItemMoveCompClick() {
    OperationScope op(*this);
    if (m_.List.empty()) {
        ui_.ShowMessage(std::string(LodoErrorText(9)));
        return;
    }
    m_.Ctx.RefNum = Operation::Moving;
    lodoCnt_ = Count() - 1;
    const Selection s = RunSelection(ui_, Operation::Moving, lodoCnt_, item1_, item2_);
    // Rearranging the line needs the user's "Confirm".
    if (!s.Confirmed) return;
    const int from = s.First, to = s.Second;
    if (from > lodoCnt_ || to > lodoCnt_) return;
    const auto isInlet = [](const TLodoComp& r) { return r.NTypeInt == NodeNozzle || r.NTypeInt == NodeShroud; };
    // The inlet keeps index 0: it may neither leave it nor have a component put in front.
    if (isInlet(m_.List[from]) || (to == 0 && from != 0 && isInlet(m_.List[0]))) {
        ui_.ShowMessage(std::string(LodoErrorText(6)));
        return;
    }
    auto& l = m_.List;
    if (from < to)
        std::rotate(l.begin() + from, l.begin() + from + 1, l.begin() + to + 1);
    else if (from > to)
        std::rotate(l.begin() + to, l.begin() + from, l.begin() + from + 1);
    Align(to);
    EditComp(to);
    Notify(RefreshGrid | RefreshDrawing);
}

void LodoSession::MenuItemDelCompClick() {
    OperationScope op(*this);
    if (m_.List.empty()) {
        ui_.ShowMessage(std::string(LodoErrorText(9)));
        return;
    }
    m_.Ctx.RefNum = Operation::Deleting;
    lodoCnt_ = Count() - 1;
    if (lodoCnt_ == 0) {
        ui_.ShowMessage(std::string(LodoErrorText(8)));
        return;
    }
    const Selection s = RunSelection(ui_, Operation::Deleting, lodoCnt_, item1_, item2_);
    // Deleting needs the user's "Confirm": a closed window deletes nothing.
    if (!s.Confirmed) return;
    const int N = s.First;
    if (N > lodoCnt_) return;
    std::string deleted = m_.List[N].Name;
    if (deleted.size() >= 2 && deleted.compare(deleted.size() - 2, 2, " *") == 0) deleted.resize(deleted.size() - 2);
    m_.List.erase(m_.List.begin() + N);
    ui_.ShowStatus("Deleted " + deleted + " (Index " + std::to_string(N) + ")");
    EvaluateRow(0);
    Align(0);
    // The component before the deleted one, or the new first one, is edited next;
    // selected after the re-alignment so its page shows the aligned values.
    EditComp(N >= 1 ? N - 1 : 0);
    Notify(RefreshGrid | RefreshDrawing);
}

// ---- Document lifecycle ----------------------------------------------------------------

void LodoSession::SetCaptionsForDistribution() {
    if (dist_.TypeDist == "LogNormal") {
        labelPent_ = "Particle Penetration (%): ";
        labelANSI1_ = "Mass Penetration (%): ";
    } else {
        labelPent_ = "Total System Penetration % ";
        labelANSI1_ = " ANSI Limit > 50%";
    }
    Notify(RefreshLabels);
}

void LodoSession::ResetLine() {
    EvalContext& c = m_.Ctx;
    lineName_ = "Sample Line 1";
    ShowPage(Page::None);
    // The second diameter follows the type last added, read before the reset.
    const double d2 = c.NodeType == "Contraction" ? 34.9 / 1.5
                      : c.NodeType == "Expansion" ? 34.9 * 1.5
                                                  : 34.9;
    c.ResetForNewLine();
    c.D2 = d2;
    m_.List.clear();
    nodeNameL_.clear();
    m_.Display.SystemT = StyledText{};
    m_.Display.MassPent.clear();
    m_.Display.MaxPartSize.clear();
    // The captions match the distribution in force (a new line keeps it).
    SetCaptionsForDistribution();
    drawingVisible_ = false;
    lineNameFocused_ = true;
    doc_.SetFileName({});
    Notify(RefreshAll | RefreshComponentTab);
}

void LodoSession::TakeReference() { doc_.TakeReference(m_.List, Counters(), lineName_); }

bool LodoSession::IsModified() const {
    return doc_.IsModified(m_.List, Counters(), lineName_);
}

bool LodoSession::AskToSave() {
    if (!IsModified()) return true;
    switch (ui_.YNMessage(SaveQuestion, QuestionButtons::YesNoCancel)) {
        case Answer::Yes: return MenuItemSaveAsClick1();
        case Answer::No: return true;
        case Answer::Cancel: break;
    }
    return false;
}

bool LodoSession::NewLineClick() {
    OperationScope op(*this);
    if (!AskToSave()) return false;
    ResetLine();
    TakeReference();
    return true;
}

bool LodoSession::MenuItemExitClick() {
    OperationScope op(*this);
    return AskToSave();
}

bool LodoSession::LodoX() {
    OperationScope op(*this);
    if (!AskToSave()) return false;
    const auto path = ui_.ChooseOpenFile(LineDocument::LxlFilter);
    if (!path) return false;
    return ReplaceLine(*path, false);
}

bool LodoSession::MenuItemPreOpenClick() {
    OperationScope op(*this);
    if (!AskToSave()) return false;
    const auto path = ui_.ChooseOpenFile(LineDocument::LplFilter);
    if (!path) return false;
    return ReplaceLine(*path, true);
}

bool LodoSession::OpenFile(const std::filesystem::path& path) {
    OperationScope op(*this);
    if (!AskToSave()) return false;
    return ReplaceLine(path, LineDocument::IsLegacyPath(path));
}

bool LodoSession::ReplaceLine(const std::filesystem::path& path, bool legacy) {
    ReadResult read = LineDocument::Read(path, legacy, m_.Ctx);
    if (const FileError* err = std::get_if<FileError>(&read)) {
        // Name the file: the message may be about any line or field in it.
        ui_.ShowError(path.filename().string() + ": " + err->Message);
        return false;
    }
    LineFile& file = std::get<LineFile>(read);

    NameCounters counters = file.Counters;
    if (!legacy) {
        // Names go on from the highest number in use, in this file or before it.
        counters = Counters();
        RaiseNameCounters(file.List, counters);
    }
    EvalContext& c = m_.Ctx;
    c.TINo = counters.TINo;
    c.BINo = counters.BINo;
    c.CINo = counters.CINo;
    c.EINo = counters.EINo;
    c.NINo = counters.NINo;
    c.SINo = counters.SINo;
    m_.List = std::move(file.List);
    if (file.LineName) lineName_ = *file.LineName;
    doc_.SetFileName(path.string());

    ShowPage(Page::None);
    c.CurrRow = 0;
    nodeNameL_.clear();
    // Opening warns about nothing the user did: diameters the file held out of step
    // are reported with the reader's findings, once the new line is on screen.
    c.RefNum = Operation::Adding;
    const LodoList asRead = m_.List;
    Align(0);
    for (std::size_t i = 0; i < asRead.size(); ++i) {
        const TLodoComp &was = asRead[i], &now = m_.List[i];
        // Stored with 15 digits, a ratio carried through the line moves the last bit.
        const auto moved = [](double a, const std::string& ua, double b, const std::string& ub) {
            const double x = Units::DiaToMm(a, ua), y = Units::DiaToMm(b, ub);
            return !(std::fabs(x - y) <= 1e-9 * std::max(std::fabs(x), std::fabs(y)));
        };
        if ((now.NTypeInt == NodeContraction || now.NTypeInt == NodeExpansion) &&
            (moved(was.Dia1, was.Dia1Unit, now.Dia1, now.Dia1Unit) ||
             moved(was.Dia2, was.Dia2Unit, now.Dia2, now.Dia2Unit)))
            file.Warnings.push_back(RecordFields::ComponentLabel(i, now.Name) +
                                    ": its diameters did not match its neighbours'; it was resized to " +
                                    GeneralDigits(now.Dia1, 5) + " to " + GeneralDigits(now.Dia2, 5) +
                                    (now.Dia1Unit == Units::English ? " in" : " mm") +
                                    ". Check its diameters.");
    }
    drawingVisible_ = true;
    if (!m_.List.empty()) EditComp(Count() - 1);
    TakeReference();
    Notify(RefreshAll);
    if (fileObserver_) fileObserver_(doc_.FileName());
    ShowReaderWarnings(file.Warnings);
    return true;
}

void LodoSession::ShowReaderWarnings(const std::vector<std::string>& warnings) {
    if (warnings.empty()) return;
    // Once, after the line is shown; a long list is cut so that the box fits the screen.
    constexpr std::size_t MaxShown = 12;
    std::string text = "The file was opened, but not everything in it was as this program writes it:";
    for (std::size_t i = 0; i < warnings.size() && i < MaxShown; ++i) text += "\n- " + warnings[i];
    if (warnings.size() > MaxShown) text += "\n(and " + std::to_string(warnings.size() - MaxShown) + " more)";
    afterRender_.push_back(std::move(text));
}

bool LodoSession::SaveAsTo(const std::filesystem::path& path) {
    if (!SaveTo(path)) return false;
    // Confirmed once the file is written, not before.
    ui_.ShowMessage("File : " + path.string());
    return true;
}

bool LodoSession::SaveTo(const std::filesystem::path& path) {
    if (const std::optional<FileError> err = LineDocument::Write(path, m_.List, lineName_)) {
        ui_.ShowError(err->Message);
        return false;
    }
    doc_.SetFileName(path.string());
    TakeReference();
    Notify(RefreshLabels);
    if (fileObserver_) fileObserver_(doc_.FileName());
    return true;
}

bool LodoSession::MenuItemSaveClick1() {
    OperationScope op(*this);
    if (doc_.FileName().empty()) {
        const auto path = doc_.ChooseSaveAs(ui_, lineName_);
        return path && SaveAsTo(*path);
    }
    std::filesystem::path path = doc_.FileName();
    if (path.extension() != ".lxl") path.replace_extension(".lxl");
    return SaveTo(path);
}

bool LodoSession::MenuItemSaveAsClick1() {
    OperationScope op(*this);
    const auto path = doc_.ChooseSaveAs(ui_, lineName_);
    return path && SaveAsTo(*path);
}

// ---- Parameter studies -------------------------------------------------------------

StudyOutcome LodoSession::RunStudy(StudyKind kind, int Z, double IVal, double FVal,
                                   const StudyMeasure& measure, const StudyProgress& progress) {
    OperationScope op(*this);
    StudyOutcome o = ::RunStudy(m_, kind, Z, IVal, FVal, measure, progress);
    // A study that could not run has not touched the line.
    if (!o.Error) Notify(RefreshAll);
    return o;
}

bool LodoSession::ExportStudy(const StudyOutcome& outcome) {
    OperationScope op(*this);
    return doc_.ExportStudy(ui_, outcome);
}

// ---- Distribution ---------------------------------------------------------------------

void LodoSession::ApplyDistribution(const DistributionSetting& s) {
    OperationScope op(*this);
    dist_ = s;
    ::ApplyDistribution(m_.Ctx, s);
    SetCaptionsForDistribution();
    if (s.TypeDist == "LogNormal") {
        lnStrVisible_ = true;
    } else {
        m_.Display.MassPent.clear();
        lnStrVisible_ = false;
    }
    // The component being edited stays the one whose page is shown.
    for (int i = 0; i < Count(); ++i) CalcNodeTrans(m_, i);
    Notify(RefreshAll);
}
