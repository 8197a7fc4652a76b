#include "analysis/LineTransmission.h"

#include "model/EvalTerms.h"

#include <bit>
#include <cstdint>

namespace K = LodoMath::Kernels;

namespace Analysis {
namespace {

bool SameAir(const K::AirState& a, double T, double P) {
    return std::bit_cast<std::uint64_t>(a.T) == std::bit_cast<std::uint64_t>(T) &&
           std::bit_cast<std::uint64_t>(a.P) == std::bit_cast<std::uint64_t>(P);
}

} // namespace

LineTransmission::LineTransmission(const LodoList& line) {
    comps_.reserve(line.size());
    for (const TLodoComp& c : line) {
        Prepared p;
        p.Code = c.NTypeInt;
        p.Stored = c.TransM1;
        if (p.Code < NodeTube || p.Code > NodeShroud) {
            comps_.push_back(p);
            continue;
        }
        const ComponentInputs in = InputsOf(c);
        p.Air = airs_.size();
        for (std::size_t i = 0; i < airs_.size(); ++i)
            if (SameAir(airs_[i], in.T, in.P))
                p.Air = i;
        if (p.Air == airs_.size())
            airs_.push_back(K::MakeAir(in.T, in.P));
        const K::AirState& air = airs_[p.Air];
        p.In = in;
        switch (p.Code) {
        case NodeTube:
            p.Tube = K::MakeTube(air, LodoMath::Vel(in.D1, in.Q), in.D1, in.L, in.Q, in.Theta);
            needsSize_ = true;
            break;
        case NodeBend:
            p.Flow = K::MakeFlow(air, LodoMath::Vel(in.D1, in.Q), in.D1);
            break;
        case NodeContraction:
            p.Cone = K::MakeContraction(in.D1, in.D2, in.Q, in.Ang);
            break;
        case NodeExpansion:
            p.Cone = K::MakeExpansion(in.D1, in.D2, in.Q, in.Ang);
            break;
        default:
            break;
        }
        comps_.push_back(p);
    }
    sizes_.resize(airs_.size());
}

bool LineTransmission::HasInlet() const {
    return !comps_.empty() && (comps_[0].Code == NodeNozzle || comps_[0].Code == NodeShroud);
}

LineTransmission::Inlet LineTransmission::InletAt(const Prepared& c,
                                                  const K::ParticleState& p) const {
    const K::AirState& air = airs_[c.Air];
    const ComponentInputs& in = c.In;
    double asp = 0, wl = 0;
    if (c.Code == NodeNozzle) {
        asp = K::NozzleAsp(air, p, in.D1, in.Q, in.Uo);
        wl = K::NozWallLoss(air, p, in.D1, in.L, in.Q);
    } else {
        asp = K::ShroudAsp(in.Probe, air, p, in.Q, in.Uo);
        wl = K::ShroudWallLoss(in.Probe, air, p, in.Q, in.Uo);
    }
    return {InletPenetration(asp, wl), asp};
}

double LineTransmission::At(float Dp, std::span<double> trans, double* inletAsp) const {
    const double d = Dp;
    for (std::size_t a = 0; a < airs_.size(); ++a)
        sizes_[a] = needsSize_ ? K::MakeSize(airs_[a], d)
                               : K::SizeState{K::MakeParticle(airs_[a], d), 0, 0, 0};
    if (inletAsp != nullptr)
        *inletAsp = 1;
    double system = 1;
    for (std::size_t i = 0; i < comps_.size(); ++i) {
        const Prepared& c = comps_[i];
        double t = c.Stored;
        switch (c.Code) {
        case NodeTube: {
            const K::AirState& air = airs_[c.Air];
            const K::SizeState& s = sizes_[c.Air];
            t = K::TubeDiffTran(air, s, c.Tube) * K::TubeSedTrans(air, s, c.Tube) *
                K::TubeInertTrans(air, s, c.Tube);
            break;
        }
        case NodeBend:
            t = K::BendTrans(airs_[c.Air], sizes_[c.Air].p, c.Flow, c.In.Ang);
            break;
        case NodeContraction:
            t = K::ContTrans(airs_[c.Air], sizes_[c.Air].p, c.Cone);
            break;
        case NodeExpansion:
            t = K::ExpTrans(airs_[c.Air], sizes_[c.Air].p, c.Cone);
            break;
        case NodeNozzle:
        case NodeShroud: {
            const Inlet in = InletAt(c, sizes_[c.Air].p);
            t = in.Trans;
            if (i == 0 && inletAsp != nullptr)
                *inletAsp = in.Asp;
            break;
        }
        default:
            break;
        }
        trans[i] = t;
        system *= t;
    }
    return system;
}

} // namespace Analysis
