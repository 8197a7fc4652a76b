#include "analysis/LineTransmission.h"

#include "model/EvalTerms.h"

#include <array>
#include <bit>
#include <cstdint>

namespace K = LodoMath::Kernels;

namespace Analysis {
namespace {

bool SameAir(const K::AirState& a, double T, double P) {
    return std::bit_cast<std::uint64_t>(a.T) == std::bit_cast<std::uint64_t>(T) &&
           std::bit_cast<std::uint64_t>(a.P) == std::bit_cast<std::uint64_t>(P);
}

// The inputs' bits, so that equal means identical (NaN and -0 included).
using KeyBits = std::array<std::uint64_t, 14>;

KeyBits Key(int code, const ComponentInputs& in) {
    const auto b = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    return {static_cast<std::uint64_t>(code),
            b(in.T),
            b(in.P),
            b(in.Q),
            b(in.D1),
            b(in.D2),
            b(in.L),
            b(in.Rb),
            b(in.Uo),
            b(in.Theta),
            b(in.Ang),
            static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(in.Probe)),
            in.Tw ? b(*in.Tw) : 0x7ff8dead00000000ull, // no wall temperature is no value
            b(in.Lth)};
}

struct KeyHash {
    std::size_t operator()(const KeyBits& k) const {
        std::uint64_t h = 1469598103934665603ull;
        for (std::uint64_t v : k)
            h = (h ^ v) * 1099511628211ull;
        return static_cast<std::size_t>(h);
    }
};

} // namespace

LineTransmission::LineTransmission(const LodoList& line,
                                   const LodoMath::ParticleProperties& particle)
    : particle_(particle) {
    comps_.reserve(line.size());
    std::unordered_map<KeyBits, std::size_t, KeyHash> seen;
    for (const TLodoComp& c : line) {
        Prepared p;
        p.Code = c.NTypeInt;
        p.Stored = c.TransM1;
        p.SameAs = line.size();
        if (p.Code < NodeTube || p.Code > NodeShroud) {
            comps_.push_back(p);
            continue;
        }
        const ComponentInputs in = InputsOf(c);
        // The inlet's aspiration is read from row 0 itself, so it is never shared.
        if (!comps_.empty()) {
            const auto [it, fresh] = seen.try_emplace(Key(p.Code, in), comps_.size());
            if (!fresh) {
                p.SameAs = it->second;
                comps_.push_back(p);
                continue;
            }
        }
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
            if (in.Tw)
                p.Gas = K::MakeThermo(air, p.Tube.flow, in.Lth, *in.Tw);
            break;
        case NodeBend:
            p.Flow = K::MakeFlow(air, LodoMath::Vel(in.D1, in.Q), in.D1);
            if (in.Tw)
                p.Gas = K::MakeThermo(air, p.Flow, in.Lth, *in.Tw);
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
        sizes_[a] = needsSize_ ? K::MakeSize(airs_[a], d, particle_)
                               : K::SizeState{K::MakeParticle(airs_[a], d, particle_), 0, 0, 0};
    if (inletAsp != nullptr)
        *inletAsp = 1;
    double system = 1;
    for (std::size_t i = 0; i < comps_.size(); ++i) {
        const Prepared& c = comps_[i];
        if (c.SameAs < i) {
            trans[i] = trans[c.SameAs];
            system *= trans[i];
            continue;
        }
        double t = c.Stored;
        switch (c.Code) {
        case NodeTube: {
            const K::AirState& air = airs_[c.Air];
            const K::SizeState& s = sizes_[c.Air];
            t = K::TubeDiffTran(air, s, c.Tube) * K::TubeSedTrans(air, s, c.Tube) *
                K::TubeInertTrans(air, s, c.Tube);
            if (c.Gas)
                t *= K::ThermoTransAt(air, *c.Gas, d, particle_);
            break;
        }
        case NodeBend:
            t = K::BendTrans(airs_[c.Air], sizes_[c.Air].p, c.Flow, c.In.Ang);
            if (c.Gas)
                t *= K::ThermoTransAt(airs_[c.Air], *c.Gas, d, particle_);
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
