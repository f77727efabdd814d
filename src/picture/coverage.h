// coverage.h - which canvas cells the picture covers, and with what: a line, a
// point or nothing, kept up to date entry by entry as the tables change.
//
// A frame draws every point, then every line, in one colour each, so the colour
// a cell ends up with is that of a line when any line passes through it, else
// that of a point when any point lies on it. Coverage counts both per cell, so
// that a changed entry costs only its own cells, and keeps the resulting kind
// of each cell in rows of bytes that drawing can scan. Entries off the canvas
// (empty ones) cover nothing, as they draw nothing.
//
//     Coverage coverage;                         // an empty picture
//     coverage.follow(tablesBefore, tablesNow, [](CellBox changed) { ... });
//     if (coverage.row(y)[x] == Coverage::line) ...
#ifndef TESSARY_COVERAGE_H
#define TESSARY_COVERAGE_H

#include <cstdint>
#include <functional>
#include <vector>

#include "tables.h"

// Canvas cells from (x1, y1) to (x2, y2), both included.
struct CellBox {
    int x1, y1, x2, y2;
};

// The cells between the ends of line entry i of `t`.
CellBox lineCells(const PictureTables& t, int i);

class Coverage {
public:
    enum Kind : uint8_t { none = 0, point = 1, line = 2 };

    Coverage();

    // Brings the counts from the tables `before` (those it was last brought to;
    // a fresh Coverage stands at empty tables) to `now`. Calls changed() with the
    // box of each entry that differs, as it was and as it is. Returns how many
    // entries differ.
    int follow(const PictureTables& before, const PictureTables& now, const std::function<void(CellBox)>& changed);

    // The kinds of canvas row y, Image_Width of them.
    const uint8_t* row(int y) const { return kinds.data() + static_cast<size_t>(y) * Image_Width; }

private:
    void countPoint(int x, int y, int delta);
    void countLine(int x1, int y1, int x2, int y2, int delta);
    void count(int x, int y, std::vector<uint16_t>& counts, int delta);

    std::vector<uint16_t> points, lines;  // per cell, row by row
    std::vector<uint8_t> kinds;
};

#endif
