// editor.cpp - the editor's start-up and the pass of its main loop.
//
// The window is never cleared at the start of a pass: each pass paints over the
// last one, and stale drawing goes by being painted in the background colour.
// Only commands that change what is shown as a whole clear the window. A pass
// takes at most one event and sees the keys and mouse as of it; a pass that
// changed nothing is followed by a wait for the next event (idle.h), and while
// an arrow is held a pass first waits for the arrow's next step (arrowpace.h).
#include "editor.h"

#include "endsignals.h"
#include "help.h"
#include "idle.h"
#include "keeping.h"
#include "keys.h"
#include "mouse.h"
#include "panel.h"
#include "title.h"
#include "view.h"
#include "wheel.h"

static const int windowWidth = 640;
static const int windowHeight = 640;

void startUp(Editor& e) {
    e = Editor();  // an empty picture, the start colours, point mode
    screen(windowWidth, windowHeight, false, windowTitle(e.nr, false).c_str());
    cls(e.Background_Color);
}

PassResult runPass(Editor& e) {
    const PassMark before = markPass(e);                           // what the pass may change
    waitForArrowStep(e.arrows);                                    // a held arrow: its next step or an event
    if (done(e.event2) && !helpKeepsEscape(e)) return PassResult::Quit;  // loop test: one event; close or Escape (not on the help page)
    readKeys();                                                    // keyboard state
    if (const std::optional<PassResult> help = helpStep(e)) return *help;  // the help page, while it shows
    runKeyCommands(e);                                             // key commands
    wheelStep(e);                                                  // wheel notches zoom about the pointer
    moveCursor(e);                                                 // cursor cell
    if (editStep(e) == PassResult::Quit) return PassResult::Quit;  // editing step of the mode
    renderFrame(e);                                                // view, highlight, overview
    drawPanel(e);                                                  // status panel
    showTitle(e);                                                  // window title: slot, unsaved mark
    const bool presented = presentChanges();                       // present what changed
    return nothingToDoUntilInput(before, e, presented) ? PassResult::Idle : PassResult::Continue;
}

int runEditor(const std::string& tracePath) {
    watchEndSignals();  // before SDL starts threads of its own
    static Editor e;  // static: the exit hooks keep its picture after runEditor has returned
    startUp(e);
    deliverEndSignals();  // the window is open: a signal taken so far or later is a close request
    startKeeping(e);  // a left unsaved copy restored; the copy kept at every exit
    startTracing(e, tracePath);  // the image named, or the one this folder traced over last
    for (PassResult result = runPass(e); result != PassResult::Quit; result = runPass(e)) {
        keepAfterPass(e);                                // the unsaved copy, at most once a second
        if (result == PassResult::Idle) waitForEvent();  // the event stays queued for the loop test
    }
    return 0;
}

int SDL_main(int, char*[]) { return runEditor(""); }
