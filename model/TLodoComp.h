#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One component of a sample line: the values the user entered, each in its own
// unit ("Metric" or anything else, read as English), and the results evaluation
// writes back. Results are fractions.
struct TLodoComp {
    std::string Name;          // type prefix and number; " *" appended while in transition flow
    std::string NType;         // "Tube", "Bend", ... or the probe model name
    std::int32_t NTypeInt = 0; // 1 Tube .. 6 Shrouded probe
    double TransM1 = 0;        // overall transmission
    double TransM2 = 0;        // per type: diffusion / aspiration ratio / 1
    double TransM3 = 0;        // per type: sedimentation / wall loss / 1
    double TransM4 = 0;        // per type: inertial / 1
    double PTrans = 0;         // number penetration (log-normal only)
    double MTrans = 0;         // mass penetration (log-normal only)
    double Temp = 0;           // [degC | degF]
    double Press = 0;          // [kPa | psi]
    double Len = 0;            // tube [m | ft], nozzle [mm | in]
    double Brd = 0;            // bend radius [m | in]
    double Dia1 = 0;           // [mm | in]
    double Dia2 = 0;           // [mm | in]
    double Dia3 = 0;           // stored only
    double Ang1 = 0;           // inclination [deg], negative = upward
    double Ang2 = 0;           // bend angle or cone half angle [deg]
    double Ang3 = 0;           // bend orientation [deg]
    double Flow = 0;           // [L/min | ft3/min]
    double FStream = 0;        // free-stream velocity [m/s | ft/s]
    std::string TempUnit, PressUnit, LenUnit, Dia1Unit, Dia2Unit, Dia3Unit, FlowUnit, RadiusUnit,
        FStreamUnit;
    // Wall temperature of a tube or bend whose wall is not at the gas temperature
    // [degC | degF per WallTempUnit]; absent: no thermophoresis.
    std::optional<double> WallTemp;
    std::string WallTempUnit;
    double TransTh = 1; // thermophoretic transmission (1 without a wall temperature)

    bool operator==(const TLodoComp&) const = default;
};

// The sample line; index 0 is the inlet.
using LodoList = std::vector<TLodoComp>;

enum NodeTypeCode : std::int32_t {
    NodeTube = 1,
    NodeBend = 2,
    NodeContraction = 3,
    NodeExpansion = 4,
    NodeNozzle = 5,
    NodeShroud = 6,
};
