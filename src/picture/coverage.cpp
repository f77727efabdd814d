// coverage.cpp - the cells each entry covers, counted, and the kind of each cell.
#include "coverage.h"

#include <algorithm>

#include "gfx.h"

namespace {

constexpr size_t cellCount = static_cast<size_t>(Image_Width) * Image_Height;

bool samePoint(const PictureTables& a, const PictureTables& b, int i) {
    return a.pixel_oc[i] == b.pixel_oc[i] && a.pixel[0][i] == b.pixel[0][i] && a.pixel[1][i] == b.pixel[1][i];
}

bool sameLine(const PictureTables& a, const PictureTables& b, int i) {
    for (int row = 0; row < 4; ++row)
        if (a.lines[row][i] != b.lines[row][i]) return false;
    return a.line_oc[i] == b.line_oc[i];
}

}  // namespace

CellBox lineCells(const PictureTables& t, int i) {
    const auto& l = t.lines;
    return {std::min(l[0][i], l[2][i]), std::min(l[1][i], l[3][i]), std::max(l[0][i], l[2][i]),
            std::max(l[1][i], l[3][i])};
}

Coverage::Coverage() : points(cellCount, 0), lines(cellCount, 0), kinds(cellCount, none) {}

void Coverage::count(int x, int y, std::vector<uint16_t>& counts, int delta) {
    const size_t at = static_cast<size_t>(y) * Image_Width + x;
    counts[at] = static_cast<uint16_t>(counts[at] + delta);
    kinds[at] = lines[at] > 0 ? line : points[at] > 0 ? point : none;
}

void Coverage::countPoint(int x, int y, int delta) { count(x, y, points, delta); }

void Coverage::countLine(int x1, int y1, int x2, int y2, int delta) {
    walkLine(x1, y1, x2, y2, [&](int x, int y) { count(x, y, lines, delta); });
}

int Coverage::follow(const PictureTables& before, const PictureTables& now,
                     const std::function<void(CellBox)>& changed) {
    if (before == now) return 0;
    int differing = 0;
    for (int i = 0; i < p_number; ++i) {
        if (samePoint(before, now, i)) continue;
        ++differing;
        for (const PictureTables* t : {&before, &now}) {
            if (!t->pointOnCanvas(i)) continue;
            const int x = t->pixel[0][i], y = t->pixel[1][i];
            countPoint(x, y, t == &before ? -1 : 1);
            changed({x, y, x, y});
        }
    }
    for (int i = 0; i < l_number; ++i) {
        if (sameLine(before, now, i)) continue;
        ++differing;
        for (const PictureTables* t : {&before, &now}) {
            if (!t->lineOnCanvas(i)) continue;
            const auto& l = t->lines;
            countLine(l[0][i], l[1][i], l[2][i], l[3][i], t == &before ? -1 : 1);
            changed(lineCells(*t, i));
        }
    }
    return differing;
}
