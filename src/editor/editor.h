// editor.h - start-up and one pass of the editor's main loop.
#ifndef TESSARY_EDITOR_H
#define TESSARY_EDITOR_H

#include <optional>
#include <string>

#include "state.h"
#include "tracing.h"

// Empties the picture, opens the 640 x 640 window and clears it.
void startUp(Editor& e);

// The input half of a pass: takes the events queued, up to the next key or
// button press, and runs the steps of each (or of none, when none is queued).
// Returns Quit for a close request or Escape, Idle while the help page shows;
// nothing when the pass goes on to draw its frame (frame.h).
std::optional<PassResult> applyQueuedEvents(Editor& e);

// One pass of the main loop; Quit when the editor should end with status 0,
// Idle when the pass changed nothing and the loop may wait for an event.
PassResult runPass(Editor& e);

// The editor's entry, called by the command line: it runs until the editor
// ends and returns the exit status. `traceImage`, unless its path is empty,
// names the image to trace over (tracing.h); `machinesFile`, unless empty,
// the plotter and laser settings file that Shift+E reads instead of the default.
int runEditor(const NamedPath& traceImage, const std::string& machinesFile = "");

// The same without an image named.
int SDL_main(int argc, char* argv[]);

#endif
