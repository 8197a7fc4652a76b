#pragma once

#include "model/LodoModel.h"
#include "session/PropertyPages.h"
#include "session/SessionUi.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

enum class EditKey { Enter, Down, Up };

enum class UnitChoice { Metric, English, Neither };

class LodoSession;

// The component editor of the main window: adding and editing components, the
// property page shown with its entry boxes, focus, unit buttons, probe choice and
// notes. It belongs to a LodoSession, whose operations of the same names are the
// only way in (every edit passes through the session); it changes the session's
// line and reports through the session's notification.
class ComponentEditor {
public:
    explicit ComponentEditor(LodoSession& session);
    ComponentEditor(const ComponentEditor&) = delete;
    ComponentEditor& operator=(const ComponentEditor&) = delete;

    void AddComponent(int code); // TubeMenuClick's work and its sisters'
    void EditComp(int CR);

    const std::string& BoxText(Box b) const;
    bool BoxPending(Box b) const;
    void DiscardBoxTyping(Box b);
    void SetBoxText(Box b, std::string text);
    bool BoxKey(Box b, EditKey key);
    void FocusBox(std::optional<Box> b);
    std::optional<Box> FocusedBox() const { return focus_; }
    bool LineNameFocused() const { return lineNameFocused_; }
    void FocusLineName();
    // Enters the value typed into the focused box and not yet entered, as leaving the
    // box would; false, with the box's message shown, when the value is refused.
    bool EnterPendingValue();

    Page VisiblePage() const { return page_; }
    const std::string& NodeNameL() const { return nodeNameL_; }
    UnitChoice UnitButton(Quantity q) const;
    int CheckedProbe() const { return probe_; }
    const std::string& Label8() const { return label8_; }
    const std::string& Label9() const { return label9_; }
    bool FlashText8() const { return flash8_; }
    bool FlashText9() const { return flash9_; }

    void ProbeSelect(int index);
    void SwitchUnit(Quantity q, UnitChoice target);

    // For the session's document commands.
    void ShowPage(Page p);
    void ClearNodeName() { nodeNameL_.clear(); }
    void LineNameFocusedAfterNew() { lineNameFocused_ = true; }
    // The heading follows the record's name (the transition mark comes and goes).
    void SyncNodeNameL();

private:
    struct BoxState {
        std::string Text;
        std::string Committed; // text last written by the session or stored
    };

    void Notify(unsigned mask);
    int Count() const;
    void Align(int CR);
    void EvaluateRow(int row);
    static int CheckValue(std::string_view S, int Tc, const std::string& unit);
    void WriteBox(Box b, double value);
    double& ContextValue(Field f);
    std::string& ContextUnit(Quantity q);
    bool ChangeEdit(Box b);
    int EntryCheck(Box b) const; // CheckValue's code for the box's text as it would be stored
    // What the editor says when the entry would break a line-structure rule it takes
    // part in (a contraction that widens, a bend tighter than its tube); none if not.
    std::optional<std::string> StructureRefusal(Box b) const;
    void StoreEntry(Box b, double V);
    void MoveFocus(Box from, int step);
    void WriteNozzleNote(int variant);
    void ReportResized(const LodoList& before, int row, bool nozzleInlet);

    LodoSession& s_;
    LodoModel& m_;
    SessionUi& ui_;

    // The last unit switch of each quantity on the page shown: switching back while
    // the value is still the converted one restores the original exactly.
    struct UnitMemo {
        int Row = -1;
        std::string Unit;     // the unit switched away from
        double Original = 0;  // the value in that unit
        double Converted = 0; // the value the switch stored
    };
    std::array<UnitMemo, 9> unitMemo_{}; // by Quantity

    std::array<BoxState, BoxCount> boxes_{};
    Page page_ = Page::None;
    std::optional<Box> focus_;
    bool lineNameFocused_ = false;
    std::string nodeNameL_;
    int probe_ = -1;
    std::string label8_, label9_;
    bool flash8_ = false, flash9_ = false;
};
