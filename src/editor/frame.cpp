// frame.cpp - the frame step: the region that changed, and the frame's elements
// drawn within it.
#include "frame.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "aids.h"
#include "colorunder.h"
#include "groupmode.h"
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

// The cells of a group's entries in `t`, if it has any in use: the box around them.
std::optional<CellBox> groupCells(const PictureTables& t, const Group& g) {
    if (g.empty()) return std::nullopt;  // outside group mode, on every pass
    const Group inUse = entriesInUse(t, g);
    if (inUse.empty()) return std::nullopt;
    return groupBounds(t, inUse);
}

// The onion skin's cells while it shows; null otherwise.
std::shared_ptr<const Coverage> shownOnion(const Editor& e) { return e.onion.shown ? e.onion.cells : nullptr; }

bool viewMoved(const ShownFrame& shown, const Editor& e) {
    return shown.scale != e.scale || shown.X_Start != e.X_Start || shown.Y_Start != e.Y_Start ||
           shown.separate != e.separate || shown.background != e.Background_Color || shown.draw != e.Draw_Color ||
           shown.mirror != e.mirror;
}

// The view pixels of the snapped cursor's cell, if any.
std::optional<PixelRect> snapMarkPixels(const Editor& e, const std::optional<Cell>& mark) {
    if (!mark) return std::nullopt;
    return viewPixels(e, {mark->x, mark->y, mark->x, mark->y});
}

// The snapped cursor, looked for only where the picture covers the cursor cell
// (the coverage being up to date), so that most passes search no table.
std::optional<Cell> snapMarkNow(const Editor& e, const Coverage& coverage) {
    if (!onCanvas(e.rmouseX, e.rmouseY) || coverage.row(e.rmouseY)[e.rmouseX] == Coverage::none) return std::nullopt;
    return snapMark(e);
}

// Where the frame may differ from the window: the damage since the last frame
// and every drawn value that changed. Brings the picture's coverage and the
// snapped cursor up to date.
SurfaceRegion frameChanges(const Editor& e, ShownFrame& shown) {
    SurfaceRegion region = takeDamage();
    const bool allOfIt = !shown.drawn || viewMoved(shown, e) || shown.onion != shownOnion(e);
    const int entries = shown.coverage.follow(shown.picture, e.picture.tables(), [&](CellBox box) {
        if (!allOfIt) addCells(e, box, region);
    });
    const std::optional<Cell> mark = snapMarkNow(e, shown.coverage);
    if (mark != shown.snapMark) {
        for (const auto& pixels : {snapMarkPixels(e, shown.snapMark), snapMarkPixels(e, mark)})
            if (pixels) addRect(region, *pixels);
        shown.snapMark = mark;
    }
    if (allOfIt || entries > mostEntriesRedrawnInPart) {
        region.whole = true;
        return region;
    }
    const int highlighted = selectedLine(e);
    if (highlighted != shown.highlighted) {
        if (shown.highlighted >= 0) addRect(region, viewPixels(e, lineCells(shown.picture, shown.highlighted)));
        if (highlighted >= 0) addRect(region, viewPixels(e, lineCells(e.picture.tables(), highlighted)));
    }
    const Group group = selectedGroup(e);
    if (!(group == shown.group)) {
        if (const auto was = groupCells(shown.picture, shown.group)) addCells(e, *was, region);
        if (const auto is = groupCells(e.picture.tables(), group)) addCells(e, *is, region);
    }
    panelRowsChanged(e, shown.panel, region);
    return region;
}

// A row of pixels to store over the surface's: where `keep` is all ones the
// surface keeps its pixel (no cell drawn there), elsewhere it takes `value`.
// Branch-free, so that the compiler stores several pixels at a time.
struct PixelRow {
    Uint32 value[viewWidth];
    Uint32 keep[viewWidth];
};

// The kinds of cells first..last of `cells`, each repeated `scale` times from
// kinds[0]. The small scales, where the picture takes most cells, repeat
// without a loop per cell.
template <int scale>
void repeatKinds(const uint8_t* cells, int first, int last, uint8_t* kinds) {
    for (int c = first; c <= last; ++c)
        for (int k = 0; k < scale; ++k) kinds[(c - first) * scale + k] = cells[c];
}

void repeatKinds(const uint8_t* cells, int first, int last, int scale, uint8_t* kinds) {
    switch (scale) {
    case 1: return repeatKinds<1>(cells, first, last, kinds);
    case 2: return repeatKinds<2>(cells, first, last, kinds);
    case 3: return repeatKinds<3>(cells, first, last, kinds);
    default:
        for (int c = first; c <= last; ++c) std::fill_n(kinds + static_cast<size_t>(c - first) * scale, scale, cells[c]);
    }
}

// One pixel per cell, written as selects so that the compiler takes several at a time.
void setCellPixels(PixelRow& row, const uint8_t* kinds, int count, const Uint32 (&colors)[3]) {
    const Uint32 point = colors[Coverage::point], line = colors[Coverage::line];
    for (int i = 0; i < count; ++i) {
        const uint8_t kind = kinds[i];
        row.value[i] = kind == Coverage::line ? line : kind == Coverage::point ? point : 0;
        row.keep[i] = kind == Coverage::none ? ~Uint32{0} : 0;
    }
}

void storeRow(Uint32* at, const PixelRow& row, int count) {
    for (int i = 0; i < count; ++i) at[i] = (at[i] & row.keep[i]) | row.value[i];
}

// A run of pixels of one row that take one value: columns left..right.
struct PixelRun {
    int left, right;
    Uint32 value;
};

// The runs of `count` pixels of a row whose kinds are `kinds`, leaving out
// those with no cell, which keep what the surface has.
void cellRuns(const uint8_t* kinds, int count, const Uint32 (&colors)[3], std::vector<PixelRun>& runs) {
    runs.clear();
    for (int i = 0; i < count;) {
        int end = i + 1;
        while (end < count && kinds[end] == kinds[i]) ++end;
        if (kinds[i] != Coverage::none) runs.push_back({i, end - 1, colors[kinds[i]]});
        i = end;
    }
}

void kindColors(const Editor& e, Uint32 (&colors)[3]) {
    colors[Coverage::none] = 0;
    colors[Coverage::point] = mapColor(e.Draw_Color);
    colors[Coverage::line] = mapColor(e.separate == 0 ? e.Draw_Color : separateLinesColor);
}

// The magnified picture within `clip`: the cells shown, each scale x scale
// pixels. A row of cells is turned into runs once and stored as runs into
// each of its pixel rows: only the pixels of cells are written, none read.
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
    const int width = r.right - r.left + 1;
    // Whole cells from the one at r.left to the one at r.right.
    std::vector<uint8_t> kinds(static_cast<size_t>(r.right / e.scale - r.left / e.scale + 1) * e.scale);
    std::vector<PixelRun> runs;
    for (int cy = r.top / e.scale; cy <= r.bottom / e.scale; ++cy) {
        const uint8_t* cells = coverage.row(cy + e.Y_Start);
        const int firstCell = r.left / e.scale, lastCell = r.right / e.scale;
        repeatKinds(cells + e.X_Start, firstCell, lastCell, e.scale, kinds.data());
        cellRuns(kinds.data() + (r.left - firstCell * e.scale), width, colors, runs);
        const int top = std::max(r.top, cy * e.scale), bottom = std::min(r.bottom, cy * e.scale + e.scale - 1);
        for (int y = top; y <= bottom; ++y) {
            Uint32* const at = pixelAddress(r.left, y);
            for (const PixelRun& run : runs) std::fill(at + run.left, at + run.right + 1, run.value);
        }
    }
}

void fillWithin(PixelRect clip, PixelRect area, ColorRGB color) {
    const PixelRect r = intersect(clip, area);
    if (!isEmpty(r)) drawRect(r.left, r.top, r.right, r.bottom, color);
}

// The overview's backdrop and picture within `clip`. Where the picture lies on
// the backdrop each pixel is either a cell or the backdrop, so it is stored
// once; left of the backdrop a pixel with no cell keeps what it had. With an
// image traced or the onion skin shown, a pixel with no cell takes the colour
// under it instead, on the backdrop or not (colorunder.h).
void drawOverviewCells(const Editor& e, const Coverage& coverage, PixelRect clip) {
    const PixelRect picture = overviewPixels({0, 0, Image_Width - 1, Image_Height - 1});
    fillWithin(clip, {backdropLeft, backdropTop, backdropRight, picture.top - 1}, e.Background_Color);
    fillWithin(clip, {picture.right + 1, picture.top, backdropRight, picture.bottom}, e.Background_Color);
    fillWithin(clip, {backdropLeft, picture.bottom + 1, backdropRight, backdropBottom}, e.Background_Color);
    const PixelRect r = intersect(clip, picture);
    if (isEmpty(r)) return;
    markDrawn(r.left, r.top, r.right, r.bottom);
    Uint32 colors[3];
    kindColors(e, colors);
    const Uint32 backdrop = mapColor(e.Background_Color);
    PixelRow row;
    const int width = r.right - r.left + 1;
    for (int y = r.top; y <= r.bottom; ++y) {
        setCellPixels(row, coverage.row(y - overviewY) + (r.left - overviewX), width, colors);
        const Uint32* under = underOverviewRow(e, y - overviewY);
        for (int x = under ? r.left : std::max(r.left, backdropLeft); x <= r.right; ++x) {
            Uint32& keep = row.keep[x - r.left];
            row.value[x - r.left] |= keep & (under ? under[x - overviewX] : backdrop);
            keep = 0;
        }
        storeRow(pixelAddress(r.left, y), row, width);
    }
}

// Whether the highlighted line has a cell within `region` in the view.
bool highlightTouched(const Editor& e, const SurfaceRegion& region) {
    const int i = selectedLine(e);
    if (i < 0) return false;
    const auto& l = e.picture.tables().lines;
    bool met = false;
    region.eachRect([&](int left, int top, int right, int bottom) {
        const PixelRect r = intersect({left, top, right, bottom}, {0, 0, viewWidth - 1, viewHeight - 1});
        met = met || (!isEmpty(r) && lineMeetsCells(l[0][i], l[1][i], l[2][i], l[3][i], r.left / e.scale + e.X_Start,
                                                    r.top / e.scale + e.Y_Start, r.right / e.scale + e.X_Start,
                                                    r.bottom / e.scale + e.Y_Start));
    });
    return met;
}

// Whether the box of group mode's group meets `region`, in the view or the overview.
bool groupTouched(const Editor& e, const SurfaceRegion& region) {
    const auto cells = groupCells(e.picture.tables(), selectedGroup(e));
    if (!cells) return false;
    const PixelRect view = viewPixels(e, *cells), overview = overviewPixels(*cells);
    return (!isEmpty(view) && region.touches(view.left, view.top, view.right, view.bottom)) ||
           region.touches(overview.left, overview.top, overview.right, overview.bottom);
}

// Whether the snapped cursor (as frameChanges found it) meets `region`.
bool snapMarkTouched(const Editor& e, const SurfaceRegion& region) {
    const auto pixels = snapMarkPixels(e, e.shown.snapMark);
    return pixels && !isEmpty(*pixels) && region.touches(pixels->left, pixels->top, pixels->right, pixels->bottom);
}

// The mirror's axes within `clip` and `area` (the view's or the overview's).
void drawAxesWithin(const Editor& e, PixelRect clip, PixelRect area) {
    const PixelRect r = intersect(clip, area);
    if (!isEmpty(r)) drawMirrorAxes(e, r.left, r.top, r.right, r.bottom);
}

const PixelRect viewArea = {0, 0, viewWidth - 1, viewHeight - 1};

// The full drawing's elements, in its order, within `region`.
void drawWithin(const Editor& e, const Coverage& coverage, const SurfaceRegion& region) {
    region.eachRect([&](int l, int t, int r, int b) { drawViewCells(e, coverage, {l, t, r, b}); });
    region.eachRect([&](int l, int t, int r, int b) { drawAxesWithin(e, {l, t, r, b}, viewArea); });
    if (highlightTouched(e, region)) highlightSelection(e);
    if (snapMarkTouched(e, region)) drawSnapMark(e, *e.shown.snapMark);
    region.eachRect([&](int l, int t, int r, int b) { drawOverviewCells(e, coverage, {l, t, r, b}); });
    const PixelRect overviewCanvas = overviewPixels({0, 0, Image_Width - 1, Image_Height - 1});
    region.eachRect([&](int l, int t, int r, int b) { drawAxesWithin(e, {l, t, r, b}, overviewCanvas); });
    const ViewFrame frame = viewFrame(e);
    if (region.touches(frame.left, frame.top, frame.right, frame.bottom)) drawViewFrame(e);
    if (groupTouched(e, region)) highlightGroup(e);
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
    shown.mirror = e.mirror;
    shown.onion = shownOnion(e);
    if (shown.picture != e.picture.tables()) shown.picture = e.picture.tables();
    shown.highlighted = selectedLine(e);
    shown.group = selectedGroup(e);
    shown.panel = panelValues(e);
    shown.panelEnds = shown.panel;
}

}  // namespace

void renderOverview(const Editor& e) {
    paintOverviewUnder(e, 0, 0, w - 1, h - 1);
    renderScaled(e.picture.tables(), 1, 0, 0, overviewX, overviewY, e.Draw_Color, 1, e.separate);
    drawAxesWithin(e, overviewPixels({0, 0, Image_Width - 1, Image_Height - 1}), {0, 0, w - 1, h - 1});
    drawViewFrame(e);
}

void renderFrame(const Editor& e) {
    renderView(e);
    drawAxesWithin(e, viewArea, viewArea);
    highlightSelection(e);
    if (const auto mark = snapMark(e)) drawSnapMark(e, *mark);
    renderOverview(e);
    highlightGroup(e);
}

void drawFrame(Editor& e) {
    const SurfaceRegion region = frameChanges(e, e.shown);
    drawWithin(e, e.shown.coverage, region);
    remember(e, e.shown);
    takeDamage();  // the frame's own drawing is what it shows
}
