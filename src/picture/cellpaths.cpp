// cellpaths.cpp - simplifying traced paths and placing them on the cells within the room left.
#include "cellpaths.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <utility>

namespace {

double distanceToSegment(Spot p, Spot a, Spot b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Douglas-Peucker between spots first and last, both kept: marks the spots
// that must stay so that every other lies within `tolerance` of the lines.
void markCorners(const std::vector<Spot>& spots, size_t first, size_t last, double tolerance,
                 std::vector<bool>& keep) {
    std::vector<std::pair<size_t, size_t>> spans = {{first, last}};
    while (!spans.empty()) {
        const auto [from, to] = spans.back();
        spans.pop_back();
        double farthest = tolerance;
        size_t corner = from;
        for (size_t i = from + 1; i < to; ++i) {
            const double d = distanceToSegment(spots[i], spots[from], spots[to]);
            if (d > farthest) farthest = d, corner = i;
        }
        if (corner == from) continue;
        keep[corner] = true;
        spans.push_back({from, corner});
        spans.push_back({corner, to});
    }
}

// The corners of the path simplified; a closed path is split at the spot
// farthest from its first, so that neither half starts and ends on one spot.
std::vector<Spot> simplified(const TracedPath& path, double tolerance) {
    std::vector<Spot> spots = path.spots;
    if (spots.size() < 3) return spots;
    if (path.closed) spots.push_back(spots.front());
    std::vector<bool> keep(spots.size(), false);
    keep.front() = keep.back() = true;
    size_t split = spots.size() - 1;
    if (path.closed) {
        double farthest = -1;
        for (size_t i = 1; i + 1 < spots.size(); ++i) {
            const double d = std::hypot(spots[i].x - spots[0].x, spots[i].y - spots[0].y);
            if (d > farthest) farthest = d, split = i;
        }
        keep[split] = true;
        markCorners(spots, 0, split, tolerance, keep);
    }
    markCorners(spots, path.closed ? split : 0, spots.size() - 1, tolerance, keep);
    if (path.closed) keep.back() = false;  // the first spot again
    std::vector<Spot> corners;
    for (size_t i = 0; i < spots.size(); ++i)
        if (keep[i]) corners.push_back(spots[i]);
    return corners;
}

Cell cellOf(Spot s) {
    return {std::clamp(static_cast<int>(std::floor(s.x)), 0, Image_Width - 1),
            std::clamp(static_cast<int>(std::floor(s.y)), 0, Image_Height - 1)};
}

// b lies on the straight way from a to c, between them: it adds no corner.
bool between(Cell a, Cell b, Cell c) {
    const long long cross = static_cast<long long>(b.x - a.x) * (c.y - b.y) - static_cast<long long>(b.y - a.y) * (c.x - b.x);
    const long long dot = static_cast<long long>(b.x - a.x) * (c.x - b.x) + static_cast<long long>(b.y - a.y) * (c.y - b.y);
    return cross == 0 && dot > 0;
}

// The path's corners on the cells: repeated cells and cells on the way between
// their neighbours dropped. For a closed path the first cell is not repeated.
std::vector<Cell> cornerCells(const TracedPath& path, double tolerance) {
    std::vector<Cell> cells;
    for (const Spot& s : simplified(path, tolerance)) {
        const Cell c = cellOf(s);
        if (cells.size() >= 2 && between(cells[cells.size() - 2], cells.back(), c)) cells.back() = c;
        else if (cells.empty() || cells.back() != c) cells.push_back(c);
    }
    if (path.closed)
        while (cells.size() > 1 && cells.back() == cells.front()) cells.pop_back();
    return cells;
}

// A line the same either way round.
std::pair<Cell, Cell> lineKey(Cell a, Cell b) { return a < b ? std::make_pair(a, b) : std::make_pair(b, a); }

using LineSet = std::set<std::pair<Cell, Cell>>;

LineSet pictureLines(const PictureTables& t) {
    LineSet lines;
    for (int i = 0; i < l_number; ++i)
        if (t.line_oc[i]) lines.insert(lineKey({t.lines[0][i], t.lines[1][i]}, {t.lines[2][i], t.lines[3][i]}));
    return lines;
}

// What one path adds: its lines, neither in `known` nor twice, or its dot.
struct PathCells {
    std::vector<CellLine> lines;
    LineSet keys;
    std::optional<Cell> dot;
};

PathCells placePath(const TracedPath& path, double tolerance, const LineSet& known) {
    const std::vector<Cell> cells = cornerCells(path, tolerance);
    PathCells placed;
    if (cells.size() == 1) {
        if (path.wholeShape) placed.dot = cells.front();
        return placed;
    }
    const size_t ends = path.closed && cells.size() > 2 ? cells.size() : cells.size() - 1;
    for (size_t i = 0; i < ends; ++i) {
        const Cell a = cells[i], b = cells[(i + 1) % cells.size()];
        const auto key = lineKey(a, b);
        if (known.count(key) == 0 && placed.keys.insert(key).second) placed.lines.push_back({a, b});
    }
    return placed;
}

double pathLength(const TracedPath& path) {
    double length = 0;
    for (size_t i = 1; i < path.spots.size(); ++i)
        length += std::hypot(path.spots[i].x - path.spots[i - 1].x, path.spots[i].y - path.spots[i - 1].y);
    return length;
}

// Every path placed at `tolerance`, in the order given; with `fitOnly`, a path
// whose lines do not all fit in the room left is left out whole.
PlacedLines placeAll(const std::vector<const TracedPath*>& order, double tolerance, const PictureTables& picture,
                     bool fitOnly) {
    const size_t room = static_cast<size_t>(l_number - picture.lines_amount);
    LineSet known = pictureLines(picture);
    PlacedLines placed;
    placed.tolerance = tolerance;
    for (const TracedPath* path : order) {
        PathCells cells = placePath(*path, tolerance, known);
        if (fitOnly && placed.lines.size() + cells.lines.size() > room) {
            placed.shapesLeftOut = true;
            continue;
        }
        known.insert(cells.keys.begin(), cells.keys.end());
        placed.lines.insert(placed.lines.end(), cells.lines.begin(), cells.lines.end());
        if (cells.dot) placed.points.push_back(*cells.dot);
    }
    return placed;
}

// The dots not on the picture yet, as many as the point table has room for.
void keepRoomyDots(PlacedLines& placed, const PictureTables& picture) {
    std::set<Cell> taken;
    for (int i = 0; i < p_number; ++i)
        if (picture.pixel_oc[i]) taken.insert({picture.pixel[0][i], picture.pixel[1][i]});
    const size_t room = static_cast<size_t>(p_number - picture.pixels_Amount);
    std::vector<Cell> dots;
    for (const Cell& dot : placed.points)
        if (dots.size() < room && taken.insert(dot).second) dots.push_back(dot);
    placed.points = std::move(dots);
}

}  // namespace

PlacedLines placeOnCells(const std::vector<TracedPath>& paths, const PictureTables& picture) {
    const size_t room = static_cast<size_t>(l_number - picture.lines_amount);
    std::vector<const TracedPath*> order;
    for (const TracedPath& path : paths) order.push_back(&path);
    PlacedLines placed;
    for (const double tolerance : placingTolerances) {
        placed = placeAll(order, tolerance, picture, false);
        if (placed.lines.size() <= room) break;
    }
    if (placed.lines.size() > room) {
        std::vector<double> length(paths.size());
        for (size_t i = 0; i < paths.size(); ++i) length[i] = pathLength(paths[i]);
        std::stable_sort(order.begin(), order.end(), [&](const TracedPath* a, const TracedPath* b) {
            return length[a - paths.data()] > length[b - paths.data()];
        });
        placed = placeAll(order, placed.tolerance, picture, true);
    }
    keepRoomyDots(placed, picture);
    return placed;
}

PictureTables withPlacedLines(PictureTables tables, const PlacedLines& placed) {
    for (const CellLine& line : placed.lines) tables.createLine(line.from.x, line.from.y, line.to.x, line.to.y);
    for (const Cell& dot : placed.points) tables.createPixel(dot.x, dot.y);
    return tables;
}
