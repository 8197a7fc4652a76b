#include "analysis/LineTransmission.h"

#include "model/Units.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace K = LodoMath::Kernels;

namespace Analysis {
namespace {

bool SameAir(const K::AirState& a, double T, double P) {
    return std::bit_cast<std::uint64_t>(a.T) == std::bit_cast<std::uint64_t>(T) &&
           std::bit_cast<std::uint64_t>(a.P) == std::bit_cast<std::uint64_t>(P);
}

// As the tube evaluation folds it: a tube pointing backwards settles like its
// mirror image.
double FoldedInclination(double deg) {
    const double a = std::fabs(deg);
    return (a > 90.0 && a <= 270.0) ? 180.0 - a : deg;
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
        const double Tn = Units::TempToC(c.Temp, c.TempUnit);
        const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
        p.Air = airs_.size();
        for (std::size_t i = 0; i < airs_.size(); ++i)
            if (SameAir(airs_[i], Tn, Pn))
                p.Air = i;
        if (p.Air == airs_.size())
            airs_.push_back(K::MakeAir(Tn, Pn));
        const K::AirState& air = airs_[p.Air];
        p.Q = Units::FlowToLpm(c.Flow, c.FlowUnit);
        switch (p.Code) {
        case NodeTube: {
            const double Ln = Units::TubeLenToM(c.Len, c.LenUnit);
            const double Dn = Units::DiaToMm(c.Dia1, c.Dia1Unit);
            const double An = std::numbers::pi * FoldedInclination(c.Ang1) / 180.0;
            p.Tube = K::MakeTube(air, LodoMath::Vel(Dn, p.Q), Dn, Ln, p.Q, An);
            needsSize_ = true;
            break;
        }
        case NodeBend: {
            const double Dn = Units::DiaToMm(c.Dia1, c.Dia1Unit);
            p.Flow = K::MakeFlow(air, LodoMath::Vel(Dn, p.Q), Dn);
            p.Ang = c.Ang2;
            break;
        }
        case NodeContraction:
        case NodeExpansion: {
            const bool expansion = p.Code == NodeExpansion;
            const double Dn1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
            double Dn2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
            // A cone entered the wrong way round is evaluated with the default ratio.
            if (!expansion && Dn2 >= Dn1)
                Dn2 = Dn1 / 1.5;
            if (expansion && Dn2 <= Dn1)
                Dn2 = 1.5 * Dn1;
            p.Cone = expansion ? K::MakeExpansion(Dn1, Dn2, p.Q, c.Ang2)
                               : K::MakeContraction(Dn1, Dn2, p.Q, c.Ang2);
            break;
        }
        case NodeNozzle:
            p.Din = Units::DiaToMm(c.Dia1, c.Dia1Unit);
            p.U = Units::VelToMs(c.FStream, c.FStreamUnit);
            p.L = Units::NozzleLenToMm(c.Len, c.LenUnit);
            break;
        case NodeShroud:
            p.Probe = LodoMath::FindProbe(c.NType);
            p.U = Units::VelToMs(c.FStream, c.FStreamUnit);
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
    double asp = 0, wl = 0;
    if (c.Code == NodeNozzle) {
        asp = K::NozzleAsp(air, p, c.Din, c.Q, c.U);
        wl = K::NozWallLoss(air, p, c.Din, c.L, c.Q);
    } else {
        asp = K::ShroudAsp(c.Probe, air, p, c.Q, c.U);
        wl = K::ShroudWallLoss(c.Probe, air, p, c.Q, c.U);
    }
    // (1 - wall loss) x aspiration, never below 0, as the inlet evaluation takes it.
    const double t = (1 - wl) * asp;
    return {t < 0 ? 0.0 : t, asp};
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
            t = K::BendTrans(airs_[c.Air], sizes_[c.Air].p, c.Flow, c.Ang);
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
