// aids.cpp - the mirror, snapping and straight lines: keys, cursor, edits, drawing.
#include "aids.h"

#include <algorithm>

#include "colorunder.h"
#include "keypress.h"
#include "promptline.h"
#include "view.h"

namespace {

const ColorRGB red(255, 0, 0);  // the cursor's
// Neither a palette colour nor the red of the cursor and the highlights, so
// that the axes are never taken for the picture or a selection.
const ColorRGB axisOnDark(255, 0, 255);
const ColorRGB axisOnLight(128, 0, 128);

const char* mirrorName(Mirror m) {
    switch (m) {
        case Mirror::leftRight:
            return "left-right";
        case Mirror::topBottom:
            return "top-bottom";
        case Mirror::both:
            return "both";
        default:
            return "off";
    }
}

Cell cursorCellOf(const Editor& e) { return {e.rmouseX, e.rmouseY}; }

// The canvas cells the view shows.
CellBox shownCells(const Editor& e) {
    const ViewBounds bounds = viewBounds(e);
    return {e.X_Start, e.Y_Start, std::min(bounds.max_x, Image_Width) - 1, std::min(bounds.max_y, Image_Height) - 1};
}

// The line end or point nearest the pointer, within snapRadiusPixels on the screen.
std::optional<Cell> snappedCell(const Editor& e) {
    const double x = e.X_Start + (e.mouseX + 0.5) / e.scale;
    const double y = e.Y_Start + (e.mouseY + 0.5) / e.scale;
    // An end exactly at the radius counts, however the division rounds.
    return nearestEnd(e.picture.tables(), x, y, snapRadiusPixels / e.scale + 1e-9, shownCells(e));
}

void sayMissedImages(int missed) {
    if (missed == 0) return;
    showMessage(std::to_string(missed) + (missed == 1 ? " mirror image" : " mirror images") +
                " did not fit: table full");
}

void changeInStroke(Editor& e, const PictureTables& edited) {
    if (edited != e.picture.tables()) e.picture.replaceInStroke(edited);
}

struct PixelBox {
    int left, top, right, bottom;
};

PixelBox clipped(PixelBox a, PixelBox b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

void fillBox(PixelBox box, ColorRGB color) {
    if (box.left <= box.right && box.top <= box.bottom) drawRect(box.left, box.top, box.right, box.bottom, color);
}

// Every other pixel of `line` (one pixel wide or high) within `clip`, by the
// window's own grid, so that any part drawn again takes the same dots.
void dotted(PixelBox line, PixelBox clip, ColorRGB color) {
    const PixelBox r = clipped(line, clip);
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            if ((x + y) % 2 == 0) pset(x, y, color);
}

// The window pixel where canvas column (or row) `cell` starts in the view, or
// none when the view does not show it.
std::optional<int> viewEdge(int cell, int start, int bound, int scale) {
    if (cell < start || cell >= bound) return std::nullopt;
    return (cell - start) * scale;
}

}  // namespace

void aidKeys(Editor& e) {
    if (keyPressed(SDLK_m)) {
        e.mirror = nextMirror(e.mirror);
        clearWindow(e);
        showMessage(std::string("Mirror: ") + mirrorName(e.mirror));
    }
    if (keyPressed(SDLK_b)) {
        e.snap = !e.snap;
        showMessage(e.snap ? "Snap to ends: on" : "Snap to ends: off");
    }
}

void aimCursor(Editor& e) {
    if (e.mode != lineMode || !onCanvas(e.rmouseX, e.rmouseY)) return;
    std::optional<Cell> aimed;
    if (e.line_phase == 1 && ctrlHeld()) {
        aimed = straightEnd({e.line_sx, e.line_sy}, cursorCellOf(e));
    } else if (e.snap) {
        aimed = snappedCell(e);
    }
    if (!aimed) return;
    e.rmouseX = aimed->x;
    e.rmouseY = aimed->y;
}

void placeMirroredPoints(Editor& e) {
    PictureTables edited = e.picture.tables();
    const int missed = placeMirrored(edited, cursorCellOf(e), e.mirror);
    changeInStroke(e, edited);
    sayMissedImages(missed);
}

void eraseMirroredPoints(Editor& e) {
    PictureTables edited = e.picture.tables();
    eraseMirrored(edited, cursorCellOf(e), e.mirror);
    changeInStroke(e, edited);
}

void storeMirroredLine(Editor& e, const Segment& line) {
    if (e.picture.tables().lines_amount >= l_number) return;
    PictureTables edited = e.picture.tables();
    const int missed = addMirroredLine(edited, line, e.mirror);
    e.picture.replace(edited);
    sayMissedImages(missed);
}

std::string aidsInTitle(const Editor& e) {
    return std::string(e.mirror != Mirror::off ? " - mirror" : "") + (e.snap ? " - snap" : "");
}

void drawMirrorAxes(const Editor& e, int left, int top, int right, int bottom) {
    if (e.mirror == Mirror::off) return;
    const PixelBox clip = {left, top, right, bottom};
    const bool lightBackground = e.Background_Color.r + e.Background_Color.g + e.Background_Color.b > 3 * 128;
    const ColorRGB color = lightBackground ? axisOnLight : axisOnDark;
    const ViewBounds bounds = viewBounds(e);
    // The shown cells' pixels: a cell cut by the view's edge shows in part.
    const auto shownEnd = [&](int bound, int start, int size) {
        return static_cast<int>(std::clamp((static_cast<long long>(bound) - start) * e.scale, 0LL, 1LL * size)) - 1;
    };
    const PixelBox view = {0, 0, shownEnd(bounds.max_x, e.X_Start, viewWidth), shownEnd(bounds.max_y, e.Y_Start, viewHeight)};
    const PixelBox overview = {overviewX, overviewY, overviewX + Image_Width - 1, overviewY + Image_Height - 1};
    if (mirrorsLeftRight(e.mirror)) {
        if (const auto x = viewEdge(mirrorAxisColumn, e.X_Start, bounds.max_x, e.scale))
            dotted({*x, view.top, *x, view.bottom}, clip, color);
        dotted({overviewX + mirrorAxisColumn, overview.top, overviewX + mirrorAxisColumn, overview.bottom}, clip, color);
    }
    if (mirrorsTopBottom(e.mirror)) {
        if (const auto y = viewEdge(mirrorAxisRow, e.Y_Start, bounds.max_y, e.scale))
            dotted({view.left, *y, view.right, *y}, clip, color);
        dotted({overview.left, overviewY + mirrorAxisRow, overview.right, overviewY + mirrorAxisRow}, clip, color);
    }
}

std::optional<Cell> snapMark(const Editor& e) {
    if (e.mode != lineMode || !e.snap || !onCanvas(e.rmouseX, e.rmouseY)) return std::nullopt;
    const Cell c = cursorCellOf(e);
    // An end or point at the cursor cell itself, and shown.
    return nearestEnd(e.picture.tables(), c.x + 0.5, c.y + 0.5, 0.0, shownCells(e));
}

// At the small scales the whole cell, as the cursor; larger, its edge, so
// that the end under it still shows.
void drawSnapMark(const Editor& e, Cell mark) {
    const int s = e.scale;
    const PixelBox cell = {(mark.x - e.X_Start) * s, (mark.y - e.Y_Start) * s, (mark.x - e.X_Start + 1) * s - 1,
                           (mark.y - e.Y_Start + 1) * s - 1};
    const PixelBox view = {0, 0, viewWidth - 1, viewHeight - 1};
    if (s < 3) return fillBox(clipped(cell, view), red);
    fillBox(clipped({cell.left, cell.top, cell.right, cell.top}, view), red);
    fillBox(clipped({cell.left, cell.bottom, cell.right, cell.bottom}, view), red);
    fillBox(clipped({cell.left, cell.top, cell.left, cell.bottom}, view), red);
    fillBox(clipped({cell.right, cell.top, cell.right, cell.bottom}, view), red);
}
