// pictureimage.cpp - rasterizing the picture tables into a cell image.
#include "pictureimage.h"

CellImage pictureImage(const PictureTables& tables, const ImageColors& colors) {
    CellImage image(Image_Width, Image_Height, colors.background);
    for (int i = 0; i < p_number; ++i) {
        if (tables.pixel_oc[i] && tables.pointOnCanvas(i)) image.at(tables.pixel[0][i], tables.pixel[1][i]) = colors.drawing;
    }
    const ColorRGB lineColor = colors.separate ? separateLinesColor : colors.drawing;
    for (int i = 0; i < l_number; ++i) {
        if (!tables.line_oc[i] || !tables.lineOnCanvas(i)) continue;
        walkLine(tables.lines[0][i], tables.lines[1][i], tables.lines[2][i], tables.lines[3][i],
                 [&](int x, int y) { image.at(x, y) = lineColor; });
    }
    return image;
}
