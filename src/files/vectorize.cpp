// vectorize.cpp - the image's ink on a fine grid, its outlines through Potrace and its centre lines.
#include "vectorize.h"

#include <potracelib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int inkWidth = Image_Width * inkScale;
constexpr int inkHeight = Image_Height * inkScale;

// The cell's luminance over white, 0..255: transparent is white.
int luminance(const TraceCell& cell) {
    const ColorRGB c = blendOver(cell, ColorRGB(255, 255, 255));
    return (299 * c.r + 587 * c.g + 114 * c.b + 500) / 1000;
}

// Otsu's threshold: the luminance t that best splits the histogram into
// [0, t] and (t, 255], by the variance between the two; -1 when it has a
// single value and nothing to split.
int otsuThreshold(const std::array<long long, 256>& histogram) {
    long long total = 0, sum = 0;
    for (int v = 0; v < 256; ++v) total += histogram[v], sum += v * histogram[v];
    long long below = 0, belowSum = 0;
    double best = 0;
    int threshold = -1;
    for (int t = 0; t < 255; ++t) {
        below += histogram[t];
        belowSum += t * histogram[t];
        const long long above = total - below;
        if (below == 0 || above == 0) continue;
        const double difference = static_cast<double>(belowSum) / below - static_cast<double>(sum - belowSum) / above;
        const double between = static_cast<double>(below) * above * difference * difference;
        if (between > best) best = between, threshold = t;
    }
    return threshold;
}

// Where fine pixel i of an axis samples the cells first..last: between the
// centres of cells `low` and low + 1, `weight` of the way.
struct Sample {
    int low, high;
    float weight;
};

std::vector<Sample> axisSamples(int first, int last) {
    std::vector<Sample> samples;
    for (int i = first * inkScale; i < (last + 1) * inkScale; ++i) {
        const double u = std::clamp((i + 0.5) / inkScale - 0.5, static_cast<double>(first), static_cast<double>(last));
        const int low = std::min(static_cast<int>(u), last);
        samples.push_back({low, std::min(low + 1, last), static_cast<float>(u - low)});
    }
    return samples;
}

// --- outlines ---------------------------------------------------------------

using PotraceState = std::unique_ptr<potrace_state_t, void (*)(potrace_state_t*)>;
using PotraceParam = std::unique_ptr<potrace_param_t, void (*)(potrace_param_t*)>;

std::vector<potrace_word> potraceWords(const InkBitmap& ink, int& wordsPerRow) {
    constexpr int bits = 8 * sizeof(potrace_word);
    wordsPerRow = (ink.width + bits - 1) / bits;
    std::vector<potrace_word> words(static_cast<size_t>(wordsPerRow) * ink.height, 0);
    constexpr potrace_word top = potrace_word(1) << (bits - 1);
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x)
            if (ink.at(x, y)) words[static_cast<size_t>(y) * wordsPerRow + x / bits] |= top >> (x % bits);
    return words;
}

Spot onCanvas(potrace_dpoint_t p) { return {p.x / inkScale, p.y / inkScale}; }

// The curve flattened: a spot every half cell or so along each Bezier segment.
TracedPath flattened(const potrace_path_t& path) {
    const potrace_curve_t& curve = path.curve;
    TracedPath traced;
    traced.closed = true;
    traced.wholeShape = path.sign == '+';
    potrace_dpoint_t from = curve.c[curve.n - 1][2];
    for (int i = 0; i < curve.n; ++i) {
        const potrace_dpoint_t* c = curve.c[i];
        if (curve.tag[i] == POTRACE_CORNER) {
            traced.spots.push_back(onCanvas(c[1]));
            traced.spots.push_back(onCanvas(c[2]));
        } else {
            const double reach = std::hypot(c[0].x - from.x, c[0].y - from.y) +
                                 std::hypot(c[1].x - c[0].x, c[1].y - c[0].y) + std::hypot(c[2].x - c[1].x, c[2].y - c[1].y);
            const int steps = std::clamp(static_cast<int>(std::ceil(2 * reach / inkScale)), 2, 64);
            for (int k = 1; k <= steps; ++k) {
                const double t = static_cast<double>(k) / steps, u = 1 - t;
                const double a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
                traced.spots.push_back(onCanvas({a * from.x + b * c[0].x + d * c[1].x + e * c[2].x,
                                                 a * from.y + b * c[0].y + d * c[1].y + e * c[2].y}));
            }
        }
        from = c[2];
    }
    return traced;
}

struct ProgressShare {
    TraceProgress* progress;
    int from, to;  // the part of the whole this stage is, in percent
};

void tell(const ProgressShare& share, double done) {
    if (share.progress != nullptr && share.progress->moved)
        share.progress->moved(share.from + static_cast<int>(done * (share.to - share.from)));
}

void potraceMoved(double done, void* data) { tell(*static_cast<const ProgressShare*>(data), done); }

std::optional<std::vector<TracedPath>> outlines(const InkBitmap& ink, const ProgressShare& share) {
    int wordsPerRow = 0;
    std::vector<potrace_word> words = potraceWords(ink, wordsPerRow);
    potrace_bitmap_t bitmap = {ink.width, ink.height, wordsPerRow, words.data()};
    PotraceParam param(potrace_param_default(), potrace_param_free);
    if (!param) return std::nullopt;
    param->turdsize = inkScale * inkScale - 1;  // specks smaller than a cell
    param->alphamax = 0.6;                      // corners stay corners rather than rounding off
    param->progress.callback = potraceMoved;
    param->progress.data = const_cast<ProgressShare*>(&share);
    PotraceState state(potrace_trace(param.get(), &bitmap), potrace_state_free);
    if (!state || state->status != POTRACE_STATUS_OK) return std::nullopt;
    std::vector<TracedPath> paths;
    for (const potrace_path_t* path = state->plist; path != nullptr; path = path->next)
        if (path->curve.n > 0) paths.push_back(flattened(*path));
    return paths;
}

bool stopped(const TraceProgress* progress) { return progress != nullptr && progress->cancelled; }

std::string counted(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

InkBitmap inkOf(const TraceImage& image) {
    InkBitmap ink(inkWidth, inkHeight);
    const TraceFit& fit = image.fit;
    if (fit.width <= 0 || fit.height <= 0) return ink;
    std::vector<float> shade(image.cells.size(), 255);
    std::array<long long, 256> histogram{};
    for (int y = fit.top; y < fit.top + fit.height; ++y)
        for (int x = fit.left; x < fit.left + fit.width; ++x) {
            const int l = luminance(image.at(x, y));
            shade[static_cast<size_t>(y) * Image_Width + x] = static_cast<float>(l);
            ++histogram[l];
        }
    const int threshold = otsuThreshold(histogram);
    if (threshold < 0) return ink;
    const float inkBelow = threshold + 0.5f;
    const std::vector<Sample> across = axisSamples(fit.left, fit.left + fit.width - 1);
    const std::vector<Sample> down = axisSamples(fit.top, fit.top + fit.height - 1);
    std::vector<float> upper(across.size()), lower(across.size());
    for (size_t j = 0; j < down.size(); ++j) {
        const float* rowLow = &shade[static_cast<size_t>(down[j].low) * Image_Width];
        const float* rowHigh = &shade[static_cast<size_t>(down[j].high) * Image_Width];
        const float wy = down[j].weight;
        std::uint8_t* out = &ink.ink[(static_cast<size_t>(fit.top) * inkScale + j) * inkWidth + static_cast<size_t>(fit.left) * inkScale];
        for (size_t i = 0; i < across.size(); ++i) {
            const Sample& s = across[i];
            const float top = rowLow[s.low] + s.weight * (rowLow[s.high] - rowLow[s.low]);
            const float bottom = rowHigh[s.low] + s.weight * (rowHigh[s.high] - rowHigh[s.low]);
            out[i] = top + wy * (bottom - top) < inkBelow;
        }
    }
    return ink;
}

FoundLines findLines(const TraceImage& image, LineKind kind, const PictureTables& picture, TraceProgress* progress) {
    FoundLines found;
    InkBitmap ink = inkOf(image);
    tell({progress, 0, 10}, 1);
    if (stopped(progress)) return {{}, PlacedLines(), true};
    std::optional<std::vector<TracedPath>> paths;
    if (kind == LineKind::outlines) {
        paths = outlines(ink, {progress, 10, 80});
    } else {
        dropSpecks(ink, inkScale * inkScale);
        paths = centreStrokes(ink, inkScale, [progress](int percent) {
            tell({progress, 10, 80}, percent / 100.0);
            return !stopped(progress);
        });
    }
    if (stopped(progress)) return {{}, PlacedLines(), true};
    if (paths) found.paths = std::move(*paths);
    found.placed = placeOnCells(found.paths, picture);
    tell({progress, 80, 100}, 1);
    if (stopped(progress)) return {{}, PlacedLines(), true};
    return found;
}

std::string foundLinesReport(const PlacedLines& placed) {
    if (placed.lines.empty() && placed.points.empty()) return "No lines found in the image";
    const std::string lines = counted(placed.lines.size(), "line", "lines");
    if (placed.tolerance == placingTolerances[0]) {
        if (placed.points.empty()) return "Added " + lines + " from the image";
        return "Added " + lines + " and " + counted(placed.points.size(), "point", "points");
    }
    char tolerance[32];
    std::snprintf(tolerance, sizeof tolerance, "%g %s", placed.tolerance, placed.tolerance == 1 ? "cell" : "cells");
    if (placed.shapesLeftOut) return "Added " + std::to_string(placed.lines.size()) + " of the lines within " + tolerance;
    return "Added " + lines + " within " + tolerance;
}
