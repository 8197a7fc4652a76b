#include "model/LineStructure.h"

namespace LineStructure {
namespace {

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

} // namespace

std::vector<Finding> Findings(const LodoList& line) {
    std::vector<Finding> out;
    for (std::size_t i = 1; i < line.size(); ++i)
        if (IsInlet(line[i]))
            out.push_back(
                {static_cast<int>(i),
                 line[i].Name + ": an inlet can only be the first component of the line"});
    return out;
}

} // namespace LineStructure
