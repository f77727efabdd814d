// colorunder.cpp - the background, the traced image and the onion skin under
// the picture.
//
// The view is painted with what lies under the picture only when it is
// cleared (clearWindow, clearView); between clears, stale cells are painted
// over cell by cell in the colour under them. The overview's backdrop is
// refilled every pass, so the cells under the picture are copied there every
// pass from pixels made once per image, onion skin and colours.
#include "colorunder.h"

#include <algorithm>

#include "surface.h"
#include "view.h"

namespace {

// Halfway from the background towards `color`, rounded down.
ColorRGB halfway(ColorRGB color, ColorRGB background) {
    return ColorRGB((color.r + background.r) / 2, (color.g + background.g) / 2, (color.b + background.b) / 2);
}

// The onion skin's cells while it is shown; null otherwise.
const Coverage* onionCells(const Editor& e) { return e.onion.shown ? e.onion.cells.get() : nullptr; }

// The colour under cell (x, y) of the canvas, with something under the picture.
ColorRGB underCell(const Editor& e, const Coverage* onion, int x, int y) {
    if (onion && onion->row(y)[x] != Coverage::none) return halfway(e.Draw_Color, e.Background_Color);
    if (!tracingShown(e)) return e.Background_Color;
    return halfway(blendOver(e.trace.image->at(x, y), e.Background_Color), e.Background_Color);
}

const std::vector<Uint32>& shownPixels(const Editor& e) {
    Tracing::Pixels& pixels = e.trace.pixels;
    const std::shared_ptr<const TraceImage> image = tracingShown(e) ? e.trace.image : nullptr;
    const std::shared_ptr<const Coverage> onion = onionCells(e) ? e.onion.cells : nullptr;
    if (pixels.image == image && pixels.onion == onion && pixels.background == e.Background_Color &&
        pixels.draw == e.Draw_Color && !pixels.values.empty())
        return pixels.values;
    pixels = {image, onion, e.Background_Color, e.Draw_Color,
              std::vector<Uint32>(static_cast<size_t>(Image_Width) * Image_Height)};
    for (int y = 0; y < Image_Height; ++y)
        for (int x = 0; x < Image_Width; ++x)
            pixels.values[static_cast<size_t>(y) * Image_Width + x] = mapColor(underCell(e, onion.get(), x, y));
    return pixels.values;
}

// Paints the cells under the picture in the view, as pixelScaled would,
// straight from the shown pixels; the view was just cleared to the background
// colour, which the cells with nothing under the picture keep. Every cell
// shown lies in the view area.
void paintUnderView(const Editor& e) {
    if (!underShown(e)) return;
    const ViewBounds bounds = viewBounds(e);
    const std::vector<Uint32>& pixels = shownPixels(e);
    const Uint32 background = mapColor(e.Background_Color);
    for (int y = std::max(e.Y_Start, 0); y < bounds.max_y; ++y) {
        for (int x = std::max(e.X_Start, 0); x < bounds.max_x; ++x) {
            if (pixels[static_cast<size_t>(y) * Image_Width + x] == background) continue;
            const long long left = static_cast<long long>(x - e.X_Start) * e.scale;
            const long long top = static_cast<long long>(y - e.Y_Start) * e.scale;
            if (!blockOnSurface(left, top, e.scale, e.scale)) continue;
            fillBlock(pixelAddress(static_cast<int>(left), static_cast<int>(top)), e.scale, e.scale,
                      pixels[static_cast<size_t>(y) * Image_Width + x]);
        }
    }
    markDrawn(0, 0, viewWidth - 1, viewHeight - 1);
}

// A window rectangle; empty when left > right or top > bottom.
struct Rect {
    int left, top, right, bottom;
};

Rect intersect(Rect a, Rect b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

void fillRect(Rect r, ColorRGB color) {
    if (r.left <= r.right && r.top <= r.bottom) drawRect(r.left, r.top, r.right, r.bottom, color);
}

// The overview's canvas cells within `r`, which lies in the canvas, in their shown pixels.
void copyOverviewCells(const Editor& e, Rect r) {
    if (r.left > r.right || r.top > r.bottom) return;
    const std::vector<Uint32>& pixels = shownPixels(e);
    for (int y = r.top; y <= r.bottom; ++y) {
        const size_t first = static_cast<size_t>(y - overviewY) * Image_Width + (r.left - overviewX);
        std::copy_n(&pixels[first], r.right - r.left + 1, pixelAddress(r.left, y));
    }
    markDrawn(r.left, r.top, r.right, r.bottom);
}

}  // namespace

bool tracingShown(const Editor& e) { return e.trace.shown && e.trace.image; }

bool underShown(const Editor& e) { return tracingShown(e) || onionCells(e); }

ColorRGB colorUnder(const Editor& e, int x, int y) {
    if (!underShown(e) || !onCanvas(x, y)) return e.Background_Color;
    return underCell(e, onionCells(e), x, y);
}

void paintUnderLine(const Editor& e, int x1, int y1, int x2, int y2) {
    const ViewBounds bounds = viewBounds(e);
    if (!underShown(e)) {
        lineScaled(x1, y1, x2, y2, e.Background_Color, e.scale, e.X_Start, e.Y_Start, 0, bounds);
        return;
    }
    if (!onSurface(x1, y1) || !onSurface(x2, y2)) return;  // as lineScaled refuses it
    walkLine(x1, y1, x2, y2, [&](int x, int y) {
        pixelScaled(e.scale, x, y, colorUnder(e, x, y), e.X_Start, e.Y_Start, 0, bounds);
    });
}

const Uint32* underOverviewRow(const Editor& e, int y) {
    return underShown(e) ? &shownPixels(e)[static_cast<size_t>(y) * Image_Width] : nullptr;
}

void clearWindow(const Editor& e) {
    cls(e.Background_Color);
    paintUnderView(e);
}

void clearView(const Editor& e) {
    drawRect(0, 0, viewWidth - 1, viewHeight - 1, e.Background_Color);
    paintUnderView(e);
}

void repaintUnder(const Editor& e) {
    clearView(e);
    markDrawn(overviewX, overviewY, overviewX + Image_Width - 1, overviewY + Image_Height - 1);
}

void paintOverviewUnder(const Editor& e, int left, int top, int right, int bottom) {
    const Rect clip = {left, top, right, bottom};
    const Rect backdrop = intersect(clip, {backdropLeft, backdropTop, backdropRight, backdropBottom});
    if (!underShown(e)) return fillRect(backdrop, e.Background_Color);
    // The backdrop above, below, left and right of the canvas, then the canvas.
    const Rect canvas = {overviewX, overviewY, overviewX + Image_Width - 1, overviewY + Image_Height - 1};
    fillRect(intersect(backdrop, {backdropLeft, backdropTop, backdropRight, canvas.top - 1}), e.Background_Color);
    fillRect(intersect(backdrop, {backdropLeft, canvas.bottom + 1, backdropRight, backdropBottom}), e.Background_Color);
    fillRect(intersect(backdrop, {backdropLeft, canvas.top, canvas.left - 1, canvas.bottom}), e.Background_Color);
    fillRect(intersect(backdrop, {canvas.right + 1, canvas.top, backdropRight, canvas.bottom}), e.Background_Color);
    copyOverviewCells(e, intersect(clip, canvas));
}

