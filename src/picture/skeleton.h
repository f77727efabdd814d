// skeleton.h - centre lines of ink: the ink thinned to a skeleton one pixel
// wide, and the skeleton followed into strokes as a pen would draw them.
//
// The ink is a bitmap on a grid `scale` times finer than the cells. Specks
// smaller than a cell are dropped first (dropSpecks). centreStrokes then
// strips the ink layer by layer from the outside (Zhang and Suen's parallel
// thinning, 1984, visiting only the pixels next to what the last layer took)
// down to lines one pixel wide that keep every connection of the shape,
// straightens the corners of its staircases, and follows it: a stroke runs
// from an end or a junction to the next, open where the ink's stroke ends,
// and the strokes that meet at a junction all end on its centre; a loop
// with no junction is a closed stroke. A short spur that a bump of the edge
// leaves at a junction (shorter than the stroke is wide there) is pruned.
//
//     InkBitmap ink(1024, 800);  ink.set(x, y);  ...
//     dropSpecks(ink, scale * scale);
//     std::optional<std::vector<TracedPath>> strokes = centreStrokes(ink, scale, goOn);
#ifndef TESSARY_SKELETON_H
#define TESSARY_SKELETON_H

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "cellpaths.h"

// Ink pixels, row by row from the top-left.
struct InkBitmap {
    int width, height;
    std::vector<std::uint8_t> ink;  // 1: ink

    InkBitmap(int width, int height) : width(width), height(height), ink(static_cast<size_t>(width) * height, 0) {}
    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
    void set(int x, int y, bool value = true) { ink[static_cast<size_t>(y) * width + x] = value ? 1 : 0; }
};

// Clears every 8-connected piece of ink of fewer than minArea pixels.
void dropSpecks(InkBitmap& ink, int minArea);

// Told how far the work is, in percent; false stops it.
using GoOn = std::function<bool(int percent)>;

// The strokes of the ink's centre lines in canvas units (pixel x of the ink
// spans [x / scale, (x + 1) / scale)); nothing when goOn stopped the work.
std::optional<std::vector<TracedPath>> centreStrokes(const InkBitmap& ink, int scale, const GoOn& goOn);

#endif
