#pragma once

#include "model/DesignCase.h"
#include "model/LodoModel.h"
#include "session/PropertyPages.h"

#include <cstddef>
#include <string>
#include <vector>

// Undo and redo of the line: snapshots of what an edit changed, taken through the
// session when each of its operations ends. Plain data; the window's undo stack
// names and orders the same steps.
struct LineState {
    LodoModel Model; // the line with its results, the context and the display texts
    std::string LineName;
    DistributionSetting Dist;
    std::string LabelPent, LabelANSI1;
    bool LnStrVisible = false;
    bool DrawingVisible = false;
    Page Shown = Page::None;   // the page on screen, for CurrRow's component
    Design::DesignCase Design; // identification, criteria, range (particles: Dist)
};

// What an undo step is called, from the state before and after it: "Add T-3",
// "Delete B-1", "Move T-2", "Edit T-2 length 1 → 2 m", "T-2 flow in CFM",
// "Probe WIPP6CFM", "Line name \"Stack 3\"", "Distribution LogNormal".
std::string DescribeStep(const LineState& before, const LineState& after);

// True when the two states differ in what undo restores (not merely in the view).
bool LineChanged(const LineState& a, const LineState& b);

class EditHistory {
public:
    struct Step {
        std::string Text;
        LineState Before, After;
    };

    // A new or opened line: no steps, `now` the state they start from.
    void Reset(LineState now);
    // The end of an operation: a step when the line changed since the last state,
    // dropping the steps that could have been redone. True when a step was added.
    bool Record(LineState now);

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < steps_.size(); }
    // The state to put back, moving the position; nullptr when there is none.
    const LineState* Undo();
    const LineState* Redo();
    // The state reached after putting one back (its view may differ slightly).
    void SetCurrent(LineState now) { current_ = std::move(now); }

    std::size_t Index() const { return index_; } // steps done
    const std::vector<Step>& Steps() const { return steps_; }

private:
    std::vector<Step> steps_;
    std::size_t index_ = 0;
    LineState current_;
};
