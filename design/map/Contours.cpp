#include "design/map/Contours.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace DesignMap {

namespace {

// A crossing lies on a grid edge: horizontal edges from (i, j) to (i + 1, j), vertical
// from (i, j) to (i, j + 1). Two segments that meet share the edge's key.
std::int64_t EdgeKey(int i, int j, bool vertical, int nx) {
    return (static_cast<std::int64_t>(j) * nx + i) * 2 + (vertical ? 1 : 0);
}

struct Segment {
    std::int64_t A, B;
    GridPoint PA, PB;
};

} // namespace

std::vector<ContourLine> Contours(const std::vector<double>& values, int nx, int ny, double level) {
    std::vector<ContourLine> lines;
    if (nx < 2 || ny < 2 || values.size() < static_cast<std::size_t>(nx) * ny)
        return lines;
    const auto v = [&](int i, int j) { return values[static_cast<std::size_t>(j) * nx + i]; };
    const auto cross = [&](int i0, int j0, int i1, int j1) {
        const double a = v(i0, j0), b = v(i1, j1);
        const double t = a == b ? 0.5 : (level - a) / (b - a);
        return GridPoint{i0 + t * (i1 - i0), j0 + t * (j1 - j0)};
    };

    std::vector<Segment> segments;
    for (int j = 0; j + 1 < ny; ++j) {
        for (int i = 0; i + 1 < nx; ++i) {
            const double c[4] = {v(i, j), v(i + 1, j), v(i + 1, j + 1), v(i, j + 1)};
            if (std::isnan(c[0]) || std::isnan(c[1]) || std::isnan(c[2]) || std::isnan(c[3]))
                continue;
            int mask = 0;
            for (int k = 0; k < 4; ++k)
                mask |= (c[k] >= level ? 1 : 0) << k;
            if (mask == 0 || mask == 15)
                continue;
            // Edges: 0 bottom (corner 0-1), 1 right (1-2), 2 top (3-2), 3 left (0-3).
            const std::int64_t key[4] = {EdgeKey(i, j, false, nx), EdgeKey(i + 1, j, true, nx),
                                         EdgeKey(i, j + 1, false, nx), EdgeKey(i, j, true, nx)};
            const GridPoint at[4] = {cross(i, j, i + 1, j), cross(i + 1, j, i + 1, j + 1),
                                     cross(i, j + 1, i + 1, j + 1), cross(i, j, i, j + 1)};
            const auto add = [&](int e0, int e1) {
                segments.push_back({key[e0], key[e1], at[e0], at[e1]});
            };
            // The edges each corner pattern crosses; the two saddles are split by
            // whether the cell's mean lies above the level.
            const bool centreAbove = (c[0] + c[1] + c[2] + c[3]) / 4 >= level;
            switch (mask) {
            case 1:
            case 14:
                add(3, 0);
                break;
            case 2:
            case 13:
                add(0, 1);
                break;
            case 3:
            case 12:
                add(3, 1);
                break;
            case 4:
            case 11:
                add(1, 2);
                break;
            case 6:
            case 9:
                add(0, 2);
                break;
            case 7:
            case 8:
                add(3, 2);
                break;
            case 5: // corners 0 and 2 above
                if (centreAbove) {
                    add(3, 2);
                    add(0, 1);
                } else {
                    add(3, 0);
                    add(1, 2);
                }
                break;
            case 10: // corners 1 and 3 above
                if (centreAbove) {
                    add(3, 0);
                    add(1, 2);
                } else {
                    add(3, 2);
                    add(0, 1);
                }
                break;
            default:
                break;
            }
        }
    }

    // Join segments end to end through the edges they share; each edge holds at most
    // two segment ends.
    std::unordered_multimap<std::int64_t, std::size_t> byEdge;
    for (std::size_t s = 0; s < segments.size(); ++s) {
        byEdge.emplace(segments[s].A, s);
        byEdge.emplace(segments[s].B, s);
    }
    std::vector<bool> used(segments.size(), false);
    const auto other = [&](std::int64_t edge, std::size_t self) -> std::ptrdiff_t {
        const auto [from, to] = byEdge.equal_range(edge);
        for (auto it = from; it != to; ++it)
            if (it->second != self && !used[it->second])
                return static_cast<std::ptrdiff_t>(it->second);
        return -1;
    };
    // Walks from segment s out through `edge`, appending points until the line ends.
    const auto walk = [&](std::size_t s, std::int64_t edge, ContourLine& line) {
        for (std::ptrdiff_t n = other(edge, s); n >= 0; n = other(edge, s)) {
            s = static_cast<std::size_t>(n);
            used[s] = true;
            const Segment& g = segments[s];
            const bool forward = g.A == edge;
            line.push_back(forward ? g.PB : g.PA);
            edge = forward ? g.B : g.A;
        }
    };
    for (std::size_t s = 0; s < segments.size(); ++s) {
        if (used[s])
            continue;
        used[s] = true;
        const Segment& g = segments[s];
        ContourLine ahead{g.PA, g.PB};
        walk(s, g.B, ahead);
        ContourLine behind;
        walk(s, g.A, behind);
        ContourLine line(behind.rbegin(), behind.rend());
        line.insert(line.end(), ahead.begin(), ahead.end());
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace DesignMap
