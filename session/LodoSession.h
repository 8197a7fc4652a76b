#pragma once

#include "design/OperatingPoint.h"
#include "model/LodoModel.h"
#include "persistence/LineFile.h"
#include "session/ComponentEditor.h"
#include "session/DesignCaseEditor.h"
#include "session/EditHistory.h"
#include "session/LineDocument.h"
#include "session/PropertyPages.h"
#include "session/SessionUi.h"
#include "studies/engine/ParameterStudy.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The editor of the main window without any widget. The window forwards the
// user's commands, typing, keys, focus changes and button clicks here and renders
// what the accessors expose; questions to the user go through SessionUi.
//
// Rendering rule for the window: setting a widget from the session's state must
// not call back into the session (block the widgets' signals while rendering).
// Only the user's own actions are forwarded.
//
// The session is the one way in for every change of the line (an undo stack can
// record its operations): it owns the line and its evaluation, the notification,
// the grid texts and the Edit menu, and hands the component pages to its
// ComponentEditor and the files to its LineDocument.

// What changed since the last notification; the observer receives a mask.
enum Refresh : unsigned {
    RefreshGrid = 1u << 0,   // rows or cell texts (Grid1GetValue, GridRowCount)
    RefreshTotals = 1u << 1, // Model().Display: SystemT, MassPent, MaxPartSize, panel, CurveR, ...
    RefreshPage = 1u << 2, // visible page, box texts, unit buttons, probe, NodeNameL, notes, focus
    RefreshDrawing = 1u << 3, // the line's geometry or DrawingVisible()
    RefreshLabels = 1u << 4,  // LineName, LabelPent, LabelANSI1, LNStrVisible, FlashText8/9
    RefreshAll = 0x1Fu,
    // Not a state to render but a request: bring the "Component" tab of TabControl1
    // to the front (New Sample Line, a refused inlet). Not part of RefreshAll.
    RefreshComponentTab = 1u << 5,
};

struct GridColumn {
    std::string_view Name;   // column object name, e.g. "Column7"
    std::string_view Header; // header text, leading blanks included
    int Width;               // nominal width [px]
};

// The columns of Grid1, in the order of GridColumns: ACol of Grid1GetValue is one
// of these (the column object, not its on-screen position).
enum class GridCol : int {
    Index,
    Component,
    Type,
    Transmission,
    TubeLength,
    BendAngle,
    BendRadius,
    InletDiameter,
    OutletDiameter,
    Temperature,
};

// The ten columns of Grid1 in their initial order, indexed by GridCol.
inline constexpr std::array<GridColumn, 10> GridColumns{{
    {"Column7", "   Index", 64},
    {"StringColumn1", " Component", 72},
    {"StringColumn2", "     Type", 80},
    {"StringColumn3", "Transmission", 72},
    {"Column4", "Tube Length", 75},
    {"Column11", "Bend Angle", 72},
    {"Column9", "Bend Radius", 72},
    {"Column3", "Inlet Diameter", 80},
    {"Column8", "Outlet Diameter", 88},
    {"Column1", "Temperature", 72},
}};

class LodoSession {
public:
    // Starts like the main window: particle description Mono 10 um (log-normal 5 um,
    // 2.5), then the reset of New Sample Line without a question, an empty line
    // named "Sample Line 1" and the unsaved-change reference taken.
    explicit LodoSession(SessionUi& ui);

    LodoSession(const LodoSession&) = delete;
    LodoSession& operator=(const LodoSession&) = delete;

    // ---- The line and the evaluation context ---------------------------------
    // Read only: every change of the line goes through the operations below.
    const LodoModel& Model() const { return m_; }
    const LodoList& List() const { return m_.List; }
    int Count() const { return static_cast<int>(m_.List.size()); }
    const EvalContext& Ctx() const { return m_.Ctx; }
    NameCounters Counters() const;

    // ---- Change notification -------------------------------------------------
    using Observer = std::function<void(unsigned refreshMask)>;
    // Called after every operation that changed something (once per operation).
    void SetObserver(Observer observer) { observer_ = std::move(observer); }
    // Grows with every change; lets a caller tell whether anything happened.
    std::uint64_t Revision() const { return revision_; }
    // Told the path of every line file written or read successfully, by whichever
    // command (a save started by the save question included).
    using FileObserver = std::function<void(const std::string& path)>;
    void SetFileObserver(FileObserver observer) { fileObserver_ = std::move(observer); }

    // ---- Component menu bar (append a component; nozzle and shrouded probe only
    // into an empty line, else message 6 and the pages are hidden) ------------
    void TubeMenuClick();
    void BendMenuClick();
    void ContractMenuClick();
    void ExpandMenuClick();
    void ShroudMenuClick();
    void NozzleMenuClick();

    // Makes the component at 0-based index CR the one being edited and shows its
    // page. Out-of-range indexes do nothing.
    void EditComp(int CR);

    // ---- Entry boxes -----------------------------------------------------------
    // Validation verdict CV: 0 accepted, else the LodoError number (1..5, 10, 13, 14).
    // Numbers use "." only. `unit` is the box's unit string (temperatures only).
    static int CheckValue(std::string_view S, int Tc, const std::string& unit = "Metric");
    // The key filter: true when the typed character must be discarded (every code
    // from 1 to 127 except "-", "." and the digits, and every code of 128 and above).
    // Apply it to inserted characters only; editing keys carry no character (0).
    static bool myNum(char32_t c);

    // Text of a box of the visible page (empty for boxes of other pages).
    const std::string& BoxText(Box b) const;
    // The user changed the text of a box (typing, pasting). Stores nothing yet.
    void SetBoxText(Box b, std::string text);
    // Enter, Down or Up in a box: validates the text; an invalid text shows its
    // message and keeps the focus (returns false); a valid one moves the focus
    // along the page's cycle, which stores the value (returns true).
    bool BoxKey(Box b, EditKey key);
    // The focus moved (mouse click, Tab, or away from the boxes: nullopt). Leaving a
    // box whose text changed stores a valid text silently and ignores an invalid
    // one. Passing the box that already has the focus does nothing. Forward only
    // focus changes the user made, not window activation or pop-ups.
    void FocusBox(std::optional<Box> b);
    // The box that should have the keyboard focus (nullopt: none of the boxes).
    std::optional<Box> FocusedBox() const { return editor_.FocusedBox(); }
    // True after New Sample Line: the focus belongs in the line-name field.
    bool LineNameFocused() const { return editor_.LineNameFocused(); }
    // The line-name field was focused by the user.
    void FocusLineName();
    // A value typed into the focused box but not entered yet is what the user sees:
    // it is entered first by every File command below (and should be by any command
    // that reads the line, such as printing), so that the line saved, kept or left
    // is the one on screen. False, with the box's message, when it is refused; the
    // command then does nothing.
    bool EnterPendingValue();

    // ---- What the Component tab shows ----------------------------------------
    Page VisiblePage() const { return editor_.VisiblePage(); } // Page::None: TabControl2 hidden
    const std::string& NodeNameL() const { return editor_.NodeNameL(); }
    // Which button of the visible page's pair is checked. Neither for the nozzle
    // outlet pair (display only) and for quantities the page does not have.
    UnitChoice UnitButton(Quantity q) const;
    // The checked probe button (index into ProbeButtons), or -1.
    int CheckedProbe() const { return editor_.CheckedProbe(); }
    const std::string& Label8() const { return editor_.Label8(); }
    const std::string& Label9() const { return editor_.Label9(); }
    // Set once a note was written; never cleared (the window flashes the note).
    bool FlashText8() const { return editor_.FlashText8(); }
    bool FlashText9() const { return editor_.FlashText9(); }

    // ---- Main window labels ----------------------------------------------------
    const std::string& LineName() const { return lineName_; }
    void SetLineName(std::string name);
    // The line-name field: what is typed is held until it is entered (Enter, leaving
    // the field, or EnterPendingValue), so that a new name is one undo step.
    void TypeLineName(std::string text);
    void EnterLineName();
    void DiscardLineNameTyping();
    bool LineNamePending() const { return lineNameTyped_.has_value(); }
    const std::string& LineNameShown() const {
        return lineNameTyped_ ? *lineNameTyped_ : lineName_;
    }
    // A box holding typing that is not entered yet, and dropping that typing (the
    // box shows its value again): Ctrl+Z in a box undoes the typing first.
    bool BoxPending(Box b) const { return editor_.BoxPending(b); }
    void DiscardBoxTyping(Box b);
    const std::string& LabelPent() const { return labelPent_; }
    const std::string& LabelANSI1() const { return labelANSI1_; }
    bool LNStrVisible() const { return lnStrVisible_; }     // LNStr1 and LNStr2
    bool DrawingVisible() const { return drawingVisible_; } // Dummy1: hidden after New Sample Line

    // ---- Wall temperature (thermophoresis) -----------------------------------------
    // Gives the tube or bend at 0-based `row` a wall temperature in `unit` ("Metric"
    // degC, "English" degF), or takes it away (nullopt), and re-evaluates the line. A
    // temperature not above absolute zero is refused with its message (false). Other
    // types and rows outside the line change nothing (false).
    bool SetWallTemp(int row, std::optional<double> value, const std::string& unit);

    // ---- Probe choice ----------------------------------------------------------
    // The user checked probe button `index` (0..5 in ProbeButtons order).
    void ProbeSelect(int index);

    // ---- Unit buttons ------------------------------------------------------------
    // The user clicked the Metric or English button of quantity q on the visible
    // page (also when it was already checked: then only re-evaluates). Converts the
    // edited component's value, rewrites its box with 5 significant digits, stores
    // it and re-evaluates.
    void SwitchUnit(Quantity q, UnitChoice target);
    void TempEUnit() { SwitchUnit(Quantity::Temp, UnitChoice::English); }
    void TempMUnit() { SwitchUnit(Quantity::Temp, UnitChoice::Metric); }
    void PressEUnit() { SwitchUnit(Quantity::Press, UnitChoice::English); }
    void PressMUnit() { SwitchUnit(Quantity::Press, UnitChoice::Metric); }
    void FlowEUnit() { SwitchUnit(Quantity::Flow, UnitChoice::English); }
    void FlowMUnit() { SwitchUnit(Quantity::Flow, UnitChoice::Metric); }
    void DiaEUnit() { SwitchUnit(Quantity::Dia, UnitChoice::English); }
    void DiaMUnit() { SwitchUnit(Quantity::Dia, UnitChoice::Metric); }
    void Dia2EUnit() { SwitchUnit(Quantity::Dia2, UnitChoice::English); }
    void Dia2MUnit() { SwitchUnit(Quantity::Dia2, UnitChoice::Metric); }
    void LenEUnit() { SwitchUnit(Quantity::Len, UnitChoice::English); }
    void LenMUnit() { SwitchUnit(Quantity::Len, UnitChoice::Metric); }
    void FreeEUnit() { SwitchUnit(Quantity::Free, UnitChoice::English); }
    void FreeMUnit() { SwitchUnit(Quantity::Free, UnitChoice::Metric); }
    void RadiusEUnit() { SwitchUnit(Quantity::Radius, UnitChoice::English); }
    void RadiusMUnit() { SwitchUnit(Quantity::Radius, UnitChoice::Metric); }

    // ---- Component grid ----------------------------------------------------------
    // Cell text; ACol indexes GridColumns. Empty outside the line.
    std::string Grid1GetValue(int ACol, int ARow) const;
    int GridRowCount() const { return Count(); }

    // ---- Edit menu (the selection window comes through SessionUi) -------------
    void MenuItemEditCompClick();
    void MenuItemMoveCompClick();
    void MenuItemDelCompClick();
    // Numbers stored by the last closing of the selection window (0 at start) and
    // the highest index offered by the last command.
    int Item1() const { return item1_; }
    int Item2() const { return item2_; }
    int LodoCnt() const { return lodoCnt_; }

    // ---- File menu -----------------------------------------------------------------
    // The save question (Yes/No/Cancel) is asked only when the line differs from the
    // reference taken after New, Open, Save and Save As. Cancel, closing the box or
    // cancelling the Save As it started abandons the command (returns false).
    bool NewLineClick();
    // Open File / Open Pre V2 File: ask the save question when there are unsaved
    // changes, then the dialog; the line is replaced only after the whole file was
    // read. Cancel or a read error (shown by ShowError) leave everything as it was.
    // Return true when the line was replaced.
    bool LodoX();
    bool MenuItemPreOpenClick();
    // Opens a file without the dialog (command line, recent files); ".lpl" (any
    // letter case) is read as a legacy file, anything else as ".lxl".
    bool OpenFile(const std::filesystem::path& path);
    // Save: to DFileName (extension forced to ".lxl") without a dialog, or Save As
    // when there is no file name yet. Returns true when written.
    bool MenuItemSaveClick1();
    // Save As: always the dialog, which asks before replacing. Returns true when written.
    bool MenuItemSaveAsClick1();
    // Exit (also for the window's close box): the save question when needed.
    // Returns true when the application may close.
    bool MenuItemExitClick();
    // True when the line differs from the last reference (the save question is due).
    bool IsModified() const;
    // "line.lxl[*] — Lodo Calculator, v 2.0 Beta"; the caption alone (with its
    // modified mark) while the line has no file. "[*]" is where the window shows
    // its unsaved-changes mark.
    std::string WindowTitle() const { return doc_.WindowTitle(); }
    // A line name made safe for a file name, without extension: characters no file
    // system takes become "_", blanks and dots at the ends go; "Sample Line" when
    // nothing is left.
    static std::string ProposedFileName(const std::string& lineName) {
        return LineDocument::ProposedFileName(lineName);
    }
    const std::string& DFileName() const { return doc_.FileName(); }

    // ---- Parameter studies ------------------------------------------------------------
    // Runs a study on the line (Studies > Vary Parameters). The line comes back with
    // its own inputs, re-evaluated, also when `progress` cancels; a study that could
    // not run changes nothing and its outcome carries the message to show.
    // `measure` chooses what each point records (the specified penetration without one).
    StudyOutcome RunStudy(StudyKind kind, int Z, double IVal, double FVal,
                          const StudyMeasure& measure = {}, const StudyProgress& progress = {});
    // Saves a study's export through the save dialog ("Save As", .txt), proposing
    // DFileName with the study's word in place of its extension (StudyFileName). The
    // file is replaced only once it is complete; DFileName never changes. Returns
    // true when written.
    bool ExportStudy(const StudyOutcome& outcome);

    // ---- Operating point (Design Map) ------------------------------------------------
    // Sets the line to an operating point (flow, diameter, stack velocity, temperature)
    // the way the parameter studies set each value, and re-evaluates it: one step that
    // Undo takes back. A point the line cannot take, or a value outside its input rule,
    // is refused with the reason (ShowMessage) and changes nothing.
    bool ApplyOperatingPoint(const Design::OperatingPoint& point);

    // ---- Distribution ----------------------------------------------------------------
    // The particle description in force: what the distribution window opens with.
    // ---- Undo and redo ---------------------------------------------------------------
    // Every operation that changes the line, its name or the distribution becomes one
    // step, named after what it changed; New and Open start the history afresh. Undo
    // puts back the line, its results and the page shown exactly as they were.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    const EditHistory& History() const { return history_; }
    enum class HistoryChange { Reset, Step };
    // Told when the history starts afresh, and of each new step with its name.
    using HistoryObserver = std::function<void(HistoryChange change, const std::string& text)>;
    void SetHistoryObserver(HistoryObserver observer) { historyObserver_ = std::move(observer); }

    const DistributionSetting& Distribution() const { return dist_; }

    // ---- Design case -----------------------------------------------------------------
    // What the line is designed for and judged by, saved with it; its particle
    // description is the distribution in force. New empties the rest; Open takes the
    // file's and applies its description (the start-up one when it names none).
    Design::DesignCase DesignCase() const { return design_.WithParticles(dist_); }
    // The Design Case dialog's OK: identification, criteria and range as one undo
    // step. The reason when a value is refused; nothing changes then.
    std::optional<std::string> SetDesignCase(const Design::DesignCase& d);
    // Confirm: stores the window values, applies them to the evaluation (Dp, MDp,
    // DpSD, DType and the log-normal range), sets the penetration captions and the
    // log-normal notes, and re-evaluates every component.
    void ApplyDistribution(const DistributionSetting& s);

private:
    void Notify(unsigned mask);
    void SyncNodeNameL();
    void Align(int CR);
    void EvaluateRow(int row);
    bool AskToSave();
    void ResetLine();
    void TakeReference();
    bool ReplaceLine(const std::filesystem::path& path, bool legacy);
    void ShowReaderWarnings(const std::vector<std::string>& warnings);
    bool SaveTo(const std::filesystem::path& path);
    bool SaveAsTo(const std::filesystem::path& path);
    void SetCaptionsForDistribution();
    void UseDistribution(const DistributionSetting& s); // all but the evaluation
    LineState Capture() const;
    void Apply(const LineState& state);
    void EndOperation(); // records the step or starts the history afresh

    SessionUi& ui_;
    LodoModel m_;
    Observer observer_;
    FileObserver fileObserver_;
    std::uint64_t revision_ = 0;
    unsigned pending_ = 0;
    int depth_ = 0;
    // The component editor: the page shown, its boxes, focus, probe and notes.
    ComponentEditor editor_{*this};

    // Shown once the outermost operation has been rendered (findings on opening).
    std::vector<std::string> afterRender_;

    std::string lineName_;
    std::optional<std::string> lineNameTyped_;
    std::string labelPent_, labelANSI1_;
    bool lnStrVisible_ = false;
    bool drawingVisible_ = false;

    int item1_ = 0, item2_ = 0, lodoCnt_ = 0;

    LineDocument doc_; // file name, reference snapshot, file dialogs
    DistributionSetting dist_;
    DesignCaseEditor design_;

    EditHistory history_;
    HistoryObserver historyObserver_;
    bool historyFresh_ = true; // New or Open ran: the history starts from here

    friend class OperationScope;
    friend class ComponentEditor;
    friend struct SessionAccess;
};
