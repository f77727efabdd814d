// frame.h - the frame step of the pass: the view, the highlight, the overview and
// the panel, drawn again only where they changed.
//
// The full drawing (renderFrame and drawPanel) is the reference: after every
// pass the window holds what it would hold had the pass drawn that in full.
// The frame step gets there by drawing the same elements, in the same order,
// only within the region that may differ:
//
//  - what anything stored into the window since the last frame (the layer's
//    damage): the cursor and the rubber band moved by each event, prompts,
//    the help page, a clear (which makes it all);
//  - where the editor's drawn values differ from the ones the last frame
//    showed (ShownFrame): changed point and line entries (as they were and
//    are), a highlight moved to another line, the snapped cursor (aids.h)
//    moved, panel values; and everything when the view moved, the scale,
//    `separate`, a colour or the mirror changed, or many entries changed at
//    once (a load, an undo).
//
// Within the region, elements that later ones cover (the magnified picture,
// the mirror's axes, the overview's backdrop and picture) are drawn clipped to
// it; the ones drawn last where they lie (the highlight, the snapped cursor,
// the view frame, panel rows and bands) are drawn whole when the region
// touches them. The picture is drawn from its
// coverage (coverage.h), so a clipped part costs its own cells.
//
// A new drawn element joins in one place: its values in ShownFrame, compared in
// frameChanges() (frame.cpp), and its drawing in drawWithin(), in the order of
// the full drawing, clipped when something drawn later covers it.
#ifndef TESSARY_FRAME_H
#define TESSARY_FRAME_H

#include "state.h"

// The overview with its backdrop (or the traced image), the mirror's axes and
// the view frame.
void renderOverview(const Editor& e);

// The full drawing of the view, the mirror's axes, the highlight, the snapped
// cursor and the overview, in that order, then group mode's group in red
// (groupmode.h): the reference.
void renderFrame(const Editor& e);

// The frame step: draws what changed since the last frame and remembers it.
void drawFrame(Editor& e);

#endif
