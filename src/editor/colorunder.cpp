// colorunder.cpp - the background and the traced image under the picture.
//
// The view is painted with the image only when it is cleared (clearWindow,
// clearView); between clears, stale cells are painted over cell by cell in
// the colour under them. The overview's backdrop is refilled every pass, so
// the image's cells are copied there every pass from pixels made once per
// image and background colour.
#include "colorunder.h"

#include <algorithm>

#include "surface.h"
#include "view.h"

namespace {

// Halfway from the background towards the image's colour over it, rounded down.
ColorRGB halfway(const TraceCell& cell, ColorRGB background) {
    const ColorRGB over = blendOver(cell, background);
    return ColorRGB((over.r + background.r) / 2, (over.g + background.g) / 2, (over.b + background.b) / 2);
}

const std::vector<Uint32>& shownPixels(const Editor& e) {
    Tracing::Pixels& pixels = e.trace.pixels;
    if (pixels.image == e.trace.image && pixels.background == e.Background_Color && !pixels.values.empty())
        return pixels.values;
    pixels = {e.trace.image, e.Background_Color, std::vector<Uint32>(e.trace.image->cells.size())};
    std::transform(e.trace.image->cells.begin(), e.trace.image->cells.end(), pixels.values.begin(),
                   [&](const TraceCell& cell) { return mapColor(halfway(cell, e.Background_Color)); });
    return pixels.values;
}

// Paints the image's cells in the view, as pixelScaled would, straight from
// the shown pixels; the view was just cleared to the background colour, which
// cells the image does not cover keep. Every cell shown lies in the view area.
void paintTracedView(const Editor& e) {
    if (!tracingShown(e)) return;
    const ViewBounds bounds = viewBounds(e);
    const std::vector<Uint32>& pixels = shownPixels(e);
    for (int y = std::max(e.Y_Start, 0); y < bounds.max_y; ++y) {
        for (int x = std::max(e.X_Start, 0); x < bounds.max_x; ++x) {
            if (e.trace.image->at(x, y).coverage == 0) continue;
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

ColorRGB colorUnder(const Editor& e, int x, int y) {
    if (!tracingShown(e) || !onCanvas(x, y)) return e.Background_Color;
    return halfway(e.trace.image->at(x, y), e.Background_Color);
}

void paintUnderLine(const Editor& e, int x1, int y1, int x2, int y2) {
    const ViewBounds bounds = viewBounds(e);
    if (!tracingShown(e)) {
        lineScaled(x1, y1, x2, y2, e.Background_Color, e.scale, e.X_Start, e.Y_Start, 0, bounds);
        return;
    }
    if (!onSurface(x1, y1) || !onSurface(x2, y2)) return;  // as lineScaled refuses it
    walkLine(x1, y1, x2, y2, [&](int x, int y) {
        pixelScaled(e.scale, x, y, colorUnder(e, x, y), e.X_Start, e.Y_Start, 0, bounds);
    });
}

const Uint32* tracedOverviewRow(const Editor& e, int y) {
    return tracingShown(e) ? &shownPixels(e)[static_cast<size_t>(y) * Image_Width] : nullptr;
}

void clearWindow(const Editor& e) {
    cls(e.Background_Color);
    paintTracedView(e);
}

void clearView(const Editor& e) {
    drawRect(0, 0, viewWidth - 1, viewHeight - 1, e.Background_Color);
    paintTracedView(e);
}

void repaintUnder(const Editor& e) {
    clearView(e);
    markDrawn(overviewX, overviewY, overviewX + Image_Width - 1, overviewY + Image_Height - 1);
}

void paintOverviewUnder(const Editor& e, int left, int top, int right, int bottom) {
    const Rect clip = {left, top, right, bottom};
    const Rect backdrop = intersect(clip, {backdropLeft, backdropTop, backdropRight, backdropBottom});
    if (!tracingShown(e)) return fillRect(backdrop, e.Background_Color);
    // The backdrop above, below, left and right of the canvas, then the canvas.
    const Rect canvas = {overviewX, overviewY, overviewX + Image_Width - 1, overviewY + Image_Height - 1};
    fillRect(intersect(backdrop, {backdropLeft, backdropTop, backdropRight, canvas.top - 1}), e.Background_Color);
    fillRect(intersect(backdrop, {backdropLeft, canvas.bottom + 1, backdropRight, backdropBottom}), e.Background_Color);
    fillRect(intersect(backdrop, {backdropLeft, canvas.top, canvas.left - 1, canvas.bottom}), e.Background_Color);
    fillRect(intersect(backdrop, {canvas.right + 1, canvas.top, backdropRight, canvas.bottom}), e.Background_Color);
    copyOverviewCells(e, intersect(clip, canvas));
}

