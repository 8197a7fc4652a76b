#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What one lodo-cli command computes is bounded, so that a line of thousands of
// components with thousands of sizes or points is refused at once, saying the bound,
// instead of running for minutes and taking gigabytes.
namespace Cli {

// Components times particle sizes times points: the component evaluations one
// command may make (a penetration curve holds one value per component and size).
inline constexpr std::size_t MaxComponentEvaluations = 10'000'000;

// Sizes an evaluation takes per point besides its own: the cut size search and the
// size-resolved result (about 300 lattice sizes and the bisection).
inline constexpr std::size_t AnalysisSizes = 400;
// Sizes of one log-normal evaluation, and of one size-resolved result.
inline constexpr std::size_t LogNormalSizes = 50;
inline constexpr std::size_t SizeResolvedSizes = 400;

// The refusal when `components` x `sizes` x `points` exceeds the bound: names the
// command, what it would evaluate and the bound.
std::optional<std::string> CheckWork(std::string_view command, std::size_t components,
                                     std::size_t sizes, std::size_t points);

} // namespace Cli
