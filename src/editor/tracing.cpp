// tracing.cpp - choosing, remembering and painting the image traced over.
//
// The view is painted with the image only when it is cleared (clearWindow,
// clearView); between clears, stale cells are painted over cell by cell in
// the colour under them. The overview's backdrop is refilled every pass, so
// the image's cells are copied there every pass from pixels made once per
// image and background colour.
#include "tracing.h"

#include <algorithm>

#include "endsignals.h"
#include "keypress.h"
#include "promptline.h"
#include "state.h"
#include "surface.h"
#include "tracememory.h"
#include "view.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
constexpr char tracePrompt[] = "Image to trace (PNG or BMP): ";
// The answer fits the prompt line's row after the prompt, 8-pixel cells across the window.
constexpr int answerLength = viewWidth / 8 - static_cast<int>(sizeof tracePrompt - 1);

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

void remember(const Editor& e) {
    const WriteInProgress writing;
    const std::optional<FileFailure> failed =
        rememberTrace(keptStoreForWorkingFolder(), {e.trace.path, e.trace.shown});
    const std::string text = "Cannot remember the traced image";
    if (failed) reportMessage(text, text + ": " + failed->path + ": " + failed->reason);
}

// Reads the image at `path` as the one traced over; on failure returns why,
// and nothing changes.
std::string chooseTrace(Editor& e, const std::string& path, bool shown) {
    TraceRead read = readTraceImage(path);
    if (!read.image) return read.reason;
    e.trace.path = path;
    e.trace.shown = shown;
    e.trace.image = std::make_shared<const TraceImage>(std::move(*read.image));
    return "";
}

// After any clear, or the message would be wiped at once.
void reportTraceFailure(const std::string& path, const std::string& reason) {
    reportMessage(FileMessage().text("Cannot trace ").name(path).reason(reason));
}

void showOrHide(Editor& e, bool shown) {
    e.trace.shown = shown;
    clearWindow(e);
    remember(e);
}

void traceCommand(Editor& e) {
    char answer[answerLength + 1] = {};
    const bool answered =
        getStringOrCancel(answer, answerLength, tracePrompt, promptLineX, promptLineY, white, true, black);
    showMessage("");  // the prompt goes; a report may follow
    if (!answered) return;
    if (answer[0] == '\0') {
        if (e.trace.image && e.trace.shown) showOrHide(e, false);
        return;
    }
    if (const std::string reason = chooseTrace(e, answer, true); !reason.empty())
        return reportTraceFailure(answer, reason);
    clearWindow(e);
    remember(e);
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

void traceKeys(Editor& e) {
    if (!keyPressed(SDLK_t)) return;
    if (!shiftHeld()) {
        traceCommand(e);
    } else if (e.trace.image) {
        showOrHide(e, !e.trace.shown);
    } else {
        showMessage("No image to trace: t chooses one");
    }
}

void startTracing(Editor& e, const std::string& commandLinePath) {
    TraceChoice wanted = {commandLinePath, true};
    if (commandLinePath.empty()) wanted = rememberedTrace(keptStoreForWorkingFolder()).value_or(TraceChoice{});
    if (wanted.path.empty()) return;
    const std::string reason = chooseTrace(e, wanted.path, wanted.shown);
    clearWindow(e);
    if (!reason.empty()) return reportTraceFailure(wanted.path, reason);
    if (!commandLinePath.empty()) remember(e);
}
