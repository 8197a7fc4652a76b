#pragma once

#include "model/EvalTerms.h"
#include "model/TLodoComp.h"
#include "physics/LodoKernels.h"
#include "physics/ParticleProperties.h"
#include "physics/Thermophoresis.h"

#include <cstddef>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace Analysis {

// A line prepared for evaluation at many particle sizes: what the monodisperse
// evaluation computes for a component that does not depend on the size (air,
// flow, geometry) is computed once, and the per-size particle state once per air.
// Each value is the one CalcNodeTrans gives in Mono mode at Dp = that size, bit
// for bit: same kernels, same order. The line is copied; the caller's is never
// touched.
class LineTransmission {
public:
    // The sizes are those of `particle` (aerodynamic by default), converted per size as
    // the evaluation converts them.
    explicit LineTransmission(const LodoList& line,
                              const LodoMath::ParticleProperties& particle = {});

    std::size_t Count() const { return comps_.size(); }

    // Every component's transmission at Dp [um] into trans[0..Count()); returns the
    // system penetration, their product in line order. An inlet's value includes its
    // aspiration, so it may exceed 1. When `inletAsp` is given it receives the
    // aspiration ratio of component 0 if that is an inlet, else 1.
    double At(float Dp, std::span<double> trans, double* inletAsp = nullptr) const;

    // True when component 0 is a nozzle or a shrouded probe.
    bool HasInlet() const;

    // The distinct air states (temperature and pressure) of the line's components.
    std::span<const LodoMath::Kernels::AirState> Airs() const { return airs_; }

private:
    struct Prepared {
        int Code = 0;
        std::size_t Air = 0;
        LodoMath::Kernels::TubeState Tube{};
        LodoMath::Kernels::FlowState Flow{};
        LodoMath::Kernels::ConeState Cone{};
        std::optional<LodoMath::Kernels::ThermoState> Gas; // tube or bend with a wall temperature
        ComponentInputs In; // working units, as the evaluation reads the record
        double Stored = 0;  // TransM1 of a record the evaluation does not know
        // An earlier component with the very same inputs, whose value this one takes;
        // Count() when none. Lines repeat tubes and bends, and identical inputs give
        // identical values.
        std::size_t SameAs = 0;
    };
    struct Inlet {
        double Trans, Asp;
    };
    Inlet InletAt(const Prepared& c, const LodoMath::Kernels::ParticleState& p) const;

    std::vector<LodoMath::Kernels::AirState> airs_;
    std::vector<Prepared> comps_;
    bool needsSize_ = false; // a tube needs the settling and diffusion state
    LodoMath::ParticleProperties particle_;
    mutable std::vector<LodoMath::Kernels::SizeState> sizes_;
};

} // namespace Analysis
