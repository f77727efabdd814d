// tracing.h - the image traced over: choosing it (key t, --trace) and showing
// or hiding it (Shift+T).
//
// The image is read on a thread of its own (tracereading.h), fitted to the
// canvas (traceimage.h) and painted under the picture by colorunder.h. It
// never enters the picture, its files or its undo; the choice is remembered
// per picture folder (tracememory.h).
//
//     startTracing(e, {}, false);  // at start: the image this folder traced over last
//     traceKeys(e);                 // every event: t and Shift+T
//     followTraceReading(e);        // every pass: the image being read
#ifndef TESSARY_TRACING_H
#define TESSARY_TRACING_H

#include <string>

#include "state.h"

// Key t: asks for the image (a path of any length; `~/` at its start is the
// home folder) and starts reading it; an empty answer hides the image, Escape
// leaves all as it was. Shift+T: shows or hides the chosen image, reading it
// first when it was not read yet, and stops a reading in progress.
void traceKeys(Editor& e);

// A step of every pass: follows the image being read, if any: how far the
// reading is, on the prompt line a few times a second; then the image shown
// (and remembered when it is a new choice), or why it cannot be.
void followTraceReading(Editor& e);

// A file as the program reads it, and its name as the user gave it, for messages.
struct NamedPath {
    std::string path, name;
};

// At start: reads the image named on the command line, or else the one
// remembered for the picture folder when it was left shown (one left hidden
// is read when Shift+T shows it). With `keepPromptLine`, the start has news on
// the prompt line already: the reading's own stays off it (a failure goes to
// standard error).
void startTracing(Editor& e, const NamedPath& commandLine, bool keepPromptLine);

#endif
