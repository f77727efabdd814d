// view.h - the view transform and the scaled rendering of the picture.
//
// The canvas is shown in the view area (window pixels 0..639 x 0..399) at
// `scale` window pixels per cell, with cell (X_Start, Y_Start) at the top-left
// corner; the same routines, offset and with the view-bound tests off, draw the
// overview at one pixel per cell from window pixel (317, 420).
//
// Typical use: map the mouse with cursorCell within viewBounds(e); renderFrame
// (frame.h) draws the view, the highlight and the overview in full with these
// routines. The pass draws them only where they changed, with renderFrame as
// its reference: an element drawn here joins that partial drawing in frame.cpp.
#ifndef TESSARY_VIEW_H
#define TESSARY_VIEW_H

#include "state.h"

// Exclusive bounds of the canvas columns and rows shown.
struct ViewBounds {
    int max_x, max_y;
};

constexpr int viewWidth = 640;   // the view area is the window's top 640 x 400 pixels
constexpr int viewHeight = 400;
constexpr int overviewX = 317;   // window pixel of the overview's canvas cell (0, 0)
constexpr int overviewY = 420;
// The overview's backdrop, refilled by every frame, in window pixels.
constexpr int backdropLeft = 320, backdropTop = 410, backdropRight = 639, backdropBottom = 639;

ViewBounds calcMax(int scale, int X_Start, int Y_Start);
// The bounds of the editor's current view.
inline ViewBounds viewBounds(const Editor& e) { return calcMax(e.scale, e.X_Start, e.Y_Start); }

// Window to canvas along one axis: the cell under window pixel `mouse`, limited
// from above to the last cell shown (`bound` - 1, with `bound` a ViewBounds field).
int cursorCell(int mouse, int scale, int start, int bound);

// Canvas to window: paints cell (xx, yy) as a scale x scale square. With the
// tests on, a cell outside the shown columns and rows (`bounds`) draws nothing;
// with `disable_Checks` nonzero only cells left of or above the origin are refused.
void pixelScaled(int scale, int xx, int yy, ColorRGB kolor, int X_Start, int Y_Start, int disable_Checks,
                 ViewBounds bounds);

// Draws the cells of the line from (x1, y1) to (x2, y2) with pixelScaled; false,
// drawing nothing, when an end lies off the window (so an empty entry's -1 never draws).
bool lineScaled(int x1, int y1, int x2, int y2, ColorRGB color, int scale, int X_Start, int Y_Start, int disable,
                ViewBounds bounds);

// Whether a cell of the line from (x1, y1) to (x2, y2), as lineScaled walks it,
// lies within columns left..right and rows top..bottom.
bool lineMeetsCells(int x1, int y1, int x2, int y2, int left, int top, int right, int bottom);

// Every point, then every line of `picture`, offset by (Draw_X, Draw_Y), within
// the bounds of that scale and origin; lines in dark green when `separate` is
// 1. Entries with a coordinate off the canvas (empty ones) are passed over.
void renderScaled(const PictureTables& picture, int scale, int X_Start, int Y_Start, int Draw_X, int Draw_Y,
                  ColorRGB kolor, int disable, int separate);

// Rectangle outline in window pixels: top, left, right, bottom.
void lineBox(int x1, int y1, int x2, int y2, ColorRGB kolor);

// The frame render of the pass, step by step: the magnified picture (the
// selected line in red is selection.h's, the overview over what lies under it
// frame.h's).
void renderView(const Editor& e);

// The overview's red frame around the cells the view shows, in window pixels
// (an overflowing Y_Start puts it off the window, where lineBox refuses it).
struct ViewFrame {
    int left, top, right, bottom;
};
ViewFrame viewFrame(const Editor& e);
void drawViewFrame(const Editor& e);

#endif
