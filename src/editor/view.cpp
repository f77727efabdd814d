// view.cpp - mapping between canvas cells and window pixels, and the drawing of
// the picture in the view area and in the overview.
//
// Nothing is cached: every pass draws the whole picture twice, once magnified
// and clipped to the view area, once at one pixel per cell in the overview.
//
// The meaning of each routine is the plain one: a cell is scale x scale psets,
// a line is a Bresenham walk that tests every cell. They are made cheap without
// changing a pixel: a colour is mapped once per cell or line, a cell that lies
// wholly on the surface is stored row by row, and a line walks only the steps
// whose cells pass the view tests. Whatever might reach past the surface's
// edge takes the plain path, where pset wraps it.
#include "view.h"

#include <algorithm>
#include <climits>

#include "surface.h"

static const ColorRGB red(255, 0, 0);

// The overview's view frame sits one pixel above and left of the first cell shown.
static const int frameLeft = overviewX - 1, frameTop = overviewY - 1;
static const int frameRight = overviewX + 1, frameBottom = overviewY + 1;

ViewBounds calcMax(int scale, int X_Start, int Y_Start) {
    // At scales 1 and 2 the whole width fits, and at 2 the height exactly too.
    if (scale * Image_Width <= viewWidth) return {Image_Width, Image_Height};
    ViewBounds bounds = {viewWidth / scale + X_Start, viewHeight / scale + Y_Start};
    if (bounds.max_x > Image_Width) bounds.max_x = Image_Width;
    if (bounds.max_y > Image_Height) bounds.max_y = Image_Height;
    return bounds;
}

int cursorCell(int mouse, int scale, int start, int bound) {
    const int cell = mouse / scale + start;
    return cell >= bound ? bound - 1 : cell;
}

// Cell (xg, yg) of the view, counted from the origin, pixel by pixel: the
// plain path, whose psets wrap whatever lies beyond the surface's edge.
static void psetCell(int scale, int xg, int yg, ColorRGB kolor) {
    const int left = xg * scale;
    const int top = yg * scale;
    for (int y2 = 0; y2 < scale; ++y2) {
        for (int x2 = 0; x2 < scale; ++x2) pset(left + x2, top + y2, kolor);
    }
}

static bool cellOnSurface(int scale, long long xg, long long yg) {
    return blockOnSurface(xg * scale, yg * scale, scale, scale);
}

// Elements from the surface's first pixel to the top-left pixel of cell (xg, yg)
// of the view; the cell lies on the surface.
static long long cellOffset(int scale, int xg, int yg) {
    return static_cast<long long>(yg) * scale * rowStride() + static_cast<long long>(xg) * scale;
}

void pixelScaled(int scale, int xx, int yy, ColorRGB kolor, int X_Start, int Y_Start, int disable_Checks,
                 ViewBounds bounds) {
    const int xg = xx - X_Start;
    const int yg = yy - Y_Start;
    if (xg < 0 || yg < 0) return;
    if (disable_Checks == 0 && (xx >= bounds.max_x || yy >= bounds.max_y)) return;
    if (cellOnSurface(scale, xg, yg)) {
        markDrawn(xg * scale, yg * scale, xg * scale + scale - 1, yg * scale + scale - 1);
        fillBlock(pixelAddress(xg * scale, yg * scale), scale, scale, mapColor(kolor));
    } else {
        psetCell(scale, xg, yg, kolor);
    }
}

namespace {

// The walkLine walk of one line in closed form. Every step moves the major axis
// by one cell; the minor one moves when the error term, started at den / 2 and
// raised by numadd each step, reaches den. As numadd <= den that happens at most
// once per step, so after k steps an axis that moves at `rate` (den for the
// major axis, numadd for the minor) has moved (den / 2 + k * rate) / den cells.
// The moves never decrease with k, which is what lets a line be cut to the steps
// whose cells are shown.
struct LineWalk {
    int x1, y1;        // the cell of step 0
    int xstep, ystep;  // +1 or -1
    bool xMajor;       // ties count as x-major, as in walkLine
    int den;           // the major delta: the walk has den + 1 steps
    int numadd;        // the minor delta
};

// The steps first..last of a walk; empty when first > last.
struct StepRange {
    int first, last;
};

LineWalk lineWalk(int x1, int y1, int x2, int y2) {
    const int deltax = x2 >= x1 ? x2 - x1 : x1 - x2;
    const int deltay = y2 >= y1 ? y2 - y1 : y1 - y2;
    const bool xMajor = deltax >= deltay;
    return {x1, y1, x2 >= x1 ? 1 : -1, y2 >= y1 ? 1 : -1, xMajor, xMajor ? deltax : deltay,
            xMajor ? deltay : deltax};
}

int xRate(const LineWalk& walk) { return walk.xMajor ? walk.den : walk.numadd; }
int yRate(const LineWalk& walk) { return walk.xMajor ? walk.numadd : walk.den; }

// Cells moved along an axis of the given rate in `steps` steps.
int movedCells(const LineWalk& walk, int rate, int steps) {
    return walk.den == 0 ? 0 : (walk.den / 2 + steps * rate) / walk.den;
}

int cellX(const LineWalk& walk, int step) { return walk.x1 + walk.xstep * movedCells(walk, xRate(walk), step); }
int cellY(const LineWalk& walk, int step) { return walk.y1 + walk.ystep * movedCells(walk, yRate(walk), step); }

// The steps after which an axis of the given rate has moved between `fewest` and
// `most` cells. It moves `rate` cells over the whole walk, never more; the bounds
// come from solving den / 2 + k * rate >= fewest * den for the first step k and
// den / 2 + k * rate < (most + 1) * den for the last.
StepRange stepsMoving(const LineWalk& walk, int rate, long long fewest, long long most) {
    if (fewest < 0) fewest = 0;
    if (most > rate) most = rate;
    if (fewest > most) return {0, -1};
    const long long den = walk.den;
    const long long first = fewest == 0 ? 0 : (fewest * den - den / 2 + rate - 1) / rate;
    const long long last = most == rate ? den : ((most + 1) * den - den / 2 - 1) / rate;
    return {static_cast<int>(first), static_cast<int>(last)};
}

// The steps whose cell lies within [lo, hi] along an axis starting at `start`
// and moving by `step` at `rate`.
StepRange stepsWithin(const LineWalk& walk, int start, int step, int rate, long long lo, long long hi) {
    return step > 0 ? stepsMoving(walk, rate, lo - start, hi - start) : stepsMoving(walk, rate, start - hi, start - lo);
}

StepRange intersect(StepRange a, StepRange b) {
    return {a.first > b.first ? a.first : b.first, a.last < b.last ? a.last : b.last};
}

// The steps whose cells pass pixelScaled's tests: xx >= X_Start and yy >= Y_Start,
// and unless `disable` is set xx < max_x and yy < max_y. With the tests off the
// last column and row shown are unbounded (a value far beyond any cell).
StepRange shownSteps(const LineWalk& walk, int X_Start, int Y_Start, int disable, ViewBounds bounds) {
    const long long unbounded = LLONG_MAX / 2;
    const long long xLast = disable != 0 ? unbounded : bounds.max_x - 1LL;
    const long long yLast = disable != 0 ? unbounded : bounds.max_y - 1LL;
    return intersect(stepsWithin(walk, walk.x1, walk.xstep, xRate(walk), X_Start, xLast),
                     stepsWithin(walk, walk.y1, walk.ystep, yRate(walk), Y_Start, yLast));
}

// True when every cell of the steps lies wholly on the surface. The cells run
// monotonically in both axes, so the two end cells bound all the others.
bool stepsOnSurface(const LineWalk& walk, StepRange steps, int scale, int X_Start, int Y_Start) {
    for (int step : {steps.first, steps.last}) {
        if (!cellOnSurface(scale, cellX(walk, step) - static_cast<long long>(X_Start),
                           cellY(walk, step) - static_cast<long long>(Y_Start)))
            return false;
    }
    return true;
}

// Walks the steps' cells as walkLine does, but from the first step shown,
// handing storeCell the offset of each cell's top-left pixel, which starts at
// `at`. The error term starts where walkLine's stands after steps.first steps.
// The minor move stays a plain branch: its pattern repeats along a line and is
// predicted well, while a branch-free select chains every step to the one
// before and measured about three times slower.
template <typename CellStore>
void walkCells(const LineWalk& walk, StepRange steps, long long at, long long majorStride, long long minorStride,
               CellStore storeCell) {
    int num = walk.den == 0 ? 0 : (walk.den / 2 + steps.first * walk.numadd) % walk.den;
    for (int step = steps.first; step <= steps.last; ++step) {
        storeCell(at);
        num += walk.numadd;
        if (num >= walk.den) {
            num -= walk.den;
            at += minorStride;
        }
        at += majorStride;
    }
}

// A cell of a fixed size, so that the small scales, where the lines spend most
// of their time, store without any loop.
template <int size>
void storeSquare(Uint32* first, int stride, Uint32 value) {
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) first[row * stride + column] = value;
}

// Stores the cells of the steps; they lie wholly on the surface.
void storeSteps(const LineWalk& walk, StepRange steps, Uint32 value, int scale, int X_Start, int Y_Start) {
    const int stride = rowStride();
    const long long xStride = static_cast<long long>(walk.xstep) * scale;
    const long long yStride = static_cast<long long>(walk.ystep) * scale * stride;
    const long long majorStride = walk.xMajor ? xStride : yStride;
    const long long minorStride = walk.xMajor ? yStride : xStride;
    const long long at = cellOffset(scale, cellX(walk, steps.first) - X_Start, cellY(walk, steps.first) - Y_Start);
    Uint32* const surface = pixelAddress(0, 0);
    const auto walkStoring = [&](auto storeCell) { walkCells(walk, steps, at, majorStride, minorStride, storeCell); };
    switch (scale) {
    case 1: return walkStoring([=](long long cell) { storeSquare<1>(surface + cell, stride, value); });
    case 2: return walkStoring([=](long long cell) { storeSquare<2>(surface + cell, stride, value); });
    case 3: return walkStoring([=](long long cell) { storeSquare<3>(surface + cell, stride, value); });
    default: return walkStoring([=](long long cell) { fillBlock(surface + cell, scale, scale, value); });
    }
}

// Notes for presentChanges() the pixels of the steps' cells, a few rows of
// cells at a time: in each run of rows the cells of a line span one run of
// columns, so a long line is noted as a staircase of narrow rectangles rather
// than the box around it.
void markStepsDrawn(const LineWalk& walk, StepRange steps, int scale, int X_Start, int Y_Start) {
    const int rowsAtOnce = std::max(1, 16 / scale);
    const int firstRow = cellY(walk, steps.first), lastRow = cellY(walk, steps.last);
    for (int row = std::min(firstRow, lastRow); row <= std::max(firstRow, lastRow); row += rowsAtOnce) {
        const StepRange run =
            intersect(steps, stepsWithin(walk, walk.y1, walk.ystep, yRate(walk), row, row + rowsAtOnce - 1LL));
        if (run.first > run.last) continue;
        const long long left = std::min(cellX(walk, run.first), cellX(walk, run.last)) - static_cast<long long>(X_Start);
        const long long right = std::max(cellX(walk, run.first), cellX(walk, run.last)) - static_cast<long long>(X_Start);
        const long long top = std::min(cellY(walk, run.first), cellY(walk, run.last)) - static_cast<long long>(Y_Start);
        const long long bottom = std::max(cellY(walk, run.first), cellY(walk, run.last)) - static_cast<long long>(Y_Start);
        markDrawn(static_cast<int>(left * scale), static_cast<int>(top * scale),
                  static_cast<int>((right + 1) * scale - 1), static_cast<int>((bottom + 1) * scale - 1));
    }
}

// Notes for presentChanges() the window rectangle that view cells (x1, y1) to (x2, y2)
// cover; markDrawn clips it.
void markCellsDrawn(int x1, int y1, int x2, int y2, int scale, int X_Start, int Y_Start) {
    const auto edge = [scale](int cell, int start) {
        const long long pixel = (static_cast<long long>(cell) - start) * scale;
        return static_cast<int>(std::clamp(pixel, -1LL, static_cast<long long>(w + h)));
    };
    markDrawn(edge(std::min(x1, x2), X_Start), edge(std::min(y1, y2), Y_Start),
              edge(std::max(x1, x2) + 1, X_Start) - 1, edge(std::max(y1, y2) + 1, Y_Start) - 1);
}

// lineScaled, noting its stores line by line (a staircase) or leaving that to
// the caller, who notes the box around many lines at once.
bool drawScaledLine(int x1, int y1, int x2, int y2, ColorRGB color, int scale, int X_Start, int Y_Start,
                    int disable, ViewBounds bounds, bool noteStores) {
    if (!onSurface(x1, y1) || !onSurface(x2, y2)) return false;
    const LineWalk walk = lineWalk(x1, y1, x2, y2);
    const StepRange shown = shownSteps(walk, X_Start, Y_Start, disable, bounds);
    if (shown.first > shown.last) return true;
    if (stepsOnSurface(walk, shown, scale, X_Start, Y_Start)) {
        if (noteStores) markStepsDrawn(walk, shown, scale, X_Start, Y_Start);
        storeSteps(walk, shown, mapColor(color), scale, X_Start, Y_Start);
    } else {
        walkLine(x1, y1, x2, y2,
                 [&](int x, int y) { pixelScaled(scale, x, y, color, X_Start, Y_Start, disable, bounds); });
    }
    return true;
}

}  // namespace

bool lineMeetsCells(int x1, int y1, int x2, int y2, int left, int top, int right, int bottom) {
    const LineWalk walk = lineWalk(x1, y1, x2, y2);
    const StepRange steps = intersect(stepsWithin(walk, walk.x1, walk.xstep, xRate(walk), left, right),
                                      stepsWithin(walk, walk.y1, walk.ystep, yRate(walk), top, bottom));
    return steps.first <= steps.last;
}

bool lineScaled(int x1, int y1, int x2, int y2, ColorRGB color, int scale, int X_Start, int Y_Start, int disable,
                ViewBounds bounds) {
    return drawScaledLine(x1, y1, x2, y2, color, scale, X_Start, Y_Start, disable, bounds, true);
}

void renderScaled(const PictureTables& picture, int scale, int X_Start, int Y_Start, int Draw_X, int Draw_Y,
                  ColorRGB kolor, int disable, int separate) {
    const ViewBounds bounds = calcMax(scale, X_Start, Y_Start);
    const auto& pixel = picture.pixel;
    for (int i = 0; i < p_number; ++i) {
        if (!picture.pointOnCanvas(i)) continue;
        pixelScaled(scale, Draw_X + pixel[0][i], Draw_Y + pixel[1][i], kolor, X_Start, Y_Start, disable, bounds);
    }
    const ColorRGB lineColor = separate == 0 ? kolor : separateLinesColor;
    const auto& lines = picture.lines;
    // Every line's stores noted at once: the box around all of them.
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int i = 0; i < l_number; ++i) {
        if (!picture.lineOnCanvas(i)) continue;
        left = std::min({left, lines[0][i], lines[2][i]}), right = std::max({right, lines[0][i], lines[2][i]});
        top = std::min({top, lines[1][i], lines[3][i]}), bottom = std::max({bottom, lines[1][i], lines[3][i]});
    }
    if (left <= right) markCellsDrawn(Draw_X + left, Draw_Y + top, Draw_X + right, Draw_Y + bottom, scale, X_Start, Y_Start);
    for (int i = 0; i < l_number; ++i) {
        if (!picture.lineOnCanvas(i)) continue;
        drawScaledLine(Draw_X + lines[0][i], Draw_Y + lines[1][i], Draw_X + lines[2][i], Draw_Y + lines[3][i],
                       lineColor, scale, X_Start, Y_Start, disable, bounds, false);
    }
}

void lineBox(int x1, int y1, int x2, int y2, ColorRGB kolor) {
    drawLine(x1, y1, x2, y1, kolor);
    drawLine(x1, y1, x1, y2, kolor);
    drawLine(x2, y1, x2, y2, kolor);
    drawLine(x1, y2, x2, y2, kolor);
}

void renderView(const Editor& e) {
    renderScaled(e.picture.tables(), e.scale, e.X_Start, e.Y_Start, 0, 0, e.Draw_Color, 0, e.separate);
}

ViewFrame viewFrame(const Editor& e) {
    // The frame marks the view's bounds, not those of the overview's scale 1.
    const ViewBounds bounds = viewBounds(e);
    return {e.X_Start + frameLeft, e.Y_Start + frameTop, bounds.max_x + frameRight, bounds.max_y + frameBottom};
}

void drawViewFrame(const Editor& e) {
    const ViewFrame f = viewFrame(e);
    lineBox(f.left, f.top, f.right, f.bottom, red);
}
