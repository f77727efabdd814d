// vectorizeslot.h - a slot made from an image without a window (tessary --vectorize).
//
// Reads the image as the editor's tracing does (fitted to the canvas, aspect
// kept, centred), finds its outlines or centre lines as keys i and Shift+I do
// on an empty picture, and saves them to slot nr in the working directory as
// key s does: the slot's old picture is kept first (k brings it back in the
// editor). No SDL video call is made, so no display is needed.
#ifndef TESSARY_VECTORIZESLOT_H
#define TESSARY_VECTORIZESLOT_H

#include "tracing.h"
#include "vectorize.h"

struct VectorizeRequest {
    NamedPath image;  // the path to read, and the name for messages
    int nr;
    LineKind kind;
};

// Returns the exit status: 0, after saying what was added on standard output;
// 1, after saying why on standard error, when the image cannot be read or the
// slot cannot be written (or its old picture kept).
int vectorizeSlot(const VectorizeRequest& request);

#endif
