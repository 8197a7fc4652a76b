#include "session/LodoSession.h"

#include "model/CreateComp.h"
#include "model/InputRules.h"
#include "model/LodoError.h"
#include "model/NumberFormat.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "persistence/FileIo.h"
#include "persistence/ReaderWarnings.h"
#include "persistence/RecordFields.h"
#include "session/OperationScope.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <fmt/format.h>
#include <system_error>

namespace {

const std::string SaveQuestion = "File has not been saved!\nDo You want to save the file";

} // namespace

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
    if (depth_ == 0)
        OperationScope flush(*this);
}

// ---- Evaluation ---------------------------------------------------------------

void LodoSession::Align(int CR) {
    if (m_.List.empty() || CR < 0 || CR >= Count())
        return;
    const AlignResult r = AlignList(m_, CR);
    drawingVisible_ = true;
    Notify(RefreshGrid | RefreshTotals | RefreshDrawing);
    if (r.ShowMessage7)
        ui_.ShowMessage(std::string(LodoErrorText(7)));
}

void LodoSession::EvaluateRow(int row) {
    if (row < 0 || row >= Count())
        return;
    // The whole line, showing the row: evaluating the row alone would integrate it
    // up to what the last component transmitted, not what its neighbour did.
    EvaluateLine(m_, row);
    Notify(RefreshGrid | RefreshTotals | RefreshDrawing);
}

// ---- Adding and editing components ----------------------------------------------

// ---- The component editor ------------------------------------------------------

void LodoSession::TubeMenuClick() {
    editor_.AddComponent(NodeTube);
}
void LodoSession::BendMenuClick() {
    editor_.AddComponent(NodeBend);
}
void LodoSession::ContractMenuClick() {
    editor_.AddComponent(NodeContraction);
}
void LodoSession::ExpandMenuClick() {
    editor_.AddComponent(NodeExpansion);
}
void LodoSession::ShroudMenuClick() {
    editor_.AddComponent(NodeShroud);
}
void LodoSession::NozzleMenuClick() {
    editor_.AddComponent(NodeNozzle);
}
void LodoSession::EditComp(int CR) {
    editor_.EditComp(CR);
}
const std::string& LodoSession::BoxText(Box b) const {
    return editor_.BoxText(b);
}
void LodoSession::SetBoxText(Box b, std::string text) {
    editor_.SetBoxText(b, std::move(text));
}
bool LodoSession::BoxKey(Box b, EditKey key) {
    return editor_.BoxKey(b, key);
}
void LodoSession::FocusBox(std::optional<Box> b) {
    editor_.FocusBox(b);
}
void LodoSession::FocusLineName() {
    editor_.FocusLineName();
}
bool LodoSession::EnterPendingValue() {
    EnterLineName();
    return editor_.EnterPendingValue();
}
void LodoSession::DiscardBoxTyping(Box b) {
    OperationScope op(*this);
    editor_.DiscardBoxTyping(b);
}
UnitChoice LodoSession::UnitButton(Quantity q) const {
    return editor_.UnitButton(q);
}
void LodoSession::ProbeSelect(int index) {
    editor_.ProbeSelect(index);
}
void LodoSession::SwitchUnit(Quantity q, UnitChoice target) {
    editor_.SwitchUnit(q, target);
}
void LodoSession::SyncNodeNameL() {
    editor_.SyncNodeNameL();
}

// ---- Boxes ---------------------------------------------------------------------------

int LodoSession::CheckValue(std::string_view S, int Tc, const std::string& unit) {
    // Entries use "." only; the file parser's tolerance of "," does not apply here.
    if (S.find(',') != std::string_view::npos)
        return 1;
    const std::optional<double> v = NumberFormat::ParseNumber(S);
    if (!v)
        return 1;
    // The ranges are the shared input rules, so a line the editor accepts always reads back.
    const auto id = InputRules::RuleOfCheckCode(Tc);
    if (!id)
        return 0;
    const InputRules::Rule& rule = InputRules::RuleOf(*id);
    const double V = *id == InputRules::RuleId::Temperature ? Units::TempToC(*v, unit) : *v;
    return InputRules::Allows(rule, V) ? 0 : rule.MessageNo;
}

bool LodoSession::myNum(char32_t c) {
    if (c == 0)
        return false;
    if (c >= 128)
        return true;
    return !(c == U'-' || c == U'.' || (c >= U'0' && c <= U'9'));
}

void LodoSession::SetLineName(std::string name) {
    OperationScope op(*this);
    lineNameTyped_.reset();
    if (name == lineName_)
        return;
    lineName_ = std::move(name);
    Notify(RefreshLabels);
}

void LodoSession::TypeLineName(std::string text) {
    lineNameTyped_ = std::move(text);
}

void LodoSession::EnterLineName() {
    if (lineNameTyped_)
        SetLineName(*lineNameTyped_);
}

void LodoSession::DiscardLineNameTyping() {
    OperationScope op(*this);
    if (!lineNameTyped_)
        return;
    lineNameTyped_.reset();
    Notify(RefreshLabels);
}

// ---- Probe choice ------------------------------------------------------------------

// ---- Unit buttons ------------------------------------------------------------------

// ---- Grid ------------------------------------------------------------------------------

std::string LodoSession::Grid1GetValue(int ACol, int ARow) const {
    if (ARow < 0 || ARow >= Count() || ACol < 0 || ACol >= static_cast<int>(GridColumns.size()))
        return {};
    const TLodoComp& r = m_.List[static_cast<std::size_t>(ARow)];
    using PanelText::Fixed; // "invalid" for a value that is not a number
    switch (static_cast<GridCol>(ACol)) {
    case GridCol::Index:
        return std::to_string(ARow);
    case GridCol::Component:
        return r.Name;
    case GridCol::Type:
        return r.NType;
    case GridCol::Transmission:
        return Fixed(r.TransM1, 4);
    case GridCol::TubeLength:
        return r.NType == "Tube" ? Fixed(r.Len, 2) + (Units::IsEnglish(r.LenUnit) ? " ft" : " m")
                                 : "NA";
    case GridCol::BendAngle:
        return r.NType == "Bend" ? Fixed(r.Ang2, 2) + " Deg" : "NA";
    case GridCol::BendRadius:
        return r.NType == "Bend" ? Fixed(r.Brd, 3) + (Units::IsEnglish(r.RadiusUnit) ? " in" : " m")
                                 : "NA";
    case GridCol::InletDiameter:
        return Fixed(r.Dia1, 2) + (Units::IsEnglish(r.Dia1Unit) ? " in" : " mm");
    case GridCol::OutletDiameter:
        return Fixed(r.Dia2, 2) + (Units::IsEnglish(r.Dia2Unit) ? " in" : " mm");
    case GridCol::Temperature:
        break;
    }
    return Fixed(r.Temp, 1) + (Units::IsEnglish(r.TempUnit) ? " F" : " C");
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
    item2 = mode == Operation::Moving ? std::clamp(reply.Item2, 0, lodoCnt)
            : reply.Item2 < 0         ? 0
                                      : reply.Item2;
    if (reply.Confirmed)
        return {true, false, item1, item2};
    return {false, reply.Cancelled, remembered1, remembered2};
}

} // namespace

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
    if (s.Cancelled)
        return;
    if (s.First <= lodoCnt_)
        editor_.EditComp(s.First);
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
    if (!s.Confirmed)
        return;
    const int from = s.First, to = s.Second;
    if (from > lodoCnt_ || to > lodoCnt_)
        return;
    const auto isInlet = [](const TLodoComp& r) {
        return r.NTypeInt == NodeNozzle || r.NTypeInt == NodeShroud;
    };
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
    editor_.EditComp(to);
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
    if (!s.Confirmed)
        return;
    const int N = s.First;
    if (N > lodoCnt_)
        return;
    std::string deleted = m_.List[N].Name;
    if (deleted.size() >= 2 && deleted.compare(deleted.size() - 2, 2, " *") == 0)
        deleted.resize(deleted.size() - 2);
    m_.List.erase(m_.List.begin() + N);
    ui_.ShowStatus("Deleted " + deleted + " (Index " + std::to_string(N) +
                   "): Edit > Undo brings it back");
    EvaluateRow(0);
    Align(0);
    // The component before the deleted one, or the new first one, is edited next;
    // selected after the re-alignment so its page shows the aligned values.
    editor_.EditComp(N >= 1 ? N - 1 : 0);
    Notify(RefreshGrid | RefreshDrawing);
}

// ---- Document lifecycle ----------------------------------------------------------------

void LodoSession::SetCaptionsForDistribution() {
    if (dist_.TypeDist == Distribution::LogNormal) {
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
    design_.Reset(); // the particle description, like the distribution, is kept
    lineNameTyped_.reset();
    editor_.ShowPage(Page::None);
    // The second diameter follows the type last added, read before the reset.
    const double d2 = c.NodeType == "Contraction" ? 34.9 / 1.5
                      : c.NodeType == "Expansion" ? 34.9 * 1.5
                                                  : 34.9;
    c.ResetForNewLine();
    c.D2 = d2;
    m_.List.clear();
    editor_.ClearNodeName();
    m_.Display.SystemT = StyledText{};
    m_.Display.MassPent.clear();
    m_.Display.MaxPartSize.clear();
    // The captions match the distribution in force (a new line keeps it).
    SetCaptionsForDistribution();
    drawingVisible_ = false;
    editor_.LineNameFocusedAfterNew();
    doc_.SetFileName({});
    Notify(RefreshAll | RefreshComponentTab);
}

void LodoSession::TakeReference() {
    doc_.TakeReference(m_.List, Counters(), lineName_, DesignCase());
}

bool LodoSession::IsModified() const {
    return doc_.IsModified(m_.List, Counters(), lineName_, DesignCase());
}

bool LodoSession::AskToSave() {
    if (!IsModified())
        return true;
    switch (ui_.YNMessage(SaveQuestion, QuestionButtons::YesNoCancel)) {
    case Answer::Yes:
        return MenuItemSaveAsClick1();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool LodoSession::NewLineClick() {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    if (!AskToSave())
        return false;
    ResetLine();
    TakeReference();
    historyFresh_ = true;
    return true;
}

// ---- Undo and redo -----------------------------------------------------------------

LineState LodoSession::Capture() const {
    return LineState{m_,
                     lineName_,
                     dist_,
                     labelPent_,
                     labelANSI1_,
                     lnStrVisible_,
                     drawingVisible_,
                     editor_.VisiblePage(),
                     design_.Case()};
}

void LodoSession::Apply(const LineState& state) {
    m_ = state.Model;
    lineName_ = state.LineName;
    dist_ = state.Dist;
    design_.Set(state.Design);
    labelPent_ = state.LabelPent;
    labelANSI1_ = state.LabelANSI1;
    lnStrVisible_ = state.LnStrVisible;
    drawingVisible_ = state.DrawingVisible;
    const int row = m_.Ctx.CurrRow - 1;
    if (state.Shown != Page::None && row >= 0 && row < Count())
        editor_.EditComp(row);
    else {
        editor_.ShowPage(Page::None);
        editor_.ClearNodeName();
    }
    // Showing the page loaded the context as an edit does; the step's own context
    // says which operation was in progress and what the next component starts with.
    m_.Ctx = state.Model.Ctx;
    Notify(RefreshAll);
}

void LodoSession::EndOperation() {
    if (historyFresh_) {
        historyFresh_ = false;
        history_.Reset(Capture());
        if (historyObserver_)
            historyObserver_(HistoryChange::Reset, {});
        return;
    }
    if (history_.Record(Capture()) && historyObserver_)
        historyObserver_(HistoryChange::Step, history_.Steps()[history_.Index() - 1].Text);
}

bool LodoSession::Undo() {
    OperationScope op(*this);
    lineNameTyped_.reset(); // typing not entered goes with the state it was typed on
    const LineState* state = history_.Undo();
    if (!state)
        return false;
    Apply(*state);
    history_.SetCurrent(Capture());
    return true;
}

bool LodoSession::Redo() {
    OperationScope op(*this);
    lineNameTyped_.reset();
    const LineState* state = history_.Redo();
    if (!state)
        return false;
    Apply(*state);
    history_.SetCurrent(Capture());
    return true;
}

bool LodoSession::MenuItemExitClick() {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    return AskToSave();
}

bool LodoSession::LodoX() {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    if (!AskToSave())
        return false;
    const auto path = ui_.ChooseOpenFile(LineDocument::LxlFilter);
    if (!path)
        return false;
    return ReplaceLine(*path, false);
}

bool LodoSession::MenuItemPreOpenClick() {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    if (!AskToSave())
        return false;
    const auto path = ui_.ChooseOpenFile(LineDocument::LplFilter);
    if (!path)
        return false;
    return ReplaceLine(*path, true);
}

bool LodoSession::OpenFile(const std::filesystem::path& path) {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    if (!AskToSave())
        return false;
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
    if (file.LineName)
        lineName_ = *file.LineName;
    // The line reopens as it was saved: its design case, evaluated for its particle
    // description.
    design_.Set(file.Design);
    UseDistribution(file.Design.Particles.value_or(DistributionSetting{}));
    doc_.SetFileName(path.string());

    editor_.ShowPage(Page::None);
    c.CurrRow = 0;
    editor_.ClearNodeName();
    // Opening warns about nothing the user did: diameters the file held out of step
    // are reported with the reader's findings, once the new line is on screen.
    c.RefNum = Operation::Adding;
    const LodoList asRead = m_.List;
    Align(0);
    // Every value the alignment replaced is said: the file's and the one used.
    for (std::string& w : ReaderWarnings::AlignmentChanges(asRead, m_.List))
        file.Warnings.push_back(std::move(w));
    drawingVisible_ = true;
    if (!m_.List.empty())
        editor_.EditComp(Count() - 1);
    TakeReference();
    historyFresh_ = true;
    Notify(RefreshAll);
    if (fileObserver_)
        fileObserver_(doc_.FileName());
    ShowReaderWarnings(file.Warnings);
    return true;
}

void LodoSession::ShowReaderWarnings(const std::vector<std::string>& warnings) {
    if (warnings.empty())
        return;
    // Once, after the line is shown; a long list is cut so that the box fits the screen.
    constexpr std::size_t MaxShown = 12;
    std::string text =
        "The file was opened, but not everything in it was as this program writes it:";
    for (std::size_t i = 0; i < warnings.size() && i < MaxShown; ++i)
        text += "\n- " + warnings[i];
    if (warnings.size() > MaxShown)
        text += "\n(and " + std::to_string(warnings.size() - MaxShown) + " more)";
    afterRender_.push_back(std::move(text));
}

bool LodoSession::SaveAsTo(const std::filesystem::path& path) {
    if (!SaveTo(path))
        return false;
    // Confirmed once the file is written, not before, in the status bar: a box to
    // close after every save is in the way.
    ui_.ShowStatus("File : " + path.string());
    return true;
}

bool LodoSession::SaveTo(const std::filesystem::path& path) {
    if (const std::optional<FileError> err =
            LineDocument::Write(path, m_.List, lineName_, DesignCase())) {
        ui_.ShowError(path.string() + ": " + err->Message); // which file, as reading says
        return false;
    }
    doc_.SetFileName(path.string());
    TakeReference();
    Notify(RefreshLabels);
    if (fileObserver_)
        fileObserver_(doc_.FileName());
    return true;
}

bool LodoSession::MenuItemSaveClick1() {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    if (doc_.FileName().empty()) {
        const auto path = doc_.ChooseSaveAs(ui_, lineName_);
        return path && SaveAsTo(*path);
    }
    std::filesystem::path path = doc_.FileName();
    if (path.extension() != ".lxl")
        path.replace_extension(".lxl");
    return SaveTo(path);
}

bool LodoSession::MenuItemSaveAsClick1() {
    OperationScope op(*this);
    if (!EnterPendingValue())
        return false;
    const auto path = doc_.ChooseSaveAs(ui_, lineName_);
    return path && SaveAsTo(*path);
}

// ---- Parameter studies -------------------------------------------------------------

StudyOutcome LodoSession::RunStudy(StudyKind kind, int Z, double IVal, double FVal,
                                   const StudyMeasure& measure, const StudyProgress& progress) {
    OperationScope op(*this);
    StudyOutcome o = ::RunStudy(m_, kind, Z, IVal, FVal, measure, progress);
    // A study that could not run has not touched the line; one that ran leaves it
    // as a whole-line evaluation would.
    if (!o.Error) {
        EvaluateLine(m_, LastEvaluatedRow(m_.List));
        Notify(RefreshAll);
    }
    return o;
}

bool LodoSession::ExportStudy(const StudyOutcome& outcome) {
    OperationScope op(*this);
    return doc_.ExportStudy(ui_, outcome);
}

// ---- Distribution ---------------------------------------------------------------------

void LodoSession::ApplyDistribution(const DistributionSetting& s) {
    OperationScope op(*this);
    UseDistribution(s);
    // The component being edited stays the one whose page is shown.
    EvaluateLine(m_, LastEvaluatedRow(m_.List));
    Notify(RefreshAll);
}

void LodoSession::UseDistribution(const DistributionSetting& s) {
    dist_ = s;
    ::ApplyDistribution(m_.Ctx, s);
    SetCaptionsForDistribution();
    if (s.TypeDist == Distribution::LogNormal) {
        lnStrVisible_ = true;
    } else {
        m_.Display.MassPent.clear();
        lnStrVisible_ = false;
    }
}

// ---- Design case ----------------------------------------------------------------------

std::optional<std::string> LodoSession::SetDesignCase(const Design::DesignCase& d) {
    OperationScope op(*this);
    if (auto why = design_.Set(d))
        return why;
    Notify(RefreshTotals);
    return std::nullopt;
}

bool LodoSession::ApplyOperatingPoint(const Design::OperatingPoint& point) {
    if (const auto refusal = Design::PointRefusal(m_.List, point)) {
        ui_.ShowMessage(*refusal);
        return false;
    }
    using InputRules::RuleId;
    for (const auto& [value, rule] :
         {std::pair{point.Flow, RuleId::Flow}, std::pair{point.Diameter, RuleId::Diameter},
          std::pair{point.StackVelocity, RuleId::FreeStream},
          std::pair{point.Temperature, RuleId::Temperature}}) {
        if (value && !InputRules::Allows(InputRules::RuleOf(rule), *value)) {
            ui_.ShowMessage(std::string(InputRules::RuleOf(rule).Message));
            return false;
        }
    }
    OperationScope op(*this);
    Align(Design::SetOperatingPoint(m_.List, point));
    // The page on screen shows the component's new values.
    const int row = m_.Ctx.CurrRow - 1;
    if (editor_.VisiblePage() != Page::None && row >= 0 && row < Count())
        editor_.EditComp(row);
    return true;
}
