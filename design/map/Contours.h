#pragma once

#include <cstddef>
#include <vector>

// Contour lines of a field sampled on a grid (marching squares).
namespace DesignMap {

// A point in fractional grid indexes: (i, j) is the grid point of column i, row j.
struct GridPoint {
    double I = 0, J = 0;
    bool operator==(const GridPoint&) const = default;
};

// A connected contour line, in order; closed when its last point is its first.
using ContourLine = std::vector<GridPoint>;

// The lines where the field crosses `level`, joined into as few polylines as the
// crossings allow. `values` is row-major, j outer: values[j * nx + i]. A cell with a
// value that is not a number has no line through it. Crossings are interpolated
// linearly between the grid values; a value exactly at the level counts as above. A
// saddle cell is resolved by the mean of its corners.
std::vector<ContourLine> Contours(const std::vector<double>& values, int nx, int ny, double level);

} // namespace DesignMap
