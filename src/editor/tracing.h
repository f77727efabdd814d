// tracing.h - the image traced over: choosing it (key t, --trace), showing or
// hiding it (Shift+T), and painting it under the picture.
//
// The image is fitted to the canvas (traceimage.h) and shown in the view and
// the overview halfway between each cell's colour and the background colour.
// It lies under everything else: the window is not cleared every pass, and
// whatever paints stale drawing over (a clear, the cursor moving off a cell,
// the rubber band moving) paints the colour under the cell (colorUnder), which
// is the background colour wherever no image is shown. It never enters the
// picture, its files or its undo; the choice is remembered per picture folder
// (tracememory.h).
//
//     clearWindow(e);                          // instead of cls(e.Background_Color)
//     pixelScaled(..., colorUnder(e, x, y), ...);
#ifndef TESSARY_TRACING_H
#define TESSARY_TRACING_H

#include <string>

#include "state.h"

struct ViewBounds;

// True when an image is chosen and shown.
bool tracingShown(const Editor& e);

// The colour under canvas cell (x, y): halfway between the image's colour there
// (blended over the background) and the background colour, or the background
// colour off the image, off the canvas or with no image shown.
ColorRGB colorUnder(const Editor& e, int x, int y);

// Paints the cells of the line from (x1, y1) to (x2, y2) in the view in the
// colours under them, as lineScaled would draw it: the rubber band goes so.
void paintUnderLine(const Editor& e, int x1, int y1, int x2, int y2);

// Clears the window to the background colour and paints the image in the view.
void clearWindow(const Editor& e);
// The same for the view area alone.
void clearView(const Editor& e);

// Row y of the overview's canvas as the image shows it under the picture:
// Image_Width surface pixels; null while no image is shown.
const Uint32* tracedOverviewRow(const Editor& e, int y);

// Within the window rectangle (left, top)-(right, bottom): fills the overview's
// backdrop in the background colour; with an image shown, the overview's
// canvas cells get the colours under them instead.
void paintOverviewUnder(const Editor& e, int left, int top, int right, int bottom);

// Key t: asks for the image; an empty answer hides it, Escape leaves all as it
// was. Shift+T: shows or hides the chosen image.
void traceKeys(Editor& e);

// At start: the image named on the command line, or else the one remembered
// for the picture folder, shown or hidden as it was left.
void startTracing(Editor& e, const std::string& commandLinePath);

#endif
