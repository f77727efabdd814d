// editor.cpp - the editor's start-up and the pass of its main loop.
//
// The window is never cleared at the start of a pass: each pass paints over the
// last one, and stale drawing goes by being painted in the background colour.
// Only commands that change what is shown as a whole clear the window.
//
// A pass applies every event queued (and what arrives meanwhile, for at most
// 1/60 s), each with the keys and mouse as of it, through the steps of
// applyEvent, and then draws one frame (frame.h) and presents it. What those
// steps paint as they go (the cursor, the rubber band, the clears, the panel
// values past their labels) lands in the order of the events, and the frame
// draws over it what every event's frame would have drawn, so the window ends
// as it did with one frame per event. A key or button press starts a pass of
// its own; a close request or Escape ends the editor where it stands in the
// queue, and a prompt or the help page takes the events behind its key. A
// pass that takes no event still runs the steps once. A pass that changed
// nothing is followed by a wait for the next event (idle.h), and while an
// arrow is held a pass first waits for the arrow's next step (arrowpace.h).
// While the pointer moves, the loop lets its motions queue for up to half a
// display frame after each present (gatherMotionsForFrame), so that a fast
// drag costs two passes and presents per frame rather than one per motion;
// any other event, and the first motion after a pause, is taken as soon as it
// arrives.
#include "editor.h"

#include <optional>

#include "animation.h"
#include "endsignals.h"
#include "frame.h"
#include "help.h"
#include "idle.h"
#include "keeping.h"
#include "keys.h"
#include "mouse.h"
#include "panel.h"
#include "title.h"
#include "tracing.h"
#include "vectorizing.h"
#include "wheel.h"

static const int windowWidth = 640;
static const int windowHeight = 640;
// A pass stops taking events after this long, so that with its frame (a few
// milliseconds at most) one is on screen at least every 1/30 s: it takes more
// while less than 1/60 s has passed, counted in whole ticks (getTicks), which
// stay exact however long the editor runs.
static const Uint32 passInputMs = 17;

void startUp(Editor& e) {
    e = Editor();  // an empty picture, the start colours, point mode
    screen(windowWidth, windowHeight, false, windowTitle(e.nr, e.mode, false).c_str());
    cls(e.Background_Color);
}

// The steps of one event, or of a pass that took none, with the keys and mouse
// as of it. Returns what ends the pass early: Quit, or the help page's result
// while the page takes the event.
static std::optional<PassResult> applyEvent(Editor& e) {
    readKeys();                                                    // keyboard state
    keyEndsDrag(e);                                                // a key ends group mode's drag
    if (const std::optional<PassResult> help = helpStep(e)) return help;  // the help page, while it shows
    runKeyCommands(e);                                             // key commands
    wheelStep(e);                                                  // wheel notches zoom about the pointer
    moveCursor(e);                                                 // cursor cell
    if (editStep(e) == PassResult::Quit) return PassResult::Quit;  // editing step of the mode
    drawPanelOverhangs(e);                                         // panel values past their labels
    return std::nullopt;
}

// Whether the pass takes the next event: one is queued, it is no key or button
// press (a press starts a pass of its own, so that whatever it opens finds the
// frame of the events before it), and the pass has not taken input for long.
static bool moreEventsForPass(Uint32 passStart) {
    const Uint8 next = nextEventType();
    if (next == SDL_NOEVENT || next == SDL_KEYDOWN || next == SDL_MOUSEBUTTONDOWN) return false;
    return getTicks() - passStart < passInputMs;
}

std::optional<PassResult> applyQueuedEvents(Editor& e) {
    const Uint32 start = getTicks();
    std::optional<PassResult> ended;
    do {
        if (done(e.event2) && !helpKeepsEscape(e) && !findingKeepsEscape(e)) return PassResult::Quit;  // loop test: close or Escape
        ended = applyEvent(e);                                     // the event's steps
        if (ended == PassResult::Quit) return PassResult::Quit;
    } while (moreEventsForPass(start));                            // every event queued, up to a press
    if (ended && e.help != HelpPage::closed) return ended;        // the help page shows: no frame
    return std::nullopt;
}

PassResult runPass(Editor& e) {
    const PassMark before = markPass(e);                           // what the pass may change
    waitForArrowStep(e.arrows);                                    // a held arrow: its next step or an event
    if (const std::optional<PassResult> ended = applyQueuedEvents(e)) return *ended;  // each event's steps
    followTraceReading(e);                                         // the image being read: progress, then the image
    followLineFinding(e);                                          // lines being found: progress, then the lines
    drawFrame(e);                                                  // view, highlight, overview, panel: what changed
    showTitle(e);                                                  // window title: slot, mode, unsaved mark
    const bool presented = presentChanges();                       // present what changed
    return nothingToDoUntilInput(before, e, presented) ? PassResult::Idle : PassResult::Continue;
}

int runEditor(const NamedPath& traceImage, const std::string& machinesFile) {
    watchEndSignals();  // before SDL starts threads of its own
    static Editor e;  // static: the exit hooks keep its picture after runEditor has returned
    startUp(e);
    e.machinesFile = machinesFile;
    deliverEndSignals();  // the window is open: a signal taken so far or later is a close request
    const bool restored = startKeeping(e);  // a left unsaved copy restored; the copy kept at every exit
    startTracing(e, traceImage, restored);  // the image named, or the one this folder traced over last, read meanwhile
    startAnimation(e);  // the frames a second remembered for this folder
    for (PassResult result = runPass(e); result != PassResult::Quit; result = runPass(e)) {
        keepAfterPass(e);                                // the unsaved copy, at most once a second
        if (result == PassResult::Idle) waitForEvent();  // the event stays queued for the loop test
        else gatherMotionsForFrame();                    // a moving pointer: its motions, a frame at a time
    }
    endKeeping();  // nothing writes after the editor has returned
    return 0;
}

int SDL_main(int, char*[]) { return runEditor({}); }
