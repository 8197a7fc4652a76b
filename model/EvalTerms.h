#pragma once

#include "model/LodoModel.h"
#include "physics/LodoKernels.h"
#include "physics/ParticleProperties.h"
#include "physics/Thermophoresis.h"

#include <optional>
#include <variant>
#include <vector>

/// The intermediate terms of a component's evaluation, for anyone who must read
/// what the transmission was built from: the intermediate-values panels and the
/// model-limit checks.
///
/// The terms come from the same kernels as the transmission (LodoMath::Kernels,
/// `...TermsOf`), so a value shown or checked is the value the result used.
///
/// Two ways in, both pure (they never change the line, the context or the display):
///   TermsAt(record, Dp)  one component at one particle size;
///   TermsOf(model, Row)  a component of an evaluated line at the size its panel shows:
///                        `Dp` in monodisperse mode, the mass median diameter `MDp`
///                        in log-normal mode;
///   LineTerms(model)     TermsOf for every row, in line order.
///
///   for (const ComponentTerms& t : LineTerms(m))
///       if (const auto* noz = std::get_if<NozzleTerms>(&t.Model))
///           Check(noz->Asp.Stk, noz->Asp.R);   // Stokes number on Uo, velocity ratio
///
/// Units: working units as the evaluation takes them ([degC], [kPa], [mm] for
/// diameters, [L/min], [m/s]); each field says its own.

/// A record's inputs in working units, as the evaluation reads them.
struct ComponentInputs {
    int Type = 0;     // NodeTypeCode; anything else is a record evaluation ignores
    double T = 0;     // [degC]
    double P = 0;     // [kPa]
    double Q = 0;     // [L/min]
    double D1 = 0;    // inlet diameter [mm]; shrouded probe: its catalogue nozzle inlet
    double D2 = 0;    // outlet diameter [mm]; tube and bend: D1; a cone entered the wrong way
                      // round: the default ratio it is evaluated with; shrouded probe: catalogue
    double L = 0;     // length: tube [m], nozzle [mm]
    double Rb = 0;    // bend radius of curvature [m]
    double Uo = 0;    // free-stream velocity [m/s]
    double Theta = 0; // tube inclination as the settling model takes it [rad]
    double Ang = 0;   // bend angle or cone half angle [deg]
    // Tube and bend with a wall temperature: the wall [degC] and the length the gas
    // is cooled over [m] (a bend's centreline).
    std::optional<double> Tw;
    double Lth = 0;
    const LodoMath::ProbeData* Probe = nullptr; // shrouded probe: its catalogue entry, if any
};

ComponentInputs InputsOf(const TLodoComp& c);

/// Inlet and outlet velocities and Reynolds numbers (the transition mark reads them).
struct FlowTerms {
    double V1 = 0, V2 = 0;   // [m/s]
    double Re1 = 0, Re2 = 0; // [-]
};
FlowTerms FlowOf(const ComponentInputs& in, const LodoMath::Kernels::AirState& air);

struct NozzleTerms {
    LodoMath::Kernels::NozzleAspTerms Asp;
    LodoMath::Kernels::NozWallTerms Wall;
};
struct ShroudTerms {
    LodoMath::Kernels::ShroudAspTerms Asp;
    LodoMath::Kernels::ShroudWallTerms Wall;
};

/// Thermophoresis of a tube or bend with a wall temperature.
struct ThermoTerms {
    LodoMath::Kernels::ThermoState Gas; // outlet gas temperature, Nusselt and Prandtl numbers
    double Kth = 0;                     // Talbot's coefficient at the volume-equivalent size [-]
    double Trans = 1;                   // thermophoretic transmission [-]
};

struct ComponentTerms {
    ComponentInputs In;
    double Dp = 0;  // particle size the terms are taken at, as entered [um]
    double Da = 0;  // its aerodynamic diameter [um]: settling, inertia, fittings, inlets
    double Dve = 0; // its volume-equivalent diameter [um]: diffusion
    LodoMath::Kernels::AirState Air{};
    LodoMath::Kernels::ParticleState Particle{}; // slip correction Cc at Da
    FlowTerms Flow;
    // By component type; empty for a record evaluation ignores.
    std::variant<std::monostate, LodoMath::Kernels::TubeTerms, LodoMath::Kernels::BendTerms,
                 LodoMath::Kernels::ConeTerms, NozzleTerms, ShroudTerms>
        Model;
    std::optional<ThermoTerms> Thermo; // tube and bend with a wall temperature
    double Trans = 0;                  // the component's transmission at Dp [-]
};

/// A tube's or bend's thermophoresis at Dp; `in` must have a wall temperature.
ThermoTerms ThermoOf(const ComponentInputs& in, const LodoMath::Kernels::AirState& air,
                     const LodoMath::Kernels::FlowState& flow, double Dp /*[um]*/,
                     const LodoMath::ParticleProperties& particle);

ComponentTerms TermsAt(const ComponentInputs& in, double Dp /*[um]*/,
                       const LodoMath::ParticleProperties& particle = {});
ComponentTerms TermsAt(const TLodoComp& c, double Dp /*[um]*/,
                       const LodoMath::ParticleProperties& particle = {});

/// Empty for a Row outside the line.
std::optional<ComponentTerms> TermsOf(const LodoModel& m, int Row);
std::vector<ComponentTerms> LineTerms(const LodoModel& m);

/// An inlet's transmission (1 - wall loss) x aspiration. A wall-loss correlation above 1
/// would make it negative; no inlet lets through fewer than no particles. NaN stays NaN.
double InletPenetration(double asp, double wl);
