#pragma once

#include "model/TLodoComp.h"
#include "physics/ParticleProperties.h"

#include <optional>

namespace Analysis {

// Cut size d50: the particle diameter [um] (of the kind `particle` says, by default
// aerodynamic) above the maximum of the line's
// penetration curve at which the system penetration first falls to 50 %, found to
// 0.01 % in diameter. The curve is searched from 0.001 to 1000 um at every size it shows
// and on both sides of every settling branch switch (where it jumps); none when it never
// rises above 50 %, or never falls to 50 % above its maximum. Independent of the
// particle description; the line is read, never changed.
std::optional<double> CutSizeD50(const LodoList& line,
                                 const LodoMath::ParticleProperties& particle = {});
// The same on a table of the line's values that other results share.
class SizeTable;
std::optional<double> CutSizeD50(SizeTable& table);

} // namespace Analysis
