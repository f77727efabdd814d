// drawingaids.cpp - mirror images, the nearest end and the straight line end.
#include "drawingaids.h"

#include <algorithm>
#include <climits>
#include <cmath>

Mirror nextMirror(Mirror m) {
    switch (m) {
        case Mirror::off:
            return Mirror::leftRight;
        case Mirror::leftRight:
            return Mirror::topBottom;
        case Mirror::topBottom:
            return Mirror::both;
        default:
            return Mirror::off;
    }
}

bool mirrorsLeftRight(Mirror m) { return m == Mirror::leftRight || m == Mirror::both; }
bool mirrorsTopBottom(Mirror m) { return m == Mirror::topBottom || m == Mirror::both; }

namespace {

Cell mirrored(Cell c, bool leftRight, bool topBottom) {
    return {leftRight ? Image_Width - 1 - c.x : c.x, topBottom ? Image_Height - 1 - c.y : c.y};
}

// Calls image(leftRight, topBottom) for the original and then each mirroring that m makes.
template <typename Image>
void eachMirroring(Mirror m, Image image) {
    image(false, false);
    if (mirrorsLeftRight(m)) image(true, false);
    if (mirrorsTopBottom(m)) image(false, true);
    if (m == Mirror::both) image(true, true);
}

}  // namespace

std::vector<Cell> mirrorImages(Cell c, Mirror m) {
    std::vector<Cell> images;
    eachMirroring(m, [&](bool leftRight, bool topBottom) {
        const Cell image = mirrored(c, leftRight, topBottom);
        if (std::find(images.begin(), images.end(), image) == images.end()) images.push_back(image);
    });
    return images;
}

std::vector<Segment> mirrorImages(const Segment& s, Mirror m) {
    std::vector<Segment> images;
    eachMirroring(m, [&](bool leftRight, bool topBottom) {
        const Segment image = {mirrored(s.a, leftRight, topBottom), mirrored(s.b, leftRight, topBottom)};
        const auto same = [&](const Segment& other) { return other.sameLine(image); };
        if (std::none_of(images.begin(), images.end(), same)) images.push_back(image);
    });
    return images;
}

int placeMirrored(PictureTables& t, Cell c, Mirror m) {
    int missed = 0;
    for (const Cell image : mirrorImages(c, m)) {
        if (t.pointAt(image.x, image.y) < 0 && !t.createPixel(image.x, image.y)) ++missed;
    }
    return missed;
}

void eraseMirrored(PictureTables& t, Cell c, Mirror m) {
    for (const Cell image : mirrorImages(c, m)) t.emptyPixel(t.pointAt(image.x, image.y));
}

int addMirroredLine(PictureTables& t, const Segment& s, Mirror m) {
    int missed = 0;
    for (const Segment& image : mirrorImages(s, m)) {
        if (!t.createLine(image.a.x, image.a.y, image.b.x, image.b.y)) ++missed;
    }
    return missed;
}

namespace {

// Whether any of the cells (xs[i], ys[i]) lies in columns left..right and rows
// top..bottom: a loop without branches, which the compiler runs several cells
// at a time, so that a table with nothing near is passed over quickly. The
// differences are taken unsigned, so that any coordinate a file gave wraps
// instead of overflowing.
bool anyWithin(const int* xs, const int* ys, int left, int top, int right, int bottom) {
    const auto offset = [](int value, int from) { return static_cast<unsigned>(value) - static_cast<unsigned>(from); };
    const unsigned width = offset(right, left), height = offset(bottom, top);
    unsigned inside = 0;  // a count, not a flag: GCC takes sums several at a time
    for (int i = 0; i < p_number; ++i) inside += unsigned(offset(xs[i], left) <= width) & unsigned(offset(ys[i], top) <= height);
    return inside != 0;
}

}  // namespace

std::optional<Cell> nearestEnd(const PictureTables& t, double x, double y, double radius, CellBox within) {
    // The cells whose centre may lie within the radius, and within `within`.
    const auto reach = [&](double at, int low, int high) {
        const double first = std::max<double>(low, std::floor(at - 0.5 - radius));
        const double last = std::min<double>(high, std::ceil(at - 0.5 + radius));
        return std::make_pair(static_cast<int>(first), static_cast<int>(last));
    };
    // Plain names rather than structured bindings, which lambdas may not capture in C++17.
    const std::pair<int, int> columns = reach(x, within.x1, within.x2), rows = reach(y, within.y1, within.y2);
    const int left = columns.first, right = columns.second, top = rows.first, bottom = rows.second;
    std::optional<Cell> nearest;
    if (left > right || top > bottom) return nearest;
    double nearestSquared = radius * radius;
    const auto inReach = [&](int cx, int cy) { return cx >= left && cx <= right && cy >= top && cy <= bottom; };
    const auto consider = [&](int cx, int cy) {
        const double dx = cx + 0.5 - x, dy = cy + 0.5 - y;
        const double squared = dx * dx + dy * dy;
        if (squared > nearestSquared || (nearest && squared == nearestSquared)) return;
        nearest = Cell{cx, cy};
        nearestSquared = squared;
    };
    // Each row of ends in turn (first ends, second ends, points), looked at
    // one by one only when one of them is in reach; an end counts while its
    // entry is in use and drawn.
    const auto considerRow = [&](const int* xs, const int* ys, auto drawn) {
        if (!anyWithin(xs, ys, left, top, right, bottom)) return;
        for (int i = 0; i < p_number; ++i)
            if (inReach(xs[i], ys[i]) && drawn(i)) consider(xs[i], ys[i]);
    };
    const auto lineDrawn = [&](int i) { return t.line_oc[i] && t.lineOnCanvas(i); };
    considerRow(t.lines[0], t.lines[1], lineDrawn);
    considerRow(t.lines[2], t.lines[3], lineDrawn);
    considerRow(t.pixel[0], t.pixel[1], [&](int i) { return t.pixel_oc[i] && t.pointOnCanvas(i); });
    return nearest;
}

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

// How many steps of (sx, sy) from (x, y) stay on the canvas, at most `wanted`.
int stepsOnCanvas(int x, int y, int sx, int sy, int wanted) {
    const auto room = [](int at, int step, int size) { return step > 0 ? size - 1 - at : step < 0 ? at : INT_MAX; };
    return std::max(0, std::min({wanted, room(x, sx, Image_Width), room(y, sy, Image_Height)}));
}

}  // namespace

Cell straightEnd(Cell from, Cell to) {
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int adx = std::abs(dx), ady = std::abs(dy);
    // Directions 22.5 degrees or nearer to an axis keep to it; tan(22.5) is
    // irrational, so no whole cell lies on the boundary.
    const double tan22 = std::sqrt(2.0) - 1;
    if (ady < adx * tan22) return {to.x, from.y};
    if (adx < ady * tan22) return {from.x, to.y};
    // The diagonal cell nearest `to`: its projection on the diagonal, rounded
    // towards `from` where two are equally near, and kept on the canvas.
    const int steps = stepsOnCanvas(from.x, from.y, sign(dx), sign(dy), (adx + ady) / 2);
    return {from.x + steps * sign(dx), from.y + steps * sign(dy)};
}
