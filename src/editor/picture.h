// picture.h - the picture being edited: point and line tables and the palette.
//
// Both tables have 512 entries, each with an occupancy flag. An empty entry
// holds -1 in every coordinate, which lies off the canvas, so it is never drawn
// and never found at a cursor cell. Rows name coordinates: pixel[0] is x and
// pixel[1] is y; lines[0..3] are x1, y1, x2, y2. The counts of entries in use
// belong to the editor state; callers of the entry operations keep them.
#ifndef TESSARY_PICTURE_H
#define TESSARY_PICTURE_H

#include "gfx.h"

constexpr int p_number = 512;     // capacity of the point table
constexpr int l_number = 512;     // capacity of the line table
constexpr int Image_Width = 256;  // canvas width in cells
constexpr int Image_Height = 200; // canvas height in cells

extern int pixel[2][p_number];
extern bool pixel_oc[p_number];
extern int lines[4][l_number];
extern bool line_oc[l_number];

// Both tables and their counts as one value, for code that reads a picture
// without touching the editor's own.
struct PictureTables {
    int pixel[2][p_number]; bool pixel_oc[p_number];
    int lines[4][l_number]; bool line_oc[l_number];
    int pixels_Amount; int lines_amount;
};

// The 16-colour palette; the user's colour number n is entry n - 1.
constexpr int paletteSize = 16;
extern const ColorRGB Colors[paletteSize];

// Stores a point in the lowest free entry below `pa` (the count in use), or in
// entry `pa` when none is free. The caller guarantees pa < p_number.
void createPixel(int x, int y, int pa);
void emptyPixel(int position);
// The same for lines, with `la` the count of lines in use.
void createLine(int x1, int y1, int x2, int y2, int la);
void emptyLine(int pos);

// Empties every entry of both tables and sets both counts to 0.
void clearPicture(int& pixels_Amount, int& lines_amount);

// True for a cell of the 256 x 200 canvas.
inline bool onCanvas(int x, int y) { return x >= 0 && x < Image_Width && y >= 0 && y < Image_Height; }

#endif
