// shapes.cpp - pixel reads, whole-frame copies, vertical lines, circles, disks
// and line clipping.
//
// Off-surface rules: pget wraps like pset (x mod w, y mod h) and reads black for
// a negative coordinate; verLine and drawDisk clip; drawCircle refuses unless its
// whole bounding square is on the surface; drawBuffer always covers the whole
// surface. clipLine only computes: it clips a line's ends to the surface so that
// drawLine, which refuses off-surface ends, can draw what is visible.
#include <climits>
#include <cstdint>
#include <cstddef>

#include "gfx.h"
#include "surface.h"

ColorRGB pget(int x, int y) {
    // A negative remainder would address memory before the surface.
    if (x < 0 || y < 0) return ColorRGB();
    ColorRGB8bit color;
    SDL_GetRGB(*pixelAddress(x % w, y % h), scr->format, &color.r, &color.g, &color.b);
    return ColorRGB(color);
}

void drawBuffer(Uint32* buffer) {
    if (buffer == nullptr) return;
    markDrawn(0, 0, w - 1, h - 1);
    for (int y = 0; y < h; ++y) {
        Uint32* row = pixelAddress(0, y);
        for (int x = 0; x < w; ++x) row[x] = buffer[static_cast<std::size_t>(x) * h + y];
    }
}

bool onScreen(int x, int y) { return onSurface(x, y); }

bool verLine(int x, int y1, int y2, ColorRGB color) {
    markDrawn(x, std::min(y1, y2), x, std::max(y1, y2));
    return storeRun(x, y1, y2, h, w, mapColor(color), rowStride(), [x](int y) { return pixelAddress(x, y); });
}

// The bounding square of a circle, in 64-bit so that centres and radii near the
// int limits cannot overflow.
struct Square {
    long long left, right, top, bottom;
};

static Square boundingSquare(int xc, int yc, int radius) {
    return {static_cast<long long>(xc) - radius, static_cast<long long>(xc) + radius,
            static_cast<long long>(yc) - radius, static_cast<long long>(yc) + radius};
}

// The midpoint walk over one octant of a circle: x rises by one each step, y
// falls when the decision term says the outline has moved inwards. 64-bit so
// that the decision term of a huge radius cannot overflow.
struct OctantWalk {
    long long x, y, p;
};

static OctantWalk startWalk(int radius) { return {0, radius, 3 - 2LL * radius}; }

static void stepWalk(OctantWalk& walk) {
    if (walk.p < 0) {
        walk.p += 4 * walk.x + 6;
    } else {
        walk.p += 4 * (walk.x - walk.y) + 10;
        --walk.y;
    }
    ++walk.x;
}

bool drawCircle(int xc, int yc, int radius, ColorRGB color) {
    const Square square = boundingSquare(xc, yc, radius);
    if (radius < 0 || square.left < 0 || square.right >= w || square.top < 0 || square.bottom >= h) return false;
    // The whole square is on the surface, so every offset below fits in an int.
    for (OctantWalk walk = startWalk(radius); walk.x <= walk.y; stepWalk(walk)) {
        const int x = static_cast<int>(walk.x);
        const int y = static_cast<int>(walk.y);
        pset(xc + x, yc + y, color);
        pset(xc - x, yc - y, color);
        pset(xc + y, yc + x, color);
        pset(xc - y, yc + x, color);
        if (x > 0) {
            pset(xc + x, yc - y, color);
            pset(xc - x, yc + y, color);
            pset(xc + y, yc - x, color);
            pset(xc - y, yc - x, color);
        }
    }
    return true;
}

// Coordinates of a huge disk may leave the int range; anything beyond it is far
// off the surface, where horLine refuses or clips alike.
static int clampToInt(long long value) {
    if (value < INT_MIN) return INT_MIN;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

// Row `yc` + dy from `xc` - dx to `xc` + dx, clipped by horLine.
static void diskSpan(int xc, int yc, long long dy, long long dx, ColorRGB color) {
    horLine(clampToInt(yc + dy), clampToInt(xc + dx), clampToInt(xc - dx), color);
}

bool drawDisk(int xc, int yc, int radius, ColorRGB color) {
    const Square square = boundingSquare(xc, yc, radius);
    if (radius < 0 || square.right < 0 || square.left >= w || square.bottom < 0 || square.top >= h) return false;
    // Rows yc +- y stay the same over several steps: each is drawn on the first
    // step that reaches it, so the top and bottom rows are one pixel wide.
    long long lowerRowDrawn = square.bottom + 1;
    long long upperRowDrawn = square.bottom + 1;
    for (OctantWalk walk = startWalk(radius); walk.x <= walk.y; stepWalk(walk)) {
        if (yc + walk.y != lowerRowDrawn) diskSpan(xc, yc, walk.y, walk.x, color);
        if (yc - walk.y != upperRowDrawn) diskSpan(xc, yc, -walk.y, walk.x, color);
        if (walk.x != walk.y) diskSpan(xc, yc, walk.x, walk.y, color);
        if (walk.x != walk.y && walk.x != 0) diskSpan(xc, yc, -walk.x, walk.y, color);
        lowerRowDrawn = yc + walk.y;
        upperRowDrawn = yc - walk.y;
    }
    return true;
}

static const int regionBelow = 1;
static const int regionAbove = 2;
static const int regionRight = 4;
static const int regionLeft = 8;

int findRegion(int x, int y) {
    int code = 0;
    if (y >= h) code |= regionBelow;
    if (y < 0) code |= regionAbove;
    if (x >= w) code |= regionRight;
    if (x < 0) code |= regionLeft;
    return code;
}

// share * numerator / denominator, truncated toward zero, exactly, for
// |numerator| <= |denominator| (the crossing lies between the two ends). The
// operands are differences of ints and their product may need 66 bits, so it
// is formed in two parts: the numerator's high bits, then its low 17 bits.
static long long scaledShare(long long share, long long numerator, long long denominator) {
    const bool negative = ((share < 0) != (numerator < 0)) != (denominator < 0);
    const auto magnitude = [](long long v) { return static_cast<std::uint64_t>(v < 0 ? -v : v); };
    const std::uint64_t s = magnitude(share), n = magnitude(numerator), d = magnitude(denominator);
    const int lowBits = 17;
    const std::uint64_t lowMask = (std::uint64_t{1} << lowBits) - 1;
    const std::uint64_t high = s * (n >> lowBits);  // below 2^49
    const std::uint64_t quotient =
        (high / d << lowBits) + (((high % d) << lowBits) + s * (n & lowMask)) / d;  // sum below 2^51
    const long long result = static_cast<long long>(quotient);
    return negative ? -result : result;
}

// Where the line from (x1, y1) to (x2, y2) crosses the edge named by the first
// bit of `code`, the bits tried in the order below, above, right, left. The
// bottom and right crossings are found one past the last row or column and then
// put on it. No division is by zero: the edge's bit is set for one end only
// (else the line is rejected), so the two ends differ across that edge.
static void edgeCrossing(int code, long long x1, long long y1, long long x2, long long y2, int& x, int& y) {
    if (code & regionBelow) {
        x = static_cast<int>(x1 + scaledShare(x2 - x1, h - y1, y2 - y1));
        y = h - 1;
    } else if (code & regionAbove) {
        x = static_cast<int>(x1 + scaledShare(x1 - x2, y1, y2 - y1));
        y = 0;
    } else if (code & regionRight) {
        y = static_cast<int>(y1 + scaledShare(y2 - y1, w - x1, x2 - x1));
        x = w - 1;
    } else {
        y = static_cast<int>(y1 + scaledShare(y1 - y2, x1, x2 - x1));
        x = 0;
    }
}

bool clipLine(int x1, int y1, int x2, int y2, int& x3, int& y3, int& x4, int& y4) {
    int code1 = findRegion(x1, y1);
    int code2 = findRegion(x2, y2);
    // Each pass puts one end inside one more edge that the other end is already
    // inside, so the loop ends after at most four passes.
    while ((code1 | code2) != 0) {
        if ((code1 & code2) != 0) {
            x3 = y3 = x4 = y4 = 0;
            return false;
        }
        const bool moveFirst = code1 != 0;
        int x, y;
        edgeCrossing(moveFirst ? code1 : code2, x1, y1, x2, y2, x, y);
        if (moveFirst) {
            x1 = x;
            y1 = y;
            code1 = findRegion(x1, y1);
        } else {
            x2 = x;
            y2 = y;
            code2 = findRegion(x2, y2);
        }
    }
    x3 = x1;
    y3 = y1;
    x4 = x2;
    y4 = y2;
    return true;
}
