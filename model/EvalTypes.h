#pragma once

#include "model/LodoModel.h"

// Internal entry points of the evaluation. A whole-line evaluation shows only its
// last evaluated component, so the rows before it are evaluated without filling
// the panel and the common outputs; the results are the same either way. The bend's
// curvature note and the inlets' aspiration verdicts are written in both modes:
// they stay on their property pages after later rows.
namespace EvalDetail {

enum class Output { Full, ResultsOnly };

void Tube(LodoModel& m, int Row, Output out);
void Bend(LodoModel& m, int Row, Output out);
void Cone(LodoModel& m, int Row, bool expansion, Output out);
void Nozzle(LodoModel& m, int Row, Output out);
void Shroud(LodoModel& m, int Row, Output out);

// True for the codes CalcNodeTrans evaluates (1 to 6).
bool IsEvaluated(int code);

// CalcNodeTrans with the chosen output; ResultsOnly also skips the system totals,
// which the next full call recomputes from scratch.
void CalcNode(LodoModel& m, int Row, Output out);

// The system totals from the results stored in every record: SystemTrans,
// MassTrans, PartTrans and their texts.
void WriteTotals(LodoModel& m);

} // namespace EvalDetail
