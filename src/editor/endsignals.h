// endsignals.h - SIGTERM, SIGHUP and SIGINT end the editor through its usual way out.
//
// A desktop logging out, a kill or Ctrl+C in a terminal should end the editor
// as a close request does, so that the exit hooks (the unsaved copy) run, and
// then end it by that signal, with the status a shell expects. The signals are
// blocked in every thread and taken by a thread of their own with sigwait, so
// nothing runs inside a signal handler: that thread pushes a close request
// (SDL_QUIT) that the loop or a prompt takes. It pushes it only once
// the window is open (deliverEndSignals); a signal taken before waits for that
// moment, and the main thread pushes it then.
//
// The close request goes behind any input queued, through the layer's own
// queue when SDL's is full, so a flood of input delays it only as long as
// that input takes to apply; it is never lost. A write of a file is never
// cut: every write runs inside a WriteInProgress. Should the program not have
// ended 5 seconds after the signal, the thread ends it by the signal itself,
// once no write runs: a write going on then ends whole first, so that no file
// is torn and no temporary left behind, and no other write starts.
//
//     watchEndSignals();    // first thing in runEditor, before SDL starts threads
//     startUp(e);           // opens the window
//     deliverEndSignals();  // from now on a signal is a close request
//     ...
//     { const WriteInProgress writing; writeSlot(...); }
#ifndef TESSARY_ENDSIGNALS_H
#define TESSARY_ENDSIGNALS_H

// Blocks the three signals, starts the thread that waits for them, and
// registers the exit hook that ends the process by the signal taken. Exit
// hooks registered after this call run before that one.
void watchEndSignals();

// The window is open: a signal taken before now, or from now on, becomes a
// close request in its event queue. Call once, after the window opened; at
// exit, before SDL goes, signals stop being passed on.
void deliverEndSignals();

// Held for the whole of a write of a file, on any thread: while one is held,
// an ending signal waits for it.
class WriteInProgress {
public:
    WriteInProgress();
    ~WriteInProgress();
    WriteInProgress(const WriteInProgress&) = delete;
    WriteInProgress& operator=(const WriteInProgress&) = delete;
};

#endif
