#pragma once

#include "model/EvalTerms.h"
#include "model/LodoModel.h"
#include "model/LogNormalSizes.h"
#include "physics/LodoKernels.h"

#include <string>

// The frame the six component evaluations share: the transition mark, the common
// outputs and the log-normal integration over the size classes.
namespace EvalFrame {

// The name without the " *" of an earlier evaluation (the last two characters go
// whenever the name ends in "*").
std::string StripMark(const std::string& name);

// Strictly between ReMin and ReMax (2100 and 4000): the mark of transition flow.
bool InTransition(double Re);

// The name to store: marked with " *" when either Reynolds number is transitional.
std::string MarkedName(const std::string& base, double Re1, double Re2);

bool IsLogNormal(const EvalContext& ctx);

// Tube inclination [deg] as the settling model takes it: an angle whose magnitude
// lies above 90 and up to 270 becomes 180 minus that magnitude (a tube pointing
// backwards settles like its mirror image).
double FoldedInclination(double deg);

// Slip correction, flow and air properties of the evaluated component.
void WriteCommonOutputs(DisplaySink& d, double Cc, double Q /*[L/min]*/,
                        const LodoMath::Kernels::AirState& air);

// Below the panel, for particles that are not unit-density spheres: the aerodynamic and
// the volume-equivalent diameter of the size the panel shows. Call after FillPanel.
void WriteParticleRows(DisplaySink& d, const ComponentTerms& t,
                       const LodoMath::ParticleProperties& particle);

// Below the panel, for a tube or bend with a wall temperature: the gas it cools and
// the thermophoretic transmission at the size the panel shows.
void WriteThermoRows(DisplaySink& d, const ComponentTerms& t);

// "= %f" of the aspiration ratio, green inside the ANSI N13.1 range 0.8 to 1.5
// (bounds included), red outside it or when the ratio is not a number.
StyledText AspirationVerdict(double asp);

struct LogNormalOutcome {
    double PNodeTrans = 0; // number penetration
    double MNodeTrans = 0; // mass penetration
    float NewHighV = 0;    // [um] largest size transmitted (LowV when none)
    float DpAfter = 0;     // [um] where the running size stopped
};

// Integrates the per-size transmission trans(k, d [um]) of size class k over the
// first NumSteps1 size classes. The integration ends at the first size the
// component does not transmit (transmission not above 0, NaN included); when no
// size is transmitted both penetrations are 0 and NewHighV is LowV.
template <class TransAt>
LogNormalOutcome IntegrateLogNormal(LogNormalSizes& sizes, const EvalContext& ctx,
                                    TransAt&& trans) {
    sizes.Prepare(ctx.LowV, ctx.DpStep, ctx.MDp, ctx.DpSD, ctx.Particle);
    double tpIn = 0, tpOut = 0, tmIn = 0, tmOut = 0;
    bool any = false;
    float last = ctx.LowV;
    float dp = ctx.LowV;
    for (int k = 0; k < ctx.NumSteps1; ++k) {
        const SizeClass s = sizes.At(k);
        const double t = trans(k, static_cast<double>(s.Dp));
        if (!(t > 0))
            break;
        const double pOut = s.Pin * t;
        const double mOut = s.Vol * pOut * 1000;
        tpIn += s.Pin;
        tpOut += pOut;
        tmIn += s.Min;
        tmOut += mOut;
        any = true;
        last = s.Dp;
        dp = s.Dp + ctx.DpStep;
    }
    LogNormalOutcome out;
    out.DpAfter = dp;
    out.NewHighV = last;
    if (any) {
        out.PNodeTrans = tpOut / tpIn;
        out.MNodeTrans = tmOut / tmIn;
    }
    return out;
}

// Stores the outcome into the context and, when shown, writes MaxPartSize.
void ApplyLogNormal(LodoModel& m, const LogNormalOutcome& o, bool show);

// What every component evaluation starts from.
struct Start {
    TLodoComp& C;       // the record at Row
    std::string Base;   // its name without the transition mark
    ComponentInputs In; // its inputs in working units
    LodoMath::Kernels::AirState Air;
    FlowTerms Flow; // velocities and Reynolds numbers (the transition mark)
    bool LogNormal;
    bool Show; // fill the panel and the common outputs
    double Dp; // [um] the size the panel is shown at: MDp in log-normal mode
};

// Begins the evaluation of Row: in log-normal mode it first sets the context's Dp to MDp.
Start Begin(LodoModel& m, int Row, bool show);

// Results into the record, and the transition mark onto its name.
void StoreResults(LodoModel& m, TLodoComp& c, const std::string& baseName, double Re1, double Re2,
                  double TransM2, double TransM3, double TransM4);

} // namespace EvalFrame
