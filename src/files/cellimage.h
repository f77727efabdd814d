// cellimage.h - a picture flattened to one colour per canvas cell.
//
// The common source of the image files: pictureimage.h fills one from the
// picture tables, pngfile.h and svgfile.h encode it. It knows nothing of the tables.
//
//     CellImage image(256, 200, background);
//     image.at(x, y) = drawing;
#ifndef TESSARY_CELLIMAGE_H
#define TESSARY_CELLIMAGE_H

#include <vector>

#include "gfx.h"

struct CellImage {
    int width, height;
    ColorRGB background;          // the colour every cell starts in
    std::vector<ColorRGB> cells;  // row by row, from the top-left cell

    CellImage(int width, int height, ColorRGB background)
        : width(width), height(height), background(background),
          cells(static_cast<size_t>(width) * height, background) {}

    ColorRGB& at(int x, int y) { return cells[static_cast<size_t>(y) * width + x]; }
    ColorRGB at(int x, int y) const { return cells[static_cast<size_t>(y) * width + x]; }
};

#endif
