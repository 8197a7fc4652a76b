#include "model/InputRules.h"

namespace InputRules {

std::optional<Breach> CheckComponent(const TLodoComp& c) {
    const std::uint32_t type = (c.NTypeInt >= 0 && c.NTypeInt < 32) ? TypeBit(c.NTypeInt) : 0u;
    for (const FieldRule& f : FieldRules) {
        // Fields of codes that are not evaluated are not read either; flow, pressure
        // and temperature are carried along the line whatever the type.
        if (f.Types != EveryType && !(f.Types & type))
            continue;
        const double v = c.*f.Value;
        static const std::string none;
        const double working = f.ToWorking(v, f.Unit ? c.*f.Unit : none);
        if (!Allows(f.Rule, working))
            return Breach{&f, v};
    }
    if (c.WallTemp && (WallTempRule.Types & type) &&
        !Allows(WallTempRule.Rule, Units::TempToC(*c.WallTemp, c.WallTempUnit)))
        return Breach{&WallTempRule, *c.WallTemp};
    return std::nullopt;
}

} // namespace InputRules
