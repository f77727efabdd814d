// editor.cpp - the editor's start-up and the pass of its main loop.
//
// The window is never cleared at the start of a pass: each pass paints over the
// last one, and stale drawing goes by being painted in the background colour.
// Only commands that change what is shown as a whole clear the window.
#include "editor.h"

#include "keys.h"
#include "mouse.h"
#include "panel.h"
#include "view.h"

static const int windowWidth = 640;
static const int windowHeight = 640;
static const char* const caption = "Tessary v.0.3";

void startUp(Editor& e) {
    e = Editor();
    clearPicture(e.pixels_Amount, e.lines_amount);
    screen(windowWidth, windowHeight, false, caption);
    cls(e.Background_Color);
}

PassResult runPass(Editor& e) {
    if (done()) return PassResult::Quit;                              // 1. loop test
    readKeys();                                                       // 2. keyboard state
    runKeyCommands(e);                                                // 3. key commands
    calcMax(e.scale, e.X_Start, e.Y_Start);                           // 4. view bounds
    moveCursor(e);                                                    // 5-8. cursor cell
    if (editStep(e) == PassResult::Quit) return PassResult::Quit;     // 9. editing step
    renderFrame(e);                                                   // 10-12. view, highlight, overview
    drawPanel(e);                                                     // 13. status panel
    redraw();                                                         // 14. present
    return PassResult::Continue;
}

int SDL_main(int, char*[]) {
    Editor e;
    startUp(e);
    while (runPass(e) == PassResult::Continue) {
    }
    return 0;
}
