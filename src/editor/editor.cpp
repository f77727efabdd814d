// editor.cpp - the editor's start-up and the pass of its main loop.
//
// The window is never cleared at the start of a pass: each pass paints over the
// last one, and stale drawing goes by being painted in the background colour.
// Only commands that change what is shown as a whole clear the window. A pass
// takes at most one event and sees the keys and mouse as of it; a pass that
// changed nothing is followed by a wait for the next event (idle.h), and while
// an arrow is held a pass first waits for the arrow's next step (arrowpace.h).
#include "editor.h"

#include "idle.h"
#include "keys.h"
#include "mouse.h"
#include "panel.h"
#include "view.h"

static const int windowWidth = 640;
static const int windowHeight = 640;
static const char* const caption = "Tessary v.0.3";

void startUp(Editor& e) {
    e = Editor();  // an empty picture, the start colours, point mode
    screen(windowWidth, windowHeight, false, caption);
    cls(e.Background_Color);
}

PassResult runPass(Editor& e) {
    const PassMark before = markPass(e);                           // what the pass may change
    waitForArrowStep(e.arrows);                                    // a held arrow: its next step or an event
    if (done(e.event2)) return PassResult::Quit;                   // loop test: one event; close or Escape
    readKeys();                                                    // keyboard state
    runKeyCommands(e);                                             // key commands
    moveCursor(e);                                                 // cursor cell
    if (editStep(e) == PassResult::Quit) return PassResult::Quit;  // editing step of the mode
    renderFrame(e);                                                // view, highlight, overview
    drawPanel(e);                                                  // status panel
    const bool presented = presentChanges();                       // present what changed
    return nothingToDoUntilInput(before, e, presented) ? PassResult::Idle : PassResult::Continue;
}

int SDL_main(int, char*[]) {
    Editor e;
    startUp(e);
    for (PassResult result = runPass(e); result != PassResult::Quit; result = runPass(e)) {
        if (result == PassResult::Idle) waitForEvent();  // the event stays queued for the loop test
    }
    return 0;
}
