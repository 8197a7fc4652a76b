#include "session/DiameterChanges.h"

#include "model/NumberFormat.h"
#include "model/Units.h"

#include <algorithm>
#include <cmath>

namespace {

bool Differs(double a, double b) {
    // Entries carry five significant digits; a unit round trip moves the last bit.
    return !(std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b)));
}

std::string Shown(double mm, bool english) {
    return NumberFormat::General(english ? mm / Units::DConv : mm, 5);
}

} // namespace

std::vector<DiameterChange> DiameterChanges(const LodoList& before, const LodoList& after,
                                            int except) {
    std::vector<DiameterChange> out;
    if (before.size() != after.size())
        return out;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (static_cast<int>(i) == except)
            continue;
        const TLodoComp &was = before[i], &now = after[i];
        DiameterChange c;
        c.Row = i;
        c.Name = now.Name;
        if (c.Name.size() >= 2 && c.Name.compare(c.Name.size() - 2, 2, " *") == 0)
            c.Name.resize(c.Name.size() - 2);
        c.In0 = Units::DiaToMm(was.Dia1, was.Dia1Unit);
        c.Out0 = Units::DiaToMm(was.Dia2, was.Dia2Unit);
        c.In1 = Units::DiaToMm(now.Dia1, now.Dia1Unit);
        c.Out1 = Units::DiaToMm(now.Dia2, now.Dia2Unit);
        c.English = Units::IsEnglish(now.Dia1Unit);
        if (Differs(c.In0, c.In1) || Differs(c.Out0, c.Out1))
            out.push_back(std::move(c));
    }
    return out;
}

std::string DescribeDiameterChanges(const std::vector<DiameterChange>& changes) {
    std::string text;
    for (const DiameterChange& c : changes) {
        const bool two = Differs(c.In0, c.Out0) || Differs(c.In1, c.Out1);
        const auto pair = [&](double in, double out) {
            return two ? Shown(in, c.English) + " to " + Shown(out, c.English)
                       : Shown(in, c.English);
        };
        if (!text.empty())
            text += '\n';
        text += c.Name + " (Index " + std::to_string(c.Row) + "): " + pair(c.In0, c.Out0) +
                " \u2192 " + pair(c.In1, c.Out1) + (c.English ? " in" : " mm");
    }
    return text;
}
