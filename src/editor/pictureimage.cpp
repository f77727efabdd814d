// pictureimage.cpp - rasterizing the picture tables into a cell image.
#include "pictureimage.h"

static bool pointOnCanvas(const PictureTables& t, int i) {
    return t.pixel_oc[i] && onCanvas(t.pixel[0][i], t.pixel[1][i]);
}

static bool lineOnCanvas(const PictureTables& t, int i) {
    return t.line_oc[i] && onCanvas(t.lines[0][i], t.lines[1][i]) && onCanvas(t.lines[2][i], t.lines[3][i]);
}

CellImage pictureImage(const PictureTables& tables, const ImageColors& colors) {
    CellImage image(Image_Width, Image_Height, colors.background);
    for (int i = 0; i < p_number; ++i) {
        if (pointOnCanvas(tables, i)) image.at(tables.pixel[0][i], tables.pixel[1][i]) = colors.drawing;
    }
    const ColorRGB lineColor = colors.separate ? separateLinesColor : colors.drawing;
    for (int i = 0; i < l_number; ++i) {
        if (!lineOnCanvas(tables, i)) continue;
        walkLine(tables.lines[0][i], tables.lines[1][i], tables.lines[2][i], tables.lines[3][i],
                 [&](int x, int y) { image.at(x, y) = lineColor; });
    }
    return image;
}
