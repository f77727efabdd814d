// frame.cpp - the frame step: the region that changed, and the frame's elements
// drawn within it.
#include "frame.h"

#include <algorithm>

#include "panel.h"
#include "selection.h"
#include "surface.h"
#include "view.h"

namespace {

// More changed entries than this draw the whole frame: a load or an undo
// changes most of the picture anyway.
constexpr int mostEntriesRedrawnInPart = 32;

struct PixelRect {
    int left, top, right, bottom;  // empty when left > right or top > bottom
};

PixelRect intersect(PixelRect a, PixelRect b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool isEmpty(PixelRect r) { return r.left > r.right || r.top > r.bottom; }

// The pixels of the view area that the cells of `box` cover, where shown.
PixelRect viewPixels(const Editor& e, CellBox box) {
    const auto edge = [&](int cell, int start) {
        const long long pixel = (static_cast<long long>(cell) - start) * e.scale;
        return static_cast<int>(std::clamp(pixel, -1LL, static_cast<long long>(viewWidth)));
    };
    const PixelRect cells = {edge(box.x1, e.X_Start), edge(box.y1, e.Y_Start), edge(box.x2 + 1, e.X_Start) - 1,
                             edge(box.y2 + 1, e.Y_Start) - 1};
    return intersect(cells, {0, 0, viewWidth - 1, viewHeight - 1});
}

PixelRect overviewPixels(CellBox box) {
    return {overviewX + box.x1, overviewY + box.y1, overviewX + box.x2, overviewY + box.y2};
}

void addRect(SurfaceRegion& region, PixelRect r) {
    if (!isEmpty(r)) region.add(r.left, r.top, r.right, r.bottom);
}

// A changed entry's cells, in the view and in the overview.
void addCells(const Editor& e, CellBox box, SurfaceRegion& region) {
    addRect(region, viewPixels(e, box));
    addRect(region, overviewPixels(box));
}

CellBox lineBox(const PictureTables& t, int i) {
    const auto& l = t.lines;
    return {std::min(l[0][i], l[2][i]), std::min(l[1][i], l[3][i]), std::max(l[0][i], l[2][i]),
            std::max(l[1][i], l[3][i])};
}

bool viewMoved(const ShownFrame& shown, const Editor& e) {
    return shown.scale != e.scale || shown.X_Start != e.X_Start || shown.Y_Start != e.Y_Start ||
           shown.separate != e.separate || shown.background != e.Background_Color || shown.draw != e.Draw_Color;
}

// Where the frame may differ from the window: the damage since the last frame
// and every drawn value that changed. Brings the picture's coverage up to date.
SurfaceRegion frameChanges(const Editor& e, ShownFrame& shown) {
    SurfaceRegion region = takeDamage();
    const int entries = shown.coverage.follow(shown.picture, e.picture.tables(),
                                              [&](CellBox box) { addCells(e, box, region); });
    if (!shown.drawn || viewMoved(shown, e) || entries > mostEntriesRedrawnInPart) {
        region.whole = true;
        return region;
    }
    const int highlighted = selectedLine(e);
    if (highlighted != shown.highlighted) {
        if (shown.highlighted >= 0) addRect(region, viewPixels(e, lineBox(shown.picture, shown.highlighted)));
        if (highlighted >= 0) addRect(region, viewPixels(e, lineBox(e.picture.tables(), highlighted)));
    }
    panelRowsChanged(e, shown.panel, region);
    return region;
}

// Stores `colors[kind]` into the `count` pixels from `at` whose kinds are not none.
void storeKinds(Uint32* at, const uint8_t* kinds, int count, const Uint32 (&colors)[3]) {
    for (int i = 0; i < count; ++i) {
        if (kinds[i] != Coverage::none) at[i] = colors[kinds[i]];
    }
}

void kindColors(const Editor& e, Uint32 (&colors)[3]) {
    colors[Coverage::none] = 0;
    colors[Coverage::point] = mapColor(e.Draw_Color);
    colors[Coverage::line] = mapColor(e.separate == 0 ? e.Draw_Color : separateLinesColor);
}

// The magnified picture within `clip`: the cells shown, each scale x scale pixels.
void drawViewCells(const Editor& e, const Coverage& coverage, PixelRect clip) {
    const ViewBounds bounds = viewBounds(e);
    const long long s = e.scale;
    const long long shownRight = std::min((bounds.max_x - static_cast<long long>(e.X_Start)) * s, 640LL) - 1;
    const long long shownBottom = std::min((bounds.max_y - static_cast<long long>(e.Y_Start)) * s, 400LL) - 1;
    const PixelRect r = intersect(clip, {0, 0, static_cast<int>(shownRight), static_cast<int>(shownBottom)});
    if (isEmpty(r)) return;
    markDrawn(r.left, r.top, r.right, r.bottom);
    Uint32 colors[3];
    kindColors(e, colors);
    uint8_t kinds[viewWidth];
    const int width = r.right - r.left + 1;
    for (int cy = r.top / e.scale; cy <= r.bottom / e.scale; ++cy) {
        const uint8_t* cells = coverage.row(cy + e.Y_Start);
        for (int x = r.left; x <= r.right; ++x) kinds[x - r.left] = cells[x / e.scale + e.X_Start];
        const int top = std::max(r.top, cy * e.scale), bottom = std::min(r.bottom, cy * e.scale + e.scale - 1);
        for (int y = top; y <= bottom; ++y) storeKinds(pixelAddress(r.left, y), kinds, width, colors);
    }
}

// The overview's backdrop and picture within `clip`.
void drawOverviewCells(const Editor& e, const Coverage& coverage, PixelRect clip) {
    const PixelRect backdrop = intersect(clip, {backdropLeft, backdropTop, backdropRight, backdropBottom});
    if (!isEmpty(backdrop)) drawRect(backdrop.left, backdrop.top, backdrop.right, backdrop.bottom, e.Background_Color);
    const PixelRect r = intersect(clip, overviewPixels({0, 0, Image_Width - 1, Image_Height - 1}));
    if (isEmpty(r)) return;
    markDrawn(r.left, r.top, r.right, r.bottom);
    Uint32 colors[3];
    kindColors(e, colors);
    for (int y = r.top; y <= r.bottom; ++y) {
        storeKinds(pixelAddress(r.left, y), coverage.row(y - overviewY) + (r.left - overviewX), r.right - r.left + 1,
                   colors);
    }
}

// The full drawing's elements, in its order, within `region`.
void drawWithin(const Editor& e, const Coverage& coverage, const SurfaceRegion& region) {
    region.eachRect([&](int l, int t, int r, int b) { drawViewCells(e, coverage, {l, t, r, b}); });
    const int highlighted = selectedLine(e);
    if (highlighted >= 0) {
        const PixelRect line = viewPixels(e, lineBox(e.picture.tables(), highlighted));
        if (!isEmpty(line) && region.touches(line.left, line.top, line.right, line.bottom)) highlightSelection(e);
    }
    region.eachRect([&](int l, int t, int r, int b) { drawOverviewCells(e, coverage, {l, t, r, b}); });
    const ViewFrame frame = viewFrame(e);
    if (region.touches(frame.left, frame.top, frame.right, frame.bottom)) drawViewFrame(e);
    drawPanelWithin(e, region);
}

void remember(const Editor& e, ShownFrame& shown) {
    shown.drawn = true;
    shown.scale = e.scale;
    shown.X_Start = e.X_Start;
    shown.Y_Start = e.Y_Start;
    shown.separate = e.separate;
    shown.background = e.Background_Color;
    shown.draw = e.Draw_Color;
    shown.picture = e.picture.tables();
    shown.highlighted = selectedLine(e);
    shown.panel = panelValues(e);
}

}  // namespace

void drawFrame(Editor& e) {
    const SurfaceRegion region = frameChanges(e, e.shown);
    drawWithin(e, e.shown.coverage, region);
    remember(e, e.shown);
    takeDamage();  // the frame's own drawing is what it shows
}
