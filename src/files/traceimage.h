// traceimage.h - an image to trace over, read from a PNG or BMP file and fitted
// to the canvas, one colour and coverage per cell.
//
// The image is fitted to the 256 x 200 canvas keeping its aspect ratio and
// centred; cells outside it have coverage 0. Each cell holds the average of the
// image pixels it covers (see TraceFitter for the exact rule), premultiplied by
// their opacity, so that the caller can blend it over any background colour:
//
//     const TraceRead read = readTraceImage("photo.png");
//     if (!read.image) print("Cannot trace photo.png: " + read.reason);
//     else shown = blendOver(read.image->at(x, y), background);
//
// Files are told apart by their first bytes, not their names. A PNG may have
// any colour type and bit depth and is read row by row (pass by pass when it is
// interlaced), so memory stays at one row of the image plus the canvas; a
// chunk whose length claims more than the file holds is refused as soon as
// that length is read. A BMP is decoded by SDL as the layer's loadBMP does
// it, 3 or 4 bytes per pixel only, once its headers show that the file holds
// the rows they claim; SDL holds it whole while it is fitted. A big image
// takes seconds: a reading on a thread of its own can report how far it is
// and be cancelled (TraceProgress).
#ifndef TESSARY_TRACEIMAGE_H
#define TESSARY_TRACEIMAGE_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gfx.h"
#include "tables.h"

// One canvas cell of the fitted image: the average of the pixels it covers,
// colour premultiplied by opacity, and the average opacity (0: nothing covers
// the cell, or only fully transparent pixels; 255: fully opaque pixels).
struct TraceCell {
    std::uint8_t r = 0, g = 0, b = 0, coverage = 0;
};

// The part of the canvas an image of width x height pixels is fitted to:
// `width` x `height` cells from cell (left, top).
struct TraceFit {
    int left, top, width, height;
};

// The fitted image, row by row from the top-left cell, and where it lies.
struct TraceImage {
    std::vector<TraceCell> cells = std::vector<TraceCell>(static_cast<size_t>(Image_Width) * Image_Height);
    TraceFit fit = {0, 0, Image_Width, Image_Height};

    TraceCell& at(int x, int y) { return cells[static_cast<size_t>(y) * Image_Width + x]; }
    const TraceCell& at(int x, int y) const { return cells[static_cast<size_t>(y) * Image_Width + x]; }
};

// The cell's colour over `background`: the pixels' colours blended over it by
// their opacity, averaged.
ColorRGB blendOver(const TraceCell& cell, ColorRGB background);

// Keeps the aspect ratio: the side that limits fills the canvas, the other is
// rounded to the nearest whole cell (at least 1), and the rest is split evenly
// on both sides (the odd cell, if any, right or below).
TraceFit fitToCanvas(long long width, long long height);

// Averages the pixels of an image of width x height pixels into the cells of
// its fit. Along each axis separately:
// - when the image has at least as many pixels as the fit has cells, pixel p
//   belongs to cell floor(p * cells / pixels): each cell averages the whole
//   pixels whose left (top) edge lies in it, at least one;
// - when it has fewer, each cell takes the one pixel its centre lies in,
//   pixel floor((2c + 1) * pixels / (2 * cells)).
// Pixels may arrive in any order, each once (an interlaced PNG gives them pass
// by pass); the averages are rounded to the nearest whole value at the end.
class TraceFitter {
public:
    TraceFitter(int width, int height);
    // Pixels of row y as r, g, b bytes, and a when `channels` is 4 (3: opaque):
    // `count` of them, at columns firstColumn, firstColumn + step, ...
    void addPixels(int y, int firstColumn, int step, const std::uint8_t* pixels, int channels, int count);
    TraceImage finish() const;

private:
    // The cells one pixel coordinate of an axis goes to: first..last, none when first > last.
    struct CellRange {
        int first, last;
    };
    static std::vector<CellRange> axisCells(int pixels, int cells, int offset);

    template <int channels>
    void sumRow(int firstColumn, int step, const std::uint8_t* pixels, int count);
    template <int channels>
    void sumRuns(int firstColumn, int step, const std::uint8_t* pixels, int count);

    // Sums of colour times opacity, opacity and pixels: for one row of the
    // image per cell column (a few hundred pixels at most, so 32 bits hold
    // them), and for the whole image per cell.
    template <typename Count>
    struct Sum {
        Count r = 0, g = 0, b = 0, a = 0, count = 0;
    };
    TraceFit fit;
    std::vector<CellRange> columnCells, rowCells;
    bool shrinking = false;  // at least as many pixels as cells across
    std::vector<Sum<std::uint32_t>> rowSums;  // one per canvas column
    std::vector<Sum<std::uint64_t>> sums;     // one per canvas cell, row by row
};

// The largest image read: larger ones are refused before any pixel is read.
constexpr long long traceMaxSide = 65535;
constexpr long long traceMaxPixels = 16384LL * 16384;

// The fitted image, or why there is none (the system's wording where it has
// one), and the size of the image in the file, in pixels, once its header is read.
struct TraceRead {
    std::optional<TraceImage> image;
    std::string reason;
    long long width = 0, height = 0;
};

// Shared with whoever waits for a reading on another thread: the reading
// checks `cancelled` before each row it fits or reads and as it reads the
// file's bytes (a PNG's chunks before its rows, a BMP's rows as SDL decodes
// them), and stops with the reason traceCancelled, freeing what it took;
// `moved`, when set, is called on the reading's thread with each new whole
// percent of the rows done.
struct TraceProgress {
    std::atomic<bool> cancelled{false};
    std::function<void(int percent)> moved;
};
constexpr char traceCancelled[] = "cancelled";

TraceRead readTraceImage(const std::string& path, TraceProgress* progress = nullptr);

#endif
