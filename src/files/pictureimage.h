// pictureimage.h - the picture as the overview shows it, one colour per cell.
//
// The cell image starts in the background colour; every point in use then takes
// the drawing colour, and every line in use the cells that the view's line walk
// visits, in the drawing colour or, while `separate` is on, in dark green. So a
// line covers a point where they share a cell. Entries with a coordinate off the
// canvas are not drawn, as on screen.
#ifndef TESSARY_PICTUREIMAGE_H
#define TESSARY_PICTUREIMAGE_H

#include "cellimage.h"
#include "picture.h"

struct ImageColors {
    ColorRGB background;
    ColorRGB drawing;
    bool separate;
};

CellImage pictureImage(const PictureTables& tables, const ImageColors& colors);

#endif
