// endsignals.h - SIGTERM, SIGHUP and SIGINT end the editor through its usual way out.
//
// A desktop logging out, a kill or Ctrl+C in a terminal should end the editor
// as a close request does, so that the exit hooks (the unsaved copy) run, and
// then end it by that signal, with the status a shell expects. The signals are
// blocked in every thread and taken by a thread of their own with sigwait, so
// nothing runs inside a signal handler: that thread pushes a close request
// (SDL_QUIT, which SDL allows from any thread) that the loop or a prompt
// takes at once. Should the program still run 5 seconds
// later, the thread ends it by the signal itself.
//
//     watchEndSignals();   // first thing in SDL_main, before SDL starts threads
#ifndef TESSARY_ENDSIGNALS_H
#define TESSARY_ENDSIGNALS_H

// Blocks the three signals, starts the thread that waits for them, and
// registers the exit hook that ends the process by the signal taken. Exit
// hooks registered after this call run before that one.
void watchEndSignals();

#endif
