// The fast drawing paths of the view, the overview and the text against plain
// references written here: every pixel through a pset that wraps, every line
// through a Bresenham walk that tests each cell, every glyph pixel by pixel.
// Each case draws into the real surface and into a copy of it by the plain way,
// then compares all 640 x 640 pixels, so any pixel the fast paths get wrong
// (a cell cut from a line, a wrap lost, a glyph pixel off) shows up.
#include <sstream>
#include <string>
#include <vector>

#include "editor_fixture.h"

namespace {

// A copy of the surface that the plain references draw into.
class Reference {
public:
    Reference() : pixels_(static_cast<size_t>(w) * h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels_[index(x, y)] = rawPixel(x, y);
    }

    // As pset: column x mod w, row y mod h; negative coordinates are ignored.
    void pset(int x, int y, Uint32 value) {
        if (x < 0 || y < 0) return;
        pixels_[index(x % w, y % h)] = value;
    }

    // Empty when the surface holds exactly this copy, else the number of pixels
    // that differ and the first of them.
    std::string differences() const {
        int count = 0;
        std::ostringstream first;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (rawPixel(x, y) == pixels_[index(x, y)]) continue;
                if (count++ == 0)
                    first << " first at (" << x << ", " << y << "): surface " << rawPixel(x, y) << ", expected "
                          << pixels_[index(x, y)];
            }
        }
        return count == 0 ? std::string() : std::to_string(count) + " pixels differ;" + first.str();
    }

private:
    static size_t index(int x, int y) { return static_cast<size_t>(y) * w + x; }
    std::vector<Uint32> pixels_;
};

// Fills the surface with a value that differs from pixel to pixel, so that a
// pixel written where nothing should be, or left where something should, shows.
void paintPattern() {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) static_cast<Uint32*>(scr->pixels)[y * (scr->pitch / 4) + x] = x * 7919u + y * 104729u;
}

// ----- the view and the overview, the plain way ------------------------------

struct Bounds {
    int x, y;  // exclusive bounds of the columns and rows shown
};

Bounds plainBounds(int scale, int X_Start, int Y_Start) {
    Bounds b = scale * 256 <= 640 ? Bounds{256, 200} : Bounds{640 / scale + X_Start, 400 / scale + Y_Start};
    if (b.x > 256) b.x = 256;
    if (b.y > 200) b.y = 200;
    return b;
}

void plainCell(Reference& ref, Bounds b, int scale, int xx, int yy, Uint32 value, int X_Start, int Y_Start,
               int disable) {
    const int xg = xx - X_Start, yg = yy - Y_Start;
    if (xg < 0 || yg < 0) return;
    if (disable == 0 && (xg > b.x - X_Start - 1 || yg > b.y - Y_Start - 1)) return;
    for (int y2 = 0; y2 < scale; ++y2)
        for (int x2 = 0; x2 < scale; ++x2) ref.pset(xg * scale + x2, yg * scale + y2, value);
}

bool inWindow(int x, int y) { return x >= 0 && x <= w - 1 && y >= 0 && y <= h - 1; }

// The Bresenham walk with its four increments, calling cell(x, y) for each cell.
template <typename Cell>
void plainWalk(int x1, int y1, int x2, int y2, Cell cell) {
    const int deltax = x2 > x1 ? x2 - x1 : x1 - x2, deltay = y2 > y1 ? y2 - y1 : y1 - y2;
    int xinc1 = x2 >= x1 ? 1 : -1, xinc2 = xinc1, yinc1 = y2 >= y1 ? 1 : -1, yinc2 = yinc1;
    int den, num, numadd, numpixels;
    if (deltax >= deltay) {
        xinc1 = 0, yinc2 = 0, den = deltax, num = deltax / 2, numadd = deltay, numpixels = deltax;
    } else {
        xinc2 = 0, yinc1 = 0, den = deltay, num = deltay / 2, numadd = deltax, numpixels = deltay;
    }
    int x = x1, y = y1;
    for (int curpixel = 0; curpixel <= numpixels; ++curpixel) {
        cell(x, y);
        num += numadd;
        if (num >= den) num -= den, x += xinc1, y += yinc1;
        x += xinc2, y += yinc2;
    }
}

void plainLine(Reference& ref, Bounds b, int x1, int y1, int x2, int y2, Uint32 value, int scale, int X_Start,
               int Y_Start, int disable) {
    if (!inWindow(x1, y1) || !inWindow(x2, y2)) return;
    plainWalk(x1, y1, x2, y2, [&](int x, int y) { plainCell(ref, b, scale, x, y, value, X_Start, Y_Start, disable); });
}

void plainWindowLine(Reference& ref, int x1, int y1, int x2, int y2, Uint32 value) {
    if (!inWindow(x1, y1) || !inWindow(x2, y2)) return;
    plainWalk(x1, y1, x2, y2, [&](int x, int y) { ref.pset(x, y, value); });
}

void plainRender(Reference& ref, const PictureTables& t, int scale, int X_Start, int Y_Start, int Draw_X,
                 int Draw_Y, Uint32 value, int disable, int separate) {
    const Bounds b = plainBounds(scale, X_Start, Y_Start);
    for (int i = 0; i < p_number; ++i) {
        if (t.pixel[0][i] == -1) continue;
        plainCell(ref, b, scale, Draw_X + t.pixel[0][i], Draw_Y + t.pixel[1][i], value, X_Start, Y_Start, disable);
    }
    const Uint32 lineValue = separate == 0 ? value : packed(ColorRGB(0, 128, 0));
    for (int i = 0; i < l_number; ++i) {
        if (t.lines[0][i] == -1) continue;
        plainLine(ref, b, Draw_X + t.lines[0][i], Draw_Y + t.lines[1][i], Draw_X + t.lines[2][i],
                  Draw_Y + t.lines[3][i], lineValue, scale, X_Start, Y_Start, disable);
    }
}

// The view, the highlight of the selected line (the test keeps it in use), the
// overview's backdrop and picture, and its red view frame.
void plainFrame(Reference& ref, const Editor& e) {
    const Uint32 red = packed(ColorRGB(255, 0, 0));
    const Uint32 draw = packed(e.Draw_Color);
    const PictureTables& t = e.picture.tables();
    plainRender(ref, t, e.scale, e.X_Start, e.Y_Start, 0, 0, draw, 0, e.separate);
    const Bounds b = plainBounds(e.scale, e.X_Start, e.Y_Start);
    if (e.lop != 0) {
        const int i = e.lopp[e.forerase];
        plainLine(ref, b, t.lines[0][i], t.lines[1][i], t.lines[2][i], t.lines[3][i], red, e.scale, e.X_Start,
                  e.Y_Start, 0);
    }
    for (int y = 410; y <= 639; ++y)
        for (int x = 320; x <= 639; ++x) ref.pset(x, y, packed(e.Background_Color));
    plainRender(ref, t, 1, 0, 0, 317, 420, draw, 1, e.separate);
    const int x1 = e.X_Start + 316, y1 = e.Y_Start + 419, x2 = b.x + 318, y2 = b.y + 421;
    plainWindowLine(ref, x1, y1, x2, y1, red);
    plainWindowLine(ref, x1, y1, x1, y2, red);
    plainWindowLine(ref, x2, y1, x2, y2, red);
    plainWindowLine(ref, x1, y2, x2, y2, red);
}

// ----- pictures --------------------------------------------------------------

// A small linear congruential generator, so every run draws the same lines.
class Numbers {
public:
    int below(int n) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 8) % static_cast<unsigned>(n));
    }

private:
    unsigned state_ = 12345;
};

// Full tables: points all over the canvas, and lines that span it flat and
// steep, in both directions, plus random, horizontal, vertical, diagonal and
// single-cell ones, so that at every origin some lines leave the view on each
// side and some end inside it.
void buildWorstPicture(Editor& e) {
    e.picture.clear();
    Numbers n;
    for (int i = 0; i < p_number; ++i) e.picture.addPoint(n.below(256), n.below(200));
    for (int i = 0; i < l_number; ++i) {
        const int x = n.below(256), y = n.below(200), x2 = n.below(256), y2 = n.below(200);
        switch (i % 8) {
        case 0: e.picture.addLine(0, y, 255, 199 - y); break;  // flat, spanning
        case 1: e.picture.addLine(255, y, 0, y2); break;       // flat, right to left
        case 2: e.picture.addLine(x, 0, 255 - x, 199); break;  // steep, spanning
        case 3: e.picture.addLine(x, 199, x2, 0); break;       // steep, upwards
        case 4: e.picture.addLine(x, y, x2, y2); break;        // anywhere
        case 5: e.picture.addLine(x, y, x, y2); break;         // vertical
        case 6: e.picture.addLine(x, y, x2, y); break;         // horizontal
        default: e.picture.addLine(x, y, x, y); break;         // one cell
        }
    }
    // Exact diagonals, which tie the two deltas, replace a few random lines.
    e.picture.eraseLine(4);
    e.picture.addLine(10, 10, 189, 189);  // into the gap at entry 4
    e.picture.eraseLine(12);
    e.picture.addLine(199, 0, 0, 199);
    e.lop = 1;
    e.lopp[0] = 9;  // a steep, upward line
    e.forerase = 0;
}

using RenderSpeedups = EditorTest;

TEST_F(RenderSpeedups, WorstPictureFramesMatchThePlainRenderer) {
    buildWorstPicture(e);
    struct Origin { int x, y; };
    const Origin origins[] = {{0, 0}, {100, 60}, {37, 121}, {250, 195}, {255, 199}};
    for (int scale : {1, 2, 3, 4, 7, 8, 50, 400}) {
        for (const Origin& origin : origins) {
            e.scale = scale;
            e.X_Start = origin.x;
            e.Y_Start = origin.y;
            e.separate = (scale + origin.x) % 2;
            paintPattern();
            Reference ref;
            plainFrame(ref, e);
            renderFrame(e);
            EXPECT_EQ(ref.differences(), "") << "scale " << scale << ", origin (" << origin.x << ", " << origin.y << ")";
        }
    }
}

// Lines between any window pixels, at many views, with the tests on and off:
// the cut to the steps shown must keep exactly the cells the plain walk draws.
TEST_F(RenderSpeedups, RandomLinesMatchThePlainWalk) {
    Numbers n;
    const Uint32 value = packed(ColorRGB(10, 20, 30));
    for (int round = 0; round < 40; ++round) {
        const int scales[] = {1, 2, 3, 4, 5, 9, 16, 33};
        const int scale = scales[round % 8];
        const int X_Start = n.below(260), Y_Start = n.below(204), disable = round % 3 == 0;
        const ViewBounds bounds = calcMax(scale, X_Start, Y_Start);
        const Bounds b = plainBounds(scale, X_Start, Y_Start);
        paintPattern();
        Reference ref;
        for (int i = 0; i < 60; ++i) {
            // Mostly canvas cells around the view, now and then anywhere on the window.
            const int range = i % 5 == 0 ? 640 : 300;
            const int x1 = n.below(range), y1 = n.below(range), x2 = n.below(range), y2 = n.below(range);
            EXPECT_TRUE(lineScaled(x1, y1, x2, y2, ColorRGB(10, 20, 30), scale, X_Start, Y_Start, disable, bounds));
            plainLine(ref, b, x1, y1, x2, y2, value, scale, X_Start, Y_Start, disable);
        }
        EXPECT_EQ(ref.differences(), "") << "scale " << scale << ", origin (" << X_Start << ", " << Y_Start
                                         << "), disable " << disable;
    }
}

// Bounds left behind by another scale, or the tests off, let cells reach past
// the surface's right and bottom edges; there the plain wrap must still hold.
TEST_F(RenderSpeedups, CellsPastTheSurfaceEdgeWrapAsPsetWraps) {
    const ColorRGB color(200, 100, 50);
    const Uint32 value = packed(color);
    paintPattern();
    Reference ref;
    const ViewBounds bounds = calcMax(1, 0, 0);  // the bounds of scale 1, used at scales 3 and 7
    const Bounds stale = plainBounds(1, 0, 0);
    for (int scale : {3, 7}) {
        lineScaled(0, 0, 255, 199, color, scale, 0, 0, 0, bounds);
        plainLine(ref, stale, 0, 0, 255, 199, value, scale, 0, 0, 0);
        lineScaled(250, 3, 180, 190, color, scale, 20, 0, 0, bounds);
        plainLine(ref, stale, 250, 3, 180, 190, value, scale, 20, 0, 0);
        pixelScaled(scale, 230, 150, color, 0, 0, 0, bounds);
        plainCell(ref, stale, scale, 230, 150, value, 0, 0, 0);
    }
    lineScaled(300, 280, 620, 330, color, 2, 0, 0, 1, bounds);  // tests off, scaled past both edges
    plainLine(ref, stale, 300, 280, 620, 330, value, 2, 0, 0, 1);
    pixelScaled(6, 106, 106, color, 0, 0, 1, bounds);  // pixels 636 to 641: across the bottom-right corner
    plainCell(ref, stale, 6, 106, 106, value, 0, 0, 1);
    EXPECT_EQ(ref.differences(), "");
}

// ----- text, the plain way -----------------------------------------------------

void plainLetter(Reference& ref, unsigned char n, int x, int y, Uint32 ink, bool bg, Uint32 paper) {
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            if (font[n][v][u]) ref.pset(x + u, y + v, ink);
            else if (bg) ref.pset(x + u, y + v, paper);
        }
    }
}

int plainPrint(Reference& ref, const std::string& text, int x, int y, Uint32 ink, bool bg, Uint32 paper,
               int forceLength) {
    const auto advance = [&] {
        x += 8;
        if (x > w - 8) x %= 8, y += 8;
        if (y > h - 8) y %= 8;
    };
    int pos = 0;
    for (; pos < static_cast<int>(text.size()); ++pos) {
        plainLetter(ref, static_cast<unsigned char>(text[pos]), x, y, ink, bg, paper);
        advance();
    }
    for (; pos < forceLength; ++pos) {
        plainLetter(ref, 0, x, y, ink, bg, paper);
        advance();
    }
    return h * x + y;
}

// Every glyph from 1 to 255, printed from places where cells cross the right
// edge, the bottom edge, both, or start left of the surface.
TEST_F(RenderSpeedups, PrintMatchesThePlainGlyphsAtEveryEdge) {
    std::string allGlyphs;
    for (int c = 1; c < 256; ++c) allGlyphs += static_cast<char>(c);
    const ColorRGB ink(255, 255, 0), paper(0, 0, 128);
    struct Place { int x, y; };
    const Place places[] = {{0, 0}, {628, 100}, {636, 200}, {3, 636}, {633, 632}, {-5, 300}, {300, -3}};
    for (bool bg : {true, false}) {
        for (const Place& place : places) {
            paintPattern();
            Reference ref;
            const int expected = plainPrint(ref, allGlyphs, place.x, place.y, packed(ink), bg, packed(paper), 260);
            EXPECT_EQ(print(allGlyphs.c_str(), place.x, place.y, ink, bg, paper, 260), expected);
            EXPECT_EQ(ref.differences(), "") << "print at (" << place.x << ", " << place.y << "), bg " << bg;
        }
    }
}

TEST_F(RenderSpeedups, SingleGlyphsMatchThePlainPathAcrossTheCorner) {
    const ColorRGB ink(1, 2, 3), paper(4, 5, 6);
    for (bool bg : {true, false}) {
        paintPattern();
        Reference ref;
        for (int n = 0; n < 256; n += 17) {
            const int x = 632 + n % 8, y = 632 + (n / 8) % 8;  // from fully on the surface to 7 pixels past it
            EXPECT_EQ(cprint(static_cast<unsigned char>(n), x, y, ink, bg, paper), 1);
            plainLetter(ref, static_cast<unsigned char>(n), x, y, packed(ink), bg, packed(paper));
        }
        EXPECT_EQ(ref.differences(), "") << "bg " << bg;
    }
}

}  // namespace
