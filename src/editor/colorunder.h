// colorunder.h - the colour under each cell: the background colour, the
// image traced over where one is shown (tracing.h chooses it), or the onion
// skin's picture over both where it is shown (onionskin.h).
//
// The image is shown in the view and the overview halfway between each cell's
// colour and the background colour, and so is the onion skin, its points and
// lines in the drawing colour. Both lie under everything else: the window
// is not cleared every pass, and whatever paints stale drawing over (a clear,
// the cursor moving off a cell, the rubber band moving, the group's band)
// paints the colour under the cell, which is the background colour wherever
// neither is shown. Every step that clears or paints over uses this module,
// and it uses none of them: only the state and the view transform.
//
//     clearWindow(e);                          // instead of cls(e.Background_Color)
//     pixelScaled(..., colorUnder(e, x, y), ...);
#ifndef TESSARY_COLORUNDER_H
#define TESSARY_COLORUNDER_H

#include "state.h"

// True when an image is chosen and shown.
bool tracingShown(const Editor& e);
// True when anything lies under the picture: an image or the onion skin.
bool underShown(const Editor& e);

// The colour under canvas cell (x, y): halfway between the onion skin's colour
// there and the background colour; else halfway between the image's colour
// there (blended over the background) and the background colour; or the
// background colour off both, off the canvas or with neither shown.
ColorRGB colorUnder(const Editor& e, int x, int y);

// Paints the cells of the line from (x1, y1) to (x2, y2) in the view in the
// colours under them, as lineScaled would draw it: the rubber band goes so.
void paintUnderLine(const Editor& e, int x1, int y1, int x2, int y2);

// Clears the window to the background colour and paints what lies under the
// picture in the view.
void clearWindow(const Editor& e);
// The same for the view area alone.
void clearView(const Editor& e);

// What lies under the picture changed (an image was read) while the rest of the
// window stays, the prompt line too: paints the view as clearView does and
// has the next frame draw the overview again.
void repaintUnder(const Editor& e);

// Row y of the overview's canvas as it shows under the picture: Image_Width
// surface pixels; null while nothing lies under the picture.
const Uint32* underOverviewRow(const Editor& e, int y);

// Within the window rectangle (left, top)-(right, bottom): fills the overview's
// backdrop in the background colour; with anything under the picture, the overview's
// canvas cells get the colours under them instead.
void paintOverviewUnder(const Editor& e, int left, int top, int right, int bottom);

#endif
