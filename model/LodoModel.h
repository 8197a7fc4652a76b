#pragma once

#include "model/DisplaySink.h"
#include "model/EvalContext.h"
#include "model/LogNormalSizes.h"
#include "model/TLodoComp.h"

#include <optional>
#include <string>

// The sample line together with its evaluation context and display outputs:
// what the main window owns.
struct LodoModel {
    LodoList List;
    EvalContext Ctx;
    DisplaySink Display;
    // Size classes of the log-normal integration, kept between evaluations; it
    // only saves work and never changes a result.
    LogNormalSizes Sizes;
};

// Loads the context for a new (RefNum Adding) or edited (RefNum Editing) component.
void SetNodeValues(LodoModel& m);

// Evaluates the component at Row (0-based) and recomputes the system totals. A Row
// outside the line changes nothing.
void CalcNodeTrans(LodoModel& m, int Row);

// Evaluates rows 0..Count-1 in order and shows the intermediate values of shownRow
// (none for a row outside the line). Records, totals and texts depend on the line,
// the particle description and shownRow alone, never on an earlier evaluation: the
// maximum transported size is the whole line's. An empty line changes nothing.
void EvaluateLine(LodoModel& m, int shownRow);

// The row a whole-line evaluation shows: the last one of a type evaluation knows
// (0 at least; -1 for an empty line).
int LastEvaluatedRow(const LodoList& list);

struct AlignResult {
    bool FittingResized = false; // a contraction or expansion had to be resized
    bool ShowMessage7 = false;   // resized while not adding: the GUI shows message 7
};

// Makes flow and pressure uniform from component CR, carries diameters along the
// line, then evaluates rows 0..Count-1 in order. Refreshing the grid and the
// drawing is the caller's job. A CR outside the line changes nothing.
AlignResult AlignList(LodoModel& m, int CR);

// True when any result of the component is not a finite number. PTrans and MTrans
// only mean something after a log-normal evaluation: pass false to skip them.
bool HasInvalidResult(const TLodoComp& c, bool withDistribution = true);

// True when a system total is not a finite number (MassTrans and PartTrans only
// in log-normal mode).
bool HasInvalidSystem(const EvalContext& ctx);
