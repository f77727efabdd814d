// tracing.h - the image traced over: choosing it (key t, --trace) and showing
// or hiding it (Shift+T).
//
// The image is fitted to the canvas (traceimage.h) and painted under the
// picture by colorunder.h. It never enters the picture, its files or its
// undo; the choice is remembered per picture folder (tracememory.h).
//
//     startTracing(e, "");  // at start: the image this folder traced over last
//     traceKeys(e);         // every event: t and Shift+T
#ifndef TESSARY_TRACING_H
#define TESSARY_TRACING_H

#include <string>

#include "state.h"

// Key t: asks for the image; an empty answer hides it, Escape leaves all as it
// was. Shift+T: shows or hides the chosen image.
void traceKeys(Editor& e);

// At start: the image named on the command line, or else the one remembered
// for the picture folder, shown or hidden as it was left.
void startTracing(Editor& e, const std::string& commandLinePath);

#endif
