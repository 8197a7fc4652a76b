// The six shrouded-probe models and the lookup of their dimensions by name.

#include "physics/LodoMath.h"

#include <limits>

namespace LodoMath {

const ProbeData PType[ProbeCount] = {
    {1, "RF2-111", 0.0538, 0.0437, 0.0183, 0.0349, 0.1293},
    {2, "RF2-112", 0.0538, 0.0475, 0.0311, 0.0349, 0.1293},
    {3, "RF2-113", 0.0642, 0.0559, 0.0447, 0.0382, 0.2444},
    {4, "CMR4CFM-MI", 0.078, 0.068, 0.022, 0.039, 0.2385},
    {5, "CMR4CFM-HI", 0.078, 0.0664, 0.0262, 0.039, 0.2385},
    {6, "WIPP6CFM", 0.102, 0.086, 0.03, 0.051, 0.363},
};

const ProbeData* FindProbe(std::string_view Nam) {
    const ProbeData* found = nullptr;
    for (const ProbeData& probe : PType) {
        if (probe.Pr == Nam)
            found = &probe; // the last match wins
    }
    return found;
}

namespace {

double Dimension(std::string_view Nam, double ProbeData::*field) {
    const ProbeData* probe = FindProbe(Nam);
    if (probe == nullptr)
        return std::numeric_limits<double>::quiet_NaN();
    return probe->*field * 1000;
}

} // namespace

double ShroudD1(std::string_view Nam) {
    return Dimension(Nam, &ProbeData::PDi);
}
double ShroudD2(std::string_view Nam) {
    return Dimension(Nam, &ProbeData::PDo);
}
double ShroudD3(std::string_view Nam) {
    return Dimension(Nam, &ProbeData::PDsh);
}
double ShroudD4(std::string_view Nam) {
    return Dimension(Nam, &ProbeData::PDb);
}
double ShroudD5(std::string_view Nam) {
    return Dimension(Nam, &ProbeData::PL);
}

} // namespace LodoMath
