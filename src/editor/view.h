// view.h - the view transform and the scaled rendering of the picture.
//
// The canvas is shown in the view area (window pixels 0..639 x 0..399) at
// `scale` window pixels per cell, with cell (X_Start, Y_Start) at the top-left
// corner; the same routines, offset and with the view-bound tests off, draw the
// overview at one pixel per cell from window pixel (317, 420).
#ifndef TESSARY_VIEW_H
#define TESSARY_VIEW_H

#include "state.h"

// Exclusive bounds of the canvas columns and rows shown; written only by calcMax.
extern int max_x, max_y;

void calcMax(int scale, int X_Start, int Y_Start);
void pixelScaled(int scale, int xx, int yy, ColorRGB kolor, int X_Start, int Y_Start, int disable_Checks);
bool lineScaled(int x1, int y1, int x2, int y2, ColorRGB color, int scale, int X_Start, int Y_Start, int disable);
void renderScaled(int scale, int X_Start, int Y_Start, int Draw_X, int Draw_Y, ColorRGB kolor, int disable,
                  int separate);
void lineBox(int x1, int y1, int x2, int y2, ColorRGB kolor);

// Steps 10 to 12 of the pass: main view, selected-line highlight, overview and its frame.
void renderFrame(const Editor& e);

#endif
