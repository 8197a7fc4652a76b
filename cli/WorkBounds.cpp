#include "cli/WorkBounds.h"

namespace Cli {

std::optional<std::string> CheckWork(std::string_view command, std::size_t components,
                                     std::size_t sizes, std::size_t points) {
    // Divided, not multiplied: the product of three counts may not fit.
    const std::size_t per =
        sizes == 0 || points == 0 ? 0 : MaxComponentEvaluations / sizes / points;
    if (components <= per)
        return std::nullopt;
    return std::string(command) + " would evaluate " + std::to_string(components) +
           " components x " + std::to_string(sizes) + " particle sizes x " +
           std::to_string(points) + (points == 1 ? " point" : " points") + ", more than the " +
           std::to_string(MaxComponentEvaluations) +
           " component evaluations one command makes; use fewer points or sizes, or a shorter "
           "line";
}

} // namespace Cli
